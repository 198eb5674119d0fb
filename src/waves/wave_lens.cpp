#include "waves/wave_lens.h"

#include "construction/controls.h"
#include "construction/scene.h"
#include "construction/scene_parameters.h"
#include "hyperbolic/hyperbolic_construction.h"
#include "waves/perfect_surface.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kymata::waves {

WaveLens DescribeWaveLens(const Controls& controls) {
    Scene scene;
    ReadScene(controls, scene);
    WaveLens lens;
    lens.index = scene.RefractiveIndex;
    lens.wavelength = scene.Wavelength;
    lens.glassWavelength = scene.LensWavelength;
    lens.parallelBeam = controls.f_apeiro;
    if (controls.YPERVOLIKO) {
        const double a = 6 * scene.LensWavelength;
        const double sourceX = controls.initial_POINT * scene.Wavelength - a;
        const HyperbolicGeometry h = DeriveHyperbolicGeometry(controls, scene, sourceX);
        lens.shape = LensShape::Hyperbola;
        lens.a = h.a;
        lens.b = h.b;
        lens.frontVertexX = -h.a;
        lens.backX = h.xB;
        const double across = (h.xB + 2 * h.a) / h.a;
        lens.rim = h.b * std::sqrt(std::max(0.0, across * across - 1));
        lens.sourceX = sourceX;
        lens.focusX = h.xF;
        return lens;
    }
    const SphericalGeometry g = DeriveSphericalGeometry(controls, scene);
    if (controls.perfectLens) {
        lens.shape = LensShape::Perfect;
        lens.frontVertexX = g.FrontVertexX;
        lens.backX = g.BackVertexX;
        lens.sourceX = scene.SourceX;
        lens.focusX = g.FocusX;
        if (lens.sourceX < lens.frontVertexX) {
            if (const std::optional<PerfectShape> shape = FindPerfectSurface(lens)) {
                lens.rim = shape->rim;
                lens.perfectAperture = shape->aperture;
                lens.surface = shape->points;
            }
        }
        return lens;
    }
    lens.shape = LensShape::Sphere;
    lens.centreX = g.SurfaceCentreX;
    lens.radius = scene.FrontRadius;
    lens.frontVertexX = g.FrontVertexX;
    lens.backX = g.BackVertexX;
    const double behind = g.SurfaceCentreX - g.BackVertexX;
    lens.rim = g.BackVertexX >= g.SurfaceCentreX
                   ? lens.radius
                   : std::sqrt(std::max(0.0, lens.radius * lens.radius - behind * behind));
    lens.sourceX = scene.SourceX;
    lens.focusX = g.FocusX;
    return lens;
}

bool SourceInGlass(const WaveLens& lens) {
    return !(lens.sourceX < lens.frontVertexX);
}

double FrontX(const WaveLens& lens, double y) {
    if (lens.shape == LensShape::Perfect) {
        // Started from the samples' x at that height.
        const auto& s = lens.surface;
        double guess = lens.frontVertexX;
        for (std::size_t i = 1; i < s.size(); ++i) {
            if (y >= s[i - 1].y && y <= s[i].y && s[i].y > s[i - 1].y) {
                guess =
                    s[i - 1].x + (y - s[i - 1].y) / (s[i].y - s[i - 1].y) * (s[i].x - s[i - 1].x);
                break;
            }
        }
        return PerfectSurfaceX(lens, y, guess).value_or(guess);
    }
    if (lens.shape == LensShape::Sphere) {
        return lens.centreX - std::sqrt(std::max(0.0, lens.radius * lens.radius - y * y));
    }
    const double q = y / lens.b;
    return -2 * lens.a + lens.a * std::sqrt(1 + q * q);
}

Vec2 FrontNormal(const WaveLens& lens, Vec2 p) {
    if (lens.shape == LensShape::Perfect) {
        return PerfectSurfaceNormal(lens, p);
    }
    if (lens.shape == LensShape::Sphere) {
        return Unit(Vec2{lens.centreX, 0} - p);
    }
    return Unit({2 * (p.x + 2 * lens.a) / (lens.a * lens.a), -2 * p.y / (lens.b * lens.b)});
}

double ApertureHeight(const WaveLens& lens) {
    if (lens.shape == LensShape::Perfect) {
        return std::min(lens.rim, lens.perfectAperture);
    }
    if (lens.parallelBeam) {
        return lens.rim;
    }
    double seen = lens.rim;
    if (lens.shape == LensShape::Sphere) {
        const double d = lens.centreX - lens.sourceX;
        if (d > lens.radius) {
            const double q = lens.radius / d;
            seen = lens.radius * std::sqrt(1 - q * q);
        }
    } else {
        const double s = lens.sourceX + 2 * lens.a;
        if (s > 0 && s < lens.a) {
            const double q = lens.a / s;
            seen = lens.b * std::sqrt(q * q - 1);
        }
    }
    return std::min(lens.rim, seen);
}

std::optional<double> FrontFocalDistance(const WaveLens& lens) {
    switch (lens.shape) {
    case LensShape::Sphere:
        return lens.radius / (lens.index - 1);
    case LensShape::Hyperbola:
        return lens.b * lens.b / lens.a / (lens.index - 1);
    case LensShape::Perfect:
        return std::nullopt;
    }
    return std::nullopt;
}

namespace {

/// The parameter t > 0 at which p + t d meets the front surface a second time (t = 0 being p
/// itself), on the part that bounds the glass; infinity where it does not.
double FrontAgain(const WaveLens& lens, Vec2 p, Vec2 d, double tiny) {
    double t = std::numeric_limits<double>::infinity();
    if (lens.shape == LensShape::Perfect) {
        // Refracted by the surface towards its own exit point on the back plane, a ray inside
        // the aperture meets the surface no more.
        return t;
    }
    if (lens.shape == LensShape::Sphere) {
        // |p + t d - C|² = R² with |p - C| = R: t = -2 d·(p - C).
        const double root = -2 * Dot(d, p - Vec2{lens.centreX, 0});
        if (root > tiny && p.x + root * d.x <= lens.centreX) {
            t = root;
        }
    } else {
        // ((X + t dx) / a)² - ((y + t dy) / b)² = 1 with X = x + 2a on the branch.
        const double a2 = lens.a * lens.a;
        const double b2 = lens.b * lens.b;
        const double X = p.x + 2 * lens.a;
        const double quadratic = d.x * d.x / a2 - d.y * d.y / b2;
        const double linear = X * d.x / a2 - p.y * d.y / b2;
        if (quadratic != 0) {
            const double root = -2 * linear / quadratic;
            if (root > tiny && X + root * d.x > 0) {
                t = root;
            }
        }
    }
    return t;
}

} // namespace

GlassExit LeaveGlass(const WaveLens& lens, Vec2 p, Vec2 d) {
    constexpr double Infinity = std::numeric_limits<double>::infinity();
    const double tiny = 1e-9 * std::max(1.0, std::abs(lens.backX - lens.frontVertexX));
    const double back = d.x > 0 ? (lens.backX - p.x) / d.x : Infinity;
    const double rim = d.y != 0 ? (std::copysign(lens.rim, d.y) - p.y) / d.y : Infinity;
    const double front = FrontAgain(lens, p, d, tiny);
    const double side = std::min(rim > tiny ? rim : Infinity, front);
    if (back <= side) {
        return {{lens.backX, p.y + back * d.y}, true};
    }
    return {p + side * d, false};
}

} // namespace kymata::waves
