// Writes cut short and writes over what the user keeps: the program is interrupted (Ctrl+C,
// SIGTERM, SIGHUP) and killed at chosen system calls of a write, and afterwards the folder holds
// the old file or the new one and nothing else (once the next write has removed what a killed one
// left, and never what a write under way holds); new files and folders get the umask's mode,
// replaced ones keep theirs, and write-protected ones are replaced only when told so.

#include "export/kymata_process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

/// How a run under the tracer ended: its shell's status (128 + the signal that ended it).
struct Traced {
    int status = -1;
    QString err;
};

/// The real program in `folder`, run under strace with `inject` (strace's -e inject=...), with
/// the umask `mask`; no injection runs it plainly.
Traced RunInjected(const QString& inject, const QStringList& arguments, const QString& folder,
                   mode_t mask = 022) {
    QStringList command;
    if (!inject.isEmpty()) {
        command << QStringLiteral("strace") << QStringLiteral("-f") << QStringLiteral("-qq")
                << QStringLiteral("-o") << QStringLiteral("/dev/null") << QStringLiteral("-e")
                << QStringLiteral("inject=") + inject;
    }
    command << QStringLiteral(KYMATA_BINARY) << arguments;
    QProcess process;
    // Under strace the sanitized build's leak check cannot run at exit and would fail the run.
    QProcessEnvironment env = UserEnvironment();
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.setChildProcessModifier([mask] { ::umask(mask); });
    // The shell reports how the program ended, a signal as 128 + its number.
    const QStringList shell{QStringLiteral("-c"), QStringLiteral("\"$@\"; echo $? >&2"),
                            QStringLiteral("sh")};
    process.start(QStringLiteral("/bin/sh"), shell + command);
    Traced traced;
    if (!process.waitForFinished(120000)) {
        process.kill();
        return traced;
    }
    traced.err = QString::fromUtf8(process.readAllStandardError()).trimmed();
    traced.status = traced.err.section(QLatin1Char('\n'), -1).toInt();
    return traced;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// Everything in `folder`, hidden names too.
QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

int ModeOf(const QString& path) {
    struct stat s {};
    return ::stat(QFile::encodeName(path).constData(), &s) == 0 ? int(s.st_mode & 07777) : -1;
}

QStringList FramesIn(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("frame-*.png")}, QDir::Files, QDir::Name);
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestInterruptedWrites : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void fileInterrupted_data();
    void fileInterrupted();
    void framesInterrupted_data();
    void framesInterrupted();
    void onlyKilledWritesAreCleanedUp();
    void modesFollowTheUmaskOrTheOld_data();
    void modesFollowTheUmaskOrTheOld();
    void writeProtectedIsRefused_data();
    void writeProtectedIsRefused();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString Path(const QString& name) const { return dir_->filePath(name); }
};

void TestInterruptedWrites::initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("strace")).isEmpty()) {
        QSKIP("strace is not installed (Debian package strace)");
    }
}

void TestInterruptedWrites::init() {
    dir_ = std::make_unique<QTemporaryDir>();
}

void TestInterruptedWrites::fileInterrupted_data() {
    QTest::addColumn<QString>("inject");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("existing");
    QTest::addColumn<int>("signal");
    const QStringList png{"--export", "out.png"};
    const QStringList plan{"--lesson-plan", "out.pdf"};
    for (const auto& [name, signal] :
         {std::pair{"INT", SIGINT}, {"TERM", SIGTERM}, {"HUP", SIGHUP}, {"KILL", SIGKILL}}) {
        for (const bool existing : {false, true}) {
            QTest::addRow("%s before the data is synced, %s file", name,
                          existing ? "an existing" : "a new")
                << QStringLiteral("fsync:signal=%1").arg(QLatin1String(name)) << png << existing
                << signal;
        }
    }
    QTest::newRow("INT before the plan is synced, an existing file")
        << "fsync:signal=INT" << plan << true << SIGINT;
    // Replacing takes a name beside the target for a moment: an interruption removes it.
    QTest::newRow("TERM before the new file takes the target's name")
        << "rename:signal=TERM" << png << true << SIGTERM;
    QTest::newRow("HUP as the new file is named") << "linkat:signal=HUP" << png << false << SIGHUP;
    QTest::newRow("KILL before the new file takes the target's name")
        << "rename,renameat,renameat2:signal=KILL" << png << true << SIGKILL;
}

void TestInterruptedWrites::fileInterrupted() {
    QFETCH(QString, inject);
    QFETCH(QStringList, arguments);
    QFETCH(bool, existing);
    QFETCH(int, signal);
    const QString target = Path(arguments.last());
    if (existing) {
        Write(target, "the user's own file");
    }
    const Traced run = RunInjected(inject, arguments, dir_->path());
    QCOMPARE(run.status, 128 + signal);
    // A signal met in the call that puts the file in place comes once the call is done: then
    // the new file is there, complete. Else the old one, or none; and nothing beside it.
    const QByteArray now = Contents(target);
    const bool complete = now.startsWith("\x89PNG")
                              ? !QImage(target).isNull()
                              : now.startsWith("%PDF") && now.contains("%%EOF");
    QVERIFY2(complete || (existing ? now == "the user's own file" : !QFileInfo::exists(target)),
             now.left(40).constData());
    if (signal == SIGKILL) {
        // What a killed write left beside the target, the next write there removes.
        QCOMPARE(RunInjected({}, arguments, dir_->path()).status, 0);
    }
    QCOMPARE(Entries(dir_->path()),
             QFileInfo::exists(target) ? QStringList{arguments.last()} : QStringList{});
}

void TestInterruptedWrites::framesInterrupted_data() {
    QTest::addColumn<QString>("inject");
    QTest::addColumn<bool>("existing");
    QTest::addColumn<int>("signal");
    QTest::newRow("INT while frames are written, a new folder")
        << "fsync:signal=INT:when=2" << false << SIGINT;
    QTest::newRow("TERM while frames are written, an existing folder")
        << "fsync:signal=TERM:when=2" << true << SIGTERM;
    QTest::newRow("KILL while frames are written, a new folder")
        << "fsync:signal=KILL:when=2" << false << SIGKILL;
    QTest::newRow("KILL while frames are written, an existing folder")
        << "fsync:signal=KILL:when=2" << true << SIGKILL;
    // The swap: the folder's name holds the old frames or the new ones at every moment.
    const QString renames = QStringLiteral("rename,renameat,renameat2:signal=%1:when=%2");
    QTest::newRow("KILL at the swap") << renames.arg("KILL").arg(1) << true << SIGKILL;
    QTest::newRow("KILL at the swap's second step") << renames.arg("KILL").arg(2) << true << 0;
    QTest::newRow("HUP at the swap") << renames.arg("HUP").arg(1) << true << SIGHUP;
    QTest::newRow("TERM while the old frames are removed")
        << "unlink,unlinkat,rmdir:signal=TERM:when=1" << true << SIGTERM;
}

void TestInterruptedWrites::framesInterrupted() {
    QFETCH(QString, inject);
    QFETCH(bool, existing);
    QFETCH(int, signal);
    const QString folder = Path(QStringLiteral("frames"));
    const QStringList three{"frame-000.png", "frame-001.png", "frame-002.png"};
    if (existing) {
        QVERIFY(QDir().mkdir(folder));
        for (const QString& frame : three) {
            Write(QDir(folder).filePath(frame), "old frame");
        }
    }
    const QStringList arguments{"--view", "waves", "--frames", "3",
                                "--size", "50",    "--export", "frames"};
    const Traced run = RunInjected(inject, arguments, dir_->path());
    QCOMPARE(run.status, signal == 0 ? 0 : 128 + signal);
    if (existing) {
        // The old frames or the new ones, whole, under the folder's name.
        QCOMPARE(FramesIn(folder), three);
        const bool old = Contents(QDir(folder).filePath(three[0])) == "old frame";
        for (const QString& frame : three) {
            QCOMPARE(Contents(QDir(folder).filePath(frame)) == "old frame", old);
        }
    }
    // An interrupted run removes its hidden folder; a killed run's, the next run removes.
    const bool killed = signal == SIGKILL;
    if (killed) {
        QCOMPARE(RunInjected({}, arguments, dir_->path()).status, 0);
    }
    QCOMPARE(Entries(dir_->path()), existing || killed ? QStringList{"frames"} : QStringList{});
}

void TestInterruptedWrites::onlyKilledWritesAreCleanedUp() {
    // Leftovers of killed writes, and the temporaries of two writes under way, which hold their
    // locks (here, the test's); a write beside them removes the first alone.
    const auto made = [this](const char* name, bool folder, const char* inside) {
        const QString path = Path(QLatin1String(name));
        if (folder) {
            QVERIFY(QDir().mkpath(QDir(path).filePath(QLatin1String(inside))));
        } else {
            Write(path, "a write's bytes");
        }
    };
    made(".kymata-dead01", false, "");
    made(".kymata-dead02", true, "");
    Write(Path(".kymata-dead02/frame-000.png"), "frame");
    made(".kymata-live01", false, "");
    made(".kymata-live02", true, "");
    Write(Path(".kymata-live02/frame-000.png"), "frame");
    // Not the program's alone: a folder holding a folder (an old frames folder set aside), and
    // a name of another pattern.
    made(".kymata-aside1", true, "old");
    made(".kymata-notes.txt", false, "");
    int locks[2] = {};
    for (int i = 0; i < 2; ++i) {
        const QByteArray live =
            QFile::encodeName(Path(i == 0 ? ".kymata-live01" : ".kymata-live02"));
        locks[i] = ::open(live.constData(), O_RDONLY | O_CLOEXEC);
        QCOMPARE(::flock(locks[i], LOCK_EX | LOCK_NB), 0);
    }
    const int status =
        RunInjected({}, {"--view", "waves", "--frames", "2", "--size", "20", "--export", "frames"},
                    dir_->path())
            .status;
    ::close(locks[0]);
    ::close(locks[1]);
    QCOMPARE(status, 0);
    QCOMPARE(Entries(dir_->path()), (QStringList{".kymata-aside1", ".kymata-live01",
                                                 ".kymata-live02", ".kymata-notes.txt", "frames"}));
    QCOMPARE(Contents(Path(".kymata-live02/frame-000.png")), QByteArray("frame"));
}

void TestInterruptedWrites::modesFollowTheUmaskOrTheOld_data() {
    QTest::addColumn<int>("umask");
    QTest::addColumn<int>("oldMode");
    QTest::newRow("new, umask 022") << 022 << -1;
    QTest::newRow("new, umask 077") << 077 << -1;
    QTest::newRow("new, umask 002") << 002 << -1;
    QTest::newRow("replaced 0755, umask 077") << 077 << 0755;
    QTest::newRow("replaced 0640, umask 022") << 022 << 0640;
}

void TestInterruptedWrites::modesFollowTheUmaskOrTheOld() {
    QFETCH(int, umask);
    QFETCH(int, oldMode);
    const QString file = Path(QStringLiteral("figure.json"));
    const QString folder = Path(QStringLiteral("frames"));
    if (oldMode >= 0) {
        Write(file, "old");
        QVERIFY(QDir().mkdir(folder));
        QCOMPARE(::chmod(QFile::encodeName(file).constData(), mode_t(oldMode & 0666)), 0);
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), mode_t(oldMode)), 0);
    }
    const auto mask = static_cast<mode_t>(umask);
    QCOMPARE(RunInjected({}, {"--export", "figure.json"}, dir_->path(), mask).status, 0);
    QCOMPARE(RunInjected({},
                         {"--view", "waves", "--frames", "2", "--size", "20", "--export", "frames"},
                         dir_->path(), mask)
                 .status,
             0);
    QCOMPARE(ModeOf(file), oldMode >= 0 ? (oldMode & 0666) : (0666 & ~umask));
    QCOMPARE(ModeOf(folder), oldMode >= 0 ? oldMode : (0777 & ~umask));
    QCOMPARE(ModeOf(QDir(folder).filePath(QStringLiteral("frame-000.png"))), 0666 & ~umask);
}

void TestInterruptedWrites::writeProtectedIsRefused_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("folder");
    QTest::newRow("a figure") << QStringList{"--export", "kept.png"} << false;
    QTest::newRow("a printed page") << QStringList{"--print-to", "kept.pdf"} << false;
    QTest::newRow("a lesson plan") << QStringList{"--lesson-plan", "kept.pdf"} << false;
    QTest::newRow("a frames folder")
        << QStringList{"--view", "waves", "--frames", "2", "--size", "20", "--export", "kept"}
        << true;
}

void TestInterruptedWrites::writeProtectedIsRefused() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, folder);
    const QString target = Path(arguments.last());
    const QString held = folder ? QDir(target).filePath(QStringLiteral("frame-000.png")) : target;
    if (folder) {
        QVERIFY(QDir().mkdir(target));
    }
    Write(held, "kept");
    // No write bit for anyone, so that root (which the system lets write anyway) sees it too.
    const int mode = folder ? 0555 : 0444;
    QCOMPARE(::chmod(QFile::encodeName(target).constData(), mode_t(mode)), 0);
    const Run refused = RunKymata(arguments, dir_->path());
    QCOMPARE(refused.exitCode, 1);
    QVERIFY2(refused.err.contains(QStringLiteral("it is write-protected (mode 0%1), so nothing was "
                                                 "written; --force replaces it all the same")
                                      .arg(QString::number(mode, 8))),
             qPrintable(refused.err));
    QCOMPARE(refused.err.count(QLatin1Char('\n')), 1);
    QCOMPARE(Contents(held), QByteArray("kept"));
    const Run forced = RunKymata(QStringList(arguments) << "--force", dir_->path());
    QCOMPARE(forced.exitCode, 0);
    QVERIFY(Contents(held) != "kept");
    QCOMPARE(ModeOf(target), mode);
    QCOMPARE(Entries(dir_->path()), QStringList{arguments.last()});
    ::chmod(QFile::encodeName(target).constData(), folder ? 0755 : 0644);
}

QTEST_GUILESS_MAIN(TestInterruptedWrites)
#include "tst_interrupted_writes.moc"
