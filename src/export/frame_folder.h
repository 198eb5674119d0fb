#pragma once

#include "export/safe_file.h"

#include <QString>

#include <string_view>

namespace kymata {

// Passed by reference only: an edit of the controls rebuilds no file for this header.
struct Controls;
struct Labels;

/// Writes `count` PNG frames of one period of the wave view's moving crests, `pngSize` pixels
/// square, as the folder `folder`: frame-000.png, frame-001.png, ... All or nothing: the frames
/// go into a new folder beside it, which takes the name only once every frame is written, so
/// that a failed run leaves nothing and a video tool never finds a mixed sequence. A folder of
/// that name that is empty, or holds nothing but an earlier run's frames, is replaced (the note
/// says so); one that holds other files, or a name that is a file, a FIFO, a device or a link,
/// is refused with the reason. Failures are said in `language`. The new folder beside it is
/// locked as a run under way; what a killed run left there, the next write beside it removes.
WriteResult WriteFrames(const QString& folder, const Controls& controls, int count, int pngSize,
                        std::string_view language);

} // namespace kymata
