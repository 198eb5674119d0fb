#include "shell/main_window.h"

#include "figure/control_texts.h"
#include "figure/draw_construction.h"
#include "shell/canvas_widget.h"
#include "shell/lesson_panel.h"
#include "shell/printer_output.h"
#include "shell/toolkit_language.h"
#include "shell/window_descriptions.h"
#include "shell/window_placement.h"
#include "shell/window_texts.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QPrinter>
#include <QScreen>

namespace kymata {

DHMIOYRGO_KYKLO::DHMIOYRGO_KYKLO(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DHMIOYRGO_KYKLO"));
    setWindowTitle(Q(ControlTextsFor(TextLanguage(Controls{})).windowTitle));
    setAutoFillBackground(true);
    setWindowIcon(QIcon(QStringLiteral(":/icons/org.kymata.Kymata.svg")));
    ledger_->hide();
    RouteEvents();
    Canvas().setContextMenuPolicy(Qt::CustomContextMenu);
    // Tab visits the design's controls in its order, then the wave view's, LESSON, the
    // lesson's own and the ledger.
    const QList<QWidget*> order = QList<QWidget*>{&Canvas()} + panel_.FocusOrder() +
                                  waves_.FocusOrder() + QList<QWidget*>{waves_.BestFocusButton()} +
                                  lesson_.FocusOrder() + QList<QWidget*>{ledger_};
    for (qsizetype k = 1; k < order.size(); ++k) {
        setTabOrder(order[k - 1], order[k]);
    }
    ShowWindowTexts(ReadControls());
}

void DHMIOYRGO_KYKLO::RouteEvents() {
    using W = DHMIOYRGO_KYKLO;
    connect(&panel_, &ControlPanel::EnglishChosen, this, &W::AGLIKA_Click);
    connect(&panel_, &ControlPanel::GreekChosen, this, &W::ELLINIKA_Click);
    connect(&panel_, &ControlPanel::SourceChanged, this, &W::initial_POINT_Change);
    connect(&panel_, &ControlPanel::FocusChanged, this, &W::fOCUS_POINT_Change);
    connect(&panel_, &ControlPanel::IndexChanged, this, &W::n_DIATHLASI_Change);
    connect(&panel_, &ControlPanel::ThicknessChanged, this, &W::pachos_Change);
    connect(&panel_, &ControlPanel::Dragging, this, &W::ShowReadoutsWhileDragging);
    connect(&panel_, &ControlPanel::Released, this, &W::ShowLabels);
    connect(&panel_, &ControlPanel::HyperbolaChanged, this, &W::YPERVOLIKO_Click);
    connect(&panel_, &ControlPanel::ParallelBeamChanged, this, &W::f_apeiro_Click);
    connect(&panel_, &ControlPanel::PrintClicked, this, &W::Command1_Click);
    connect(&waves_, &WaveSwitches::WaveViewChanged, this, &W::WaveView_Click);
    connect(&waves_, &WaveSwitches::PerfectLensChanged, this, &W::DrawConstruction);
    connect(&waves_, &WaveSwitches::PlayClicked, this, [this] { SetPlaying(!Playing()); });
    connect(&waves_, &WaveSwitches::FlashClicked, this, &W::Flash);
    connect(&waves_, &WaveSwitches::BestFocusClicked, this, &W::MoveFocusToBestFocus);
    connect(&canvas_, &CanvasMotion::PlayingChanged, this, &W::ShowMotionControls);
    connect(&Canvas(), &QWidget::customContextMenuRequested, this, &W::ShowCanvasMenu);
    connect(&printing_, &WindowPrinting::Finished, this, &W::PrintFinished);
    connect(actions_.save, &QAction::triggered, this, &W::SaveFigureAs);
    connect(actions_.print, &QAction::triggered, this, &W::Command1_Click);
    connect(actions_.help, &QAction::triggered, this, &W::ShowGuide);
    connect(actions_.about, &QAction::triggered, this, &W::ShowAbout);
    connect(actions_.step, &QAction::triggered, this, &W::StepFrame);
    connect(actions_.flash, &QAction::triggered, this, &W::Flash);
    connect(actions_.bestFocus, &QAction::triggered, this, &W::MoveFocusToBestFocus);
    connect(actions_.saveWorksheet, &QAction::triggered, this,
            [this] { files_.SaveFigureAs(true); });
    connect(actions_.printWorksheet, &QAction::triggered, this, [this] { PrintWithDialog(true); });
    connect(actions_.live, &QAction::toggled, this, &W::SetLiveDragging);
    connect(actions_.presentation, &QAction::toggled, this, &W::SetPresentation);
    connect(actions_.waveView, &QAction::triggered, this, &W::SetWaveView);
    connect(actions_.play, &QAction::triggered, this, &W::SetPlaying);
    connect(actions_.canvasMenu, &QAction::triggered, this,
            [this] { ShowCanvasMenu(Canvas().rect().center()); });
    connect(actions_.slower, &QAction::triggered, this, [this] { SetSpeed(Speed() / 2); });
    connect(actions_.faster, &QAction::triggered, this, [this] { SetSpeed(Speed() * 2); });
    connect(&actions_, &WindowActions::ViewChosen, this, &W::ShowView);
    connect(&actions_, &WindowActions::LanguageChosen, this,
            [this](const std::string& code) { SetLanguage(code); });
    connect(&lesson_, &LessonControls::StepRequested, this, &W::OpenLesson);
    connect(&lesson_, &LessonControls::CloseRequested, this, &W::CloseLesson);
    // Esc and F5 on the stage while it is on the projector, as in the window.
    connect(&lesson_, &LessonControls::LeaveRequested, this, [this] {
        if (Canvas().Presentation()) {
            SetPresentation(false);
        } else {
            CloseLesson();
        }
    });
    connect(&lesson_, &LessonControls::PresentationRequested, this,
            [this] { SetPresentation(!Canvas().Presentation()); });
    connect(&lesson_, &LessonControls::PrintPlanRequested, this, &W::PrintLessonPlan);
    connect(&lesson_, &LessonControls::SavePlanRequested, &files_, &WindowFiles::SaveLessonPlanAs);
}

void DHMIOYRGO_KYKLO::PrintLessonPlan() {
    printing_.PrintLessonPlan([this](const QString& path) { files_.SaveLessonPlan(path); });
}

Controls DHMIOYRGO_KYKLO::ReadControls() const {
    Controls c;
    panel_.Read(c);
    c.view = state_.ShownView();
    c.perfectLens = waves_.PerfectLens();
    return state_.ForRedraw(c);
}

std::string DHMIOYRGO_KYKLO::Language() const {
    if (!state_.MoreLanguage().empty()) {
        return state_.MoreLanguage();
    }
    return panel_.Greek() ? "el" : "en";
}

void DHMIOYRGO_KYKLO::SetControls(const Controls& c) {
    // Set quietly: no control's own handler runs; the caller draws the new whole once.
    state_.SetMoreLanguage(c.moreLanguage);
    panel_.Set(c);
    state_.SetView(c.view);
    waves_.Set(TracesWaves(c.view), c.perfectLens);
    scene_.hyperbola.HyperbolaState = 0;
    scene_.RefractiveIndex = c.n_DIATHLASI / 100.0;
    if (!TracesWaves(c.view)) {
        SetPlaying(false);
        state_.LeaveWaves();
    }
    ApplyLayout();
}

void DHMIOYRGO_KYKLO::SetLanguage(std::string_view language) {
    if (language == Language()) {
        return;
    }
    Controls c = ReadControls();
    SetTextLanguage(c, language);
    state_.SetMoreLanguage(c.moreLanguage);
    panel_.SetLanguageQuietly(c);
    // As a click on GREEK or ENGLISH does.
    Canvas().Surface().Cls();
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::DrawConstruction() {
    const Controls controls = ReadControls();
    ledger_->ShowTrace(DrawFigure(controls, scene_, labels_, Canvas().Surface()), controls);
    actions_.waveView->setChecked(TracesWaves(controls.view));
    ShowLabels();
    ShowWindowTexts(controls);
    Canvas().update();
    if (Playing()) {
        DrawFrame();
    }
    Q_EMIT FigureRedrawn();
}

void DHMIOYRGO_KYKLO::ShowReadoutsWhileDragging() {
    Controls dragged = ReadControls();
    panel_.ReadDragged(dragged);
    panel_.ShowReadouts(ReadoutsFor(dragged, scene_));
}

void DHMIOYRGO_KYKLO::ShowWindowTexts(const Controls& controls) {
    const std::string_view language = TextLanguage(controls);
    UseToolkitLanguage(language);
    const ControlTexts texts = ControlTextsFor(language);
    setWindowTitle(Q(texts.windowTitle));
    panel_.ShowTexts(texts);
    actions_.ShowTexts(texts, language);
    help_.FollowLanguage(language);
    waves_.ShowTexts(texts, language);
    lesson_.ShowTexts(language, LessonStep());
    ShowMotionControls();
    // Captions of another length in the other language: the controls are laid out for them.
    if (captionsLanguage_ != language) {
        captionsLanguage_ = std::string(language);
        ApplyLayout();
    }
    DescribeControls(*this, controls);
}

void DHMIOYRGO_KYKLO::ApplyLayout() {
    const QScreen* shown = screen();
    const double dpi = (shown ? shown->logicalDotsPerInch() : 96.0) * ControlScale();
    const WindowLayout layout =
        PlaceControls(*this, scene_, dpi, ShowsWaves(), LessonStep() > 0, Canvas().Presentation());
    arrangement_ = layout.arrangement;
    ledger_->setVisible(ShowsWaves() && !layout.form.Rect(QStringLiteral("ledger")).isEmpty());
    lesson_.Panel().SetScale(ControlScale());
    lesson_.FitStage(rect());
    // The ledger grows with the controls in presentation mode.
    ledger_->SetScale(ControlScale());
}

void DHMIOYRGO_KYKLO::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ApplyLayout();
}

void DHMIOYRGO_KYKLO::LanguageClicked() {
    state_.SetMoreLanguage({});
    Canvas().Surface().Cls();
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::PrintWithDialog(bool worksheet) {
    printing_.PrintWithDialog(
        [this, worksheet](QPrinter& printer) { PrintOn(printer, worksheet); });
}

bool DHMIOYRGO_KYKLO::PrintOn(QPrinter& printer, bool worksheet) {
    const PrintOutcome outcome =
        PrintToPrinter(printer, ReadControls(), scene_, labels_, Canvas().Surface(), worksheet);
    ShowLabels();
    Canvas().update();
    return printing_.Deliver(outcome);
}

void DHMIOYRGO_KYKLO::SetPresentation(bool on) {
    if (on == Canvas().Presentation()) {
        return;
    }
    if (on) {
        windowedGeometry_ = geometry();
        showFullScreen();
    } else {
        showNormal();
        setGeometry(windowedGeometry_);
    }
    Canvas().SetPresentation(on);
    // Redrawn with the texts of the new size, so that their lines keep apart.
    DrawConstruction();
    // The controls and read-outs grow with the canvas's texts, so that a class reads them too.
    QFont font = QApplication::font(this);
    font.setPointSizeF(font.pointSizeF() * ControlScale());
    setFont(font);
    ApplyLayout();
    actions_.ShowPresentation(on);
    EnableLessonKeys();
}

void DHMIOYRGO_KYKLO::ShowView(View view) {
    state_.SetView(view);
    waves_.ShowWaveView(TracesWaves(view));
    if (!TracesWaves(view)) {
        SetPlaying(false);
        state_.LeaveWaves();
    }
    ApplyLayout();
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::ShowMotionControls() {
    waves_.ShowMotion(ControlTextsFor(Language()), ShowsWaves(), Playing(), Speed());
    actions_.ShowMotion(ShowsWaves(), Playing(), Speed());
}

QString DHMIOYRGO_KYKLO::MoveFocusToBestFocus() {
    const BestFocusMove move = BestFocusFor(ReadControls(), scene_.Wavelength, Language());
    if (move.bar) {
        panel_.SetFocusBar(*move.bar);
    }
    // Said where the eye is, and to a screen reader.
    waves_.SayOfBestFocus(move.said);
    return move.said;
}

void DHMIOYRGO_KYKLO::OpenLesson(int step) {
    SetPlaying(false);
    const Controls scene = state_.OpenLesson(step, Language());
    SetControls(scene);
    lesson_.Open(state_.LessonStep(), TextLanguage(scene));
    EnableLessonKeys();
    ApplyLayout();
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::CloseLesson() {
    if (LessonStep() == 0) {
        return;
    }
    state_.CloseLesson();
    lesson_.Close();
    EnableLessonKeys();
    ApplyLayout();
    Canvas().setFocus();
}

} // namespace kymata
