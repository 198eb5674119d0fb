#include "construction/text_font.h"

namespace kymata {

void SetTextFont(Surface& canvas, const std::string& text, float x, float y,
                 const FontRequest& font) {
    const std::string previousName = canvas.FontName;
    const double previousSize = canvas.FontSize;
    const double previousAngle = canvas.FontAngle;

    canvas.FontName = font.faceName;
    canvas.FontSize = font.height * 72.0 / Surface::ReferenceDpi;
    canvas.FontAngle = font.escapement / 10.0;
    canvas.CurrentX = x;
    canvas.CurrentY = y;
    canvas.Print(text);

    canvas.FontName = previousName;
    canvas.FontSize = previousSize;
    canvas.FontAngle = previousAngle;
}

} // namespace kymata
