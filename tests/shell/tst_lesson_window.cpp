// The lesson in the window: F2, the LESSON button and the menu open it; a presenter's remote
// (Page Down, Page Up) and the arrows on the canvas go beat by beat and on to the next step, the
// panel's Next and Back step by step; Again restores the step's scene after the class has moved
// the controls; Esc leaves it and keeps the scene; where the teacher explores (C, the whole
// window) its panel stands beside or below the figure on every screen and grows for a class.
// B moves the target point to the best focus, as a teacher needs between steps.

#include "lesson/lesson.h"
#include "shell/canvas_widget.h"
#include "shell/lesson_panel.h"
#include "shell/main_window.h"
#include "shell/startup.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace kymata;

namespace {

std::unique_ptr<DHMIOYRGO_KYKLO> WindowOfSize(QSize size, std::optional<int> lessonStep = {}) {
    std::unique_ptr<DHMIOYRGO_KYKLO> w(Main({}, lessonStep));
    w->setWindowState(Qt::WindowNoState);
    w->resize(size);
    QApplication::processEvents();
    return w;
}

LessonPanel* Panel(DHMIOYRGO_KYKLO& w) {
    return w.findChild<LessonPanel*>(QStringLiteral("lesson"));
}

QString TextOf(DHMIOYRGO_KYKLO& w, const char* name) {
    return w.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

void Press(QWidget* target, Qt::Key key) {
    QTest::keyClick(target, key);
    QApplication::processEvents();
}

/// `key` pressed as often as step `step` has beats: from its first beat to the next step's.
void PressThroughStep(Qt::Key key, int step) {
    for (int beat = 1; beat <= LessonBeatCount(step); ++beat) {
        Press(QApplication::focusWidget(), key);
    }
}

/// C: the whole window for exploring, the stage gone.
void Explore(DHMIOYRGO_KYKLO& w) {
    w.activateWindow();
    QApplication::processEvents();
    Press(QApplication::focusWidget() ? QApplication::focusWidget() : &w, Qt::Key_C);
    QVERIFY(!w.findChild<QWidget*>(QStringLiteral("lessonStage"))->isVisible());
}

} // namespace

class TestLessonWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void stepsByEveryMeans();
    void againRestoresTheScene();
    void escapeKeepsTheScene();
    void panelOnEveryScreen_data();
    void panelOnEveryScreen();
    void presentationEnlargesTheLesson();
    void startsAtAStep();
    void readsTheNewStep();
    void bestFocusKey();
};

void TestLessonWindow::stepsByEveryMeans() {
    const auto w = WindowOfSize(QSize(1920, 1080));
    QCOMPARE(w->LessonStep(), 0);
    Press(w.get(), Qt::Key_F2);
    QCOMPARE(w->LessonStep(), 1);
    QVERIFY(Panel(*w)->isVisible());
    QCOMPARE(TextOf(*w, "lessonProgress"), QStringLiteral("Βήμα 1 από 10"));
    QVERIFY(w->ReadControls() == LessonScene(1, "el"));
    // A presenter's remote: Page Down and Page Up beat by beat, wherever the focus is, a
    // scroll bar of the whole window too.
    Explore(*w);
    w->findChild<QScrollBar*>(QStringLiteral("initial_POINT"))->setFocus();
    PressThroughStep(Qt::Key_PageDown, 1);
    QCOMPARE(w->LessonStep(), 2);
    QCOMPARE(w->LessonBeat(), 1);
    PressThroughStep(Qt::Key_PageDown, 2);
    QCOMPARE(w->LessonStep(), 3);
    Press(QApplication::focusWidget(), Qt::Key_PageUp);
    QCOMPARE(w->LessonStep(), 2);
    QCOMPARE(w->LessonBeat(), LessonBeatCount(2));
    // The arrows on the canvas.
    w->Canvas().setFocus();
    Press(&w->Canvas(), Qt::Key_Right);
    QCOMPARE(w->LessonStep(), 3);
    Press(&w->Canvas(), Qt::Key_Left);
    QCOMPARE(w->LessonStep(), 2);
    QCOMPARE(w->LessonBeat(), LessonBeatCount(2));
    // The buttons; Back stops at the first step, Next at the last.
    auto* next = w->findChild<QPushButton*>(QStringLiteral("lessonNext"));
    auto* back = w->findChild<QPushButton*>(QStringLiteral("lessonBack"));
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(w->LessonStep(), 1);
    QVERIFY(!back->isEnabled());
    for (int i = 1; i < LessonStepCount() + 3; ++i) {
        w->NextLessonStep();
    }
    QCOMPARE(w->LessonStep(), LessonStepCount());
    QVERIFY(!next->isEnabled());
    QVERIFY(w->ReadControls() == LessonScene(LessonStepCount(), "el"));
    // The visible LESSON button closes it again; then Page Down is a scroll bar's page again.
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("lessonButton")), Qt::LeftButton);
    QCOMPARE(w->LessonStep(), 0);
}

void TestLessonWindow::againRestoresTheScene() {
    const auto w = WindowOfSize(QSize(1366, 768), 5);
    QCOMPARE(w->LessonStep(), 5);
    const Controls scene = LessonScene(5, "el");
    QVERIFY(w->ReadControls() == scene);
    Explore(*w);
    // The class moves the controls: they stay live, the step stays.
    auto* focus = w->findChild<QScrollBar*>(QStringLiteral("fOCUS_POINT"));
    focus->setValue(30);
    QCOMPARE(w->ReadControls().fOCUS_POINT, 30);
    QCOMPARE(w->LessonStep(), 5);
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("lessonAgain")), Qt::LeftButton);
    QVERIFY(w->ReadControls() == scene);
}

void TestLessonWindow::escapeKeepsTheScene() {
    const auto w = WindowOfSize(QSize(1366, 768), 7);
    const Controls scene = w->ReadControls();
    QVERIFY(scene.perfectLens);
    Press(w.get(), Qt::Key_Escape);
    QCOMPARE(w->LessonStep(), 0);
    QVERIFY(!Panel(*w)->isVisible());
    QVERIFY(w->ReadControls() == scene);
    // In presentation mode Esc leaves the presentation first.
    w->OpenLesson(2);
    w->SetPresentation(true);
    Press(w.get(), Qt::Key_Escape);
    QCOMPARE(w->LessonStep(), 2);
    QVERIFY(!w->Canvas().Presentation());
    Press(w.get(), Qt::Key_Escape);
    QCOMPARE(w->LessonStep(), 0);
}

void TestLessonWindow::panelOnEveryScreen_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("step");
    for (const QSize size : {QSize(1920, 1080), QSize(1366, 768), QSize(1280, 800),
                             QSize(1024, 768), QSize(800, 600), QSize(1080, 1920)}) {
        for (const int step : {1, 5}) {
            QTest::addRow("%dx%d, step %d", size.width(), size.height(), step) << size << step;
        }
    }
}

// The panel is shown whole inside the window, clear of the canvas and of every control, and
// wide enough to read.
void TestLessonWindow::panelOnEveryScreen() {
    QFETCH(QSize, size);
    QFETCH(int, step);
    const auto w = WindowOfSize(size, step);
    Explore(*w);
    LessonPanel* panel = Panel(*w);
    QVERIFY(panel->isVisible());
    const QRect area = panel->geometry();
    QVERIFY2(QRect(QPoint(0, 0), w->size()).contains(area), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                           .arg(area.x())
                                                                           .arg(area.y())
                                                                           .arg(area.width())
                                                                           .arg(area.height())));
    QVERIFY(area.width() >= 200 && area.height() >= 150);
    for (QWidget* child : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != panel && child->isVisible() && !child->inherits("QMenu")) {
            QVERIFY2(!child->geometry().intersects(area), qPrintable(child->objectName()));
        }
    }
}

void TestLessonWindow::presentationEnlargesTheLesson() {
    const auto w = WindowOfSize(QSize(1920, 1080), 4);
    auto* text = w->findChild<QLabel*>(QStringLiteral("lessonText"));
    const double before = text->font().pointSizeF();
    w->SetPresentation(true);
    QApplication::processEvents();
    QVERIFY(text->font().pointSizeF() >= 1.4 * before);
    QVERIFY(Panel(*w)->isVisible());
}

void TestLessonWindow::startsAtAStep() {
    const auto w = WindowOfSize(QSize(1366, 768), 9);
    QCOMPARE(w->LessonStep(), 9);
    QVERIFY(w->ReadControls() == LessonScene(9, "el"));
    QCOMPARE(TextOf(*w, "lessonTitle"), QString::fromStdString(LessonPageOf(9, "el").title));
}

// A screen reader is given the new step's title and narration when the step changes, in the
// window's language.
void TestLessonWindow::readsTheNewStep() {
    const auto w = WindowOfSize(QSize(1366, 768), 3);
    w->findChild<QWidget*>(QStringLiteral("AGLIKA"))->setFocus();
    QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("AGLIKA")), Qt::LeftButton);
    w->NextLessonStep();
    auto* text = w->findChild<QLabel*>(QStringLiteral("lessonText"));
    QAccessibleInterface* said = QAccessible::queryAccessibleInterface(text);
    const LessonPage page = LessonPageOf(4, "en");
    QCOMPARE(said->text(QAccessible::Name), QString::fromStdString(page.title));
    QCOMPARE(said->text(QAccessible::Description), QString::fromStdString(page.text));
    QCOMPARE(TextOf(*w, "lessonProgress"), QStringLiteral("Step 4 of 10"));
}

// B moves F to the whole step nearest the best focus, and says so; where there is none F stays.
void TestLessonWindow::bestFocusKey() {
    Controls far;
    far.initial_POINT = -200;
    far.view = View::Waves;
    far.ELLINIKA = false;
    std::unique_ptr<DHMIOYRGO_KYKLO> w(Main(far));
    w->resize(1366, 768);
    QApplication::processEvents();
    Press(w.get(), Qt::Key_B);
    QCOMPARE(w->ReadControls().fOCUS_POINT, 8);
    QVERIFY(w->findChild<QPushButton*>(QStringLiteral("bestFocusButton"))->isVisible());
    Controls start;
    start.view = View::Waves;
    start.ELLINIKA = false;
    w->SetControls(start);
    w->DrawConstruction();
    const QString said = w->MoveFocusToBestFocus();
    QVERIFY2(said.startsWith(QStringLiteral("This lens has no best focus")), qPrintable(said));
    // A screen reader is told the same.
    QCOMPARE(w->findChild<QPushButton*>(QStringLiteral("bestFocusButton"))->accessibleDescription(),
             said);
    QCOMPARE(w->ReadControls().fOCUS_POINT, 5);
}

QTEST_MAIN(TestLessonWindow)
#include "tst_lesson_window.moc"
