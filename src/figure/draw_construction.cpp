#include "figure/draw_construction.h"

#include "construction/spherical_construction.h"
#include "hyperbolic/hyperbolic_construction.h"

namespace kymata {

void DrawConstruction(const Controls& controls, Scene& scene, Labels& labels, Surface& canvas) {
    BeginRedraw(controls, scene, labels, canvas);
    if (controls.YPERVOLIKO) {
        // The hyperbolic construction clears the canvas and draws its own figure.
        DrawHyperbolicConstruction(controls, scene, labels, canvas);
        return;
    }
    DrawSphericalFigure(controls, scene, canvas);
}

} // namespace kymata
