#include "figure/figure_document.h"

#include "construction/controls.h"
#include "construction/views.h"
#include "drawing/figure_json.h"
#include "waves/wave_json.h"

#include <utility>
#include <vector>

namespace kymata {

std::string FigureJson(const Controls& controls, const Labels& labels, const Recording& canvas,
                       const std::optional<Recording>& page, bool worksheet,
                       const waves::WaveTrace* waves,
                       const std::vector<std::pair<std::string, std::string>>& more) {
    std::vector<std::pair<std::string, std::string>> members;
    members.emplace_back("controls", JsonObject()
                                         .Add("source", controls.initial_POINT)
                                         .Add("focus", controls.fOCUS_POINT)
                                         .Add("index", controls.n_DIATHLASI)
                                         .Add("thickness", controls.pachos)
                                         .Add("hyperbola", controls.YPERVOLIKO)
                                         .Add("parallelBeam", controls.f_apeiro)
                                         .Add("language", TextLanguage(controls))
                                         .Text());
    // A document of the start view, the classic one, as it has always been written, names no
    // view; every other view is named.
    if (controls.view != ViewNames[0].view) {
        members.emplace_back("view", JsonString(ViewName(controls.view)));
    }
    if (worksheet) {
        members.emplace_back("worksheet", "true");
    }
    members.emplace_back("labels", JsonObject()
                                       .Add("Label1", labels.Label1)
                                       .Add("Label2", labels.Label2)
                                       .Add("Label3", labels.Label3)
                                       .Add("Label4", labels.Label4)
                                       .Text());
    if (waves) {
        members.emplace_back("waves", waves::WavesJson(*waves, controls.phase, controls.flash));
    }
    members.emplace_back("canvas", RecordingJson(canvas));
    if (page) {
        members.emplace_back("page", RecordingJson(*page));
    }
    members.insert(members.end(), more.begin(), more.end());
    return DocumentJson(members);
}

std::string FigureJson(const FigureContent& content, const std::optional<Recording>& page) {
    return FigureJson(content.controls, content.labels, content.canvas, page, content.worksheet,
                      content.waves ? &*content.waves : nullptr, content.moreMembers);
}

} // namespace kymata
