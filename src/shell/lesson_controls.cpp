#include "shell/lesson_controls.h"

#include "export/said.h"
#include "shell/lesson_panel.h"
#include "shell/window_state.h"

#include <QAction>
#include <QPushButton>

namespace kymata {

LessonPanel* LessonControls::MakePanel(QWidget& window) {
    auto* panel = new LessonPanel(&window);
    panel->hide();
    return panel;
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
    connect(panel_, &LessonPanel::NextRequested, this, &LessonControls::Next);
    connect(panel_, &LessonPanel::BackRequested, this, &LessonControls::Back);
    connect(panel_, &LessonPanel::AgainRequested, this, &LessonControls::Again);
    connect(panel_, &LessonPanel::CloseRequested, this, &LessonControls::CloseRequested);
    EnableKeys(false, false);
}

void LessonControls::Request(std::optional<int> step) {
    if (step) {
        Q_EMIT StepRequested(*step);
    }
}

void LessonControls::Next() {
    Request(state_.NextStep());
}

void LessonControls::Back() {
    Request(state_.PreviousStep());
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
    panel_->Show(step, language);
    panel_->show();
}

void LessonControls::Close() {
    panel_->hide();
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
    if (step > 0) {
        panel_->Show(step, language);
    }
}

void LessonControls::EnableKeys(bool open, bool presentation) {
    for (QAction* key : {next_, back_, nextOnCanvas_, backOnCanvas_}) {
        key->setEnabled(open);
    }
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
