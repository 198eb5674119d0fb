// A lesson step's view decides what may stand beside --lesson: a wave-view step takes the
// moving crests, a still phase, a flash and the frames; a classic step refuses them in one
// sentence that names its view.

#include "export/kymata_process.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestLessonOptions : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void waveOptionsWithAStep_data();
    void waveOptionsWithAStep();
};

void TestLessonOptions::waveOptionsWithAStep_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    // Step 8 (a flash) and step 4 are in the wave view, steps 1 to 3 in the classic one.
    QTest::newRow("animate a wave-view step")
        << QStringList{"--lesson", "8", "--animate", "--export", "out.svg"} << 0 << "";
    QTest::newRow("a still phase of a wave-view step")
        << QStringList{"--lesson", "4", "--phase", "0.25", "--export", "out.json"} << 0 << "";
    QTest::newRow("frames of a wave-view step")
        << QStringList{"--lesson", "10", "--frames", "2", "--size", "20", "--export", "out"} << 0
        << "";
    QTest::newRow("a flash in a wave-view step")
        << QStringList{"--lesson", "5", "--flash", "30", "--size", "20", "--export", "out.png"} << 0
        << "";
    QTest::newRow("animate a classic step")
        << QStringList{"--lesson", "2", "--animate", "--export", "out.svg"} << 2
        << "--animate goes with --view waves, and step 2 of the lesson shows --view classic";
    QTest::newRow("a phase in a classic step, in Greek")
        << QStringList{"--lang", "el", "--lesson", "1", "--phase", "0.5", "--export", "out.json"}
        << 2
        << "το --phase συνοδεύει το --view waves, ενώ το βήμα 1 του μαθήματος δείχνει --view "
           "classic";
    // The view is still the step's own: naming it is refused as before.
    QTest::newRow("a view beside a step")
        << QStringList{"--lesson", "8", "--view", "waves", "--animate", "--export", "out.svg"} << 2
        << "--lesson sets the scene of its step; leave out --view";
}

void TestLessonOptions::waveOptionsWithAStep() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    const QTemporaryDir dir;
    const Run run = RunKymata(arguments, dir.path());
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode != 0) {
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
        QVERIFY(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        return;
    }
    const QString out = QDir(dir.path()).filePath(arguments.last());
    if (arguments.contains(QStringLiteral("--frames"))) {
        QCOMPARE(QDir(out).entryList(QDir::Files).size(), 2);
        return;
    }
    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    if (arguments.contains(QStringLiteral("--animate"))) {
        QVERIFY(bytes.contains("<animate"));
    } else if (out.endsWith(QLatin1String(".json"))) {
        // The step's texts come with its figure, of the moment asked for.
        QVERIFY(bytes.contains("\"lesson\"") && bytes.contains("\"phase\""));
    } else {
        QVERIFY(bytes.startsWith("\x89PNG"));
    }
}

QTEST_GUILESS_MAIN(TestLessonOptions)
#include "tst_lesson_options.moc"
