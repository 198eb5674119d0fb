#pragma once

#include "drawing/display_list.h"

#include <optional>
#include <string>
#include <string_view>

namespace kymata {

// Passed by reference only: an edit of the controls rebuilds no file for this header.
struct Controls;
struct Labels;

/// The texts of a shell's own controls around the figure (menus, dialogs, buttons, accessible
/// names), in the current language, UTF-8. Both the desktop window and the web page show these,
/// so a control reads the same in either. The figure's texts and the read-outs belong to the
/// constructions.
struct ControlTexts {
    std::string saveFigure;
    std::string saveWorksheet;
    std::string print;
    std::string printWorksheet;
    std::string liveDragging;
    std::string presentation;
    std::string zoomIn;
    std::string zoomOut;
    std::string wholeFigure;
    std::string quit;
    std::string saveTitle;
    std::string pngSizeTitle;
    std::string pngSizeLabel;
    std::string saveFailed;
    std::string waveView;
    std::string waveViewCaption;
    std::string ledgerTitle;
    std::string playPause;
    std::string playCaption;
    std::string pauseCaption;
    std::string stepFrame;
    std::string slower;
    std::string faster;
    std::string flash;
    std::string flashCaption;
    std::string perfectLensCaption;
    /// "%1" is the speed: periods a second.
    std::string speed;
    std::string showAll;
    std::string canvasMenu;
    std::string help;
    std::string about;
    std::string aboutTitle;
    /// "%1" is the version.
    std::string aboutText;
    std::string helpTitle;
    /// The web page's prompt for the side of a PNG.
    std::string pngSizeCaption;
    /// The window's title and the captions of the specified controls (PRINT, HYPERBOLA,
    /// "Parallel BEAM", GREEK, ENGLISH), each language named in itself.
    std::string windowTitle;
    std::string printCaption;
    std::string hyperbolaCaption;
    std::string parallelBeamCaption;
    std::string greekCaption;
    std::string englishCaption;
};

/// The texts in Greek when `language`, in English otherwise, from the message catalogues.
ControlTexts ControlTextsFor(std::string_view language);

/// What a screen reader says about one control: its name and a description that includes what
/// the control's value means in the scene.
struct ControlDescription {
    std::string name;
    std::string description;
};

/// The accessible name and description of the control `objectName` (the window's object names:
/// "initial_POINT", "YPERVOLIKO", "waveView", "Label1", ...) for the scene `controls`, in the
/// language that `controls.ELLINIKA` selects. A control that shows its own caption or text (a
/// check box, a button, a read-out) has an empty name: what it shows is its name, and the
/// description says what it means.
ControlDescription DescribeControl(std::string_view objectName, const Controls& controls);

/// A scroll bar's value as its read-out shows it: the source's distance in wavelengths (3 to
/// 200), the focus in wavelengths, the refractive index n (1.05 to 2.50) and the thickness in
/// glass wavelengths. A screen reader reads and sets these, never the bar's raw steps.
struct ShownValue {
    double value;
    /// The value as read aloud: "1.50" for the index, whole numbers otherwise.
    std::string text;
    double minimum;
    double maximum;
    /// The change that one step of the bar makes.
    double step;
};

/// The shown value of the scroll bar `objectName` ("initial_POINT", "fOCUS_POINT",
/// "n_DIATHLASI", "pachos") at its raw value `raw`; empty for any other name.
std::optional<ShownValue> ShownBarValue(std::string_view objectName, int raw);

/// The raw value of the scroll bar `objectName` that shows `shown`, rounded to the nearest step;
/// empty for any other name. It may lie outside the bar's range, which the bar clamps.
std::optional<int> RawBarValue(std::string_view objectName, double shown);

/// What the canvas shows, in words, in the language `controls.ELLINIKA` selects: the
/// construction, the source, the focus, n and the thickness, then every count and text that
/// `figure` prints, in the order they are drawn. A screen reader reads it as the canvas's
/// description.
std::string DescribeFigure(const Controls& controls, const Recording& figure);

} // namespace kymata
