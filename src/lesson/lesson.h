#pragma once

#include "construction/controls.h"

#include <string>
#include <string_view>
#include <vector>

namespace kymata {

/// One step of the lesson "why a lens focuses": the scene it shows, the key of its texts in the
/// message catalogue ("lesson.KEY.title", ".text", ".question", ".answer"), and the minutes
/// it takes in a 45-minute class.
struct LessonStep {
    std::string_view key;
    Controls scene;
    int minutes = 0;
};

/// The steps in order.
const std::vector<LessonStep>& LessonSteps();

/// The number of steps.
int LessonStepCount();

/// The scene of step `step` (1-based, within 1..`LessonStepCount`()) in the language `language`.
Controls LessonScene(int step, std::string_view language);

/// What a step says, in one language, with every number computed from its scene.
struct LessonPage {
    int step = 0;
    int steps = 0;
    std::string title;
    std::string text;
    std::string question;
    std::string answer;
};

/// The texts of step `step` (1-based) in Greek (`language`) or English.
LessonPage LessonPageOf(int step, std::string_view language);

/// The numbers a step quotes, as its texts show them ("14", "41.05"), in the order of their
/// placeholders %1, %2, ...: computed from the step's own scene, so that the words change when
/// the optics does.
std::vector<std::string> LessonNumbers(int step);

/// The lesson's object in a figure document: {"step": N, "steps": M, "title": ..., "text":
/// ..., "question": ..., "answer": ...}.
std::string LessonJson(const LessonPage& page);

/// The step a bar of the window or page shows: "Step 3 of 10" in the language.
std::string LessonProgress(int step, std::string_view language);

} // namespace kymata
