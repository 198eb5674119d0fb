#pragma once

#include "construction/controls.h"
#include "construction/scene.h"

#include <QElapsedTimer>
#include <QObject>

#include <functional>

class QTimer;
class QWidget;

namespace kymata {

class CanvasWidget;
class WindowState;

/// The canvas `EIKON` with its zoom, and the wave view's crests moving on it: the clock that
/// moves them about every 16 ms while they play, one frame on, the flash, each frame the still
/// figure painted once and the crests laid over it. The crests' rules are the window state's.
class CanvasMotion final : public QObject {
    Q_OBJECT

public:
    /// Makes the canvas and its clock on `window`; the crests follow `state`, on the figure of
    /// the controls `controls` reads, drawn into `scene` and `labels`.
    CanvasMotion(QWidget& window, WindowState& state, std::function<Controls()> controls,
                 Scene& scene, Labels& labels);

    CanvasWidget& Canvas() const { return *canvas_; }
    /// Plays or pauses the crests, in a view that traces waves; `PlayingChanged` after.
    void SetPlaying(bool on);
    /// One frame on while paused.
    void StepFrame();
    /// Sends one flash from the source, playing it.
    void Flash();
    /// Moves the crests on by `seconds` of play and draws the frame.
    void Advance(double seconds);
    /// Draws the figure on the canvas for a new frame: in layers while the crests play.
    void DrawFrame();

Q_SIGNALS:
    void PlayingChanged();

private:
    static CanvasWidget* MakeCanvas(QWidget& window);
    static QTimer* MakeClock(QWidget& window);

    QWidget& window_;
    WindowState& state_;
    std::function<Controls()> controls_;
    Scene& scene_;
    Labels& labels_;
    CanvasWidget* const canvas_ = MakeCanvas(window_);
    QTimer* const clock_ = MakeClock(window_);
    QElapsedTimer sinceFrame_;
};

} // namespace kymata
