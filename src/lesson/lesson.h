#pragma once

#include "construction/controls.h"
#include "waves/wave_trace.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kymata {

/// What a beat of a step does with the class: it asks the question (the class predicts), lets
/// the class look (the observation appears), or explains (the answer).
enum class BeatKind { Ask, Look, Explain };

/// The name of a kind in the figure document: "ask", "look" or "explain".
std::string_view BeatKindName(BeatKind kind);

/// How far a beat's figure draws the rays: up to the front of the glass, through the glass to
/// its back face, or on behind the lens.
enum class RayReach { ToGlass, ToBack, Through };

/// What a beat's figure shows of its scene; everything else is left out.
struct BeatFigure {
    RayReach reach = RayReach::Through;
    /// A tick at every whole wave along the rays, in air; `glassTicks` inside the glass too.
    bool ticks = false;
    bool glassTicks = false;
    /// The wavefronts: the lines joining equal counts on neighbouring rays.
    bool fronts = false;
    /// The flash of the scene: its one crest.
    bool flash = false;
    /// The target point F marked on the axis.
    bool markF = false;
    /// The step's numbers written large ("lesson.KEY.figure", one line a text).
    bool written = false;
    /// The numbers the question gives written above them ("lesson.KEY.given"), in black.
    bool given = false;
    /// The rays those numbers are about, highlighted with their lines in the same colour: none
    /// (the lines black), the axis ray (every line in its colour), or the axis ray and the
    /// outer ray (the first line in the axis ray's colour, the second in the outer ray's).
    enum class Highlight { None, Axis, AxisAndOuter } highlight = Highlight::AxisAndOuter;
    /// The second highlighted ray, by its place in the fan of 25: the outer ray, or another
    /// that the step's numbers name.
    std::size_t second = waves::FanRays - 1;
};

/// One beat of a step: its kind, the scene its figure shows and what the figure shows of it.
/// Its words are the catalogue's "lesson.KEY.question" (the ask beat), "lesson.KEY.look" (the
/// look beat) and "lesson.KEY.answer" (the explain beat); its teacher's notes
/// "lesson.KEY.notes.ask", ".notes.look" and ".notes.explain".
struct LessonBeat {
    BeatKind kind = BeatKind::Ask;
    Controls scene;
    BeatFigure figure;
};

/// One step of the lesson "why a lens focuses": the scene the window shows, the key of its texts
/// in the message catalogue ("lesson.KEY.title", ...), the minutes it takes in a 45-minute
/// class, and its beats: ask, look, explain.
struct LessonStep {
    std::string_view key;
    Controls scene;
    int minutes = 0;
    std::vector<LessonBeat> beats;
};

/// The steps in order.
const std::vector<LessonStep>& LessonSteps();

/// The number of steps.
int LessonStepCount();

/// The number of beats of step `step` (1-based, within 1..`LessonStepCount`()).
int LessonBeatCount(int step);

/// The scene of step `step` (1-based, within 1..`LessonStepCount`()) in the language `language`.
Controls LessonScene(int step, std::string_view language);

/// The beat `beat` (1-based) of step `step`, its scene in the language `language`.
LessonBeat LessonBeatOf(int step, int beat, std::string_view language);

/// What a step says, in one language, with every number computed from its scene: its title,
/// what the teacher says as the question is asked (`text`, the ask beat's notes), the question
/// and the answer.
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

/// What one beat says: the stage's own texts, the teacher's notes, and the step's question and
/// answer, in one language.
struct BeatPage {
    int step = 0;
    int steps = 0;
    int beat = 0;
    int beats = 0;
    BeatKind kind = BeatKind::Ask;
    std::string title;
    std::vector<std::string> onScreen;
    std::string notes;
    std::string question;
    std::string answer;
    /// The answer's key word (or number): what the ask beat must not give away.
    std::string keyword;
};

/// The texts of beat `beat` of step `step` (both 1-based) in `language`.
BeatPage BeatPageOf(int step, int beat, std::string_view language);

/// The lines step `step` writes large on the figures of its later beats, numbers filled in.
std::vector<std::string> LessonFigureLines(int step, std::string_view language);

/// The lines of the numbers step `step`'s question gives, which its figures write on every beat.
std::vector<std::string> LessonGivenLines(int step, std::string_view language);

/// The numbers a step quotes, as its texts show them ("14", "41.05"), in the order of their
/// placeholders %1, %2, ...: computed from the step's own scene, so that the words change when
/// the optics does.
std::vector<std::string> LessonNumbers(int step);

/// The lesson's object in a figure document: {"step": N, "steps": M, "title": ..., "text":
/// ..., "question": ..., "answer": ...}.
std::string LessonJson(const LessonPage& page);

/// A beat's object in a figure document: {"step", "steps", "beat", "beats", "kind", "title",
/// "onScreen": [...], "notes", "question", "answer"}.
std::string LessonJson(const BeatPage& page);

/// The step a bar of the window or page shows: "Step 3 of 10" in the language.
std::string LessonProgress(int step, std::string_view language);

} // namespace kymata
