#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>

#include <sys/stat.h>

namespace kymata {

struct WriteResult {
    bool ok = false;
    /// Names the path and the reason when `ok` is false, on one line.
    QString error;
    /// Something the user should know of a write that succeeded (a hard link split, earlier
    /// frames replaced), on one line; empty mostly.
    QString note;
    /// The write was refused because the target is write-protected: the window may ask the
    /// user and write again under a `WriteProtectionWaived`.
    bool writeProtected = false;
};

/// While one lives, writes on this thread replace a write-protected file or frames folder too:
/// the user said so (--force, or yes to the window's question), as in an editor.
class WriteProtectionWaived {
public:
    /// Waives the protection when `waived`; else changes nothing.
    explicit WriteProtectionWaived(bool waived = true);
    ~WriteProtectionWaived();
    WriteProtectionWaived(const WriteProtectionWaived&) = delete;
    WriteProtectionWaived& operator=(const WriteProtectionWaived&) = delete;

private:
    bool waived_;
};

/// True when the mode bits of `file` (as `stat` gives it) keep this process from writing it:
/// the owner's, the group's or the others' write bit, whichever applies; for root, which the
/// system lets write anything, when no write bit is set at all.
bool WriteProtected(const struct stat& file);

/// A success for a target `path` that may be replaced; else, unless a
/// `WriteProtectionWaived` lives, the refusal "it is write-protected", in `language`.
WriteResult RefusedAsProtected(const QString& path, const struct stat& file,
                               std::string_view language);

/// Writes `bytes` to the file `path`, complete or not at all.
///
/// The bytes go to a new temporary file in the target's folder, are written with every call
/// checked, synced to the disk and closed (checked too), and only then replace the target in one
/// step. An existing target keeps its permission bits and, when run as root, its owner and
/// group; a new one gets the usual 0666 less the umask. Only regular files are written: a
/// target that exists and is a FIFO, a device, a socket or a folder is refused, and a symbolic
/// link writes the regular file it names (a link to anything else, or to nothing, is refused).
/// A target that has other names (hard links) is replaced under this name alone: the other
/// names keep the old content, and the note says so. A write-protected target is refused
/// (`writeProtected`) unless a `WriteProtectionWaived` lives. A new file has no name until it
/// takes the target's, where the file system allows it; a replacing one has a hidden name
/// beside the target for a moment, locked as a write under way. SIGINT, SIGTERM and SIGHUP
/// remove any name the write made; what a killed write left, the next write in that folder
/// removes (`RemoveStaleTemporaries`), so that even SIGKILL leaves nothing for long.
/// On any failure the target is as it was, no temporary file is left, and the error names the
/// path and the operating system's reason ("No space left on device"), in `language`.
WriteResult WriteFileSafely(const QString& path, const QByteArray& bytes,
                            std::string_view language);

/// A failed write: "cannot write PATH: REASON" in `language`.
WriteResult WriteFailure(const QString& path, const QString& reason, std::string_view language);

/// The operating system's reason for the error number `error`, in `language`: the catalogue's
/// words for the errors a write meets, else the system's own.
QString SystemReason(int error, std::string_view language);

/// What a file of mode `mode` (as `stat` gives it) is, in words of `language`: "a folder",
/// "a FIFO", "a file", ...
QString KindOfFile(unsigned mode, std::string_view language);

/// `text` with its control characters written as escapes (\n, \t, \x1b, ...), so that a
/// message that quotes a value or a path stays on one line.
QString Printable(const QString& text);

} // namespace kymata
