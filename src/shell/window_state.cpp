#include "shell/window_state.h"

#include "construction/views.h"
#include "lesson/lesson.h"
#include "waves/wave_trace.h"
#include "waves/wave_view.h"

#include <algorithm>
#include <cmath>

namespace kymata {

Controls WindowState::ForRedraw(Controls shown) const {
    shown.moreLanguage = moreLanguage_;
    if (!moreLanguage_.empty()) {
        shown.ELLINIKA = false;
    }
    shown.perfectLens = TakesLensShape(shown.view) && shown.perfectLens;
    const bool moving = HasMovingCrests(shown.view);
    shown.phase.reset();
    shown.flash.reset();
    if (moving && flash_) {
        shown.flash = flash_;
    } else if (moving && (playing_ || phase_ > 0)) {
        shown.phase = phase_;
    }
    return shown;
}

bool WindowState::SetPlaying(bool on, View view) {
    playing_ = on && HasMovingCrests(view);
    return playing_;
}

bool WindowState::StepFrame(const Controls& redrawn) {
    if (!HasMovingCrests(redrawn.view) || playing_) {
        return false;
    }
    Advance(FramePeriods / speed_, redrawn);
    return true;
}

void WindowState::SetSpeed(double speed) {
    speed_ = std::clamp(speed, SlowestSpeed, FastestSpeed);
}

bool WindowState::StartFlash(View view) {
    if (!HasMovingCrests(view)) {
        return false;
    }
    flash_ = 0.0;
    playing_ = true;
    return true;
}

void WindowState::Advance(double seconds, const Controls& redrawn) {
    const double periods = std::max(0.0, seconds) * speed_;
    if (flash_) {
        // A flash crosses the figure in FlashSeconds at speed 1, whatever its length.
        const double most = waves::MostCount(waves::TraceWaves(redrawn));
        *flash_ += periods * std::max(most, 1.0) / FlashSeconds;
        if (*flash_ > most) {
            flash_.reset();
        }
    } else {
        phase_ = std::fmod(phase_ + periods, 1.0);
    }
}

void WindowState::LeaveWaves() {
    playing_ = false;
    flash_.reset();
    phase_ = 0;
}

Controls WindowState::OpenLesson(int step, std::string_view language) {
    lessonStep_ = std::clamp(step, 1, LessonStepCount());
    const Controls scene = LessonScene(lessonStep_, language);
    playing_ = false;
    phase_ = 0;
    flash_ = scene.flash;
    moreLanguage_ = scene.moreLanguage;
    return scene;
}

std::optional<int> WindowState::NextStep() const {
    if (lessonStep_ > 0 && lessonStep_ < LessonStepCount()) {
        return lessonStep_ + 1;
    }
    return std::nullopt;
}

std::optional<int> WindowState::PreviousStep() const {
    if (lessonStep_ > 1) {
        return lessonStep_ - 1;
    }
    return std::nullopt;
}

std::optional<int> WindowState::SameStep() const {
    if (lessonStep_ > 0) {
        return lessonStep_;
    }
    return std::nullopt;
}

} // namespace kymata
