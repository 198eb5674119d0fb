#include "export/frame_folder.h"

#include "export/figure_export.h"
#include "export/interrupt_cleanup.h"
#include "export/said.h"
#include "export/stale_temporaries.h"
#include "figure/figure_content.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kymata {

namespace {

QString FrameName(int i) {
    return QStringLiteral("frame-%1.png").arg(i, 3, 10, QLatin1Char('0'));
}

/// The entries of `folder` that are not an earlier run's frames, and how many frames there are.
struct Holding {
    int frames = 0;
    int others = 0;
};

Holding WhatItHolds(const QString& folder) {
    static const QRegularExpression frame(QStringLiteral("^frame-\\d{3,}\\.png$"));
    Holding holding;
    const QDir dir(folder);
    for (const QFileInfo& entry :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (entry.isFile() && !entry.isSymLink() && frame.match(entry.fileName()).hasMatch()) {
            ++holding.frames;
        } else {
            ++holding.others;
        }
    }
    return holding;
}

/// A folder made for the run beside the target, removed with all it holds unless it was put in
/// place, and on an interruption (SIGINT, SIGTERM, SIGHUP) while it is watched. It is locked as
/// a write under way while it lives, so that a later run removes it only if this one was killed.
class RunFolder {
public:
    explicit RunFolder(const std::string& parent) {
        for (int attempt = 0; attempt < 8; ++attempt) {
            path_ = parent + "/.kymata-XXXXXX";
            if (::mkdtemp(path_.data()) == nullptr) {
                path_.clear();
                return;
            }
            lock_ = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (lock_ >= 0 && HoldAsWriting(lock_, path_)) {
                watch_ = std::make_unique<RemovedIfInterrupted>(path_, Leftover::Folder);
                return;
            }
            // A cleanup of a killed run's leftovers took it before the lock: it removes it.
            if (lock_ >= 0) {
                ::close(lock_);
                lock_ = -1;
            }
        }
        path_.clear();
        errno = EEXIST;
    }
    ~RunFolder() {
        if (!path_.empty() && !placed_) {
            // It may hold the old folder, whose mode may keep its files.
            ::chmod(path_.c_str(), 0700);
            QDir(QFile::decodeName(path_.c_str())).removeRecursively();
        }
        if (lock_ >= 0) {
            ::close(lock_);
        }
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    bool Made() const { return !path_.empty(); }
    QString Path() const { return QFile::decodeName(path_.c_str()); }
    const std::string& Native() const { return path_; }
    void Placed() {
        placed_ = true;
        Unwatched();
    }
    /// An interruption leaves the folder from now on.
    void Unwatched() { watch_.reset(); }

private:
    std::string path_;
    int lock_ = -1;
    bool placed_ = false;
    std::unique_ptr<RemovedIfInterrupted> watch_;
};

/// The mode a new folder gets: 0777 less the umask.
mode_t NewFolderMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0777 & ~mask;
}

/// Puts the folder `run` in the place of the folder `target`. Where the file system can swap
/// two names in one step, the target's name always holds the old folder or the new one, and
/// `run`'s name the old one afterwards (removed with `run`). Elsewhere the old folder steps
/// aside into a folder beside it first; a failure between puts it back, and an interruption between
/// leaves both folders, hidden, rather than remove either. False (with errno) on failure.
bool Swap(RunFolder& run, const std::string& target, const std::string& parent) {
    if (::renameat2(AT_FDCWD, run.Native().c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) ==
        0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        return false;
    }
    run.Unwatched();
    RunFolder aside(parent);
    aside.Unwatched();
    if (!aside.Made() || ::rename(target.c_str(), (aside.Native() + "/old").c_str()) != 0) {
        return false;
    }
    if (::rename(run.Native().c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::rename((aside.Native() + "/old").c_str(), target.c_str());
        errno = error;
        return false;
    }
    run.Placed();
    return true;
}

} // namespace

WriteResult WriteFrames(const QString& folder, const Controls& controls, int count, int pngSize,
                        std::string_view language) {
    const auto failed = [&folder, language](const QString& reason) {
        return WriteFailure(folder, reason, language);
    };
    if (folder.isEmpty()) {
        return failed(Said("write.noName", language));
    }
    const std::string target = QFile::encodeName(QDir::cleanPath(folder)).toStdString();
    const auto slash = target.rfind('/');
    const std::string parent = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : target.substr(0, slash);
    struct stat existing {};
    bool replacing = false;
    Holding earlier;
    if (::lstat(target.c_str(), &existing) == 0) {
        if (!S_ISDIR(existing.st_mode)) {
            return failed(
                Said("write.frames.notFolder", language, {KindOfFile(existing.st_mode, language)}));
        }
        earlier = WhatItHolds(folder);
        if (earlier.others > 0) {
            return failed(Said("write.frames.notEmpty", language));
        }
        if (WriteResult refused = RefusedAsProtected(folder, existing, language); !refused.ok) {
            return refused;
        }
        replacing = true;
    } else if (errno != ENOENT) {
        return failed(SystemReason(errno, language));
    }
    // What killed runs left beside the folder goes first; a run under way is left alone.
    RemoveStaleTemporaries(parent);
    RunFolder run(parent);
    if (!run.Made()) {
        return failed(SystemReason(errno, language));
    }
    Controls frame = controls;
    for (int i = 0; i < count; ++i) {
        frame.phase = static_cast<double>(i) / count;
        const WriteResult written =
            WriteFigure(QDir(run.Path()).filePath(FrameName(i)), FigureFormat::Png,
                        DrawFigureContent(frame), pngSize, language);
        if (!written.ok) {
            // The reason of the frame's write, said of the folder the user named.
            return failed(written.error.section(QStringLiteral(": "), -1));
        }
    }
    // The new folder gets the old one's mode (and owner, for root), or that of a new folder.
    const mode_t mode = replacing ? existing.st_mode & 07777 : NewFolderMode();
    if ((replacing && ::geteuid() == 0 &&
         ::chown(run.Native().c_str(), existing.st_uid, existing.st_gid) != 0) ||
        ::chmod(run.Native().c_str(), mode) != 0) {
        return failed(SystemReason(errno, language));
    }
    if (replacing) {
        if (!Swap(run, target, parent)) {
            return failed(SystemReason(errno, language));
        }
    } else {
        if (::rename(run.Native().c_str(), target.c_str()) != 0) {
            return failed(SystemReason(errno, language));
        }
        run.Placed();
    }
    const int parentFolder = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parentFolder >= 0) {
        ::fsync(parentFolder);
        ::close(parentFolder);
    }
    WriteResult written{true, {}, {}};
    if (earlier.frames > 0) {
        written.note = Said("write.frames.replaced", language,
                            {Printable(folder), QString::number(earlier.frames)});
    }
    return written;
}

} // namespace kymata
