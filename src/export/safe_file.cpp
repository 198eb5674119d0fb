#include "export/safe_file.h"

#include "export/interrupt_cleanup.h"
#include "export/said.h"
#include "export/stale_temporaries.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kymata {

namespace {

/// How many `WriteProtectionWaived` live on this thread.
thread_local int Waivers = 0;

} // namespace

WriteProtectionWaived::WriteProtectionWaived(bool waived) : waived_(waived) {
    Waivers += waived_ ? 1 : 0;
}

WriteProtectionWaived::~WriteProtectionWaived() {
    Waivers -= waived_ ? 1 : 0;
}

bool WriteProtected(const struct stat& file) {
    if (::geteuid() == 0) {
        // Root may write anything: only a file that nobody may write counts as protected.
        return (file.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    }
    if (file.st_uid == ::geteuid()) {
        return (file.st_mode & S_IWUSR) == 0;
    }
    const bool inGroup = file.st_gid == ::getegid() || [&file] {
        const int count = ::getgroups(0, nullptr);
        std::vector<gid_t> groups(static_cast<std::size_t>(std::max(count, 0)));
        const int got = count > 0 ? ::getgroups(count, groups.data()) : 0;
        return std::find(groups.begin(), groups.begin() + std::max(got, 0), file.st_gid) !=
               groups.begin() + std::max(got, 0);
    }();
    return (file.st_mode & (inGroup ? S_IWGRP : S_IWOTH)) == 0;
}

WriteResult RefusedAsProtected(const QString& path, const struct stat& file,
                               std::string_view language) {
    if (Waivers > 0 || !WriteProtected(file)) {
        return {true, {}, {}};
    }
    WriteResult refused =
        WriteFailure(path,
                     Said("write.protected", language,
                          {QStringLiteral("%1").arg(file.st_mode & 07777, 4, 8, QLatin1Char('0'))}),
                     language);
    refused.writeProtected = true;
    return refused;
}

namespace {

/// The catalogue key of the system's reason for each error a write may meet.
struct SystemError {
    int code;
    const char* key;
};
constexpr SystemError SystemErrors[] = {
    {ENOSPC, "system.ENOSPC"},   {EDQUOT, "system.EDQUOT"},   {EACCES, "system.EACCES"},
    {EPERM, "system.EPERM"},     {EROFS, "system.EROFS"},     {ENOENT, "system.ENOENT"},
    {ENOTDIR, "system.ENOTDIR"}, {EISDIR, "system.EISDIR"},   {ENAMETOOLONG, "system.ENAMETOOLONG"},
    {EFBIG, "system.EFBIG"},     {EIO, "system.EIO"},         {ELOOP, "system.ELOOP"},
    {EEXIST, "system.EEXIST"},   {EMFILE, "system.EMFILE"},   {ENXIO, "system.ENXIO"},
    {EBUSY, "system.EBUSY"},     {ETXTBSY, "system.ETXTBSY"},
};

} // namespace

QString KindOfFile(unsigned mode, std::string_view language) {
    const char* key = S_ISDIR(mode)    ? "write.kind.folder"
                      : S_ISFIFO(mode) ? "write.kind.fifo"
                      : S_ISCHR(mode)  ? "write.kind.characterDevice"
                      : S_ISBLK(mode)  ? "write.kind.blockDevice"
                      : S_ISSOCK(mode) ? "write.kind.socket"
                      : S_ISLNK(mode)  ? "write.kind.link"
                      : S_ISREG(mode)  ? "write.kind.file"
                                       : "write.kind.other";
    return Said(key, language);
}

namespace {

/// The folder that holds `target`.
std::string FolderOf(const std::string& target) {
    const auto slash = target.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
}

/// A name of its own beside `target` that nothing has yet: ".kymata-" and six random letters,
/// short, so that a target name as long as the file system allows still leaves room for it.
std::string NameBeside(const std::string& target) {
    static constexpr char Letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned char random[6] = {};
    if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
        const unsigned seed =
            static_cast<unsigned>(::getpid()) ^ static_cast<unsigned>(::time(nullptr));
        for (std::size_t i = 0; i < sizeof random; ++i) {
            random[i] = static_cast<unsigned char>(seed >> (i * 5));
        }
    }
    const auto slash = target.rfind('/');
    std::string name = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    name += ".kymata-";
    for (const unsigned char r : random) {
        name += Letters[r % (sizeof Letters - 1)];
    }
    return name;
}

/// The new file, in the target's folder. Where the file system allows it the file has no name
/// until it takes the target's (O_TMPFILE), so that nothing is left behind even when the
/// program is killed; elsewhere it has a hidden name beside the target, removed on an
/// interruption and on destruction unless it was put in place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) : folder_(FolderOf(target)) {
        fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            // Locked before it has any name, so that no cleanup ever takes the name it gets.
            ::flock(fd_, LOCK_EX | LOCK_NB);
            return;
        }
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            return;
        }
        const std::string pattern =
            (target.rfind('/') == std::string::npos ? std::string() : folder_ + "/") +
            ".kymata-XXXXXX";
        for (int attempt = 0; attempt < 8; ++attempt) {
            path_ = pattern;
            fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
            if (fd_ < 0) {
                path_.clear();
                return;
            }
            if (HoldAsWriting(fd_, path_)) {
                watch_ = std::make_unique<RemovedIfInterrupted>(path_, Leftover::File);
                return;
            }
            // A cleanup of killed writes' leftovers took it before the lock, and removes it.
            ::close(fd_);
        }
        fd_ = -1;
        path_.clear();
        errno = EEXIST;
    }
    ~TemporaryFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!placed_ && !path_.empty()) {
            ::unlink(path_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int Descriptor() const { return fd_; }
    const std::string& Folder() const { return folder_; }

    /// Closes the file; false (with errno) where the close reports a failed write.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

    /// Puts the file, synced, in the target's place and closes it; false (with errno) where
    /// that fails, the target then as it was. A new target takes the unnamed file in one step;
    /// an existing one is replaced by a rename from a name beside it.
    bool PlaceAt(const std::string& target, bool exists) {
        if (path_.empty()) {
            if (!exists && LinkAs(target)) {
                // A close that reports a failed write takes back the name just made.
                if (!Close()) {
                    const int error = errno;
                    ::unlink(target.c_str());
                    errno = error;
                    return false;
                }
                placed_ = true;
                return true;
            }
            if (!exists && errno != EEXIST) {
                return false;
            }
            if (!NameIt(target)) {
                return false;
            }
        }
        // The lock goes with the file description, not with one descriptor of it: a second
        // descriptor keeps the hidden name locked from the checked close to the rename.
        const int held = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
        const bool renamed = Close() && ::rename(path_.c_str(), target.c_str()) == 0;
        const int error = errno;
        ::close(held);
        errno = error;
        placed_ = renamed;
        return renamed;
    }

private:
    /// Gives the unnamed file the name `name`; false (with errno) where it cannot.
    bool LinkAs(const std::string& name) const {
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            return true;
        }
        // Without /proc, the file's descriptor itself (which needs more privilege).
        return errno == ENOENT && ::linkat(fd_, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
    }

    /// Gives the unnamed file a hidden name beside `target`, watched until it is put in place.
    bool NameIt(const std::string& target) {
        for (int attempt = 0; attempt < 8; ++attempt) {
            std::string name = NameBeside(target);
            watch_ = std::make_unique<RemovedIfInterrupted>(name, Leftover::File);
            if (LinkAs(name)) {
                path_ = std::move(name);
                return true;
            }
            watch_.reset();
            if (errno != EEXIST) {
                return false;
            }
        }
        return false;
    }

    std::string folder_;
    std::string path_;
    int fd_ = -1;
    bool placed_ = false;
    std::unique_ptr<RemovedIfInterrupted> watch_;
};

/// Writes all of `bytes`; false (with errno) on the first failed call.
bool WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<std::size_t>(left));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

} // namespace

WriteResult WriteFailure(const QString& path, const QString& reason, std::string_view language) {
    return {false, Said("write.cannot", language, {Printable(path), reason}), {}};
}

QString SystemReason(int error, std::string_view language) {
    for (const SystemError& known : SystemErrors) {
        if (known.code == error) {
            return Said(known.key, language);
        }
    }
    return QString::fromLocal8Bit(std::strerror(error));
}

QString Printable(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\n') {
            out += QStringLiteral("\\n");
        } else if (u == '\t') {
            out += QStringLiteral("\\t");
        } else if (u == '\r') {
            out += QStringLiteral("\\r");
        } else if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0) || u == 0x2028 || u == 0x2029) {
            out += QStringLiteral("\\x%1").arg(static_cast<unsigned>(u), 2, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return out;
}

WriteResult WriteFileSafely(const QString& path, const QByteArray& bytes,
                            std::string_view language) {
    const auto failed = [&path, language](const QString& reason) {
        return WriteFailure(path, reason, language);
    };
    if (path.isEmpty()) {
        return failed(Said("write.noName", language));
    }
    std::string target = QFile::encodeName(path).toStdString();
    struct stat existing {};
    bool exists = false;
    if (::lstat(target.c_str(), &existing) == 0) {
        if (S_ISLNK(existing.st_mode)) {
            // A link writes the file it names, if that is a regular file.
            char* resolved = ::realpath(target.c_str(), nullptr);
            if (resolved == nullptr) {
                return failed(
                    Said("write.linkUnreachable", language, {SystemReason(errno, language)}));
            }
            target = resolved;
            std::free(resolved);
            if (::stat(target.c_str(), &existing) != 0) {
                return failed(SystemReason(errno, language));
            }
            if (!S_ISREG(existing.st_mode)) {
                return failed(
                    Said("write.linkToOther", language, {KindOfFile(existing.st_mode, language)}));
            }
        } else if (!S_ISREG(existing.st_mode)) {
            return failed(
                Said("write.notRegular", language, {KindOfFile(existing.st_mode, language)}));
        }
        exists = true;
        if (WriteResult refused = RefusedAsProtected(path, existing, language); !refused.ok) {
            return refused;
        }
    } else if (errno != ENOENT) {
        return failed(SystemReason(errno, language));
    }

    // What killed writes left beside the target goes first; a write under way is left alone.
    RemoveStaleTemporaries(FolderOf(target));
    TemporaryFile file(target);
    if (file.Descriptor() < 0) {
        return failed(SystemReason(errno, language));
    }
    const int fd = file.Descriptor();
    if (!WriteAll(fd, bytes)) {
        return failed(SystemReason(errno, language));
    }
    if (exists) {
        // The owner first: changing it clears the set-user-ID and set-group-ID bits.
        if (::geteuid() == 0 && ::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
            return failed(SystemReason(errno, language));
        }
        if (::fchmod(fd, existing.st_mode & 07777) != 0) {
            return failed(SystemReason(errno, language));
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::fchmod(fd, 0666 & ~mask) != 0) {
            return failed(SystemReason(errno, language));
        }
    }
    if (::fsync(fd) != 0) {
        return failed(SystemReason(errno, language));
    }
    if (!file.PlaceAt(target, exists)) {
        return failed(SystemReason(errno, language));
    }
    WriteResult written{true, {}, {}};
    if (exists && existing.st_nlink > 1) {
        // The new file takes the name; the file's other names keep what it held.
        written.note = Said("write.linkSplit", language,
                            {Printable(path), QString::number(existing.st_nlink - 1)});
    }
    // The folder's entry for the new file, on the disk too; a folder that cannot be synced
    // (some file systems) leaves the file written all the same.
    const int folder = ::open(file.Folder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return written;
}

} // namespace kymata
