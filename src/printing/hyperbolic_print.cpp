#include "construction/controls.h"
#include "construction/helpers.h"
#include "construction/number_format.h"
#include "construction/scene_parameters.h"
#include "drawing/vec2.h"
#include "hyperbolic/hyperbola.h"
#include "hyperbolic/hyperbola_outline.h"
#include "hyperbolic/hyperbolic_marks.h"
#include "printing/print_jobs.h"
#include "texts/catalogue.h"

#include <cmath>

namespace kymata {

using namespace hyperbolic_marks;

namespace {

constexpr Rgb Red{255, 0, 0};
constexpr Rgb Magenta{255, 5, 250};

/// The quantities of the printed hyperbolic lens (λ = `Wavelength`, λn = `LensWavelength`).
struct PrintedLens {
    double a;          ///< 6 λn
    double c;          ///< n a
    double b;          ///< Sqr(c^2 - a^2)
    double Fd;         ///< `fOCUS_POINT` λ, marked by a cross at (Fd, 0)
    double T;          ///< `pachos` λn, the thickness on the axis
    double BackX;      ///< -a + T
    double FocusMarkX; ///< BackX + `fOCUS_POINT` λ
    double F;          ///< Sqr(a^2 + b^2), equal to c
};

/// A tick across the direction `d` (a unit vector) at `p`: 3 units to each side.
void TickAcross(Surface& page, Vec2 p, Vec2 d) {
    const Vec2 across{-d.y, d.x};
    page.Line(p.x - 3 * across.x, p.y - 3 * across.y, p.x + 3 * across.x, p.y + 3 * across.y);
}

Vec2 Unit(double x, double y) {
    const double length = std::hypot(x, y);
    return length > 0 ? Vec2{x / length, y / length} : Vec2{1, 0};
}

void DrawMarkers(Surface& page, const Scene& scene, const PrintedLens& p) {
    const double fx = p.FocusMarkX;
    page.Line(fx, FocusTickBottom, fx, FocusTickTop);
    page.Line(fx, -AxisTick, fx, AxisTick);
    page.Line(fx - AxisTick, 0, fx + AxisTick, 0);
    page.Circle(fx, 0, 2);
    page.Line(p.BackX, -AxisTick, p.BackX, AxisTick);
    page.Line(p.BackX, BackTickFar, p.BackX, BackTickNear);
    page.Line(p.BackX, -BackTickFar, p.BackX, -BackTickNear);
    const double n0 = Int(Distance(scene.SourceX, 0, -p.a, 0) / scene.Wavelength);
    for (int i = 1; i <= n0; ++i) {
        const double x = scene.SourceX + i * scene.Wavelength;
        page.Line(x, -3, x, 3);
    }
    page.Circle(fx, 0, 1);
}

void DrawAxisTicks(Surface& page, const Scene& scene, const PrintedLens& p) {
    const double w = scene.Wavelength;
    const double lw = scene.LensWavelength;
    const double q0 = Distance(scene.SourceX, 0, -p.a, 0) / w;
    const double s0 = (1 - (q0 - Int(q0))) * lw;
    const double m = Int((p.T - s0) / lw);
    for (int j = 0; j <= m; ++j) {
        const double x = -p.a + s0 + j * lw;
        page.Line(x, -3, x, 3);
    }
    page.Line(-150, 0, 150, 0);
    page.Circle(-p.a + p.T, 0, 3);
    const double r = (p.T - (s0 + m * lw)) / lw;
    const double s1 = (1 - r) * w;
    const double behind = Int(p.FocusMarkX / w);
    for (int k = 0; k <= behind; ++k) {
        const double x = p.BackX + s1 + k * w;
        page.Line(x, 3, x, -3);
    }
}

/// The outlines that each ray of the fan would draw again, the same strokes every time: the
/// front hyperbola's second branch, the back surface with its foci and the far focus.
void DrawOutlines(Surface& page, const PrintedLens& p) {
    DrawLeftOpeningBranch(page, p.a, p.b, -2 * p.a, -3 * p.a, -9 * p.a, Red);
    page.Circle(p.T - p.F, 0, 1, Red);
    page.Circle(p.T + p.F, 0, 1, Red);
    DrawLeftOpeningBranch(page, p.a, p.b, p.T, p.BackX, p.BackX - 6 * p.a, std::nullopt);
    page.Circle(-p.F - 2 * p.a, 0, 1, Red);
}

/// A recorded ray on the page: ticks at the whole wavelengths from the source, its path in the
/// glass towards its exit point with a tick every glass wavelength up to the back face, and the
/// incoming ray.
void DrawPrintedRay(Surface& page, const Controls& controls, const Scene& scene, Vec2 s) {
    const double w = scene.Wavelength;
    const double lw = scene.LensWavelength;
    const double d = Distance(scene.SourceX, 0, s.x, s.y);
    const double q = d / w;
    const double n = Int(q);
    const double first = w * (1 - (q - n)) / scene.RefractiveIndex;
    ConstructionProbe* probe = scene.probe;
    if (n != 0) {
        const Vec2 u = Unit(s.x - scene.SourceX, s.y);
        if (probe) {
            probe->BeginTicks(ConstructionProbe::Medium::Air);
        }
        for (int i = 1; i <= n; ++i) {
            const Vec2 at{scene.SourceX + i * w * u.x, i * w * u.y};
            if (probe) {
                probe->Tick(at.x, at.y);
            }
            TickAcross(page, at, u);
        }
    }
    const HyperbolaTables& t = scene.hyperbola;
    const Vec2 toExit{t.RayExitX[t.HyperbolaRayCount] - s.x, t.RayExitY[t.HyperbolaRayCount] - s.y};
    const Vec2 r = Unit(toExit.x, toExit.y);
    const double reach = 3 * controls.pachos;
    page.Line(s.x, s.y, s.x + reach * r.x, s.y + reach * r.y);
    const double inGlass = std::hypot(toExit.x, toExit.y);
    if (probe) {
        probe->BeginTicks(ConstructionProbe::Medium::Glass);
    }
    for (double along = first; along <= inGlass; along += lw) {
        const Vec2 at{s.x + along * r.x, s.y + along * r.y};
        if (probe) {
            probe->Tick(at.x, at.y);
        }
        TickAcross(page, at, r);
    }
    page.Line(scene.SourceX, 0, s.x, s.y);
}

void DrawRays(Surface& page, Surface& canvas, const Controls& controls, Scene& scene,
              const PrintedLens& p) {
    TraceFan(
        scene, p.a, p.b, canvas, [&] { DrawOutlines(page, p); },
        [&](double x, double y) {
            DrawPrintedRay(page, controls, scene, {x, y});
        });
}

void DrawRulers(Surface& page, const Scene& scene, const PrintedLens& p) {
    const double w = scene.Wavelength;
    const double lw = scene.LensWavelength;
    for (int i = 0; i <= 95; ++i) {
        page.DrawWidth = i % 5 == 0 ? 2 : 1;
        page.Line(-p.a + i * w, -75, -p.a + i * w, -85);
        page.Line(-p.a + i * lw, 75, -p.a + i * lw, 85);
        page.Line(-p.a - i * w, -75, -p.a - i * w, -85);
    }
    page.Line(-p.a, 75, 250, 75);
    page.Line(-p.a, 85, 250, 85);
    page.Line(-250, -75, 250, -75);
    page.Line(-250, -85, 250, -85);
    page.DrawWidth = 1;
}

void DrawFinalMarkers(Surface& page, const Scene& scene, const PrintedLens& p) {
    page.Line(p.Fd - AxisTick, 0, p.Fd + AxisTick, 0);
    page.Line(p.Fd, -AxisTick, p.Fd, AxisTick);
    page.Line(p.BackX, -AxisTick, p.BackX, AxisTick);
    page.Line(p.BackX, RulerBottom, p.BackX, RulerTop);
    page.Line(p.BackX, -RulerBottom, p.BackX, -RulerTop, Magenta);
    page.Line(-p.a, RulerBottom, -p.a, VertexTickBottom);
    page.Line(p.FocusMarkX, -RulerBottom, p.FocusMarkX, -RulerTop);
    page.Line(-p.a, -RulerBottom, -p.a, -RulerTop);
    page.Line(scene.SourceX, -RulerBottom, scene.SourceX, -RulerTop);
}

} // namespace

void PrintHyperbolicConstruction(const Controls& controls, Scene& scene, Labels& labels,
                                 Surface& canvas, PageSurface& page) {
    ReadScene(controls, scene);
    const double w = scene.Wavelength;
    const double lw = scene.LensWavelength;

    canvas.Cls();
    canvas.Scale(-180, 180, 180, -180);
    page.Scale(0.5 * -290, 0.5 * 200, 0.5 * 290, 0.5 * -200);
    page.FontSize = 13;

    PrintedLens p{};
    p.a = 6 * lw;
    p.c = scene.RefractiveIndex * p.a;
    p.b = std::sqrt(p.c * p.c - p.a * p.a);
    scene.hyperbola.HyperbolaState = 0;
    scene.hyperbola.HyperbolaRayCount = 0;
    // "Parallel BEAM" plays no part in this drawing.
    scene.SourceX = controls.initial_POINT * w - p.a;
    p.Fd = controls.fOCUS_POINT * w;
    p.T = controls.pachos * lw;
    p.BackX = -p.a + p.T;
    p.FocusMarkX = p.BackX + controls.fOCUS_POINT * w;
    p.F = std::sqrt(p.a * p.a + p.b * p.b);

    DrawMarkers(page, scene, p);
    const double toTop = Distance(scene.SourceX, 0, -p.a, 0);
    const std::string_view language = TextLanguage(controls);
    labels.Label4 = Text("hyperbolic.readout.thickness", language, {PlainNumber(controls.pachos)});
    labels.Label1 = Text("hyperbolic.page.source", language,
                         {Format(double(controls.initial_POINT), 0), Format(toTop, 1)});
    DrawAxisTicks(page, scene, p);
    DrawFrontBranch(page, p.a, p.b);
    DrawRays(page, canvas, controls, scene, p);
    DrawRulers(page, scene, p);
    DrawFinalMarkers(page, scene, p);

    const double fromBack = std::abs(p.FocusMarkX - p.BackX) / w;
    const double fromSource = std::abs(-p.a - scene.SourceX) / w;
    const double total = fromSource + p.T / lw + fromBack;
    const double pageX = -p.F - 2 * p.a;
    PrintCountAt(page, pageX, PrintedCountY[0],
                 Text("hyperbolic.count.focus", language, {Format(fromBack, 2)}));
    PrintCountAt(page, pageX, PrintedCountY[1],
                 Text("hyperbolic.page.total", language, {Format(total, 2)}));
    PrintCountAt(page, pageX, PrintedCountY[2],
                 Text("hyperbolic.count.back", language, {Format(fromBack, 2)}));
    const double canvasX = -p.F - 4 * p.a;
    PrintCountAt(canvas, canvasX, PrintedCountY[0],
                 Text("hyperbolic.count.source", language, {Format(fromSource, 2)}));
    PrintCountAt(canvas, canvasX, PrintedCountY[1],
                 Text("hyperbolic.count.focus", language, {Format(fromBack, 2)}));
    PrintCountAt(canvas, canvasX, PrintedCountY[2],
                 Text("hyperbolic.count.total", language, {Format(total, 2)}));
    PrintCountAt(canvas, canvasX, PrintedBackCountY,
                 Text("hyperbolic.count.back", language, {Format(fromBack, 2)}));

    const double far = p.BackX + p.F + p.a;
    page.Line(far, -RulerBottom, far, -RulerTop, Red);
    page.Line(-200, 0, 200, 0);
    canvas.DrawStyle = LineStyle::Solid;
    page.EndDoc();
}

} // namespace kymata
