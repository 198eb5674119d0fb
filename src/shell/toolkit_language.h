#pragma once

namespace kymata {

/// Puts the toolkit's own texts (the file, print and message dialogs, the size prompt and the
/// standard buttons) into Greek when `greek`, else back into the toolkit's English. Dialogs
/// that are open follow at once. The Greek is the program's own translation, built with it:
/// the toolkit ships none.
void UseToolkitLanguage(bool greek);

/// True while the toolkit's texts are in Greek.
bool ToolkitSpeaksGreek();

} // namespace kymata
