#include "waves/optics.h"

namespace kymata::waves {

std::optional<Vec2> Refract(Vec2 d, Vec2 normal, double n1, double n2) {
    const double r = n1 / n2;
    const double cosI = Dot(d, normal);
    const double cosT2 = 1 - r * r * (1 - cosI * cosI);
    if (cosT2 < 0) {
        return std::nullopt;
    }
    return Unit(r * d + (std::sqrt(cosT2) - r * cosI) * normal);
}

} // namespace kymata::waves
