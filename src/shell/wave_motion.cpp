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

bool DHMIOYRGO_KYKLO::Playing() const {
    return state_.Playing();
}

void DHMIOYRGO_KYKLO::SetPlaying(bool on) {
    if (state_.SetPlaying(on, ReadControls().view)) {
        sinceFrame_.start();
        clock_->start();
    } else {
        clock_->stop();
        EIKON->ClearLayers();
    }
    ShowMotionControls();
}

void DHMIOYRGO_KYKLO::StepFrame() {
    if (state_.StepFrame(ReadControls())) {
        DrawFrame();
    }
}

void DHMIOYRGO_KYKLO::SetSpeed(double speed) {
    state_.SetSpeed(speed);
    ShowMotionControls();
}

void DHMIOYRGO_KYKLO::Flash() {
    const bool wasPlaying = Playing();
    if (!state_.StartFlash(ReadControls().view)) {
        return;
    }
    if (!wasPlaying) {
        SetPlaying(true);
    }
    DrawFrame();
}

void DHMIOYRGO_KYKLO::Advance(double seconds) {
    state_.Advance(seconds, ReadControls());
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
    const bool waves = ShowsWaves();
    const ControlTexts texts = ControlTextsFor(Language());
    playButton_->setText(Playing() ? Q(texts.pauseCaption) : Q(texts.playCaption));
    playAction_->setChecked(Playing());
    speedLabel_->setText(Q(texts.speed).arg(Speed()));
    for (QWidget* control :
         {static_cast<QWidget*>(perfectLens_), static_cast<QWidget*>(playButton_),
          static_cast<QWidget*>(flashButton_), static_cast<QWidget*>(bestFocusButton_),
          static_cast<QWidget*>(speedLabel_)}) {
        control->setVisible(waves);
    }
    slowerAction_->setEnabled(Speed() > WindowState::SlowestSpeed);
    fasterAction_->setEnabled(Speed() < WindowState::FastestSpeed);
    stepAction_->setEnabled(waves && !Playing());
}

void DHMIOYRGO_KYKLO::SetWaveView(bool on) {
    HandledNow(waveView_);
    ShowView(on ? FirstViewTracingWaves() : View::Classic);
}

void DHMIOYRGO_KYKLO::WaveView_Click() {
    ShowView(waveView_->isChecked() ? FirstViewTracingWaves() : View::Classic);
}

void DHMIOYRGO_KYKLO::ShowView(View view) {
    state_.SetView(view);
    waveView_->blockSignals(true);
    waveView_->setChecked(TracesWaves(view));
    waveView_->blockSignals(false);
    if (!TracesWaves(view)) {
        SetPlaying(false);
        state_.LeaveWaves();
    }
    ApplyLayout();
    DrawConstruction();
}

} // namespace kymata
