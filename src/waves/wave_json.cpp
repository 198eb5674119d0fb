#include "waves/wave_json.h"

#include "drawing/figure_json.h"

#include <optional>

namespace kymata::waves {

namespace {

std::string Number(const std::optional<double>& value) {
    return value ? JsonNumber(*value) : "null";
}

std::string Point(const std::optional<Vec2>& p) {
    return p ? "[" + JsonNumber(p->x) + "," + JsonNumber(p->y) + "]" : "null";
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

std::string WavesJson(const WaveTrace& trace) {
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
    return JsonObject()
        .Add("lens", lens.shape == LensShape::Hyperbola ? "hyperbola" : "sphere")
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
        .Raw("bestFocus", Number(trace.bestFocus))
        .Raw("paraxialFocus", Number(trace.paraxialFocus))
        .Text();
}

} // namespace kymata::waves
