#pragma once

#include <array>

namespace kymata {

/// The ray tables of the hyperbolic lens, part of the scene state and shared by its screen and
/// printed drawings for the program's life: each drawing resets the counters and
/// `RefractAtHyperbola` records into them.
struct HyperbolaTables {
    static constexpr int Capacity = 200;

    /// Rays recorded since it was last set to 0: 1 right after a recorded ray, 0 otherwise.
    int HyperbolaState = 0;
    /// Rays recorded in the current drawing; the index of the newest record.
    int HyperbolaRayCount = 0;
    /// Exit point of record k (1..200) on the back face x = 0; index 0 is never written.
    std::array<float, Capacity + 1> RayExitX{};
    std::array<float, Capacity + 1> RayExitY{};
};

} // namespace kymata
