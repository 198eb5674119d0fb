#include "waves/wave_json.h"

#include "drawing/figure_json.h"

#include <optional>

namespace kymata::waves {

namespace {

std::string Number(const std::optional<double>& value) {
    return value ? JsonNumber(*value) : "null";
}

std::string Point(const std::optional<Vec2>& p) {
    if (!p) {
        return "null";
    }
    std::string text(1, '[');
    text.append(JsonNumber(p->x)).append(1, ',').append(JsonNumber(p->y)).append(1, ']');
    return text;
}

const char* FateText(RayFate fate) {
    switch (fate) {
    case RayFate::Through:
        return "through";
    case RayFate::Tir:
        return "tir";
    case RayFate::Missed:
        return "missed";
    }
    return "";
}

} // namespace

std::string WavesJson(const WaveTrace& trace, std::optional<double> phase,
                      std::optional<double> flash) {
    const WaveLens& lens = trace.lens;
    std::string rays = "[";
    for (const TracedRay& ray : trace.rays) {
        rays += rays.size() > 1 ? ",\n    " : "\n    ";
        rays += JsonObject(",")
                    .Add("height", ray.height)
                    .Raw("entry", Point(ray.entry))
                    .Raw("exit", Point(ray.exit))
                    .Add("fate", FateText(ray.fate))
                    .Add("air", ray.air)
                    .Raw("glass", Number(ray.glass))
                    .Raw("after", Number(ray.after))
                    .Raw("total", Number(ray.total))
                    .Raw("opd", Number(ray.opd))
                    .Raw("crossing", Number(ray.crossing))
                    .Text();
    }
    rays += trace.rays.empty() ? "]" : "\n  ]";
    JsonObject waves;
    waves
        .Add("lens", lens.shape == LensShape::Hyperbola
                         ? "hyperbola"
                         : (lens.shape == LensShape::Perfect ? "perfect" : "sphere"))
        .Add("parallelBeam", lens.parallelBeam)
        .Add("source", lens.sourceX)
        .Add("focus", lens.focusX)
        .Add("backFace", lens.backX)
        .Add("rim", lens.rim)
        .Raw("aperture", Number(trace.aperture))
        .Raw("rays", rays)
        .Raw("axialCount", Number(trace.axialCount))
        .Raw("rmsOpd", Number(trace.rmsOpd))
        .Raw("maxOpd", Number(trace.maxOpd))
        .Raw("inStep", Number(trace.inStep))
        .Raw("inStepAll", Number(trace.inStepAll))
        .Raw("brightness", Number(trace.brightness))
        .Raw("arrivalSpread", Number(trace.arrivalSpread))
        .Raw("bestFocus", Number(trace.bestFocus))
        .Raw("paraxialFocus", Number(trace.paraxialFocus));
    if (lens.shape == LensShape::Perfect) {
        std::string surface = "[";
        for (const Vec2 p : lens.surface) {
            surface += surface.size() > 1 ? "," : "";
            surface += Point(p);
        }
        surface += "]";
        waves.Raw("surface", lens.surface.empty() ? "null" : surface);
    }
    if (flash) {
        waves.Add("flash", *flash);
    } else if (phase) {
        waves.Add("phase", *phase);
    }
    return waves.Text();
}

} // namespace kymata::waves
