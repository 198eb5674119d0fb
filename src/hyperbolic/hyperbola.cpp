#include "hyperbolic/hyperbola.h"

#include "construction/helpers.h"
#include "construction/scene.h"
#include "shell/surface.h"

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
    const std::optional<double> incidence = ArcSin(s1);
    const double t1 = incidence.value_or(0.0);
    const double t2 = ArcSin(std::sin(t1) / scene.RefractiveIndex).value_or(0.0);
    const double dt = t1 - t2;
    const double rx = dx * std::cos(dt) + dy * std::sin(dt);
    const double ry = dy * std::cos(dt) - dx * std::sin(dt);
    if (scene.probe) {
        scene.probe->Refraction(dx, dy, nx, ny, rx, ry, scene.RefractiveIndex,
                                incidence.has_value());
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

} // namespace kymata
