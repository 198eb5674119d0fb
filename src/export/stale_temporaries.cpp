#include "export/stale_temporaries.h"

#include <cerrno>
#include <cstring>
#include <regex>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kymata {

namespace {

/// The names the program gives its temporaries beside a target: ".kymata-" and six letters or
/// digits, as `mkstemp` and `mkdtemp` make them.
bool IsTemporaryName(const char* name) {
    static constexpr char Prefix[] = ".kymata-";
    constexpr std::size_t prefix = sizeof Prefix - 1;
    if (std::strlen(name) != prefix + 6 || std::strncmp(name, Prefix, prefix) != 0) {
        return false;
    }
    for (const char* c = name + prefix; *c != '\0'; ++c) {
        const bool alnum =
            (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9');
        if (!alnum) {
            return false;
        }
    }
    return true;
}

/// True when `a` and `b` are the same file.
bool Same(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

/// Removes the frames a killed run left in its folder, open as `folder`: only when it holds
/// nothing but regular files named as frames, or as a frame's own temporary; else removes
/// nothing and says false.
bool RemoveFrames(int folder) {
    static const std::regex frame("frame-[0-9]{3,}\\.png");
    for (const bool removing : {false, true}) {
        DIR* entries = ::fdopendir(::dup(folder));
        if (entries == nullptr) {
            return false;
        }
        ::rewinddir(entries);
        bool onlyFrames = true;
        while (const dirent* entry = ::readdir(entries)) {
            const char* name = entry->d_name;
            if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) {
                continue;
            }
            struct stat s {};
            const bool ours = ::fstatat(folder, name, &s, AT_SYMLINK_NOFOLLOW) == 0 &&
                              S_ISREG(s.st_mode) &&
                              (IsTemporaryName(name) || std::regex_match(name, frame));
            if (!ours) {
                onlyFrames = false;
                break;
            }
            if (removing) {
                ::unlinkat(folder, name, 0);
            }
        }
        ::closedir(entries);
        if (!onlyFrames) {
            return false;
        }
    }
    return true;
}

/// Removes the leftover `name` in the folder open as `folder` if its writer is gone.
void RemoveIfStale(int folder, const char* name) {
    // Nothing else is opened: a device's open alone may do something.
    struct stat first {};
    if (::fstatat(folder, name, &first, AT_SYMLINK_NOFOLLOW) != 0 ||
        (!S_ISREG(first.st_mode) && !S_ISDIR(first.st_mode))) {
        return;
    }
    int fd = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) {
        // A file of a mode that lets its owner write it alone.
        fd = ::openat(folder, name, O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    }
    if (fd < 0) {
        return;
    }
    struct stat opened {};
    struct stat named {};
    // The lock taken, the name must still be the file locked: while the lock is held, nobody
    // else removes or reuses it.
    if (::fstat(fd, &opened) == 0 && (S_ISREG(opened.st_mode) || S_ISDIR(opened.st_mode)) &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && Same(opened, named)) {
        if (S_ISREG(opened.st_mode)) {
            ::unlinkat(folder, name, 0);
        } else {
            // A replaced folder's mode may keep its files.
            ::fchmod(fd, 0700);
            if (RemoveFrames(fd)) {
                ::unlinkat(folder, name, AT_REMOVEDIR);
            }
        }
    }
    ::close(fd);
}

} // namespace

bool HoldAsWriting(int fd, const std::string& path) {
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return errno != EWOULDBLOCK;
    }
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 && Same(opened, named);
}

void RemoveStaleTemporaries(const std::string& folder) {
    DIR* entries = ::opendir(folder.c_str());
    if (entries == nullptr) {
        return;
    }
    const int fd = ::dirfd(entries);
    while (const dirent* entry = ::readdir(entries)) {
        if (IsTemporaryName(entry->d_name)) {
            RemoveIfStale(fd, entry->d_name);
        }
    }
    ::closedir(entries);
}

} // namespace kymata
