#include "waves/wave_trace.h"

#include "waves/wave_focus.h"

#include <algorithm>
#include <cmath>

namespace kymata::waves {

TracedRay TraceRay(const WaveLens& lens, double height) {
    TracedRay ray;
    ray.height = height;
    ray.entry = {FrontX(lens, height), height};
    Vec2 d{1, 0};
    if (lens.parallelBeam) {
        ray.start = {lens.sourceX, height};
        ray.air = (ray.entry.x - lens.sourceX) / lens.wavelength;
    } else {
        ray.start = {lens.sourceX, 0};
        d = Unit(ray.entry - ray.start);
        ray.air = Distance(ray.start, ray.entry) / lens.wavelength;
    }
    // From air into glass: never total reflection, as n > 1.
    ray.inGlass = Refract(d, FrontNormal(lens, ray.entry), 1, lens.index).value_or(d);
    const GlassExit out = LeaveGlass(lens, ray.entry, ray.inGlass);
    ray.glassEnd = out.point;
    if (!out.backFace) {
        ray.fate = RayFate::Missed;
        return ray;
    }
    ray.exit = out.point;
    ray.glass = Distance(ray.entry, out.point) / lens.glassWavelength;
    // The back face's normal into the air is +x.
    ray.inAir = Refract(ray.inGlass, {1, 0}, lens.index, 1);
    if (!ray.inAir) {
        ray.fate = RayFate::Tir;
        return ray;
    }
    ray.after = CountTo(ray, lens, lens.focusX) - ray.air - *ray.glass;
    ray.total = ray.air + *ray.glass + *ray.after;
    return ray;
}

double CountTo(const TracedRay& ray, const WaveLens& lens, double x) {
    const Vec2 exit = ray.exit.value_or(ray.glassEnd);
    const double dx = x - exit.x;
    return ray.air + ray.glass.value_or(0) + std::sqrt(dx * dx + exit.y * exit.y) / lens.wavelength;
}

std::optional<double> AxisCrossing(const TracedRay& ray) {
    if (!ray.inAir || !ray.exit || ray.exit->y * ray.inAir->y >= 0 ||
        std::abs(ray.inAir->y) <= ParallelSlope) {
        return std::nullopt;
    }
    const double t = -ray.exit->y / ray.inAir->y;
    return ray.exit->x + t * ray.inAir->x;
}

WaveTrace TraceWaves(const Controls& controls) {
    WaveTrace trace;
    trace.lens = DescribeWaveLens(controls);
    const WaveLens& lens = trace.lens;
    trace.sourceInGlass = SourceInGlass(lens);
    if (trace.sourceInGlass) {
        return trace;
    }
    if (lens.shape == LensShape::Perfect && lens.surface.empty()) {
        trace.noPerfectSurface = true;
        return trace;
    }
    const double aperture = ApertureHeight(lens);
    trace.aperture = aperture;
    trace.rays.reserve(FanRays);
    for (int k = -FanHalf; k <= FanHalf; ++k) {
        trace.rays.push_back(TraceRay(lens, 0.95 * aperture * k / FanHalf));
    }
    Summarise(trace);
    if (lens.shape == LensShape::Perfect) {
        // The surface is only shown where it does what it is for: every ray that gets through
        // arrives at F in step. Anything else is a surface that does not exist here.
        if (!trace.maxOpd || *trace.maxOpd > PerfectOpdLimit) {
            WaveTrace none;
            none.lens = lens;
            none.lens.surface.clear();
            none.noPerfectSurface = true;
            return none;
        }
        trace.sphereGap = PerfectGapFromSphere(lens);
    }
    return trace;
}

double PerfectGapFromSphere(const WaveLens& lens) {
    // The sphere of the classic figure has the same vertex: centre vertex + R, radius R.
    const double radius = 9 * lens.wavelength;
    const double centre = lens.frontVertexX + radius;
    double gap = 0;
    for (const Vec2 p : lens.surface) {
        if (std::abs(p.y) <= radius) {
            const double sphereX = centre - std::sqrt(radius * radius - p.y * p.y);
            gap = std::max(gap, std::abs(p.x - sphereX));
        }
    }
    return gap / lens.glassWavelength;
}

} // namespace kymata::waves
