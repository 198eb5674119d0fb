// The wave view's moving crests: play and pause, one frame on, the speed and the flash.

#include "shell/main_window.h"

#include "figure/control_texts.h"
#include "figure/draw_construction.h"
#include "figure/figure_content.h"
#include "shell/canvas_widget.h"
#include "shell/window_texts.h"
#include "waves/wave_trace.h"
#include "waves/wave_view.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace kymata {

namespace {

/// How long a flash takes to cross the figure at speed 1.
constexpr double FlashSeconds = 8;

} // namespace

bool DHMIOYRGO_KYKLO::Playing() const {
    return clock_->isActive();
}

void DHMIOYRGO_KYKLO::SetPlaying(bool on) {
    if (on && !waveView_->isChecked()) {
        on = false;
    }
    if (on) {
        sinceFrame_.start();
        clock_->start();
    } else {
        clock_->stop();
        EIKON->ClearLayers();
    }
    ShowMotionControls();
}

void DHMIOYRGO_KYKLO::StepFrame() {
    if (waveView_->isChecked() && !Playing()) {
        Advance(1.0 / 60 / speed_);
    }
}

void DHMIOYRGO_KYKLO::SetSpeed(double speed) {
    speed_ = std::clamp(speed, 0.25, 4.0);
    ShowMotionControls();
}

void DHMIOYRGO_KYKLO::Flash() {
    if (!waveView_->isChecked()) {
        return;
    }
    flashCount_ = 0.0;
    if (!Playing()) {
        SetPlaying(true);
    }
    DrawFrame();
}

void DHMIOYRGO_KYKLO::Advance(double seconds) {
    const double periods = std::max(0.0, seconds) * speed_;
    if (flashCount_) {
        // A flash crosses the figure in FlashSeconds at speed 1, whatever its length.
        const double most = waves::MostCount(waves::TraceWaves(ReadControls()));
        *flashCount_ += periods * std::max(most, 1.0) / FlashSeconds;
        if (*flashCount_ > most) {
            flashCount_.reset();
        }
    } else {
        phase_ = std::fmod(phase_ + periods, 1.0);
    }
    DrawFrame();
}

void DHMIOYRGO_KYKLO::DrawFrame() {
    const Controls controls = ReadControls();
    DrawFigure(controls, scene_, labels_, EIKON->Surface());
    if (Playing()) {
        // The still part is painted once and kept; each frame lays the crests over it.
        using Layer = waves::CrestOptions::Layer;
        Controls still = controls;
        still.phase.reset();
        still.flash.reset();
        const double texts = EIKON->Surface().TextScale;
        EIKON->ShowLayers(DrawWaveLayer(still, Layer::WithoutCrests, texts),
                          DrawWaveLayer(controls, Layer::CrestsOnly, texts));
    } else {
        EIKON->ClearLayers();
    }
    EIKON->update();
}

void DHMIOYRGO_KYKLO::ShowMotionControls() {
    const bool waves = waveView_->isChecked();
    const ControlTexts texts = ControlTextsFor(Language());
    playButton_->setText(Playing() ? Q(texts.pauseCaption) : Q(texts.playCaption));
    playAction_->setChecked(Playing());
    speedLabel_->setText(Q(texts.speed).arg(speed_));
    for (QWidget* control :
         {static_cast<QWidget*>(perfectLens_), static_cast<QWidget*>(playButton_),
          static_cast<QWidget*>(flashButton_), static_cast<QWidget*>(bestFocusButton_),
          static_cast<QWidget*>(speedLabel_)}) {
        control->setVisible(waves);
    }
    slowerAction_->setEnabled(speed_ > 0.25);
    fasterAction_->setEnabled(speed_ < 4);
    stepAction_->setEnabled(waves && !Playing());
}

void DHMIOYRGO_KYKLO::SetWaveView(bool on) {
    HandledNow(waveView_);
    waveView_->setChecked(on);
    WaveView_Click();
}

void DHMIOYRGO_KYKLO::WaveView_Click() {
    if (!waveView_->isChecked()) {
        SetPlaying(false);
        flashCount_.reset();
        phase_ = 0;
    }
    ApplyLayout();
    DrawConstruction();
}

} // namespace kymata
