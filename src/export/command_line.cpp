#include "export/command_line.h"

#include "construction/controls.h"
#include "construction/number_format.h"
#include "construction/views.h"
#include "drawing/page_surface.h"
#include "export/command_options.h"
#include "export/command_reading.h"
#include "export/command_request.h"
#include "export/figure_export.h"
#include "export/frame_folder.h"
#include "export/lesson_plan.h"
#include "export/lesson_plan_command.h"
#include "export/page_output.h"
#include "export/safe_file.h"
#include "export/said.h"
#include "figure/figure_document.h"
#include "lesson/lesson.h"
#include "lesson/lesson_figure.h"
#include "waves/wave_focus.h"

#include <QCoreApplication>

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace kymata {

namespace {

/// The scene's controls from --source, --focus, --index, --thickness, the switches, --view,
/// --lens and --lang.
Problem ReadScene(const GivenOptions& given, std::string_view language, Request& request) {
    Problem problem;
    Controls& c = request.controls;
    const auto integer = [&](std::string_view name, int& into) {
        if (!problem) {
            if (const auto value = NumberOption(given, name, language, problem)) {
                into = static_cast<int>(*value);
            }
        }
    };
    integer("source", c.initial_POINT);
    request.bestFocus = given.Value("focus") == QLatin1String("best");
    if (!request.bestFocus) {
        // --focus is an integer like the others, or "best".
        if (!problem && given.IsSet("focus")) {
            bool ok = false;
            const int focus = given.Value("focus").toInt(&ok);
            if (!ok || focus < fOCUS_POINT_Range.min || focus > fOCUS_POINT_Range.max) {
                problem = Said("cli.bad.integer", language,
                               {QStringLiteral("focus"), given.Value("focus"),
                                QString::number(fOCUS_POINT_Range.min),
                                QString::number(fOCUS_POINT_Range.max)});
            } else {
                c.fOCUS_POINT = focus;
            }
        }
    }
    if (!problem) {
        if (const auto index = NumberOption(given, "index", language, problem)) {
            c.n_DIATHLASI = static_cast<int>(std::lround(*index * 100));
        }
    }
    integer("thickness", c.pachos);
    integer("size", request.pngSize);
    std::optional<QString> lang;
    std::optional<QString> view;
    std::optional<QString> lens;
    if (!problem) {
        lang = given.IsSet("lang") ? WordOption(given, "lang", language, problem)
                                   : QStringLiteral("el");
    }
    if (!problem) {
        view = WordOption(given, "view", language, problem);
    }
    if (!problem) {
        lens = WordOption(given, "lens", language, problem);
    }
    if (problem) {
        return problem;
    }
    const QStringList lenses = OptionWords(*FindCommandOption("lens"));
    c.view = *ParseView(view->toStdString());
    if (given.IsSet("lens") && !TakesLensShape(c.view)) {
        return Said("cli.needsWaves", language, {QStringLiteral("lens")});
    }
    if (given.IsSet("lens") && given.IsSet("hyperbola") && *lens != lenses[1]) {
        return Said("cli.lensAndHyperbola", language, {*lens});
    }
    c.YPERVOLIKO = given.IsSet("hyperbola") || *lens == lenses[1];
    c.perfectLens = *lens == lenses[2];
    c.f_apeiro = given.IsSet("parallel-beam");
    SetTextLanguage(c, lang->toStdString());
    return std::nullopt;
}

/// The sentence for `--NAME`, which only the wave view takes, given with a view that does not
/// trace waves: a lesson step's view is named, as the user did not choose it.
QString NeedsWaves(const Request& request, const QString& name, const char* key,
                   std::string_view language) {
    if (request.lessonStep) {
        return Said(
            "cli.stepNotWaves", language,
            {name, QString::number(*request.lessonStep), Utf8(ViewName(request.controls.view))});
    }
    return Said(key, language, {name});
}

/// --phase and --flash: a still moment of the moving crests, or one flash, in the wave view.
Problem ReadMoment(const GivenOptions& given, std::string_view language, Request& request) {
    const bool phase = given.IsSet("phase");
    if (!phase && !given.IsSet("flash")) {
        return std::nullopt;
    }
    if (!HasMovingCrests(request.controls.view)) {
        return NeedsWaves(request, phase ? QStringLiteral("phase") : QStringLiteral("flash"),
                          "cli.needsWaves", language);
    }
    if (phase && given.IsSet("flash")) {
        return Said("cli.notTogether", language,
                    {QStringLiteral("phase"), QStringLiteral("flash")});
    }
    Problem problem;
    const auto value = NumberOption(given, phase ? "phase" : "flash", language, problem);
    (phase ? request.controls.phase : request.controls.flash) = value;
    return problem;
}

/// --animate and --frames: the moving crests written to an SVG or a folder of PNG frames.
Problem ReadMotion(const GivenOptions& given, std::string_view language, Request& request) {
    const bool animate = given.IsSet("animate");
    if (!animate && !given.IsSet("frames")) {
        return std::nullopt;
    }
    const QString name = animate ? QStringLiteral("animate") : QStringLiteral("frames");
    if (!HasMovingCrests(request.controls.view)) {
        return NeedsWaves(request, name, "cli.needsWavesExport", language);
    }
    if (!given.IsSet("export")) {
        return Said("cli.needsWavesExport", language, {name});
    }
    if (animate && given.IsSet("frames")) {
        return Said("cli.notTogether", language,
                    {QStringLiteral("animate"), QStringLiteral("frames")});
    }
    if (given.IsSet("phase") || given.IsSet("flash")) {
        return Said("cli.movesItself", language, {name});
    }
    const QString path = given.Value("export");
    if (animate && FigureFormatForPath(path) != FigureFormat::Svg) {
        return Said("cli.bad.svgFile", language, {path});
    }
    if (!animate) {
        Problem problem;
        if (const auto frames = NumberOption(given, "frames", language, problem)) {
            request.frames = static_cast<int>(*frames);
        }
        return problem;
    }
    return std::nullopt;
}

/// The file that --export or --print-to names has an extension that says what to write.
Problem OutputFileProblem(const GivenOptions& given, std::string_view language) {
    if (given.IsSet("export") && !given.IsSet("frames") &&
        !FigureFormatForPath(given.Value("export"))) {
        return Said("cli.bad.extension", language, {given.Value("export")});
    }
    const auto page = FigureFormatForPath(given.Value("print-to"));
    if (given.IsSet("print-to") && page != FigureFormat::Pdf && page != FigureFormat::Json) {
        return Said("cli.bad.pageFile", language, {given.Value("print-to")});
    }
    return std::nullopt;
}

/// Every check after the words are read, in the order the user meets them: where each option
/// stands, the outputs, the scene, the lesson, the moment, the motion and the file.
Problem ReadRequest(const GivenOptions& given, bool window, std::string_view language,
                    Request& request) {
    if (window) {
        // A window shows one figure live: what only shapes a file has no place here.
        if (Problem problem = MisplacedOption(given, InWindow, language)) {
            return problem;
        }
    } else if (!given.IsSet("export") && !given.IsSet("print-to")) {
        return Said("cli.nothingToWrite", language);
    }
    if (given.IsSet("export") && given.IsSet("print-to")) {
        return Said("cli.bothOutputs", language);
    }
    for (const std::string_view file : {"export", "print-to"}) {
        if (Problem problem = FileNameProblem(given, file, language)) {
            return problem;
        }
    }
    // The step's scene before the moment and the motion, which its view may take.
    for (const auto read : {ReadScene, ReadLessonStep, ReadMoment, ReadMotion}) {
        if (Problem problem = read(given, language, request)) {
            return problem;
        }
    }
    if (!window) {
        return OutputFileProblem(given, language);
    }
    return std::nullopt;
}

/// Moves F to the whole step nearest the best focus; a lens without one is a problem.
Problem SettleBestFocus(Request& request, bool window, std::string_view language,
                        QTextStream& out) {
    Controls& controls = request.controls;
    if (controls.perfectLens) {
        return Said("cli.bestFocusPerfect", language);
    }
    const std::optional<waves::FocusBarChoice> choice = waves::FocusBarNearBestFocus(controls);
    if (!choice) {
        return Said("cli.bestFocusNone", language,
                    {QString::number(std::lround(waves::BestFocusRange / 5))});
    }
    controls.fOCUS_POINT = choice->bar;
    if (choice->clamped && !window) {
        out << QString::fromStdString(
                   Text(choice->noFocus ? "bestFocus.beyondWide" : "bestFocus.beyond", language,
                        {Format(choice->behind, 2), std::to_string(choice->bar)}))
            << '\n';
    }
    return std::nullopt;
}

/// Writes what the request asks for: frames, an animation, the figure or the printed page.
WriteResult WriteRequest(const GivenOptions& given, const Request& request,
                         std::string_view language) {
    const Controls& controls = request.controls;
    const bool sheet = given.IsSet("worksheet");
    // A lesson step's document ends with the step's texts.
    const auto withLesson = [&](FigureContent content) {
        if (request.lessonStep) {
            content.moreMembers.emplace_back(
                "lesson", LessonJson(LessonPageOf(*request.lessonStep, TextLanguage(controls))));
        }
        return content;
    };
    const QString path = given.Value(given.IsSet("export") ? "export" : "print-to");
    if (request.frames) {
        return WriteFrames(path, controls, *request.frames, request.pngSize, language);
    }
    if (given.IsSet("animate")) {
        return WriteAnimatedSvg(path, controls, language);
    }
    const FigureFormat format = *FigureFormatForPath(path);
    if (request.lessonStep && request.lessonBeat) {
        const std::string_view lang = TextLanguage(controls);
        FigureContent content = BeatFigureContent(*request.lessonStep, *request.lessonBeat, lang);
        content.moreMembers.emplace_back(
            "lesson", LessonJson(BeatPageOf(*request.lessonStep, *request.lessonBeat, lang)));
        return WriteFigure(path, format, content, request.pngSize, language);
    }
    if (given.IsSet("export")) {
        return WriteFigure(path, format, withLesson(DrawFigureContent(controls, sheet)),
                           request.pngSize, language);
    }
    // The page that PRINT prints after this redraw, and what printing leaves on the canvas.
    const PrintedContent printed = PrintFigureContent(controls, sheet, PrintToPrintableMm());
    if (format == FigureFormat::Pdf) {
        return WritePagePdf(path, printed.page, TextLanguage(controls), language);
    }
    return WriteText(path, FigureJson(withLesson(printed.content), printed.page), language);
}

/// The command line, for an export (`window` null) or for a window start, whose controls go
/// into `*window` instead of a file.
int Run(const QStringList& arguments, QTextStream& out, QTextStream& err,
        std::optional<WindowStart>* window) {
    const std::string_view language = MessageLanguage(arguments);
    GivenOptions given;
    Problem problem = ReadOptions(arguments, language, given);
    if (!problem && (given.IsSet("help") || given.IsSet("help-all"))) {
        out << HelpText(language, given.IsSet("help-all"));
        return ExitOk;
    }
    if (!problem) {
        problem = RepeatedOption(given, language);
    }
    if (!problem && given.IsSet("version")) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
            << '\n';
        return ExitOk;
    }
    if (!problem && !given.positional.isEmpty()) {
        problem = Said("cli.stray", language, {given.positional.constFirst()});
    }
    if (!problem && given.IsSet("lesson-plan")) {
        return RunLessonPlan(given, window != nullptr, language, out, err);
    }
    Request request;
    if (!problem) {
        problem = ReadRequest(given, window != nullptr, language, request);
    }
    if (!problem && request.bestFocus) {
        problem = SettleBestFocus(request, window != nullptr, language, out);
    }
    if (problem) {
        // Values are quoted as given: their control characters escaped, the message one line.
        err << Printable(*problem) << '\n';
        return ExitBadUsage;
    }
    if (window) {
        *window = WindowStart{request.controls, request.lessonStep};
        return ExitOk;
    }
    const WriteProtectionWaived forced(given.IsSet("force"));
    const WriteResult written = WriteRequest(given, request, language);
    if (!written.ok) {
        err << written.error << '\n';
        return ExitWriteFailed;
    }
    if (!written.note.isEmpty()) {
        out << written.note << '\n';
    }
    return ExitOk;
}

} // namespace

int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    return Run(arguments, out, err, nullptr);
}

bool AsksForOutput(const QStringList& arguments) {
    for (const QString& a : arguments.mid(1)) {
        if (a == QLatin1String("--")) {
            break;
        }
        const QString name = a.section(QLatin1Char('='), 0, 0);
        for (const char* output : {"--export", "--print-to", "--lesson-plan", "--help",
                                   "--help-all", "--version", "-h", "-?", "-v"}) {
            if (name == QLatin1String(output)) {
                return true;
            }
        }
    }
    return false;
}

std::optional<WindowStart> WindowStartControls(const QStringList& arguments, QTextStream& err) {
    QString ignored;
    QTextStream out(&ignored);
    std::optional<WindowStart> controls;
    if (Run(arguments, out, err, &controls) != ExitOk) {
        return std::nullopt;
    }
    return controls;
}

} // namespace kymata
