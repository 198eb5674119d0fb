#include "waves/wave_overlays.h"

#include "construction/number_format.h"
#include "texts/catalogue.h"
#include "waves/wave_ledger.h"
#include "waves/wave_style.h"

#include <algorithm>
#include <cmath>

namespace kymata::waves {

namespace {

constexpr Rgb White{255, 255, 255};
constexpr Rgb Grey{120, 120, 120};
constexpr Rgb BandTint{200, 235, 222};

/// The places across the counts' column may take, each this many per cent of the box farther
/// from the back face.
constexpr int CountColumnPlaces = 4;
constexpr double CountColumnStep = 8;

/// One per cent of the box across and down.
double UnitX(const UserBox& b) {
    return (b.right - b.left) / 100;
}
double UnitY(const UserBox& b) {
    return (b.top - b.bottom) / 100;
}

/// A white backdrop over `area`, of overlapping horizontal strokes (the surfaces draw no
/// filled shapes), so that the inset reads over the rays behind it.
void Backdrop(Surface& s, const UserBox& area, Rgb tint = White) {
    const double height = area.top - area.bottom;
    constexpr int Strokes = 120;
    s.DrawWidth = 4;
    s.DrawStyle = LineStyle::Solid;
    for (int i = 0; i <= Strokes; ++i) {
        const double y = area.bottom + height * i / Strokes;
        Segment(s, area.left, y, area.right, y, tint);
    }
    s.DrawWidth = 1;
}

void Frame(Surface& s, const UserBox& a, Rgb colour) {
    Segment(s, a.left, a.bottom, a.right, a.bottom, colour);
    Segment(s, a.right, a.bottom, a.right, a.top, colour);
    Segment(s, a.right, a.top, a.left, a.top, colour);
    Segment(s, a.left, a.top, a.left, a.bottom, colour);
}

} // namespace

PhaseClass ClassifyPhase(double opd) {
    const double error = std::abs(PhaseErrorDegrees(opd)) / 360;
    return error <= PhaseLimit
               ? PhaseClass::InStep
               : (error <= PhaseLimitWide ? PhaseClass::NearlyInStep : PhaseClass::OutOfStep);
}

PhaseStyle StyleOf(PhaseClass phase) {
    switch (phase) {
    case PhaseClass::InStep:
        return {{0, 158, 115}, 3, LineStyle::Solid};
    case PhaseClass::NearlyInStep:
        return {{230, 159, 0}, 2, LineStyle::Solid};
    case PhaseClass::OutOfStep:
        return {{213, 94, 0}, 1, LineStyle::Dotted};
    }
    return {Black, 1, LineStyle::Solid};
}

bool WritesItsCount(int k) {
    return k % 4 == 0;
}

UserBox KeyArea(const UserBox& b) {
    const double ux = UnitX(b);
    const double uy = UnitY(b);
    return {b.left + ux, b.bottom + 25 * uy, b.left + 40 * ux, b.bottom + uy};
}

UserBox FanPlotArea(const UserBox& b) {
    const double ux = UnitX(b);
    const double uy = UnitY(b);
    return {b.right - 31 * ux, b.bottom + 33 * uy, b.right - ux, b.bottom + uy};
}

std::vector<CountLabel> ArrivalCountLabels(const WaveTrace& trace, const UserBox& box,
                                           double line) {
    std::vector<CountLabel> labels;
    for (const TracedRay& ray : trace.rays) {
        const int k = static_cast<int>(&ray - trace.rays.data()) - FanHalf;
        if (ray.total && ray.exit && WritesItsCount(k)) {
            labels.push_back({&ray, 0, ray.exit->y + 0.5 * line});
        }
    }
    // A column beside the back face, each label at its ray's exit height where there is room,
    // spread apart by a line where the exits lie closer (kept centred on them).
    std::sort(labels.begin(), labels.end(), [](const CountLabel& a, const CountLabel& b) {
        return a.ray->exit->y < b.ray->exit->y;
    });
    for (std::size_t i = 1; i < labels.size(); ++i) {
        labels[i].y = std::max(labels[i].y, labels[i - 1].y + line);
    }
    double shift = 0;
    for (const CountLabel& l : labels) {
        shift += (l.y - (l.ray->exit->y + 0.5 * line)) / static_cast<double>(labels.size());
    }
    const double column = trace.lens.backX + 5 * UnitX(box);
    for (CountLabel& l : labels) {
        l.x = column;
        l.y -= shift;
    }
    return labels;
}

std::vector<CountLabel> PlaceArrivalCounts(const WaveTrace& trace, const UserBox& box,
                                           const Surface& s, TextPlacement& placement) {
    const double line = s.LineHeight();
    const double height = line / Surface::LineSpacing;
    std::vector<CountLabel> labels = ArrivalCountLabels(trace, box, line);
    std::vector<Area> column;
    for (const CountLabel& l : labels) {
        column.push_back(TextArea(l.x, l.y, Format(*l.ray->total, 2), 0.55 * height, height));
    }
    // The column where it stands, else moved up or down a line at a time, else farther from
    // the back face: the thin lines still tie each count to its ray.
    const int lines = static_cast<int>(std::abs(box.top - box.bottom) / line);
    std::vector<Area> moved(column.size());
    const auto move = [&](double dx, double dy) {
        for (std::size_t i = 0; i < column.size(); ++i) {
            moved[i] = {column[i].left + dx, column[i].top + dy, column[i].right + dx,
                        column[i].bottom + dy};
        }
    };
    double chosenX = 0;
    double chosenY = 0;
    bool found = false;
    for (int across = 0; across < CountColumnPlaces && !found; ++across) {
        for (int i = 0; i <= 2 * lines && !found; ++i) {
            const double dx = across * CountColumnStep * UnitX(box);
            const double dy = (i % 2 == 0 ? 1 : -1) * ((i + 1) / 2) * line;
            move(dx, dy);
            if (placement.Clear(moved)) {
                chosenX = dx;
                chosenY = dy;
                found = true;
            }
        }
    }
    move(chosenX, chosenY);
    placement.Take(moved);
    for (CountLabel& l : labels) {
        l.x += chosenX;
        l.y += chosenY;
    }
    return labels;
}

void DrawArrivalCounts(const std::vector<CountLabel>& labels, const UserBox& box, Surface& s) {
    const double ux = UnitX(box);
    for (const CountLabel& l : labels) {
        const PhaseStyle style = StyleOf(ClassifyPhase(*l.ray->opd));
        // Tied to the ray's exit by a thin line.
        s.DrawWidth = 1;
        Segment(s, l.ray->exit->x, l.ray->exit->y, l.x - 0.5 * ux, l.y - 0.5 * s.LineHeight(),
                Grey);
        Label(s, l.x, l.y, Format(*l.ray->total, 2), style.colour, TextRole::Count);
    }
}

void DrawPhaseKey(const UserBox& box, std::string_view language, Surface& s) {
    const UserBox area = KeyArea(box);
    const double ux = UnitX(box);
    const double line = s.LineHeight();
    double y = area.top - 0.5 * line;
    for (const auto& [phase, key] : {std::pair{PhaseClass::InStep, "figure.key.inStep"},
                                     {PhaseClass::NearlyInStep, "figure.key.nearly"},
                                     {PhaseClass::OutOfStep, "figure.key.out"}}) {
        const PhaseStyle style = StyleOf(phase);
        s.DrawWidth = style.width;
        s.DrawStyle = style.style;
        Segment(s, area.left, y - 0.5 * line, area.left + 5 * ux, y - 0.5 * line, style.colour);
        s.DrawStyle = LineStyle::Solid;
        s.DrawWidth = 1;
        Label(s, area.left + 6 * ux, y, std::string(Text(key, language)), Black);
        y -= line;
    }
}

void DrawInStepMeter(const WaveTrace& trace, const UserBox& box, std::string_view language,
                     Surface& s) {
    if (!trace.inStepAll) {
        return;
    }
    const UserBox area = KeyArea(box);
    const double ux = UnitX(box);
    const double line = s.LineHeight();
    const double barTop = area.bottom + 1.6 * line;
    const double barBottom = area.bottom + 0.4 * line;
    const double width = 36 * ux;
    const double share = std::clamp(*trace.inStepAll, 0.0, 1.0);
    Label(s, area.left, area.bottom + 3 * line,
          Text("figure.meter", language, {Format(100 * share, 0)}), Black, TextRole::Count);
    // The filled part in the in-step colour, of close vertical strokes.
    const PhaseStyle filled = StyleOf(PhaseClass::InStep);
    s.DrawWidth = 3;
    const int strokes = static_cast<int>(std::lround(120 * share));
    for (int i = 0; i <= strokes; ++i) {
        const double x = area.left + width * share * i / std::max(1, strokes);
        Segment(s, x, barBottom, x, barTop, filled.colour);
    }
    s.DrawWidth = 2;
    Frame(s, {area.left, barTop, area.left + width, barBottom}, Black);
    s.DrawWidth = 1;
}

void DrawFanPlot(const WaveTrace& trace, const UserBox& box, std::string_view language,
                 Surface& s) {
    std::vector<std::pair<double, double>> points;
    double least = -0.5;
    double most = 0.5;
    for (const TracedRay& ray : trace.rays) {
        if (ray.opd) {
            points.emplace_back(*ray.opd, ray.height);
            least = std::min(least, *ray.opd);
            most = std::max(most, *ray.opd);
        }
    }
    if (points.size() < 2 || !trace.aperture) {
        return;
    }
    const UserBox area = FanPlotArea(box);
    const double line = s.LineHeight();
    Backdrop(s, area);
    s.DrawWidth = 1;
    Frame(s, area, Grey);
    // The plot inside, below its title and above its axis texts.
    const double ux = UnitX(box);
    const UserBox plot{area.left + 2 * ux, area.top - 1.3 * line, area.right - 2 * ux,
                       area.bottom + 1.3 * line};
    const double span = most - least;
    const auto px = [&](double opd) {
        return plot.left + (opd - least) / span * (plot.right - plot.left);
    };
    const double reach = *trace.aperture;
    const auto py = [&](double height) {
        return (plot.top + plot.bottom) / 2 + height / reach * (plot.top - plot.bottom) / 2;
    };
    // The bands within `PhaseLimit` of every whole wave of the axial count, shaded: a ray in
    // one of them is drawn in the first colour class (whole waves aside, it keeps time with
    // the axis ray). Over a span of many waves the bands would merge into one tint: at most
    // `MostBands` of them are drawn, those nearest the axial count.
    constexpr int MostBands = 12;
    constexpr int Strokes = 24;
    s.DrawWidth = 3;
    const long first = std::max(std::lround(std::ceil(least - PhaseLimit)), -MostBands / 2L);
    const long last = std::min(std::lround(std::floor(most + PhaseLimit)), MostBands / 2L);
    for (long wave = first; wave <= last; ++wave) {
        for (int i = 0; i <= Strokes; ++i) {
            const double opd = std::clamp(wave + PhaseLimit * (2.0 * i / Strokes - 1), least, most);
            Segment(s, px(opd), plot.bottom, px(opd), plot.top, BandTint);
        }
    }
    s.DrawWidth = 1;
    Segment(s, px(0), plot.bottom, px(0), plot.top, Grey);
    std::vector<float> curve;
    for (const auto& [opd, height] : points) {
        curve.push_back(static_cast<float>(px(opd)));
        curve.push_back(static_cast<float>(py(height)));
    }
    s.DrawWidth = 2;
    s.Polyline(std::move(curve), Black);
    s.DrawWidth = 1;
    Label(s, area.left + ux, area.top - 0.1 * line, std::string(Text("figure.fan.title", language)),
          Black);
    Label(s, px(0) - 2 * ux, plot.top, std::string(Text("figure.fan.band", language)),
          StyleOf(PhaseClass::InStep).colour);
    Label(s, plot.left, plot.bottom - 0.1 * line, Format(least, 1), Black);
    Label(s, plot.right - 5 * ux, plot.bottom - 0.1 * line, Format(most, 1), Black);
}

} // namespace kymata::waves
