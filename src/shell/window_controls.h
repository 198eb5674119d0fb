#pragma once

#include <vector>

namespace kymata {

/// What a control of the window is, for its layout.
enum class ControlKind {
    /// A push button, or a check box of the strip under the canvas.
    Button,
    /// A designed check box or option, whose caption runs from its left edge.
    Captioned,
    /// One of the four scene scroll bars; its read-out is the next row of the table.
    Bar,
    /// The read-out of the scroll bar in the row before.
    Readout,
    /// A text of the strip: the speed of the crests.
    Note,
};

/// One control of the window beside the canvas and the panels.
struct WindowControl {
    /// The object name: the design's name for the thirteen designed controls, by which the
    /// tests and the layout find them.
    const char* name;
    ControlKind kind;
    /// In the strip under the canvas (the wave view's controls and LESSON); the designed
    /// controls have the places of the design instead.
    bool inStrip = false;
    /// Shown only while the view traces waves.
    bool wavesOnly = false;
    /// The line of the compact panel on which it flows; the bars and read-outs have lines of
    /// their own between the first and the second.
    int panelLine = 0;
    /// Its part gives it its accessible description (LESSON, F → BEST FOCUS); the figure core
    /// describes the others.
    bool ownDescription = false;
};

/// Every control of the window but the canvas and the panels, in the order the compact panel
/// shows them from top to bottom; the strip under the canvas takes its controls in this order
/// too.
const std::vector<WindowControl>& WindowControls();

} // namespace kymata
