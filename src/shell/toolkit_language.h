#pragma once

#include <string>
#include <string_view>

namespace kymata {

/// Puts the toolkit's own texts (the file, print and message dialogs, the size prompt and the
/// standard buttons) into `language` ("el", "en", ...); English is the toolkit's own. Dialogs
/// that are open follow at once. Greek is the program's own translation, built with it (the
/// toolkit ships none); another language is the toolkit's translation where the system has it,
/// else English.
void UseToolkitLanguage(std::string_view language);

/// The language the toolkit's texts are in now: "en" unless a translation is installed.
std::string ToolkitLanguage();

} // namespace kymata
