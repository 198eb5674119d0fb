#pragma once

class QDialog;
class QFileDialog;

namespace kymata {

/// Opens `dialog` wide enough for every column header and every place in its side bar, in the
/// language it speaks now; the toolkit's own widths are set for short English words.
void GiveFileDialogRoom(QFileDialog& dialog);

/// Opens `dialog` wide enough for its whole title in the title bar, beside the frame's buttons.
void GiveTitleRoom(QDialog& dialog);

} // namespace kymata
