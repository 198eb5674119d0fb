#pragma once

#include "shell/recording_surface.h"

#include <QWidget>

namespace kymata {

/// The canvas `EIKON`: a widget that owns a recorded figure and shows it, scaled to its size.
///
/// The constructions draw on `Surface()`, a recording; the widget only replays it when painted,
/// so the figure stays when the window is covered or resized, vector-sharp at any pixel ratio.
class CanvasWidget final : public QWidget {
    Q_OBJECT

public:
    explicit CanvasWidget(QWidget* parent = nullptr);

    /// The drawing surface of the canvas. Call `update()` after drawing on it.
    kymata::Surface& Surface() { return surface_; }
    const Recording& Figure() const { return surface_.Figure(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    RecordingSurface surface_;
};

} // namespace kymata
