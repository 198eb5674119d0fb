#include "shell/window_files.h"

#include "export/figure_export.h"
#include "export/lesson_plan.h"
#include "export/said.h"
#include "figure/control_texts.h"
#include "figure/figure_content.h"
#include "shell/dialog_room.h"
#include "shell/replace_protected.h"
#include "shell/window_messages.h"
#include "shell/window_texts.h"

#include <QFileDialog>
#include <QInputDialog>

#include <utility>

namespace kymata {

WindowFiles::WindowFiles(QWidget& window, std::function<Controls()> controls,
                         std::function<std::string()> language)
    : window_(window), controls_(std::move(controls)), language_(std::move(language)) {}

void WindowFiles::SaveFigureAs(bool worksheet) {
    const ControlTexts texts = ControlTextsFor(language_());
    const QStringList filters = {QStringLiteral("PNG (*.png)"), QStringLiteral("SVG (*.svg)"),
                                 QStringLiteral("PDF (*.pdf)"), QStringLiteral("JSON (*.json)")};
    const std::string language = language_();
    // The toolkit's own dialog, which speaks the window's language; a desktop's native one
    // would keep the desktop's.
    QFileDialog files(&window_, Q(texts.saveTitle));
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.setNameFilters(filters);
    files.selectFile(Said(worksheet ? "window.worksheetFile" : "window.figureFile", language));
    GiveFileDialogRoom(files);
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty()) {
        return;
    }
    QString path = files.selectedFiles().constFirst();
    if (!FigureFormatForPath(path)) {
        // No known extension: the one of the chosen type.
        path +=
            QLatin1Char('.') + files.selectedNameFilter().section(QLatin1Char('.'), 1).chopped(1);
    }
    int size = 1000;
    if (FigureFormatForPath(path) == FigureFormat::Png) {
        QInputDialog prompt(&window_);
        prompt.setWindowTitle(Q(texts.pngSizeTitle));
        prompt.setLabelText(Q(texts.pngSizeLabel));
        prompt.setInputMode(QInputDialog::IntInput);
        prompt.setIntRange(10, 8000);
        prompt.setIntStep(100);
        prompt.setIntValue(1000);
        GiveTitleRoom(prompt);
        if (prompt.exec() != QDialog::Accepted) {
            return;
        }
        size = prompt.intValue();
    }
    SaveFigure(path, size, worksheet);
}

bool WindowFiles::SaveFigure(const QString& path, int pngSize, bool worksheet) {
    const std::string language = language_();
    const auto format = FigureFormatForPath(path);
    const ControlTexts texts = ControlTextsFor(language);
    if (!format) {
        ShowMessage(window_, QMessageBox::Warning, Q(texts.saveFigure),
                    Q(texts.saveFailed) + QLatin1Char('\n') +
                        Said("window.unknownExtension", language, {path}));
        return false;
    }
    const WriteResult written = WriteAskingForProtected(
        &window_, Q(texts.saveFigure), path,
        [&] {
            return WriteFigure(path, *format, DrawFigureContent(controls_(), worksheet), pngSize,
                               language);
        },
        language);
    if (!written.ok) {
        ShowMessage(window_, QMessageBox::Warning, Q(texts.saveFigure),
                    Q(texts.saveFailed) + QLatin1Char('\n') + written.error);
    } else if (!written.note.isEmpty()) {
        ShowMessage(window_, QMessageBox::Information, Q(texts.saveFigure), written.note);
    }
    return written.ok;
}

bool WindowFiles::SaveLessonPlan(const QString& path) {
    const std::string language = language_();
    const WriteResult written = WriteAskingForProtected(
        &window_, Said("lesson.plan.save", language), path,
        [&] { return WriteLessonPlan(path, language, language); }, language);
    if (!written.ok) {
        ShowMessage(window_, QMessageBox::Warning, Said("lesson.plan.save", language),
                    written.error);
    } else if (!written.note.isEmpty()) {
        ShowMessage(window_, QMessageBox::Information, Said("lesson.plan.save", language),
                    written.note);
    }
    return written.ok;
}

void WindowFiles::SaveLessonPlanAs() {
    const std::string language = language_();
    QFileDialog dialog(&window_, Said("lesson.plan.save", language));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(Said("lesson.plan.file", language));
    GiveFileDialogRoom(dialog);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        SaveLessonPlan(dialog.selectedFiles().constFirst());
    }
}

} // namespace kymata
