#include "shell/window_printing.h"

#include "export/lesson_plan.h"
#include "export/said.h"
#include "shell/print_dispatch.h"
#include "shell/printer_output.h"
#include "shell/replace_protected.h"
#include "shell/window_messages.h"
#include "shell/window_texts.h"

#include <QPrintDialog>
#include <QPrinter>

#include <utility>

namespace kymata {

PrintDispatch* WindowPrinting::MakeDispatch(QWidget& window) {
    return new PrintDispatch(&window);
}

WindowPrinting::WindowPrinting(QWidget& window, std::function<std::string()> language)
    : window_(window), language_(std::move(language)) {
    connect(dispatch_, &PrintDispatch::Finished, this, &WindowPrinting::ShowEnd);
}

void WindowPrinting::WhenServiceAnswers(PrintAsked asked, std::function<void()> open) {
    // The print dialog and the printer ask the print service for its printers, and would wait
    // on one that takes connections and never answers: it is asked first, off the window's
    // thread, with a bounded wait.
    dispatch_->AskService(asked, language_(), std::move(open));
}

void WindowPrinting::PrintWithDialog(const std::function<void(QPrinter&)>& print) {
    WhenServiceAnswers(PrintAsked::Figure, [this, print] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageOrientation(QPageLayout::Landscape);
        QPrintDialog dialog(&printer, &window_);
        dialog.setWindowTitle(Said("describe.print.name", language_()));
        if (dialog.exec() == QDialog::Accepted) {
            print(printer);
        }
    });
}

bool WindowPrinting::Deliver(const PrintOutcome& outcome) {
    if (!outcome.ok) {
        ShowEnd(true, outcome.message);
        return false;
    }
    if (outcome.file) {
        return WriteToFile(*outcome.file);
    }
    if (!outcome.message.isEmpty()) {
        ShowMessage(window_, QMessageBox::Information, Said("describe.print.name", language_()),
                    outcome.message);
    }
    if (outcome.request) {
        const bool free = !dispatch_->Busy();
        dispatch_->Send(*outcome.request, language_());
        return free;
    }
    return true;
}

bool WindowPrinting::WriteToFile(const PrintedFile& file) {
    const std::string language = language_();
    const QString caption = Said("describe.print.name", language);
    // Written as "Save figure as…" writes: a write-protected file is asked about first.
    const WriteResult written = WriteAskingForProtected(
        &window_, caption, file.path,
        [&] { return WriteFileSafely(file.path, file.pdf, language); }, language);
    if (!written.ok) {
        ShowEnd(true, Said("print.fileFailed", language, {written.error}));
        return false;
    }
    if (!written.note.isEmpty()) {
        ShowMessage(window_, QMessageBox::Information, caption, written.note);
    }
    return true;
}

void WindowPrinting::PrintLessonPlan(const std::function<void(const QString&)>& saveToFile) {
    WhenServiceAnswers(PrintAsked::LessonPlan, [this, saveToFile] {
        const std::string language = language_();
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QPrintDialog dialog(&printer, &window_);
        dialog.setWindowTitle(Said("lesson.plan.print", language));
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
        // The notes go as the PDF that "Save lesson plan…" writes: to a file as every file is
        // written, to a printer through the print service, off the window's thread.
        if (!printer.outputFileName().isEmpty()) {
            saveToFile(printer.outputFileName());
            return;
        }
        const QByteArray pdf = LessonPlanPdf(language);
        if (pdf.isEmpty()) {
            ShowEnd(true, Said("print.pdfFailed", language));
        } else {
            dispatch_->Send(RequestFor(printer, pdf, Said("lesson.title", language)), language);
        }
    });
}

void WindowPrinting::ShowEnd(bool failed, const QString& said) {
    if (!said.isEmpty()) {
        ShowMessage(window_, failed ? QMessageBox::Warning : QMessageBox::Information,
                    Said("describe.print.name", language_()), said);
    }
    Q_EMIT Finished(failed, said);
}

} // namespace kymata
