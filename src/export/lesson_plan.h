#pragma once

#include "export/safe_file.h"

#include <QByteArray>
#include <QPagedPaintDevice>
#include <QString>

#include <string_view>

namespace kymata {

/// The teacher's notes of the lesson as an HTML document for the toolkit's text layout, in
/// the language `language` ("el", "en", ...): the aims and how to run it, the timing of a 45-minute
/// class, then per step its figure, narration, question and answer, and a student sheet (each
/// step's figure as a worksheet, its question, and room to predict, observe and explain). The
/// figures are the resources "step-N.png" and "sheet-N.png" that `LessonPlanPdf` adds.
QString LessonPlanHtml(std::string_view language);

/// Lays the teacher's notes out on `device` (a PDF writer or a printer), page by page.
void PrintLessonPlanOn(QPagedPaintDevice& device, std::string_view language);

/// The teacher's notes as an A4 PDF, made in memory; empty when the PDF could not be made.
QByteArray LessonPlanPdf(std::string_view language);

/// Writes the teacher's notes in `planLanguage` to `path`, complete or not at all
/// (`WriteFileSafely`); a failure is said in `language`.
WriteResult WriteLessonPlan(const QString& path, std::string_view planLanguage,
                            std::string_view language);

} // namespace kymata
