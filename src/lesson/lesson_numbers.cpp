#include "lesson/lesson.h"

#include "construction/number_format.h"
#include "lesson/lesson_figure.h"
#include "waves/wave_ledger.h"
#include "waves/wave_trace.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <mutex>

namespace kymata {

namespace {

/// The axis ray and the outer ray of the lesson's fan, as its figures highlight them.
const waves::TracedRay& AxisRay(const waves::WaveTrace& trace) {
    return trace.rays.at(LessonAxisRay);
}
const waves::TracedRay& OuterRay(const waves::WaveTrace& trace) {
    return trace.rays.at(LessonOuterRay);
}

std::string Percent(double part, int decimals) {
    return Format(100 * part, decimals);
}

/// Air wavelengths from the source to the front vertex, a whole number in every scene.
std::string SourceDistance(const waves::WaveLens& lens) {
    return Format((lens.frontVertexX - lens.sourceX) / lens.wavelength, 0);
}

/// The first source bar beyond the front focal point of the sphere: the nearest source whose
/// light this lens brings to a focus behind it.
int FirstFocusingBar(const waves::WaveLens& lens) {
    const double focal = *waves::FrontFocalDistance(lens);
    // The bar counts from the origin; the front vertex lies -frontVertexX from it.
    return static_cast<int>(std::floor((focal - lens.frontVertexX) / lens.wavelength)) + 1;
}

/// "14.0" and "15.2": the waves from S to the glass along the axis ray and the outer ray.
std::vector<std::string> WavesToGlass(const Controls& scene) {
    const waves::WaveTrace trace = waves::TraceWaves(scene);
    return {Format(AxisRay(trace).air, 1), Format(OuterRay(trace).air, 1)};
}

/// The glass wavelengths across the lens on the axis, and the air wavelengths of that length.
std::vector<std::string> SlowerInGlass(const Controls& scene) {
    const double n = scene.n_DIATHLASI / 100.0;
    return {std::to_string(scene.pachos), Format(scene.pachos / n, 2), PlainNumber(n)};
}

/// Along the axis: the waves in air, in the glass, and from S to the back of the glass.
std::vector<std::string> Wavefronts(const Controls& scene) {
    const waves::WaveTrace trace = waves::TraceWaves(scene);
    const long air = std::lround(AxisRay(trace).air);
    const long glass = std::lround(*AxisRay(trace).glass);
    return {std::to_string(air), std::to_string(glass), std::to_string(air + glass)};
}

/// The counts at F of the axis ray and of the first ray above it, then why there is no focus
/// (for the notes): the source's distance, the front focal distance, the first focusing source
/// bar and n - 1.
std::vector<std::string> NoFocus(const Controls& scene) {
    const waves::WaveTrace trace = waves::TraceWaves(scene);
    const waves::NearSource near =
        waves::SourceWithinFocalDistance(trace.lens).value_or(waves::NearSource{0, 0, false});
    return {Format(*AxisRay(trace).total, 2),
            Format(*trace.rays.at(LessonInnerRay).total, 2),
            Format(near.distance, 0),
            Format(near.focal, 0),
            std::to_string(FirstFocusingBar(trace.lens)),
            Format(trace.lens.index - 1, 2)};
}

/// The source's distance, the counts at F of the axis and the outer ray, F, how far apart the
/// two counts are, the best focus, and the nearest and farthest crossing of the axis, all but the
/// counts in wavelengths behind the back face.
std::vector<std::string> FarSource(const Controls& scene) {
    const waves::WaveTrace trace = waves::TraceWaves(scene);
    const std::string axis = Format(*AxisRay(trace).total, 2);
    const std::string outer = Format(*OuterRay(trace).total, 2);
    // The difference of the counts as shown, so that the class's sum comes out as the text says.
    const double apart = std::abs(std::stod(outer) - std::stod(axis));
    // Where the rays cross the axis, in wavelengths behind the back face.
    double first = INFINITY;
    double last = -INFINITY;
    for (const waves::TracedRay& ray : trace.rays) {
        if (ray.crossing) {
            first = std::min(first, *ray.crossing);
            last = std::max(last, *ray.crossing);
        }
    }
    const auto behind = [&](double x, int decimals) {
        return Format((x - trace.lens.backX) / trace.lens.wavelength, decimals);
    };
    return {SourceDistance(trace.lens),
            axis,
            outer,
            std::to_string(scene.fOCUS_POINT),
            Format(apart, 2),
            behind(trace.bestFocus.value_or(trace.lens.backX), 1),
            behind(first, 0),
            behind(last, 0)};
}

/// F, the counts at F of the axis and the outer ray, and the brightness at F in per cent of a
/// perfect focus there.
std::vector<std::string> OffTheFocus(const Controls& scene) {
    const waves::WaveTrace trace = waves::TraceWaves(scene);
    return {std::to_string(scene.fOCUS_POINT), Format(*AxisRay(trace).total, 2),
            Format(*OuterRay(trace).total, 2), Percent(trace.brightness.value_or(0), 0)};
}

/// The count at F of every ray, and how far the front leaves the sphere (for the notes).
std::vector<std::string> PerfectLens(const Controls& scene) {
    const waves::WaveTrace trace = waves::TraceWaves(scene);
    return {Format(trace.axialCount.value_or(0), 2), Format(trace.sphereGap.value_or(0), 2)};
}

/// The waves the flash's crest still has to go to F on step 4's ray and on the outer ray when it
/// reaches F on the axis.
std::vector<std::string> Flash(const Controls& scene) {
    const waves::WaveTrace trace = waves::TraceWaves(scene);
    const double axial = trace.axialCount.value_or(0);
    return {Format(*trace.rays.at(LessonInnerRay).total - axial, 2),
            Format(*OuterRay(trace).total - axial, 2)};
}

/// The waves from S to the back of the glass along the outer ray (and every other), and the
/// source's distance from the tip (for the notes).
std::vector<std::string> Hyperbola(const Controls& scene) {
    const waves::WaveTrace trace = waves::TraceWaves(scene);
    const waves::TracedRay& outer = OuterRay(trace);
    return {Format(outer.air + outer.glass.value_or(0), 2), std::to_string(-scene.initial_POINT)};
}

/// The converged agreement at F with F on the bar `f`.
double InStepAt(Controls scene, int f) {
    scene.fOCUS_POINT = f;
    return waves::TraceWaves(scene).inStepAll.value_or(0);
}

/// The source's distance; the F (1..50) at which the agreement at F is greatest, and the
/// agreement there; the F before it and its agreement; the F after it and its agreement; all
/// as the meter shows them, with one decimal; then X0, the source's place as its bar reads it.
std::vector<std::string> YourTurn(const Controls& scene) {
    std::map<int, double> inStep;
    int best = fOCUS_POINT_Range.min;
    for (int f = fOCUS_POINT_Range.min; f <= fOCUS_POINT_Range.max; ++f) {
        inStep[f] = InStepAt(scene, f);
        if (inStep[f] > inStep[best]) {
            best = f;
        }
    }
    const auto meter = [&](int f) { return Percent(inStep.at(f), 1); };
    return {SourceDistance(waves::DescribeWaveLens(scene)),
            std::to_string(best),
            meter(best),
            std::to_string(best - 1),
            meter(best - 1),
            std::to_string(best + 1),
            meter(best + 1),
            std::to_string(-scene.initial_POINT)};
}

} // namespace

std::vector<std::string> LessonNumbers(int step) {
    static const std::map<std::string_view,
                          std::function<std::vector<std::string>(const Controls&)>>
        numbers{{"point", WavesToGlass},  {"glass", SlowerInGlass}, {"fronts", Wavefronts},
                {"nofocus", NoFocus},     {"far", FarSource},       {"offfocus", OffTheFocus},
                {"perfect", PerfectLens}, {"flash", Flash},         {"hyperbola", Hyperbola},
                {"yourturn", YourTurn}};
    // Each step's numbers are computed once: the last step's search over F takes a while.
    static std::mutex guard;
    static std::map<int, std::vector<std::string>> known;
    const std::lock_guard<std::mutex> lock(guard);
    if (const auto found = known.find(step); found != known.end()) {
        return found->second;
    }
    const LessonStep& s = LessonSteps().at(static_cast<std::size_t>(step - 1));
    return known[step] = numbers.at(s.key)(s.scene);
}

} // namespace kymata
