#pragma once

#include "waves/wave_ledger.h"

#include <QWidget>

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
    /// The type scale: 1, or that of presentation mode.
    void SetScale(double scale);
    /// The summary as shown, one line a line.
    QString SummaryText() const;

private:
    void ShowColumns();

    QLabel* title_;
    QCheckBox* details_;
    QTableWidget* table_;
    QLabel* rule_;
    QLabel* summary_;
    std::size_t classColumns_ = 0;
    QFont base_;
};

} // namespace kymata
