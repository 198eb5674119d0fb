#include "export/lesson_plan_command.h"

#include "export/command_line.h"
#include "export/figure_export.h"
#include "export/lesson_plan.h"
#include "export/safe_file.h"
#include "export/said.h"

#include <optional>

namespace kymata {

int RunLessonPlan(const GivenOptions& given, bool window, std::string_view language,
                  QTextStream& out, QTextStream& err) {
    Problem problem = MisplacedOption(given, InLessonPlan, language);
    if (!problem && window) {
        problem = Said("cli.planNotWindow", language);
    }
    std::optional<QString> lang;
    if (!problem) {
        problem = FileNameProblem(given, "lesson-plan", language);
    }
    if (!problem) {
        lang = given.IsSet("lang") ? WordOption(given, "lang", language, problem)
                                   : QStringLiteral("el");
    }
    const QString path = given.Value("lesson-plan");
    if (!problem && FigureFormatForPath(path) != FigureFormat::Pdf) {
        problem = Said("cli.bad.pdfFile", language, {path});
    }
    if (problem) {
        err << Printable(*problem) << '\n';
        return ExitBadUsage;
    }
    const WriteProtectionWaived forced(given.IsSet("force"));
    const WriteResult written = WriteLessonPlan(path, lang->toStdString(), language);
    if (!written.ok) {
        err << written.error << '\n';
        return ExitWriteFailed;
    }
    if (!written.note.isEmpty()) {
        out << written.note << '\n';
    }
    return ExitOk;
}

} // namespace kymata
