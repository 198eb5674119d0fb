#pragma once

#include "waves/wave_ledger.h"

#include <QWidget>

class QLabel;
class QTableWidget;

namespace kymata {

/// The wave view's ledger beside the canvas: a title, the table of the rays (entry height, air,
/// glass, after, total, phase error, fate) and the summary, in large type for a projector. It
/// only shows the texts the figure core made; a screen reader reads the table cell by cell and
/// the summary as one text.
class LedgerPanel final : public QWidget {
    Q_OBJECT

public:
    explicit LedgerPanel(QWidget* parent = nullptr);

    /// Shows `ledger` under `title`.
    void Show(const waves::WaveLedger& ledger, const QString& title);
    /// The summary as shown, one line a line.
    QString SummaryText() const;

private:
    QLabel* title_;
    QTableWidget* table_;
    QLabel* summary_;
};

} // namespace kymata
