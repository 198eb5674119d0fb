#include "shell/canvas_motion.h"

#include "figure/draw_construction.h"
#include "figure/figure_content.h"
#include "shell/canvas_widget.h"
#include "shell/window_state.h"
#include "waves/wave_view.h"

#include <QTimer>

#include <utility>

namespace kymata {

CanvasWidget* CanvasMotion::MakeCanvas(QWidget& window) {
    auto* canvas = new CanvasWidget(&window);
    canvas->setObjectName(QStringLiteral("EIKON"));
    canvas->Surface().Scale(-100, 100, 100, -100);
    return canvas;
}

QTimer* CanvasMotion::MakeClock(QWidget& window) {
    auto* clock = new QTimer(&window);
    clock->setTimerType(Qt::PreciseTimer);
    clock->setInterval(16);
    return clock;
}

CanvasMotion::CanvasMotion(QWidget& window, WindowState& state, std::function<Controls()> controls,
                           Scene& scene, Labels& labels)
    : window_(window), state_(state), controls_(std::move(controls)), scene_(scene),
      labels_(labels) {
    connect(clock_, &QTimer::timeout, this, [this] {
        const double seconds = sinceFrame_.restart() / 1000.0;
        Advance(seconds);
    });
}

void CanvasMotion::SetPlaying(bool on) {
    if (state_.SetPlaying(on, controls_().view)) {
        sinceFrame_.start();
        clock_->start();
    } else {
        clock_->stop();
        canvas_->ClearLayers();
    }
    Q_EMIT PlayingChanged();
}

void CanvasMotion::StepFrame() {
    if (state_.StepFrame(controls_())) {
        DrawFrame();
    }
}

void CanvasMotion::Flash() {
    const bool wasPlaying = state_.Playing();
    if (!state_.StartFlash(controls_().view)) {
        return;
    }
    if (!wasPlaying) {
        SetPlaying(true);
    }
    DrawFrame();
}

void CanvasMotion::Advance(double seconds) {
    state_.Advance(seconds, controls_());
    DrawFrame();
}

void CanvasMotion::DrawFrame() {
    const Controls controls = controls_();
    DrawFigure(controls, scene_, labels_, canvas_->Surface());
    if (state_.Playing()) {
        // The still part is painted once and kept; each frame lays the crests over it.
        using Layer = waves::CrestOptions::Layer;
        Controls still = controls;
        still.phase.reset();
        still.flash.reset();
        const double texts = canvas_->Surface().TextScale;
        canvas_->ShowLayers(DrawWaveLayer(still, Layer::WithoutCrests, texts),
                            DrawWaveLayer(controls, Layer::CrestsOnly, texts));
    } else {
        canvas_->ClearLayers();
    }
    canvas_->update();
}

} // namespace kymata
