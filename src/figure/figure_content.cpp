#include "figure/figure_content.h"

#include "construction/scene.h"
#include "drawing/recording_surface.h"
#include "drawing/worksheet.h"
#include "figure/draw_construction.h"
#include "printing/print_jobs.h"
#include "waves/wave_view.h"

#include <optional>
#include <utility>

namespace kymata {

FigureContent DrawFigureContent(const Controls& controls, bool worksheet) {
    FigureContent content;
    content.controls = controls;
    content.worksheet = worksheet;
    Scene scene;
    RecordingSurface canvas;
    content.waves = DrawFigure(controls, scene, content.labels, canvas);
    content.canvas = worksheet ? Worksheet(canvas.Figure()) : canvas.Take();
    return content;
}

PrintedContent PrintFigureContent(const Controls& controls, bool worksheet, SizeMm printableMm) {
    PrintedContent printed;
    FigureContent& content = printed.content;
    content.controls = controls;
    content.worksheet = worksheet;
    Scene scene;
    RecordingSurface canvas;
    DrawFigure(controls, scene, content.labels, canvas);
    PrinterPage page(printableMm);
    content.waves = PrintFigure(controls, scene, content.labels, canvas, page);
    content.canvas = worksheet ? Worksheet(canvas.Figure()) : canvas.Take();
    printed.page = worksheet ? Worksheet(page.Figure()) : page.Figure();
    printed.ended = page.Ended();
    printed.orientation = page.Orientation();
    return printed;
}

AnimationContent DrawAnimationContent(const Controls& controls, int frames) {
    AnimationContent animation;
    const waves::WaveTrace trace = waves::TraceWaves(controls);
    waves::CrestOptions options;
    options.layer = waves::CrestOptions::Layer::WithoutCrests;
    RecordingSurface canvas;
    waves::DrawWaveView(trace, TextLanguage(controls), canvas, 1, options);
    animation.still = canvas.Take();
    options.layer = waves::CrestOptions::Layer::CrestsOnly;
    for (int i = 0; i < frames; ++i) {
        options.phase = static_cast<double>(i) / frames;
        RecordingSurface crests;
        waves::DrawWaveView(trace, TextLanguage(controls), crests, 1, options);
        animation.crests.push_back(crests.Take());
    }
    return animation;
}

namespace {

/// The trace of the scene of `controls`, kept from the last call with the same scene: the
/// frames of moving crests differ in their phase or flash alone, and the optics (the 2001-ray
/// agreement, the focus searches) is the same for all of them.
const waves::WaveTrace& TraceOfScene(const Controls& controls) {
    thread_local std::optional<std::pair<Controls, waves::WaveTrace>> last;
    Controls scene = controls;
    scene.phase.reset();
    scene.flash.reset();
    if (!last || last->first != scene) {
        last.emplace(scene, waves::TraceWaves(scene));
    }
    return last->second;
}

} // namespace

Recording DrawWaveLayer(const Controls& controls, waves::CrestOptions::Layer layer,
                        double textScale) {
    const waves::WaveTrace& trace = TraceOfScene(controls);
    waves::CrestOptions options = waves::CrestsOf(controls);
    options.layer = layer;
    RecordingSurface canvas;
    canvas.TextScale = textScale;
    waves::DrawWaveView(trace, TextLanguage(controls), canvas, 1, options);
    return canvas.Take();
}

} // namespace kymata
