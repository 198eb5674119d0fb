#include "shell/accessible_bar.h"

#include "figure/control_texts.h"

#include <QScrollBar>

namespace kymata {

namespace {

std::optional<ShownValue> Shown(const QScrollBar* bar) {
    return ShownBarValue(bar->objectName().toStdString(), bar->value());
}

} // namespace

AccessibleSceneBar::AccessibleSceneBar(QScrollBar* bar)
    : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

QAccessibleInterface* AccessibleSceneBar::Factory(const QString& className, QObject* object) {
    auto* bar = qobject_cast<QScrollBar*>(object);
    if (!bar || className.isEmpty() || !ShownBarValue(bar->objectName().toStdString(), 0)) {
        return nullptr;
    }
    return new AccessibleSceneBar(bar);
}

QScrollBar* AccessibleSceneBar::Bar() const {
    return static_cast<QScrollBar*>(widget());
}

void* AccessibleSceneBar::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface) {
        return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QString AccessibleSceneBar::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) {
        const std::optional<ShownValue> shown = Shown(Bar());
        return shown ? QString::fromStdString(shown->text) : QString();
    }
    return QAccessibleWidget::text(t);
}

QVariant AccessibleSceneBar::currentValue() const {
    const std::optional<ShownValue> shown = Shown(Bar());
    return shown ? QVariant(shown->value) : QVariant();
}

void AccessibleSceneBar::setCurrentValue(const QVariant& value) {
    bool ok = false;
    const double wanted = value.toDouble(&ok);
    const std::optional<int> raw = RawBarValue(Bar()->objectName().toStdString(), wanted);
    if (ok && raw) {
        Bar()->setValue(*raw); // the bar keeps it within its range
    }
}

QVariant AccessibleSceneBar::maximumValue() const {
    const std::optional<ShownValue> shown = Shown(Bar());
    return shown ? QVariant(shown->maximum) : QVariant();
}

QVariant AccessibleSceneBar::minimumValue() const {
    const std::optional<ShownValue> shown = Shown(Bar());
    return shown ? QVariant(shown->minimum) : QVariant();
}

QVariant AccessibleSceneBar::minimumStepSize() const {
    const std::optional<ShownValue> shown = Shown(Bar());
    return shown ? QVariant(shown->step) : QVariant();
}

} // namespace kymata
