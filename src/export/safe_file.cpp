#include "export/safe_file.h"

#include "export/said.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kymata {

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

/// The temporary file beside the target; removed on destruction unless it was put in place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) {
        const auto slash = target.rfind('/');
        const std::string folder = slash == std::string::npos ? "."
                                   : slash == 0               ? "/"
                                                              : target.substr(0, slash);
        // A short name of its own, so that a target name as long as the file system allows
        // still leaves room for it.
        path_ = (slash == std::string::npos ? std::string() : folder + "/") + ".kymata-XXXXXX";
        fd_ = mkostemp(path_.data(), O_CLOEXEC);
        folder_ = folder;
    }
    ~TemporaryFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!placed_) {
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

    /// Puts the file in the target's place; false (with errno) where the rename fails.
    bool PlaceAt(const std::string& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0) {
            return false;
        }
        placed_ = true;
        return true;
    }

private:
    std::string path_;
    std::string folder_;
    int fd_ = -1;
    bool placed_ = false;
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
    } else if (errno != ENOENT) {
        return failed(SystemReason(errno, language));
    }

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
    if (::fsync(fd) != 0 || !file.Close()) {
        return failed(SystemReason(errno, language));
    }
    if (!file.PlaceAt(target)) {
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
