// The window's state without the window: the moving crests, the flash, the lesson's steps and
// the language beyond the switch follow their rules whatever the widgets do.

#include "lesson/lesson.h"
#include "shell/print_service.h"
#include "shell/window_state.h"
#include "waves/wave_trace.h"
#include "waves/wave_view.h"

#include <QTest>

using namespace kymata;

namespace {

Controls WaveScene() {
    Controls c;
    c.view = View::Waves;
    return c;
}

} // namespace

class TestWindowState : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void onlyTheWaveViewMoves_data();
    void onlyTheWaveViewMoves();
    void crestsGoRoundThePeriod();
    void speedStaysWithinItsSteps_data();
    void speedStaysWithinItsSteps();
    void aFlashCrossesTheFigureAndEnds();
    void lessonSteps();
    void aLanguageBeyondTheSwitch();
    void aPrintJobIsFollowedToItsEnd_data();
    void aPrintJobIsFollowedToItsEnd();
};

void TestWindowState::onlyTheWaveViewMoves_data() {
    QTest::addColumn<int>("view");
    QTest::addColumn<bool>("moves");
    QTest::newRow("classic") << int(View::Classic) << false;
    QTest::newRow("waves") << int(View::Waves) << true;
}

// Play, a flash and a frame on work in the wave view alone; what a redraw of the classic view
// reads carries no crests and no perfect lens.
void TestWindowState::onlyTheWaveViewMoves() {
    QFETCH(int, view);
    QFETCH(bool, moves);
    Controls shown;
    shown.view = static_cast<View>(view);
    shown.perfectLens = true;
    WindowState state;
    QCOMPARE(state.SetPlaying(true, shown.view), moves);
    QCOMPARE(state.Playing(), moves);
    QCOMPARE(state.StartFlash(shown.view), moves);
    const Controls redrawn = state.ForRedraw(shown);
    QCOMPARE(redrawn.perfectLens, moves);
    QCOMPARE(redrawn.flash.has_value(), moves);
    state.SetPlaying(false, shown.view);
    QCOMPARE(state.StepFrame(state.ForRedraw(shown)), moves);
    // Leaving the wave view stops everything where it started.
    state.LeaveWaves();
    QVERIFY(!state.Playing());
    QVERIFY(!state.FlashCount());
    QCOMPARE(state.Phase(), 0.0);
    QVERIFY(!state.ForRedraw(WaveScene()).phase);
}

// The phase grows by the speed times the time and goes round the period; paused at 0 the
// redraw is the still view, playing it carries the phase; a frame on is a sixtieth of a period
// at any speed, and only while paused.
void TestWindowState::crestsGoRoundThePeriod() {
    const Controls waves = WaveScene();
    WindowState state;
    QVERIFY(!state.ForRedraw(waves).phase);
    state.SetSpeed(2);
    state.SetPlaying(true, waves.view);
    state.Advance(0.3, state.ForRedraw(waves));
    QCOMPARE(state.Phase(), 0.6);
    QCOMPARE(*state.ForRedraw(waves).phase, 0.6);
    state.Advance(0.3, state.ForRedraw(waves));
    QVERIFY(std::abs(state.Phase() - 0.2) < 1e-12);
    state.Advance(-5, state.ForRedraw(waves));
    QVERIFY(std::abs(state.Phase() - 0.2) < 1e-12);
    QVERIFY(!state.StepFrame(state.ForRedraw(waves)));
    state.SetPlaying(false, waves.view);
    QVERIFY(state.StepFrame(state.ForRedraw(waves)));
    QVERIFY(std::abs(state.Phase() - (0.2 + WindowState::FramePeriods)) < 1e-12);
    // Paused away from 0 the redraw keeps the phase it stopped at.
    QVERIFY(state.ForRedraw(waves).phase);
}

void TestWindowState::speedStaysWithinItsSteps_data() {
    QTest::addColumn<double>("asked");
    QTest::addColumn<double>("speed");
    QTest::newRow("start") << 1.0 << 1.0;
    QTest::newRow("fastest") << 4.0 << 4.0;
    QTest::newRow("beyond the fastest") << 8.0 << 4.0;
    QTest::newRow("slowest") << 0.25 << 0.25;
    QTest::newRow("below the slowest") << 0.125 << 0.25;
    QTest::newRow("zero") << 0.0 << 0.25;
    QTest::newRow("negative") << -2.0 << 0.25;
}

void TestWindowState::speedStaysWithinItsSteps() {
    QFETCH(double, asked);
    QFETCH(double, speed);
    WindowState state;
    state.SetSpeed(asked);
    QCOMPARE(state.Speed(), speed);
}

// A flash starts at the source and crosses the figure in FlashSeconds at speed 1, half of it in
// half the time, twice as fast at speed 2; once past the farthest count it ends.
void TestWindowState::aFlashCrossesTheFigureAndEnds() {
    const Controls waves = WaveScene();
    const double most = waves::MostCount(waves::TraceWaves(waves));
    WindowState state;
    QVERIFY(state.StartFlash(waves.view));
    QCOMPARE(*state.FlashCount(), 0.0);
    QVERIFY(state.Playing());
    state.Advance(WindowState::FlashSeconds / 2, state.ForRedraw(waves));
    QVERIFY(std::abs(*state.FlashCount() - most / 2) < 1e-9 * most);
    QCOMPARE(*state.ForRedraw(waves).flash, *state.FlashCount());
    QVERIFY(!state.ForRedraw(waves).phase);
    state.SetSpeed(2);
    state.Advance(WindowState::FlashSeconds / 4 * 1.01, state.ForRedraw(waves));
    QVERIFY(!state.FlashCount());
    // The crests go on from where they were.
    QCOMPARE(state.Phase(), 0.0);
}

// The lesson opens within its steps, with each step's scene and flash; Next and Back stop at
// the ends, Again is the same step, and none works with the lesson closed.
void TestWindowState::lessonSteps() {
    WindowState state;
    QCOMPARE(state.LessonStep(), 0);
    QVERIFY(!state.NextStep() && !state.PreviousStep() && !state.SameStep());
    QCOMPARE(state.OpenLesson(0, "en"), LessonScene(1, "en"));
    QCOMPARE(state.LessonStep(), 1);
    QVERIFY(!state.PreviousStep());
    QCOMPARE(*state.NextStep(), 2);
    QCOMPARE(*state.SameStep(), 1);
    const int last = LessonStepCount();
    QCOMPARE(state.OpenLesson(last + 5, "el"), LessonScene(last, "el"));
    QCOMPARE(state.LessonStep(), last);
    QVERIFY(!state.NextStep());
    QCOMPARE(*state.PreviousStep(), last - 1);
    // A step with a flash opens with it, paused where the step shows it.
    for (int step = 1; step <= last; ++step) {
        state.SetPlaying(true, View::Waves);
        const Controls scene = state.OpenLesson(step, "en");
        QVERIFY(!state.Playing());
        QCOMPARE(state.FlashCount(), scene.flash);
        QCOMPARE(state.Phase(), 0.0);
    }
    state.CloseLesson();
    QCOMPARE(state.LessonStep(), 0);
    QVERIFY(!state.NextStep() && !state.SameStep());
}

// A language beyond GREEK and ENGLISH reaches every redraw, with the switch off.
void TestWindowState::aLanguageBeyondTheSwitch() {
    WindowState state;
    Controls shown;
    QCOMPARE(TextLanguage(state.ForRedraw(shown)), std::string_view("el"));
    state.SetMoreLanguage("qpa");
    const Controls redrawn = state.ForRedraw(shown);
    QCOMPARE(TextLanguage(redrawn), std::string_view("qpa"));
    QVERIFY(!redrawn.ELLINIKA);
    state.SetMoreLanguage({});
    shown.ELLINIKA = false;
    QCOMPARE(TextLanguage(state.ForRedraw(shown)), std::string_view("en"));
}

void TestWindowState::aPrintJobIsFollowedToItsEnd_data() {
    QTest::addColumn<bool>("answered");
    QTest::addColumn<int>("job");
    QTest::addColumn<int>("printer");
    QTest::addColumn<bool>("waitOver");
    QTest::addColumn<int>("end");
    QTest::addColumn<bool>("failed");
    // IPP job states: 3 pending, 4 held, 5 processing, 6 stopped, 7 canceled, 8 aborted,
    // 9 completed; printer states: 3 idle, 4 processing, 5 stopped.
    QTest::newRow("done") << true << 9 << 3 << false << int(JobEnd::Printed) << false;
    QTest::newRow("printing") << true << 5 << 4 << false << int(JobEnd::Printing) << false;
    QTest::newRow("printing all along") << true << 5 << 4 << true << int(JobEnd::Printed) << false;
    QTest::newRow("pending, looked again")
        << true << 3 << 4 << false << int(JobEnd::Following) << false;
    QTest::newRow("pending when the wait is over")
        << true << 3 << 4 << true << int(JobEnd::Waiting) << false;
    QTest::newRow("pending in a stopped queue")
        << true << 3 << 5 << false << int(JobEnd::PrinterStopped) << true;
    QTest::newRow("held") << true << 4 << 3 << false << int(JobEnd::Held) << true;
    QTest::newRow("stopped") << true << 6 << 3 << false << int(JobEnd::Stopped) << true;
    QTest::newRow("stopped with its printer")
        << true << 6 << 5 << false << int(JobEnd::PrinterStopped) << true;
    QTest::newRow("canceled") << true << 7 << 3 << false << int(JobEnd::Canceled) << true;
    QTest::newRow("aborted") << true << 8 << 3 << false << int(JobEnd::Aborted) << true;
    QTest::newRow("no answer, looked again")
        << false << 0 << 0 << false << int(JobEnd::Following) << false;
    QTest::newRow("no answer all along")
        << false << 0 << 0 << true << int(JobEnd::ServiceSilent) << true;
}

// A page is said printed only once the service says so; an end that leaves it unprinted is a
// failure with its sentence; a page still queued when the wait is over is said to wait.
void TestWindowState::aPrintJobIsFollowedToItsEnd() {
    QFETCH(bool, answered);
    QFETCH(int, job);
    QFETCH(int, printer);
    QFETCH(bool, waitOver);
    QFETCH(int, end);
    QFETCH(bool, failed);
    JobLook look;
    look.answered = answered;
    look.jobState = job;
    look.printerState = printer;
    look.printerMessage = "out of paper";
    const JobEnd judged = JudgeJob(look, waitOver);
    QCOMPARE(int(judged), end);
    QCOMPARE(JobFailed(judged), failed);
    const QString said = PrintSentence(judged, look, QStringLiteral("Lab"), "en");
    const bool silent =
        judged == JobEnd::Following || judged == JobEnd::Printing || judged == JobEnd::Printed;
    QCOMPARE(said.isEmpty(), silent);
    QVERIFY(silent || said.contains(QStringLiteral("\"Lab\"")));
    if (judged == JobEnd::PrinterStopped) {
        QVERIFY(said.endsWith(QStringLiteral("The print service says: out of paper")));
    }
}

QTEST_GUILESS_MAIN(TestWindowState)
#include "tst_window_state.moc"
