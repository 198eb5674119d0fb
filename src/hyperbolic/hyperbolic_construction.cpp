#include "hyperbolic/hyperbolic_construction.h"
#include "construction/controls.h"
#include "hyperbolic/hyperbolic_marks.h"
#include "texts/catalogue.h"

#include "construction/helpers.h"
#include "construction/number_format.h"
#include "drawing/vec2.h"
#include "hyperbolic/hyperbola.h"
#include "hyperbolic/hyperbola_outline.h"

#include <cmath>
#include <optional>

namespace kymata {

using namespace hyperbolic_marks;

namespace {

constexpr Rgb Red{255, 0, 0};
constexpr Rgb Blue{0, 0, 255};
constexpr Rgb Magenta{255, 5, 250};

/// The vertical segment from (x, y1) to (x, y2).
void Tick(Surface& canvas, double x, double y1, double y2,
          std::optional<Rgb> color = std::nullopt) {
    canvas.Line(x, y1, x, y2, color);
}

/// The unit vector of slope `slope` with a positive x component.
Vec2 UnitOfSlope(double slope) {
    const double norm = std::sqrt(slope * slope + 1);
    return {1 / norm, slope / norm};
}

/// The unit vector across the unit vector `u`; (0, 1) across a horizontal one.
Vec2 Across(Vec2 u) {
    if (u.y == 0) {
        return {0, 1};
    }
    if (u.x == 0) {
        return {1, 0};
    }
    return UnitOfSlope(-1 / (u.y / u.x));
}

void DrawFrameAndMarks(Surface& canvas, const HyperbolicGeometry& h) {
    canvas.Line(-100, 0, 100, 0);
    canvas.Line(0, -100, 0, 100);
    canvas.DrawWidth = 1;
    canvas.Circle(-h.a, 0, 2);
    canvas.DrawWidth = 1;
}

void DrawFocusAndBackMarks(Surface& canvas, const HyperbolicGeometry& h) {
    Tick(canvas, h.xF, FocusTickBottom, FocusTickTop);
    Tick(canvas, h.xF, -AxisTick, AxisTick);
    canvas.Line(h.xF - AxisTick, 0, h.xF + AxisTick, 0);
    canvas.Circle(h.xF, 0, 2);
    Tick(canvas, h.xB, -AxisTick, AxisTick);
    Tick(canvas, h.xB, BackTickFar, BackTickNear);
    Tick(canvas, h.xB, -BackTickFar, -BackTickNear);
}

std::string HyperbolicSourceCaption(const Controls& controls, const HyperbolicGeometry& h) {
    return Text("hyperbolic.readout.source", TextLanguage(controls),
                {Format(double(controls.initial_POINT), 0), Format(h.XA, 1)});
}

std::string HyperbolicThicknessCaption(const Controls& controls) {
    return Text("hyperbolic.readout.thickness", TextLanguage(controls),
                {PlainNumber(controls.pachos)});
}

/// Stage 2: the whole wavelengths on the axis from the source to the vertex, inside the lens and
/// behind it, with the read-outs written between them.
void DrawAxisTicks(Surface& canvas, const Controls& controls, const Scene& scene,
                   const HyperbolicGeometry& h, Labels& labels) {
    const double w = scene.Wavelength;
    const double lw = scene.LensWavelength;
    for (int k = 1; k <= h.N1; ++k) {
        Tick(canvas, scene.SourceX + k * w, -3, 3);
    }
    canvas.Circle(h.xF, 0, 1);
    labels.Label4 = HyperbolicThicknessCaption(controls);
    labels.Label1 = HyperbolicSourceCaption(controls, h);
    const double m0 = Int((h.AB - h.s0) / lw);
    for (int k = 0; k <= m0; ++k) {
        Tick(canvas, h.s0 - h.a + k * lw, -3, 3);
    }
    canvas.Line(-150, 0, 150, 0);
    canvas.Circle(h.xB, 0, 3);
    const double r0 = (lw * m0 + h.s0 - h.AB) / lw;
    const double x0 = w * (1 - r0) + h.xB;
    const double behind = 5 * Int(h.xF / w);
    for (int k = 0; k <= behind; ++k) {
        Tick(canvas, x0 + k * w, 3, -3);
    }
}

/// Stage 4, steps 2 to 4: the left branch of the front hyperbola (upper half red), the second
/// hyperbola centred at (AB, 0) with its foci, and the far focus of the front hyperbola. These
/// outlines are the same for every ray of the fan and are drawn once.
void DrawFanOutlines(Surface& canvas, const HyperbolicGeometry& h) {
    canvas.DrawStyle = LineStyle::Dotted;
    DrawLeftOpeningBranch(canvas, h.a, h.b, -2 * h.a, -3 * h.a, -9 * h.a, Red);
    canvas.Circle(h.AB - h.c, 0, 1, Red);
    canvas.Circle(h.AB + h.c, 0, 1, Red);
    DrawLeftOpeningBranch(canvas, h.a, h.b, h.AB, h.xB, h.xB - 6 * h.a, std::nullopt);
    canvas.DrawStyle = LineStyle::Solid;
    canvas.Circle(-2 * h.a - h.c, 0, 1, Red);
}

/// Stage 4, step 6: a recorded ray's wave ticks in air, its path and glass ticks inside the lens
/// towards the recorded exit point, and the incoming ray.
void DrawRecordedRay(Surface& canvas, const Controls& controls, const Scene& scene, Vec2 s) {
    const double w = scene.Wavelength;
    const double lw = scene.LensWavelength;
    const double d = Distance(scene.SourceX, 0, s.x, s.y);
    const double n = Int(d / w);
    const double f = d / w - n;
    const double s1 = (1 - f) * w / scene.RefractiveIndex;

    ConstructionProbe* probe = scene.probe;
    if (n != 0) {
        const Vec2 u = UnitOfSlope(s.y / (s.x - scene.SourceX));
        const Vec2 v = Across(u);
        if (probe) {
            probe->BeginTicks(ConstructionProbe::Medium::Air);
        }
        for (int j = 1; j <= n; ++j) {
            const Vec2 at{scene.SourceX + w * j * u.x, w * j * u.y};
            if (probe) {
                probe->Tick(at.x, at.y);
            }
            canvas.Line(at.x - 3 * v.x, at.y - 3 * v.y, at.x + 3 * v.x, at.y + 3 * v.y);
        }
    }

    const HyperbolaTables& t = scene.hyperbola;
    const double ex = t.RayExitX[t.HyperbolaRayCount] - s.x;
    const double ey = t.RayExitY[t.HyperbolaRayCount] - s.y;
    const Vec2 wdir = ex == 0 ? Vec2{0, 1} : UnitOfSlope(ey / ex);
    const Vec2 across = Across(wdir);
    const double reach = 3 * controls.pachos;
    canvas.Line(s.x, s.y, s.x + reach * wdir.x, s.y + reach * wdir.y, Blue);
    const Vec2 first{s.x + s1 * wdir.x, s.y + s1 * wdir.y};
    const double m = Int((controls.pachos - s1) / lw);
    if (probe) {
        probe->BeginTicks(ConstructionProbe::Medium::Glass);
    }
    for (int j = 0; j <= 3 * m; ++j) {
        const Vec2 at{first.x + lw * j * wdir.x, first.y + lw * j * wdir.y};
        if (probe) {
            probe->Tick(at.x, at.y);
        }
        canvas.Line(at.x - 3 * across.x, at.y - 3 * across.y, at.x + 3 * across.x,
                    at.y + 3 * across.y);
    }
    canvas.Line(scene.SourceX, 0, s.x, s.y);
}

void DrawFan(Surface& canvas, const Controls& controls, Scene& scene, const HyperbolicGeometry& h) {
    TraceFan(
        scene, h.a, h.b, canvas, [&] { DrawFanOutlines(canvas, h); },
        [&](double x, double y) {
            DrawRecordedRay(canvas, controls, scene, {x, y});
        });
}

/// Stage 5: the air-wavelength ruler below and the glass-wavelength ruler above the lens.
void DrawRulers(Surface& canvas, const Scene& scene, const HyperbolicGeometry& h) {
    const double w = scene.Wavelength;
    const double lw = scene.LensWavelength;
    for (int k = 0; k <= 95; ++k) {
        canvas.DrawWidth = k % 5 == 0 ? 2 : 1;
        Tick(canvas, h.xB + k * w, -105, -115);
        if (h.xB - k * lw >= -h.a) {
            Tick(canvas, h.xB - k * lw, 105, 115);
        }
        Tick(canvas, h.xB - k * w, -105, -115);
    }
    canvas.Line(-h.a, 105, h.xB, 105);
    canvas.Line(-h.a, 115, h.xB, 115);
    canvas.Line(-250, -105, 250, -105);
    canvas.Line(-250, -115, 250, -115);
    canvas.DrawWidth = 1;
}

/// Stage 6: the marks of the focus distance, the back point, the vertex, the source and the far
/// focus.
void DrawFinalMarks(Surface& canvas, const Scene& scene, const HyperbolicGeometry& h) {
    Tick(canvas, h.F, -AxisTick, AxisTick);
    canvas.Line(h.F - AxisTick, 0, h.F + AxisTick, 0);
    Tick(canvas, h.xB, -AxisTick, AxisTick);
    Tick(canvas, h.xB, RulerBottom, RulerTop);
    Tick(canvas, h.xB, -RulerBottom, -RulerTop, Magenta);
    Tick(canvas, -h.a, RulerBottom, VertexTickBottom);
    Tick(canvas, h.F, -RulerBottom, -RulerTop);
    Tick(canvas, -h.a, -RulerBottom, -RulerTop);
    Tick(canvas, scene.SourceX, -RulerBottom, -RulerTop);
    Tick(canvas, -2 * h.a - h.c, -RulerBottom, -RulerTop, Red);
}

/// Stage 7: the four lines of wavelength counts, in the language of the texts.
void DrawCounts(Surface& canvas, const Scene& scene, const HyperbolicGeometry& h,
                std::string_view language) {
    const double w = scene.Wavelength;
    const double toVertex = std::abs(scene.SourceX + h.a) / w;
    const double fromBack = std::abs(h.xF - h.xB) / w;
    const double total = fromBack + h.AB / scene.LensWavelength + toVertex;
    PrintCountAt(canvas, -2 * h.a, SourceCountY,
                 Text("hyperbolic.count.source", language, {Format(toVertex, 2)}));
    PrintCountAt(canvas, -2 * h.a - h.c, ScreenCountY[0],
                 Text("hyperbolic.count.focus", language, {Format(fromBack, 2)}));
    PrintCountAt(canvas, -2 * h.a - h.c, ScreenCountY[1],
                 Text("hyperbolic.count.total", language, {Format(total, 2)}));
    PrintCountAt(canvas, -2 * h.a - h.c, ScreenCountY[2],
                 Text("hyperbolic.count.back", language, {Format(fromBack, 2)}));
}

} // namespace

void PrintCountAt(Surface& surface, double x, double y, const std::string& text) {
    surface.CurrentX = static_cast<float>(x);
    surface.CurrentY = static_cast<float>(y);
    surface.PrintRole = TextRole::Count;
    surface.Print(text);
    surface.PrintRole = TextRole::Plain;
}

HyperbolicGeometry DeriveHyperbolicGeometry(const Controls& controls, const Scene& scene,
                                            double sourceX) {
    HyperbolicGeometry h{};
    const double w = scene.Wavelength;
    const double lw = scene.LensWavelength;
    h.a = 6 * lw;
    h.c = h.a * scene.RefractiveIndex;
    h.b = std::sqrt(h.c * h.c - h.a * h.a);
    h.F = controls.fOCUS_POINT * w;
    h.AB = controls.pachos * lw;
    h.xB = h.AB - h.a;
    h.xF = h.F + h.AB - h.a;
    h.XA = Distance(sourceX, 0, -h.a, 0);
    h.N1 = Int(h.XA / w);
    h.s0 = (1 - (h.XA / w - h.N1)) * lw;
    return h;
}

void DrawHyperbolicConstruction(const Controls& controls, Scene& scene, Labels& labels,
                                Surface& canvas) {
    canvas.Cls();
    canvas.Scale(-180, 180, 180, -180);
    scene.hyperbola.HyperbolaState = 0;
    scene.hyperbola.HyperbolaRayCount = 0;
    const double a = 6 * scene.LensWavelength;
    scene.SourceX = controls.initial_POINT * scene.Wavelength - a;
    // "Parallel BEAM" (f_apeiro) leaves the focus at fOCUS_POINT wavelengths: the figure is the
    // same with the box ticked or not.
    const HyperbolicGeometry h = DeriveHyperbolicGeometry(controls, scene, scene.SourceX);

    DrawFrameAndMarks(canvas, h);
    DrawFocusAndBackMarks(canvas, h);
    DrawAxisTicks(canvas, controls, scene, h, labels);
    DrawFrontBranch(canvas, h.a, h.b);
    DrawFan(canvas, controls, scene, h);
    DrawRulers(canvas, scene, h);
    DrawFinalMarks(canvas, scene, h);
    DrawCounts(canvas, scene, h, TextLanguage(controls));
    Tick(canvas, h.xB + h.c + h.a, -105, -80, Red);
    canvas.Line(-200, 0, 200, 0);
}

} // namespace kymata
