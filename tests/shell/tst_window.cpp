#include "drawing/drawn_extent.h"
#include "figure/figure_content.h"
#include "figure/figure_document.h"
#include "shell/canvas_menu.h"
#include "shell/canvas_widget.h"
#include "shell/file_icons.h"
#include "shell/form_layout.h"
#include "shell/main_window.h"
#include "shell/readout_label.h"
#include "shell/startup.h"
#include "shell/toolkit_language.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCompleter>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <functional>

#include <memory>
#include <sys/stat.h>

using namespace kymata;

namespace {

using Action = std::function<void(DHMIOYRGO_KYKLO&)>;

template <typename T = QWidget> T* Control(DHMIOYRGO_KYKLO& w, const char* name) {
    return w.findChild<T*>(QString::fromLatin1(name));
}

QScrollBar* Bar(DHMIOYRGO_KYKLO& w, const char* name) {
    return Control<QScrollBar>(w, name);
}

QString Caption(DHMIOYRGO_KYKLO& w, const char* label) {
    return Control<QLabel>(w, label)->text();
}

/// Where on the scroll bar a part of it lies.
QPoint Centre(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.subControls = QStyle::SC_All;
    opt.orientation = Qt::Horizontal;
    opt.state |= QStyle::State_Horizontal;
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    const QRect r = bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, bar);
    return r.center();
}

Action ClickOn(const char* name, QStyle::SubControl part) {
    return [name, part](DHMIOYRGO_KYKLO& w) {
        QScrollBar* bar = Bar(w, name);
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, Centre(bar, part));
    };
}

Action Key(const char* name, Qt::Key key) {
    return [name, key](DHMIOYRGO_KYKLO& w) {
        QScrollBar* bar = Bar(w, name);
        bar->setFocus();
        QTest::keyClick(bar, key);
    };
}

Action Click(const char* name) {
    return [name](DHMIOYRGO_KYKLO& w) { QTest::mouseClick(Control(w, name), Qt::LeftButton); };
}

std::unique_ptr<DHMIOYRGO_KYKLO> StartWindow() {
    std::unique_ptr<DHMIOYRGO_KYKLO> w(Main());
    // Out of the maximised start, to a size of the test's own.
    w->setWindowState(Qt::WindowNoState);
    w->resize(1200, 900);
    return w;
}

} // namespace

Q_DECLARE_METATYPE(Action)

class TestWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startState();
    void eachEventRedrawsOnce_data();
    void eachEventRedrawsOnce();
    void thumbDragRedrawsOnceOnRelease();
    void languageSwitchesEveryText();
    void parallelBeamChangesNothing();
    void refractiveIndexAtItsLimits();
    void layoutProportions_data();
    void layoutProportions();
    void resizeRelaysOutWithoutRedrawing();
    void tabOrder();
    void printCancelChangesNothing();
    void readoutKeepsItsUnitWhole();
    void printToPdfFile_data();
    void printToPdfFile();
    void printFailureIsReported();
    void silentPrintServiceNeverFreezes_data();
    void silentPrintServiceNeverFreezes();
    void fileDialogsNeverReadFiles_data();
    void fileDialogsNeverReadFiles();
    void dialogsGetThePlainIcons();
    void saveFigureMatchesExport_data();
    void saveFigureMatchesExport();
    void saveFailureLeavesNothing();
    void accessibleTexts_data();
    void accessibleTexts();
    void togglesRedrawFromAnySource_data();
    void togglesRedrawFromAnySource();
    void shortcuts();
    void canvasMenuFollowsTheLanguage();
    void zoomKeepsThePointUnderTheCursor();
    void zoomKeysAndPanning();
    void liveDragging_data();
    void liveDragging();
    void presentationMode();
    void saveWorksheetMatchesExport();
    void waveViewFromEverySwitch();
    void waveViewFollowsTheControls();
    void movingWaves();
    void playingPaintsInLayers();
    void flashRunsOut();
};

void TestWindow::startState() {
    const auto w = StartWindow();
    QCOMPARE(w->objectName(), QStringLiteral("DHMIOYRGO_KYKLO"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Kymata — ΣΧΕΔΙΑΣΗ ΑΚΤΙΝΩΝ ΚΑΙ ΠΡΟΣΠΤΩΣΗΣ"));
    QVERIFY(!w->windowIcon().pixmap(64, 64).isNull());
    struct Expected {
        const char* name;
        int min, max, small, large, value;
    };
    for (const Expected& e :
         {Expected{"initial_POINT", -200, -3, 1, 10, -20}, Expected{"fOCUS_POINT", 1, 50, 1, 10, 5},
          Expected{"n_DIATHLASI", 105, 250, 1, 10, 150}, Expected{"pachos", 1, 20, 1, 5, 20}}) {
        QScrollBar* bar = Bar(*w, e.name);
        QVERIFY2(bar, e.name);
        QCOMPARE(bar->orientation(), Qt::Horizontal);
        QCOMPARE(bar->minimum(), e.min);
        QCOMPARE(bar->maximum(), e.max);
        QCOMPARE(bar->singleStep(), e.small);
        QCOMPARE(bar->pageStep(), e.large);
        QCOMPARE(bar->value(), e.value);
    }
    QCOMPARE(Control<QPushButton>(*w, "Command1")->text(), QStringLiteral("ΕΚΤΥΠΩΣΗ"));
    QCOMPARE(Control<QCheckBox>(*w, "f_apeiro")->text(), QStringLiteral("Παράλληλη ΔΕΣΜΗ"));
    QCOMPARE(Control<QCheckBox>(*w, "YPERVOLIKO")->text(), QStringLiteral("ΥΠΕΡΒΟΛΗ"));
    QVERIFY(!Control<QCheckBox>(*w, "f_apeiro")->isChecked());
    QVERIFY(!Control<QCheckBox>(*w, "YPERVOLIKO")->isChecked());
    QCOMPARE(Control<QRadioButton>(*w, "ELLINIKA")->text(), QStringLiteral("ΕΛΛΗΝΙΚΑ"));
    QCOMPARE(Control<QRadioButton>(*w, "AGLIKA")->text(), QStringLiteral("ENGLISH"));
    QVERIFY(Control<QRadioButton>(*w, "ELLINIKA")->isChecked());
    QVERIFY(!Control<QRadioButton>(*w, "AGLIKA")->isChecked());
    QVERIFY(Control<CanvasWidget>(*w, "EIKON"));

    // The first figure is there without any action, in Greek.
    QCOMPARE(w->Scene().RefractiveIndex, 1.5);
    QCOMPARE(Caption(*w, "Label1"), QStringLiteral("  X0 =20 μήκη κύματος"));
    QCOMPARE(Caption(*w, "Label2"), QStringLiteral(" Σημείο Εστίασης  = 5"));
    QCOMPARE(Caption(*w, "Label3"), QStringLiteral(" n = 1.5"));
    QCOMPARE(Caption(*w, "Label4"), QStringLiteral("Φάρδος Φακού = 100 # κυμάτων = 20.00"));
    QCOMPARE(w->Canvas().Figure().box, (UserBox{-120, 120, 120, -120}));
    QCOMPARE(w->Canvas().Figure().items.size(), std::size_t(906));
}

void TestWindow::eachEventRedrawsOnce_data() {
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("caption");
    QTest::newRow("source arrow") << ClickOn("initial_POINT", QStyle::SC_ScrollBarAddLine)
                                  << "initial_POINT" << -19 << "Label1"
                                  << "  X0 =19 μήκη κύματος";
    QTest::newRow("source track") << ClickOn("initial_POINT", QStyle::SC_ScrollBarSubPage)
                                  << "initial_POINT" << -30 << "Label1"
                                  << "  X0 =30 μήκη κύματος";
    QTest::newRow("source key") << Key("initial_POINT", Qt::Key_Left) << "initial_POINT" << -21
                                << "Label1"
                                << "  X0 =21 μήκη κύματος";
    QTest::newRow("focus arrow") << ClickOn("fOCUS_POINT", QStyle::SC_ScrollBarAddLine)
                                 << "fOCUS_POINT" << 6 << "Label2"
                                 << " Σημείο Εστίασης  = 6";
    QTest::newRow("focus track") << ClickOn("fOCUS_POINT", QStyle::SC_ScrollBarAddPage)
                                 << "fOCUS_POINT" << 15 << "Label2"
                                 << " Σημείο Εστίασης  = 15";
    QTest::newRow("index arrow") << ClickOn("n_DIATHLASI", QStyle::SC_ScrollBarSubLine)
                                 << "n_DIATHLASI" << 149 << "Label3"
                                 << " n = 1.49";
    QTest::newRow("index key") << Key("n_DIATHLASI", Qt::Key_Right) << "n_DIATHLASI" << 151
                               << "Label3"
                               << " n = 1.51";
    QTest::newRow("thickness track")
        << ClickOn("pachos", QStyle::SC_ScrollBarSubPage) << "pachos" << 15 << "Label4"
        << "Φάρδος Φακού = 75 # κυμάτων = 15.00";
    QTest::newRow("thickness key") << Key("pachos", Qt::Key_Left) << "pachos" << 19 << "Label4"
                                   << "Φάρδος Φακού = 95 # κυμάτων = 19.00";
    QTest::newRow("hyperbola") << Click("YPERVOLIKO") << "" << 0 << "Label4"
                               << " AB = 20 μήκη κύματος";
    QTest::newRow("English") << Click("AGLIKA") << "" << 0 << "Label2"
                             << " Focus point = 5";
    QTest::newRow("Greek again") << Click("ELLINIKA") << "" << 0 << "Label2"
                                 << " Σημείο Εστίασης  = 5";
}

void TestWindow::eachEventRedrawsOnce() {
    QFETCH(Action, action);
    QFETCH(QString, control);
    QFETCH(int, value);
    QFETCH(QString, label);
    QFETCH(QString, caption);
    const auto w = StartWindow();
    QSignalSpy redraws(w.get(), &DHMIOYRGO_KYKLO::FigureRedrawn);
    action(*w);
    QCOMPARE(redraws.count(), 1);
    if (!control.isEmpty()) {
        QCOMPARE(Bar(*w, qPrintable(control))->value(), value);
    }
    QCOMPARE(Caption(*w, qPrintable(label)), caption);
}

void TestWindow::thumbDragRedrawsOnceOnRelease() {
    const auto w = StartWindow();
    QScrollBar* bar = Bar(*w, "initial_POINT");
    QSignalSpy redraws(w.get(), &DHMIOYRGO_KYKLO::FigureRedrawn);
    const QPoint start = Centre(bar, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, start);
    for (int dx = 4; dx <= 40; dx += 4) {
        QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(dx, 0)),
                         bar->mapToGlobal(QPointF(start + QPoint(dx, 0))), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
    }
    QVERIFY(bar->sliderPosition() > -20);
    QCOMPARE(redraws.count(), 0);
    // The read-out follows the thumb while the figure waits.
    QCOMPARE(Caption(*w, "Label1"),
             QStringLiteral("  X0 =%1 μήκη κύματος").arg(-bar->sliderPosition()));
    QCOMPARE(Caption(*w, "Label2"), QStringLiteral(" Σημείο Εστίασης  = 5"));
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, start + QPoint(40, 0));
    QCOMPARE(redraws.count(), 1);
    QCOMPARE(bar->value(), bar->sliderPosition());
    QVERIFY(Caption(*w, "Label1") != QStringLiteral("  X0 =20 μήκη κύματος"));
}

void TestWindow::languageSwitchesEveryText() {
    const auto w = StartWindow();
    QTest::mouseClick(Control(*w, "YPERVOLIKO"), Qt::LeftButton);
    const Recording greek = w->Canvas().Figure();
    const auto captions = [&] {
        QStringList texts{w->windowTitle()};
        for (const char* name : {"Command1", "YPERVOLIKO", "f_apeiro", "ELLINIKA", "AGLIKA"}) {
            texts << Control<QAbstractButton>(*w, name)->text();
        }
        return texts;
    };
    QCOMPARE(captions(), (QStringList{"Kymata — ΣΧΕΔΙΑΣΗ ΑΚΤΙΝΩΝ ΚΑΙ ΠΡΟΣΠΤΩΣΗΣ", "ΕΚΤΥΠΩΣΗ",
                                      "ΥΠΕΡΒΟΛΗ", "Παράλληλη ΔΕΣΜΗ", "ΕΛΛΗΝΙΚΑ", "ENGLISH"}));
    QTest::mouseClick(Control(*w, "AGLIKA"), Qt::LeftButton);
    QCOMPARE(captions(), (QStringList{"Kymata — DRAWING OF RAYS AND INCIDENCE", "PRINT",
                                      "HYPERBOLA", "Parallel BEAM", "GREEK", "ENGLISH"}));
    QCOMPARE(Caption(*w, "Label1"), QStringLiteral(" INITIAL POINT  X= -20 XA = 100.0"));
    QCOMPARE(Caption(*w, "Label4"), QStringLiteral(" AB = 20 wavelengths"));
    QCOMPARE(Caption(*w, "Label2"), QStringLiteral(" Focus point = 5"));
    // The canvas texts of the hyperbolic figure follow the language, in the same places.
    const Recording english = w->Canvas().Figure();
    QCOMPARE(english.items.size(), greek.items.size());
    const auto textOf = [](const Recording& figure, std::size_t i) {
        return std::get<TextItem>(figure.items[i]).text;
    };
    for (std::size_t i = 0; i < greek.items.size(); ++i) {
        if (std::holds_alternative<TextItem>(greek.items[i])) {
            QVERIFY(textOf(greek, i) != textOf(english, i));
            QCOMPARE(std::get<TextItem>(greek.items[i]).y, std::get<TextItem>(english.items[i]).y);
        } else {
            QVERIFY(greek.items[i] == english.items[i]);
        }
    }

    QTest::mouseClick(Control(*w, "YPERVOLIKO"), Qt::LeftButton);
    QCOMPARE(Caption(*w, "Label1"), QStringLiteral("  X0 =20 Wavelengths"));
    QCOMPARE(Caption(*w, "Label4"), QStringLiteral("LENS WIDTH = 100 # of Waves = 20.00"));
    // Clicking the selected language redraws the same figure.
    const Recording spherical = w->Canvas().Figure();
    QSignalSpy redraws(w.get(), &DHMIOYRGO_KYKLO::FigureRedrawn);
    QTest::mouseClick(Control(*w, "AGLIKA"), Qt::LeftButton);
    QCOMPARE(redraws.count(), 1);
    QCOMPARE(w->Canvas().Figure(), spherical);
    QVERIFY(Control<QRadioButton>(*w, "AGLIKA")->isChecked());
}

void TestWindow::parallelBeamChangesNothing() {
    const auto w = StartWindow();
    for (const bool hyperbola : {false, true}) {
        if (hyperbola) {
            QTest::mouseClick(Control(*w, "YPERVOLIKO"), Qt::LeftButton);
        }
        const Recording before = w->Canvas().Figure();
        QSignalSpy redraws(w.get(), &DHMIOYRGO_KYKLO::FigureRedrawn);
        QTest::mouseClick(Control(*w, "f_apeiro"), Qt::LeftButton);
        QCOMPARE(redraws.count(), 0);
        QCOMPARE(w->Canvas().Figure(), before);
        w->DrawConstruction(); // the next redraw, whatever causes it
        QCOMPARE(w->Canvas().Figure(), before);
    }
}

void TestWindow::refractiveIndexAtItsLimits() {
    const auto w = StartWindow();
    Key("n_DIATHLASI", Qt::Key_Home)(*w);
    QCOMPARE(Caption(*w, "Label3"), QStringLiteral(" n = 1.05"));
    QCOMPARE(w->Scene().RefractiveIndex, 1.05);
    Key("n_DIATHLASI", Qt::Key_End)(*w);
    QCOMPARE(Caption(*w, "Label3"), QStringLiteral(" n = 2.5"));
    QCOMPARE(w->Scene().LensWavelength, 2.0);
    // A step past the end changes nothing and draws nothing.
    QSignalSpy redraws(w.get(), &DHMIOYRGO_KYKLO::FigureRedrawn);
    Key("n_DIATHLASI", Qt::Key_Right)(*w);
    QCOMPARE(redraws.count(), 0);
}

void TestWindow::layoutProportions_data() {
    QTest::addColumn<QSize>("client");
    QTest::addColumn<double>("dpi");
    QTest::newRow("full HD") << QSize(1920, 1040) << 96.0;
    QTest::newRow("4:3 at 120 dpi") << QSize(1024, 740) << 120.0;
    QTest::newRow("tall") << QSize(900, 1400) << 96.0;
}

void TestWindow::layoutProportions() {
    QFETCH(QSize, client);
    QFETCH(double, dpi);
    const FormLayout l = ComputeFormLayout(client, dpi);
    const QRect e = l.Rect("EIKON");
    QCOMPARE(e.width(), e.height());
    QVERIFY(std::abs(e.height() - 0.9 * client.height()) <= 1);
    QVERIFY(std::abs(e.left() - 0.01 * client.width()) <= 1);
    QVERIFY(std::abs(e.top() - 0.01 * client.height()) <= 1);

    // The scroll bars share a left edge at the canvas's right and a fifth of its width.
    for (const char* bar : {"initial_POINT", "fOCUS_POINT", "n_DIATHLASI", "pachos"}) {
        QVERIFY2(std::abs(l.Rect(bar).left() - (e.left() + e.width())) <= 1, bar);
        QVERIFY2(std::abs(l.Rect(bar).width() - e.width() / 5.0) <= 1, bar);
    }
    for (const char* label : {"Label1", "Label2", "Label3", "Label4"}) {
        QVERIFY2(std::abs(l.Rect(label).width() - 0.75 * e.width() / 5.0) <= 1, label);
        QVERIFY2(std::abs(l.Rect(label).left() - l.Rect("initial_POINT").right() - 1) <= 1, label);
    }
    // The focus bar a third and the thickness bar two thirds down the canvas; the index bar
    // three bar-heights above its lower edge.
    QVERIFY(std::abs(l.Rect("fOCUS_POINT").top() - (e.top() + e.height() / 3.0)) <= 1);
    QVERIFY(std::abs(l.Rect("pachos").top() - (e.top() + 2 * e.height() / 3.0)) <= 1);
    const int barHeight = l.Rect("fOCUS_POINT").height();
    QVERIFY(std::abs(l.Rect("n_DIATHLASI").top() - (e.bottom() + 1 - 3 * barHeight)) <= 2);
    // Design sizes come from twips at the screen's dpi; PRINT sits at the canvas's top.
    QVERIFY(std::abs(l.Rect("Command1").width() - 1332 * dpi / 1440) <= 1);
    QCOMPARE(l.Rect("Command1").top(), e.top());
    QVERIFY(std::abs(l.Rect("YPERVOLIKO").left() - (l.Rect("Command1").right() + 1)) <= 1);
    QVERIFY(std::abs(l.Rect("initial_POINT").top() - (l.Rect("Command1").bottom() + 1)) <= 1);
    QVERIFY(l.Rect("ELLINIKA").top() >= l.Rect("initial_POINT").bottom());
    QVERIFY(l.Rect("AGLIKA").top() >= l.Rect("ELLINIKA").bottom());
    QVERIFY(std::abs(l.Rect("f_apeiro").top() - (l.Rect("pachos").bottom() + 1)) <= 1);
}

void TestWindow::resizeRelaysOutWithoutRedrawing() {
    const auto w = StartWindow();
    const Recording figure = w->Canvas().Figure();
    QSignalSpy redraws(w.get(), &DHMIOYRGO_KYKLO::FigureRedrawn);
    w->resize(1000, 700);
    QApplication::processEvents();
    QCOMPARE(Control(*w, "EIKON")->geometry(), ComputeFormLayout(w->size(), 96).Rect("EIKON"));
    QCOMPARE(Control(*w, "EIKON")->width(), 630);
    w->resize(1600, 1000);
    QApplication::processEvents();
    QCOMPARE(Control(*w, "EIKON")->width(), 900);
    QCOMPARE(redraws.count(), 0);
    QCOMPARE(w->Canvas().Figure(), figure);
}

void TestWindow::tabOrder() {
    const auto w = StartWindow();
    QStringList order;
    QWidget* at = Control(*w, "EIKON");
    do {
        if (at->focusPolicy() & Qt::TabFocus) {
            order << at->objectName();
        }
        at = at->nextInFocusChain();
    } while (at != Control(*w, "EIKON") && order.size() < 30);
    // The design's order, then the wave view's switch, the lesson and the ledger.
    QCOMPARE(order, (QStringList{"EIKON",         "Command1",         "initial_POINT",
                                 "fOCUS_POINT",   "n_DIATHLASI",      "pachos",
                                 "f_apeiro",      "YPERVOLIKO",       "ELLINIKA",
                                 "AGLIKA",        "waveView",         "perfectLens",
                                 "playButton",    "flashButton",      "bestFocusButton",
                                 "lessonButton",  "lessonShowAnswer", "lessonBack",
                                 "lessonAgain",   "lessonNext",       "lessonClose",
                                 "ledgerDetails", "ledgerTable",      "ledgerSummary"}));
}

void TestWindow::printCancelChangesNothing() {
    const auto w = StartWindow();
    QTest::mouseClick(Control(*w, "YPERVOLIKO"), Qt::LeftButton);
    const Recording figure = w->Canvas().Figure();
    const QString label1 = Caption(*w, "Label1");
    // The dialog opens once the print service has been asked, off the window's thread.
    bool dialogSeen = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&dialogSeen] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            dialogSeen = true;
            dialog->reject();
        }
    });
    watch.start(20);
    QTest::mouseClick(Control(*w, "Command1"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(dialogSeen, 10000);
    watch.stop();
    QCOMPARE(w->Canvas().Figure(), figure);
    QCOMPARE(Caption(*w, "Label1"), label1);
    QVERIFY(!w->findChild<QMessageBox*>());
}

// A print service that takes connections and never answers: PRINT asks it off the window's
// thread, the window answers input within a fraction of a second throughout, and after a few
// seconds says in one sentence that the service does not answer, naming the save that writes
// the same PDF; no dialog waits on it.
void TestWindow::silentPrintServiceNeverFreezes_data() {
    QTest::addColumn<bool>("lessonPlan");
    QTest::addColumn<QString>("instead");
    QTest::newRow("PRINT") << false << "\"Save figure as…\"";
    QTest::newRow("Print lesson plan…") << true << "\"Save lesson plan…\"";
}

void TestWindow::silentPrintServiceNeverFreezes() {
    QFETCH(bool, lessonPlan);
    QFETCH(QString, instead);
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    QList<QTcpSocket*> held;
    connect(&silent, &QTcpServer::newConnection, [&] {
        while (QTcpSocket* s = silent.nextPendingConnection()) {
            held << s; // read nothing, answer nothing
        }
    });
    const QByteArray before = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", QStringLiteral("127.0.0.1:%1").arg(silent.serverPort()).toUtf8());
    const auto w = StartWindow();
    QTest::mouseClick(Control(*w, "AGLIKA"), Qt::LeftButton);
    QSignalSpy finished(w.get(), &DHMIOYRGO_KYKLO::PrintFinished);
    QElapsedTimer since;
    qint64 longestGap = 0;
    qint64 last = 0;
    bool dialogOpened = false;
    QTimer beat;
    connect(&beat, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, since.elapsed() - last);
        last = since.elapsed();
        dialogOpened = dialogOpened ||
                       qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()) != nullptr;
    });
    since.start();
    beat.start(50);
    if (lessonPlan) {
        w->PrintLessonPlan();
    } else {
        QTest::mouseClick(Control(*w, "Command1"), Qt::LeftButton);
    }
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 20000);
    // The wait README states: the connection and one request, each bounded by 3 s.
    const qint64 waited = since.elapsed();
    qInfo("the silent print service was waited on for %lld ms", waited);
    beat.stop();
    if (before.isEmpty()) {
        qunsetenv("CUPS_SERVER");
    } else {
        qputenv("CUPS_SERVER", before);
    }
    QVERIFY2(longestGap < 2000, qPrintable(QString::number(longestGap)));
    QVERIFY(!dialogOpened);
    QCOMPARE(finished.first().at(0).toBool(), true);
    QVERIFY2(finished.first().at(1).toString().startsWith(
                 QStringLiteral("The print service does not answer")) &&
                 finished.first().at(1).toString().contains(instead),
             qPrintable(finished.first().at(1).toString()));
    QVERIFY2(waited < 6000, qPrintable(QString::number(waited)));
    auto* box = w->findChild<QMessageBox*>();
    QVERIFY(box && box->text() == finished.first().at(1).toString());
    box->accept();
    // The window goes on: PRINT can be pressed again.
    QVERIFY(Control(*w, "Command1")->isEnabled());
    qDeleteAll(held);
}

void TestWindow::printToPdfFile_data() {
    QTest::addColumn<bool>("hyperbola");
    QTest::newRow("spherical") << false;
    QTest::newRow("hyperbolic") << true;
}

void TestWindow::printToPdfFile() {
    QFETCH(bool, hyperbola);
    const auto w = StartWindow();
    if (hyperbola) {
        QTest::mouseClick(Control(*w, "YPERVOLIKO"), Qt::LeftButton);
    }
    const Recording before = w->Canvas().Figure();
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
    QVERIFY(w->PrintOn(printer));
    QFile pdf(printer.outputFileName());
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().startsWith("%PDF-"));
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    if (hyperbola) {
        // What printing the hyperbolic lens leaves on the canvas: its normals and counts.
        QCOMPARE(w->Canvas().Figure().box, (UserBox{-180, 180, 180, -180}));
        QVERIFY(w->Canvas().Figure().items.size() < before.items.size());
        QCOMPARE(Caption(*w, "Label1"), QStringLiteral(" Σημείο Πηγής X= -20 XA = 100.0"));
    } else {
        QCOMPARE(w->Canvas().Figure(), before);
    }
    QVERIFY(!w->findChild<QMessageBox*>());
}

void TestWindow::printFailureIsReported() {
    const auto w = StartWindow();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/page.pdf"));
    // Printing to a file is written as every file is: the path and the system's reason, in the
    // window's language.
    const QString greek = QStringLiteral("Δεν εκτυπώθηκε τίποτα: το /nonexistent-folder/page.pdf "
                                         "δεν μπορεί να γραφτεί: Δεν υπάρχει τέτοιο αρχείο ή "
                                         "φάκελος.");
    const QString english = QStringLiteral("Nothing was printed: cannot write "
                                           "/nonexistent-folder/page.pdf: No such file or "
                                           "directory.");
    for (const QString& said : {greek, english}) {
        if (said == english) {
            QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("AGLIKA")), Qt::LeftButton);
        }
        QVERIFY(!w->PrintOn(printer));
        auto* box = w->findChild<QMessageBox*>();
        QVERIFY(box);
        QCOMPARE(box->text(), said);
        box->accept();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The window goes on working.
    QSignalSpy redraws(w.get(), &DHMIOYRGO_KYKLO::FigureRedrawn);
    Key("pachos", Qt::Key_Left)(*w);
    QCOMPARE(redraws.count(), 1);
}

void TestWindow::saveFigureMatchesExport_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("hyperbola");
    QTest::newRow("json, Greek") << "figure.json" << 1000 << false << false;
    QTest::newRow("json, English hyperbola") << "figure.json" << 1000 << true << true;
    QTest::newRow("png, 300 px") << "figure.png" << 300 << false << false;
    QTest::newRow("png, hyperbola") << "figure.png" << 640 << true << true;
}

void TestWindow::saveFigureMatchesExport() {
    QFETCH(QString, name);
    QFETCH(int, size);
    QFETCH(bool, english);
    QFETCH(bool, hyperbola);
    const auto w = StartWindow();
    ClickOn("n_DIATHLASI", QStyle::SC_ScrollBarAddPage)(*w);
    ClickOn("pachos", QStyle::SC_ScrollBarSubLine)(*w);
    if (english) {
        Click("AGLIKA")(*w);
    }
    if (hyperbola) {
        Click("YPERVOLIKO")(*w);
    }
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("saved-") + name);
    QVERIFY(w->SaveFigure(saved, size));

    const QString exported = dir.filePath(QStringLiteral("exported-") + name);
    QStringList arguments = {"--export",    exported, "--index", "1.6",
                             "--thickness", "19",     "--size",  QString::number(size)};
    arguments << "--lang" << (english ? "en" : "el");
    if (hyperbola) {
        arguments << "--hyperbola";
    }
    QProcess process;
    process.start(QStringLiteral(KYMATA_BINARY), arguments);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);

    if (name.endsWith(QLatin1String(".json"))) {
        QFile a(saved);
        QFile b(exported);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), b.readAll());
    } else {
        const QImage a(saved);
        const QImage b(exported);
        QCOMPARE(a.size(), QSize(size, size));
        QCOMPARE(a.size(), b.size());
        QCOMPARE(a.convertToFormat(QImage::Format_ARGB32),
                 b.convertToFormat(QImage::Format_ARGB32));
    }
}

void TestWindow::saveFailureLeavesNothing() {
    const auto w = StartWindow();
    QTemporaryDir dir;
    QVERIFY(!w->SaveFigure(dir.filePath(QStringLiteral("missing/figure.png")), 500));
    auto* box = w->findChild<QMessageBox*>();
    QVERIFY(box);
    QVERIFY(box->text().contains(QStringLiteral("missing/figure.png")));
    box->accept();
    QVERIFY(!w->SaveFigure(dir.filePath(QStringLiteral("figure.bmp")), 500));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 0);
}

void TestWindow::accessibleTexts_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("source, Greek") << false << "initial_POINT"
                                   << "Θέση πηγής"
                                   << "Η πηγή απέχει 20 μήκη κύματος από την αρχή των αξόνων, 14 "
                                      "μήκη κύματος μπροστά από τον φακό (από 3 έως 200).";
    QTest::newRow("source, English") << true << "initial_POINT"
                                     << "Source position"
                                     << "The source is 20 wavelengths from the origin, 14 in front "
                                        "of the lens (3 to 200).";
    QTest::newRow("index, Greek") << false << "n_DIATHLASI"
                                  << "Δείκτης διάθλασης"
                                  << "n = 1.50, από 1.05 έως 2.50.";
    QTest::newRow("index, English") << true << "n_DIATHLASI"
                                    << "Refractive index"
                                    << "n = 1.50, from 1.05 to 2.50.";
    QTest::newRow("thickness, English") << true << "pachos"
                                        << "Lens thickness"
                                        << "The lens is 20 glass wavelengths thick (1 to 20).";
    QTest::newRow("focus, Greek") << false << "fOCUS_POINT"
                                  << "Σημείο-στόχος F"
                                  << "Το F βρίσκεται 5 μήκη κύματος πίσω από τον φακό (από 1 έως "
                                     "50): εκεί συγκρίνονται οι αριθμοί κυμάτων των ακτίνων. Η "
                                     "μετακίνησή του δεν αλλάζει τον φακό.";
    // A control that shows its caption or text is named by it: what a screen reader says and
    // what voice control finds it by.
    QTest::newRow("print, English") << true << "Command1"
                                    << "PRINT"
                                    << "Print: prints the current construction.";
    QTest::newRow("print, Greek") << false << "Command1"
                                  << "ΕΚΤΥΠΩΣΗ"
                                  << "Εκτύπωση: εκτυπώνει την τρέχουσα κατασκευή.";
    QTest::newRow("hyperbola, Greek") << false << "YPERVOLIKO"
                                      << "ΥΠΕΡΒΟΛΗ"
                                      << "Υπερβολικός φακός: σχεδιάζει φακό με μπροστινή "
                                         "επιφάνεια σε σχήμα υπερβολής.";
    QTest::newRow("hyperbola, English") << true << "YPERVOLIKO"
                                        << "HYPERBOLA"
                                        << "Hyperbolic lens: draws a lens whose front surface is "
                                           "a hyperbola.";
    QTest::newRow("parallel beam, Greek")
        << false << "f_apeiro"
        << "Παράλληλη ΔΕΣΜΗ"
        << "Παράλληλη δέσμη: στην κυματική εικόνα το φως φτάνει ως "
           "επίπεδο κύμα, σαν από πολύ μακρινή πηγή· το κλασικό "
           "σχήμα δεν αλλάζει.";
    QTest::newRow("parallel beam, English")
        << true << "f_apeiro"
        << "Parallel BEAM"
        << "Parallel beam: wave view only: a plane wave, light from a very distant source. The "
           "classic figures do not change.";
    QTest::newRow("Greek, Greek") << false << "ELLINIKA"
                                  << "ΕΛΛΗΝΙΚΑ"
                                  << "Ελληνικά: όλα τα κείμενα στα ελληνικά.";
    QTest::newRow("Greek, English") << true << "ELLINIKA"
                                    << "GREEK"
                                    << "Greek: all texts in Greek.";
    QTest::newRow("English, Greek") << false << "AGLIKA"
                                    << "ENGLISH"
                                    << "Αγγλικά: όλα τα κείμενα στα αγγλικά.";
    QTest::newRow("thickness read-out, English") << true << "Label4"
                                                 << "LENS WIDTH = 100 # of Waves = 20.00"
                                                 << "Thickness read-out";
    // The strip's buttons that describe themselves keep their own words.
    QTest::newRow("LESSON, English") << true << "lessonButton"
                                     << "LESSON"
                                     << "Lesson: why a lens focuses (F2)";
    QTest::newRow("best focus, English") << true << "bestFocusButton"
                                         << "F → BEST FOCUS"
                                         << "Move F to the best focus (B)";
}

void TestWindow::accessibleTexts() {
    QFETCH(bool, english);
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, description);
    const auto w = StartWindow();
    if (english) {
        Click("AGLIKA")(*w);
    }
    // As the accessibility layer gives them to a screen reader.
    const auto said = [&](const char* object, QAccessible::Text text) {
        return QAccessible::queryAccessibleInterface(Control(*w, object))->text(text);
    };
    QCOMPARE(said(qPrintable(control), QAccessible::Name).trimmed(), name);
    QCOMPARE(said(qPrintable(control), QAccessible::Description), description);
    // Every control of the form has a name in the current language.
    for (const DesignedControl& d : DesignedControls()) {
        QVERIFY2(!said(d.name, QAccessible::Name).isEmpty(), d.name);
    }
    // The description follows the value the control sets.
    Key("initial_POINT", Qt::Key_Left)(*w);
    QVERIFY(Control(*w, "initial_POINT")->accessibleDescription().contains(QLatin1String("21")));
}

void TestWindow::togglesRedrawFromAnySource_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("how");
    for (const char* control : {"YPERVOLIKO", "AGLIKA", "waveView"}) {
        QTest::addRow("%s, by the screen reader's toggle action", control) << control << "action";
        QTest::addRow("%s, by a click", control) << control << "click";
        QTest::addRow("%s, by the space bar", control) << control << "space";
    }
}

void TestWindow::togglesRedrawFromAnySource() {
    QFETCH(QString, control);
    QFETCH(QString, how);
    const auto w = StartWindow();
    auto* button = qobject_cast<QAbstractButton*>(Control(*w, qPrintable(control)));
    QVERIFY(button);
    QSignalSpy redraws(w.get(), &DHMIOYRGO_KYKLO::FigureRedrawn);
    if (how == QLatin1String("action")) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        QAccessibleActionInterface* actions = accessible->actionInterface();
        QVERIFY(actions);
        const QString toggle = QAccessibleActionInterface::toggleAction();
        QVERIFY2(actions->actionNames().contains(toggle),
                 qPrintable(actions->actionNames().join(',')));
        actions->doAction(toggle);
    } else if (how == QLatin1String("click")) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
    }
    QVERIFY(button->isChecked());
    QTRY_COMPARE(redraws.count(), 1);
    QTest::qWait(50);
    QCOMPARE(redraws.count(), 1);
    // The figure shows the new state.
    const Controls drawn = w->ReadControls();
    QVERIFY(drawn.YPERVOLIKO || !drawn.ELLINIKA || drawn.view == View::Waves);
}

void TestWindow::shortcuts() {
    const auto w = StartWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QString seen;
    const auto closeModal = [&seen] {
        QWidget* modal = QApplication::activeModalWidget();
        seen = modal ? QString::fromLatin1(modal->metaObject()->className()) : QString();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        }
    };
    QTimer::singleShot(0, closeModal);
    QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(seen, QStringLiteral("QFileDialog"));
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    // The print dialog opens once the print service has answered, off the window's thread.
    seen.clear();
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget()) {
            closeModal();
        }
    });
    watch.start(20);
    QTest::keyClick(w.get(), Qt::Key_P, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(seen, QStringLiteral("QPrintDialog"), 10000);
    watch.stop();
    QVERIFY(w->isVisible());
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w.get(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!w->isVisible());
}

void TestWindow::canvasMenuFollowsTheLanguage() {
    const auto w = StartWindow();
    const auto menuTexts = [&w] {
        QStringList texts;
        for (QAction* action : w->actions()) {
            texts << action->text();
        }
        return texts;
    };
    for (const char* text : {"Αποθήκευση σχήματος ως…", "Εκτύπωση…", "Έξοδος",
                             "Αποθήκευση φύλλου εργασίας ως…", "Λειτουργία παρουσίασης"}) {
        QVERIFY2(menuTexts().contains(QString::fromUtf8(text)), text);
    }
    Click("AGLIKA")(*w);
    for (const char* text : {"Save figure as…", "Print…", "Quit", "Print worksheet…",
                             "Live dragging", "Zoom in", "Whole figure"}) {
        QVERIFY2(menuTexts().contains(QString::fromUtf8(text)), text);
    }
    QCOMPARE(w->actions()[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(w->actions()[2]->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    QCOMPARE(Control(*w, "EIKON")->contextMenuPolicy(), Qt::CustomContextMenu);
}

void TestWindow::zoomKeepsThePointUnderTheCursor() {
    const auto w = StartWindow();
    auto& canvas = w->Canvas();
    const Recording figure = canvas.Figure();
    const QPointF cursor(canvas.width() * 0.3, canvas.height() * 0.6);
    const QPointF before = canvas.FigureAt(cursor);
    for (int k = 0; k < 3; ++k) {
        QWheelEvent wheel(cursor, canvas.mapToGlobal(cursor), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&canvas, &wheel);
    }
    QVERIFY(std::abs(canvas.ViewZoom() - std::pow(1.25, 3)) < 1e-9);
    const QPointF after = canvas.FigureAt(cursor);
    QVERIFY(std::abs(after.x() - before.x()) < 1e-9 && std::abs(after.y() - before.y()) < 1e-9);
    // Closer: a pixel spans a fraction of the units it spanned.
    const QPointF next = canvas.FigureAt(cursor + QPointF(1, 0));
    QVERIFY(std::abs((next.x() - after.x()) * canvas.ViewZoom() - 240.0 / canvas.width()) < 1e-9);
    QCOMPARE(canvas.Figure(), figure); // a view, not a new figure
    // The view stays when the figure is redrawn; exports still show the whole figure.
    Key("n_DIATHLASI", Qt::Key_Right)(*w);
    QVERIFY(canvas.ViewZoom() > 1.9);
    QCOMPARE(canvas.Figure().box, (UserBox{-120, 120, 120, -120}));
    // 20 times at the most.
    canvas.ZoomAt(cursor, 1000);
    QCOMPARE(canvas.ViewZoom(), 20.0);
    QTest::mouseDClick(&canvas, Qt::LeftButton, Qt::NoModifier, cursor.toPoint());
    QCOMPARE(canvas.ViewZoom(), 1.0);
    QCOMPARE(canvas.FigureAt(QPointF(0, 0)), QPointF(-120, 120));
}

void TestWindow::zoomKeysAndPanning() {
    const auto w = StartWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    auto& canvas = w->Canvas();
    QTest::keyClick(w.get(), Qt::Key_Equal, Qt::ControlModifier);
    QTest::keyClick(w.get(), Qt::Key_Equal, Qt::ControlModifier);
    QVERIFY(std::abs(canvas.ViewZoom() - 1.5625) < 1e-9);
    // Dragging pans the view: the figure follows the mouse.
    const QPoint from(200, 200);
    const QPointF grabbed = canvas.FigureAt(from);
    QTest::mousePress(&canvas, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(from + QPoint(30, 20)),
                     canvas.mapToGlobal(QPointF(from + QPoint(30, 20))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&canvas, &move);
    QTest::mouseRelease(&canvas, Qt::LeftButton, Qt::NoModifier, from + QPoint(30, 20));
    const QPointF moved = canvas.FigureAt(from + QPoint(30, 20));
    QVERIFY(std::abs(moved.x() - grabbed.x()) < 1e-9 && std::abs(moved.y() - grabbed.y()) < 1e-9);
    // The whole figure always covers the canvas: no panning past its edge.
    for (int k = 0; k < 20; ++k) {
        QTest::mousePress(&canvas, Qt::LeftButton, Qt::NoModifier, from);
        QMouseEvent far(QEvent::MouseMove, QPointF(from + QPoint(300, 300)),
                        canvas.mapToGlobal(QPointF(from + QPoint(300, 300))), Qt::NoButton,
                        Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&canvas, &far);
        QTest::mouseRelease(&canvas, Qt::LeftButton, Qt::NoModifier, from + QPoint(300, 300));
    }
    // As far as anything is drawn: the box, and the wavelength ruler that runs out beyond it.
    const Extent drawn = Union(DrawnExtent(canvas.Figure()).value(), canvas.Figure().box);
    QCOMPARE(drawn.minX, -150.0);
    QCOMPARE(canvas.FigureAt(QPointF(0, 0)), QPointF(drawn.minX, drawn.maxY));
    QTest::keyClick(w.get(), Qt::Key_Minus, Qt::ControlModifier);
    QVERIFY(std::abs(canvas.ViewZoom() - 1.25) < 1e-9);
    QTest::keyClick(w.get(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(canvas.ViewZoom(), 1.0);
}

void TestWindow::liveDragging_data() {
    QTest::addColumn<bool>("live");
    QTest::newRow("off: once, on release") << false;
    QTest::newRow("on: at every value") << true;
}

void TestWindow::liveDragging() {
    QFETCH(bool, live);
    const auto w = StartWindow();
    w->SetLiveDragging(live);
    QScrollBar* bar = Bar(*w, "fOCUS_POINT");
    QSignalSpy redraws(w.get(), &DHMIOYRGO_KYKLO::FigureRedrawn);
    const QPoint start = Centre(bar, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, start);
    QList<int> values;
    QStringList captions;
    for (int dx = 3; dx <= 45; dx += 3) {
        QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(dx, 0)),
                         bar->mapToGlobal(QPointF(start + QPoint(dx, 0))), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
        if (values.isEmpty() || values.back() != bar->sliderPosition()) {
            values << bar->sliderPosition();
            captions << Caption(*w, "Label2");
        }
    }
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, start + QPoint(45, 0));
    QVERIFY(values.size() > 3);
    // Either way the read-out follows the thumb; the figure does too only when live.
    QCOMPARE(captions.back(), QStringLiteral(" Σημείο Εστίασης  = %1").arg(values.back()));
    QCOMPARE(redraws.count(), live ? values.size() : 1);
    QCOMPARE(Caption(*w, "Label2"), QStringLiteral(" Σημείο Εστίασης  = %1").arg(bar->value()));
}

void TestWindow::presentationMode() {
    const auto w = StartWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    const Recording figure = w->Canvas().Figure();
    const QImage normal = w->Canvas().grab().toImage();
    QTest::keyClick(w.get(), Qt::Key_F5);
    QVERIFY(w->Canvas().Presentation());
    QVERIFY(w->windowState() & Qt::WindowFullScreen);
    // The same figure, its texts half again as large where they stand, so that the lines of a
    // text keep apart as its letters grow.
    const Recording presented = w->Canvas().Figure();
    QCOMPARE(presented.items.size(), figure.items.size());
    for (std::size_t i = 0; i < figure.items.size(); ++i) {
        if (const auto* t = std::get_if<TextItem>(&figure.items[i])) {
            const auto& p = std::get<TextItem>(presented.items[i]);
            QVERIFY(p.text == t->text && p.x == t->x && p.y == t->y);
            QCOMPARE(p.size, t->size * CanvasWidget::PresentationText);
        } else {
            QVERIFY(presented.items[i] == figure.items[i]);
        }
    }
    QTest::qWait(50);
    const QImage projected = w->Canvas().grab().toImage();
    const auto ink = [](const QImage& image) {
        qint64 dark = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                dark += 255 - qGray(image.pixel(x, y));
            }
        }
        return double(dark) / (image.width() * image.height());
    };
    // Twice as wide strokes put clearly more ink on the same canvas area.
    QVERIFY2(ink(projected) > 1.5 * ink(normal),
             qPrintable(QStringLiteral("%1 vs %2").arg(ink(projected)).arg(ink(normal))));
    // Exports are the plain figure still.
    QTemporaryDir dir;
    QVERIFY(w->SaveFigure(dir.filePath(QStringLiteral("f.json")), 1000));
    QFile saved(dir.filePath(QStringLiteral("f.json")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll().toStdString(), FigureJson(DrawFigureContent(w->ReadControls())));
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QVERIFY(!w->Canvas().Presentation());
    QVERIFY(!(w->windowState() & Qt::WindowFullScreen));
}

void TestWindow::saveWorksheetMatchesExport() {
    const auto w = StartWindow();
    Click("YPERVOLIKO")(*w);
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("sheet.json"));
    QVERIFY(w->SaveFigure(saved, 1000, true));
    const QString exported = dir.filePath(QStringLiteral("export.json"));
    QProcess process;
    process.start(QStringLiteral(KYMATA_BINARY),
                  {"--export", exported, "--hyperbola", "--worksheet"});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    QFile a(saved);
    QFile b(exported);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    const QByteArray sheet = a.readAll();
    QCOMPARE(sheet, b.readAll());
    QVERIFY(sheet.contains("\"worksheet\": true"));
    QVERIFY(sheet.contains("=____"));
}

// The check box, the menu item and F6 show the same wave view that --view waves exports, with
// its ledger beside the canvas; each switch redraws once, and the classic figure comes back.
void TestWindow::waveViewFromEverySwitch() {
    const auto w = StartWindow();
    w->resize(1600, 900); // room for the ledger to the right of the controls
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    const Recording classic = w->Canvas().Figure();
    auto* ledger = w->findChild<QWidget*>(QStringLiteral("ledger"));
    auto* table = w->findChild<QTableWidget*>(QStringLiteral("ledgerTable"));
    QVERIFY(ledger && table && !ledger->isVisible());
    Controls waves = w->ReadControls();
    waves.view = View::Waves;
    const FigureContent expected = DrawFigureContent(waves);

    QSignalSpy redraws(w.get(), &DHMIOYRGO_KYKLO::FigureRedrawn);
    QTest::mouseClick(Control(*w, "waveView"), Qt::LeftButton);
    QCOMPARE(redraws.count(), 1);
    QCOMPARE(w->Canvas().Figure(), expected.canvas);
    QVERIFY(ledger->isVisible());
    QCOMPARE(table->rowCount(), 25);
    // The axial ray's count at F in the class's third column; the details hidden until asked.
    QCOMPARE(table->item(12, 2)->text(), QStringLiteral("39.00"));
    QVERIFY(table->isColumnHidden(5) && !table->isColumnHidden(4));
    Control<QCheckBox>(*w, "ledgerDetails")->setChecked(true);
    QVERIFY(!table->isColumnHidden(5));
    Control<QCheckBox>(*w, "ledgerDetails")->setChecked(false);

    QTest::keyClick(w.get(), Qt::Key_F6);
    QCOMPARE(redraws.count(), 2);
    QCOMPARE(w->Canvas().Figure(), classic);
    QVERIFY(!ledger->isVisible());
    QVERIFY(!Control<QCheckBox>(*w, "waveView")->isChecked());

    QTest::keyClick(w.get(), Qt::Key_F6);
    QCOMPARE(w->Canvas().Figure(), expected.canvas);
    QVERIFY(Control<QCheckBox>(*w, "waveView")->isChecked());

    // The canvas menu's View lists every view of the table, the shown one checked; choosing
    // the classic construction there turns WAVE VIEW off.
    const SeenSubmenu views = CanvasSubmenu(*Control(*w, "EIKON"), QStringLiteral("Προβολή"),
                                            QStringLiteral("Κλασική κατασκευή"));
    QCOMPARE(views.items,
             QStringList({QStringLiteral("Κλασική κατασκευή"), QStringLiteral("Κυματική εικόνα")}));
    QCOMPARE(views.checked, QStringList{QStringLiteral("Κυματική εικόνα")});
    QTRY_COMPARE(w->Canvas().Figure(), classic);
    QVERIFY(!Control<QCheckBox>(*w, "waveView")->isChecked() && !ledger->isVisible());
    QCOMPARE(w->ReadControls().view, View::Classic);
}

// In the wave view the scroll bars, HYPERBOLA, the language and "Parallel BEAM" all redraw it.
void TestWindow::waveViewFollowsTheControls() {
    const auto w = StartWindow();
    w->SetWaveView(true);
    const auto shown = [&w] {
        Controls c = w->ReadControls();
        return DrawFigureContent(c).canvas;
    };
    QSignalSpy redraws(w.get(), &DHMIOYRGO_KYKLO::FigureRedrawn);
    for (const char* name : {"f_apeiro", "YPERVOLIKO", "AGLIKA"}) {
        const Recording before = w->Canvas().Figure();
        const int count = redraws.count();
        QTest::mouseClick(Control(*w, name), Qt::LeftButton);
        QCOMPARE(redraws.count(), count + 1);
        QVERIFY2(!(w->Canvas().Figure() == before), name);
        QCOMPARE(w->Canvas().Figure(), shown());
    }
    ClickOn("initial_POINT", QStyle::SC_ScrollBarSubPage)(*w);
    QCOMPARE(w->Canvas().Figure(), shown());
    auto* summary = w->findChild<QLabel*>(QStringLiteral("ledgerSummary"));
    QVERIFY(summary->text().startsWith(QStringLiteral("Count along the axis to F, W0 (waves) = ")));
}

// Play moves the crests one period a second at speed 1; each frame shows the crests at the
// phase reached; a step moves a paused view one frame; leaving the wave view stops the clock.
void TestWindow::movingWaves() {
    const auto w = StartWindow();
    QVERIFY(!Control(*w, "playButton")->isVisible());
    w->SetWaveView(true);
    QVERIFY(Control(*w, "playButton")->isVisible());
    const Recording still = w->Canvas().Figure();
    QTest::mouseClick(Control(*w, "playButton"), Qt::LeftButton);
    QVERIFY(w->Playing());
    w->SetPlaying(false);
    w->Advance(0.25);
    QVERIFY(std::abs(w->Phase() - 0.25) < 1e-12);
    Controls c = w->ReadControls();
    QCOMPARE(c.phase.value_or(-1), w->Phase());
    QCOMPARE(w->Canvas().Figure(), DrawFigureContent(c).canvas);
    QVERIFY(!(w->Canvas().Figure() == still));
    w->SetSpeed(2);
    w->Advance(0.5); // one period at twice the speed: the same phase again
    QVERIFY(std::abs(w->Phase() - 0.25) < 1e-12);
    w->SetSpeed(100);
    QCOMPARE(w->Speed(), 4.0);
    w->SetSpeed(0.01);
    QCOMPARE(w->Speed(), 0.25);
    const double before = w->Phase();
    w->StepFrame();
    QVERIFY(std::abs(w->Phase() - before - 1.0 / 60) < 1e-12);
    // A scroll bar moved while playing redraws the new scene at the current phase.
    w->SetPlaying(true);
    ClickOn("n_DIATHLASI", QStyle::SC_ScrollBarAddPage)(*w);
    QVERIFY(w->Playing());
    QCOMPARE(w->Canvas().Figure(), DrawFigureContent(w->ReadControls()).canvas);
    QTest::mouseClick(Control(*w, "waveView"), Qt::LeftButton);
    QVERIFY(!w->Playing());
    QVERIFY(!w->ReadControls().phase);
}

// While the waves play, the canvas keeps the still part as an image and paints only the
// moving crests over it at each frame; the picture follows the phase and the scene.
void TestWindow::playingPaintsInLayers() {
    const auto w = StartWindow();
    w->SetWaveView(true);
    w->SetPlaying(true);
    w->Advance(0.1);
    QVERIFY(w->Canvas().Layered());
    const QImage first = w->Canvas().grab().toImage();
    w->Advance(0.3);
    const QImage later = w->Canvas().grab().toImage();
    QVERIFY(first != later);
    ClickOn("n_DIATHLASI", QStyle::SC_ScrollBarAddPage)(*w);
    QVERIFY(w->Canvas().Layered());
    QVERIFY(w->Canvas().grab().toImage() != later);
    w->SetPlaying(false);
    QVERIFY(!w->Canvas().Layered());
}

// A flash starts at the source, travels on at every frame and is gone once past the figure.
void TestWindow::flashRunsOut() {
    const auto w = StartWindow();
    w->SetWaveView(true);
    QTest::mouseClick(Control(*w, "flashButton"), Qt::LeftButton);
    QCOMPARE(w->ReadControls().flash.value_or(-1), 0.0);
    w->SetPlaying(false);
    w->Advance(1);
    const double one = w->ReadControls().flash.value_or(-1);
    QVERIFY(one > 0);
    w->Advance(1);
    QVERIFY(std::abs(w->ReadControls().flash.value_or(-1) - 2 * one) < 1e-9);
    w->Advance(100);
    QVERIFY(!w->ReadControls().flash);
}

void TestWindow::fileDialogsNeverReadFiles_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("type");
    // Contents that a reader would take for a PDF or a PNG, under names that say nothing of it.
    QTest::newRow("a PDF without its extension") << "figure" << QByteArray("%PDF-1.4\n") << "File";
    QTest::newRow("a PNG named .dat")
        << "figure.dat" << QByteArray("\x89PNG\r\n\x1a\n") << "DAT File";
}

void TestWindow::fileDialogsNeverReadFiles() {
    QFETCH(QString, name);
    QFETCH(QByteArray, contents);
    QFETCH(QString, type);
    UseToolkitLanguage("en"); // the type names in the toolkit's English
    QTemporaryDir dir;
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.close();
    const PlainFileIcons icons;
    QCOMPARE(icons.type(QFileInfo(file.fileName())), type);
    QCOMPARE(icons.type(QFileInfo(dir.path())), QStringLiteral("Folder"));
    // A FIFO with no writer: opening it to read would wait for ever.
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    QCOMPARE(icons.type(QFileInfo(fifo)), QStringLiteral("File"));
}

void TestWindow::dialogsGetThePlainIcons() {
    auto* plain = new PlainFileIconsForDialogs(QCoreApplication::instance());
    // Every icon is one to show: the dialog says nothing on stderr of an empty one.
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtWarningMsg) {
                warnings << message;
            }
        });
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.show();
    QApplication::processEvents();
    qInstallMessageHandler(previous);
    QCOMPARE(files.iconProvider(), &plain->Icons());
    warnings.removeIf([](const QString& w) { return w.contains(QLatin1String("This plugin")); });
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
    for (const auto type : {QAbstractFileIconProvider::Folder, QAbstractFileIconProvider::File,
                            QAbstractFileIconProvider::Computer}) {
        QVERIFY(!plain->Icons().icon(type).isNull());
    }
    files.close();
    QPrinter printer;
    QPrintDialog print(&printer);
    print.show();
    int completers = 0;
    for (QCompleter* completer : print.findChildren<QCompleter*>()) {
        if (auto* model = qobject_cast<QFileSystemModel*>(completer->model())) {
            QCOMPARE(model->iconProvider(), &plain->Icons());
            ++completers;
        }
    }
    print.close();
    QVERIFY2(completers > 0, "the print dialog's file name should have a completer");
    delete plain;
}

QTEST_MAIN(TestWindow)
void TestWindow::readoutKeepsItsUnitWhole() {
    // At X0 = 200 the Greek source read-out is wider than the design's label: it may break
    // before «μήκη κύματος», never inside it, and all its lines show.
    Controls start;
    start.initial_POINT = -200;
    std::unique_ptr<DHMIOYRGO_KYKLO> w(Main(start));
    w->setWindowState(Qt::WindowNoState);
    for (const QSize size : {QSize(1024, 768), QSize(1920, 1080)}) {
        w->resize(size);
        QApplication::processEvents();
        auto* label = dynamic_cast<ReadoutLabel*>(Control<QLabel>(*w, "Label1"));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("  X0 =200 μήκη κύματος"));
        QTextLayout layout(label->Shown(), label->font());
        QTextOption wrap;
        wrap.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(wrap);
        const int width = label->contentsRect().width() - 2 * label->margin();
        QStringList lines;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << label->Shown().mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
        QVERIFY2(std::any_of(lines.begin(), lines.end(),
                             [](const QString& line) {
                                 return line.contains(QStringLiteral("μήκη")) &&
                                        line.contains(QStringLiteral("κύματος"));
                             }),
                 qPrintable(lines.join(QLatin1Char('|'))));
        QVERIFY(lines.size() * label->fontMetrics().lineSpacing() <= label->height());
    }
}

#include "tst_window.moc"
