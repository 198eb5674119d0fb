// Nothing lost, nothing replaced by mistake: every output of the program, tried as an adversary
// would, on a full file system, on FIFOs, devices and links, on read-only and set-user-ID files,
// and the start without a display; and the command line's messages stay one clear line.

#include "export/kymata_process.h"
#include "export/safe_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

using namespace kymata;

namespace {

/// The real program run headless in `folder`, with the variables `extra` set.
Run Kymata(const QStringList& arguments, const QString& folder,
           const QList<std::pair<QString, QString>>& extra = {}) {
    return RunKymata(arguments, folder, extra);
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// The temporary files a write may have left in `folder`.
QStringList Leftovers(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral(".*kymata-*")},
                                  QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

class TestSafeWrites : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanupTestCase();
    void refusesWhatIsNotARegularFile_data();
    void refusesWhatIsNotARegularFile();
    void writesThroughALinkToAFile();
    void keepsModeAndOwner_data();
    void keepsModeAndOwner();
    void fullFileSystem_data();
    void fullFileSystem();
    void commandLineMessages_data();
    void commandLineMessages();
    void fileNameThatIsNotUtf8();
    void startFigureNeverReplacesAFile_data();
    void startFigureNeverReplacesAFile();
    void windowThatCannotOpen_data();
    void windowThatCannotOpen();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString mounted_;
    QString Path(const QString& name) const { return dir_->filePath(name); }
};

void TestSafeWrites::init() {
    dir_ = std::make_unique<QTemporaryDir>();
}

void TestSafeWrites::cleanupTestCase() {
    if (!mounted_.isEmpty()) {
        QProcess::execute(QStringLiteral("umount"), {mounted_});
    }
}

void TestSafeWrites::refusesWhatIsNotARegularFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reason");
    for (const char* file : {"out.json", "out.png", "out.pdf"}) {
        QTest::addRow("FIFO, %s", file) << "fifo" << file << "it is a FIFO, not a regular file";
        QTest::addRow("link to /dev/full, %s", file)
            << "link to /dev/full" << file << "a symbolic link to a character device";
    }
    QTest::newRow("link to /dev/null") << "link to /dev/null"
                                       << "out.svg"
                                       << "a symbolic link to a character device";
    QTest::newRow("folder") << "folder"
                            << "out.svg"
                            << "it is a folder, not a regular file";
    QTest::newRow("link to nothing")
        << "dangling link"
        << "out.json"
        << "it is a symbolic link to a file that cannot be reached (No such file or directory)";
}

void TestSafeWrites::refusesWhatIsNotARegularFile() {
    QFETCH(QString, kind);
    QFETCH(QString, file);
    QFETCH(QString, reason);
    const QString path = Path(file);
    const QByteArray name = QFile::encodeName(path);
    if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(name.constData(), 0644), 0);
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path));
    } else if (kind == QLatin1String("dangling link")) {
        QCOMPARE(::symlink(QFile::encodeName(Path("missing")).constData(), name.constData()), 0);
    } else {
        QCOMPARE(::symlink(kind.section(QLatin1Char(' '), 2).toLocal8Bit().constData(),
                           name.constData()),
                 0);
    }
    struct stat before {};
    QCOMPARE(::lstat(name.constData(), &before), 0);
    for (const QString& option : {QStringLiteral("--export"), QStringLiteral("--print-to")}) {
        if (option == QLatin1String("--print-to") && !file.endsWith(QLatin1String(".pdf")) &&
            !file.endsWith(QLatin1String(".json"))) {
            continue;
        }
        const Run run = Kymata({option, path}, dir_->path());
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(reason) && run.err.contains(QLatin1String("nothing was written")),
                 qPrintable(run.err));
        QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
    }
    struct stat after {};
    QCOMPARE(::lstat(name.constData(), &after), 0);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(after.st_ino, before.st_ino);
    QVERIFY(Leftovers(dir_->path()).isEmpty());
}

void TestSafeWrites::writesThroughALinkToAFile() {
    QFile target(Path("target.json"));
    QVERIFY(target.open(QIODevice::WriteOnly));
    target.write("old");
    target.close();
    QCOMPARE(::symlink("target.json", QFile::encodeName(Path("link.json")).constData()), 0);
    const Run run = Kymata({"--export", Path("link.json")}, dir_->path());
    QCOMPARE(run.exitCode, 0);
    QVERIFY(QFileInfo(Path("link.json")).isSymLink());
    QVERIFY(Contents(Path("target.json")).startsWith("{"));
    QVERIFY(Leftovers(dir_->path()).isEmpty());
}

void TestSafeWrites::keepsModeAndOwner_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("otherOwner");
    QTest::newRow("read-only 0444") << 0444 << false;
    QTest::newRow("private 0600") << 0600 << false;
    QTest::newRow("set-user-ID 04755, another owner") << 04755 << true;
}

void TestSafeWrites::keepsModeAndOwner() {
    QFETCH(int, mode);
    QFETCH(bool, otherOwner);
    if (otherOwner && ::geteuid() != 0) {
        QSKIP("giving a file another owner needs root");
    }
    for (const char* file : {"kept.json", "kept.png"}) {
        const QString path = Path(QLatin1String(file));
        const QByteArray name = QFile::encodeName(path);
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        if (otherOwner) {
            QCOMPARE(::chown(name.constData(), 1234, 5678), 0);
        }
        QCOMPARE(::chmod(name.constData(), static_cast<mode_t>(mode)), 0);
        // A write-protected file is replaced only when the user says so (--force, or yes).
        const WriteProtectionWaived told;
        QCOMPARE(WriteFileSafely(path, "new contents", "en").ok, true);
        struct stat after {};
        QCOMPARE(::stat(name.constData(), &after), 0);
        QCOMPARE(int(after.st_mode & 07777), mode);
        if (otherOwner) {
            QCOMPARE(int(after.st_uid), 1234);
            QCOMPARE(int(after.st_gid), 5678);
        }
        QCOMPARE(Contents(path), QByteArray("new contents"));
    }
}

void TestSafeWrites::fullFileSystem_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::newRow("png") << QStringList{"--export"} << "figure.png";
    QTest::newRow("svg") << QStringList{"--export"} << "figure.svg";
    QTest::newRow("pdf") << QStringList{"--export"} << "figure.pdf";
    QTest::newRow("json") << QStringList{"--export"} << "figure.json";
    QTest::newRow("animated svg") << QStringList{"--view", "waves", "--animate", "--export"}
                                  << "waves.svg";
    QTest::newRow("printed page, pdf") << QStringList{"--print-to"} << "page.pdf";
    QTest::newRow("printed page, json") << QStringList{"--print-to"} << "page.json";
}

void TestSafeWrites::fullFileSystem() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    if (mounted_.isEmpty()) {
        // A file system of 8 KiB: room for a small file and the start of another, no more.
        static QTemporaryDir mountPoint;
        if (::geteuid() != 0) {
            QSKIP("a small file system is mounted for this test, which needs root");
        }
        if (QProcess::execute(QStringLiteral("mount"),
                              {"-t", "tmpfs", "-o", "size=8k", "tmpfs", mountPoint.path()}) != 0) {
            QSKIP("a tmpfs could not be mounted here (no permission to mount)");
        }
        mounted_ = mountPoint.path();
    }
    const QString path = QDir(mounted_).filePath(file);
    QFile::remove(path);
    // A new file: no file at all afterwards.
    Run run = Kymata(arguments + QStringList{path}, mounted_);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QLatin1String("No space left on device")) && run.err.contains(path),
             qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(path));
    // An existing file: as it was.
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("the user's own figure");
    old.close();
    run = Kymata(arguments + QStringList{path}, mounted_);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QLatin1String("No space left on device")), qPrintable(run.err));
    QCOMPARE(Contents(path), QByteArray("the user's own figure"));
    QVERIFY(Leftovers(mounted_).isEmpty());
    QFile::remove(path);
}

void TestSafeWrites::commandLineMessages_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expected");
    QTest::newRow("help-all lists the Qt options")
        << QStringList{"--help-all"} << 0 << "-platform <name>";
    QTest::newRow("a newline in a value") << QStringList{"--source", "-3\n0", "--export", "x.png"}
                                          << 2 << "--source: '-3\\n0' is not valid";
    QTest::newRow("an escape in a file name") << QStringList{"--export", "x\x1b[31m.txt"} << 2
                                              << "'x\\x1b[31m.txt' has no known extension";
    QTest::newRow("a repeated option")
        << QStringList{"--source", "-30", "--source", "-40", "--export", "x.png"} << 2
        << "--source is given more than once";
    QTest::newRow("a repeated switch")
        << QStringList{"--hyperbola", "--hyperbola", "--export", "x.png"} << 2
        << "--hyperbola is given more than once";
    QTest::newRow("one dash for a long option")
        << QStringList{"-source", "-30", "--export", "x.png"} << 2 << "did you mean --source?";
    QTest::newRow("a negative value is not taken for an option")
        << QStringList{"--source", "-30", "--export", "x.json"} << 0 << "";
}

void TestSafeWrites::commandLineMessages() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, expected);
    const Run run = Kymata(arguments, dir_->path());
    QCOMPARE(run.exitCode, exitCode);
    const QString said = exitCode == 0 ? run.out : run.err;
    QVERIFY2(said.contains(expected), qPrintable(said));
    if (exitCode != 0) {
        QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
        QVERIFY(QDir(dir_->path()).entryList(QDir::Files).isEmpty());
    }
}

void TestSafeWrites::fileNameThatIsNotUtf8() {
    // The name goes to the program as the bytes a shell would pass.
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(dir_->path());
    process.start(QStringLiteral("/bin/sh"),
                  {"-c", QStringLiteral("exec '%1' --export \"$(printf 'a\\377.json')\"")
                             .arg(QStringLiteral(KYMATA_BINARY))});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 2);
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(err.contains(QLatin1String("is not valid UTF-8")), qPrintable(err));
    QVERIFY(QDir(dir_->path()).entryList(QDir::Files).isEmpty());
}

void TestSafeWrites::startFigureNeverReplacesAFile_data() {
    QTest::addColumn<QString>("existing");
    QTest::newRow("a file of that name") << "file";
    QTest::newRow("a link of that name") << "link";
}

void TestSafeWrites::startFigureNeverReplacesAFile() {
    QFETCH(QString, existing);
    const QString start = Path(QStringLiteral("kymata-figure.png"));
    const QString target = Path(QStringLiteral("precious.txt"));
    QFile precious(existing == QLatin1String("file") ? start : target);
    QVERIFY(precious.open(QIODevice::WriteOnly));
    precious.write("mine");
    precious.close();
    if (existing == QLatin1String("link")) {
        QCOMPARE(::symlink("precious.txt", QFile::encodeName(start).constData()), 0);
    }
    const Run run = Kymata({}, dir_->path());
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains(QLatin1String("no display was found")) &&
                 run.out.contains(QLatin1String("The start figure is in kymata-figure-2.png")) &&
                 run.out.contains(QLatin1String("To see the window")),
             qPrintable(run.out));
    QCOMPARE(Contents(precious.fileName()), QByteArray("mine"));
    QVERIFY(Contents(Path(QStringLiteral("kymata-figure-2.png"))).startsWith("\x89PNG"));
}

void TestSafeWrites::windowThatCannotOpen_data() {
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a display that cannot be opened")
        << "DISPLAY"
        << ":77"
        << "the display \":77\" cannot be opened; check the variable DISPLAY";
    QTest::newRow("a platform that does not exist")
        << "QT_QPA_PLATFORM"
        << "nonsense"
        << "there is no windowing platform \"nonsense\"; check the variable QT_QPA_PLATFORM";
}

void TestSafeWrites::windowThatCannotOpen() {
    QFETCH(QString, variable);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    const Run run = Kymata({}, dir_->path(), {{variable, value}});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(expected), qPrintable(run.err));
    QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
    QVERIFY(!run.err.contains(QLatin1String("Reinstalling")));
}

QTEST_GUILESS_MAIN(TestSafeWrites)
#include "tst_safe_writes.moc"
