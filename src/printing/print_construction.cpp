#include "printing/print_jobs.h"

#include "construction/controls.h"
#include "waves/wave_view.h"

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

void PrintWaveView(const waves::WaveTrace& trace, const Controls& controls, PageSurface& page) {
    page.SetOrientation(PageSurface::Landscape);
    waves::DrawWaveView(trace, TextLanguage(controls), page, page.Width() / page.Height(),
                        waves::CrestsOf(controls));
    page.EndDoc();
}

std::optional<waves::WaveTrace> PrintFigure(const Controls& controls, Scene& scene, Labels& labels,
                                            Surface& canvas, PageSurface& page) {
    switch (controls.view) {
    case View::Classic:
        PrintConstruction(controls, scene, labels, canvas, page);
        return std::nullopt;
    case View::Waves: {
        waves::WaveTrace trace = waves::TraceWaves(controls);
        PrintWaveView(trace, controls, page);
        return trace;
    }
    }
    return std::nullopt;
}

} // namespace kymata
