#include "shell/main_window.h"

#include "construction/scene_parameters.h"
#include "export/said.h"
#include "figure/control_texts.h"
#include "figure/draw_construction.h"
#include "figure/figure_content.h"
#include "shell/accessible_bar.h"
#include "shell/canvas_widget.h"
#include "shell/form_layout.h"
#include "shell/guide_dialog.h"
#include "shell/ledger_panel.h"
#include "shell/lesson_panel.h"
#include "shell/print_dispatch.h"
#include "shell/toolkit_language.h"
#include "shell/window_layout.h"
#include "shell/window_texts.h"
#include "texts/catalogue.h"
#include "waves/wave_ledger.h"
#include "waves/wave_view.h"

#include <QAccessible>
#include <QCheckBox>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace kymata {

namespace {

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
Button* MakeButton(QWidget* parent, const char* name, const std::string& caption) {
    auto* button = new Button(QString::fromStdString(caption), parent);
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
    const Controls start;
    const ControlTexts startTexts = ControlTextsFor(TextLanguage(start));
    setWindowTitle(Q(startTexts.windowTitle));
    setAutoFillBackground(true);

    EIKON = new CanvasWidget(this);
    EIKON->setObjectName(QStringLiteral("EIKON"));
    Command1 = MakeButton<QPushButton>(this, "Command1", startTexts.printCaption);
    initial_POINT =
        MakeScrollBar(this, "initial_POINT", initial_POINT_Range, 1, 10, start.initial_POINT);
    Label1 = MakeLabel(this, "Label1");
    fOCUS_POINT = MakeScrollBar(this, "fOCUS_POINT", fOCUS_POINT_Range, 1, 10, start.fOCUS_POINT);
    Label2 = MakeLabel(this, "Label2");
    n_DIATHLASI = MakeScrollBar(this, "n_DIATHLASI", n_DIATHLASI_Range, 1, 10, start.n_DIATHLASI);
    Label3 = MakeLabel(this, "Label3");
    pachos = MakeScrollBar(this, "pachos", pachos_Range, 1, 5, start.pachos);
    Label4 = MakeLabel(this, "Label4");
    f_apeiro = MakeButton<QCheckBox>(this, "f_apeiro", startTexts.parallelBeamCaption);
    YPERVOLIKO = MakeButton<QCheckBox>(this, "YPERVOLIKO", startTexts.hyperbolaCaption);
    ELLINIKA = MakeButton<QRadioButton>(this, "ELLINIKA", startTexts.greekCaption);
    AGLIKA = MakeButton<QRadioButton>(this, "AGLIKA", startTexts.englishCaption);
    ELLINIKA->setChecked(true);
    waveView_ = MakeButton<QCheckBox>(this, "waveView", startTexts.waveViewCaption);
    perfectLens_ = MakeButton<QCheckBox>(this, "perfectLens", startTexts.perfectLensCaption);
    playButton_ = MakeButton<QPushButton>(this, "playButton", startTexts.playCaption);
    flashButton_ = MakeButton<QPushButton>(this, "flashButton", startTexts.flashCaption);
    bestFocusButton_ = MakeButton<QPushButton>(this, "bestFocusButton", "");
    speedLabel_ = MakeLabel(this, "speedLabel");
    clock_ = new QTimer(this);
    clock_->setTimerType(Qt::PreciseTimer);
    clock_->setInterval(16);
    print_ = new PrintDispatch(this);
    connect(print_, &PrintDispatch::Finished, this, &DHMIOYRGO_KYKLO::ShowPrintEnd);
    ledger_ = new LedgerPanel(this);
    ledger_->hide();

    // Tab order of the design: canvas, PRINT, the scroll bars from top to bottom with their
    // read-outs, the two check boxes, the two languages.
    QWidget* order[] = {EIKON,     Command1,     initial_POINT, fOCUS_POINT, n_DIATHLASI,
                        pachos,    f_apeiro,     YPERVOLIKO,    ELLINIKA,    AGLIKA,
                        waveView_, perfectLens_, playButton_,   flashButton_};
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
    connect(bestFocusButton_, &QPushButton::clicked, this, &DHMIOYRGO_KYKLO::MoveFocusToBestFocus);
    connect(clock_, &QTimer::timeout, this, [this] {
        const double seconds = sinceFrame_.restart() / 1000.0;
        Advance(seconds);
    });
    connect(Command1, &QPushButton::clicked, this, &DHMIOYRGO_KYKLO::Command1_Click);

    EIKON->Surface().Scale(-100, 100, 100, -100);

    setWindowIcon(QIcon(QStringLiteral(":/icons/org.kymata.Kymata.svg")));
    CreateActions();
    CreateLesson();
    // After the wave view's buttons: LESSON, the lesson's own buttons, then the ledger.
    setTabOrder(flashButton_, bestFocusButton_);
    QWidget* previous = bestFocusButton_;
    for (QWidget* next :
         QList<QWidget*>{lessonButton_} + lesson_->FocusOrder() + QList<QWidget*>{ledger_}) {
        setTabOrder(previous, next);
        previous = next;
    }
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
    c.view = state_.ShownView();
    c.perfectLens = perfectLens_->isChecked();
    return state_.ForRedraw(c);
}

void DHMIOYRGO_KYKLO::SetControls(const Controls& c) {
    // Set quietly: no control's own handler runs; the caller draws the new whole once.
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
    ShowLanguageSwitch(c);
    state_.SetView(c.view);
    waveView_->setChecked(TracesWaves(c.view));
    perfectLens_->setChecked(c.perfectLens);
    for (QObject* control : controls) {
        control->blockSignals(false);
    }
    scene_.hyperbola.HyperbolaState = 0;
    scene_.RefractiveIndex = c.n_DIATHLASI / 100.0;
    if (!TracesWaves(c.view)) {
        SetPlaying(false);
        state_.LeaveWaves();
    }
    ApplyLayout();
}

void DHMIOYRGO_KYKLO::DrawConstruction() {
    const Controls controls = ReadControls();
    const std::optional<waves::WaveTrace> trace =
        DrawFigure(controls, scene_, labels_, EIKON->Surface());
    const bool traced = HasLedger(controls.view);
    if (traced && trace) {
        const std::string_view language = TextLanguage(controls);
        ledger_->Show(waves::MakeLedger(*trace, language), Q(ControlTextsFor(language).ledgerTitle),
                      Said("ledger.details", language));
    }
    ledger_->setVisible(traced && ledger_->width() > 0);
    waveViewAction_->setChecked(traced);
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

void DHMIOYRGO_KYKLO::AGLIKA_Click() {
    state_.SetMoreLanguage({});
    EIKON->Surface().Cls();
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::ELLINIKA_Click() {
    state_.SetMoreLanguage({});
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
    if (ShowsWaves()) {
        DrawConstruction();
    }
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

} // namespace kymata
