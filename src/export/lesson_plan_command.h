#pragma once

#include "export/command_reading.h"

#include <QTextStream>

#include <string_view>

namespace kymata {

/// --lesson-plan FILE.pdf, with --lang (and --force) alone beside it: writes the teacher's
/// notes of the lesson and returns the exit code; a problem is said on `err` in `language`, a
/// note on `out`. `window` when the command line would open the window, which refuses it.
int RunLessonPlan(const GivenOptions& given, bool window, std::string_view language,
                  QTextStream& out, QTextStream& err);

} // namespace kymata
