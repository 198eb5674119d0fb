// The web page's entry points into the figure core. Each takes the controls as numbers, draws
// with the same functions as the desktop window and its command line, and returns JSON text
// (UTF-8) that stays valid until the next call. The page replays the recordings it finds there;
// it computes no figure of its own.

#include "construction/controls.h"
#include "construction/number_format.h"
#include "construction/scene.h"
#include "construction/views.h"
#include "drawing/figure_json.h"
#include "drawing/recording_surface.h"
#include "figure/control_texts.h"
#include "figure/draw_construction.h"
#include "figure/figure_content.h"
#include "figure/figure_document.h"
#include "lesson/lesson.h"
#include "printing/print_jobs.h"
#include "texts/catalogue.h"
#include "waves/wave_focus.h"
#include "waves/wave_ledger.h"
#include "waves/wave_trace.h"
#include "waves/wave_view.h"
#include "web/bindings/page_switches.h"
#include "web/bindings/recording_buffer.h"

#include <emscripten/emscripten.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kymata {

namespace {

const char* Give(std::string text) {
    static std::string held;
    held = std::move(text);
    return held.c_str();
}

const char* OutOfRange() {
    return Give(R"({"error": "controls out of range"})");
}

/// The last packed recording, kept for the page to read.
web::RecordingBuffer& Packed() {
    static web::RecordingBuffer packed;
    return packed;
}

std::string StringArray(const std::vector<std::string>& texts) {
    std::string json = "[";
    for (const std::string& text : texts) {
        json += (json.size() > 1 ? ", " : "") + JsonString(text);
    }
    return json + "]";
}

/// Packs `recording` for the page and returns {"values": address, "count": n, "strings": [...]}
/// with `labels` when given.
const char* GivePacked(const Recording& recording, const Labels* labels) {
    Packed() = web::PackRecording(recording);
    JsonObject answer;
    answer
        .Add("values",
             static_cast<double>(reinterpret_cast<std::uintptr_t>(Packed().values.data())))
        .Add("count", static_cast<int>(Packed().values.size()))
        .Raw("strings", StringArray(Packed().strings));
    if (labels) {
        answer.Raw("labels", JsonObject()
                                 .Add("Label1", labels->Label1)
                                 .Add("Label2", labels->Label2)
                                 .Add("Label3", labels->Label3)
                                 .Add("Label4", labels->Label4)
                                 .Text());
    }
    return Give(answer.Text());
}

} // namespace

} // namespace kymata

using namespace kymata;
using web::ControlsOf;
using web::InRange;
using web::InWaveView;
using web::LanguageAt;
using web::Worksheet;

extern "C" {

/// The figure document of one redraw: byte for byte what `kymata --export FILE.json` writes for
/// the same controls (and `--worksheet` with the Worksheet switch).
EMSCRIPTEN_KEEPALIVE const char* kymata_figure(int source, int focus, int index, int thickness,
                                               unsigned switches, double phase, double flash) {
    const Controls c = ControlsOf(source, focus, index, thickness, switches, phase, flash);
    if (!InRange(c)) {
        return OutOfRange();
    }
    return Give(FigureJson(DrawFigureContent(c, (switches & Worksheet) != 0)));
}

/// One redraw for the canvas: the recording packed as 32-bit floats in the module's memory (see
/// `web::RecordingBuffer`) and the read-outs: {"values": address, "count": n, "strings": [...],
/// "labels": {...}}. The same recording as `kymata_figure`'s "canvas", without its text.
EMSCRIPTEN_KEEPALIVE const char* kymata_draw(int source, int focus, int index, int thickness,
                                             unsigned switches, double phase, double flash) {
    const Controls c = ControlsOf(source, focus, index, thickness, switches, phase, flash);
    if (!InRange(c)) {
        return OutOfRange();
    }
    const FigureContent content = DrawFigureContent(c, (switches & Worksheet) != 0);
    return GivePacked(content.canvas, &content.labels);
}

/// The page that PRINT prints on A4 with the command line's margins, in the document of
/// `kymata --print-to FILE.json`.
EMSCRIPTEN_KEEPALIVE const char* kymata_page(int source, int focus, int index, int thickness,
                                             unsigned switches, double phase, double flash) {
    const Controls c = ControlsOf(source, focus, index, thickness, switches, phase, flash);
    if (!InRange(c)) {
        return OutOfRange();
    }
    const PrintedContent printed =
        PrintFigureContent(c, (switches & Worksheet) != 0, PrintToPrintableMm());
    return Give(FigureJson(printed.content, printed.page));
}

/// One layer of the moving wave view: 0 all but the crests, 1 the crests alone at the phase or
/// flash, packed as `kymata_draw` packs it.
EMSCRIPTEN_KEEPALIVE const char* kymata_wave_layer(int source, int focus, int index, int thickness,
                                                   unsigned switches, double phase, double flash,
                                                   int crestsOnly) {
    const Controls c =
        ControlsOf(source, focus, index, thickness, InWaveView(switches), phase, flash);
    if (!InRange(c)) {
        return OutOfRange();
    }
    using Layer = waves::CrestOptions::Layer;
    return Give(
        RecordingJson(DrawWaveLayer(c, crestsOnly ? Layer::CrestsOnly : Layer::WithoutCrests)));
}

/// The wave view's ledger in the current language, and the largest running count of any ray
/// (what a flash crosses): {"columns": [...], "classColumns": n, "rule": ..., "details": ...,
/// "rows": [[...]], "summary": [...], "most": c}; the class sees the first n columns until
/// "Details" is ticked.
EMSCRIPTEN_KEEPALIVE const char* kymata_ledger(int source, int focus, int index, int thickness,
                                               unsigned switches) {
    const Controls c = ControlsOf(source, focus, index, thickness, InWaveView(switches), NAN, NAN);
    if (!InRange(c)) {
        return OutOfRange();
    }
    const waves::WaveTrace trace = waves::TraceWaves(c);
    const waves::WaveLedger ledger = waves::MakeLedger(trace, TextLanguage(c));
    std::string rows = "[";
    for (const std::vector<std::string>& row : ledger.rows) {
        rows += (rows.size() > 1 ? ", " : "") + StringArray(row);
    }
    return Give(JsonObject()
                    .Raw("columns", StringArray(ledger.columns))
                    .Add("classColumns", static_cast<int>(ledger.classColumns))
                    .Add("rule", ledger.rule)
                    .Add("details", Text("ledger.details", TextLanguage(c)))
                    .Raw("rows", rows + "]")
                    .Raw("summary", StringArray(waves::SummarySentences(ledger.summary)))
                    .Add("most", waves::MostCount(trace))
                    .Text());
}

/// The controls' own texts in the language of the switches, and the accessible name and
/// description of every control for these values (the canvas's says what the figure shows):
/// {"texts": {...}, "controls": {name: {"name":
/// ..., "description": ...}}}.
EMSCRIPTEN_KEEPALIVE const char* kymata_texts(int source, int focus, int index, int thickness,
                                              unsigned switches) {
    const Controls c = ControlsOf(source, focus, index, thickness, switches, NAN, NAN);
    const ControlTexts t = ControlTextsFor(TextLanguage(c));
    const JsonObject texts =
        JsonObject()
            .Add("saveFigure", t.saveFigure)
            .Add("saveWorksheet", t.saveWorksheet)
            .Add("print", t.print)
            .Add("printWorksheet", t.printWorksheet)
            .Add("presentation", t.presentation)
            .Add("saveFailed", t.saveFailed)
            .Add("waveView", t.waveView)
            .Add("waveViewCaption", t.waveViewCaption)
            .Add("ledgerTitle", t.ledgerTitle)
            .Add("playPause", t.playPause)
            .Add("playCaption", t.playCaption)
            .Add("pauseCaption", t.pauseCaption)
            .Add("stepFrame", t.stepFrame)
            .Add("slower", t.slower)
            .Add("faster", t.faster)
            .Add("flash", t.flash)
            .Add("flashCaption", t.flashCaption)
            .Add("perfectLensCaption", t.perfectLensCaption)
            .Add("speed", t.speed)
            .Add("pngSizeCaption", t.pngSizeCaption)
            .Add("windowTitle", t.windowTitle)
            .Add("printCaption", t.printCaption)
            .Add("hyperbolaCaption", t.hyperbolaCaption)
            .Add("parallelBeamCaption", t.parallelBeamCaption)
            .Add("greekCaption", t.greekCaption)
            .Add("englishCaption", t.englishCaption)
            .Add("bestFocusCaption", Text("bestFocus.caption", TextLanguage(c)));
    JsonObject described;
    for (const char* name :
         {"EIKON", "Command1", "initial_POINT", "fOCUS_POINT", "n_DIATHLASI", "pachos", "f_apeiro",
          "YPERVOLIKO", "ELLINIKA", "AGLIKA", "waveView", "perfectLens", "playButton",
          "flashButton", "Label1", "Label2", "Label3", "Label4"}) {
        // The canvas's words on what it shows come from `kymata_describe`, once the figure
        // has settled: they cost a second drawing of it.
        const ControlDescription d = DescribeControl(name, c);
        described.Raw(name,
                      JsonObject().Add("name", d.name).Add("description", d.description).Text());
    }
    JsonObject messages;
    for (const auto& [key, text] : TextsStartingWith("page.", TextLanguage(c))) {
        messages.Add(key, text);
    }
    return Give(JsonObject()
                    .Raw("texts", texts.Text())
                    .Raw("controls", described.Text())
                    .Raw("messages", messages.Text())
                    .Text());
}

/// What the canvas shows for these controls, in words, then how to reach its menu, as the
/// desktop's canvas says it to a screen reader: {"description": ...}.
EMSCRIPTEN_KEEPALIVE const char* kymata_describe(int source, int focus, int index, int thickness,
                                                 unsigned switches) {
    const Controls c = ControlsOf(source, focus, index, thickness, switches, NAN, NAN);
    if (!InRange(c)) {
        return OutOfRange();
    }
    const std::string words = DescribeFigure(c, DrawFigureContent(c).canvas) + " " +
                              DescribeControl("EIKON", c).description;
    return Give(JsonObject().Add("description", words).Text());
}

/// F moved to the whole step nearest the best focus of the lens of these controls, as the
/// window's B does: {"focus": N or null, "said": the sentence that says what became of it}.
EMSCRIPTEN_KEEPALIVE const char* kymata_best_focus(int source, int focus, int index, int thickness,
                                                   unsigned switches) {
    const Controls c = ControlsOf(source, focus, index, thickness, switches, NAN, NAN);
    const std::string_view el = TextLanguage(c);
    JsonObject answer;
    if (c.perfectLens) {
        return Give(answer.Raw("focus", "null").Add("said", Text("bestFocus.perfect", el)).Text());
    }
    const std::optional<waves::FocusBarChoice> choice = waves::FocusBarNearBestFocus(c);
    if (!choice) {
        const std::string far = std::to_string(std::lround(waves::BestFocusRange / 5));
        return Give(
            answer.Raw("focus", "null").Add("said", Text("bestFocus.none", el, {far})).Text());
    }
    const std::string bar = std::to_string(choice->bar);
    const std::string behind = Format(choice->behind, 2);
    return Give(
        answer.Add("focus", choice->bar)
            .Add("said", choice->clamped
                             ? Text(choice->noFocus ? "bestFocus.beyondWide" : "bestFocus.beyond",
                                    el, {behind, bar})
                             : Text(choice->noFocus ? "bestFocus.movedWide" : "bestFocus.moved", el,
                                    {bar, behind}))
            .Text());
}

/// The lesson's step `step` (1-based) in the language at `language` in the list of
/// `kymata_languages`: {"step", "steps",
/// "title", "text", "question", "answer", "scene": {"source", "focus", "index", "thickness",
/// "hyperbola", "beam", "perfect", "view", "flash"}, "words": {...}}, the page's words for the
/// lesson's controls under "words". Step 0 gives "steps" and "words" alone; a step beyond the
/// last an error object.
EMSCRIPTEN_KEEPALIVE const char* kymata_lesson(int step, unsigned language) {
    const std::string el = LanguageAt(language);
    JsonObject words;
    for (const auto& [key, text] : TextsStartingWith("lesson.", el)) {
        const std::string_view name(key);
        if (name.find('.', 7) == std::string_view::npos || name.starts_with("lesson.plan.")) {
            words.Add(name.substr(7), text);
        }
    }
    JsonObject lesson;
    lesson.Add("steps", LessonStepCount());
    if (step < 0 || step > LessonStepCount()) {
        return Give(JsonObject().Add("error", "no such step of the lesson").Text());
    }
    if (step > 0) {
        const LessonPage page = LessonPageOf(step, el);
        const Controls c = LessonScene(step, el);
        JsonObject scene;
        scene.Add("source", c.initial_POINT)
            .Add("focus", c.fOCUS_POINT)
            .Add("index", c.n_DIATHLASI)
            .Add("thickness", c.pachos)
            .Add("hyperbola", c.YPERVOLIKO)
            .Add("beam", c.f_apeiro)
            .Add("perfect", c.perfectLens)
            .Add("view", ViewName(c.view))
            .Raw("flash", c.flash ? JsonNumber(*c.flash) : "null");
        lesson.Add("step", step)
            .Add("title", page.title)
            .Add("text", page.text)
            .Add("question", page.question)
            .Add("answer", page.answer)
            .Add("progress", LessonProgress(step, el))
            .Raw("scene", scene.Text());
    }
    return Give(lesson.Raw("words", words.Text()).Text());
}

/// The languages the page may show, in the order the page counts them, each named in itself:
/// {"languages": [{"code": "el", "name": "Ελληνικά"}, ...]}.
EMSCRIPTEN_KEEPALIVE const char* kymata_languages() {
    std::string list = "[";
    for (const std::string& code : CatalogueLanguages()) {
        if (list.size() > 1) {
            list += ", ";
        }
        list += JsonObject().Add("code", code).Add("name", Text("language.name", code)).Text();
    }
    return Give(JsonObject().Raw("languages", list + "]").Text());
}

/// The core's tables for the page: the views with their traits in the order the page offers
/// them, the switches' bits and the places' shifts (see `web::TablesJson`).
EMSCRIPTEN_KEEPALIVE const char* kymata_tables() {
    return Give(web::TablesJson());
}

/// The benchmark page's measure of the figure core alone: `repeats` redraws of the controls
/// into one recording, as the desktop's compute benchmark does them, without writing JSON.
/// Returns the number of items of the last, or -1 for controls out of range.
EMSCRIPTEN_KEEPALIVE int kymata_compute(int source, int focus, int index, int thickness,
                                        unsigned switches, int repeats) {
    const Controls c = ControlsOf(source, focus, index, thickness, switches, NAN, NAN);
    if (!InRange(c)) {
        return -1;
    }
    Scene scene;
    Labels labels;
    RecordingSurface canvas;
    for (int i = 0; i < repeats; ++i) {
        DrawFigure(c, scene, labels, canvas);
    }
    return static_cast<int>(canvas.Figure().items.size());
}

} // extern "C"
