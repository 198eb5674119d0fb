// The window's lesson: its panel beside the figure, its button, keys and menu items, the steps'
// scenes and the teacher's notes.

#include "shell/main_window.h"

#include "export/lesson_plan.h"
#include "export/said.h"
#include "lesson/lesson.h"
#include "shell/canvas_widget.h"
#include "shell/lesson_panel.h"
#include "shell/print_dispatch.h"
#include "shell/printer_output.h"
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

void DHMIOYRGO_KYKLO::ShowLessonTexts(std::string_view language) {
    bestFocusButton_->setText(Said("bestFocus.caption", language));
    bestFocusAction_->setText(Said("bestFocus.action", language));
    lessonButton_->setText(Said("lesson.caption", language));
    lessonAction_->setText(Said("lesson.action", language));
    lessonPlanSaveAction_->setText(Said("lesson.plan.save", language));
    lessonPlanPrintAction_->setText(Said("lesson.plan.print", language));
    lessonNextAction_->setText(Said("lesson.next", language));
    lessonBackAction_->setText(Said("lesson.back", language));
    lessonCloseAction_->setText(Said("lesson.close", language));
    lessonButton_->setAccessibleDescription(Said("lesson.title", language) +
                                            QStringLiteral(" (F2)"));
    if (LessonStep() > 0) {
        lesson_->Show(LessonStep(), language);
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
    return state_.LessonStep();
}

void DHMIOYRGO_KYKLO::OpenLesson(int step) {
    SetPlaying(false);
    const Controls scene = state_.OpenLesson(step, Language());
    SetControls(scene);
    lesson_->Show(state_.LessonStep(), TextLanguage(scene));
    lesson_->show();
    EnableLessonKeys();
    ApplyLayout();
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::CloseLesson() {
    if (LessonStep() == 0) {
        return;
    }
    state_.CloseLesson();
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
    if (const std::optional<int> step = state_.NextStep()) {
        OpenLesson(*step);
    }
}

void DHMIOYRGO_KYKLO::PreviousLessonStep() {
    if (const std::optional<int> step = state_.PreviousStep()) {
        OpenLesson(*step);
    }
}

void DHMIOYRGO_KYKLO::LessonAgain() {
    if (const std::optional<int> step = state_.SameStep()) {
        OpenLesson(*step);
    }
}

bool DHMIOYRGO_KYKLO::SaveLessonPlan(const QString& path) {
    const std::string language = Language();
    const WriteResult written = WriteLessonPlan(path, language, language);
    if (!written.ok) {
        Warn(Said("lesson.plan.save", language), written.error);
    } else if (!written.note.isEmpty()) {
        Tell(Said("lesson.plan.save", language), written.note);
    }
    return written.ok;
}

void DHMIOYRGO_KYKLO::SaveLessonPlanAs() {
    const std::string language = Language();
    QFileDialog dialog(this, Said("lesson.plan.save", language));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(Said("lesson.plan.file", language));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        SaveLessonPlan(dialog.selectedFiles().constFirst());
    }
}

void DHMIOYRGO_KYKLO::PrintLessonPlan() {
    WhenPrintServiceAnswers([this] {
        const std::string language = Language();
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(Said("lesson.plan.print", language));
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
        // The notes go as the PDF that "Save lesson plan…" writes: to a file as every file is
        // written, to a printer through the print service, off the window's thread.
        if (!printer.outputFileName().isEmpty()) {
            SaveLessonPlan(printer.outputFileName());
            return;
        }
        const QByteArray pdf = LessonPlanPdf(language);
        if (pdf.isEmpty()) {
            ShowPrintEnd(true, Said("print.pdfFailed", language));
        } else if (!print_->Busy()) {
            print_->Send(RequestFor(printer, pdf, Said("lesson.title", language)), language);
        }
    });
}

} // namespace kymata
