#pragma once

#include "construction/controls.h"

#include <QStringList>
#include <QTextStream>

#include <optional>

namespace kymata {

/// Exit codes of the command line.
enum ExitCode : int { ExitOk = 0, ExitWriteFailed = 1, ExitBadUsage = 2 };

/// Runs the command line (`arguments` includes the program name): `--export FILE` with the
/// scene options writes the figure of one redraw, `--help` and `--version` print to `out`.
/// Usage errors are one line on `err` naming the option and its valid range (exit 2, nothing
/// written); an export that cannot be written names the path and the reason (exit 1).
int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);

/// True when `arguments` (with the program name) ask the command line for something to write
/// or print: --export, --print-to, --lesson-plan, --help, --help-all or --version. Any other start
/// opens the window.
bool AsksForOutput(const QStringList& arguments);

/// How the window starts: its controls, and the lesson's step when it opens on one.
struct WindowStart {
    Controls controls;
    std::optional<int> lessonStep;
};

/// The controls a window start sets from its scene options (`arguments` with the program name;
/// --source, --focus, --index, --thickness, --hyperbola, --parallel-beam, --view, --lens,
/// --lang, or --lesson N for a step's scene), each read and checked as for an export. Empty
/// after a usage error, which is one line on `err` (exit 2, no window): a bad value, or an
/// option that only goes with an export.
std::optional<WindowStart> WindowStartControls(const QStringList& arguments, QTextStream& err);

} // namespace kymata
