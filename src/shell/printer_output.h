#pragma once

#include "construction/controls.h"
#include "construction/scene.h"
#include "drawing/surface.h"

#include <QString>

class QPrinter;

namespace kymata {

struct PrintOutcome {
    bool ok = false;
    /// For the user, in plain words, when `ok` is false.
    QString message;
};

/// Runs the print job of PRINT on `printer`: the page is recorded for the printer's printable
/// area, then drawn on the printer and sent (as a worksheet, with its counts left blank). The
/// canvas and the read-outs get what the job leaves on them.
PrintOutcome PrintToPrinter(QPrinter& printer, const Controls& controls, Scene& scene,
                            Labels& labels, Surface& canvas, bool worksheet = false);

} // namespace kymata
