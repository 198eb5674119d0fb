#include "export/command_line.h"

#include "construction/controls.h"
#include "construction/number_format.h"
#include "drawing/page_surface.h"
#include "export/command_options.h"
#include "export/figure_export.h"
#include "export/lesson_plan.h"
#include "export/page_output.h"
#include "export/safe_file.h"
#include "export/said.h"
#include "figure/figure_document.h"
#include "lesson/lesson.h"
#include "waves/wave_focus.h"

#include <QCoreApplication>

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace kymata {

namespace {

/// The options as given, in order, each with its value (empty for a switch), and the words
/// that are no option.
struct GivenOptions {
    std::vector<std::pair<const CommandOption*, QString>> options;
    QStringList positional;

    bool IsSet(std::string_view name) const {
        for (const auto& [option, value] : options) {
            if (option->name == name) {
                return true;
            }
        }
        return false;
    }
    /// The value of the option's first appearance; empty when it is not given.
    QString Value(std::string_view name) const {
        for (const auto& [option, value] : options) {
            if (option->name == name) {
                return value;
            }
        }
        return {};
    }
};

/// What the command line asks for, once every option has been read and checked.
struct Request {
    Controls controls;
    /// --focus best: F is set once the lens is known.
    bool bestFocus = false;
    std::optional<int> lessonStep;
    std::optional<int> frames;
    int pngSize = 1000;
};

/// A usage error: one sentence, or nothing.
using Problem = std::optional<QString>;

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// Reads the words of `arguments` (after the program's name) into options and the rest:
/// "--name value", "--name=value", a switch "--name", the one-letter "-h", "-?" and "-v", and
/// after "--" words alone. The first word that cannot be read is the problem.
Problem ReadOptions(const QStringList& arguments, std::string_view language, GivenOptions& given) {
    bool wordsOnly = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        if (wordsOnly || word == QLatin1String("-") || !word.startsWith(QLatin1Char('-'))) {
            given.positional << word;
            continue;
        }
        if (word == QLatin1String("--")) {
            wordsOnly = true;
            continue;
        }
        const bool longForm = word.startsWith(QLatin1String("--"));
        const QString name = word.mid(longForm ? 2 : 1).section(QLatin1Char('='), 0, 0);
        const CommandOption* option = FindCommandOption(name.toStdString());
        if (!longForm && name.size() > 1 && option != nullptr) {
            // "-source" would otherwise be read as -s -o -u -r -c -e.
            return Said("cli.oneDash", language, {name});
        }
        if (option == nullptr || (!longForm && name.size() > 1) || (longForm && name.size() == 1)) {
            return Said("cli.unknownOption", language, {word.section(QLatin1Char('='), 0, 0)});
        }
        const qsizetype equals = word.indexOf(QLatin1Char('='));
        const QString optionName = Utf8(option->name);
        if (option->value == OptionValue::None) {
            if (equals >= 0) {
                return Said("cli.unexpectedValue", language, {optionName});
            }
            given.options.emplace_back(option, QString());
        } else if (equals >= 0) {
            given.options.emplace_back(option, word.mid(equals + 1));
        } else if (i + 1 < arguments.size()) {
            given.options.emplace_back(option, arguments[++i]);
        } else {
            return Said("cli.missingValue", language, {optionName});
        }
    }
    return std::nullopt;
}

/// An option given twice: a second value would silently win over the first.
Problem RepeatedOption(const GivenOptions& given, std::string_view language) {
    for (std::size_t i = 0; i < given.options.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (given.options[i].first == given.options[j].first) {
                return Said("cli.repeated", language, {Utf8(given.options[i].first->name)});
            }
        }
    }
    return std::nullopt;
}

/// An option that does not stand where it is given: beside --lesson-plan only --lang, in a
/// window start only the scene's options.
Problem MisplacedOption(const GivenOptions& given, OptionPlace place, std::string_view language) {
    for (const auto& [option, value] : given.options) {
        if ((option->places & place) != 0) {
            continue;
        }
        const QString name = Utf8(option->name);
        return place == InLessonPlan ? Said("cli.planAlone", language, {name})
                                     : Said("cli.onlyInFile", language, {name});
    }
    return std::nullopt;
}

/// The number an Integer, Index or Real option gives, within its range; its fallback when it is
/// not given.
std::optional<double> NumberOption(const GivenOptions& given, std::string_view name,
                                   std::string_view language, Problem& problem) {
    const CommandOption& option = *FindCommandOption(name);
    if (!given.IsSet(name)) {
        return option.fallback;
    }
    const QString text = given.Value(name);
    const QString min = OptionNumber(option, option.min);
    const QString max = OptionNumber(option, option.max);
    bool ok = false;
    switch (option.value) {
    case OptionValue::Integer: {
        const int value = text.toInt(&ok);
        if (ok && value >= option.min && value <= option.max) {
            return value;
        }
        problem = Said("cli.bad.integer", language, {Utf8(name), text, min, max});
        return std::nullopt;
    }
    case OptionValue::Index: {
        // Whole hundredths only: the index bar moves in steps of 0.01.
        const double hundredths = text.toDouble(&ok) * 100;
        const double whole = std::round(hundredths);
        if (ok && std::isfinite(hundredths) && std::abs(hundredths - whole) <= 1e-6 &&
            whole >= option.min * 100 - 1e-9 && whole <= option.max * 100 + 1e-9) {
            return whole / 100;
        }
        problem = Said("cli.bad.index", language, {text, min, max});
        return std::nullopt;
    }
    case OptionValue::Real: {
        const double value = text.toDouble(&ok);
        if (ok && std::isfinite(value) && value >= option.min && value <= option.max &&
            (option.closed || value < option.max)) {
            return value;
        }
        problem = Said(option.closed ? "cli.bad.real" : "cli.bad.realBelow", language,
                       {Utf8(name), text, min, max});
        return std::nullopt;
    }
    case OptionValue::None:
    case OptionValue::Word:
    case OptionValue::File:
        break;
    }
    return std::nullopt;
}

/// The word a Word option gives (its first word when not given), one of the words it takes.
std::optional<QString> WordOption(const GivenOptions& given, std::string_view name,
                                  std::string_view language, Problem& problem) {
    const QStringList words = OptionWords(*FindCommandOption(name));
    if (!given.IsSet(name)) {
        return words.constFirst();
    }
    const QString word = given.Value(name);
    if (words.contains(word)) {
        return word;
    }
    QString choices;
    for (qsizetype i = 0; i < words.size(); ++i) {
        choices += i == 0                 ? QString()
                   : i + 1 < words.size() ? QStringLiteral(", ")
                                          : Said("list.lastJoin", language);
        choices += words[i];
    }
    problem = Said("cli.bad.word", language, {Utf8(name), word, choices});
    return std::nullopt;
}

/// The path of a File option, given and not empty.
Problem FileNameProblem(const GivenOptions& given, std::string_view name,
                        std::string_view language) {
    if (given.IsSet(name) && given.Value(name).isEmpty()) {
        return Said("cli.bad.noFile", language, {Utf8(name)});
    }
    return std::nullopt;
}

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
    if (given.IsSet("lens") && !TracesWaves(c.view)) {
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

/// --phase and --flash: a still moment of the moving crests, or one flash, in the wave view.
Problem ReadMoment(const GivenOptions& given, std::string_view language, Request& request) {
    const bool phase = given.IsSet("phase");
    if (!phase && !given.IsSet("flash")) {
        return std::nullopt;
    }
    if (!TracesWaves(request.controls.view)) {
        return Said("cli.needsWaves", language,
                    {phase ? QStringLiteral("phase") : QStringLiteral("flash")});
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
    if (!TracesWaves(request.controls.view) || !given.IsSet("export")) {
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

/// --lesson N: the step's own scene, so no scene option may stand beside it.
Problem ReadLessonStep(const GivenOptions& given, std::string_view language, Request& request) {
    if (!given.IsSet("lesson")) {
        return std::nullopt;
    }
    for (const auto& [option, value] : given.options) {
        if (option->scene) {
            return Said("cli.lessonSetsScene", language, {Utf8(option->name)});
        }
    }
    Problem problem;
    if (const auto step = NumberOption(given, "lesson", language, problem)) {
        request.lessonStep = static_cast<int>(*step);
        request.controls = LessonScene(*request.lessonStep, TextLanguage(request.controls));
    }
    return problem;
}

/// Every check after the words are read, in the order the user meets them: where each option
/// stands, the outputs, the scene, the moment, the motion, the file and the lesson.
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
    for (const auto read : {ReadScene, ReadMoment, ReadMotion}) {
        if (Problem problem = read(given, language, request)) {
            return problem;
        }
    }
    if (!window) {
        if (Problem problem = OutputFileProblem(given, language)) {
            return problem;
        }
    }
    return ReadLessonStep(given, language, request);
}

/// Moves F to the whole step nearest the best focus; a lens without one is a problem.
Problem SettleBestFocus(Request& request, bool window, std::string_view language,
                        QTextStream& out) {
    Controls& controls = request.controls;
    const auto said = [language](std::string_view key, std::initializer_list<std::string_view> v) {
        return Said("cli.bestFocus", language, {QString::fromStdString(Text(key, language, v))});
    };
    if (controls.perfectLens) {
        return said("bestFocus.perfect", {});
    }
    const std::optional<waves::FocusBarChoice> choice = waves::FocusBarNearBestFocus(controls);
    if (!choice) {
        return said("bestFocus.none", {std::to_string(std::lround(waves::BestFocusRange / 5))});
    }
    controls.fOCUS_POINT = choice->bar;
    if (choice->clamped && !window) {
        out << QString::fromStdString(
                   Text("bestFocus.beyond", language,
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

/// --lesson-plan FILE.pdf, with --lang alone beside it: the teacher's notes of the lesson.
int RunLessonPlan(const GivenOptions& given, bool window, std::string_view language,
                  QTextStream& err) {
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
    const WriteResult written = WriteLessonPlan(path, lang->toStdString(), language);
    if (!written.ok) {
        err << written.error << '\n';
        return ExitWriteFailed;
    }
    return ExitOk;
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
        return RunLessonPlan(given, window != nullptr, language, err);
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
    const WriteResult written = WriteRequest(given, request, language);
    if (!written.ok) {
        err << written.error << '\n';
        return ExitWriteFailed;
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
