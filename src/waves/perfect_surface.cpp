#include "waves/perfect_surface.h"
#include "waves/portable_math.h"

#include "waves/wave_lens.h"

#include <algorithm>
#include <cmath>

namespace kymata::waves {

namespace {

constexpr int HalfSamples = 48;

/// How far inside the rim, as a part of it, the aperture's last test of the tangent lies: on
/// the rim the glass path is zero and the surface's slope is not defined by the counts.
constexpr double RimMargin = 1e-7;

/// G(x, y) = A + Q - W_0 at P = (x, y), and its slope along x: dA/dx - n dx1 / (λ r1), the
/// slope of Q at its least point (where the slope along t vanishes).
struct Excess {
    double value;
    double slope;
};

Excess ExcessAt(const WaveLens& lens, double x, double y, double axial) {
    const Vec2 p{x, y};
    const auto through = PerfectCounts::ToFocus(lens, p);
    double fromSourceSlope = 1 / lens.wavelength;
    if (!lens.parallelBeam) {
        const double r = PortableHypot(x - lens.sourceX, y);
        fromSourceSlope = r > 0 ? (x - lens.sourceX) / (r * lens.wavelength) : 0;
    }
    const double dx1 = lens.backX - x;
    const double r1 = PortableHypot(dx1, through.exitY - y);
    const double glassSlope = r1 > 0 ? -dx1 / (r1 * lens.glassWavelength) : 0;
    return {PerfectCounts::FromSource(lens, p) + through.count - axial,
            fromSourceSlope + glassSlope};
}

/// ∇G at P = (x, y): G = A + Q - W_0 as `PerfectSurfaceNormal` says.
Vec2 ExcessGradient(const WaveLens& lens, Vec2 p) {
    const auto through = PerfectCounts::ToFocus(lens, p);
    Vec2 fromSource{1 / lens.wavelength, 0};
    if (!lens.parallelBeam) {
        const double r = PortableHypot(p.x - lens.sourceX, p.y);
        fromSource =
            r > 0 ? Vec2{(p.x - lens.sourceX) / (r * lens.wavelength), p.y / (r * lens.wavelength)}
                  : Vec2{0, 0};
    }
    const double dx1 = lens.backX - p.x;
    const double r1 = PortableHypot(dx1, through.exitY - p.y);
    const Vec2 glass = r1 > 0 ? Vec2{-dx1 / (r1 * lens.glassWavelength),
                                     (p.y - through.exitY) / (r1 * lens.glassWavelength)}
                              : Vec2{0, 0};
    return fromSource + glass;
}

/// The tangent condition at height y of the perfect surface: (P - S) × (dx/dy, 1), with
/// dx/dy = -G_y / G_x; zero where the line from the source touches the surface.
double TangentResidual(const WaveLens& lens, double y, double x) {
    const Vec2 g = ExcessGradient(lens, {x, y});
    const double slope = g.x != 0 ? -g.y / g.x : 0;
    return (x - lens.sourceX) - y * slope;
}

} // namespace

Vec2 PerfectSurfaceNormal(const WaveLens& lens, Vec2 p) {
    const Vec2 g = ExcessGradient(lens, p);
    return Unit(Vec2{-g.x, -g.y});
}

double PerfectCounts::FromSource(const WaveLens& lens, Vec2 p) {
    if (lens.parallelBeam) {
        return (p.x - lens.sourceX) / lens.wavelength;
    }
    return PortableHypot(p.x - lens.sourceX, p.y) / lens.wavelength;
}

PerfectCounts::ThroughPlane PerfectCounts::ToFocus(const WaveLens& lens, Vec2 p) {
    // g(t) = n r1 + r2 with r1 = |P (B, t)|, r2 = |(B, t) F|; g is convex in t and its least
    // point lies between 0 and y, where g'(t) = n (t - y) / r1 + t / r2 changes sign.
    const double n = lens.index;
    const double dx1 = std::max(0.0, lens.backX - p.x);
    const double dx2 = lens.focusX - lens.backX;
    const auto slope = [&](double t) {
        const double r1 = PortableHypot(dx1, t - p.y);
        const double r2 = PortableHypot(dx2, t);
        return std::pair{(r1 > 0 ? n * (t - p.y) / r1 : 0.0) + (r2 > 0 ? t / r2 : 0.0),
                         (r1 > 0 ? n * dx1 * dx1 / (r1 * r1 * r1) : 0.0) +
                             (r2 > 0 ? dx2 * dx2 / (r2 * r2 * r2) : 0.0)};
    };
    double lo = std::min(0.0, p.y);
    double hi = std::max(0.0, p.y);
    double t = p.y * dx2 / (dx2 + n * dx1 + 1e-300);
    for (int i = 0; i < 100 && hi - lo > 1e-15 * (1 + std::abs(p.y)); ++i) {
        const auto [g1, g2] = slope(t);
        if (g1 == 0) {
            break;
        }
        (g1 > 0 ? hi : lo) = t;
        const double newton = g2 > 0 ? t - g1 / g2 : lo - 1;
        t = newton > lo && newton < hi ? newton : (lo + hi) / 2;
    }
    const double count =
        (n * PortableHypot(dx1, t - p.y) + PortableHypot(dx2, t)) / lens.wavelength;
    return {count, t};
}

double PerfectCounts::Axial(const WaveLens& lens) {
    return FromSource(lens, {lens.frontVertexX, 0}) +
           (lens.backX - lens.frontVertexX) / lens.glassWavelength +
           (lens.focusX - lens.backX) / lens.wavelength;
}

std::optional<double> PerfectSurfaceX(const WaveLens& lens, double y, double guess) {
    const double axial = PerfectCounts::Axial(lens);
    double lo = lens.sourceX;
    double hi = lens.backX;
    if (!(ExcessAt(lens, lo, y, axial).value > 0) || !(ExcessAt(lens, hi, y, axial).value < 0)) {
        return std::nullopt;
    }
    // Newton's method inside a bracket that always holds the sign change.
    double x = std::clamp(guess, lo, hi);
    const double precision = 1e-14 * (std::abs(lens.sourceX) + std::abs(lens.backX) + 1);
    for (int i = 0; i < 200 && hi - lo > precision; ++i) {
        const Excess e = ExcessAt(lens, x, y, axial);
        if (e.value == 0) {
            return x;
        }
        (e.value > 0 ? lo : hi) = x;
        const double newton = e.slope != 0 ? x - e.value / e.slope : lo - 1;
        const double next = newton > lo && newton < hi ? newton : (lo + hi) / 2;
        if (std::abs(next - x) <= precision) {
            return next;
        }
        x = next;
    }
    return x;
}

std::optional<PerfectShape> FindPerfectSurface(const WaveLens& lens) {
    const double axial = PerfectCounts::Axial(lens);
    // The rim: where G(B, y) = A + Q - W_0 turns from negative (on the axis the glass path is
    // longer than the air path it replaces) to zero, searched outward, then halved down.
    const double span = lens.focusX - std::min(lens.sourceX, lens.frontVertexX);
    const double step = span / 400;
    double inside = 0;
    double outside = 0;
    for (double y = step; y <= 4 * span; y += step) {
        if (ExcessAt(lens, lens.backX, y, axial).value >= 0) {
            outside = y;
            break;
        }
        inside = y;
    }
    if (outside == 0) {
        return std::nullopt;
    }
    for (int i = 0; i < 200 && outside - inside > 1e-13 * span; ++i) {
        const double middle = (inside + outside) / 2;
        (ExcessAt(lens, lens.backX, middle, axial).value < 0 ? inside : outside) = middle;
    }
    PerfectShape shape;
    shape.rim = inside;

    // The surface from the vertex outward, each height started from the last.
    std::vector<Vec2> upper{{lens.frontVertexX, 0}};
    double x = lens.frontVertexX;
    for (int i = 1; i < HalfSamples; ++i) {
        const double y = shape.rim * i / HalfSamples;
        const std::optional<double> found = PerfectSurfaceX(lens, y, x);
        if (!found) {
            return std::nullopt;
        }
        x = *found;
        upper.push_back({x, y});
    }
    upper.push_back({lens.backX, shape.rim});
    for (int i = HalfSamples; i > 0; --i) {
        shape.points.push_back({upper[i].x, -upper[i].y});
    }
    shape.points.insert(shape.points.end(), upper.begin(), upper.end());

    // The aperture: up to where the line from the source touches the surface. The tangent
    // residual is positive below the tangent point (the surface still turns away from the
    // source) and negative beyond it. It is tested at every sample and last just inside the
    // rim (on the back plane itself the glass path vanishes and the residual says nothing), so
    // that a tangent point between the last sample and the rim is found too; bisection between
    // the last height with a positive residual and the first without finds it. No change of
    // sign up to the rim: the source sees the whole surface.
    shape.aperture = shape.rim;
    if (!lens.parallelBeam) {
        std::vector<Vec2> tested(upper.begin(), upper.end() - 1);
        const double top = shape.rim * (1 - RimMargin);
        if (const std::optional<double> topX = PerfectSurfaceX(lens, top, upper.back().x)) {
            tested.push_back({*topX, top});
        }
        for (std::size_t i = 1; i < tested.size(); ++i) {
            if (TangentResidual(lens, tested[i].y, tested[i].x) > 0) {
                continue;
            }
            double lo = tested[i - 1].y;
            double hi = tested[i].y;
            x = tested[i - 1].x;
            for (int k = 0; k < 200 && hi - lo > 1e-13 * shape.rim; ++k) {
                const double middle = (lo + hi) / 2;
                x = PerfectSurfaceX(lens, middle, x).value_or(lens.backX);
                (TangentResidual(lens, middle, x) > 0 ? lo : hi) = middle;
            }
            shape.aperture = (lo + hi) / 2;
            break;
        }
    }
    if (!(shape.aperture > 0)) {
        return std::nullopt;
    }
    return shape;
}

} // namespace kymata::waves
