#pragma once

#include <QStringList>
#include <QTextStream>

namespace kymata {

/// Exit codes of the command line.
enum ExitCode : int { ExitOk = 0, ExitWriteFailed = 1, ExitBadUsage = 2 };

/// Runs the command line (`arguments` includes the program name): `--export FILE` with the
/// scene options writes the figure of one redraw, `--help` and `--version` print to `out`.
/// Usage errors are one line on `err` naming the option and its valid range (exit 2, nothing
/// written); an export that cannot be written names the path and the reason (exit 1).
int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace kymata
