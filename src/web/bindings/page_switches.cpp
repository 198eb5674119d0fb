#include "web/bindings/page_switches.h"

#include "texts/catalogue.h"

#include <cmath>
#include <iterator>
#include <string>
#include <vector>

namespace kymata::web {

namespace {

/// A place in one of the core's lists takes eight bits of the switches.
constexpr unsigned PlaceBits = 0xffu;

/// The view at `place` in the table of views; the first, the classic figure, beyond it.
View ViewAt(unsigned place) {
    return place < std::size(ViewNames) ? ViewNames[place].view : ViewNames[0].view;
}

} // namespace

std::string LanguageAt(unsigned place) {
    const std::vector<std::string> languages = CatalogueLanguages();
    return place < languages.size() ? languages[place] : languages.front();
}

unsigned InWaveView(unsigned switches) {
    unsigned place = 0;
    while (place < std::size(ViewNames) && ViewNames[place].view != FirstViewTracingWaves()) {
        ++place;
    }
    return (switches & ~(PlaceBits << ViewShift)) | (place << ViewShift);
}

Controls ControlsOf(int source, int focus, int index, int thickness, unsigned switches,
                    double phase, double flash) {
    Controls c;
    c.initial_POINT = source;
    c.fOCUS_POINT = focus;
    c.n_DIATHLASI = index;
    c.pachos = thickness;
    c.YPERVOLIKO = (switches & Hyperbola) != 0;
    c.f_apeiro = (switches & ParallelBeam) != 0;
    SetTextLanguage(c, LanguageAt((switches >> LanguageShift) & PlaceBits));
    c.view = ViewAt((switches >> ViewShift) & PlaceBits);
    if (TracesWaves(c.view)) {
        c.perfectLens = (switches & PerfectLens) != 0;
        if (!std::isnan(flash)) {
            c.flash = flash;
        } else if (!std::isnan(phase)) {
            c.phase = phase;
        }
    }
    return c;
}

bool InRange(const Controls& c) {
    const auto within = [](int value, ControlRange range) {
        return value >= range.min && value <= range.max;
    };
    return within(c.initial_POINT, initial_POINT_Range) &&
           within(c.fOCUS_POINT, fOCUS_POINT_Range) && within(c.n_DIATHLASI, n_DIATHLASI_Range) &&
           within(c.pachos, pachos_Range) && (!c.phase || (*c.phase >= 0 && *c.phase < 1)) &&
           (!c.flash || (*c.flash >= 0 && *c.flash <= 10000));
}

} // namespace kymata::web
