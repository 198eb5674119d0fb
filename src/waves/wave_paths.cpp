#include "waves/wave_paths.h"

#include "waves/wave_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kymata::waves {

namespace {

/// The parameter at which p + t d leaves the box (d pointing out of p, p inside).
double ToBoxEdge(Vec2 p, Vec2 d, const UserBox& box) {
    const double left = std::min(box.left, box.right);
    const double right = std::max(box.left, box.right);
    const double bottom = std::min(box.top, box.bottom);
    const double top = std::max(box.top, box.bottom);
    double t = std::numeric_limits<double>::infinity();
    if (d.x > 0) {
        t = std::min(t, (right - p.x) / d.x);
    } else if (d.x < 0) {
        t = std::min(t, (left - p.x) / d.x);
    }
    if (d.y > 0) {
        t = std::min(t, (top - p.y) / d.y);
    } else if (d.y < 0) {
        t = std::min(t, (bottom - p.y) / d.y);
    }
    return std::isfinite(t) ? std::max(t, 0.0) : 0;
}

} // namespace

std::vector<PathPiece> RayPath(const TracedRay& ray, const WaveLens& lens, const UserBox& box) {
    std::vector<PathPiece> path;
    // A source beyond the box's left edge: the path starts where the ray enters the box, with
    // the count it has there, so that every crest stays the true source's.
    const double left = std::min(box.left, box.right);
    if (ray.start.x < left && ray.entry.x > left) {
        const double t = (left - ray.start.x) / (ray.entry.x - ray.start.x);
        const Vec2 from = ray.start + t * (ray.entry - ray.start);
        path.emplace_back(from, ray.entry, Distance(ray.start, from) / lens.wavelength,
                          lens.wavelength);
    } else {
        path.emplace_back(ray.start, ray.entry, 0, lens.wavelength);
    }
    path.emplace_back(ray.entry, ray.glassEnd, ray.air, lens.glassWavelength);
    if (ray.fate == RayFate::Through && ray.exit && ray.inAir) {
        const double t = ToBoxEdge(*ray.exit, *ray.inAir, box);
        path.emplace_back(*ray.exit, *ray.exit + t * *ray.inAir, ray.air + *ray.glass,
                          lens.wavelength);
    }
    return path;
}

std::optional<Vec2> PointAtCount(const std::vector<PathPiece>& path, double count) {
    for (const PathPiece& piece : path) {
        if (count >= piece.count && count <= piece.EndCount() && piece.length > 0) {
            return piece.At(count);
        }
    }
    return std::nullopt;
}

double MostCount(const WaveTrace& trace) {
    const WaveViewLayout layout = LayOutWaveView(trace, 1);
    double most = 0;
    for (const TracedRay& ray : trace.rays) {
        const auto path = RayPath(ray, trace.lens, layout.box);
        most = std::max(most, path.back().EndCount());
    }
    return most;
}

} // namespace kymata::waves
