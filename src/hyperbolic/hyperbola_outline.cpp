#include "hyperbolic/hyperbola_outline.h"

#include "hyperbolic/hyperbola.h"

#include <cmath>

namespace kymata {

void DrawFrontBranch(Surface& surface, double a, double b) {
    double upperX = 0, upperY = 0;
    double lowerX = 0, lowerY = 0;
    for (double t = 0; t <= 20 * a; t += 1) {
        const double x = t - a;
        const double yu = b * RoundedRoot(std::pow((a + t) / a, 2) - 1).value_or(0.0);
        surface.Line(upperX, upperY, x, yu);
        surface.Line(lowerX, lowerY, x, -yu);
        upperX = lowerX = x;
        upperY = yu;
        lowerY = -yu;
    }
}

void DrawLeftOpeningBranch(Surface& surface, double a, double b, double centre, double from,
                           double to, std::optional<Rgb> upperColor) {
    double lastX = from;
    double lastY = 0;
    for (double u = from; u >= to; u += -a / 15) {
        const auto root = RoundedRoot(std::pow(u - centre, 2) / (a * a) - 1);
        if (!root) {
            continue;
        }
        const double yu = b * *root;
        surface.Line(lastX, lastY, u, yu, upperColor);
        surface.Line(lastX, -lastY, u, -yu);
        lastX = u;
        lastY = yu;
    }
}

} // namespace kymata
