#pragma once

#include <string>

namespace kymata {

/// Marks the file or folder open as `fd`, just made under the name `path`, as a write under way
/// for as long as the descriptor stays open (an exclusive `flock`), so that no cleanup of
/// leftovers takes it. False when it cannot be kept: a cleanup already holds it, or took the
/// name away, and the caller makes another. A file system without such locks keeps it all the
/// same, since no cleanup can take it there either.
bool HoldAsWriting(int fd, const std::string& path);

/// Removes from `folder` what writes of this program that were killed (SIGKILL, a power cut)
/// left there: files and folders named ".kymata-" and six letters or digits whose writer is
/// gone, that is whose lock can be taken. One whose lock is held is a write under way and is
/// left alone, and so is a folder that holds anything but frames, or anything the program
/// cannot open. Removes silently: those names are the program's own and nobody else's.
void RemoveStaleTemporaries(const std::string& folder);

} // namespace kymata
