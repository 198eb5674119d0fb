#pragma once

#include "construction/controls.h"

#include <optional>
#include <string>
#include <string_view>

namespace kymata {

/// What the user has set in the window beyond the values its controls show: the view, a
/// language beyond GREEK and ENGLISH, the wave view's moving crests (playing or paused, their phase
/// and speed, a flash on its way) and the lesson's step. Its transitions hold the rules the window
/// follows; the window shows the state and hands it the user's actions, and the tests drive it
/// with no window at all.
class WindowState {
public:
    /// The slowest and fastest speeds of the crests, in periods a second, and the share of a
    /// period one frame on moves them.
    static constexpr double SlowestSpeed = 0.25;
    static constexpr double FastestSpeed = 4;
    static constexpr double FramePeriods = 1.0 / 60;
    /// How long a flash takes to cross the figure at speed 1, in seconds.
    static constexpr double FlashSeconds = 8;

    /// The controls a redraw reads: `shown`, the values the controls show, with the language
    /// beyond the switch and, in a view that traces waves, the flash on its way or the crests'
    /// phase (the perfect lens only there).
    Controls ForRedraw(Controls shown) const;

    /// The view shown, one of the table of views.
    View ShownView() const { return view_; }
    void SetView(View view) { view_ = view; }

    /// A language beyond GREEK and ENGLISH by its code; empty while the switch chooses.
    const std::string& MoreLanguage() const { return moreLanguage_; }
    void SetMoreLanguage(std::string_view code) { moreLanguage_ = code; }

    bool Playing() const { return playing_; }
    double Phase() const { return phase_; }
    double Speed() const { return speed_; }
    std::optional<double> FlashCount() const { return flash_; }

    /// Plays or pauses the crests; only a view that traces waves plays. True when they play.
    bool SetPlaying(bool on, View view);
    /// The crests a frame on while paused in a view that traces waves; false elsewhere.
    bool StepFrame(const Controls& redrawn);
    /// The speed, kept within `SlowestSpeed` and `FastestSpeed`.
    void SetSpeed(double speed);
    /// Sends one flash from the source and plays it, in a view that traces waves; false
    /// elsewhere.
    bool StartFlash(View view);
    /// Moves the crests on by `seconds` at the speed: the phase round the period, or the flash
    /// across the figure of `redrawn` in `FlashSeconds` at speed 1, ending once it has left it.
    void Advance(double seconds, const Controls& redrawn);
    /// Leaving the views that trace waves: the crests stop where they started, the flash ends.
    void LeaveWaves();

    /// The lesson's step, 1-based; 0 while the lesson is closed.
    int LessonStep() const { return lessonStep_; }
    /// Opens the lesson at `step` (kept within its steps): the crests stop, the step's flash
    /// starts where it has one. Returns the step's scene in `language`.
    Controls OpenLesson(int step, std::string_view language);
    /// The step Next, Back and Again open; empty where there is none (at the ends, or with the
    /// lesson closed).
    std::optional<int> NextStep() const;
    std::optional<int> PreviousStep() const;
    std::optional<int> SameStep() const;
    /// Leaves the lesson; the scene stays as it is.
    void CloseLesson() { lessonStep_ = 0; }

private:
    View view_ = View::Classic;
    std::string moreLanguage_;
    bool playing_ = false;
    double phase_ = 0;
    double speed_ = 1;
    std::optional<double> flash_;
    int lessonStep_ = 0;
};

} // namespace kymata
