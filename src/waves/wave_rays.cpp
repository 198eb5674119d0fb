#include "waves/wave_rays.h"

#include "construction/controls.h"
#include "waves/wave_overlays.h"
#include "waves/wave_style.h"

#include <algorithm>
#include <cmath>

namespace kymata::waves {

namespace {

/// Whether p lies within `tolerance` of the line through a and b (squared, free of roots:
/// |(b - a) × (p - a)| / |b - a| <= tolerance).
bool NearLine(Vec2 p, Vec2 a, Vec2 b, double tolerance) {
    const Vec2 d = b - a;
    const double cross = Cross(d, p - a);
    const double squaredLength = Dot(d, d);
    const double squaredTolerance = tolerance * tolerance;
    return squaredLength > 0 ? cross * cross <= squaredTolerance * squaredLength
                             : Dot(p - a, p - a) <= squaredTolerance;
}

/// Draws the polyline through `points` with as few vertices as keep every point within
/// `tolerance` of it: the wavefronts are smooth, and their points on neighbouring rays often
/// lie on one line (the plane fronts of the hyperbola) or nearly so (the small arcs about a far
/// source), far below what a pixel shows even when the canvas is zoomed.
void DrawPolyline(const std::vector<Vec2>& points, double tolerance, Surface& s) {
    if (points.size() < 2) {
        return;
    }
    std::vector<float> kept{static_cast<float>(points[0].x), static_cast<float>(points[0].y)};
    std::size_t anchor = 0;
    while (anchor + 1 < points.size()) {
        std::size_t end = anchor + 1;
        while (end + 1 < points.size()) {
            bool straight = true;
            for (std::size_t i = anchor + 1; i <= end && straight; ++i) {
                straight = NearLine(points[i], points[anchor], points[end + 1], tolerance);
            }
            if (!straight) {
                break;
            }
            ++end;
        }
        kept.push_back(static_cast<float>(points[end].x));
        kept.push_back(static_cast<float>(points[end].y));
        anchor = end;
    }
    s.Polyline(std::move(kept), Wavefront);
}

} // namespace

CrestOptions CrestsOf(const Controls& controls) {
    return {controls.phase.value_or(0), controls.flash};
}

void DrawRays(const WaveTrace& trace, const std::vector<std::vector<PathPiece>>& paths,
              Surface& s) {
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const TracedRay& ray = trace.rays[i];
        const bool lost = ray.fate != RayFate::Through;
        for (std::size_t p = 0; p < paths[i].size(); ++p) {
            const PathPiece& piece = paths[i][p];
            s.DrawWidth = 1;
            s.DrawStyle = lost ? LineStyle::Dotted : LineStyle::Solid;
            Rgb colour = lost ? LostRay : RayColour;
            // After the lens a ray shows how far out of step its wave arrives at F.
            if (p == 2 && ray.opd) {
                const PhaseStyle style = StyleOf(ClassifyPhase(*ray.opd));
                s.DrawWidth = style.width;
                s.DrawStyle = style.style;
                colour = style.colour;
            }
            Segment(s, piece.from, piece.to, colour);
        }
    }
    s.DrawWidth = 1;
    s.DrawStyle = LineStyle::Solid;
}

void DrawWavefronts(const std::vector<std::vector<PathPiece>>& paths, double tolerance,
                    const CrestOptions& crests, Surface& s) {
    double most = 0;
    for (const auto& path : paths) {
        if (!path.empty()) {
            most = std::max(most, path.back().EndCount());
        }
    }
    // The counts grow along each path, so each ray keeps the piece it has reached.
    std::vector<std::size_t> reached(paths.size(), 0);
    std::vector<double> counts;
    if (crests.flash) {
        counts.push_back(*crests.flash);
    } else {
        for (int m = crests.phase > 0 ? 0 : 1; m + crests.phase <= most; ++m) {
            counts.push_back(m + crests.phase);
        }
    }
    std::vector<Vec2> run;
    for (const double count : counts) {
        const auto m = static_cast<long>(std::floor(count));
        s.DrawWidth = crests.flash ? 3 : (m % 5 == 0 ? 2 : 1);
        // The front joins the rays that reach this count, run by run of neighbours.
        run.clear();
        for (std::size_t k = 0; k < paths.size(); ++k) {
            const auto& path = paths[k];
            std::size_t& piece = reached[k];
            while (piece < path.size() && path[piece].EndCount() < count) {
                ++piece;
            }
            if (piece < path.size() && path[piece].count <= count) {
                run.push_back(path[piece].At(count));
            } else {
                DrawPolyline(run, tolerance, s);
                run.clear();
            }
        }
        DrawPolyline(run, tolerance, s);
    }
    s.DrawWidth = 1;
}

} // namespace kymata::waves
