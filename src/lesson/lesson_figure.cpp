#include "lesson/lesson_figure.h"

#include "drawing/recording_surface.h"
#include "lesson/lesson.h"
#include "waves/wave_glass.h"
#include "waves/wave_layout.h"
#include "waves/wave_paths.h"
#include "waves/wave_rays.h"
#include "waves/wave_style.h"

#include <algorithm>
#include <cmath>

namespace kymata {

namespace {

using waves::PathPiece;

/// The highlights, from a palette that colour-blind pupils tell apart: the axis ray blue, the
/// outer ray vermilion; the other rays dark grey.
constexpr Rgb AxisColour{0, 114, 178};
constexpr Rgb OuterColour{213, 94, 0};
constexpr Rgb PlainRay{90, 90, 90};

/// Pixels of the 1000-pixel reference: the ticks' half length (every fifth longer) and the
/// margin about the scene and its texts.
constexpr double TickPixels = 6;
constexpr double FifthTickPixels = 11;
constexpr double MarginPixels = 24;

/// The height of one line of text at `LessonTextPoints`, in reference pixels.
constexpr double LinePixels = LessonTextPoints * 96 / 72 * 1.15;

/// The box of the scene that a beat shows, before the texts' band is added: the source (or,
/// when it is far away, the light coming in from it), the glass and as much behind it as the
/// beat's rays need.
UserBox SceneBox(const waves::WaveTrace& trace, const BeatFigure& figure) {
    const waves::WaveLens& lens = trace.lens;
    const double wave = lens.wavelength;
    double right = lens.backX + 3 * wave;
    if (figure.reach == RayReach::Through) {
        right = std::max(lens.focusX, lens.backX + 8 * wave) + 4 * wave;
    }
    // A far source leaves the figure to the lens: its light comes in from the left edge.
    const double lensSpan = right - lens.frontVertexX;
    double left = lens.sourceX - 2 * wave;
    if (lens.frontVertexX - lens.sourceX > waves::FarSourceSpans * lensSpan) {
        left = lens.frontVertexX - std::max(6 * wave, 0.6 * lensSpan);
    }
    const double half = 1.2 * lens.rim;
    return {left, half, right, -half};
}

/// The square box of the figure: the scene with room above it for `lines` lines of text, and
/// margins; the scene is widened where it is taller than wide.
UserBox FigureBox(UserBox scene, int lines) {
    double width = scene.right - scene.left;
    for (int pass = 0; pass < 2; ++pass) {
        const double unit = width / Surface::ReferencePixels;
        const double needed =
            (scene.top - scene.bottom) + (lines * LinePixels + 2 * MarginPixels) * unit;
        width = std::max(width, needed);
    }
    const double unit = width / Surface::ReferencePixels;
    const double grow = width - (scene.right - scene.left);
    const double band = (lines * LinePixels + MarginPixels) * unit;
    const double spare = width - (scene.top - scene.bottom) - band;
    const double bottom = scene.bottom - spare / 2;
    return {scene.left - grow / 2, bottom + width, scene.right + grow / 2, bottom};
}

/// `path` as far as the beat draws it, starting no farther left than the box.
std::vector<PathPiece> Shown(std::vector<PathPiece> path, RayReach reach, const UserBox& box) {
    const std::size_t pieces = reach == RayReach::ToGlass ? 1 : reach == RayReach::ToBack ? 2 : 3;
    if (path.size() > pieces) {
        path.erase(path.begin() + static_cast<std::ptrdiff_t>(pieces), path.end());
    }
    if (!path.empty() && path.front().from.x < box.left) {
        PathPiece& first = path.front();
        const double c = first.count + (box.left - first.from.x) / (first.to.x - first.from.x) *
                                           first.length / first.wavelength;
        first = PathPiece(first.At(c), first.to, c, first.wavelength);
    }
    return path;
}

/// A tick across every whole wave of `piece` after its start, every fifth longer and thicker.
void Ticks(const PathPiece& piece, double unit, Surface& s) {
    if (piece.length <= 0) {
        return;
    }
    const Vec2 along = (1 / piece.length) * (piece.to - piece.from);
    const Vec2 across{-along.y, along.x};
    // No tick at the piece's start: at the source every ray would have one.
    for (double c = std::floor(piece.count) + 1; c <= piece.endCount; c += 1) {
        const bool fifth = std::fmod(c, 5) == 0;
        const double half = (fifth ? FifthTickPixels : TickPixels) * unit;
        const Vec2 at = piece.At(c);
        s.DrawWidth = fifth ? 3 : 2;
        waves::Segment(s, at - half * across, at + half * across, waves::Black);
    }
    s.DrawWidth = 1;
}

/// A dashed line from `from` to `to`: the straight path on to F along which a ray's waves are
/// counted, where the drawn ray itself passes F by.
void Dashed(Vec2 from, Vec2 to, double unit, Rgb colour, Surface& s) {
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    const double dash = 14 * unit;
    const double gap = 9 * unit;
    if (length <= 0) {
        return;
    }
    const Vec2 along = (1 / length) * (to - from);
    for (double d = 0; d < length; d += dash + gap) {
        waves::Segment(s, from + d * along, from + std::min(d + dash, length) * along, colour);
    }
}

using Highlight = BeatFigure::Highlight;

/// The colour of ray `ray` of the fan on a figure that highlights `highlight`, the axis ray and
/// `second`.
Rgb RayColourOf(std::size_t ray, Highlight highlight, std::size_t second) {
    if (highlight != Highlight::None && ray == LessonAxisRay) {
        return AxisColour;
    }
    if (highlight == Highlight::AxisAndOuter && ray == second) {
        return OuterColour;
    }
    return PlainRay;
}

/// The colour of text line `line`: that of the ray it names.
Rgb LineColourOf(std::size_t line, Highlight highlight) {
    switch (highlight) {
    case Highlight::None:
        return waves::Black;
    case Highlight::Axis:
        return AxisColour;
    case Highlight::AxisAndOuter:
        return line == 0 ? AxisColour : line == 1 ? OuterColour : waves::Black;
    }
    return waves::Black;
}

/// S at the source, or an arrow at the left edge when the source lies beyond it; F with a cross.
void Markers(const waves::WaveLens& lens, const UserBox& box, bool markF, Surface& s) {
    const double unit = (box.right - box.left) / Surface::ReferencePixels;
    const double letter = LessonTextPoints * 96 / 72 * unit;
    s.FontSize = LessonTextPoints;
    s.DrawWidth = 3;
    if (lens.sourceX >= box.left) {
        s.Circle(static_cast<float>(lens.sourceX), 0, static_cast<float>(5 * unit), waves::Black);
        waves::Label(s, lens.sourceX + 0.3 * letter, -0.4 * letter, "S", waves::Black);
    } else {
        const double x = box.left + 6 * unit;
        waves::Segment(s, x, 0, x + 1.4 * letter, 0, waves::Black);
        waves::Segment(s, x, 0, x + 0.5 * letter, 0.35 * letter, waves::Black);
        waves::Segment(s, x, 0, x + 0.5 * letter, -0.35 * letter, waves::Black);
        waves::Label(s, x, -0.4 * letter, "S", waves::Black);
    }
    if (markF) {
        const double arm = 8 * unit;
        waves::Segment(s, lens.focusX - arm, -arm, lens.focusX + arm, arm, waves::Black);
        waves::Segment(s, lens.focusX - arm, arm, lens.focusX + arm, -arm, waves::Black);
        waves::Label(s, lens.focusX - 0.3 * letter, -0.5 * letter, "F", waves::Black);
    }
    s.DrawWidth = 1;
}

} // namespace

UserBox LessonGlassBox(const waves::WaveLens& lens) {
    return {lens.frontVertexX, lens.rim, lens.backX, -lens.rim};
}

Recording DrawBeatFigure(int step, int beat, std::string_view language) {
    const LessonBeat b = LessonBeatOf(step, beat, language);
    Controls scene = b.scene;
    scene.view = View::Waves;
    const waves::WaveTrace trace = waves::TraceWaves(scene);
    const BeatFigure& figure = b.figure;
    // The numbers the question gives, then those the class reads off.
    std::vector<std::string> lines;
    if (figure.given) {
        lines = LessonGivenLines(step, language);
    }
    const std::size_t given = lines.size();
    if (figure.written) {
        for (std::string& line : LessonFigureLines(step, language)) {
            lines.push_back(std::move(line));
        }
    }
    const UserBox box = FigureBox(SceneBox(trace, figure), static_cast<int>(lines.size()));
    const double unit = (box.right - box.left) / Surface::ReferencePixels;

    RecordingSurface s;
    waves::BeginWaveSurface(s, box);
    waves::DrawGlass(trace.lens, s, box);
    // The wavefronts join the points of equal count on every ray of the fan, so that they stay
    // smooth, but only up to the back face: behind it the rays alone tell where the light goes.
    std::vector<std::vector<PathPiece>> fronts;
    std::vector<std::vector<PathPiece>> paths;
    for (std::size_t i = 0; i < trace.rays.size(); ++i) {
        const std::vector<PathPiece> path = waves::RayPath(trace.rays[i], trace.lens, box);
        fronts.push_back(Shown(path, RayReach::ToBack, box));
        if (i % LessonRayStride != 0) {
            continue;
        }
        paths.push_back(Shown(path, figure.reach, box));
        const Highlight highlight = figure.written ? figure.highlight : Highlight::None;
        const Rgb colour = RayColourOf(i, highlight, figure.second);
        s.DrawWidth = colour == PlainRay ? 2 : 4;
        for (const PathPiece& piece : paths.back()) {
            waves::Segment(s, piece.from, piece.to, colour);
        }
        // The highlighted ray's count runs from where it leaves the glass straight on to F.
        if (colour == OuterColour && figure.markF && paths.back().size() == 3) {
            Dashed(paths.back()[1].to, Vec2{trace.lens.focusX, 0}, unit, colour, s);
        }
        for (std::size_t p = 0; p < paths.back().size() && figure.ticks; ++p) {
            if (p == 0 || (p == 1 && figure.glassTicks)) {
                Ticks(paths.back()[p], unit, s);
            }
        }
    }
    s.DrawWidth = 1;
    if (figure.fronts || figure.flash) {
        waves::CrestOptions crests;
        if (figure.flash) {
            crests.flash = scene.flash;
        }
        waves::DrawWavefronts(figure.flash ? paths : fronts, unit, crests, s);
    }
    Markers(trace.lens, box, figure.markF, s);
    // The numbers, one a line, above the scene: those given in black, those read off in the
    // colour of the ray each names.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        waves::Label(s, box.left + MarginPixels * unit,
                     box.top - (MarginPixels + LinePixels * static_cast<double>(i)) * unit,
                     lines[i],
                     i < given ? waves::Black : LineColourOf(i - given, figure.highlight));
    }
    return s.Take();
}

FigureContent BeatFigureContent(int step, int beat, std::string_view language) {
    FigureContent content = DrawFigureContent(LessonBeatOf(step, beat, language).scene);
    content.canvas = DrawBeatFigure(step, beat, language);
    return content;
}

} // namespace kymata
