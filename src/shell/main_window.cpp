#include "shell/main_window.h"

#include "construction/scene_parameters.h"
#include "export/figure_export.h"
#include "figure/control_texts.h"
#include "figure/draw_construction.h"
#include "figure/figure_content.h"
#include "shell/accessible_bar.h"
#include "shell/canvas_widget.h"
#include "shell/form_layout.h"
#include "shell/guide_dialog.h"
#include "shell/ledger_panel.h"
#include "shell/printer_output.h"
#include "shell/toolkit_language.h"
#include "shell/window_layout.h"
#include "waves/wave_ledger.h"
#include "waves/wave_view.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QIcon>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace kymata {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

/// How long a flash takes to cross the figure at speed 1.
constexpr double FlashSeconds = 8;

/// A horizontal scroll bar that shows when it has the keyboard focus.
class FocusScrollBar final : public QScrollBar {
public:
    explicit FocusScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QScrollBar::paintEvent(event);
        if (hasFocus()) {
            QPainter painter(this);
            painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
            painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
        }
    }
};

/// A horizontal scroll bar with the control's range and steps. Dragging the thumb changes the
/// value only when it is released, so a drag redraws once.
QScrollBar* MakeScrollBar(QWidget* parent, const char* name, ControlRange range, int small,
                          int large, int value) {
    auto* bar = new FocusScrollBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(range.min, range.max);
    bar->setSingleStep(small);
    bar->setPageStep(large);
    bar->setValue(value);
    bar->setTracking(false);
    // The arrow keys move the thumb the way they point, as on the bar's own arrows.
    bar->setInvertedControls(false);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

QLabel* MakeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(QString::fromLatin1(name), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

template <typename Button>
Button* MakeButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new Button(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

DHMIOYRGO_KYKLO::DHMIOYRGO_KYKLO(QWidget* parent) : QWidget(parent) {
    // The scene bars speak their values as their read-outs show them.
    static const bool barsSpeakTheirValues =
        (QAccessible::installFactory(&AccessibleSceneBar::Factory), true);
    Q_UNUSED(barsSpeakTheirValues);
    setObjectName(QStringLiteral("DHMIOYRGO_KYKLO"));
    setWindowTitle(QStringLiteral("SXEDIASH AKTINON KAI PROSPTOSIS"));
    setAutoFillBackground(true);

    EIKON = new CanvasWidget(this);
    EIKON->setObjectName(QStringLiteral("EIKON"));
    Command1 = MakeButton<QPushButton>(this, "Command1", "PRINT");
    const Controls start;
    initial_POINT =
        MakeScrollBar(this, "initial_POINT", initial_POINT_Range, 1, 10, start.initial_POINT);
    Label1 = MakeLabel(this, "Label1");
    fOCUS_POINT = MakeScrollBar(this, "fOCUS_POINT", fOCUS_POINT_Range, 1, 10, start.fOCUS_POINT);
    Label2 = MakeLabel(this, "Label2");
    n_DIATHLASI = MakeScrollBar(this, "n_DIATHLASI", n_DIATHLASI_Range, 1, 10, start.n_DIATHLASI);
    Label3 = MakeLabel(this, "Label3");
    pachos = MakeScrollBar(this, "pachos", pachos_Range, 1, 5, start.pachos);
    Label4 = MakeLabel(this, "Label4");
    f_apeiro = MakeButton<QCheckBox>(this, "f_apeiro", "Parallel BEAM");
    YPERVOLIKO = MakeButton<QCheckBox>(this, "YPERVOLIKO", "HYPERBOLA");
    ELLINIKA = MakeButton<QRadioButton>(this, "ELLINIKA", "GREEK");
    AGLIKA = MakeButton<QRadioButton>(this, "AGLIKA", "ENGLISH");
    ELLINIKA->setChecked(true);
    waveView_ = MakeButton<QCheckBox>(this, "waveView", "WAVE VIEW");
    perfectLens_ = MakeButton<QCheckBox>(this, "perfectLens", "PERFECT LENS");
    playButton_ = MakeButton<QPushButton>(this, "playButton", "PLAY");
    flashButton_ = MakeButton<QPushButton>(this, "flashButton", "FLASH");
    speedLabel_ = MakeLabel(this, "speedLabel");
    clock_ = new QTimer(this);
    clock_->setTimerType(Qt::PreciseTimer);
    clock_->setInterval(16);
    ledger_ = new LedgerPanel(this);
    ledger_->hide();

    // Tab order of the design: canvas, PRINT, the scroll bars from top to bottom with their
    // read-outs, the two check boxes, the two languages.
    QWidget* order[] = {EIKON,     Command1,     initial_POINT, fOCUS_POINT,  n_DIATHLASI,
                        pachos,    f_apeiro,     YPERVOLIKO,    ELLINIKA,     AGLIKA,
                        waveView_, perfectLens_, playButton_,   flashButton_, ledger_};
    for (std::size_t k = 1; k < std::size(order); ++k) {
        setTabOrder(order[k - 1], order[k]);
    }

    RedrawOnEveryChange(AGLIKA, &DHMIOYRGO_KYKLO::AGLIKA_Click);
    RedrawOnEveryChange(ELLINIKA, &DHMIOYRGO_KYKLO::ELLINIKA_Click);
    connect(initial_POINT, &QScrollBar::valueChanged, this, &DHMIOYRGO_KYKLO::initial_POINT_Change);
    connect(fOCUS_POINT, &QScrollBar::valueChanged, this, &DHMIOYRGO_KYKLO::fOCUS_POINT_Change);
    connect(n_DIATHLASI, &QScrollBar::valueChanged, this, &DHMIOYRGO_KYKLO::n_DIATHLASI_Change);
    connect(pachos, &QScrollBar::valueChanged, this, &DHMIOYRGO_KYKLO::pachos_Change);
    // While a thumb is dragged the read-outs follow it; the figure waits for the release
    // unless live dragging is on.
    for (QScrollBar* bar : {initial_POINT, fOCUS_POINT, n_DIATHLASI, pachos}) {
        connect(bar, &QScrollBar::sliderMoved, this, [this, bar](int value) {
            if (!bar->hasTracking()) {
                ShowReadoutsWhileDragging(bar, value);
            }
        });
        // Back to the drawn figure's read-outs; a changed value redraws right after.
        connect(bar, &QScrollBar::sliderReleased, this, &DHMIOYRGO_KYKLO::ShowLabels);
    }
    RedrawOnEveryChange(YPERVOLIKO, &DHMIOYRGO_KYKLO::YPERVOLIKO_Click);
    RedrawOnEveryChange(waveView_, &DHMIOYRGO_KYKLO::WaveView_Click);
    RedrawOnEveryChange(f_apeiro, &DHMIOYRGO_KYKLO::f_apeiro_Click);
    RedrawOnEveryChange(perfectLens_, &DHMIOYRGO_KYKLO::DrawConstruction);
    connect(playButton_, &QPushButton::clicked, this, [this] { SetPlaying(!Playing()); });
    connect(flashButton_, &QPushButton::clicked, this, &DHMIOYRGO_KYKLO::Flash);
    connect(clock_, &QTimer::timeout, this, [this] {
        const double seconds = sinceFrame_.restart() / 1000.0;
        Advance(seconds);
    });
    connect(Command1, &QPushButton::clicked, this, &DHMIOYRGO_KYKLO::Command1_Click);

    EIKON->Surface().Scale(-100, 100, 100, -100);

    setWindowIcon(QIcon(QStringLiteral(":/icons/org.kymata.Kymata.svg")));
    saveAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::Key_S));
    printAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::Key_P));
    quitAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::Key_Q));
    saveWorksheetAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    printWorksheetAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    liveAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::Key_D));
    liveAction_->setCheckable(true);
    presentationAction_ = AddAction(QKeySequence(Qt::Key_F5));
    presentationAction_->setCheckable(true);
    leavePresentationAction_ = AddAction(QKeySequence(Qt::Key_Escape));
    leavePresentationAction_->setEnabled(false);
    zoomInAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::Key_Plus));
    zoomInAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    zoomOutAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    wholeFigureAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::Key_0));
    showAllAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::Key_9));
    // The canvas menu from the keyboard, wherever the focus is.
    canvasMenuAction_ = AddAction(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    canvasMenuAction_->setShortcuts(
        {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    helpAction_ = AddAction(QKeySequence(Qt::Key_F1));
    aboutAction_ = AddAction({});
    // A zoomed view pans with Ctrl and the arrow keys, a tenth of the canvas a press.
    const std::pair<Qt::Key, QPointF> pans[] = {{Qt::Key_Left, {1, 0}},
                                                {Qt::Key_Right, {-1, 0}},
                                                {Qt::Key_Up, {0, 1}},
                                                {Qt::Key_Down, {0, -1}}};
    for (const auto& [key, direction] : pans) {
        QAction* pan = AddAction(QKeySequence(Qt::CTRL | key));
        connect(pan, &QAction::triggered, this,
                [this, direction] { EIKON->PanBy(direction * EIKON->width() / 10.0); });
    }
    waveViewAction_ = AddAction(QKeySequence(Qt::Key_F6));
    waveViewAction_->setCheckable(true);
    playAction_ = AddAction(QKeySequence(Qt::Key_Space));
    playAction_->setCheckable(true);
    stepAction_ = AddAction(QKeySequence(Qt::Key_Period));
    slowerAction_ = AddAction(QKeySequence(Qt::Key_BracketLeft));
    fasterAction_ = AddAction(QKeySequence(Qt::Key_BracketRight));
    flashAction_ = AddAction(QKeySequence(Qt::Key_L));
    connect(saveAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::SaveFigureAs);
    connect(printAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::Command1_Click);
    connect(quitAction_, &QAction::triggered, this, &QWidget::close);
    connect(saveWorksheetAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::SaveWorksheetAs);
    connect(printWorksheetAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::PrintWorksheet);
    connect(liveAction_, &QAction::toggled, this, &DHMIOYRGO_KYKLO::SetLiveDragging);
    connect(presentationAction_, &QAction::toggled, this, &DHMIOYRGO_KYKLO::SetPresentation);
    connect(leavePresentationAction_, &QAction::triggered, this,
            [this] { presentationAction_->setChecked(false); });
    connect(zoomInAction_, &QAction::triggered, this, [this] { EIKON->ZoomBy(1.25); });
    connect(zoomOutAction_, &QAction::triggered, this, [this] { EIKON->ZoomBy(1 / 1.25); });
    connect(wholeFigureAction_, &QAction::triggered, EIKON, &CanvasWidget::ResetView);
    connect(showAllAction_, &QAction::triggered, EIKON, &CanvasWidget::ShowAll);
    connect(canvasMenuAction_, &QAction::triggered, this,
            [this] { ShowCanvasMenu(EIKON->rect().center()); });
    connect(helpAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::ShowGuide);
    connect(aboutAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::ShowAbout);
    connect(waveViewAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::SetWaveView);
    connect(playAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::SetPlaying);
    connect(stepAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::StepFrame);
    connect(slowerAction_, &QAction::triggered, this, [this] { SetSpeed(speed_ / 2); });
    connect(fasterAction_, &QAction::triggered, this, [this] { SetSpeed(speed_ * 2); });
    connect(flashAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::Flash);
    EIKON->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(EIKON, &QWidget::customContextMenuRequested, this, &DHMIOYRGO_KYKLO::ShowCanvasMenu);
    ShowWindowTexts(ReadControls());
}

Controls DHMIOYRGO_KYKLO::ReadControls() const {
    Controls c;
    c.initial_POINT = initial_POINT->value();
    c.fOCUS_POINT = fOCUS_POINT->value();
    c.n_DIATHLASI = n_DIATHLASI->value();
    c.pachos = pachos->value();
    c.YPERVOLIKO = YPERVOLIKO->isChecked();
    c.f_apeiro = f_apeiro->isChecked();
    c.ELLINIKA = ELLINIKA->isChecked();
    c.view = waveView_->isChecked() ? View::Waves : View::Classic;
    c.perfectLens = c.view == View::Waves && perfectLens_->isChecked();
    if (c.view == View::Waves && flashCount_) {
        c.flash = flashCount_;
    } else if (c.view == View::Waves && (Playing() || phase_ > 0)) {
        c.phase = phase_;
    }
    return c;
}

void DHMIOYRGO_KYKLO::SetControls(const Controls& c) {
    // Set quietly, then drawn once as the new whole.
    QObject* const controls[] = {YPERVOLIKO,   f_apeiro,      ELLINIKA,    AGLIKA,      waveView_,
                                 perfectLens_, initial_POINT, fOCUS_POINT, n_DIATHLASI, pachos};
    for (QObject* control : controls) {
        control->blockSignals(true);
    }
    initial_POINT->setValue(c.initial_POINT);
    fOCUS_POINT->setValue(c.fOCUS_POINT);
    n_DIATHLASI->setValue(c.n_DIATHLASI);
    pachos->setValue(c.pachos);
    YPERVOLIKO->setChecked(c.YPERVOLIKO);
    f_apeiro->setChecked(c.f_apeiro);
    (c.ELLINIKA ? ELLINIKA : AGLIKA)->setChecked(true);
    waveView_->setChecked(c.view == View::Waves);
    perfectLens_->setChecked(c.perfectLens);
    for (QObject* control : controls) {
        control->blockSignals(false);
    }
    scene_.hyperbola.HyperbolaState = 0;
    scene_.RefractiveIndex = c.n_DIATHLASI / 100.0;
    if (c.view != View::Waves) {
        SetPlaying(false);
        flashCount_.reset();
        phase_ = 0;
    }
    ApplyLayout();
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::DrawConstruction() {
    const Controls controls = ReadControls();
    const std::optional<waves::WaveTrace> trace =
        DrawFigure(controls, scene_, labels_, EIKON->Surface());
    if (trace) {
        ledger_->Show(waves::MakeLedger(*trace, controls.ELLINIKA),
                      Q(ControlTextsFor(controls.ELLINIKA).ledgerTitle));
    }
    ledger_->setVisible(trace.has_value() && ledger_->width() > 0);
    waveViewAction_->setChecked(trace.has_value());
    ShowLabels();
    ShowWindowTexts(controls);
    EIKON->update();
    if (Playing()) {
        DrawFrame();
    }
    Q_EMIT FigureRedrawn();
}

void DHMIOYRGO_KYKLO::ShowReadoutsWhileDragging(const QScrollBar* bar, int value) {
    Controls dragged = ReadControls();
    int Controls::*member = bar == initial_POINT ? &Controls::initial_POINT
                            : bar == fOCUS_POINT ? &Controls::fOCUS_POINT
                            : bar == n_DIATHLASI ? &Controls::n_DIATHLASI
                                                 : &Controls::pachos;
    dragged.*member = value;
    const Labels shown = ReadoutsFor(dragged, scene_);
    Label1->setText(Q(shown.Label1));
    Label2->setText(Q(shown.Label2));
    Label3->setText(Q(shown.Label3));
    Label4->setText(Q(shown.Label4));
}

void DHMIOYRGO_KYKLO::ShowLabels() {
    Label1->setText(QString::fromStdString(labels_.Label1));
    Label2->setText(QString::fromStdString(labels_.Label2));
    Label3->setText(QString::fromStdString(labels_.Label3));
    Label4->setText(QString::fromStdString(labels_.Label4));
}

QAction* DHMIOYRGO_KYKLO::AddAction(const QKeySequence& shortcut) {
    auto* action = new QAction(this);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    return action;
}

void DHMIOYRGO_KYKLO::ShowWindowTexts(const Controls& controls) {
    UseToolkitLanguage(controls.ELLINIKA);
    const ControlTexts texts = ControlTextsFor(controls.ELLINIKA);
    saveAction_->setText(Q(texts.saveFigure));
    printAction_->setText(Q(texts.print));
    quitAction_->setText(Q(texts.quit));
    saveWorksheetAction_->setText(Q(texts.saveWorksheet));
    printWorksheetAction_->setText(Q(texts.printWorksheet));
    liveAction_->setText(Q(texts.liveDragging));
    presentationAction_->setText(Q(texts.presentation));
    leavePresentationAction_->setText(Q(texts.presentation));
    zoomInAction_->setText(Q(texts.zoomIn));
    zoomOutAction_->setText(Q(texts.zoomOut));
    wholeFigureAction_->setText(Q(texts.wholeFigure));
    showAllAction_->setText(Q(texts.showAll));
    canvasMenuAction_->setText(Q(texts.canvasMenu));
    helpAction_->setText(Q(texts.help));
    aboutAction_->setText(Q(texts.about));
    if (guide_ && guide_->isVisible()) {
        guide_->ShowLanguage(controls.ELLINIKA, Q(texts.helpTitle));
    }
    waveViewAction_->setText(Q(texts.waveView));
    waveView_->setText(Q(texts.waveViewCaption));
    playAction_->setText(Q(texts.playPause));
    stepAction_->setText(Q(texts.stepFrame));
    slowerAction_->setText(Q(texts.slower));
    fasterAction_->setText(Q(texts.faster));
    flashAction_->setText(Q(texts.flash));
    flashButton_->setText(Q(texts.flashCaption));
    perfectLens_->setText(Q(texts.perfectLensCaption));
    ShowMotionControls();
    QStringList named;
    for (const DesignedControl& d : DesignedControls()) {
        named << QString::fromLatin1(d.name);
    }
    named << waveView_->objectName() << perfectLens_->objectName() << playButton_->objectName()
          << flashButton_->objectName();
    for (const QString& name : named) {
        if (auto* control = findChild<QWidget*>(name, Qt::FindDirectChildrenOnly)) {
            const ControlDescription a = DescribeControl(name.toStdString(), controls);
            control->setAccessibleName(Q(a.name));
            control->setAccessibleDescription(Q(a.description));
        }
    }
    // The canvas tells what it shows now, then how to reach its menu.
    EIKON->setAccessibleDescription(Q(DescribeFigure(controls, EIKON->Figure())) +
                                    QLatin1Char(' ') +
                                    Q(DescribeControl("EIKON", controls).description));
}

void DHMIOYRGO_KYKLO::ShowCanvasMenu(const QPoint& at) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(saveAction_);
    menu->addAction(saveWorksheetAction_);
    menu->addAction(printAction_);
    menu->addAction(printWorksheetAction_);
    menu->addSeparator();
    menu->addAction(liveAction_);
    menu->addAction(presentationAction_);
    menu->addAction(waveViewAction_);
    if (waveView_->isChecked()) {
        menu->addAction(playAction_);
        menu->addAction(stepAction_);
        menu->addAction(slowerAction_);
        menu->addAction(fasterAction_);
        menu->addAction(flashAction_);
    }
    menu->addSeparator();
    menu->addAction(zoomInAction_);
    menu->addAction(zoomOutAction_);
    menu->addAction(wholeFigureAction_);
    menu->addAction(showAllAction_);
    menu->addSeparator();
    menu->addAction(helpAction_);
    menu->addAction(aboutAction_);
    menu->addAction(quitAction_);
    menu->popup(EIKON->mapToGlobal(at));
    // Opened from the keyboard, the menu takes the keys at once.
    menu->setActiveAction(menu->actions().value(0));
}

void DHMIOYRGO_KYKLO::Warn(const QString& title, const QString& message) {
    auto* box = new QMessageBox(QMessageBox::Warning, title, message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void DHMIOYRGO_KYKLO::ShowGuide() {
    if (!guide_) {
        guide_ = new GuideDialog(this);
        // On the screen whole, however small it is.
        if (const QScreen* shown = screen()) {
            const QSize room = shown->availableGeometry().size() * 0.9;
            guide_->resize(guide_->size().boundedTo(room));
        }
    }
    const bool greek = ELLINIKA->isChecked();
    guide_->ShowLanguage(greek, Q(ControlTextsFor(greek).helpTitle));
    guide_->show();
    guide_->raise();
    guide_->activateWindow();
}

void DHMIOYRGO_KYKLO::ShowAbout() {
    const ControlTexts texts = ControlTextsFor(ELLINIKA->isChecked());
    auto* box = new QMessageBox(QMessageBox::Information, Q(texts.aboutTitle),
                                Q(texts.aboutText).arg(QStringLiteral(KYMATA_VERSION)),
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("about"));
    box->setIconPixmap(windowIcon().pixmap(64, 64));
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void DHMIOYRGO_KYKLO::SaveFigureAs() {
    SaveAs(false);
}

void DHMIOYRGO_KYKLO::SaveWorksheetAs() {
    SaveAs(true);
}

void DHMIOYRGO_KYKLO::PrintWorksheet() {
    PrintWithDialog(true);
}

void DHMIOYRGO_KYKLO::SetLiveDragging(bool on) {
    for (QScrollBar* bar : {initial_POINT, fOCUS_POINT, n_DIATHLASI, pachos}) {
        bar->setTracking(on);
    }
    liveAction_->setChecked(on);
}

void DHMIOYRGO_KYKLO::SetPresentation(bool on) {
    if (on == EIKON->Presentation()) {
        return;
    }
    if (on) {
        windowedGeometry_ = geometry();
        showFullScreen();
    } else {
        showNormal();
        setGeometry(windowedGeometry_);
    }
    EIKON->SetPresentation(on);
    // The controls and read-outs grow with the canvas's texts, so that a class reads them too.
    QFont font = QApplication::font(this);
    font.setPointSizeF(font.pointSizeF() * ControlScale());
    setFont(font);
    ApplyLayout();
    leavePresentationAction_->setEnabled(on);
    presentationAction_->setChecked(on);
}

double DHMIOYRGO_KYKLO::ControlScale() const {
    return EIKON->Presentation() ? CanvasWidget::PresentationText : 1.0;
}

void DHMIOYRGO_KYKLO::SaveAs(bool worksheet) {
    const ControlTexts texts = ControlTextsFor(ReadControls().ELLINIKA);
    const QStringList filters = {QStringLiteral("PNG (*.png)"), QStringLiteral("SVG (*.svg)"),
                                 QStringLiteral("PDF (*.pdf)"), QStringLiteral("JSON (*.json)")};
    QString filter = filters.front();
    const QString suggested =
        worksheet ? QStringLiteral("kymata-worksheet.png") : QStringLiteral("kymata-figure.png");
    // The toolkit's own dialog, which speaks the window's language; a desktop's native one
    // would keep the desktop's.
    QString path =
        QFileDialog::getSaveFileName(this, Q(texts.saveTitle), suggested, filters.join(";;"),
                                     &filter, QFileDialog::DontUseNativeDialog);
    if (path.isEmpty()) {
        return;
    }
    if (!FigureFormatForPath(path)) {
        // No known extension: the one of the chosen type.
        path += QLatin1Char('.') + filter.section(QLatin1Char('.'), 1).chopped(1);
    }
    int size = 1000;
    if (FigureFormatForPath(path) == FigureFormat::Png) {
        bool ok = false;
        size = QInputDialog::getInt(this, Q(texts.pngSizeTitle), Q(texts.pngSizeLabel), 1000, 10,
                                    8000, 100, &ok);
        if (!ok) {
            return;
        }
    }
    SaveFigure(path, size, worksheet);
}

bool DHMIOYRGO_KYKLO::SaveFigure(const QString& path, int pngSize, bool worksheet) {
    const auto format = FigureFormatForPath(path);
    const ControlTexts texts = ControlTextsFor(ReadControls().ELLINIKA);
    if (!format) {
        Warn(Q(texts.saveFigure),
             Q(texts.saveFailed) + QLatin1Char('\n') +
                 QStringLiteral("%1: use .png, .svg, .pdf or .json").arg(path));
        return false;
    }
    const WriteResult written =
        WriteFigure(path, *format, DrawFigureContent(ReadControls(), worksheet), pngSize);
    if (!written.ok) {
        Warn(Q(texts.saveFigure), Q(texts.saveFailed) + QLatin1Char('\n') + written.error);
    }
    return written.ok;
}

ControlSizes DHMIOYRGO_KYKLO::MeasureControls() const {
    ControlSizes sizes;
    for (QWidget* control :
         {static_cast<QWidget*>(Command1), static_cast<QWidget*>(YPERVOLIKO),
          static_cast<QWidget*>(ELLINIKA), static_cast<QWidget*>(AGLIKA),
          static_cast<QWidget*>(f_apeiro), static_cast<QWidget*>(waveView_),
          static_cast<QWidget*>(perfectLens_), static_cast<QWidget*>(playButton_),
          static_cast<QWidget*>(flashButton_), static_cast<QWidget*>(speedLabel_)}) {
        sizes.hints.insert(control->objectName(), control->sizeHint());
    }
    sizes.hints.insert(QStringLiteral("scrollBar"), initial_POINT->sizeHint());
    // The read-outs at their widest, in either language, so that the layout does not follow
    // the values.
    const QFontMetrics metrics(Label1->font());
    int readout = 0;
    int thickness = 0;
    for (const bool greek : {true, false}) {
        Controls widest;
        widest.ELLINIKA = greek;
        widest.initial_POINT = 200;
        widest.fOCUS_POINT = 20;
        widest.n_DIATHLASI = 250;
        widest.pachos = 20;
        for (const std::string& text :
             {SourceCaption(widest), FocusCaption(widest), RefractiveIndexCaption(widest)}) {
            readout = std::max(readout, metrics.horizontalAdvance(Q(text)));
        }
        thickness =
            std::max(thickness, metrics.horizontalAdvance(Q(ThicknessCaption(widest, scene_))));
    }
    const int pad = 2 * Label1->margin() + metrics.averageCharWidth();
    sizes.readout = QSize(readout + pad, metrics.lineSpacing());
    sizes.hints.insert(QStringLiteral("Label4"), QSize(thickness + pad, metrics.lineSpacing()));
    return sizes;
}

void DHMIOYRGO_KYKLO::ApplyLayout() {
    const QScreen* shown = screen();
    const double dpi = (shown ? shown->logicalDotsPerInch() : 96.0) * ControlScale();
    const WindowLayout layout =
        FitWindowLayout(size(), dpi, MeasureControls(), waveView_->isChecked());
    arrangement_ = layout.arrangement;
    for (const FormLayout::Placement& p : layout.form.placements) {
        if (auto* control = findChild<QWidget*>(p.name, Qt::FindDirectChildrenOnly)) {
            control->setGeometry(p.rect);
        }
    }
    ledger_->setVisible(waveView_->isChecked() &&
                        !layout.form.Rect(QStringLiteral("ledger")).isEmpty());
}

void DHMIOYRGO_KYKLO::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ApplyLayout();
}

void DHMIOYRGO_KYKLO::AGLIKA_Click() {
    EIKON->Surface().Cls();
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::ELLINIKA_Click() {
    EIKON->Surface().Cls();
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::initial_POINT_Change() {
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::fOCUS_POINT_Change() {
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::n_DIATHLASI_Change() {
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::pachos_Change() {
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::YPERVOLIKO_Click() {
    scene_.hyperbola.HyperbolaState = 0;
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::f_apeiro_Click() {
    // "Parallel BEAM" changes no classic figure; in the wave view it makes the source a plane
    // wave.
    if (waveView_->isChecked()) {
        DrawConstruction();
    }
}

bool DHMIOYRGO_KYKLO::Playing() const {
    return clock_->isActive();
}

void DHMIOYRGO_KYKLO::SetPlaying(bool on) {
    if (on && !waveView_->isChecked()) {
        on = false;
    }
    if (on) {
        sinceFrame_.start();
        clock_->start();
    } else {
        clock_->stop();
        EIKON->ClearLayers();
    }
    ShowMotionControls();
}

void DHMIOYRGO_KYKLO::StepFrame() {
    if (waveView_->isChecked() && !Playing()) {
        Advance(1.0 / 60 / speed_);
    }
}

void DHMIOYRGO_KYKLO::SetSpeed(double speed) {
    speed_ = std::clamp(speed, 0.25, 4.0);
    ShowMotionControls();
}

void DHMIOYRGO_KYKLO::Flash() {
    if (!waveView_->isChecked()) {
        return;
    }
    flashCount_ = 0.0;
    if (!Playing()) {
        SetPlaying(true);
    }
    DrawFrame();
}

void DHMIOYRGO_KYKLO::Advance(double seconds) {
    const double periods = std::max(0.0, seconds) * speed_;
    if (flashCount_) {
        // A flash crosses the figure in FlashSeconds at speed 1, whatever its length.
        const double most = waves::MostCount(waves::TraceWaves(ReadControls()));
        *flashCount_ += periods * std::max(most, 1.0) / FlashSeconds;
        if (*flashCount_ > most) {
            flashCount_.reset();
        }
    } else {
        phase_ = std::fmod(phase_ + periods, 1.0);
    }
    DrawFrame();
}

void DHMIOYRGO_KYKLO::DrawFrame() {
    const Controls controls = ReadControls();
    DrawFigure(controls, scene_, labels_, EIKON->Surface());
    if (Playing()) {
        // The still part is painted once and kept; each frame lays the crests over it.
        using Layer = waves::CrestOptions::Layer;
        Controls still = controls;
        still.phase.reset();
        still.flash.reset();
        EIKON->ShowLayers(DrawWaveLayer(still, Layer::WithoutCrests),
                          DrawWaveLayer(controls, Layer::CrestsOnly));
    } else {
        EIKON->ClearLayers();
    }
    EIKON->update();
}

void DHMIOYRGO_KYKLO::ShowMotionControls() {
    const bool waves = waveView_->isChecked();
    const ControlTexts texts = ControlTextsFor(ELLINIKA->isChecked());
    playButton_->setText(Playing() ? Q(texts.pauseCaption) : Q(texts.playCaption));
    playAction_->setChecked(Playing());
    speedLabel_->setText(Q(texts.speed).arg(speed_));
    for (QWidget* control :
         {static_cast<QWidget*>(perfectLens_), static_cast<QWidget*>(playButton_),
          static_cast<QWidget*>(flashButton_), static_cast<QWidget*>(speedLabel_)}) {
        control->setVisible(waves);
    }
    slowerAction_->setEnabled(speed_ > 0.25);
    fasterAction_->setEnabled(speed_ < 4);
    stepAction_->setEnabled(waves && !Playing());
}

void DHMIOYRGO_KYKLO::SetWaveView(bool on) {
    HandledNow(waveView_);
    waveView_->setChecked(on);
    WaveView_Click();
}

void DHMIOYRGO_KYKLO::HandledNow(QAbstractButton* button) {
    // Counted: two changes handled in one turn are each forgotten at its end.
    ++handled_[button];
    QTimer::singleShot(0, this, [this, button] {
        if (--handled_[button] == 0) {
            handled_.remove(button);
        }
    });
}

void DHMIOYRGO_KYKLO::RedrawOnEveryChange(QAbstractButton* button,
                                          void (DHMIOYRGO_KYKLO::*handler)()) {
    // A click runs the handler at once, as the form's click events do (clicking the chosen
    // language too). A change that comes without a click (a screen reader's toggle action, a
    // change made by the program) runs it once the change is done; a change that a click or the
    // program has handled already is not run twice.
    connect(button, &QAbstractButton::clicked, this, [this, button, handler] {
        HandledNow(button);
        (this->*handler)();
    });
    connect(button, &QAbstractButton::toggled, this, [this, button, handler](bool on) {
        if (!on && qobject_cast<QRadioButton*>(button)) {
            return; // the language turned off; the one turned on redraws
        }
        QTimer::singleShot(0, this, [this, button, handler] {
            if (!handled_.contains(button)) {
                (this->*handler)();
            }
        });
    });
}

void DHMIOYRGO_KYKLO::WaveView_Click() {
    if (!waveView_->isChecked()) {
        SetPlaying(false);
        flashCount_.reset();
        phase_ = 0;
    }
    ApplyLayout();
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::Command1_Click() {
    PrintWithDialog(false);
}

void DHMIOYRGO_KYKLO::PrintWithDialog(bool worksheet) {
    // The standard dialog, with the default printer chosen; the user may pick another printer
    // or printing to a PDF file. Cancel prints nothing and changes nothing.
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("PRINT"));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    PrintOn(printer, worksheet);
}

bool DHMIOYRGO_KYKLO::PrintOn(QPrinter& printer, bool worksheet) {
    const PrintOutcome outcome =
        PrintToPrinter(printer, ReadControls(), scene_, labels_, EIKON->Surface(), worksheet);
    ShowLabels();
    EIKON->update();
    if (!outcome.ok) {
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("PRINT"), outcome.message,
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
    return outcome.ok;
}

} // namespace kymata
