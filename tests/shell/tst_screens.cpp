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
    void barsSpeakShownValues_data();
    void barsSpeakShownValues();
    void canvasDescribesTheFigure();
    void presentationEnlargesTheControls();
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

void TestScreens::barsSpeakShownValues_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<QVariant>("set");
    QTest::addColumn<int>("raw");
    QTest::addColumn<QString>("label");
    QTest::newRow("index") << "n_DIATHLASI"
                           << "1.50" << 1.5 << 1.05 << 2.5 << QVariant(1.65) << 165 << " n = 1.65";
    QTest::newRow("index between steps")
        << "n_DIATHLASI"
        << "1.50" << 1.5 << 1.05 << 2.5 << QVariant(1.6449) << 164 << " n = 1.64";
    QTest::newRow("source, a distance")
        << "initial_POINT"
        << "20" << 20.0 << 3.0 << 200.0 << QVariant(35) << -35 << "  X0 =35 Wavelengths";
    QTest::newRow("focus") << "fOCUS_POINT"
                           << "5" << 5.0 << 1.0 << 50.0 << QVariant(12) << 12
                           << " Focus point = 12";
    QTest::newRow("thickness") << "pachos"
                               << "20" << 20.0 << 1.0 << 20.0 << QVariant(7) << 7
                               << "LENS WIDTH = 35 # of Waves = 7.00";
    // Values a bar cannot take: clamped to its end, or refused.
    QTest::newRow("index past its end")
        << "n_DIATHLASI"
        << "1.50" << 1.5 << 1.05 << 2.5 << QVariant(9.0) << 250 << " n = 2.5";
    QTest::newRow("source nearer than 3")
        << "initial_POINT"
        << "20" << 20.0 << 3.0 << 200.0 << QVariant(-4) << -3 << "  X0 =3 Wavelengths";
    QTest::newRow("not a number") << "n_DIATHLASI"
                                  << "1.50" << 1.5 << 1.05 << 2.5
                                  << QVariant(QStringLiteral("much")) << 150 << " n = 1.5";
    QTest::newRow("infinite") << "fOCUS_POINT"
                              << "5" << 5.0 << 1.0 << 50.0 << QVariant(qInf()) << 5
                              << " Focus point = 5";
}

void TestScreens::barsSpeakShownValues() {
    QFETCH(QString, bar);
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(QVariant, set);
    QFETCH(int, raw);
    QFETCH(QString, label);
    const auto w = WindowOfSize(QSize(1366, 768));
    QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("AGLIKA")), Qt::LeftButton);
    auto* scrollBar = w->findChild<QScrollBar*>(bar);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(scrollBar);
    QAccessibleValueInterface* values = accessible->valueInterface();
    QVERIFY(values);
    QCOMPARE(accessible->text(QAccessible::Value), text);
    QCOMPARE(values->currentValue().toDouble(), value);
    QCOMPARE(values->minimumValue().toDouble(), minimum);
    QCOMPARE(values->maximumValue().toDouble(), maximum);
    // Setting a value from the screen reader moves the bar and redraws like any other change.
    values->setCurrentValue(set);
    QCOMPARE(scrollBar->value(), raw);
    const QString readout = bar == QLatin1String("initial_POINT") ? QStringLiteral("Label1")
                            : bar == QLatin1String("fOCUS_POINT") ? QStringLiteral("Label2")
                            : bar == QLatin1String("n_DIATHLASI") ? QStringLiteral("Label3")
                                                                  : QStringLiteral("Label4");
    // The read-out says its text, whatever it is now.
    QCOMPARE(QAccessible::queryAccessibleInterface(w->findChild<QLabel*>(readout))
                 ->text(QAccessible::Name),
             label);
}

void TestScreens::canvasDescribesTheFigure() {
    const auto w = WindowOfSize(QSize(1366, 768));
    QAccessibleInterface* canvas = QAccessible::queryAccessibleInterface(&w->Canvas());
    const QString greek = canvas->text(QAccessible::Description);
    QVERIFY2(greek.startsWith(QStringLiteral("Κατασκευή σφαιρικού φακού. Πηγή 20 μήκη κύματος")),
             qPrintable(greek));
    QVERIFY(greek.contains(QStringLiteral("δείκτης διάθλασης 1.50")));
    // Every count the figure prints is in the description, in the order drawn.
    qsizetype from = 0;
    int counts = 0;
    for (const Item& item : w->Canvas().Figure().items) {
        if (const auto* t = std::get_if<TextItem>(&item); t && t->role == TextRole::Count) {
            const qsizetype at = greek.indexOf(QString::fromStdString(t->text), from);
            QVERIFY2(at >= 0, t->text.c_str());
            from = at;
            ++counts;
        }
    }
    QVERIFY(counts >= 10);
    QVERIFY(greek.contains(QStringLiteral("#L")));

    // It follows every redraw: the language, the construction and the values.
    QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("AGLIKA")), Qt::LeftButton);
    QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("YPERVOLIKO")), Qt::LeftButton);
    auto* index = w->findChild<QScrollBar*>(QStringLiteral("n_DIATHLASI"));
    index->setValue(172);
    const QString english = canvas->text(QAccessible::Description);
    QVERIFY2(english.startsWith(QStringLiteral("Hyperbolic lens construction. Source 20 "
                                               "wavelengths before the lens, focus 5 wavelengths "
                                               "behind it, refractive index 1.72, thickness 20")),
             qPrintable(english));
    QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("waveView")), Qt::LeftButton);
    const QString waves = canvas->text(QAccessible::Description);
    QVERIFY2(waves.startsWith(QStringLiteral("Wave view, hyperbolic lens.")), qPrintable(waves));
    // The wave view's summary that the figure prints, such as the count on the axis.
    QVERIFY2(waves.contains(QStringLiteral("Counts on the figure: Axial count W0 (waves) = ")),
             qPrintable(waves));
}

void TestScreens::presentationEnlargesTheControls() {
    const auto w = WindowOfSize(QSize(1366, 768));
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    auto* readout = w->findChild<QLabel*>(QStringLiteral("Label1"));
    auto* print = w->findChild<QWidget*>(QStringLiteral("Command1"));
    const double points = readout->font().pointSizeF();
    QTest::keyClick(w.get(), Qt::Key_F5);
    QVERIFY(w->Canvas().Presentation());
    QApplication::processEvents();
    QCOMPARE(readout->font().pointSizeF(), points * CanvasWidget::PresentationText);
    QCOMPARE(print->font().pointSizeF(), points * CanvasWidget::PresentationText);
    // Laid out again for the larger type, on whatever screen presents it.
    for (QWidget* control : VisibleControls(*w)) {
        QVERIFY2(w->rect().contains(control->geometry()), qPrintable(control->objectName()));
        QVERIFY2(control->height() >= std::min(control->sizeHint().height(), 24),
                 qPrintable(control->objectName()));
    }
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QApplication::processEvents();
    QCOMPARE(readout->font().pointSizeF(), points);
}

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
