// The window's lesson: its panel beside the figure, its button, keys and menu items, the steps'
// scenes and the teacher's notes.

#include "shell/main_window.h"

#include "export/lesson_plan.h"
#include "lesson/lesson.h"
#include "shell/canvas_widget.h"
#include "shell/lesson_panel.h"
#include "shell/window_texts.h"
#include "texts/catalogue.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

namespace kymata {

namespace {

QString Say(std::string_view key, bool greek) {
    return Q(std::string(Text(key, greek)));
}

} // namespace

void DHMIOYRGO_KYKLO::CreateLesson() {
    lesson_ = new LessonPanel(this);
    lesson_->hide();
    lessonButton_ = new QPushButton(this);
    lessonButton_->setObjectName(QStringLiteral("lessonButton"));
    lessonButton_->setCheckable(true);
    lessonAction_ = AddAction(QKeySequence(Qt::Key_F2));
    lessonAction_->setCheckable(true);
    // What a presenter's remote sends for next and back, wherever the focus is.
    lessonNextAction_ = AddAction(QKeySequence(Qt::Key_PageDown));
    lessonBackAction_ = AddAction(QKeySequence(Qt::Key_PageUp));
    lessonCloseAction_ = AddAction(QKeySequence(Qt::Key_Escape));
    lessonPlanSaveAction_ = AddAction({});
    lessonPlanPrintAction_ = AddAction({});
    lessonNextOnCanvas_ = new QAction(EIKON);
    lessonNextOnCanvas_->setShortcut(QKeySequence(Qt::Key_Right));
    lessonNextOnCanvas_->setShortcutContext(Qt::WidgetShortcut);
    EIKON->addAction(lessonNextOnCanvas_);
    lessonBackOnCanvas_ = new QAction(EIKON);
    lessonBackOnCanvas_->setShortcut(QKeySequence(Qt::Key_Left));
    lessonBackOnCanvas_->setShortcutContext(Qt::WidgetShortcut);
    EIKON->addAction(lessonBackOnCanvas_);

    connect(lessonButton_, &QPushButton::clicked, this, &DHMIOYRGO_KYKLO::ToggleLesson);
    connect(lessonAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::ToggleLesson);
    for (QAction* next : {lessonNextAction_, lessonNextOnCanvas_}) {
        connect(next, &QAction::triggered, this, &DHMIOYRGO_KYKLO::NextLessonStep);
    }
    for (QAction* back : {lessonBackAction_, lessonBackOnCanvas_}) {
        connect(back, &QAction::triggered, this, &DHMIOYRGO_KYKLO::PreviousLessonStep);
    }
    connect(lessonCloseAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::CloseLesson);
    connect(lessonPlanSaveAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::SaveLessonPlanAs);
    connect(lessonPlanPrintAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::PrintLessonPlan);
    connect(lesson_, &LessonPanel::NextRequested, this, &DHMIOYRGO_KYKLO::NextLessonStep);
    connect(lesson_, &LessonPanel::BackRequested, this, &DHMIOYRGO_KYKLO::PreviousLessonStep);
    connect(lesson_, &LessonPanel::AgainRequested, this, &DHMIOYRGO_KYKLO::LessonAgain);
    connect(lesson_, &LessonPanel::CloseRequested, this, &DHMIOYRGO_KYKLO::CloseLesson);
    EnableLessonKeys();
}

void DHMIOYRGO_KYKLO::ShowLessonTexts(bool greek) {
    bestFocusButton_->setText(Say("bestFocus.caption", greek));
    bestFocusAction_->setText(Say("bestFocus.action", greek) + QStringLiteral(" (B)"));
    lessonButton_->setText(Say("lesson.caption", greek));
    lessonAction_->setText(Say("lesson.action", greek));
    lessonPlanSaveAction_->setText(Say("lesson.plan.save", greek));
    lessonPlanPrintAction_->setText(Say("lesson.plan.print", greek));
    lessonNextAction_->setText(Say("lesson.next", greek));
    lessonBackAction_->setText(Say("lesson.back", greek));
    lessonCloseAction_->setText(Say("lesson.close", greek));
    lessonButton_->setAccessibleDescription(Say("lesson.title", greek) + QStringLiteral(" (F2)"));
    if (LessonStep() > 0) {
        lesson_->Show(LessonStep(), greek);
    }
}

void DHMIOYRGO_KYKLO::EnableLessonKeys() {
    const bool open = LessonStep() > 0;
    for (QAction* key :
         {lessonNextAction_, lessonBackAction_, lessonNextOnCanvas_, lessonBackOnCanvas_}) {
        key->setEnabled(open);
    }
    // Esc leaves presentation mode first, then the lesson.
    lessonCloseAction_->setEnabled(open && !EIKON->Presentation());
    lessonAction_->setChecked(open);
    lessonButton_->setChecked(open);
}

int DHMIOYRGO_KYKLO::LessonStep() const {
    return lesson_ && !lesson_->isHidden() ? lesson_->Step() : 0;
}

void DHMIOYRGO_KYKLO::OpenLesson(int step) {
    step = std::clamp(step, 1, LessonStepCount());
    const Controls scene = LessonScene(step, ELLINIKA->isChecked());
    SetPlaying(false);
    phase_ = 0;
    SetControls(scene);
    flashCount_ = scene.flash;
    lesson_->Show(step, scene.ELLINIKA);
    lesson_->show();
    EnableLessonKeys();
    ApplyLayout();
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::CloseLesson() {
    if (LessonStep() == 0) {
        return;
    }
    lesson_->hide();
    EnableLessonKeys();
    ApplyLayout();
    EIKON->setFocus();
}

void DHMIOYRGO_KYKLO::ToggleLesson() {
    if (LessonStep() > 0) {
        CloseLesson();
    } else {
        OpenLesson(1);
    }
}

void DHMIOYRGO_KYKLO::NextLessonStep() {
    if (LessonStep() > 0 && LessonStep() < LessonStepCount()) {
        OpenLesson(LessonStep() + 1);
    }
}

void DHMIOYRGO_KYKLO::PreviousLessonStep() {
    if (LessonStep() > 1) {
        OpenLesson(LessonStep() - 1);
    }
}

void DHMIOYRGO_KYKLO::LessonAgain() {
    if (LessonStep() > 0) {
        OpenLesson(LessonStep());
    }
}

bool DHMIOYRGO_KYKLO::SaveLessonPlan(const QString& path) {
    const bool greek = ELLINIKA->isChecked();
    const WriteResult written = WriteLessonPlan(path, greek);
    if (!written.ok) {
        Warn(Say("lesson.plan.save", greek), written.error);
    }
    return written.ok;
}

void DHMIOYRGO_KYKLO::SaveLessonPlanAs() {
    const bool greek = ELLINIKA->isChecked();
    QFileDialog dialog(this, Say("lesson.plan.save", greek));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(Say("lesson.plan.file", greek));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        SaveLessonPlan(dialog.selectedFiles().constFirst());
    }
}

void DHMIOYRGO_KYKLO::PrintLessonPlan() {
    const bool greek = ELLINIKA->isChecked();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(Say("lesson.plan.print", greek));
    if (dialog.exec() == QDialog::Accepted) {
        kymata::PrintLessonPlanOn(printer, greek);
    }
}

} // namespace kymata
