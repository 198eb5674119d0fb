#pragma once

#include "shell/form_layout.h"

#include <QHash>
#include <QSize>
#include <QString>

namespace kymata {

/// How the window's controls stand around the canvas.
enum class Arrangement {
    /// As designed: the canvas 0.9 of the height, the controls to its right.
    Designed,
    /// As designed around a smaller canvas, so that the controls fit to its right.
    Shrunk,
    /// A compact column of the controls to the right of the canvas.
    Beside,
    /// The controls in rows below the canvas, on a portrait window.
    Below,
};

/// What fitting needs to know of the controls in the toolkit's own measure.
struct ControlSizes {
    /// The size hint of each control by object name: the buttons, check boxes and options
    /// (including the wave view's), the speed read-out, "scrollBar" for any scroll bar and
    /// "Label4" for the thickness read-out on one line.
    QHash<QString, QSize> hints;
    /// One line of the source, focus or index read-out at its widest.
    QSize readout;
};

/// Where every control of the window goes: the designed thirteen, the canvas, the wave view's
/// switches and buttons, LESSON, the ledger and the lesson's panel. A control whose rectangle
/// is empty is hidden.
struct WindowLayout {
    Arrangement arrangement = Arrangement::Designed;
    FormLayout form;
};

/// The layout for a client area of `client` pixels at `dpi` logical dots per inch, with the wave
/// view's controls and ledger when `waves`, and the lesson's panel when `lesson`.
///
/// The designed layout is kept whenever every control fits inside the window. Otherwise, on a
/// landscape window, the canvas shrinks until the designed arrangement fits to its right; when
/// even that leaves the controls too cramped, or on a portrait window, the controls go into a
/// compact panel beside or below a canvas that fills what is left. The canvas stays square. An
/// open lesson needs its panel: a layout that leaves it no room is not taken while another
/// arrangement gives it one.
WindowLayout FitWindowLayout(QSize client, double dpi, const ControlSizes& sizes, bool waves,
                             bool lesson = false, bool presentation = false);

/// True when every control that `layout` shows lies inside `client`.
bool FitsInside(const FormLayout& layout, QSize client);

} // namespace kymata
