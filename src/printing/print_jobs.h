#pragma once

#include "construction/scene.h"
#include "drawing/page_surface.h"
#include "drawing/surface.h"
#include "waves/wave_trace.h"

#include <optional>

namespace kymata {

// Passed by reference only: an edit of the controls rebuilds no file for this header.
struct Controls;
struct Labels;

/// Prints the hyperbolic lens construction on `page` and ends the document.
///
/// Reads the controls afresh and recomputes every quantity (the source `SourceX` =
/// `initial_POINT` W - a is stored in the scene). The page's user box is (-145, 100)-(145, -100),
/// x to the right and y up about the middle of the page. On the page: the focus, back-point and
/// vertex marks, the air ticks to the lens top and the glass ticks on the axis, the front and
/// back outlines, the fan of rays with their wave ticks in air and in glass, the rulers, and
/// three lines of wavelength counts in the current language. The canvas is cleared and given the
/// box (-180, 180)-(180, -180); it keeps the green normals of the refraction and four English
/// lines of counts. `Label1` and `Label4` are rewritten.
void PrintHyperbolicConstruction(const Controls& controls, Scene& scene, Labels& labels,
                                 Surface& canvas, PageSurface& page);

/// Prints the spherical construction on `page` and ends the document: the page is turned to
/// landscape, its user box is (-70 w/h, 70)-(70 w/h, -70) from its printable width w and height
/// h, and it carries the spherical figure with the scene's read-outs and wavelength counts in
/// the current language. The canvas is left as it is.
void PrintSphericalConstruction(const Controls& controls, Scene& scene, PageSurface& page);

/// What PRINT prints: the construction that `YPERVOLIKO` selects, on a landscape page, through
/// `PrintHyperbolicConstruction` or `PrintSphericalConstruction`.
void PrintConstruction(const Controls& controls, Scene& scene, Labels& labels, Surface& canvas,
                       PageSurface& page);

/// Prints the wave view of `trace` on `page` and ends the document: the page is turned to
/// landscape and the view fills it, with the ledger's summary in its corner.
void PrintWaveView(const waves::WaveTrace& trace, const Controls& controls, PageSurface& page);

/// What PRINT prints for the view on screen: the classic construction through
/// `PrintConstruction`, or the wave view. Returns the wave view's optics when it printed it.
std::optional<waves::WaveTrace> PrintFigure(const Controls& controls, Scene& scene, Labels& labels,
                                            Surface& canvas, PageSurface& page);

/// The A4 paper, upright, in millimetres.
inline constexpr SizeMm A4Mm{210, 297};
/// The margin all round the page that `--print-to` writes.
inline constexpr double PrintToMarginMm = 10;

/// The printable area of the A4 page that `--print-to` writes, upright, in millimetres: the
/// paper less the margin all round.
constexpr SizeMm PrintToPrintableMm() {
    return {A4Mm.width - 2 * PrintToMarginMm, A4Mm.height - 2 * PrintToMarginMm};
}

} // namespace kymata
