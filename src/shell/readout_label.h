#pragma once

#include <QLabel>

class QPaintEvent;

namespace kymata {

/// A read-out beside a scroll bar: its text word-wraps in the design's narrow width, but the
/// words of the unit after the value ("μήκη κύματος") stay on one line, so that a long value
/// moves the whole term to the next line instead of splitting it. The text itself, which
/// screen readers and the tests read, is the catalogue's unchanged.
class ReadoutLabel final : public QLabel {
public:
    /// A read-out named `name` (its object name and its first text) on `parent`.
    ReadoutLabel(const QString& name, QWidget* parent);

    /// The text as it is laid out: the spaces between the words after the last digit are
    /// no-break spaces.
    QString Shown() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kymata
