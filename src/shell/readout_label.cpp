#include "shell/readout_label.h"

#include <QPainter>
#include <QStyle>

namespace kymata {

ReadoutLabel::ReadoutLabel(const QString& name, QWidget* parent) : QLabel(name, parent) {
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QString ReadoutLabel::Shown() const {
    QString shown = text();
    qsizetype i = shown.size();
    while (i > 0 && !shown[i - 1].isDigit()) {
        --i;
    }
    // Only spaces between two words of the unit: one before the unit still lets it move whole.
    const qsizetype unit = shown.indexOf(QLatin1Char(' '), i) + 1;
    if (unit > 0) {
        for (qsizetype k = unit; k < shown.size(); ++k) {
            if (shown[k] == QLatin1Char(' ')) {
                shown[k] = QChar(QChar::Nbsp);
            }
        }
    }
    return shown;
}

void ReadoutLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect room =
        contentsRect().marginsRemoved(QMargins(margin(), margin(), margin(), margin()));
    style()->drawItemText(
        &painter, room, QStyle::visualAlignment(layoutDirection(), alignment()) | Qt::TextWordWrap,
        palette(), isEnabled(), Shown(), foregroundRole());
}

} // namespace kymata
