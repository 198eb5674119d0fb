#pragma once

#include "construction/controls.h"
#include "construction/probe.h"
#include "construction/scene.h"
#include "drawing/page_surface.h"
#include "drawing/surface.h"
#include "waves/wave_trace.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace kymata::sweep {

/// Checks every item a drawing hands to a surface: each coordinate and radius finite and within
/// `Bound` units of the user box. Keeps the first fault in words.
class FigureValidator {
public:
    static constexpr double Bound = 1e4;

    void Check(const UserBox& box, const LineItem& line);
    void Check(const UserBox& box, const CircleItem& circle);
    void Check(const UserBox& box, const TextItem& text);

    std::int64_t Items() const { return items_; }
    bool Failed() const { return !fault_.empty(); }
    const std::string& Fault() const { return fault_; }
    /// Records a fault found outside the items, unless one is kept already.
    void Fail(const std::string& what);
    void Reset();

private:
    bool Sound(const UserBox& box, double x, double y) {
        if (!(box == box_)) {
            Reach(box);
        }
        return std::abs(x) <= reachX_ && std::abs(y) <= reachY_; // false for NaN too
    }
    void Reach(const UserBox& box);

    UserBox box_{0, 0, 0, 0};
    double reachX_ = Bound;
    double reachY_ = Bound;
    std::int64_t items_ = 0;
    std::string fault_;
};

/// A canvas that records nothing and validates everything drawn on it.
class ValidatingSurface final : public Surface {
public:
    explicit ValidatingSurface(FigureValidator& validator) : validator_(validator) {}

protected:
    void OnScale(const UserBox&, const UserBox&) override {}
    void OnClear() override {}
    void OnLine(const LineItem& line) override { validator_.Check(Box(), line); }
    void OnCircle(const CircleItem& circle) override { validator_.Check(Box(), circle); }
    void OnText(const TextItem& text) override { validator_.Check(Box(), text); }

private:
    FigureValidator& validator_;
};

/// A printer page that records nothing and validates everything drawn on it.
class ValidatingPage final : public PageSurface {
public:
    ValidatingPage(SizeMm printableMm, FigureValidator& validator)
        : PageSurface(printableMm), validator_(validator) {}

protected:
    void OnClear() override {}
    void OnLine(const LineItem& line) override { validator_.Check(Box(), line); }
    void OnCircle(const CircleItem& circle) override { validator_.Check(Box(), circle); }
    void OnText(const TextItem& text) override { validator_.Check(Box(), text); }

private:
    FigureValidator& validator_;
};

/// Checks the physics of a drawing as it is computed:
/// - Snell's law at every refraction through the surface from outside: sin t1 = n sin t2
///   against the routine's normal, to 1e-9 relative;
/// - consecutive wave ticks of a run one `Wavelength` (air) or `LensWavelength` (glass) apart;
/// - every recorded hyperbolic exit on or just beyond x = 0, within one march step.
class PhysicsChecker final : public ConstructionProbe {
public:
    /// The scene whose wavelengths the tick spacing is checked against.
    explicit PhysicsChecker(const Scene& scene) : scene_(scene) {}

    void Refraction(double inX, double inY, double normalX, double normalY, double outX,
                    double outY, double n, bool refracted) override;
    void BeginTicks(Medium medium) override;
    void Tick(double x, double y) override;
    void Exit(double x, double y, double step) override;

    /// Checks the wave view's optics of one setting: every count finite; Snell's law
    /// n1 sin i = n2 sin t at the front (against the surface's normal) and at the back face
    /// (against the axis) to 1e-12 relative; total reflection only beyond the critical angle;
    /// rays k and -k mirror images with equal counts.
    void CheckWaves(const waves::WaveTrace& trace);

    std::int64_t Checks() const { return checks_; }
    bool Failed() const { return !fault_.empty(); }
    const std::string& Fault() const { return fault_; }
    void Reset();

private:
    void Fail(const std::string& what);

    const Scene& scene_;
    Medium medium_ = Medium::Air;
    bool havePrevious_ = false;
    double previousX_ = 0;
    double previousY_ = 0;
    std::int64_t checks_ = 0;
    std::string fault_;
};

/// One worker's drawing rig: a scene with the physics checker attached and a validating
/// canvas, on which the redraw and PRINT of a setting run as the window runs them.
class SweepRig {
public:
    SweepRig();
    SweepRig(const SweepRig&) = delete;
    SweepRig& operator=(const SweepRig&) = delete;

    /// One redraw of `controls`.
    void Draw(const Controls& controls);
    /// PRINT after it, on a validating A4 page; a job that does not end its document is a
    /// fault.
    void Print(const Controls& controls);
    /// The view of `controls`, one that traces waves, drawn on the canvas, the optics of its
    /// rays checked; a view that returns no trace is a fault.
    void DrawTraced(const Controls& controls);

    Scene scene;
    Labels labels;
    FigureValidator validator;
    PhysicsChecker physics{scene};
    ValidatingSurface canvas{validator};
};

} // namespace kymata::sweep
