#include "shell/ledger_panel.h"
#include "construction/views.h"

#include "export/said.h"
#include "figure/control_texts.h"

#include <QCheckBox>
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

void LedgerPanel::ShowTrace(const std::optional<waves::WaveTrace>& trace,
                            const Controls& controls) {
    const bool traced = HasLedger(controls.view);
    if (traced && trace) {
        const std::string_view language = TextLanguage(controls);
        Show(waves::MakeLedger(*trace, language), Text(ControlTextsFor(language).ledgerTitle),
             Said("ledger.details", language));
    }
    setVisible(traced && width() > 0);
}

QFont LedgerPanel::BaseFont() const {
    QFont larger = font();
    larger.setPointSizeF(larger.pointSizeF() * 1.1);
    return larger;
}

QLabel* LedgerPanel::MakeTitle() {
    auto* title = new QLabel(this);
    title->setObjectName(QStringLiteral("ledgerTitle"));
    QFont titleFont = base_;
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    title->setFont(titleFont);
    title->setWordWrap(true);
    return title;
}

QCheckBox* LedgerPanel::MakeDetails() {
    auto* details = new QCheckBox(this);
    details->setObjectName(QStringLiteral("ledgerDetails"));
    connect(details, &QCheckBox::toggled, this, &LedgerPanel::ShowColumns);
    return details;
}

QTableWidget* LedgerPanel::MakeTable() {
    auto* table = new QTableWidget(this);
    table->setObjectName(QStringLiteral("ledgerTable"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setAlternatingRowColors(true);
    return table;
}

QLabel* LedgerPanel::MakeNote(const char* name) {
    auto* note = new QLabel(this);
    note->setObjectName(QString::fromLatin1(name));
    note->setWordWrap(true);
    return note;
}

LedgerPanel::LedgerPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ledger"));
    setFont(base_);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    summary_->setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title_);
    layout->addWidget(details_);
    layout->addWidget(table_, 1);
    layout->addWidget(rule_);
    layout->addWidget(summary_);
}

void LedgerPanel::Show(const waves::WaveLedger& ledger, const QString& title,
                       const QString& detailsCaption) {
    title_->setText(title);
    details_->setText(detailsCaption);
    rule_->setText(Text(ledger.rule));
    classColumns_ = ledger.classColumns;
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
    details_->setVisible(!ledger.rows.empty());
    rule_->setVisible(!ledger.rows.empty());
    ShowColumns();
    QStringList lines;
    for (const std::string& sentence : waves::SummarySentences(ledger.summary)) {
        lines << Text(sentence);
    }
    summary_->setText(lines.join(QLatin1Char('\n')));
    summary_->setAccessibleName(lines.join(QStringLiteral("; ")));
}

void LedgerPanel::ShowColumns() {
    for (int c = 0; c < table_->columnCount(); ++c) {
        table_->setColumnHidden(c, !details_->isChecked() &&
                                       static_cast<std::size_t>(c) >= classColumns_);
    }
}

void LedgerPanel::SetScale(double scale) {
    QFont font = base_;
    font.setPointSizeF(base_.pointSizeF() * scale);
    setFont(font);
    QFont titleFont = font;
    titleFont.setBold(true);
    titleFont.setPointSizeF(font.pointSizeF() * 1.2);
    title_->setFont(titleFont);
}

QString LedgerPanel::SummaryText() const {
    return summary_->text();
}

} // namespace kymata
