#include "figure/figure_content.h"

#include "construction/scene.h"
#include "drawing/recording_surface.h"
#include "drawing/worksheet.h"
#include "figure/draw_construction.h"

namespace kymata {

FigureContent DrawFigureContent(const Controls& controls, bool worksheet) {
    FigureContent content;
    content.controls = controls;
    content.worksheet = worksheet;
    Scene scene;
    RecordingSurface canvas;
    DrawConstruction(controls, scene, content.labels, canvas);
    content.canvas = worksheet ? Worksheet(canvas.Figure()) : canvas.Take();
    return content;
}

} // namespace kymata
