#include "export/lesson_plan.h"

#include "export/said.h"

#include "export/figure_export.h"
#include "lesson/lesson.h"
#include "lesson/lesson_figure.h"
#include "texts/catalogue.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

namespace kymata {

namespace {

/// The side, in pixels, of the figures the notes show.
constexpr int FigurePixels = 900;

QString Say(std::string_view key, std::string_view language) {
    return Said(key, language).toHtmlEscaped();
}

QString Html(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped();
}

QString StepHeading(const LessonPage& page, int minutes, std::string_view language) {
    return QStringLiteral("<h2>%1 — %2 <small>(%3)</small></h2>")
        .arg(Html(LessonProgress(page.step, language)), Html(page.title),
             Html(Text("lesson.plan.minutes", language, {std::to_string(minutes)})));
}

/// The heading of a beat of `kind` on a step's card: the column of the student sheet it fills.
std::string_view BeatLabel(BeatKind kind) {
    switch (kind) {
    case BeatKind::Ask:
        return "lesson.plan.predict";
    case BeatKind::Look:
        return "lesson.plan.observe";
    case BeatKind::Explain:
        return "lesson.plan.explain";
    }
    return "lesson.plan.predict";
}

} // namespace

QString LessonPlanHtml(std::string_view language) {
    const auto& steps = LessonSteps();
    QString html = QStringLiteral("<html><body>");
    html += QStringLiteral("<h1>%1</h1><p><i>%2</i></p>")
                .arg(Say("lesson.title", language), Say("lesson.plan.heading", language));
    html += QStringLiteral("<h2>%1</h2><p>%2</p>")
                .arg(Say("lesson.plan.aimsHeading", language), Say("lesson.plan.aims", language));
    html += QStringLiteral("<h2>%1</h2><p>%2</p>")
                .arg(Say("lesson.plan.howToHeading", language), Say("lesson.plan.howTo", language));
    // The timing of the class, minute by minute.
    html += QStringLiteral("<h2>%1</h2><table border=\"1\" cellpadding=\"4\" cellspacing=\"0\">")
                .arg(Say("lesson.plan.timing", language));
    int start = 0;
    for (int i = 0; i < LessonStepCount(); ++i) {
        const LessonStep& s = steps[static_cast<std::size_t>(i)];
        const LessonPage page = LessonPageOf(i + 1, language);
        html += QStringLiteral("<tr><td>%1–%2</td><td>%3</td><td>%4</td></tr>")
                    .arg(start)
                    .arg(start + s.minutes)
                    .arg(Html(LessonProgress(i + 1, language)), Html(page.title));
        start += s.minutes;
    }
    html += QStringLiteral("</table>");
    // A card for each step.
    for (int i = 0; i < LessonStepCount(); ++i) {
        const LessonPage page = LessonPageOf(i + 1, language);
        html += QStringLiteral("<div style=\"page-break-before: always\">");
        html += StepHeading(page, steps[static_cast<std::size_t>(i)].minutes, language);
        html += QStringLiteral("<p><img src=\"step-%1.png\" width=\"330\"></p>").arg(i + 1);
        // Each beat: what the stage says, then the teacher's words.
        for (int beat = 1; beat <= LessonBeatCount(i + 1); ++beat) {
            const BeatPage b = BeatPageOf(i + 1, beat, language);
            html +=
                QStringLiteral("<p><b>%1:</b> %2</p><p><i>%3</i></p>")
                    .arg(Say(BeatLabel(b.kind), language), Html(b.onScreen.front()), Html(b.notes));
        }
        html += QStringLiteral("</div>");
    }
    // The student sheet: the figures with their counts blank, the questions, room to write.
    html += QStringLiteral("<div style=\"page-break-before: always\"><h1>%1</h1><p>%2</p></div>")
                .arg(Say("lesson.plan.studentSheet", language), Say("lesson.plan.name", language));
    for (int i = 0; i < LessonStepCount(); ++i) {
        const LessonPage page = LessonPageOf(i + 1, language);
        html += QStringLiteral("<div style=\"page-break-before: %1\">")
                    .arg(i % 2 == 0 ? QStringLiteral("always") : QStringLiteral("auto"));
        html += QStringLiteral("<h3>%1 — %2</h3>")
                    .arg(Html(LessonProgress(i + 1, language)), Html(page.title));
        html += QStringLiteral("<p><img src=\"sheet-%1.png\" width=\"220\"></p>").arg(i + 1);
        html += QStringLiteral("<p><b>%1</b></p>").arg(Html(page.question));
        html += QStringLiteral("<table border=\"1\" cellpadding=\"6\" cellspacing=\"0\" "
                               "width=\"100%\"><tr><th>%1</th><th>%2</th><th>%3</th></tr>"
                               "<tr><td height=\"90\"></td><td></td><td></td></tr></table></div>")
                    .arg(Say("lesson.plan.predict", language), Say("lesson.plan.observe", language),
                         Say("lesson.plan.explain", language));
    }
    html += QStringLiteral("<p><b>%1</b></p><p>________________________________________________"
                           "________________________________</p>")
                .arg(Say("lesson.plan.exit", language));
    return html + QStringLiteral("</body></html>");
}

void PrintLessonPlanOn(QPagedPaintDevice& device, std::string_view language) {
    QTextDocument document;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10);
    document.setDefaultFont(font);
    for (int i = 1; i <= LessonStepCount(); ++i) {
        // The card shows the figure the class looks at; the sheet the question's, which holds
        // no answer.
        document.addResource(QTextDocument::ImageResource,
                             QUrl(QStringLiteral("step-%1.png").arg(i)),
                             RenderImage(DrawBeatFigure(i, 2, language), FigurePixels));
        document.addResource(QTextDocument::ImageResource,
                             QUrl(QStringLiteral("sheet-%1.png").arg(i)),
                             RenderImage(DrawBeatFigure(i, 1, language), FigurePixels));
    }
    document.setHtml(LessonPlanHtml(language));
    document.print(&device);
}

QByteArray LessonPlanPdf(std::string_view language) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        writer.setResolution(300);
        const std::string_view title = Text("lesson.title", language);
        writer.setTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
        writer.setCreator(QStringLiteral("Kymata"));
        PrintLessonPlanOn(writer, language);
    }
    buffer.close();
    const QByteArray pdf = buffer.data();
    return pdf.startsWith("%PDF") ? pdf : QByteArray();
}

WriteResult WriteLessonPlan(const QString& path, std::string_view planLanguage,
                            std::string_view language) {
    const QByteArray pdf = LessonPlanPdf(planLanguage);
    if (pdf.isEmpty()) {
        return {false, Said("write.lessonPlanFailed", language, {Printable(path)}), {}};
    }
    return WriteFileSafely(path, pdf, language);
}

} // namespace kymata
