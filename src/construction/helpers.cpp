#include "construction/helpers.h"

#include <cmath>
#include <numbers>

namespace kymata {

double Det2(double a, double b, double c, double d) {
    return a * d - b * c;
}

std::optional<double> ArcSin(double x) {
    if (!(x < 1)) {
        return std::nullopt;
    }
    if (x == -1) {
        return -std::numbers::pi / 2;
    }
    if (x < -1) {
        return std::nullopt;
    }
    return std::atan(x / std::sqrt(1 - x * x));
}

std::optional<double> SafeArcSin(double x, Scene& scene) {
    if (x > 1) {
        return std::nullopt;
    }
    scene.Pi = std::atan(1.0) * 4;
    if (x == 1) {
        return scene.Pi / 2;
    }
    if (x == -1) {
        return -scene.Pi / 2;
    }
    if (std::abs(x) < 1) {
        return std::atan(x / std::sqrt(-x * x + 1));
    }
    return std::nullopt;
}

double Distance(double x1, double y1, double x2, double y2) {
    return std::sqrt(std::pow(x1 - x2, 2) + std::pow(y1 - y2, 2));
}

Refracted TurnBySnell(double ax, double ay, double s1, double n) {
    const std::optional<double> incidence = ArcSin(s1);
    const double t1 = incidence.value_or(0.0);
    const double t2 = ArcSin(std::sin(t1) / n).value_or(0.0);
    const double dt = t1 - t2;
    return {ax * std::cos(dt) + ay * std::sin(dt), ay * std::cos(dt) - ax * std::sin(dt),
            incidence.has_value()};
}

RayDirection RefractAtSphere(double x, double y, const Scene& scene) {
    const double ax = x - scene.SourceX;
    const double ay = y;
    const double d1 = std::sqrt(ax * ax + ay * ay);
    const double d2 = std::sqrt(x * x + y * y);
    if (d1 * d2 == 0) {
        return {static_cast<float>(ax), static_cast<float>(ay)};
    }
    const double s1 = Det2(ax, ay, x, y) / (d1 * d2);
    const Refracted d = TurnBySnell(ax, ay, s1, scene.RefractiveIndex);
    if (scene.probe) {
        scene.probe->Refraction(ax, ay, -x / d2, -y / d2, d.x, d.y, scene.RefractiveIndex,
                                d.refracted);
    }
    return {static_cast<float>(d.x), static_cast<float>(d.y)};
}

} // namespace kymata
