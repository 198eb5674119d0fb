// The lesson with a projector beside the laptop (an X screen of two monitors, here the offscreen
// platform's): in presentation mode the stage goes full screen on the projector and the laptop's
// window becomes the presenter's view, with the beat's notes, the next beat and the times; the
// remote's keys work on either; leaving the presentation brings the stage back into the window.

#include "lesson/lesson.h"
#include "shell/canvas_widget.h"
#include "shell/lesson_stage.h"
#include "shell/main_window.h"
#include "shell/startup.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include <memory>

using namespace kymata;

class TestLessonScreens : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void stageOnTheProjector();
};

void TestLessonScreens::stageOnTheProjector() {
    const QList<QScreen*> screens = QGuiApplication::screens();
    QCOMPARE(screens.size(), 2);
    Controls start;
    start.ELLINIKA = false;
    std::unique_ptr<DHMIOYRGO_KYKLO> w(Main(start, 3));
    w->setWindowState(Qt::WindowNoState);
    w->setGeometry(QRect(QPoint(0, 0), QSize(1366, 740)));
    QApplication::processEvents();
    auto* stage = w->findChild<LessonStage*>(QStringLiteral("lessonStage"));
    QVERIFY(stage && !stage->isWindow());
    w->SetPresentation(true);
    QApplication::processEvents();
    // The stage is its own window, full screen on the projector, in presentation mode.
    QVERIFY(stage->isWindow());
    QVERIFY(stage->isVisible());
    QCOMPARE(stage->screen(), screens[1]);
    QCOMPARE(stage->geometry(), screens[1]->geometry());
    QVERIFY(stage->Presentation());
    QVERIFY(stage->Layout().figure.width() >= 0.85 * 1080);
    // The laptop shows the window with the presenter's view.
    QCOMPARE(w->screen(), screens[0]);
    auto* presenter = w->findChild<QLabel*>(QStringLiteral("lessonPresenter"));
    QVERIFY(presenter->isVisible());
    const BeatPage page = BeatPageOf(3, 1, "en");
    QVERIFY(presenter->text().contains(QString::fromStdString(page.notes)));
    QVERIFY(presenter->text().contains(
        QString::fromStdString(BeatPageOf(3, 2, "en").onScreen.front())));
    QVERIFY(presenter->text().contains(QStringLiteral("0:0")));
    // The remote's keys on the window and on the stage alike.
    QTest::keyClick(w.get(), Qt::Key_PageDown);
    QCOMPARE(stage->Beat(), 2);
    QVERIFY(presenter->text().contains(QString::fromStdString(BeatPageOf(3, 2, "en").notes)));
    QTest::keyClick(stage, Qt::Key_PageDown);
    QCOMPARE(stage->Beat(), 3);
    QTest::keyClick(stage, Qt::Key_PageUp);
    QCOMPARE(stage->Beat(), 2);
    QTest::keyClick(stage, Qt::Key_B);
    QVERIFY(stage->Blank());
    QTest::keyClick(stage, Qt::Key_Period);
    QVERIFY(!stage->Blank());
    // Esc leaves the presentation: the stage is back over the window, the presenter's view gone.
    QTest::keyClick(stage, Qt::Key_Escape);
    QApplication::processEvents();
    QVERIFY(!w->Canvas().Presentation());
    QVERIFY(!stage->isWindow());
    QVERIFY(stage->isVisible());
    QCOMPARE(stage->geometry(), w->rect());
    QVERIFY(!presenter->isVisible());
    QCOMPARE(w->LessonStep(), 3);
    // F5 on the stage while it is on the projector leaves the presentation too (the start
    // button of some remotes sends F5 and Esc by turns).
    w->SetPresentation(true);
    QVERIFY(stage->isWindow());
    QTest::keyClick(stage, Qt::Key_F5);
    QVERIFY(!w->Canvas().Presentation());
    QVERIFY(!stage->isWindow());
}

QTEST_MAIN(TestLessonScreens)
#include "tst_lesson_screens.moc"
