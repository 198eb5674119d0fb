#include "export/command_line.h"

#include "construction/controls.h"
#include "construction/number_format.h"
#include "construction/scene.h"
#include "drawing/page_surface.h"
#include "drawing/recording_surface.h"
#include "drawing/worksheet.h"
#include "export/figure_export.h"
#include "export/lesson_plan.h"
#include "export/page_output.h"
#include "export/safe_file.h"
#include "figure/draw_construction.h"
#include "figure/figure_document.h"
#include "lesson/lesson.h"
#include "texts/catalogue.h"
#include "waves/wave_focus.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cmath>
#include <optional>

namespace kymata {

namespace {

constexpr int MinPngSize = 10;
constexpr int MaxPngSize = 8000;
constexpr int DefaultPngSize = 1000;

struct Options {
    QCommandLineOption exportFile{QStringLiteral("export"),
                                  QStringLiteral("Write the figure to FILE: .png, .svg, .pdf or "
                                                 ".json, chosen by the extension."),
                                  QStringLiteral("FILE")};
    QCommandLineOption printTo{QStringLiteral("print-to"),
                               QStringLiteral("Write the page that PRINT prints to FILE: .pdf "
                                              "(A4 landscape) or .json, chosen by the "
                                              "extension."),
                               QStringLiteral("FILE")};
    QCommandLineOption size{QStringLiteral("size"),
                            QStringLiteral("Side of a PNG export in pixels, 10..8000 "
                                           "(default 1000)."),
                            QStringLiteral("PX")};
    QCommandLineOption source{QStringLiteral("source"),
                              QStringLiteral("Source position X0 in wavelengths left of the "
                                             "origin (the sphere's front is 6 nearer; the "
                                             "hyperbola's tip is the origin), integer -200..-3 "
                                             "(default -20)."),
                              QStringLiteral("N")};
    QCommandLineOption focus{QStringLiteral("focus"),
                             QStringLiteral("Target point F in wavelengths behind the lens, where "
                                            "the counts are compared, integer 1..50 (default "
                                            "5), or best: the whole step nearest the lens's best "
                                            "focus."),
                             QStringLiteral("N|best")};
    QCommandLineOption index{QStringLiteral("index"),
                             QStringLiteral("Refractive index, 1.05..2.50 in steps of 0.01 "
                                            "(default 1.50)."),
                             QStringLiteral("X")};
    QCommandLineOption thickness{QStringLiteral("thickness"),
                                 QStringLiteral("Lens thickness in glass wavelengths, integer "
                                                "1..20 (default 20)."),
                                 QStringLiteral("N")};
    QCommandLineOption hyperbola{QStringLiteral("hyperbola"),
                                 QStringLiteral("Draw the hyperbolic lens construction.")};
    QCommandLineOption parallelBeam{QStringLiteral("parallel-beam"),
                                    QStringLiteral("Tick \"Parallel BEAM\": a plane wave in the "
                                                   "wave view (changes no classic figure).")};
    QCommandLineOption view{QStringLiteral("view"),
                            QStringLiteral("The figure: classic (default) or waves, the wave "
                                           "view with every ray traced exactly through the lens "
                                           "and its count of waves at F."),
                            QStringLiteral("classic|waves")};
    QCommandLineOption lens{QStringLiteral("lens"),
                            QStringLiteral("With --view waves: the lens, sphere (default), "
                                           "hyperbola (as --hyperbola) or perfect, the surface "
                                           "on which every ray arrives at F in step."),
                            QStringLiteral("sphere|hyperbola|perfect")};
    QCommandLineOption animate{QStringLiteral("animate"),
                               QStringLiteral("With --view waves and --export FILE.svg: an SVG "
                                              "whose crests move through one period, looping.")};
    QCommandLineOption frames{QStringLiteral("frames"),
                              QStringLiteral("With --view waves: --export names a folder, and N "
                                             "PNG frames of one period go into it, 2..1000."),
                              QStringLiteral("N")};
    QCommandLineOption phase{QStringLiteral("phase"),
                             QStringLiteral("With --view waves: the crests at phase T of a "
                                            "period, 0 <= T < 1 (moving waves, still)."),
                             QStringLiteral("T")};
    QCommandLineOption flash{QStringLiteral("flash"),
                             QStringLiteral("With --view waves: only the crest of one flash, at "
                                            "count C of waves from the source, 0..10000."),
                             QStringLiteral("C")};
    QCommandLineOption worksheet{QStringLiteral("worksheet"),
                                 QStringLiteral("With --export or --print-to: a worksheet, the "
                                                "counted numbers left blank.")};
    QCommandLineOption lang{QStringLiteral("lang"),
                            QStringLiteral("Language of the texts: el (Greek, default) or en."),
                            QStringLiteral("el|en")};
    QCommandLineOption lesson{QStringLiteral("lesson"),
                              QStringLiteral("Step N of the lesson \"why a lens focuses\": its "
                                             "scene in the window, or with --export its figure "
                                             "and, in JSON, its texts; 1..%1.")
                                  .arg(LessonStepCount()),
                              QStringLiteral("N")};
    QCommandLineOption lessonPlan{QStringLiteral("lesson-plan"),
                                  QStringLiteral("Write the teacher's notes of the lesson to "
                                                 "FILE.pdf (A4): aims, timing, every step's "
                                                 "figure, narration, question and answer, and a "
                                                 "student sheet; with --lang only."),
                                  QStringLiteral("FILE")};
};

/// An integer option within [min, max]; the error names the option and its range.
std::optional<int> IntegerOption(const QCommandLineParser& parser, const QCommandLineOption& option,
                                 int min, int max, int fallback, QString& error) {
    if (!parser.isSet(option)) {
        return fallback;
    }
    const QString name = option.names().constFirst();
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (!ok || value < min || value > max) {
        error = QStringLiteral("--%1: '%2' is not valid; give an integer from %3 to %4")
                    .arg(name, parser.value(option))
                    .arg(min)
                    .arg(max);
        return std::nullopt;
    }
    return value;
}

/// The refractive index option as `n_DIATHLASI` (100 n), 105..250.
std::optional<int> IndexOption(const QCommandLineParser& parser, const QCommandLineOption& option,
                               QString& error) {
    if (!parser.isSet(option)) {
        return 150;
    }
    bool ok = false;
    const double n = parser.value(option).toDouble(&ok);
    const double hundredths = n * 100;
    const double whole = std::round(hundredths);
    if (!ok || !std::isfinite(n) || std::abs(hundredths - whole) > 1e-6 ||
        whole < n_DIATHLASI_Range.min || whole > n_DIATHLASI_Range.max) {
        error = QStringLiteral("--index: '%1' is not valid; give a number from 1.05 to 2.50 in "
                               "steps of 0.01")
                    .arg(parser.value(option));
        return std::nullopt;
    }
    return static_cast<int>(whole);
}

/// A real option within [min, max) (or [min, max] when `closed`); the error names the option and
/// its range.
std::optional<double> RealOption(const QCommandLineParser& parser, const QCommandLineOption& option,
                                 double min, double max, bool closed, const QString& range,
                                 QString& error) {
    bool ok = false;
    const double value = parser.value(option).toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < min || value > max || (!closed && value == max)) {
        error = QStringLiteral("--%1: '%2' is not valid; give %3")
                    .arg(option.names().constFirst(), parser.value(option), range);
        return std::nullopt;
    }
    return value;
}

/// Writes the printed page: a PDF of it, or the figure document with the page added.
WriteResult WritePage(const QString& path, FigureFormat format, const FigureContent& content,
                      const Recording& page) {
    if (format == FigureFormat::Pdf) {
        return WritePagePdf(path, page);
    }
    return WriteText(path, FigureJson(content, page));
}

QString HelpText(const QCommandLineParser& parser) {
    // The usage line names the program, not the path it was started by.
    QString text = parser.helpText();
    const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'));
    const QString usage = text.left(lineEnd);
    text.replace(0, lineEnd, QStringLiteral("Usage: kymata") + usage.mid(usage.indexOf(' ', 7)));
    return text + QStringLiteral("\nExit codes: 0 done, 1 the file could not be written, 2 bad "
                                 "usage (nothing written).\n");
}

/// The toolkit's own options, which `--help-all` lists after the program's: they are read before
/// the program sees its arguments and matter to the window.
QString QtOptionsText() {
    return QStringLiteral(
        "\nQt options (for the window; given before any other):\n"
        "  -platform <name>          The windowing platform: xcb (X11), wayland, offscreen, ...\n"
        "                            (as the variable QT_QPA_PLATFORM).\n"
        "  -display <display>        The X display to open (as the variable DISPLAY).\n"
        "  -qwindowgeometry <geom>   The window's first size and place, as 1200x800+0+0.\n"
        "  -qwindowtitle <title>     The window's title.\n"
        "  -style <style>            The widget style: Fusion, Windows, ...\n"
        "  -reverse                  Lays the window out right to left.\n");
}

/// A word of one dash and several letters that is a long option of the program written with one
/// dash ("-source"): its name, or empty. Such a word would otherwise be read as the short options
/// -s -o -u -r -c -e.
std::optional<QString> SingleDashLongOption(const QStringList& longNames,
                                            const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        if (word == QLatin1String("--")) {
            break;
        }
        if (word.size() > 2 && word.startsWith(QLatin1Char('-')) && word[1] != QLatin1Char('-')) {
            const QString name = word.mid(1).section(QLatin1Char('='), 0, 0);
            if (longNames.contains(name)) {
                return name;
            }
        }
    }
    return std::nullopt;
}

/// The options that set the scene, which a lesson step sets itself.
QList<QCommandLineOption> SceneOptions(const Options& o) {
    return {o.source, o.focus, o.index, o.thickness, o.hyperbola, o.parallelBeam,
            o.view,   o.lens,  o.phase, o.flash,     o.animate,   o.frames};
}

/// The step of --lesson, 1..`LessonStepCount`(), when no scene option is given beside it.
std::optional<int> LessonStepOption(const QCommandLineParser& parser, const Options& o,
                                    QString& error) {
    for (const QCommandLineOption& option : SceneOptions(o)) {
        if (parser.isSet(option)) {
            error = QStringLiteral("--lesson sets the scene of its step; leave out --%1")
                        .arg(option.names().constFirst());
            return std::nullopt;
        }
    }
    return IntegerOption(parser, o.lesson, 1, LessonStepCount(), 1, error);
}

/// --lesson-plan FILE.pdf, with --lang alone beside it: the teacher's notes of the lesson.
int RunLessonPlan(const QCommandLineParser& parser, const Options& o, bool window,
                  QTextStream& err) {
    QString error;
    const QString path = parser.value(o.lessonPlan);
    const QString lang = parser.isSet(o.lang) ? parser.value(o.lang) : QStringLiteral("el");
    for (const QString& name : parser.optionNames()) {
        if (!o.lessonPlan.names().contains(name) && !o.lang.names().contains(name) &&
            error.isEmpty()) {
            error =
                QStringLiteral("--lesson-plan goes with --lang alone; leave out --%1").arg(name);
        }
    }
    if (error.isEmpty() && window) {
        error = QStringLiteral("--lesson-plan writes a file; the window opens without it");
    }
    if (error.isEmpty() && lang != QLatin1String("el") && lang != QLatin1String("en")) {
        error = QStringLiteral("--lang: '%1' is not valid; give el or en").arg(lang);
    }
    if (error.isEmpty() && FigureFormatForPath(path) != FigureFormat::Pdf) {
        error = QStringLiteral("--lesson-plan: '%1' is not a PDF file; give a file ending in .pdf")
                    .arg(path);
    }
    if (!error.isEmpty()) {
        err << Printable(error) << '\n';
        return ExitBadUsage;
    }
    const WriteResult written = WriteLessonPlan(path, lang == QLatin1String("el"));
    if (!written.ok) {
        err << written.error << '\n';
        return ExitWriteFailed;
    }
    return ExitOk;
}

} // namespace

namespace {

/// The command line, for an export (`window` null) or for a window start, whose controls go
/// into `*window` instead of a file.
int Run(const QStringList& arguments, QTextStream& out, QTextStream& err,
        std::optional<WindowStart>* window) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Kymata draws how a lens focuses light by counting wavelengths along "
                       "the rays.\nWithout --export or --print-to it opens the window, its "
                       "controls set by the scene options (--source ... --lang)."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const Options o;
    const QList<QCommandLineOption> options = {
        o.exportFile, o.printTo,      o.size, o.source, o.focus,     o.index, o.thickness,
        o.hyperbola,  o.parallelBeam, o.view, o.lens,   o.phase,     o.flash, o.animate,
        o.frames,     o.worksheet,    o.lang, o.lesson, o.lessonPlan};
    parser.addOptions(options);

    QStringList longNames = {QStringLiteral("help"), QStringLiteral("help-all"),
                             QStringLiteral("version")};
    for (const QCommandLineOption& option : options) {
        longNames << option.names();
    }
    if (const auto name = SingleDashLongOption(longNames, arguments)) {
        err << Printable(QStringLiteral("-%1: options are written with two dashes; did you mean "
                                        "--%1? (see --help)")
                             .arg(*name))
            << '\n';
        return ExitBadUsage;
    }
    if (!parser.parse(arguments)) {
        err << Printable(parser.errorText()) << QStringLiteral(" (see --help for the options)\n");
        return ExitBadUsage;
    }
    if (parser.isSet(QStringLiteral("help-all"))) {
        out << HelpText(parser) << QtOptionsText();
        return ExitOk;
    }
    if (parser.isSet(help)) {
        out << HelpText(parser);
        return ExitOk;
    }
    // Each option once: a second value would silently win over the first.
    QStringList seen;
    for (const QString& name : parser.optionNames()) {
        if (seen.contains(name)) {
            err << Printable(QStringLiteral("--%1 is given more than once; give each option once")
                                 .arg(name))
                << '\n';
            return ExitBadUsage;
        }
        seen << name;
    }
    if (parser.isSet(version)) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
            << '\n';
        return ExitOk;
    }
    if (!parser.positionalArguments().isEmpty()) {
        err << Printable(
                   QStringLiteral("unexpected argument '%1'; the options are listed by --help")
                       .arg(parser.positionalArguments().constFirst()))
            << '\n';
        return ExitBadUsage;
    }
    const bool exporting = parser.isSet(o.exportFile);
    const bool printing = parser.isSet(o.printTo);
    if (parser.isSet(o.lessonPlan)) {
        return RunLessonPlan(parser, o, window != nullptr, err);
    }
    if (window) {
        // A window shows one figure live: what only shapes a file has no place here.
        for (const QCommandLineOption& option : {o.exportFile, o.printTo, o.size, o.worksheet,
                                                 o.animate, o.frames, o.phase, o.flash}) {
            if (parser.isSet(option)) {
                err << QStringLiteral("--%1 goes with --export or --print-to; the window "
                                      "opens with the scene options alone (see --help)\n")
                           .arg(option.names().constFirst());
                return ExitBadUsage;
            }
        }
    } else if (!exporting && !printing) {
        err << QStringLiteral("nothing to write: give --export FILE or --print-to FILE (see "
                              "--help)\n");
        return ExitBadUsage;
    }
    if (exporting && printing) {
        err << QStringLiteral("give either --export FILE or --print-to FILE, not both\n");
        return ExitBadUsage;
    }

    QString error;
    Controls controls;
    const auto source = IntegerOption(parser, o.source, initial_POINT_Range.min,
                                      initial_POINT_Range.max, controls.initial_POINT, error);
    // "--focus best" is settled once the lens is known.
    const bool bestFocus = parser.value(o.focus) == QLatin1String("best");
    const auto focus = !source ? std::nullopt
                       : bestFocus
                           ? std::optional(controls.fOCUS_POINT)
                           : IntegerOption(parser, o.focus, fOCUS_POINT_Range.min,
                                           fOCUS_POINT_Range.max, controls.fOCUS_POINT, error);
    const auto index = focus ? IndexOption(parser, o.index, error) : std::nullopt;
    const auto thickness = index ? IntegerOption(parser, o.thickness, pachos_Range.min,
                                                 pachos_Range.max, controls.pachos, error)
                                 : std::nullopt;
    std::optional<int> size;
    if (thickness) {
        size = IntegerOption(parser, o.size, MinPngSize, MaxPngSize, DefaultPngSize, error);
    }
    const QString lang = parser.isSet(o.lang) ? parser.value(o.lang) : QStringLiteral("el");
    if (size && lang != QLatin1String("el") && lang != QLatin1String("en")) {
        error = QStringLiteral("--lang: '%1' is not valid; give el or en").arg(lang);
    }
    const QString view = parser.isSet(o.view) ? parser.value(o.view) : QStringLiteral("classic");
    if (error.isEmpty() && view != QLatin1String("classic") && view != QLatin1String("waves")) {
        error = QStringLiteral("--view: '%1' is not valid; give classic or waves").arg(view);
    }
    const QString lens = parser.value(o.lens);
    if (error.isEmpty() && parser.isSet(o.lens)) {
        if (lens != QLatin1String("sphere") && lens != QLatin1String("hyperbola") &&
            lens != QLatin1String("perfect")) {
            error = QStringLiteral("--lens: '%1' is not valid; give sphere, hyperbola or perfect")
                        .arg(lens);
        } else if (view != QLatin1String("waves")) {
            error = QStringLiteral("--lens goes with --view waves");
        } else if (parser.isSet(o.hyperbola) && lens != QLatin1String("hyperbola")) {
            error = QStringLiteral("--hyperbola and --lens %1 do not go together").arg(lens);
        }
    }
    std::optional<double> phase;
    std::optional<double> flash;
    if (error.isEmpty() && (parser.isSet(o.phase) || parser.isSet(o.flash))) {
        if (view != QLatin1String("waves")) {
            error =
                QStringLiteral("--%1 goes with --view waves")
                    .arg(parser.isSet(o.phase) ? QStringLiteral("phase") : QStringLiteral("flash"));
        } else if (parser.isSet(o.phase) && parser.isSet(o.flash)) {
            error = QStringLiteral("give either --phase or --flash, not both");
        } else if (parser.isSet(o.phase)) {
            phase = RealOption(parser, o.phase, 0, 1, false,
                               QStringLiteral("a number from 0 up to but not including 1"), error);
        } else {
            flash = RealOption(parser, o.flash, 0, 10000, true,
                               QStringLiteral("a number from 0 to 10000"), error);
        }
    }
    const QString path = parser.value(exporting ? o.exportFile : o.printTo);
    const auto format = FigureFormatForPath(path);
    const bool pageFormat = format == FigureFormat::Pdf || format == FigureFormat::Json;
    std::optional<int> frameCount;
    const bool moving = parser.isSet(o.animate) || parser.isSet(o.frames);
    if (error.isEmpty() && moving) {
        const QString option =
            parser.isSet(o.animate) ? QStringLiteral("--animate") : QStringLiteral("--frames");
        if (view != QLatin1String("waves") || !exporting) {
            error = option + QStringLiteral(" goes with --view waves and --export");
        } else if (parser.isSet(o.animate) && parser.isSet(o.frames)) {
            error = QStringLiteral("give either --animate or --frames, not both");
        } else if (parser.isSet(o.phase) || parser.isSet(o.flash)) {
            error = option + QStringLiteral(" moves the crests itself; leave out --phase and "
                                            "--flash");
        } else if (parser.isSet(o.animate) && format != FigureFormat::Svg) {
            error = QStringLiteral("--animate: '%1' is not an SVG file; give a file ending in "
                                   ".svg")
                        .arg(path);
        } else if (parser.isSet(o.frames)) {
            frameCount = IntegerOption(parser, o.frames, 2, 1000, 0, error);
        }
    }
    if (window) {
        // No file: the checks of a path do not apply.
    } else if (error.isEmpty() && exporting && !format && !parser.isSet(o.frames)) {
        error = QStringLiteral("--export: '%1' has no known extension; give a file ending in "
                               ".png, .svg, .pdf or .json")
                    .arg(path);
    } else if (error.isEmpty() && printing && !pageFormat) {
        error = QStringLiteral("--print-to: '%1' is not a page file; give a file ending in "
                               ".pdf or .json")
                    .arg(path);
    }
    std::optional<int> lessonStep;
    if (error.isEmpty() && parser.isSet(o.lesson)) {
        lessonStep = LessonStepOption(parser, o, error);
    }
    if (!error.isEmpty()) {
        // Values are quoted as given: their control characters escaped, the message one line.
        err << Printable(error) << '\n';
        return ExitBadUsage;
    }
    controls.initial_POINT = *source;
    controls.fOCUS_POINT = *focus;
    controls.n_DIATHLASI = *index;
    controls.pachos = *thickness;
    controls.YPERVOLIKO = parser.isSet(o.hyperbola) || lens == QLatin1String("hyperbola");
    controls.perfectLens = lens == QLatin1String("perfect");
    controls.f_apeiro = parser.isSet(o.parallelBeam);
    controls.ELLINIKA = lang == QLatin1String("el");
    controls.view = view == QLatin1String("waves") ? View::Waves : View::Classic;
    controls.phase = phase;
    controls.flash = flash;
    if (lessonStep) {
        controls = LessonScene(*lessonStep, controls.ELLINIKA);
    }
    if (bestFocus) {
        const auto say = [](std::string_view key, std::initializer_list<std::string_view> values) {
            return QString::fromStdString(Text(key, false, values));
        };
        if (controls.perfectLens) {
            err << "--focus best: " << say("bestFocus.perfect", {}) << '\n';
            return ExitBadUsage;
        }
        const std::optional<waves::FocusBarChoice> choice = waves::FocusBarNearBestFocus(controls);
        if (!choice) {
            err << "--focus best: "
                << say("bestFocus.none", {std::to_string(std::lround(waves::BestFocusRange / 5))})
                << '\n';
            return ExitBadUsage;
        }
        controls.fOCUS_POINT = choice->bar;
        if (choice->clamped && !window) {
            out << say("bestFocus.beyond", {Format(choice->behind, 2), std::to_string(choice->bar)})
                << '\n';
        }
    }
    if (window) {
        *window = WindowStart{controls, lessonStep};
        return ExitOk;
    }

    const bool sheet = parser.isSet(o.worksheet);
    // A lesson step's document ends with the step's texts.
    const auto withLesson = [&](FigureContent content) {
        if (lessonStep) {
            content.moreMembers.emplace_back(
                "lesson", LessonJson(LessonPageOf(*lessonStep, controls.ELLINIKA)));
        }
        return content;
    };
    WriteResult written;
    if (frameCount) {
        written = WriteFrames(path, controls, *frameCount, *size);
    } else if (parser.isSet(o.animate)) {
        written = WriteAnimatedSvg(path, controls);
    } else if (exporting) {
        written = WriteFigure(path, *format, withLesson(DrawFigureContent(controls, sheet)), *size);
    } else {
        // The page that PRINT prints after this redraw, and what printing leaves on the canvas.
        const PrintedContent printed = PrintFigureContent(controls, sheet, PrintToPrintableMm());
        written = WritePage(path, *format, withLesson(printed.content), printed.page);
    }
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
