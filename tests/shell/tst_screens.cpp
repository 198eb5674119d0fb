// The window on every screen and for every user: the layout at the sizes teachers meet, what a
// screen reader hears, the keyboard paths, the toolkit's dialogs in Greek, the help and the
// window opened from the command line.

#include "shell/canvas_widget.h"
#include "shell/form_layout.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "shell/window_layout.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace kymata;

namespace {

std::unique_ptr<DHMIOYRGO_KYKLO> WindowOfSize(QSize size, bool waves = false) {
    std::unique_ptr<DHMIOYRGO_KYKLO> w(Main(waves));
    w->setWindowState(Qt::WindowNoState);
    w->resize(size);
    QApplication::processEvents();
    return w;
}

/// The controls a user works with: every visible widget of the window but the canvas.
QList<QWidget*> VisibleControls(DHMIOYRGO_KYKLO& w) {
    QList<QWidget*> controls;
    for (QWidget* child : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisible() && child->objectName() != QLatin1String("EIKON") &&
            !child->inherits("QMenu")) {
            controls << child;
        }
    }
    return controls;
}

} // namespace

class TestScreens : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyControlWithinReach_data();
    void everyControlWithinReach();
    void designedLayoutKeptWhereItFits();
};

void TestScreens::everyControlWithinReach_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("waves");
    QTest::addColumn<Arrangement>("arrangement");
    QTest::newRow("1920x1080") << QSize(1920, 1080) << false << Arrangement::Designed;
    QTest::newRow("1366x768") << QSize(1366, 768) << false << Arrangement::Designed;
    QTest::newRow("1366x768 waves") << QSize(1366, 768) << true << Arrangement::Designed;
    QTest::newRow("1024x768") << QSize(1024, 768) << false << Arrangement::Designed;
    QTest::newRow("1024x768 waves") << QSize(1024, 768) << true << Arrangement::Designed;
    QTest::newRow("800x600") << QSize(800, 600) << false << Arrangement::Designed;
    QTest::newRow("800x600 waves") << QSize(800, 600) << true << Arrangement::Designed;
    QTest::newRow("narrow 700x600") << QSize(700, 600) << false << Arrangement::Shrunk;
    QTest::newRow("wide and low 1000x420") << QSize(1000, 420) << false << Arrangement::Beside;
    QTest::newRow("portrait 1080x1920") << QSize(1080, 1920) << false << Arrangement::Below;
    QTest::newRow("portrait 1080x1920 waves") << QSize(1080, 1920) << true << Arrangement::Below;
    QTest::newRow("half screen 800x900") << QSize(800, 900) << true << Arrangement::Below;
    QTest::newRow("700x800") << QSize(700, 800) << false << Arrangement::Below;
}

void TestScreens::everyControlWithinReach() {
    QFETCH(QSize, size);
    QFETCH(bool, waves);
    QFETCH(Arrangement, arrangement);
    const auto w = WindowOfSize(size, waves);
    QCOMPARE(w->size(), size);
    QCOMPARE(w->CurrentArrangement(), arrangement);
    const QRect client = w->rect();
    const QRect canvas = w->Canvas().geometry();
    QCOMPARE(canvas.width(), canvas.height());
    QVERIFY(client.contains(canvas));
    // The canvas takes the most the controls leave it: at least half the shorter side.
    QVERIFY2(canvas.width() >= std::min(size.width(), size.height()) / 2,
             qPrintable(QString::number(canvas.width())));
    const QList<QWidget*> controls = VisibleControls(*w);
    QVERIFY(controls.size() >= (waves ? 18 : 14));
    for (QWidget* control : controls) {
        const QString name = control->objectName();
        QVERIFY2(client.contains(control->geometry()), qPrintable(name));
        QVERIFY2(!control->geometry().intersects(canvas), qPrintable(name));
        // Big enough to be seen and worked: as tall as the toolkit draws it.
        QVERIFY2(control->height() >= std::min(control->sizeHint().height(), 16), qPrintable(name));
        QVERIFY2(control->width() >= 40, qPrintable(name));
    }
    if (arrangement == Arrangement::Beside || arrangement == Arrangement::Below) {
        // The compact panel overlaps nothing.
        for (QWidget* a : controls) {
            for (QWidget* b : controls) {
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + QLatin1Char('/') + b->objectName()));
            }
        }
    }
}

void TestScreens::designedLayoutKeptWhereItFits() {
    // On a landscape screen where the design fits, the thirteen controls and the canvas stand
    // exactly where the design puts them; on a portrait one the design does not fit at all.
    for (const QSize size : {QSize(1920, 1080), QSize(1366, 768), QSize(1024, 768)}) {
        const auto w = WindowOfSize(size);
        const FormLayout designed = ComputeFormLayout(size, w->screen()->logicalDotsPerInch());
        for (const FormLayout::Placement& p : designed.placements) {
            QCOMPARE(w->findChild<QWidget*>(p.name)->geometry(), p.rect);
        }
    }
    QVERIFY(!FitsInside(ComputeFormLayout(QSize(1080, 1920), 96), QSize(1080, 1920)));
    QVERIFY(!FitsInside(ComputeFormLayout(QSize(700, 800), 96), QSize(700, 800)));
    QVERIFY(FitsInside(ComputeFormLayout(QSize(1366, 768), 96), QSize(1366, 768)));
}

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
