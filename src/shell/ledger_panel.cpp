#include "shell/ledger_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kymata {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

LedgerPanel::LedgerPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ledger"));
    // Larger than the window's other texts: it is read from the back of a classroom.
    QFont large = font();
    large.setPointSizeF(large.pointSizeF() * 1.1);
    setFont(large);
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("ledgerTitle"));
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    title_->setFont(titleFont);
    title_->setWordWrap(true);
    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("ledgerTable"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->setAlternatingRowColors(true);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("ledgerSummary"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    summary_->setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title_);
    layout->addWidget(table_, 1);
    layout->addWidget(summary_);
}

void LedgerPanel::Show(const waves::WaveLedger& ledger, const QString& title) {
    title_->setText(title);
    table_->setAccessibleName(title);
    table_->setColumnCount(static_cast<int>(ledger.columns.size()));
    QStringList headers;
    for (const std::string& column : ledger.columns) {
        headers << Text(column);
    }
    table_->setHorizontalHeaderLabels(headers);
    table_->setRowCount(static_cast<int>(ledger.rows.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        const auto& row = ledger.rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < table_->columnCount() && c < static_cast<int>(row.size()); ++c) {
            auto* item = table_->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(c + 1 < table_->columnCount()
                                           ? Qt::AlignRight | Qt::AlignVCenter
                                           : Qt::AlignLeft | Qt::AlignVCenter);
                table_->setItem(r, c, item);
            }
            item->setText(Text(row[static_cast<std::size_t>(c)]));
        }
    }
    table_->setVisible(!ledger.rows.empty());
    QStringList lines;
    for (const waves::LedgerLine& line : ledger.summary) {
        lines << Text(line.Text());
    }
    summary_->setText(lines.join(QLatin1Char('\n')));
    summary_->setAccessibleName(lines.join(QStringLiteral("; ")));
}

QString LedgerPanel::SummaryText() const {
    return summary_->text();
}

} // namespace kymata
