#include "shell/lesson_controls.h"

#include "export/said.h"
#include "lesson/lesson.h"
#include "shell/lesson_panel.h"
#include "shell/lesson_stage.h"
#include "shell/window_state.h"

#include <algorithm>

#include <QAction>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace kymata {

LessonPanel* LessonControls::MakePanel(QWidget& window) {
    auto* panel = new LessonPanel(&window);
    panel->hide();
    return panel;
}

LessonStage* LessonControls::MakeStage(QWidget& window) {
    auto* stage = new LessonStage(&window);
    stage->hide();
    return stage;
}

QPushButton* LessonControls::MakeButton(QWidget& window) {
    auto* button = new QPushButton(&window);
    button->setObjectName(QStringLiteral("lessonButton"));
    button->setCheckable(true);
    return button;
}

QAction* LessonControls::Key(QWidget& on, const QKeySequence& shortcut,
                             Qt::ShortcutContext context) {
    auto* action = new QAction(&on);
    action->setShortcut(shortcut);
    action->setShortcutContext(context);
    on.addAction(action);
    return action;
}

LessonControls::LessonControls(QWidget& window, QWidget& canvas, const WindowState& state)
    : window_(window), canvas_(canvas), state_(state) {
    toggle_->setCheckable(true);
    connect(button_, &QPushButton::clicked, this, &LessonControls::Toggle);
    connect(toggle_, &QAction::triggered, this, &LessonControls::Toggle);
    for (QAction* next : {next_, nextOnCanvas_}) {
        connect(next, &QAction::triggered, this, &LessonControls::Next);
    }
    for (QAction* back : {back_, backOnCanvas_}) {
        connect(back, &QAction::triggered, this, &LessonControls::Back);
    }
    connect(close_, &QAction::triggered, this, &LessonControls::CloseRequested);
    connect(savePlan_, &QAction::triggered, this, &LessonControls::SavePlanRequested);
    connect(printPlan_, &QAction::triggered, this, &LessonControls::PrintPlanRequested);
    connect(explore_, &QAction::triggered, this, &LessonControls::ToggleExplore);
    connect(panel_, &LessonPanel::NextRequested, this, &LessonControls::NextStep);
    connect(panel_, &LessonPanel::BackRequested, this, &LessonControls::BackStep);
    connect(stage_, &LessonStage::NextRequested, this, &LessonControls::Next);
    connect(stage_, &LessonStage::BackRequested, this, &LessonControls::Back);
    connect(stage_, &LessonStage::BlankRequested, this,
            [this] { stage_->SetBlank(!stage_->Blank()); });
    connect(stage_, &LessonStage::ExploreRequested, this, &LessonControls::ToggleExplore);
    connect(stage_, &LessonStage::NotesRequested, this,
            [this] { stage_->SetNotesWanted(!stage_->NotesShown()); });
    connect(stage_, &LessonStage::LeaveRequested, this, &LessonControls::LeaveRequested);
    connect(stage_, &LessonStage::PresentationRequested, this,
            &LessonControls::PresentationRequested);
    tick_->setInterval(1000);
    connect(tick_, &QTimer::timeout, this, &LessonControls::ShowPresenter);
    connect(panel_, &LessonPanel::AgainRequested, this, &LessonControls::Again);
    connect(panel_, &LessonPanel::CloseRequested, this, &LessonControls::CloseRequested);
    EnableKeys(false, false);
}

LessonControls::~LessonControls() {
    if (stage_->parent() == nullptr) {
        delete stage_;
    }
}

void LessonControls::Request(std::optional<int> step, int beat) {
    if (step) {
        openingBeat_ = beat;
        Q_EMIT StepRequested(*step);
        openingBeat_ = 1;
    }
}

void LessonControls::Next() {
    const int step = state_.LessonStep();
    if (step == 0) {
        return;
    }
    if (stage_->Blank()) {
        stage_->SetBlank(false);
    } else if (beat_ < LessonBeatCount(step)) {
        ShowBeat(beat_ + 1);
    } else {
        Request(state_.NextStep());
    }
}

void LessonControls::Back() {
    if (state_.LessonStep() == 0) {
        return;
    }
    if (stage_->Blank()) {
        stage_->SetBlank(false);
    } else if (beat_ > 1) {
        ShowBeat(beat_ - 1);
    } else {
        Request(state_.PreviousStep(), 0);
    }
}

void LessonControls::NextStep() {
    Request(state_.NextStep());
}

void LessonControls::BackStep() {
    Request(state_.PreviousStep());
}

void LessonControls::ShowBeat(int beat) {
    beat_ = beat;
    stage_->Show(state_.LessonStep(), beat_, language_);
    ShowPresenter();
}

void LessonControls::ShowStage(bool on) {
    if (OnProjector()) {
        // The stage stays on the projector; the window is the presenter's.
        return;
    }
    stage_->setVisible(on);
    if (on) {
        stage_->raise();
        stage_->setFocus();
    } else if (stage_->hasFocus() || !window_.focusWidget()) {
        canvas_.setFocus();
    }
}

bool LessonControls::OnProjector() const {
    return stage_->isWindow();
}

void LessonControls::PlaceStage(bool presentation) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    const bool projector = presentation && state_.LessonStep() > 0 && screens.size() > 1;
    if (projector && !OnProjector()) {
        QScreen* laptop = window_.screen();
        QScreen* other = screens[0] == laptop ? screens[1] : screens[0];
        stage_->setParent(nullptr, Qt::Window | Qt::FramelessWindowHint);
        stage_->setGeometry(other->geometry());
        stage_->showFullScreen();
        window_.activateWindow();
        canvas_.setFocus();
        tick_->start();
    } else if (!projector && OnProjector()) {
        stage_->hide();
        stage_->setParent(&window_, Qt::Widget);
        tick_->stop();
        FitStage(window_.rect());
        ShowStage(state_.LessonStep() > 0 && !exploring_);
    }
    ShowPresenter();
}

QString LessonControls::PresenterText() const {
    const int step = state_.LessonStep();
    const auto words = [this](const BeatPage& page) {
        QString all;
        for (const std::string& line : page.onScreen) {
            all += (all.isEmpty() ? QString() : QStringLiteral(" ")) + Utf8(line);
        }
        return all;
    };
    const BeatPage page = BeatPageOf(step, beat_, language_);
    QString next;
    if (beat_ < page.beats) {
        next = words(BeatPageOf(step, beat_ + 1, language_));
    } else if (step < page.steps) {
        const BeatPage first = BeatPageOf(step + 1, 1, language_);
        next = Utf8(first.title) + QStringLiteral(": ") + words(first);
    } else {
        next = Said("stage.presenter.end", language_);
    }
    const qint64 seconds = clock_.isValid() ? clock_.elapsed() / 1000 : 0;
    const QString soFar =
        QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    const int minutes = LessonSteps()[static_cast<std::size_t>(step - 1)].minutes;
    return Said("stage.presenter.notes", language_) + QLatin1Char('\n') + Utf8(page.notes) +
           QStringLiteral("\n\n") + Said("stage.presenter.next", language_, {next}) +
           QStringLiteral("\n\n") +
           Said("stage.presenter.time", language_, {QString::number(minutes), soFar});
}

void LessonControls::ShowPresenter() {
    panel_->ShowPresenter(OnProjector() && state_.LessonStep() > 0 ? PresenterText() : QString());
}

void LessonControls::ToggleExplore() {
    if (state_.LessonStep() == 0 || OnProjector()) {
        return;
    }
    exploring_ = !exploring_;
    ShowStage(!exploring_);
}

void LessonControls::FitStage(const QRect& area) {
    if (!OnProjector()) {
        stage_->setGeometry(area);
    }
}

void LessonControls::Again() {
    Request(state_.SameStep());
}

void LessonControls::Toggle() {
    if (state_.LessonStep() > 0) {
        Q_EMIT CloseRequested();
    } else {
        Q_EMIT StepRequested(1);
    }
}

void LessonControls::Open(int step, std::string_view language) {
    language_ = std::string(language);
    const int beats = LessonBeatCount(step);
    beat_ = openingBeat_ == 0 ? beats : std::clamp(openingBeat_, 1, beats);
    if (!clock_.isValid()) {
        clock_.start();
    }
    panel_->Show(step, language);
    panel_->show();
    stage_->SetBlank(false);
    stage_->Show(step, beat_, language);
    ShowStage(!exploring_);
    ShowPresenter();
}

void LessonControls::Close() {
    panel_->hide();
    beat_ = 0;
    exploring_ = false;
    stage_->SetBlank(false);
    clock_.invalidate();
    PlaceStage(false);
    ShowStage(false);
}

void LessonControls::ShowTexts(std::string_view language, int step) {
    button_->setText(Said("lesson.caption", language));
    toggle_->setText(Said("lesson.action", language));
    savePlan_->setText(Said("lesson.plan.save", language));
    printPlan_->setText(Said("lesson.plan.print", language));
    next_->setText(Said("lesson.next", language));
    back_->setText(Said("lesson.back", language));
    close_->setText(Said("lesson.close", language));
    button_->setAccessibleDescription(Said("lesson.title", language) + QStringLiteral(" (F2)"));
    explore_->setText(Said("stage.explore", language));
    if (step > 0) {
        language_ = std::string(language);
        panel_->Show(step, language);
        stage_->Show(step, beat_, language);
        ShowPresenter();
    }
}

void LessonControls::EnableKeys(bool open, bool presentation) {
    for (QAction* key : {next_, back_, nextOnCanvas_, backOnCanvas_, explore_}) {
        key->setEnabled(open);
    }
    stage_->SetPresentation(presentation);
    PlaceStage(presentation);
    // Esc leaves presentation mode first, then the lesson.
    close_->setEnabled(open && !presentation);
    toggle_->setChecked(open);
    button_->setChecked(open);
}

QList<QAction*> LessonControls::MenuActions() const {
    return {toggle_, savePlan_, printPlan_};
}

QList<QWidget*> LessonControls::FocusOrder() const {
    return QList<QWidget*>{button_} + panel_->FocusOrder();
}

} // namespace kymata
