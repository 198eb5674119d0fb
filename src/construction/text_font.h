#pragma once

#include "drawing/surface.h"

#include <string>

namespace kymata {

/// The font made for one rotated canvas text, with the fields of a logical font request.
/// The defaults are those of the ray labels.
struct FontRequest {
    /// Character cell height in canvas pixels (of the reference canvas).
    int height = 13;
    int width = 0;
    /// Tenths of a degree, counter-clockwise as seen.
    int escapement = 0;
    int weight = 1;
    int italic = 0;
    int underline = 0;
    int strikeOut = 0;
    int charSet = 0;
    int outPrecision = 7;
    int clipPrecision = 16;
    int quality = 2;
    int pitchAndFamily = 4;
    /// Empty: the font mapper chooses the face.
    std::string faceName;
};

/// Writes `text` on `canvas` with its top-left corner at (x, y), in a font made for this one
/// text: `height` pixels high and turned by `escapement` / 10 degrees counter-clockwise about
/// that corner, in the canvas's `ForeColor`. The canvas's own font is the same afterwards;
/// CurrentX/CurrentY are left where `Print` leaves them.
void SetTextFont(Surface& canvas, const std::string& text, float x, float y,
                 const FontRequest& font);

} // namespace kymata
