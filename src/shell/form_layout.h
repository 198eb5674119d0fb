#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

namespace kymata {

/// A control of the form as designed: position and size in twips (1/1440 inch).
struct DesignedControl {
    const char* name;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
};

/// The canvas and the thirteen controls of the form, in tab order, with their design geometry.
const std::vector<DesignedControl>& DesignedControls();

/// Where each control goes in a client area of `client` pixels, at `dpi` logical dots per inch.
///
/// The form's coordinates run from 0 to 100 both ways, x from the left, y from the bottom; the
/// square canvas is 0.9 of the height on a side with its top-left corner one form unit from the
/// left and top edges, and the controls stand to its right as the start-up places them. Sizes
/// kept from the design are converted from twips at `dpi`.
struct FormLayout {
    struct Placement {
        QString name;
        QRect rect;
    };
    std::vector<Placement> placements;

    /// The rectangle of the control `name`; an empty one for a name not on the form.
    QRect Rect(const QString& name) const;
};

FormLayout ComputeFormLayout(QSize client, double dpi);

/// The same arrangement around a square canvas of `canvasSide` pixels instead of 0.9 of the
/// height: every control keeps its place relative to the canvas.
FormLayout ComputeFormLayout(QSize client, double dpi, double canvasSide);

} // namespace kymata
