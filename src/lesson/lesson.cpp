#include "lesson/lesson.h"

#include "drawing/figure_json.h"
#include "texts/catalogue.h"

#include <algorithm>

namespace kymata {

namespace {

/// A scene of the lesson: the controls' start values changed by `change`.
template <typename Change> Controls SceneOf(Change change) {
    Controls c;
    change(c);
    return c;
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
    return {
        {"point", Controls{}, 3},    {"glass", Controls{}, 4},
        {"fronts", Controls{}, 4},   {"nofocus", waves(-20, 5), 5},
        {"far", waves(-200, 8), 5},  {"offfocus", waves(-200, 20), 4},
        {"perfect", perfect, 5},     {"flash", flash, 5},
        {"hyperbola", hyperbola, 5}, {"yourturn", waves(-200, 5), 5},
    };
}

std::string Key(const LessonStep& step, std::string_view part) {
    return "lesson." + std::string(step.key) + "." + std::string(part);
}

} // namespace

const std::vector<LessonStep>& LessonSteps() {
    static const std::vector<LessonStep> steps = MakeSteps();
    return steps;
}

int LessonStepCount() {
    return static_cast<int>(LessonSteps().size());
}

Controls LessonScene(int step, std::string_view language) {
    Controls scene = LessonSteps().at(static_cast<std::size_t>(step - 1)).scene;
    SetTextLanguage(scene, language);
    return scene;
}

LessonPage LessonPageOf(int step, std::string_view language) {
    const LessonStep& s = LessonSteps().at(static_cast<std::size_t>(step - 1));
    const std::vector<std::string> numbers = LessonNumbers(step);
    const auto text = [&](std::string_view part) {
        return FillPlaceholders(Text(Key(s, part), language), numbers);
    };
    return {step, LessonStepCount(), text("title"), text("text"), text("question"), text("answer")};
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

std::string LessonProgress(int step, std::string_view language) {
    return Text("lesson.progress", language,
                {std::to_string(step), std::to_string(LessonStepCount())});
}

} // namespace kymata
