#include "waves/wave_ledger.h"

#include "construction/number_format.h"
#include "texts/catalogue.h"
#include "waves/wave_focus.h"

#include <algorithm>
#include <cmath>

namespace kymata::waves {

namespace {

constexpr const char* Missing = "—";

std::string Number(const std::optional<double>& value, int decimals) {
    return value ? Format(*value, decimals) : Missing;
}

/// A distance behind the back face in wavelengths, as the summary shows it.
std::optional<double> BehindLens(const WaveTrace& trace, const std::optional<double>& x) {
    if (!x) {
        return std::nullopt;
    }
    return (*x - trace.lens.backX) / trace.lens.wavelength;
}

/// The sentence on the axis crossings of the rays that have one, nearest and farthest in
/// wavelengths behind the lens; none when no ray crosses the axis behind it.
void OuterRaysCross(const WaveTrace& trace, std::string_view language, std::vector<LedgerLine>& s) {
    std::optional<double> least;
    std::optional<double> most;
    for (const TracedRay& ray : trace.rays) {
        if (const std::optional<double> behind = BehindLens(trace, ray.crossing)) {
            least = std::min(least.value_or(*behind), *behind);
            most = std::max(most.value_or(*behind), *behind);
        }
    }
    if (least) {
        s.push_back({std::string(Text("ledger.outerRaysCross", language)), "", true});
        s.push_back({Text("ledger.outerRaysWhere", language, {Format(*least, 1), Format(*most, 1)}),
                     "", true, true});
    }
}

/// The lines that say why the rays near the axis come to no paraxial focus behind the lens,
/// what the outer rays do, and what to change. Each first line names the missing focus, so
/// that it never contradicts a best focus beside it.
void NoParaxialFocus(const WaveTrace& trace, std::string_view language,
                     std::vector<LedgerLine>& s) {
    const auto say = [&](std::string text) { s.push_back({std::move(text), ""}); };
    const std::optional<NearSource> near = SourceWithinFocalDistance(trace.lens);
    const bool hyperbola = trace.lens.shape == LensShape::Hyperbola;
    if (!near) {
        say(std::string(
            Text(ParaxialRaysCrossInGlass(trace) ? "ledger.crossInGlass" : "ledger.noParaxialFocus",
                 language)));
    } else if (near->onFocalPoint) {
        say(Text(hyperbola ? "ledger.atFarFocus" : "ledger.atFocalPoint", language,
                 {Format(near->focal, 2)}));
        say(std::string(
            Text(hyperbola ? "ledger.atFarFocusWhy" : "ledger.atFocalPointWhy", language)));
    } else {
        say(Text("ledger.nearSource", language, {Format(near->distance, 2)}));
        s.push_back({Text(hyperbola ? "ledger.nearSourceFarFocus" : "ledger.nearSourceFocal",
                          language, {Format(near->focal, 2)}),
                     "", false, true});
        s.push_back({std::string(Text("ledger.nearSourceWhy", language)), "", true});
        OuterRaysCross(trace, language, s);
        say(Text("ledger.nearSourceMove", language, {Format(near->focal, 2)}));
    }
}

/// The line on the spot a perfect focus at F would make from this opening (a detail), and,
/// where that spot is as wide as the light leaving the lens, the sentence that the light is not
/// concentrated at F however well the counts agree (kept in large type too).
void PerfectSpot(const WaveTrace& trace, std::string_view language, std::vector<LedgerLine>& s) {
    if (!trace.perfectSpot || !trace.exitHalfWidth) {
        return;
    }
    const double lambda = trace.lens.wavelength;
    s.push_back({Text("ledger.perfectSpot", language, {Format(*trace.exitHalfWidth / lambda, 2)}),
                 Format(*trace.perfectSpot / lambda, 2), true});
    if (*trace.perfectSpot >= *trace.exitHalfWidth) {
        s.push_back({std::string(Text("ledger.notConcentrated", language)), ""});
    }
}

} // namespace

double PhaseErrorDegrees(double opd) {
    // The fraction of a wave in (-1/2, 1/2], then to degrees.
    double fraction = opd - std::floor(opd);
    if (fraction > 0.5) {
        fraction -= 1;
    }
    return 360 * fraction;
}

std::vector<std::string> SummarySentences(const std::vector<LedgerLine>& summary) {
    std::vector<std::string> sentences;
    for (const LedgerLine& line : summary) {
        if (line.continues && !sentences.empty()) {
            sentences.back() += ' ' + line.Text();
        } else {
            sentences.push_back(line.Text());
        }
    }
    return sentences;
}

std::string FateName(RayFate fate, std::string_view language) {
    switch (fate) {
    case RayFate::Through:
        return std::string(Text("ledger.fate.through", language));
    case RayFate::Tir:
        return std::string(Text("ledger.fate.tir", language));
    case RayFate::Missed:
        return std::string(Text("ledger.fate.missed", language));
    }
    return {};
}

std::optional<NearSource> SourceWithinFocalDistance(const WaveLens& lens) {
    const std::optional<double> focal = FrontFocalDistance(lens);
    if (!focal || lens.parallelBeam) {
        return std::nullopt;
    }
    const double distance = lens.frontVertexX - lens.sourceX;
    // The far focus of the hyperbola is the front focal point itself; rounding alone must not
    // put it on one side or the other.
    const bool on = std::abs(distance - *focal) <= 1e-9 * *focal;
    if (!on && distance > *focal) {
        return std::nullopt;
    }
    return NearSource{distance / lens.wavelength, *focal / lens.wavelength, on};
}

std::vector<LedgerLine> LedgerSummary(const WaveTrace& trace, std::string_view language) {
    const auto text = [language](std::string_view key) { return std::string(Text(key, language)); };
    std::vector<LedgerLine> s;
    if (trace.sourceInGlass) {
        s.push_back({text(trace.lens.parallelBeam ? "ledger.beamInGlass" : "ledger.inGlass"), ""});
        return s;
    }
    if (trace.noPerfectSurface) {
        s.push_back({text("ledger.noPerfect"), ""});
        return s;
    }
    const auto percent = [](const std::optional<double>& part) {
        return Number(part ? std::optional(100 * *part) : std::nullopt, 0);
    };
    s.push_back({text("ledger.axialCount"), Number(trace.axialCount, 2)});
    s.push_back({text("ledger.rmsOpd"), Number(trace.rmsOpd, 2), true});
    s.push_back({text("ledger.maxOpd"), Number(trace.maxOpd, 2), true});
    s.push_back({text("ledger.inStepAll"), percent(trace.inStepAll)});
    s.push_back({text("ledger.brightness"), percent(trace.brightness)});
    PerfectSpot(trace, language, s);
    if (BestFocusIsNoFocus(trace)) {
        s.push_back({Text("ledger.bestFocusWide", language,
                          {Format(*BehindLens(trace, trace.bestFocus), 2)}),
                     ""});
    } else if (trace.bestFocus) {
        s.push_back({text("ledger.bestFocus"), Number(BehindLens(trace, trace.bestFocus), 2)});
        s.push_back({text("ledger.bestFromF"),
                     Format((*trace.bestFocus - trace.lens.focusX) / trace.lens.wavelength, 2),
                     true});
    } else {
        s.push_back({Text("ledger.noBestFocus", language,
                          {Format(BestFocusRange / trace.lens.wavelength, 0)}),
                     ""});
    }
    if (trace.paraxialFocus) {
        s.push_back(
            {text("ledger.paraxialFocus"), Number(BehindLens(trace, trace.paraxialFocus), 2)});
    } else {
        NoParaxialFocus(trace, language, s);
    }
    const auto spread = trace.crossingSpread
                            ? std::optional(*trace.crossingSpread / trace.lens.wavelength)
                            : std::nullopt;
    s.push_back({text("ledger.spread"), Number(spread, 2), true});
    if (trace.sphereGap) {
        s.push_back({text("ledger.sphereGap"), Format(*trace.sphereGap, 2), true});
    }
    s.push_back({text("ledger.countAfterLens"), "", true});
    return s;
}

WaveLedger MakeLedger(const WaveTrace& trace, std::string_view language) {
    const auto text = [language](std::string_view key) { return std::string(Text(key, language)); };
    WaveLedger ledger;
    // For the class first: the ray, where it enters, its count at F, its difference from the
    // axial ray and whether its phase lies within `PhaseLimit` of the axis ray's; the details
    // after them.
    ledger.columns = {text("ledger.ray"),        text("ledger.heightWaves"), text("ledger.toF"),
                      text("ledger.difference"), text("ledger.withinLimit"), text("ledger.air"),
                      text("ledger.glass"),      text("ledger.after"),       text("ledger.phase"),
                      text("ledger.fate")};
    ledger.classColumns = 5;
    ledger.rule = text("ledger.rule");
    ledger.summary = LedgerSummary(trace, language);
    for (std::size_t i = 0; i < trace.rays.size(); ++i) {
        const TracedRay& ray = trace.rays[i];
        const std::string phase = ray.opd ? Format(PhaseErrorDegrees(*ray.opd), 0) : Missing;
        std::string difference = Number(ray.opd, 2);
        if (ray.opd && *ray.opd >= 0) {
            difference = "+" + difference;
        }
        const std::string within =
            ray.opd ? text(WithinPhaseLimit(*ray.opd) ? "ledger.yes" : "ledger.no") : Missing;
        ledger.rows.push_back({std::to_string(static_cast<int>(i) - FanHalf),
                               Format(ray.height / trace.lens.wavelength, 2), Number(ray.total, 2),
                               difference, within, Format(ray.air, 2), Number(ray.glass, 2),
                               Number(ray.after, 2), phase, FateName(ray.fate, language)});
    }
    return ledger;
}

bool WithinPhaseLimit(double opd) {
    return std::abs(PhaseErrorDegrees(opd)) <= 360 * PhaseLimit;
}

} // namespace kymata::waves
