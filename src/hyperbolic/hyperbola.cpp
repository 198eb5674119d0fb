#include "hyperbolic/hyperbola.h"

#include "construction/helpers.h"
#include "construction/scene.h"
#include "drawing/surface.h"

#include <cmath>

namespace kymata {

namespace {

constexpr Rgb NormalGreen{0, 255, 0};
constexpr int MaxMarchSteps = 2000;

} // namespace

std::optional<double> RoundedRoot(double radicand) {
    if (radicand >= 0) {
        return std::sqrt(radicand);
    }
    if (radicand >= -1e-9) {
        return 0.0;
    }
    return std::nullopt;
}

std::optional<double> HyperbolaRoot(double m, double d, double a, double b) {
    const double A = 1 / (a * a) - m * m / (b * b);
    const double B = m * m * d / (b * b);
    const double radicand = A + d * B;
    if (!(A > 0) || !(radicand >= 0)) {
        return std::nullopt;
    }
    return (B + std::sqrt(radicand)) / A;
}

void RefractAtHyperbola(double x, double y, double a, double b, Scene& scene, Surface& canvas) {
    const double dx = x - scene.SourceX;
    const double dy = y;

    // Unit normal into the glass, from the slope of the tangent.
    double nx = 1;
    double ny = 0;
    if (y != 0) {
        const double tangent = (x + 2 * a) * (b / a) * (b / a) / y;
        if (tangent == 0) {
            nx = 0;
            ny = 1;
        } else {
            const double k = -1 / tangent;
            nx = 1 / std::sqrt(k * k + 1);
            ny = nx * k;
        }
    }
    canvas.Line(x - 15 * nx, y - 15 * ny, x + 15 * nx, y + 15 * ny, NormalGreen);

    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0) {
        return;
    }
    const double s1 = -Det2(dx, dy, nx, ny) / (1 * length);
    const Refracted r = TurnBySnell(dx, dy, s1, scene.RefractiveIndex);
    const double rx = r.x;
    const double ry = r.y;
    if (scene.probe) {
        scene.probe->Refraction(dx, dy, nx, ny, rx, ry, scene.RefractiveIndex, r.refracted);
    }

    double px = x;
    double py = y;
    int steps = 0;
    while (px < 0) {
        px = px + 0.001 * rx;
        py = py + 0.001 * ry;
        ++steps;
        if (steps > MaxMarchSteps) {
            return;
        }
    }
    if (steps == 0 || (std::abs(px) < 0.01 && std::abs(py) < 0.01)) {
        return;
    }
    HyperbolaTables& t = scene.hyperbola;
    if (t.HyperbolaRayCount >= HyperbolaTables::Capacity) {
        return;
    }
    t.HyperbolaState = t.HyperbolaState + 1;
    t.HyperbolaRayCount = t.HyperbolaRayCount + 1;
    t.RayExitX[t.HyperbolaRayCount] = static_cast<float>(px);
    t.RayExitY[t.HyperbolaRayCount] = static_cast<float>(py);
    if (scene.probe) {
        scene.probe->Exit(px, py, 0.001 * length);
    }
    canvas.DrawWidth = 1;
}

std::vector<double> HyperbolicFanAngles() {
    const double v = std::atan(0.5) / 4;
    std::vector<double> angles;
    for (double p = -0.25 * v; p <= 0.3 * v; p += v / 100) {
        angles.push_back(p);
    }
    return angles;
}

void TraceFan(Scene& scene, double a, double b, Surface& canvas,
              const std::function<void()>& outlines,
              const std::function<void(double x, double y)>& recorded) {
    const double limit = scene.Pi / 2 - std::abs(std::atan(a / scene.SourceX));
    bool outlinesDrawn = false;
    for (const double angle : HyperbolicFanAngles()) {
        if (std::abs(angle) > limit) {
            continue;
        }
        if (!outlinesDrawn) {
            outlines();
            outlinesDrawn = true;
        }
        const double m = std::tan(angle);
        const auto X = HyperbolaRoot(m, scene.SourceX - 2 * a, a, b);
        const auto root = X ? RoundedRoot(*X * *X / (a * a) - 1) : std::nullopt;
        if (!root) {
            continue; // the ray does not meet the front surface
        }
        const double x = *X - 2 * a;
        const double y = m > 0 ? b * *root : -b * *root;
        if (x <= scene.SourceX) {
            continue; // a ray runs from the source towards the lens
        }
        RefractAtHyperbola(x, y, a, b, scene, canvas);
        if (scene.hyperbola.HyperbolaState != 0) {
            recorded(x, y);
        }
        scene.hyperbola.HyperbolaState = 0;
    }
}

} // namespace kymata
