#pragma once

#include "construction/controls.h"
#include "construction/scene.h"
#include "drawing/surface.h"

#include "shell/print_service.h"

#include <QString>

#include <optional>

class QPrinter;

namespace kymata {

/// A page printed to a file: the PDF to write at `path`.
struct PrintedFile {
    QString path;
    QByteArray pdf;
};

struct PrintOutcome {
    bool ok = false;
    /// For the user, in plain words: why, when `ok` is false; else what to know of the file
    /// written (a hard link split), mostly nothing.
    QString message;
    /// For a printer: the page as the print service takes it, to be sent off the window's
    /// thread.
    std::optional<PrintRequest> request;
    /// For a file: the page to write there, as the window writes every file.
    std::optional<PrintedFile> file;
};

/// What the print dialog chose for `printer`, with `pdf` as the document: the queue, the
/// copies, the paper and the sides.
PrintRequest RequestFor(const QPrinter& printer, QByteArray pdf, const QString& title);

/// Runs the print job of PRINT on `printer`: the page is recorded for the printer's printable
/// area and made a PDF of its page layout (as a worksheet, with its counts left blank); printing
/// to a file gives the file to write, printing to a printer the request to send. The canvas and
/// the read-outs get what the job leaves on them.
PrintOutcome PrintToPrinter(QPrinter& printer, const Controls& controls, Scene& scene,
                            Labels& labels, Surface& canvas, bool worksheet = false);

} // namespace kymata
