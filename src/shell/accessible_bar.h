#pragma once

#include <QAccessibleWidget>

class QScrollBar;

namespace kymata {

/// What a screen reader finds on one of the four scene scroll bars: its value as the read-out
/// shows it (n = 1.50, not 150; the source 20 wavelengths away, not -20), with the shown range
/// and step, and setting a value sets the bar to the nearest step. Other scroll bars keep the
/// toolkit's own interface.
class AccessibleSceneBar final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleSceneBar(QScrollBar* bar);

    /// The interface for `object` when it is a scene scroll bar, else none; for
    /// `QAccessible::installFactory`.
    static QAccessibleInterface* Factory(const QString& className, QObject* object);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    QScrollBar* Bar() const;
};

} // namespace kymata
