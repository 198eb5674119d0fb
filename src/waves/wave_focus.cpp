#include "waves/wave_focus.h"
#include "construction/controls.h"
#include "waves/portable_math.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kymata::waves {

namespace {

/// The rays that get through, and the axial one among them, if any.
struct ThroughRays {
    std::vector<const TracedRay*> rays;
    const TracedRay* axial = nullptr;
};

ThroughRays Through(const WaveTrace& trace) {
    ThroughRays through;
    for (const TracedRay& ray : trace.rays) {
        if (ray.fate == RayFate::Through) {
            through.rays.push_back(&ray);
            if (ray.height == 0) {
                through.axial = &ray;
            }
        }
    }
    return through;
}

/// The rays that get through, ready for many evaluations of the wavefront error: each ray's
/// count up to its exit point, and that point.
class FocusRays {
public:
    explicit FocusRays(const WaveTrace& trace) : wavelength_(trace.lens.wavelength) {
        const ThroughRays through = Through(trace);
        for (const TracedRay* ray : through.rays) {
            base_.push_back(ray->air + ray->glass.value_or(0));
            exitX_.push_back(ray->exit->x);
            exitY2_.push_back(ray->exit->y * ray->exit->y);
        }
        valid_ = through.axial != nullptr;
        counts_.resize(base_.size());
    }

    bool Valid() const { return valid_; }
    std::size_t Size() const { return base_.size(); }

    /// sqrt(mean((W_k(x) - mean W(x))²)), W(x) = A + G + |X (x, 0)| / λ, in two passes so that
    /// counts of hundreds of waves keep their fractions.
    double RmsAboutMeanAt(double x) const {
        const std::size_t n = base_.size();
        if (n == 0) {
            return 0;
        }
        double sum = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const double dx = x - exitX_[i];
            counts_[i] = base_[i] + std::sqrt(dx * dx + exitY2_[i]) / wavelength_;
            sum += counts_[i];
        }
        const double mean = sum / static_cast<double>(n);
        double squares = 0;
        for (const double w : counts_) {
            squares += (w - mean) * (w - mean);
        }
        return std::sqrt(squares / static_cast<double>(n));
    }

private:
    double wavelength_;
    std::vector<double> base_;
    std::vector<double> exitX_;
    std::vector<double> exitY2_;
    mutable std::vector<double> counts_;
    bool valid_ = false;
};

} // namespace

double PhasorAgreement(const std::vector<double>& counts) {
    if (counts.empty()) {
        return 1;
    }
    double phasorRe = 0;
    double phasorIm = 0;
    for (const double w : counts) {
        // Only the fraction of a wave sets the phase; taking it first keeps the angle exact for
        // counts of many waves.
        const CosSin turn = PortableCosSin(2 * std::numbers::pi * (w - std::floor(w)));
        phasorRe += turn.cos;
        phasorIm += turn.sin;
    }
    return PortableHypot(phasorRe, phasorIm) / static_cast<double>(counts.size());
}

Agreement Agree(const std::vector<double>& totals, double axial) {
    Agreement a;
    a.inStep = PhasorAgreement(totals);
    if (totals.empty()) {
        return a;
    }
    double squares = 0;
    for (const double w : totals) {
        const double opd = w - axial;
        squares += opd * opd;
        a.maxOpd = std::max(a.maxOpd, std::abs(opd));
    }
    a.rmsOpd = std::sqrt(squares / static_cast<double>(totals.size()));
    const auto [earliest, latest] = std::minmax_element(totals.begin(), totals.end());
    a.arrivalSpread = *latest - *earliest;
    return a;
}

double RmsAboutMeanAt(const WaveTrace& trace, double x) {
    const FocusRays rays(trace);
    return rays.Valid() ? rays.RmsAboutMeanAt(x) : 0;
}

std::vector<double> DenseFanCounts(const WaveTrace& trace) {
    std::vector<double> counts;
    if (!trace.aperture) {
        return counts;
    }
    counts.reserve(2 * DenseFanHalf + 1);
    for (int j = -DenseFanHalf; j <= DenseFanHalf; ++j) {
        const TracedRay ray = TraceRay(trace.lens, 0.95 * *trace.aperture * j / DenseFanHalf);
        if (ray.total) {
            counts.push_back(*ray.total);
        }
    }
    return counts;
}

std::vector<double> BestFocusSamples() {
    std::vector<double> samples;
    for (double d = BestFocusFineStep; d <= BestFocusFineRange; d += BestFocusFineStep) {
        samples.push_back(d);
    }
    for (double d = BestFocusFineRange + BestFocusCoarseStep; d <= BestFocusRange;
         d += BestFocusCoarseStep) {
        samples.push_back(d);
    }
    return samples;
}

std::optional<double> BestFocus(const WaveTrace& trace) {
    const FocusRays rays(trace);
    if (!rays.Valid() || rays.Size() < 2) {
        return std::nullopt;
    }
    static const std::vector<double> samples = BestFocusSamples();
    const double back = trace.lens.backX;
    std::size_t lowest = 0;
    double lowestValue = rays.RmsAboutMeanAt(back + samples[0]);
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const double value = rays.RmsAboutMeanAt(back + samples[i]);
        if (value < lowestValue) {
            lowest = i;
            lowestValue = value;
        }
    }
    if (lowest + 1 == samples.size()) {
        return std::nullopt;
    }
    // Golden-section search between the lowest sample's neighbours (never at or before B).
    constexpr double Ratio = 0.6180339887498949; // (sqrt 5 - 1) / 2
    double lo = back + (lowest > 0 ? samples[lowest - 1] : BestFocusPrecision);
    double hi = back + samples[lowest + 1];
    double x1 = hi - Ratio * (hi - lo);
    double x2 = lo + Ratio * (hi - lo);
    double f1 = rays.RmsAboutMeanAt(x1);
    double f2 = rays.RmsAboutMeanAt(x2);
    while (hi - lo > BestFocusPrecision) {
        if (f1 <= f2) {
            hi = x2;
            x2 = x1;
            f2 = f1;
            x1 = hi - Ratio * (hi - lo);
            f1 = rays.RmsAboutMeanAt(x1);
        } else {
            lo = x1;
            x1 = x2;
            f1 = f2;
            x2 = lo + Ratio * (hi - lo);
            f2 = rays.RmsAboutMeanAt(x2);
        }
    }
    return (lo + hi) / 2;
}

std::optional<FocusBarChoice> FocusBarNearBestFocus(const Controls& controls) {
    Controls waves = controls;
    waves.view = View::Waves;
    waves.phase.reset();
    waves.flash.reset();
    if (waves.perfectLens) {
        return std::nullopt;
    }
    const WaveTrace trace = TraceWaves(waves);
    if (!trace.bestFocus) {
        return std::nullopt;
    }
    FocusBarChoice choice;
    choice.behind = (*trace.bestFocus - trace.lens.backX) / trace.lens.wavelength;
    const long nearest = std::lround(choice.behind);
    choice.bar =
        static_cast<int>(std::clamp<long>(nearest, fOCUS_POINT_Range.min, fOCUS_POINT_Range.max));
    choice.clamped = choice.bar != nearest;
    choice.noFocus = BestFocusIsNoFocus(trace);
    return choice;
}

double PerfectSpotHalfWidth(double wavelength, double distance, double halfWidth) {
    return wavelength * distance / (2 * halfWidth);
}

bool BestFocusIsNoFocus(const WaveTrace& trace) {
    if (!trace.bestFocus || !trace.exitHalfWidth) {
        return false;
    }
    return PerfectSpotHalfWidth(trace.lens.wavelength, *trace.bestFocus - trace.lens.backX,
                                *trace.exitHalfWidth) >= *trace.exitHalfWidth;
}

TracedRay ParaxialRay(const WaveTrace& trace) {
    return TraceRay(trace.lens, 1e-4 * trace.aperture.value_or(0));
}

bool ParaxialRaysCrossInGlass(const WaveTrace& trace) {
    const TracedRay paraxial = ParaxialRay(trace);
    return paraxial.exit && paraxial.entry.y * paraxial.exit->y < 0;
}

void Summarise(WaveTrace& trace) {
    const ThroughRays through = Through(trace);
    std::vector<double> crossings;
    for (TracedRay& ray : trace.rays) {
        ray.crossing = AxisCrossing(ray);
        if (ray.crossing) {
            crossings.push_back(*ray.crossing);
        }
    }
    if (crossings.size() >= 2) {
        const auto [least, greatest] = std::minmax_element(crossings.begin(), crossings.end());
        trace.crossingSpread = *greatest - *least;
    }
    trace.paraxialFocus = AxisCrossing(ParaxialRay(trace));
    if (!through.axial) {
        return;
    }
    const double axial = *through.axial->total;
    trace.axialCount = axial;
    std::vector<double> totals;
    for (TracedRay& ray : trace.rays) {
        if (ray.total) {
            ray.opd = *ray.total - axial;
            totals.push_back(*ray.total);
        }
    }
    double widest = 0;
    for (const TracedRay& ray : trace.rays) {
        if (ray.total && ray.exit) {
            widest = std::max(widest, std::abs(ray.exit->y));
        }
    }
    if (widest > 0) {
        trace.exitHalfWidth = widest;
        trace.perfectSpot = PerfectSpotHalfWidth(trace.lens.wavelength,
                                                 trace.lens.focusX - trace.lens.backX, widest);
    }
    const Agreement a = Agree(totals, axial);
    trace.rmsOpd = a.rmsOpd;
    trace.maxOpd = a.maxOpd;
    trace.inStep = a.inStep;
    trace.arrivalSpread = a.arrivalSpread;
    const std::vector<double> dense = DenseFanCounts(trace);
    if (!dense.empty()) {
        trace.inStepAll = PhasorAgreement(dense);
        trace.brightness = *trace.inStepAll * *trace.inStepAll;
    }
    trace.bestFocus = BestFocus(trace);
}

} // namespace kymata::waves
