#include "web/bindings/page_switches.h"

#include "construction/views.h"
#include "drawing/figure_json.h"
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

std::string TablesJson() {
    std::string views;
    for (const ViewTraits& row : ViewNames) {
        views +=
            std::string(views.empty() ? "" : ", ") + JsonObject()
                                                         .Add("name", row.name)
                                                         .Add("tracesWaves", row.tracesWaves)
                                                         .Add("takesLensShape", row.takesLensShape)
                                                         .Add("movingCrests", row.movingCrests)
                                                         .Add("hasLedger", row.hasLedger)
                                                         .Text();
    }
    const JsonObject switches = JsonObject()
                                    .Add("hyperbola", int(Hyperbola))
                                    .Add("beam", int(ParallelBeam))
                                    .Add("perfect", int(PerfectLens))
                                    .Add("worksheet", int(Worksheet));
    JsonObject loadFailed;
    for (const std::string& code : CatalogueLanguages()) {
        loadFailed.Add(code, Text("web.loadFailed", code));
    }
    return JsonObject()
        .Raw("views", "[" + views + "]")
        .Add("waveSwitchView", ViewName(FirstViewTracingWaves()))
        .Raw("switches", switches.Text())
        .Add("languageShift", int(LanguageShift))
        .Add("viewShift", int(ViewShift))
        .Raw("loadFailed", loadFailed.Text())
        .Text();
}

std::string LanguageAt(unsigned place) {
    const std::vector<std::string> languages = CatalogueLanguages();
    return place < languages.size() ? languages[place] : languages.front();
}

unsigned InWaveView(unsigned switches) {
    const auto place = static_cast<unsigned>(ViewPlace(FirstViewTracingWaves()));
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
    c.perfectLens = TakesLensShape(c.view) && (switches & PerfectLens) != 0;
    if (HasMovingCrests(c.view)) {
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
