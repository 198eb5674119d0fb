#include "lesson/lesson.h"

#include "construction/number_format.h"
#include "construction/scene.h"
#include "construction/scene_parameters.h"
#include "figure/figure_content.h"
#include "waves/wave_ledger.h"
#include "waves/wave_trace.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

namespace kymata {

namespace {

/// The earliest and latest count at F of the drawn rays that get through.
std::pair<double, double> CountRange(const waves::WaveTrace& trace) {
    double least = INFINITY;
    double most = -INFINITY;
    for (const waves::TracedRay& ray : trace.rays) {
        if (ray.total) {
            least = std::min(least, *ray.total);
            most = std::max(most, *ray.total);
        }
    }
    return {least, most};
}

/// The difference of two counts as the texts show them with two decimals, so that the sum a
/// pupil does with the shown numbers comes out as shown.
std::string ShownDifference(double least, double most) {
    return Format(std::stod(Format(most, 2)) - std::stod(Format(least, 2)), 2);
}

std::string Percent(const std::optional<double>& part) {
    return Format(100 * part.value_or(0), 0);
}

/// A distance in wavelengths behind the back face.
std::string Behind(const waves::WaveTrace& trace, double x) {
    return Format((x - trace.lens.backX) / trace.lens.wavelength, 2);
}

/// The texts of `figure` with role `role`, in drawing order.
std::vector<std::string> TextsOf(const Recording& figure, TextRole role) {
    std::vector<std::string> texts;
    for (const Item& item : figure.items) {
        if (const auto* t = std::get_if<TextItem>(&item); t && t->role == role) {
            texts.push_back(t->text);
        }
    }
    return texts;
}

/// The count a "#L = 14.0" label of the classic figure gives.
double LabelCount(const std::string& label) {
    return std::stod(label.substr(label.find('=') + 1));
}

/// The first source bar beyond the front focal point of the sphere: the nearest source whose
/// light this lens brings to a focus behind it.
int FirstFocusingBar(const waves::WaveLens& lens) {
    const double focal = *waves::FrontFocalDistance(lens);
    // The bar counts from the origin; the front vertex lies -frontVertexX from it.
    return static_cast<int>(std::floor((focal - lens.frontVertexX) / lens.wavelength)) + 1;
}

std::vector<std::string> ClassicPoint(const Controls& scene) {
    const Recording figure = DrawFigureContent(scene).canvas;
    const std::vector<std::string> labels = TextsOf(figure, TextRole::Count);
    double least = INFINITY;
    double most = 0;
    for (const std::string& label : labels) {
        least = std::min(least, LabelCount(label));
        most = std::max(most, LabelCount(label));
    }
    return {Format(least, 1), Format(most, 1)};
}

std::vector<std::string> SlowerInGlass(const Controls& scene) {
    const double n = scene.n_DIATHLASI / 100.0;
    return {PlainNumber(n), std::to_string(scene.pachos), Format(scene.pachos / n, 2),
            Format(1 / n, 2)};
}

std::vector<std::string> Wavefronts(const Controls& scene) {
    Scene s;
    ReadScene(scene, s);
    const SphericalGeometry g = DeriveSphericalGeometry(scene, s);
    const long toLens = std::lround((g.FrontVertexX - s.SourceX) / s.Wavelength);
    return {std::to_string(toLens), std::to_string(scene.pachos),
            std::to_string(toLens + scene.pachos)};
}

std::vector<std::string> NoFocus(const Controls& scene) {
    const waves::WaveTrace trace = waves::TraceWaves(scene);
    const auto [least, most] = CountRange(trace);
    const waves::NearSource near =
        waves::SourceWithinFocalDistance(trace.lens).value_or(waves::NearSource{0, 0, false});
    return {std::to_string(scene.fOCUS_POINT),
            Format(least, 2),
            Format(most, 2),
            Format(near.distance, 0),
            Format(near.focal, 0),
            std::to_string(FirstFocusingBar(trace.lens)),
            Format(trace.lens.index - 1, 2)};
}

std::vector<std::string> FarSource(const Controls& scene) {
    const waves::WaveTrace trace = waves::TraceWaves(scene);
    const auto [least, most] = CountRange(trace);
    return {Format((trace.lens.frontVertexX - trace.lens.sourceX) / trace.lens.wavelength, 0),
            std::to_string(scene.fOCUS_POINT),
            Behind(trace, trace.bestFocus.value_or(trace.lens.backX)),
            Format(least, 2),
            Format(most, 2),
            Percent(trace.inStepAll),
            ShownDifference(least, most)};
}

std::vector<std::string> OffTheFocus(const Controls& scene) {
    const waves::WaveTrace trace = waves::TraceWaves(scene);
    const auto [least, most] = CountRange(trace);
    return {std::to_string(scene.fOCUS_POINT), Format(least, 2), Format(most, 2),
            ShownDifference(least, most), Percent(trace.inStepAll)};
}

std::vector<std::string> PerfectLens(const Controls& scene) {
    const waves::WaveTrace trace = waves::TraceWaves(scene);
    return {Format(trace.axialCount.value_or(0), 2), Percent(trace.inStepAll),
            Format(trace.sphereGap.value_or(0), 2)};
}

std::vector<std::string> Flash(const Controls& scene) {
    const waves::WaveTrace trace = waves::TraceWaves(scene);
    const double axial = trace.axialCount.value_or(0);
    const double most = CountRange(trace).second;
    const double late = most - axial;
    return {Format(axial, 2), Format(most, 2), Format(late, 2), Format(late - std::floor(late), 2)};
}

std::vector<std::string> Hyperbola(const Controls& scene) {
    const waves::WaveTrace trace = waves::TraceWaves(scene);
    const waves::TracedRay& edge = trace.rays.front();
    return {std::to_string(-scene.initial_POINT), Format(edge.air + edge.glass.value_or(0), 2)};
}

/// The target point F (1..50) at which the converged agreement at F is greatest.
std::pair<int, double> MostInStep(Controls scene) {
    std::pair<int, double> best{0, -1};
    for (int f = fOCUS_POINT_Range.min; f <= fOCUS_POINT_Range.max; ++f) {
        scene.fOCUS_POINT = f;
        const double inStep = waves::TraceWaves(scene).inStepAll.value_or(0);
        if (inStep > best.second) {
            best = {f, inStep};
        }
    }
    return best;
}

std::vector<std::string> YourTurn(const Controls& scene) {
    const waves::WaveTrace trace = waves::TraceWaves(scene);
    const auto [focus, inStep] = MostInStep(scene);
    return {Format((trace.lens.frontVertexX - trace.lens.sourceX) / trace.lens.wavelength, 0),
            std::to_string(focus), Format(100 * inStep, 0)};
}

} // namespace

std::vector<std::string> LessonNumbers(int step) {
    static const std::map<std::string_view,
                          std::function<std::vector<std::string>(const Controls&)>>
        numbers{{"point", ClassicPoint},  {"glass", SlowerInGlass}, {"fronts", Wavefronts},
                {"nofocus", NoFocus},     {"far", FarSource},       {"offfocus", OffTheFocus},
                {"perfect", PerfectLens}, {"flash", Flash},         {"hyperbola", Hyperbola},
                {"yourturn", YourTurn}};
    const LessonStep& s = LessonSteps().at(static_cast<std::size_t>(step - 1));
    return numbers.at(s.key)(s.scene);
}

} // namespace kymata
