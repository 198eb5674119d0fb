#pragma once

namespace kymata {

/// Watches the physics of a drawing while it is computed: every refraction, every run of wave
/// ticks along a ray, and every recorded exit of a hyperbolic ray. A drawing reports to the
/// probe attached to its scene, if any; the sweep tool checks the laws on what it hears.
class ConstructionProbe {
public:
    enum class Medium { Air, Glass };

    virtual ~ConstructionProbe() = default;

    /// A refraction from air into glass of index n: the incoming vector, the unit normal into
    /// the glass that the routine uses, and the outgoing vector in double precision.
    /// `refracted` is false when the routine let the ray pass unturned (a grazing ray).
    virtual void Refraction(double inX, double inY, double normalX, double normalY, double outX,
                            double outY, double n, bool refracted) = 0;
    /// A new run of wave ticks along one ray, one wavelength of `medium` apart.
    virtual void BeginTicks(Medium medium) = 0;
    /// The next tick of the current run, at its point on the ray.
    virtual void Tick(double x, double y) = 0;
    /// A recorded exit on the back face x = 0, with the length of one march step.
    virtual void Exit(double x, double y, double step) = 0;
};

} // namespace kymata
