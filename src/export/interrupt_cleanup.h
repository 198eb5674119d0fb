#pragma once

#include <string>

namespace kymata {

/// What an interrupted write must remove: a file, or a folder with the files in it (no deeper).
enum class Leftover { File, Folder };

/// A name a write has made and not yet put in place. While it lives, Ctrl+C (SIGINT), SIGTERM
/// and SIGHUP remove the name before the program ends, and the program then ends by that
/// signal as it would have without a handler (its exit status tells the signal). Signals whose
/// disposition someone else has chosen (ignored, or handled) are left alone.
class RemovedIfInterrupted {
public:
    /// Watches `path`; an empty path, or one longer than the handler's room, is not watched.
    RemovedIfInterrupted(const std::string& path, Leftover kind);
    ~RemovedIfInterrupted();
    RemovedIfInterrupted(const RemovedIfInterrupted&) = delete;
    RemovedIfInterrupted& operator=(const RemovedIfInterrupted&) = delete;

    /// The name is now the user's (or gone): an interruption leaves it.
    void Release();

private:
    int slot_ = -1;
};

} // namespace kymata
