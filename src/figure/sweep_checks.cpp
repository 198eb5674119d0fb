#include "figure/sweep_checks.h"

#include "construction/controls.h"
#include "construction/views.h"
#include "figure/draw_construction.h"
#include "printing/print_jobs.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace kymata::sweep {

namespace {

std::string Number(double v) {
    std::ostringstream out;
    out.precision(17);
    out << v;
    return out.str();
}

} // namespace

void FigureValidator::Reach(const UserBox& box) {
    box_ = box;
    reachX_ = Bound + std::max(std::abs(box.left), std::abs(box.right));
    reachY_ = Bound + std::max(std::abs(box.top), std::abs(box.bottom));
}

void FigureValidator::Fail(const std::string& what) {
    if (fault_.empty()) {
        fault_ = "item " + std::to_string(items_) + ": " + what;
    }
}

void FigureValidator::Check(const UserBox& box, const LineItem& line) {
    ++items_;
    if (!Sound(box, line.x1, line.y1) || !Sound(box, line.x2, line.y2)) {
        Fail("line (" + Number(line.x1) + ", " + Number(line.y1) + ")-(" + Number(line.x2) + ", " +
             Number(line.y2) + ")");
    }
}

void FigureValidator::Check(const UserBox& box, const CircleItem& circle) {
    ++items_;
    const bool radius = std::isfinite(circle.r) && std::abs(circle.r) <= Bound;
    const bool angles = (!circle.start || std::isfinite(*circle.start)) &&
                        (!circle.end || std::isfinite(*circle.end));
    if (!Sound(box, circle.x, circle.y) || !radius || !angles) {
        Fail("circle (" + Number(circle.x) + ", " + Number(circle.y) + ") r " + Number(circle.r));
    }
}

void FigureValidator::Check(const UserBox& box, const TextItem& text) {
    ++items_;
    if (!Sound(box, text.x, text.y) || !std::isfinite(text.angle)) {
        Fail("text \"" + text.text + "\" at (" + Number(text.x) + ", " + Number(text.y) + ")");
    }
}

void FigureValidator::Reset() {
    items_ = 0;
    fault_.clear();
}

void PhysicsChecker::Fail(const std::string& what) {
    if (fault_.empty()) {
        fault_ = what;
    }
}

void PhysicsChecker::Refraction(double inX, double inY, double normalX, double normalY, double outX,
                                double outY, double n, bool refracted) {
    // Only a ray that runs into the glass through the surface is refracted from air to glass.
    const bool entering = inX * normalX + inY * normalY > 0;
    if (!refracted || !entering) {
        return;
    }
    ++checks_;
    const double inLength = std::sqrt(inX * inX + inY * inY);
    const double outLength = std::sqrt(outX * outX + outY * outY);
    const double sinIn = (inX * normalY - inY * normalX) / inLength;
    const double sinOut = (outX * normalY - outY * normalX) / outLength;
    if (!(std::abs(sinIn - n * sinOut) <= 1e-9 * std::abs(sinIn) + 1e-14)) {
        Fail("Snell's law: sin t1 = " + Number(sinIn) + " but n sin t2 = " + Number(n * sinOut) +
             " (n = " + Number(n) + ")");
    }
}

void PhysicsChecker::BeginTicks(Medium medium) {
    medium_ = medium;
    havePrevious_ = false;
}

void PhysicsChecker::Tick(double x, double y) {
    if (havePrevious_) {
        ++checks_;
        const double expected = medium_ == Medium::Air ? scene_.Wavelength : scene_.LensWavelength;
        const double dx = x - previousX_;
        const double dy = y - previousY_;
        const double gap = std::sqrt(dx * dx + dy * dy);
        // Single precision of the coordinates that reach the surface.
        const double scale = std::max({1.0, std::abs(x), std::abs(y)});
        if (!(std::abs(gap - expected) <= 1e-6 * scale)) {
            Fail(std::string(medium_ == Medium::Air ? "air" : "glass") + " ticks " + Number(gap) +
                 " apart, not " + Number(expected) + ", at (" + Number(x) + ", " + Number(y) + ")");
        }
    }
    havePrevious_ = true;
    previousX_ = x;
    previousY_ = y;
}

void PhysicsChecker::Exit(double x, double y, double step) {
    ++checks_;
    if (!(x >= 0 && x <= step * (1 + 1e-9))) {
        Fail("exit point (" + Number(x) + ", " + Number(y) + ") is not within one step (" +
             Number(step) + ") beyond x = 0");
    }
}

void PhysicsChecker::CheckWaves(const waves::WaveTrace& trace) {
    using waves::RayFate;
    const waves::WaveLens& lens = trace.lens;
    const double n = lens.index;
    const auto law = [&](double sinIn, double sinOut, double n1, double n2, const char* face) {
        ++checks_;
        if (!(std::abs(n1 * sinIn - n2 * sinOut) <= 1e-12 * std::max(1.0, n1 * sinIn))) {
            Fail(std::string("Snell's law at the ") + face + ": n1 sin i = " + Number(n1 * sinIn) +
                 " but n2 sin t = " + Number(n2 * sinOut));
        }
    };
    for (std::size_t i = 0; i < trace.rays.size(); ++i) {
        const waves::TracedRay& ray = trace.rays[i];
        const waves::Vec2 in =
            lens.parallelBeam ? waves::Vec2{1, 0} : waves::Unit(ray.entry - ray.start);
        const waves::Vec2 normal = waves::FrontNormal(lens, ray.entry);
        law(std::abs(Cross(in, normal)), std::abs(Cross(ray.inGlass, normal)), 1, n, "front");
        if (!std::isfinite(ray.air) || !std::isfinite(ray.glass.value_or(0)) ||
            !std::isfinite(ray.total.value_or(0))) {
            Fail("a count is not finite on ray " + std::to_string(i));
        }
        if (ray.fate == RayFate::Through) {
            law(std::abs(ray.inGlass.y), std::abs(ray.inAir->y), n, 1, "back face");
        } else if (ray.fate == RayFate::Tir && !(n * std::abs(ray.inGlass.y) > 1)) {
            Fail("total reflection within the critical angle on ray " + std::to_string(i));
        }
        const waves::TracedRay& mirror = trace.rays[trace.rays.size() - 1 - i];
        ++checks_;
        if (mirror.fate != ray.fate || mirror.height != -ray.height ||
            !(std::abs(mirror.air - ray.air) <= 1e-12 * ray.air) ||
            !(std::abs(mirror.total.value_or(0) - ray.total.value_or(0)) <=
              1e-12 * ray.total.value_or(1))) {
            Fail("rays " + std::to_string(i) + " and their mirror differ");
        }
    }
}

void PhysicsChecker::Reset() {
    havePrevious_ = false;
    checks_ = 0;
    fault_.clear();
}

SweepRig::SweepRig() {
    scene.probe = &physics;
}

void SweepRig::Draw(const Controls& controls) {
    DrawConstruction(controls, scene, labels, canvas);
}

void SweepRig::DrawTraced(const Controls& controls) {
    const std::optional<waves::WaveTrace> trace = DrawFigure(controls, scene, labels, canvas);
    if (!trace) {
        validator.Fail("the view \"" + std::string(ViewName(controls.view)) +
                       "\" drew no trace of its rays");
        return;
    }
    physics.CheckWaves(*trace);
}

void SweepRig::Print(const Controls& controls) {
    ValidatingPage page(PrintToPrintableMm(), validator);
    PrintConstruction(controls, scene, labels, canvas, page);
    if (!page.Ended()) {
        validator.Fail("the print job did not end its document");
    }
}

} // namespace kymata::sweep
