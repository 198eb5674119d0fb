#pragma once

#include "construction/controls.h"
#include "waves/wave_ledger.h"
#include "waves/wave_trace.h"

#include <QWidget>

#include <optional>

class QCheckBox;
class QLabel;
class QTableWidget;

namespace kymata {

/// The wave view's ledger beside the canvas: a title, the table of the rays for the class (ray,
/// height, waves to F, difference from the axial ray, within 1/8 wave) with its rule under it, the
/// other columns behind "Details", and the summary, in large type for a projector. It only
/// shows the texts the figure core made; a screen reader reads the table cell by cell and the
/// summary as one text.
class LedgerPanel final : public QWidget {
    Q_OBJECT

public:
    explicit LedgerPanel(QWidget* parent = nullptr);

    /// Shows `ledger` under `title`, with "Details" in the language of `detailsCaption`.
    void Show(const waves::WaveLedger& ledger, const QString& title,
              const QString& detailsCaption = {});
    /// Shows the ledger of `trace` for the figure of `controls` while its view traces waves,
    /// where it has been given room; hides it elsewhere.
    void ShowTrace(const std::optional<waves::WaveTrace>& trace, const Controls& controls);
    /// The type scale: 1, or that of presentation mode.
    void SetScale(double scale);
    /// The summary as shown, one line a line.
    QString SummaryText() const;

private:
    void ShowColumns();
    /// Larger than the window's other texts: it is read from the back of a classroom.
    QFont BaseFont() const;
    QLabel* MakeTitle();
    QCheckBox* MakeDetails();
    QTableWidget* MakeTable();
    /// A wrapped text under the table, named `name`.
    QLabel* MakeNote(const char* name);

    QFont base_ = BaseFont();
    QLabel* const title_ = MakeTitle();
    // Made before the table, so that Tab reaches it first.
    QCheckBox* const details_ = MakeDetails();
    QTableWidget* const table_ = MakeTable();
    QLabel* const rule_ = MakeNote("ledgerRule");
    QLabel* const summary_ = MakeNote("ledgerSummary");
    std::size_t classColumns_ = 0;
};

} // namespace kymata
