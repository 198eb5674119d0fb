#include "figure/draw_construction.h"

#include "construction/controls.h"
#include "construction/spherical_construction.h"
#include "drawing/recording_surface.h"
#include "hyperbolic/hyperbolic_construction.h"
#include "waves/wave_view.h"

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

std::optional<waves::WaveTrace> DrawFigure(const Controls& controls, Scene& scene, Labels& labels,
                                           Surface& canvas) {
    switch (controls.view) {
    case View::Classic:
        DrawConstruction(controls, scene, labels, canvas);
        return std::nullopt;
    case View::Waves: {
        BeginRedraw(controls, scene, labels, canvas);
        waves::WaveTrace trace = waves::TraceWaves(controls);
        waves::DrawWaveView(trace, TextLanguage(controls), canvas, 1, waves::CrestsOf(controls));
        return trace;
    }
    }
    return std::nullopt;
}

Labels ReadoutsFor(const Controls& controls, const Scene& scene) {
    // The hyperbolic construction rewrites two of them; the wave view keeps those of the start
    // of a redraw.
    Scene scratch = scene;
    Labels labels;
    RecordingSurface discarded;
    switch (controls.view) {
    case View::Classic:
        DrawConstruction(controls, scratch, labels, discarded);
        break;
    case View::Waves:
        BeginRedraw(controls, scratch, labels, discarded);
        break;
    }
    return labels;
}

} // namespace kymata
