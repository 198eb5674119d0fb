// The window on every screen and for every user: the layout at the sizes teachers meet, what a
// screen reader hears, the keyboard paths, the toolkit's dialogs in Greek, the help and the
// window opened from the command line.

#include "drawing/drawn_extent.h"
#include "export/figure_export.h"
#include "shell/canvas_widget.h"
#include "shell/form_layout.h"
#include "shell/guide_dialog.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "shell/window_layout.h"

#include "shell/toolkit_language.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>

#include <functional>

#include <memory>

using namespace kymata;

namespace {

std::unique_ptr<DHMIOYRGO_KYKLO> WindowOfSize(QSize size, bool waves = false) {
    Controls start;
    start.view = waves ? View::Waves : View::Classic;
    std::unique_ptr<DHMIOYRGO_KYKLO> w(Main(start));
    w->setWindowState(Qt::WindowNoState);
    w->resize(size);
    QApplication::processEvents();
    return w;
}

/// True when the caption of every check box and option shows whole: the middle band of the
/// control, as wide as the toolkit draws it, meets no other control.
bool CaptionsShowWhole(DHMIOYRGO_KYKLO& w) {
    for (const char* name : {"YPERVOLIKO", "ELLINIKA", "AGLIKA", "f_apeiro"}) {
        const QWidget* c = w.findChild<QWidget*>(QString::fromLatin1(name));
        const QRect r = c->geometry();
        // The style pads a caption by a few pixels, which the design's own captions do without.
        const int caption = c->sizeHint().width() - 4;
        if (r.width() < caption) {
            qWarning("%s is %d wide for a caption of %d", name, r.width(), caption);
            return false;
        }
        const QRect band(r.left(), r.top() + r.height() / 4, caption, r.height() / 2);
        for (const QWidget* other : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other != c && other->isVisible() && !other->inherits("QMenu") &&
                other->geometry().intersects(band)) {
                qWarning("%s meets %s", name, qPrintable(other->objectName()));
                return false;
            }
        }
    }
    return true;
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

/// Notes every text the toolkit looks up, answering none of them, so that the translations
/// behind it still answer.
class LookupLog final : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int) const override {
        seen.insert(QStringList{QString::fromUtf8(context), QString::fromUtf8(source),
                                QString::fromUtf8(disambiguation ? disambiguation : "")});
        return {};
    }
    bool isEmpty() const override { return false; }
    mutable QSet<QStringList> seen;
};

/// Runs `steps` in turn on each modal dialog as it opens, until all have run.
class ModalScript final : public QObject {
public:
    using Step = std::function<void(QWidget*)>;
    explicit ModalScript(QList<Step> steps) : steps_(std::move(steps)) {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal != last_ && !steps_.isEmpty()) {
                last_ = modal;
                QApplication::processEvents();
                steps_.takeFirst()(modal);
            }
        });
        timer_.start();
    }
    bool Done() const { return steps_.isEmpty(); }

private:
    QList<Step> steps_;
    QTimer timer_;
    QPointer<QWidget> last_;
};

/// The texts a dialog shows: its title, labels, buttons and check boxes.
QStringList ShownTexts(QWidget* dialog) {
    QStringList texts{dialog->windowTitle()};
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->isVisible()) {
            texts << label->text();
        }
    }
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (button->isVisible()) {
            texts << button->text();
        }
    }
    texts.removeAll(QString());
    return texts;
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
    void toolkitDialogsSpeakGreek();
    void keyboardReachesEveryAction_data();
    void keyboardReachesEveryAction();
    void showAllFitsEveryMark_data();
    void showAllFitsEveryMark();
    void guideAndAbout();
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
    // The wave view's buttons take a second row under a slightly smaller canvas.
    QTest::newRow("800x600 waves") << QSize(800, 600) << true << Arrangement::Shrunk;
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
    QVERIFY(CaptionsShowWhole(*w));
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
    {
        // The start: maximised, so that a window manager keeps the frame on the screen.
        const std::unique_ptr<DHMIOYRGO_KYKLO> start(Main());
        QVERIFY(start->windowState() & Qt::WindowMaximized);
    }
    // On a landscape screen where the design fits, the thirteen controls and the canvas stand
    // exactly where the design puts them, with its English captions; a longer Greek caption is
    // widened, or moved below what stands in its way, and never cut. On a portrait screen the
    // design does not fit at all.
    for (const QSize size : {QSize(1920, 1080), QSize(1366, 768), QSize(1024, 768)}) {
        const auto w = WindowOfSize(size);
        const FormLayout designed = ComputeFormLayout(size, w->screen()->logicalDotsPerInch());
        QVERIFY(CaptionsShowWhole(*w));
        QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("AGLIKA")), Qt::LeftButton);
        QApplication::processEvents();
        QVERIFY(CaptionsShowWhole(*w));
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
    // The distance of the source from the lens that the description gives is the count the
    // figure prints on the axial ray from the source to the lens, "#L = 14.0".
    QVERIFY2(greek.startsWith(QStringLiteral("Κατασκευή σφαιρικού φακού. Η πηγή απέχει 20 μήκη "
                                             "κύματος από την αρχή των αξόνων, 14 μήκη κύματος "
                                             "μπροστά από τον φακό")),
             qPrintable(greek));
    // The Greek list is separated by the raised dot: ";" is the Greek question mark.
    QVERIFY(greek.contains(QStringLiteral("#L = 20.1 · #L = 18.5 · #L = 17.1 · #L = 15.9 · "
                                          "#L = 14.9 · #L = 14.2 · #L = 14.0 ·")));
    QVERIFY(!greek.contains(QLatin1Char(';')));
    QVERIFY(greek.contains(QStringLiteral("δείκτης διάθλασης: 1.50")));
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
    // The hyperbolic construction counts the source from the tip, as its own line says.
    QVERIFY2(english.startsWith(QStringLiteral("Hyperbolic lens construction. The source is 20 "
                                               "wavelengths in front of the lens's tip, target "
                                               "point F 5 wavelengths behind the lens, refractive "
                                               "index 1.72, thickness 20")),
             qPrintable(english));
    QVERIFY(english.contains(
        QStringLiteral("distance of source from hyperbolic top in wavelengths =20.00")));
    QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("waveView")), Qt::LeftButton);
    const QString waves = canvas->text(QAccessible::Description);
    QVERIFY2(waves.startsWith(QStringLiteral("Wave view, hyperbolic lens.")), qPrintable(waves));
    // The wave view's summary that the figure prints, such as the count on the axis.
    QVERIFY2(waves.contains(
                 QStringLiteral("Counts on the figure: Count along the axis to F, W0 (waves) = ")),
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
    // The read-outs stay on one line in the larger type, on a projector's 1920×1080.
    w->setWindowState(Qt::WindowNoState);
    w->resize(1920, 1080);
    QApplication::processEvents();
    QVERIFY(w->Canvas().Presentation());
    QVERIFY(w->CurrentArrangement() == Arrangement::Designed ||
            w->CurrentArrangement() == Arrangement::Shrunk);
    {
        for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) {
            auto* label = w->findChild<QLabel*>(QString::fromLatin1(name));
            QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(label->text()),
                     qPrintable(QStringLiteral("%1: %2 for %3")
                                    .arg(label->text())
                                    .arg(label->width())
                                    .arg(label->fontMetrics().horizontalAdvance(label->text()))));
        }
    }
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QApplication::processEvents();
    QCOMPARE(readout->font().pointSizeF(), points);
}

void TestScreens::toolkitDialogsSpeakGreek() {
    const auto w = WindowOfSize(QSize(1366, 768));
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QCOMPARE(ToolkitLanguage(), std::string("el"));
    LookupLog log;
    QCoreApplication::installTranslator(&log);
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("exists.png"));
    QFile(existing).open(QIODevice::WriteOnly);
    QStringList shown;
    // Save: the file dialog, the question before replacing a file, the PNG size prompt; print:
    // the dialog and the printer's properties. Each dialog is answered as a user would.
    QStringList opened;
    QStringList cut;
    const auto answer = [&](QWidget* d) {
        shown << ShownTexts(d);
        opened << QString::fromLatin1(d->metaObject()->className());
        if (auto* files = qobject_cast<QFileDialog*>(d)) {
            files->setViewMode(QFileDialog::Detail);
            // Every column header and every place beside them shows whole.
            const QHeaderView* header = files->findChild<QTreeView*>()->header();
            for (int i = 0; i < header->count(); ++i) {
                if (header->sectionSize(i) < header->sectionSizeHint(i)) {
                    cut << header->model()->headerData(i, Qt::Horizontal).toString();
                }
            }
            if (header->length() > header->viewport()->width()) {
                cut << QStringLiteral("the headers' row");
            }
            const auto* places = files->findChild<QListView*>(QStringLiteral("sidebar"));
            if (places->viewport()->width() < places->sizeHintForColumn(0)) {
                cut << QStringLiteral("the places");
            }
            files->setDirectory(dir.path());
            files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QStringLiteral("exists.png"));
            QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
        } else if (auto* question = qobject_cast<QMessageBox*>(d)) {
            QMetaObject::invokeMethod(question->button(QMessageBox::Yes), "click",
                                      Qt::QueuedConnection);
        } else if (auto* properties = d->findChild<QPushButton*>(QStringLiteral("properties"));
                   properties && properties->isEnabled() && !opened.contains("QPageSetupDialog")) {
            QMetaObject::invokeMethod(properties, "click", Qt::QueuedConnection);
        } else {
            if (qobject_cast<QInputDialog*>(d)) {
                // The whole title, in the bold a title bar may use, fits beside the bar's icon
                // and its three buttons.
                QFont bold = d->font();
                bold.setBold(true);
                if (d->width() < QFontMetrics(bold).horizontalAdvance(d->windowTitle()) +
                                     4 * d->style()->pixelMetric(QStyle::PM_TitleBarHeight)) {
                    cut << d->windowTitle();
                }
            }
            QMetaObject::invokeMethod(d, "reject", Qt::QueuedConnection);
        }
    };
    {
        ModalScript script(QList<ModalScript::Step>(3, answer));
        w->SaveFigureAs();
    }
    {
        ModalScript script(QList<ModalScript::Step>(2, answer));
        QTimer::singleShot(3000, [] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                d->reject();
            }
        });
        w->Command1_Click();
        // The print dialog opens once the print service has answered, off the window's thread.
        QTRY_VERIFY_WITH_TIMEOUT(script.Done() && !QApplication::activeModalWidget(), 15000);
    }
    QCOMPARE(opened, (QStringList{"QFileDialog", "QMessageBox", "QInputDialog", "QPrintDialog",
                                  "QPrintPropertiesDialog"}));
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('|'))));
    // A message box, the about box and the guide's button.
    QVERIFY(!w->SaveFigure(dir.filePath(QStringLiteral("missing/f.png")), 100));
    w->ShowAbout();
    w->ShowGuide();
    QApplication::processEvents();
    for (QMessageBox* box : w->findChildren<QMessageBox*>()) {
        shown << ShownTexts(box);
        box->close();
    }
    QCoreApplication::removeTranslator(&log);

    // Every toolkit text these dialogs asked for has its Greek.
    QTranslator greek;
    QVERIFY(greek.load(QStringLiteral(":/i18n/qtbase_el.qm")));
    QStringList missing;
    // Reading a shortcut's text looks up every key name; only those on the keys the menus show
    // are ever seen.
    const QStringList keys{"Ctrl", "Shift", "Alt", "Space", "Left", "Right", "Up", "Down", "Esc"};
    for (const QStringList& lookup : std::as_const(log.seen)) {
        if (lookup[0] == QLatin1String("QShortcut") && !keys.contains(lookup[1])) {
            continue;
        }
        if (greek
                .translate(lookup[0].toUtf8(), lookup[1].toUtf8(),
                           lookup[2].isEmpty() ? nullptr : lookup[2].toUtf8().constData())
                .isEmpty()) {
            missing << lookup.join(QStringLiteral(" | "));
        }
    }
    missing.sort();
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("\n") + missing.join(QLatin1Char('\n'))));
    QVERIFY(log.seen.size() > 40);
    // And the dialogs showed it: no English button or title is left.
    for (const char* english : {"Cancel", "&Save", "Save", "Print", "&Yes", "&No", "OK", "Close",
                                "File &name:", "Look in:", "Files of type:", "Printer"}) {
        QVERIFY2(!shown.contains(QString::fromLatin1(english)), english);
    }
    QVERIFY2(shown.contains(QStringLiteral("Άκυρο")), qPrintable(shown.join(QLatin1Char('|'))));
    // The print dialog's refusal of a file that cannot be written, as the toolkit words it.
    QVERIFY(!greek
                 .translate("QPrintDialog",
                            "File %1 is not writable.\nPlease choose a different file name.")
                 .isEmpty());

    // An open dialog switches with the window's language, both ways.
    QFileDialog open(w.get(), QStringLiteral("Save"));
    open.setOption(QFileDialog::DontUseNativeDialog);
    open.setAcceptMode(QFileDialog::AcceptSave);
    open.show();
    auto* buttons = open.findChild<QDialogButtonBox*>();
    const auto acceptText = [&] { return buttons->buttons().value(0)->text(); };
    QCOMPARE(acceptText(), QStringLiteral("&Αποθήκευση"));
    QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("AGLIKA")), Qt::LeftButton);
    QCOMPARE(ToolkitLanguage(), std::string("en"));
    QTRY_VERIFY(acceptText().remove(QLatin1Char('&')) == QLatin1String("Save"));
    QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("ELLINIKA")), Qt::LeftButton);
    QTRY_VERIFY(acceptText().remove(QLatin1Char('&')) == QStringLiteral("Αποθήκευση"));
}

void TestScreens::keyboardReachesEveryAction_data() {
    QTest::addColumn<QKeySequence>("keys");
    QTest::newRow("Shift+F10") << QKeySequence(Qt::SHIFT | Qt::Key_F10);
    QTest::newRow("the Menu key") << QKeySequence(Qt::Key_Menu);
}

void TestScreens::keyboardReachesEveryAction() {
    QFETCH(QKeySequence, keys);
    const auto w = WindowOfSize(QSize(1366, 768));
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    // From any control: here the focus is on a scroll bar.
    auto* bar = w->findChild<QScrollBar*>(QStringLiteral("pachos"));
    bar->setFocus();
    QTest::keySequence(QApplication::focusWidget(), keys);
    QMenu* menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr);
    QVERIFY(menu->activeAction()); // the keys work in it at once
    QStringList inMenu;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            inMenu << action->text();
        }
    }
    menu->close();
    // Every action of the window is in the menu or has its own keys.
    for (QAction* action : w->actions()) {
        QVERIFY2(inMenu.contains(action->text()) || !action->shortcut().isEmpty(),
                 qPrintable(action->text()));
    }
    for (const char* text : {"Αποθήκευση φύλλου εργασίας ως…", "Εκτύπωση φύλλου εργασίας…",
                             "Ζωντανή ενημέρωση σχήματος", "Όλα όσα σχεδιάστηκαν", "Οδηγός…",
                             "Σχετικά με το Kymata…"}) {
        QVERIFY2(inMenu.contains(QString::fromUtf8(text)), text);
    }
    // The actions that had no keys have them now.
    const auto shortcutOf = [&](const char* text) {
        for (QAction* action : w->actions()) {
            if (action->text() == QString::fromUtf8(text)) {
                return action->shortcut();
            }
        }
        return QKeySequence();
    };
    QCOMPARE(shortcutOf("Αποθήκευση φύλλου εργασίας ως…"),
             QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    QCOMPARE(shortcutOf("Εκτύπωση φύλλου εργασίας…"), QKeySequence(QStringLiteral("Ctrl+Shift+P")));
    QCOMPARE(shortcutOf("Ζωντανή ενημέρωση σχήματος"), QKeySequence(QStringLiteral("Ctrl+D")));
    QTest::keyClick(w.get(), Qt::Key_D, Qt::ControlModifier);
    QVERIFY(bar->hasTracking());
    QTest::keyClick(w.get(), Qt::Key_D, Qt::ControlModifier);
    QVERIFY(!bar->hasTracking());

    // A zoomed canvas pans with Ctrl and the arrows, a tenth of the canvas a press; the view
    // goes no further than what is drawn.
    CanvasWidget& canvas = w->Canvas();
    QTest::keyClick(w.get(), Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(w.get(), Qt::Key_Plus, Qt::ControlModifier);
    const QPointF centre = QRectF(canvas.rect()).center();
    const QPointF before = canvas.FigureAt(centre);
    QTest::keyClick(bar, Qt::Key_Left, Qt::ControlModifier);
    const QPointF left = canvas.FigureAt(centre);
    const double unitsPerPixel = canvas.FigureAt(centre + QPointF(1, 0)).x() - left.x();
    QVERIFY2(std::abs((before.x() - left.x()) / unitsPerPixel - canvas.width() / 10.0) < 1e-6,
             qPrintable(QString::number(before.x() - left.x())));
    QCOMPARE(bar->value(), 20); // the scroll bar with the focus did not move
    QTest::keyClick(w.get(), Qt::Key_Down, Qt::ControlModifier);
    QVERIFY(canvas.FigureAt(centre).y() < left.y()); // more of what lies below
    for (int k = 0; k < 40; ++k) {
        QTest::keyClick(w.get(), Qt::Key_Left, Qt::ControlModifier);
    }
    const Extent drawn = Union(DrawnExtent(canvas.Figure()).value(), canvas.Figure().box);
    QVERIFY(std::abs(canvas.FigureAt(QPointF(0, centre.y())).x() - drawn.minX) < 1e-6);
}

void TestScreens::showAllFitsEveryMark_data() {
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("focus");
    QTest::addColumn<bool>("hyperbola");
    QTest::newRow("start") << -20 << 5 << false;
    QTest::newRow("far source") << -200 << 5 << false;
    QTest::newRow("far focus") << -20 << 50 << false;
    QTest::newRow("hyperbola, far source") << -120 << 30 << true;
}

void TestScreens::showAllFitsEveryMark() {
    QFETCH(int, source);
    QFETCH(int, focus);
    QFETCH(bool, hyperbola);
    const auto w = WindowOfSize(QSize(1366, 768));
    w->findChild<QScrollBar*>(QStringLiteral("initial_POINT"))->setValue(source);
    w->findChild<QScrollBar*>(QStringLiteral("fOCUS_POINT"))->setValue(focus);
    if (hyperbola) {
        QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("YPERVOLIKO")), Qt::LeftButton);
    }
    CanvasWidget& canvas = w->Canvas();
    const Recording figure = canvas.Figure();
    QTest::keyClick(w.get(), Qt::Key_9, Qt::ControlModifier);
    const Extent drawn = Union(DrawnExtent(figure).value(), figure.box);
    const QRectF shown =
        QRectF(canvas.PixelAt({drawn.minX, drawn.maxY}), canvas.PixelAt({drawn.maxX, drawn.minY}));
    const QRectF area = QRectF(canvas.rect()).adjusted(-0.5, -0.5, 0.5, 0.5);
    // Everything drawn is on the canvas, and fills it one way.
    QVERIFY2(area.contains(shown), qPrintable(QStringLiteral("%1 %2 %3 %4")
                                                  .arg(shown.left())
                                                  .arg(shown.top())
                                                  .arg(shown.right())
                                                  .arg(shown.bottom())));
    QVERIFY(std::max(shown.width() / area.width(), shown.height() / area.height()) > 0.9);
    // One unit is the same length across and down.
    const QPointF o = canvas.PixelAt({0, 0});
    QVERIFY(std::abs((canvas.PixelAt({1, 0}) - o).x() + (canvas.PixelAt({0, 1}) - o).y()) < 1e-9);
    QCOMPARE(canvas.Figure(), figure);
    // From the whole figure (Ctrl+0), zooming out stops at a quarter.
    QTest::keyClick(w.get(), Qt::Key_0, Qt::ControlModifier);
    for (int k = 0; k < 12; ++k) {
        QTest::keyClick(w.get(), Qt::Key_Minus, Qt::ControlModifier);
    }
    QCOMPARE(canvas.ViewZoom(), CanvasWidget::MinZoom);
    QTest::keyClick(w.get(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(canvas.ViewZoom(), 1.0);
    // A saved figure is the specified box still, whatever the view.
    QTemporaryDir dir;
    const auto saved = [&](const QString& name) {
        const QString path = dir.filePath(name);
        QFile file(path);
        return w->SaveFigure(path, 100) && file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                          : QByteArray();
    };
    const QByteArray whole = saved(QStringLiteral("whole.json"));
    QTest::keyClick(w.get(), Qt::Key_9, Qt::ControlModifier);
    QVERIFY(!whole.isEmpty());
    QCOMPARE(saved(QStringLiteral("all.json")), whole);
}

void TestScreens::guideAndAbout() {
    const auto w = WindowOfSize(QSize(1366, 768));
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w.get(), Qt::Key_F1);
    auto* guide = w->findChild<GuideDialog*>();
    QVERIFY(guide && guide->isVisible());
    QCOMPARE(guide->Page(), QUrl(QStringLiteral("qrc:/guide/guide-el.html")));
    QVERIFY(guide->PlainText().contains(QStringLiteral("γιατί ένας φακός εστιάζει")));
    QVERIFY(guide->PlainText().contains(QStringLiteral("«#L = 14.0»")));
    // Its pictures are the program's own figures, inside the program.
    auto* browser = guide->findChild<QTextBrowser*>();
    for (const char* picture : {"spherical-el.png", "hyperbolic-el.png", "waves-el.png"}) {
        const QImage image =
            browser->document()
                ->resource(QTextDocument::ImageResource,
                           QUrl(QStringLiteral("qrc:/guide/") + QLatin1String(picture)))
                .value<QImage>();
        QVERIFY2(image.width() >= 400, picture);
    }
    // It follows the language while open.
    QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("AGLIKA")), Qt::LeftButton);
    QCOMPARE(guide->Page(), QUrl(QStringLiteral("qrc:/guide/guide-en.html")));
    QVERIFY(guide->PlainText().contains(QStringLiteral("why a lens focuses")));
    QCOMPARE(guide->windowTitle(), QStringLiteral("Kymata guide"));
    guide->close();
    QTest::keyClick(w.get(), Qt::Key_F1);
    QVERIFY(guide->isVisible());

    w->ShowAbout();
    auto* about = w->findChild<QMessageBox*>(QStringLiteral("about"));
    QVERIFY(about);
    QVERIFY(about->text().startsWith(QStringLiteral("Kymata ") + QStringLiteral(KYMATA_VERSION)));
    QVERIFY(about->text().contains(QStringLiteral("GNU General Public License, version 3")));
    QVERIFY(about->text().contains(QStringLiteral("issue tracker")));
    about->close();
}

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
