#include "figure/control_texts.h"

#include "construction/controls.h"
#include "construction/scene.h"
#include "construction/scene_parameters.h"
#include "texts/catalogue.h"

#include <algorithm>
#include <cmath>

#include <cstdio>

namespace kymata {

namespace {

/// A refractive index of `hundredths` hundredths as the read-outs write it: "1.50".
std::string IndexText(int hundredths) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.%02d", hundredths / 100, hundredths % 100);
    return text;
}

} // namespace

ControlTexts ControlTextsFor(std::string_view language) {
    const auto text = [language](std::string_view key) { return std::string(Text(key, language)); };
    return {
        .saveFigure = text("window.saveFigure"),
        .saveWorksheet = text("window.saveWorksheet"),
        .print = text("window.print"),
        .printWorksheet = text("window.printWorksheet"),
        .liveDragging = text("window.liveDragging"),
        .presentation = text("window.presentation"),
        .zoomIn = text("window.zoomIn"),
        .zoomOut = text("window.zoomOut"),
        .wholeFigure = text("window.wholeFigure"),
        .quit = text("window.quit"),
        .saveTitle = text("window.saveTitle"),
        .pngSizeTitle = text("window.pngSizeTitle"),
        .pngSizeLabel = text("window.pngSizeLabel"),
        .saveFailed = text("window.saveFailed"),
        .waveView = text("window.waveView"),
        .waveViewCaption = text("window.waveViewCaption"),
        .ledgerTitle = text("window.ledgerTitle"),
        .playPause = text("window.playPause"),
        .playCaption = text("window.playCaption"),
        .pauseCaption = text("window.pauseCaption"),
        .stepFrame = text("window.stepFrame"),
        .slower = text("window.slower"),
        .faster = text("window.faster"),
        .flash = text("window.flash"),
        .flashCaption = text("window.flashCaption"),
        .perfectLensCaption = text("window.perfectLensCaption"),
        .speed = text("window.speed"),
        .showAll = text("window.showAll"),
        .canvasMenu = text("window.canvasMenu"),
        .help = text("window.help"),
        .about = text("window.about"),
        .aboutTitle = text("window.aboutTitle"),
        .aboutText = text("window.aboutText"),
        .helpTitle = text("window.helpTitle"),
        .pngSizeCaption = text("window.pngSizeCaption"),
        .windowTitle = text("window.title"),
        .printCaption = text("caption.print"),
        .hyperbolaCaption = text("caption.hyperbola"),
        .parallelBeamCaption = text("caption.parallelBeam"),
        .greekCaption = text("caption.greek"),
        .englishCaption = text("caption.english"),
    };
}

namespace {

/// Where the source stands, as a sentence without its full stop. The source bar counts from the
/// origin; the spherical lens begins nearer the source, at its front vertex, and the hyperbolic
/// construction counts the source from its tip.
std::string SourcePlace(const Controls& c) {
    const std::string_view el = TextLanguage(c);
    const std::string bar = std::to_string(-c.initial_POINT);
    if (c.YPERVOLIKO) {
        return Text("describe.source.tip", el, {bar});
    }
    Scene scene;
    ReadScene(c, scene);
    const SphericalGeometry g = DeriveSphericalGeometry(c, scene);
    const long fromLens = std::lround((g.FrontVertexX - scene.SourceX) / scene.Wavelength);
    if (fromLens <= 0) {
        return Text("describe.source.inGlass", el, {bar});
    }
    return Text("describe.source.sphere", el, {bar, std::to_string(fromLens)});
}

/// The controls whose name and explanation are fixed texts: the object name, and the keys of
/// the name and the explanation in the catalogue.
struct FixedDescription {
    std::string_view control;
    std::string_view name;
    std::string_view text;
};

constexpr FixedDescription FixedDescriptions[] = {
    {"EIKON", "describe.figure.name", "describe.figure.text"},
    {"Command1", "describe.print.name", "describe.print.text"},
    {"f_apeiro", "describe.parallelBeam.name", "describe.parallelBeam.text"},
    {"YPERVOLIKO", "describe.hyperbola.name", "describe.hyperbola.text"},
    {"waveView", "describe.waveView.name", "describe.waveView.text"},
    {"playButton", "describe.play.name", "describe.play.text"},
    {"perfectLens", "describe.perfectLens.name", "describe.perfectLens.text"},
    {"flashButton", "describe.flash.name", "describe.flash.text"},
    {"ELLINIKA", "describe.greek.name", "describe.greek.text"},
    {"AGLIKA", "describe.english.name", "describe.english.text"},
    {"Label1", "describe.label1", ""},
    {"Label2", "describe.label2", ""},
    {"Label3", "describe.label3", ""},
    {"Label4", "describe.label4", ""},
};

/// The name and explanation of each control, as a reader of the form would put them.
ControlDescription Explain(std::string_view name, const Controls& c) {
    const std::string_view el = TextLanguage(c);
    const auto text = [el](std::string_view key) { return std::string(Text(key, el)); };
    if (name == "initial_POINT") {
        return {text("describe.source.name"), SourcePlace(c) + text("describe.source.range")};
    }
    if (name == "fOCUS_POINT") {
        return {text("describe.focus.name"),
                c.fOCUS_POINT == 1
                    ? text("describe.focus.textOne")
                    : Text("describe.focus.text", el, {std::to_string(c.fOCUS_POINT)})};
    }
    if (name == "n_DIATHLASI") {
        return {text("describe.index.name"),
                Text("describe.index.text", el, {IndexText(c.n_DIATHLASI)})};
    }
    if (name == "pachos") {
        return {text("describe.thickness.name"),
                c.pachos == 1 ? text("describe.thickness.textOne")
                              : Text("describe.thickness.text", el, {std::to_string(c.pachos)})};
    }
    for (const FixedDescription& fixed : FixedDescriptions) {
        if (fixed.control == name) {
            return {text(fixed.name), fixed.text.empty() ? std::string() : text(fixed.text)};
        }
    }
    return {text("describe.label4"), {}};
}

/// The controls that show their own name: a caption ("HYPERBOLA", "PRINT") or a text (the
/// read-outs).
bool ShowsItsName(std::string_view name) {
    return name != "EIKON" && name != "initial_POINT" && name != "fOCUS_POINT" &&
           name != "n_DIATHLASI" && name != "pachos";
}

} // namespace

ControlDescription DescribeControl(std::string_view name, const Controls& controls) {
    ControlDescription d = Explain(name, controls);
    if (ShowsItsName(name)) {
        // What the user sees is the name, so that a screen reader says it and voice control
        // finds the control by it; what it means goes into the description.
        d.description = d.description.empty() ? d.name : d.name + ": " + d.description;
        d.name.clear();
    }
    return d;
}

namespace {

/// A scene scroll bar: its range of raw values and how a raw value turns into the value its
/// read-out shows, shown = raw × scale.
struct SceneBar {
    std::string_view name;
    ControlRange range;
    double scale;
};

/// The source bar runs from -200 to -3: the source is 200 to 3 wavelengths away. The index bar
/// counts hundredths.
constexpr SceneBar SceneBars[] = {{"initial_POINT", initial_POINT_Range, -1.0},
                                  {"fOCUS_POINT", fOCUS_POINT_Range, 1.0},
                                  {"n_DIATHLASI", n_DIATHLASI_Range, 0.01},
                                  {"pachos", pachos_Range, 1.0}};

const SceneBar* FindBar(std::string_view name) {
    for (const SceneBar& bar : SceneBars) {
        if (bar.name == name) {
            return &bar;
        }
    }
    return nullptr;
}

} // namespace

std::optional<ShownValue> ShownBarValue(std::string_view name, int raw) {
    const SceneBar* bar = FindBar(name);
    if (!bar) {
        return std::nullopt;
    }
    const double ends[] = {bar->range.min * bar->scale, bar->range.max * bar->scale};
    return ShownValue{raw * bar->scale,
                      name == "n_DIATHLASI" ? IndexText(raw) : std::to_string(raw < 0 ? -raw : raw),
                      std::min(ends[0], ends[1]), std::max(ends[0], ends[1]), std::abs(bar->scale)};
}

std::optional<int> RawBarValue(std::string_view name, double shown) {
    const SceneBar* bar = FindBar(name);
    if (!bar || !std::isfinite(shown)) {
        return std::nullopt;
    }
    return static_cast<int>(std::lround(std::clamp(shown / bar->scale, -1e6, 1e6)));
}

std::string DescribeFigure(const Controls& c, const Recording& figure) {
    const std::string_view el = TextLanguage(c);
    const auto say = [el](std::string_view key) { return std::string(Text(key, el)); };
    std::string text;
    switch (c.view) {
    case View::Classic:
        text = say(c.YPERVOLIKO ? "describe.construction.hyperbolic"
                                : "describe.construction.spherical");
        break;
    case View::Waves:
        text = say("describe.view.waves");
        if (c.perfectLens) {
            text += say("describe.view.perfect");
        } else if (c.YPERVOLIKO) {
            text += say("describe.view.hyperbolic");
        } else {
            text += say("describe.view.spherical");
        }
        if (c.f_apeiro) {
            text += say("describe.view.parallel");
        }
        text += ". ";
        break;
    }
    // "1 wavelength", "5 wavelengths": a number with its noun in the right number.
    const auto amount = [&](std::string_view many, std::string_view one, int value) {
        return value == 1 ? say(one) : Text(many, el, {std::to_string(value)});
    };
    text += SourcePlace(c) +
            Text("describe.scene", el,
                 {amount("describe.amount.air", "describe.amount.airOne", c.fOCUS_POINT),
                  IndexText(c.n_DIATHLASI),
                  amount("describe.amount.glass", "describe.amount.glassOne", c.pachos)});
    // The figure's own texts, as printed: the counts along the rays, the count on the axis and
    // any notes and summaries.
    const std::string separator = say("describe.listSeparator");
    std::string counts;
    std::string axis;
    std::string notes;
    for (const Item& item : figure.items) {
        const auto* t = std::get_if<TextItem>(&item);
        if (!t || t->text.find_first_not_of(' ') == std::string::npos) {
            continue;
        }
        std::string& list = t->role == TextRole::Count       ? counts
                            : t->role == TextRole::AxisCount ? axis
                                                             : notes;
        list += (list.empty() ? "" : separator) + t->text;
    }
    // Each list ends with one full stop, also when its last text has one of its own.
    const auto list = [&](std::string_view key, const std::string& items) {
        if (!items.empty()) {
            text += say(key) + items + (items.back() == '.' ? "" : ".");
        }
    };
    list("describe.counts", counts);
    list("describe.axis", axis);
    list("describe.notes", notes);
    return text;
}

} // namespace kymata
