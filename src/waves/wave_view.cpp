#include "waves/wave_view.h"
#include "waves/portable_math.h"
#include "waves/wave_overlays.h"

#include "construction/number_format.h"
#include "texts/catalogue.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace kymata::waves {

namespace {

constexpr Rgb Black{0, 0, 0};
constexpr Rgb GlassTint{206, 226, 246};
constexpr Rgb GlassEdge{20, 60, 140};
constexpr Rgb RayColour{200, 30, 30};
constexpr Rgb LostRay{165, 165, 165};
constexpr Rgb Wavefront{0, 90, 190};
constexpr Rgb BestColour{0, 130, 0};
constexpr Rgb ParaxialColour{160, 0, 160};
/// Hatch lines across the box height: a light tint that prints as grey.
constexpr int HatchLines = 320;
constexpr int OutlineSegments = 96;
/// How far a wavefront may stray from the points it joins, as a part of the box's width: a
/// hundredth of a pixel on a 1000-pixel canvas, a fifth of one zoomed twenty times.
constexpr double WavefrontTolerance = 1e-5;

double MarkerX(const WaveTrace& trace, Marker marker) {
    switch (marker) {
    case Marker::Source:
        return trace.lens.sourceX;
    case Marker::Focus:
        return trace.lens.focusX;
    case Marker::BestFocus:
        return trace.bestFocus.value_or(0);
    case Marker::ParaxialFocus:
        return trace.paraxialFocus.value_or(0);
    }
    return 0;
}

void Segment(Surface& s, Vec2 p, Vec2 q, Rgb colour) {
    s.Line(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(q.x),
           static_cast<float>(q.y), colour);
}

/// The parameter at which p + t d leaves the box (d pointing out of p, p inside).
double ToBoxEdge(Vec2 p, Vec2 d, const UserBox& box) {
    const double left = std::min(box.left, box.right);
    const double right = std::max(box.left, box.right);
    const double bottom = std::min(box.top, box.bottom);
    const double top = std::max(box.top, box.bottom);
    double t = std::numeric_limits<double>::infinity();
    if (d.x > 0) {
        t = std::min(t, (right - p.x) / d.x);
    } else if (d.x < 0) {
        t = std::min(t, (left - p.x) / d.x);
    }
    if (d.y > 0) {
        t = std::min(t, (top - p.y) / d.y);
    } else if (d.y < 0) {
        t = std::min(t, (bottom - p.y) / d.y);
    }
    return std::isfinite(t) ? std::max(t, 0.0) : 0;
}

/// The sphere of the classic figure with the perfect surface's vertex, dotted beside it.
void DrawSphereBeside(const WaveLens& lens, Surface& s) {
    const double radius = 9 * lens.wavelength;
    const double reach = std::min(radius, std::max(lens.rim, 1e-9));
    const double half = PortableAsin(reach / radius);
    s.DrawWidth = 1;
    s.DrawStyle = LineStyle::Dotted;
    s.Arc(static_cast<float>(lens.frontVertexX + radius), 0, static_cast<float>(radius), GlassEdge,
          static_cast<float>(std::numbers::pi - half), static_cast<float>(std::numbers::pi + half));
    s.DrawStyle = LineStyle::Solid;
}

void DrawGlass(const WaveLens& lens, Surface& s, const UserBox& box) {
    if (lens.shape == LensShape::Perfect && lens.surface.empty()) {
        return;
    }
    const double h = lens.rim;
    const double step = std::abs(box.top - box.bottom) / HatchLines;
    s.DrawWidth = 1;
    for (double y = -std::floor(h / step) * step; y <= h; y += step) {
        Segment(s, {FrontX(lens, y), y}, {lens.backX, y}, GlassTint);
    }
    s.DrawWidth = 2;
    if (lens.shape == LensShape::Perfect) {
        // The surface through its own computed points.
        for (std::size_t i = 1; i < lens.surface.size(); ++i) {
            Segment(s, lens.surface[i - 1], lens.surface[i], GlassEdge);
        }
        DrawSphereBeside(lens, s);
        s.DrawWidth = 2;
    } else {
        Vec2 previous{FrontX(lens, -h), -h};
        for (int i = 1; i <= OutlineSegments; ++i) {
            const double y = -h + 2 * h * i / OutlineSegments;
            const Vec2 next{FrontX(lens, y), y};
            Segment(s, previous, next, GlassEdge);
            previous = next;
        }
    }
    for (const double y : {-h, h}) {
        Segment(s, {FrontX(lens, y), y}, {lens.backX, y}, GlassEdge);
    }
    Segment(s, {lens.backX, -h}, {lens.backX, h}, GlassEdge);
}

void DrawRays(const WaveTrace& trace, const std::vector<std::vector<PathPiece>>& paths,
              Surface& s) {
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const TracedRay& ray = trace.rays[i];
        const bool lost = ray.fate != RayFate::Through;
        for (std::size_t p = 0; p < paths[i].size(); ++p) {
            const PathPiece& piece = paths[i][p];
            s.DrawWidth = 1;
            s.DrawStyle = lost ? LineStyle::Dotted : LineStyle::Solid;
            Rgb colour = lost ? LostRay : RayColour;
            // After the lens a ray shows how far out of step its wave arrives at F.
            if (p == 2 && ray.opd) {
                const PhaseStyle style = StyleOf(ClassifyPhase(*ray.opd));
                s.DrawWidth = style.width;
                s.DrawStyle = style.style;
                colour = style.colour;
            }
            Segment(s, piece.from, piece.to, colour);
        }
    }
    s.DrawWidth = 1;
    s.DrawStyle = LineStyle::Solid;
}

/// Whether p lies within `tolerance` of the line through a and b (squared, free of roots:
/// |(b - a) × (p - a)| / |b - a| <= tolerance).
bool NearLine(Vec2 p, Vec2 a, Vec2 b, double tolerance) {
    const Vec2 d = b - a;
    const double cross = Cross(d, p - a);
    const double squaredLength = Dot(d, d);
    const double squaredTolerance = tolerance * tolerance;
    return squaredLength > 0 ? cross * cross <= squaredTolerance * squaredLength
                             : Dot(p - a, p - a) <= squaredTolerance;
}

/// Draws the polyline through `points` with as few vertices as keep every point within
/// `tolerance` of it: the wavefronts are smooth, and their points on neighbouring rays often
/// lie on one line (the plane fronts of the hyperbola) or nearly so (the small arcs about a far
/// source), far below what a pixel shows even when the canvas is zoomed.
void DrawPolyline(const std::vector<Vec2>& points, double tolerance, Surface& s) {
    if (points.size() < 2) {
        return;
    }
    std::vector<float> kept{static_cast<float>(points[0].x), static_cast<float>(points[0].y)};
    std::size_t anchor = 0;
    while (anchor + 1 < points.size()) {
        std::size_t end = anchor + 1;
        while (end + 1 < points.size()) {
            bool straight = true;
            for (std::size_t i = anchor + 1; i <= end && straight; ++i) {
                straight = NearLine(points[i], points[anchor], points[end + 1], tolerance);
            }
            if (!straight) {
                break;
            }
            ++end;
        }
        kept.push_back(static_cast<float>(points[end].x));
        kept.push_back(static_cast<float>(points[end].y));
        anchor = end;
    }
    s.Polyline(std::move(kept), Wavefront);
}

void DrawWavefronts(const std::vector<std::vector<PathPiece>>& paths, double tolerance,
                    const CrestOptions& crests, Surface& s) {
    double most = 0;
    for (const auto& path : paths) {
        if (!path.empty()) {
            most = std::max(most, path.back().EndCount());
        }
    }
    // The counts grow along each path, so each ray keeps the piece it has reached.
    std::vector<std::size_t> reached(paths.size(), 0);
    std::vector<double> counts;
    if (crests.flash) {
        counts.push_back(*crests.flash);
    } else {
        for (int m = crests.phase > 0 ? 0 : 1; m + crests.phase <= most; ++m) {
            counts.push_back(m + crests.phase);
        }
    }
    std::vector<Vec2> run;
    for (const double count : counts) {
        const auto m = static_cast<long>(std::floor(count));
        s.DrawWidth = crests.flash ? 3 : (m % 5 == 0 ? 2 : 1);
        // The front joins the rays that reach this count, run by run of neighbours.
        run.clear();
        for (std::size_t k = 0; k < paths.size(); ++k) {
            const auto& path = paths[k];
            std::size_t& piece = reached[k];
            while (piece < path.size() && path[piece].EndCount() < count) {
                ++piece;
            }
            if (piece < path.size() && path[piece].count <= count) {
                run.push_back(path[piece].At(count));
            } else {
                DrawPolyline(run, tolerance, s);
                run.clear();
            }
        }
        DrawPolyline(run, tolerance, s);
    }
    s.DrawWidth = 1;
}

void Label(Surface& s, double x, double y, const std::string& text, Rgb colour) {
    s.ForeColor = colour;
    s.CurrentX = static_cast<float>(x);
    s.CurrentY = static_cast<float>(y);
    s.Print(text);
}

std::string MarkerName(Marker marker, std::string_view language) {
    switch (marker) {
    case Marker::Source:
        return "S";
    case Marker::Focus:
        return "F";
    case Marker::BestFocus:
        return std::string(Text("waves.marker.best", language));
    case Marker::ParaxialFocus:
        return std::string(Text("waves.marker.paraxial", language));
    }
    return {};
}

/// The markers on the axis with their names, kept clear of the summary above `summaryBottom`
/// and of the counts beside the back face.
void DrawMarkers(const WaveTrace& trace, const WaveViewLayout& layout, std::string_view language,
                 double summaryBottom, Surface& s) {
    const double unit = std::abs(layout.box.top - layout.box.bottom) / 100;
    const double r = 0.8 * unit;
    s.DrawWidth = 2;
    const auto colourOf = [](Marker m) {
        return m == Marker::BestFocus ? BestColour
                                      : (m == Marker::ParaxialFocus ? ParaxialColour : Black);
    };
    // The written counts stand beside the back face; a name whose letters would run into
    // them goes above (F) or below (the foci) their column.
    const double line = s.LineHeight();
    const double letter = 0.55 * line / Surface::LineSpacing;
    const std::optional<UserBox> counts = ArrivalCountArea(trace, layout.box, line, letter);
    const auto meets = [&](double x, const std::string& name) {
        return counts && x - r < counts->right &&
               x - r + letter * static_cast<double>(name.size()) > counts->left;
    };
    // Below the axis, each a line lower than the one before, so names that meet do not overlap;
    // right of the counts' column where they would run into it.
    double below = -1.5 * unit;
    for (const Marker marker : layout.drawn) {
        const double x = MarkerX(trace, marker);
        const Rgb colour = colourOf(marker);
        if (marker == Marker::Focus) {
            Segment(s, {x - r, -r}, {x + r, r}, colour);
            Segment(s, {x - r, r}, {x + r, -r}, colour);
            const std::string name = MarkerName(marker, language);
            const double above =
                std::max(1.5 * unit + line, meets(x, name) ? counts->top + 1.2 * line : 0.0);
            // Where the summary comes down that far, the name goes under the axis instead.
            if (above > summaryBottom) {
                Label(s, x - r, below, name, colour);
                below -= line;
            } else {
                Label(s, x - r, above, name, colour);
            }
            continue;
        }
        if (marker == Marker::ParaxialFocus) {
            Segment(s, {x, -1.4 * r}, {x + 1.4 * r, 0}, colour);
            Segment(s, {x + 1.4 * r, 0}, {x, 1.4 * r}, colour);
            Segment(s, {x, 1.4 * r}, {x - 1.4 * r, 0}, colour);
            Segment(s, {x - 1.4 * r, 0}, {x, -1.4 * r}, colour);
        } else {
            s.Circle(static_cast<float>(x), 0, static_cast<float>(r), colour);
        }
        const std::string name = MarkerName(marker, language);
        Label(s, meets(x, name) ? std::max(x - r, counts->right + letter) : x - r, below, name,
              colour);
        below -= line;
    }
    if (layout.sourceAtEdge && !trace.lens.parallelBeam) {
        // An arrow at the left edge points to the source, with its distance in words.
        const double x = std::min(layout.box.left, layout.box.right) + unit;
        Segment(s, {x, 0}, {x + 4 * unit, 0}, Black);
        Segment(s, {x, 0}, {x + 1.5 * unit, 1.2 * unit}, Black);
        Segment(s, {x, 0}, {x + 1.5 * unit, -1.2 * unit}, Black);
        const double distance =
            (trace.lens.frontVertexX - trace.lens.sourceX) / trace.lens.wavelength;
        const std::string words = Text("waves.sourceAtEdge", language, {Format(distance, 0)});
        // Under the arrow; below the counts' column where it would run into it.
        const bool crosses =
            counts && x + letter * static_cast<double>(words.size()) > counts->left;
        Label(s, x, crosses ? std::min(-1.5 * unit, counts->bottom - 0.2 * line) : -1.5 * unit,
              words, Black);
    }
}

/// Prints the summary in the figure's top left corner; returns the y just below its last line.
double DrawSummary(const WaveTrace& trace, const WaveViewLayout& layout, std::string_view language,
                   const CrestOptions& crests, Surface& s) {
    const UserBox& b = layout.box;
    const double unit = std::abs(b.top - b.bottom) / 100;
    s.ForeColor = Black;
    s.CurrentX = static_cast<float>(std::min(b.left, b.right) + unit);
    s.CurrentY = static_cast<float>(std::max(b.top, b.bottom) - unit);
    std::vector<LedgerLine> lines = LedgerSummary(trace, language);
    // In large type the figure keeps the lines that make its point; the ledger has them all.
    if (s.TextScale > 1) {
        std::erase_if(lines, [](const LedgerLine& line) { return line.detail; });
    }
    if (crests.flash && trace.arrivalSpread) {
        lines.push_back(
            {std::string(Text("waves.arrivalSpread", language)), Format(*trace.arrivalSpread, 2)});
    }
    for (const Marker marker : layout.named) {
        const double behind = (MarkerX(trace, marker) - trace.lens.backX) / trace.lens.wavelength;
        lines.push_back({std::string(Text(marker == Marker::BestFocus ? "waves.bestOffFigure"
                                                                      : "waves.paraxialOffFigure",
                                          language)),
                         Format(behind, 2)});
    }
    const float left = s.CurrentX;
    for (const LedgerLine& line : lines) {
        s.PrintRole = line.value.empty() ? TextRole::Plain : TextRole::Count;
        s.CurrentX = left;
        s.Print(line.Text());
    }
    s.PrintRole = TextRole::Plain;
    return s.CurrentY;
}

} // namespace

WaveViewLayout LayOutWaveView(const WaveTrace& trace, double aspect) {
    const WaveLens& lens = trace.lens;
    WaveViewLayout layout;
    const double lensRight = std::max(lens.backX, lens.focusX);
    const double span = std::max(lensRight - lens.frontVertexX, 2 * lens.rim);
    layout.sourceAtEdge = lens.frontVertexX - lens.sourceX > FarSourceSpans * span;
    if (!lens.parallelBeam && !layout.sourceAtEdge) {
        layout.drawn.push_back(Marker::Source);
    }
    layout.drawn.push_back(Marker::Focus);
    double left =
        layout.sourceAtEdge ? lens.frontVertexX - span : std::min(lens.sourceX, lens.frontVertexX);
    double right = lensRight;
    const double reach =
        lensRight + std::max(layout.sourceAtEdge ? FarSourceSpans * span : lensRight - lens.sourceX,
                             2 * lens.rim);
    const auto place = [&](Marker marker, const std::optional<double>& x) {
        if (!x) {
            return;
        }
        if (*x <= reach && *x >= left) {
            layout.drawn.push_back(marker);
            right = std::max(right, *x);
        } else {
            layout.named.push_back(marker);
        }
    };
    place(Marker::BestFocus, trace.bestFocus);
    place(Marker::ParaxialFocus, trace.paraxialFocus);
    // Room behind the lens for the rays to show where they go, and a margin all round.
    const double margin = 0.06 * (right - left) + 0.1 * lens.rim;
    left -= margin;
    right += std::max(margin, (lensRight - lens.backX) + 1.5 * lens.rim);
    double width = right - left;
    double height = 2.6 * lens.rim;
    if (!(aspect > 0)) {
        aspect = 1;
    }
    if (width / height > aspect) {
        height = width / aspect;
    } else {
        const double grow = (height * aspect - width) / 2;
        left -= grow;
        right += grow;
        width = right - left;
    }
    layout.box = {left, height / 2, right, -height / 2};
    return layout;
}

std::vector<PathPiece> RayPath(const TracedRay& ray, const WaveLens& lens, const UserBox& box) {
    std::vector<PathPiece> path;
    // A source beyond the box's left edge: the path starts where the ray enters the box, with
    // the count it has there, so that every crest stays the true source's.
    const double left = std::min(box.left, box.right);
    if (ray.start.x < left && ray.entry.x > left) {
        const double t = (left - ray.start.x) / (ray.entry.x - ray.start.x);
        const Vec2 from = ray.start + t * (ray.entry - ray.start);
        path.emplace_back(from, ray.entry, Distance(ray.start, from) / lens.wavelength,
                          lens.wavelength);
    } else {
        path.emplace_back(ray.start, ray.entry, 0, lens.wavelength);
    }
    path.emplace_back(ray.entry, ray.glassEnd, ray.air, lens.glassWavelength);
    if (ray.fate == RayFate::Through && ray.exit && ray.inAir) {
        const double t = ToBoxEdge(*ray.exit, *ray.inAir, box);
        path.emplace_back(*ray.exit, *ray.exit + t * *ray.inAir, ray.air + *ray.glass,
                          lens.wavelength);
    }
    return path;
}

std::optional<Vec2> PointAtCount(const std::vector<PathPiece>& path, double count) {
    for (const PathPiece& piece : path) {
        if (count >= piece.count && count <= piece.EndCount() && piece.length > 0) {
            return piece.At(count);
        }
    }
    return std::nullopt;
}

double MostCount(const WaveTrace& trace) {
    const WaveViewLayout layout = LayOutWaveView(trace, 1);
    double most = 0;
    for (const TracedRay& ray : trace.rays) {
        const auto path = RayPath(ray, trace.lens, layout.box);
        most = std::max(most, path.back().EndCount());
    }
    return most;
}

CrestOptions CrestsOf(const Controls& controls) {
    return {controls.phase.value_or(0), controls.flash};
}

void DrawWaveView(const WaveTrace& trace, std::string_view language, Surface& surface,
                  double aspect, const CrestOptions& crests) {
    const WaveViewLayout layout = LayOutWaveView(trace, aspect);
    const UserBox& b = layout.box;
    surface.Cls();
    surface.Scale(b.left, b.top, b.right, b.bottom);
    surface.FontName = "Arial";
    // Read from the back of a classroom: 14 points on the 1000-pixel reference.
    surface.FontSize = WaveTextPoints;
    surface.FontAngle = 0;
    surface.DrawStyle = LineStyle::Solid;
    const double tolerance = WavefrontTolerance * (b.right - b.left);
    std::vector<std::vector<PathPiece>> paths;
    for (const TracedRay& ray : trace.rays) {
        paths.push_back(RayPath(ray, trace.lens, b));
    }
    if (crests.layer == CrestOptions::Layer::CrestsOnly) {
        DrawWavefronts(paths, tolerance, crests, surface);
        surface.DrawWidth = 1;
        return;
    }
    const bool drawCrests = crests.layer == CrestOptions::Layer::Whole;
    DrawGlass(trace.lens, surface, b);
    surface.DrawWidth = 1;
    Segment(surface, {b.left, 0}, {b.right, 0}, Black);
    // The plane wave's start, where it is within the figure.
    if (trace.lens.parallelBeam && trace.lens.sourceX >= std::min(b.left, b.right)) {
        surface.DrawStyle = LineStyle::Dotted;
        Segment(surface, {trace.lens.sourceX, b.bottom}, {trace.lens.sourceX, b.top}, Black);
        surface.DrawStyle = LineStyle::Solid;
    }
    // The crest of a flash shows on top of the rays; the wavefronts of the other views lie
    // under them.
    if (drawCrests && !crests.flash) {
        DrawWavefronts(paths, tolerance, crests, surface);
    }
    DrawRays(trace, paths, surface);
    if (drawCrests && crests.flash) {
        DrawWavefronts(paths, tolerance, crests, surface);
    }
    const double summaryBottom = DrawSummary(trace, layout, language, crests, surface);
    DrawMarkers(trace, layout, language, summaryBottom, surface);
    if (!trace.rays.empty()) {
        DrawArrivalCounts(trace, b, surface);
        DrawPhaseKey(b, language, surface);
        DrawInStepMeter(trace, b, language, surface);
        DrawFanPlot(trace, b, language, surface);
    }
    surface.ForeColor = Black;
    surface.DrawWidth = 1;
}

} // namespace kymata::waves
