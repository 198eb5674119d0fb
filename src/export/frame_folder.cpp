#include "export/frame_folder.h"

#include "export/figure_export.h"
#include "export/said.h"
#include "figure/figure_content.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <cstdlib>
#include <string>

#include <fcntl.h>
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
/// place.
class RunFolder {
public:
    explicit RunFolder(const std::string& parent) : path_(parent + "/.kymata-XXXXXX") {
        if (::mkdtemp(path_.data()) == nullptr) {
            path_.clear();
        }
    }
    ~RunFolder() {
        if (!path_.empty() && !placed_) {
            QDir(QFile::decodeName(path_.c_str())).removeRecursively();
        }
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    bool Made() const { return !path_.empty(); }
    QString Path() const { return QFile::decodeName(path_.c_str()); }
    const std::string& Native() const { return path_; }
    void Placed() { placed_ = true; }

private:
    std::string path_;
    bool placed_ = false;
};

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
        replacing = true;
    } else if (errno != ENOENT) {
        return failed(SystemReason(errno, language));
    }
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
    // The earlier folder steps aside under a name of its own, the new one takes the name, and
    // only then is the earlier one removed; a failure between puts it back.
    RunFolder aside(parent);
    if (replacing) {
        if (!aside.Made() || ::rename(target.c_str(), (aside.Native() + "/old").c_str()) != 0) {
            return failed(SystemReason(errno, language));
        }
    }
    if (::rename(run.Native().c_str(), target.c_str()) != 0) {
        const int error = errno;
        if (replacing) {
            ::rename((aside.Native() + "/old").c_str(), target.c_str());
        }
        return failed(SystemReason(error, language));
    }
    run.Placed();
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
