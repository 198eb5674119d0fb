#include "construction/spherical_construction.h"

#include "construction/controls.h"
#include "construction/helpers.h"
#include "construction/number_format.h"
#include "construction/scene_parameters.h"
#include "construction/text_font.h"
#include "construction/wave_table.h"
#include "drawing/vec2.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kymata {

namespace {

constexpr Rgb Black{0, 0, 0};
constexpr Rgb LensBlue{0, 0, 255};
constexpr Rgb RefractedRed{255, 0, 0};
constexpr Rgb RayLabelRed{255, 0, 55};

/// Marks shared by both constructions: back-vertex dot and marks, focus mark, front-vertex
/// mark, the air-wavelength ruler left of the origin and the source mark.
void DrawCommonMarks(Surface& canvas, const SphericalGeometry& g, const Scene& scene) {
    const double bx = g.BackVertexX;
    const double fx = g.FocusX;
    canvas.DrawWidth = 1;
    canvas.Circle(bx, 0, 1);
    canvas.Line(fx, -60, fx, -20);
    canvas.Line(fx, -4, fx, 4);
    canvas.Line(fx - 4, 0, fx + 4, 0);
    canvas.Circle(fx, 0, 2);
    canvas.Line(bx, -4, bx, 4);
    canvas.Line(bx, 60, bx, 40);
    canvas.Line(bx, -60, bx, -40);
    canvas.Line(g.FrontVertexX, 60, g.FrontVertexX, 40);
    for (int i = 0; i <= 30; ++i) {
        const double x = -i * scene.Wavelength;
        canvas.Line(x, -100, x, -90);
    }
    canvas.Line(0, -90, -150, -90);
    canvas.Line(0, -100, -150, -100);
    canvas.Line(scene.SourceX, -90, scene.SourceX, -10);
}

/// Half-angle, in degrees, of the part of the front circle that the source sees. A source on
/// or inside the circle sees all of it (90); on the front vertex the tangent angle would be 0
/// and no ray would be drawn, so that position is drawn like a source inside the circle.
double TangentAngleDegrees(const SphericalGeometry& g, Scene& scene) {
    const double ratio = scene.FrontRadius / (g.SurfaceCentreX - scene.SourceX);
    std::optional<double> arc = SafeArcSin(ratio, scene);
    if (ratio == 1) {
        arc.reset();
    }
    const double t = scene.Pi / 2 - arc.value_or(0.0);
    return 180 * t / scene.Pi;
}

/// One ray from the source to the entry point `e`, refracted there, with its air and glass
/// wave marks stored in `waves` as ray `r`. Returns the last wave number that the air walk
/// stored, or -1 when it stored none.
int DrawRay(Surface& canvas, const Controls& controls, const Scene& scene,
            const SphericalGeometry& g, Vec2 e, int r, WaveTable& waves) {
    const double sx0 = scene.SourceX;
    const double lw = scene.LensWavelength;
    const double w = scene.Wavelength;
    int k = 0;
    int lastAirMark = -1;

    canvas.Line(sx0, 0, e.x, e.y);

    // Refracted direction. An entry point on the source itself has no incoming ray: the light
    // then enters along the inward normal of the drawn circle.
    const RayDirection d = RefractAtSphere(e.x, e.y, scene);
    const double dLength = std::sqrt(double(d.DirX) * d.DirX + double(d.DirY) * d.DirY);
    const Vec2 inward{(g.SurfaceCentreX - e.x) / scene.FrontRadius, -e.y / scene.FrontRadius};
    const Vec2 u = dLength > 0 ? Vec2{d.DirX / dLength, d.DirY / dLength} : inward;
    const double reach = 1.2 * controls.pachos * lw + g.SurfaceCentreX - scene.FrontRadius;
    canvas.Line(e.x, e.y, e.x + reach * u.x, e.y + reach * u.y, RefractedRed);

    const double dist = Distance(sx0, 0, e.x, e.y);
    const float ls = static_cast<float>(dist / w);
    const double whole = Int(dist / w);
    const Vec2 step =
        dist > 0 ? Vec2{w * (e.x - sx0) / dist, w * e.y / dist} : Vec2{w * u.x, w * u.y};

    // Air walk: a tick at every whole wavelength from the source, wider at every fifth.
    ConstructionProbe* probe = scene.probe;
    if (probe) {
        probe->BeginTicks(ConstructionProbe::Medium::Air);
    }
    Vec2 p{sx0, 0};
    while (p.x < e.x) {
        if (probe) {
            probe->Tick(p.x, p.y);
        }
        if (k % 5 == 0) {
            canvas.DrawWidth = 3;
        }
        canvas.Line(p.x, p.y, p.x - step.y / 4, p.y + step.x / 4);
        canvas.DrawWidth = 1;
        p = {p.x + step.x, p.y + step.y};
        if (p.x > e.x) {
            break;
        }
        ++k;
        waves.Store(k, r, p.x, p.y);
        lastAirMark = k;
    }

    // Glass marks, one glass wavelength apart, the first where the current air wave ends.
    const double f = ls - whole;
    double m = 1 - f;
    if (m == 1) {
        m = 0;
        k = k - 1;
    }
    const Vec2 q0{e.x + m * lw * u.x, e.y + m * lw * u.y};
    if (probe) {
        probe->BeginTicks(ConstructionProbe::Medium::Glass);
    }
    for (int j = 0; j <= 12; ++j) {
        ++k;
        const Vec2 q{q0.x + j * lw * u.x, q0.y + j * lw * u.y};
        if (probe) {
            probe->Tick(q.x, q.y);
        }
        waves.Store(k, r, q.x, q.y);
        canvas.DrawWidth = k % 5 == 0 ? 3 : 1;
        canvas.Line(q.x, q.y, q.x + 2 * -u.y, q.y + 2 * u.x);
        canvas.DrawWidth = 1;
    }

    // Path-length label along the incident ray, three wavelengths short of its end.
    const double run = e.x - sx0;
    const double slope = run == 0 && e.y == 0 ? 0.0 : e.y / run;
    FontRequest font;
    font.escapement = static_cast<int>(std::nearbyint(std::atan(slope) * 10 * 180 / scene.Pi));
    canvas.ForeColor = RayLabelRed;
    canvas.PrintRole = TextRole::Count;
    SetTextFont(canvas, "#L = " + Format(ls, 1), p.x - 3 * step.x,
                p.y - 3 * step.y + std::abs(step.y / 2), font);
    canvas.PrintRole = TextRole::Plain;
    canvas.ForeColor = Black;
    return lastAirMark;
}

/// The glass-wavelength ruler above the lens and the air-wavelength ruler behind it.
void DrawAxisRulers(Surface& canvas, const Scene& scene, const SphericalGeometry& g) {
    for (int k = 0; k <= 50; ++k) {
        canvas.DrawWidth = k % 5 == 0 ? 3 : 2;
        const double x1 = g.BackVertexX + k * scene.Wavelength;
        canvas.Line(x1, -55, x1, -65);
        const double x2 = g.FrontVertexX + k * scene.LensWavelength;
        if (x2 <= g.BackVertexX) {
            canvas.Line(x2, 55, x2, 65);
        }
    }
    canvas.Line(g.FrontVertexX, 55, g.BackVertexX, 55);
    canvas.Line(g.FrontVertexX, 65, g.BackVertexX, 65);
    canvas.Line(g.BackVertexX, -55, 150, -55);
    canvas.Line(g.BackVertexX, -65, 150, -65);
    canvas.DrawWidth = 1;
}

/// Joins equal wave numbers of neighbouring rays, up to the end of the tables.
void DrawWavefronts(Surface& canvas, const WaveTable& waves, int lastAirMark, int rays) {
    const int lastWave = std::min(2 * lastAirMark, WaveTable::MaxWave);
    const int lastRay = std::min(rays, WaveTable::MaxRay);
    for (int k = 0; k <= lastWave; ++k) {
        for (int j = 0; j <= lastRay - 1; ++j) {
            const double x = waves.X(k, j);
            const double y = waves.Y(k, j);
            if (x == 0 && y == 0) {
                continue;
            }
            if (x != 0 && waves.X(k, j + 1) == 0) {
                continue;
            }
            canvas.Line(x, y, waves.X(k, j + 1), waves.Y(k, j + 1));
        }
    }
}

/// The running wave count from the source, one number per glass wavelength along the axis.
void DrawAxisNumbering(Surface& canvas, const Scene& scene, const SphericalGeometry& g) {
    const double w0 = Int(std::abs(g.FrontVertexX - scene.SourceX) / scene.Wavelength);
    const double nL =
        Int(std::abs(scene.FrontRadius + g.BackVertexX - g.SurfaceCentreX) / scene.LensWavelength);
    canvas.FontName = "Times New Roman";
    canvas.FontSize = 6;
    canvas.PrintRole = TextRole::AxisCount;
    for (int k = 1; k <= nL; ++k) {
        canvas.CurrentX = static_cast<float>(g.FrontVertexX + k * scene.LensWavelength - 2);
        canvas.CurrentY = 0;
        canvas.Print(Format(w0 + k, 0));
    }
    canvas.PrintRole = TextRole::Plain;
    canvas.FontSize = 12;
}

void DrawSphericalLens(const Controls& controls, Scene& scene, const SphericalGeometry& g,
                       Surface& canvas) {
    const double tDeg = TangentAngleDegrees(g, scene);
    canvas.Arc(g.SurfaceCentreX, 0, scene.FrontRadius, LensBlue, scene.Pi / 2, 3 * scene.Pi / 2);

    // At most 19 rays, one per 10 degrees from -90 to 90.
    WaveTable waves(19);
    int rays = 0;
    int lastAirMark = 0;
    for (int a = -90; a <= 90; a += 10) {
        if (!(std::abs(a) < tDeg - tDeg / 15)) {
            continue;
        }
        ++rays;
        const double angle = a * scene.Pi / 180;
        const Vec2 e{g.SurfaceCentreX - scene.FrontRadius * std::cos(angle),
                     scene.FrontRadius * std::sin(angle)};
        const int last = DrawRay(canvas, controls, scene, g, e, rays, waves);
        if (last >= 0) {
            lastAirMark = last;
        }
    }
    DrawAxisRulers(canvas, scene, g);
    DrawWavefronts(canvas, waves, lastAirMark, rays);
    DrawAxisNumbering(canvas, scene, g);
}

} // namespace

void DrawSphericalFigure(const Controls& controls, Scene& scene, Surface& surface) {
    const SphericalGeometry g = DeriveSphericalGeometry(controls, scene);
    surface.ForeColor = Black;
    DrawCommonMarks(surface, g, scene);
    DrawSphericalLens(controls, scene, g, surface);
}

void BeginRedraw(const Controls& controls, Scene& scene, Labels& labels, Surface& canvas) {
    canvas.Cls();
    labels.Label3 = RefractiveIndexCaption(controls);
    ReadScene(controls, scene);
    canvas.Scale(-120, 120, 120, -120);
    labels.Label4 = ThicknessCaption(controls, scene);
    labels.Label1 = SourceCaption(controls);
    labels.Label2 = FocusCaption(controls);
}

} // namespace kymata
