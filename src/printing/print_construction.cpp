#include "printing/print_jobs.h"

namespace kymata {

void PrintConstruction(const Controls& controls, Scene& scene, Labels& labels, Surface& canvas,
                       PageSurface& page) {
    if (controls.YPERVOLIKO) {
        page.SetOrientation(PageSurface::Landscape);
        PrintHyperbolicConstruction(controls, scene, labels, canvas, page);
        return;
    }
    PrintSphericalConstruction(controls, scene, page);
}

} // namespace kymata
