#include "lesson/lesson.h"

#include "drawing/figure_json.h"
#include "lesson/lesson_figure.h"
#include "texts/catalogue.h"

namespace kymata {

namespace {

/// A scene of the lesson: the controls' start values changed by `change`.
template <typename Change> Controls SceneOf(Change change) {
    Controls c;
    change(c);
    return c;
}

/// The three beats of a step on one scene: the question's figure `ask`, then the same figure
/// with its numbers written large for the look and the explanation (`look` adds what the
/// observation shows).
std::vector<LessonBeat> Beats(const Controls& scene, BeatFigure ask, BeatFigure look) {
    look.written = true;
    return {{BeatKind::Ask, scene, ask},
            {BeatKind::Look, scene, look},
            {BeatKind::Explain, scene, look}};
}

/// `beats` with the question's numbers written on every figure.
std::vector<LessonBeat> WithGiven(std::vector<LessonBeat> beats) {
    for (LessonBeat& beat : beats) {
        beat.figure.given = true;
    }
    return beats;
}

std::vector<LessonStep> MakeSteps() {
    const auto waves = [](int source, int focus) {
        return SceneOf([&](Controls& c) {
            c.view = View::Waves;
            c.initial_POINT = source;
            c.fOCUS_POINT = focus;
        });
    };
    Controls perfect = waves(-20, 5);
    perfect.perfectLens = true;
    Controls flash = waves(-20, 5);
    // The crest at the axial count at F: on the axis it has just arrived.
    flash.flash = 39.0;
    Controls hyperbola = waves(-10, 5);
    hyperbola.YPERVOLIKO = true;
    const Controls classic;

    // Counting the waves to the glass, through it, and joined into wavefronts.
    const BeatFigure toGlass{RayReach::ToGlass, true};
    const BeatFigure airTicks{RayReach::ToBack, true};
    BeatFigure allTicks{RayReach::ToBack, true, true};
    allTicks.highlight = BeatFigure::Highlight::Axis;
    BeatFigure fronts = allTicks;
    fronts.fronts = true;
    // The rays on to F; the flash's crest; the hyperbola's flat crests.
    BeatFigure toF;
    toF.markF = true;
    // Step 4 compares the axis ray with the first ray above it, half a wave apart at F.
    BeatFigure inner = toF;
    inner.second = LessonInnerRay;
    // The flash is step 4's lens again, and follows the same ray as step 4.
    BeatFigure crest = inner;
    crest.flash = true;
    BeatFigure flat = toF;
    flat.fronts = true;
    flat.markF = false;
    // The hyperbola's question shows the light only up to the glass, and no F: it has no focus.
    BeatFigure toHyperbola;
    toHyperbola.reach = RayReach::ToGlass;
    // The meter's readings about the brightest F.
    BeatFigure meter = toF;
    meter.highlight = BeatFigure::Highlight::None;
    // Your turn: F starts away from the focus; the class finds F = 9, where the look shows it.
    std::vector<LessonBeat> yourTurn = Beats(waves(-150, 9), toF, meter);
    yourTurn.front().scene = waves(-150, 5);
    return {
        {"point", classic, 3, Beats(classic, toGlass, toGlass)},
        {"glass", classic, 4, Beats(classic, airTicks, allTicks)},
        {"fronts", classic, 4, Beats(classic, fronts, fronts)},
        {"nofocus", waves(-20, 5), 5, Beats(waves(-20, 5), toF, inner)},
        {"far", waves(-200, 8), 5, WithGiven(Beats(waves(-200, 8), toF, toF))},
        {"offfocus", waves(-200, 20), 4, WithGiven(Beats(waves(-200, 20), toF, toF))},
        {"perfect", perfect, 5, Beats(perfect, toF, toF)},
        {"flash", flash, 5, Beats(flash, toF, crest)},
        {"hyperbola", hyperbola, 5, Beats(hyperbola, toHyperbola, flat)},
        {"yourturn", waves(-150, 5), 5, WithGiven(yourTurn)},
    };
}

const LessonStep& StepAt(int step) {
    return LessonSteps().at(static_cast<std::size_t>(step - 1));
}

std::string Key(const LessonStep& step, std::string_view part) {
    return "lesson." + std::string(step.key) + "." + std::string(part);
}

/// The catalogue's text `part` of step `step`, its numbers filled in.
std::string StepText(int step, std::string_view part, std::string_view language) {
    return FillPlaceholders(Text(Key(StepAt(step), part), language), LessonNumbers(step));
}

/// The lines of `text`, split at its line breaks.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

/// The words a beat of `kind` shows on the stage.
std::string_view ScreenPart(BeatKind kind) {
    switch (kind) {
    case BeatKind::Ask:
        return "question";
    case BeatKind::Look:
        return "look";
    case BeatKind::Explain:
        return "answer";
    }
    return "question";
}

} // namespace

std::string_view BeatKindName(BeatKind kind) {
    switch (kind) {
    case BeatKind::Ask:
        return "ask";
    case BeatKind::Look:
        return "look";
    case BeatKind::Explain:
        return "explain";
    }
    return "ask";
}

const std::vector<LessonStep>& LessonSteps() {
    static const std::vector<LessonStep> steps = MakeSteps();
    return steps;
}

int LessonStepCount() {
    return static_cast<int>(LessonSteps().size());
}

int LessonBeatCount(int step) {
    return static_cast<int>(StepAt(step).beats.size());
}

Controls LessonScene(int step, std::string_view language) {
    Controls scene = StepAt(step).scene;
    SetTextLanguage(scene, language);
    return scene;
}

LessonBeat LessonBeatOf(int step, int beat, std::string_view language) {
    LessonBeat b = StepAt(step).beats.at(static_cast<std::size_t>(beat - 1));
    SetTextLanguage(b.scene, language);
    return b;
}

LessonPage LessonPageOf(int step, std::string_view language) {
    return {step,
            LessonStepCount(),
            StepText(step, "title", language),
            StepText(step, "notes.ask", language),
            StepText(step, "question", language),
            StepText(step, "answer", language)};
}

BeatPage BeatPageOf(int step, int beat, std::string_view language) {
    const BeatKind kind = LessonBeatOf(step, beat, language).kind;
    BeatPage page;
    page.step = step;
    page.steps = LessonStepCount();
    page.beat = beat;
    page.beats = LessonBeatCount(step);
    page.kind = kind;
    page.title = StepText(step, "title", language);
    page.onScreen = {StepText(step, ScreenPart(kind), language)};
    page.notes = StepText(step, "notes." + std::string(BeatKindName(kind)), language);
    page.question = StepText(step, "question", language);
    page.answer = StepText(step, "answer", language);
    page.keyword = StepText(step, "keyword", language);
    return page;
}

std::vector<std::string> LessonFigureLines(int step, std::string_view language) {
    return Lines(StepText(step, "figure", language));
}

std::vector<std::string> LessonGivenLines(int step, std::string_view language) {
    return Lines(StepText(step, "given", language));
}

std::string LessonJson(const LessonPage& page) {
    return JsonObject()
        .Add("step", page.step)
        .Add("steps", page.steps)
        .Add("title", page.title)
        .Add("text", page.text)
        .Add("question", page.question)
        .Add("answer", page.answer)
        .Text();
}

std::string LessonJson(const BeatPage& page) {
    std::string screen = "[";
    for (const std::string& text : page.onScreen) {
        screen += (screen.size() > 1 ? ", " : "") + JsonString(text);
    }
    return JsonObject()
        .Add("step", page.step)
        .Add("steps", page.steps)
        .Add("beat", page.beat)
        .Add("beats", page.beats)
        .Add("kind", BeatKindName(page.kind))
        .Add("title", page.title)
        .Raw("onScreen", screen + "]")
        .Add("notes", page.notes)
        .Add("question", page.question)
        .Add("answer", page.answer)
        .Text();
}

std::string LessonProgress(int step, std::string_view language) {
    return Text("lesson.progress", language,
                {std::to_string(step), std::to_string(LessonStepCount())});
}

} // namespace kymata
