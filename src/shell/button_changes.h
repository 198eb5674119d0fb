#pragma once

#include <QHash>
#include <QObject>

#include <functional>

class QAbstractButton;

namespace kymata {

/// Runs a handler once on every change of a switch, however the change comes: a click at once,
/// as the form's click events do; a change without a click (a screen reader's toggle action, a
/// change made by the program) once it is done, unless a click or the program handled it.
class ButtonChanges final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    /// Runs `handler` on every change of `button`, once.
    void Connect(QAbstractButton* button, std::function<void()> handler);
    /// Marks a change of `button` as handled in this turn of the event loop.
    void HandledNow(QAbstractButton* button);

private:
    /// Switches whose change was handled by a click or by the program in this turn of the
    /// event loop, with how many times.
    QHash<QAbstractButton*, int> handled_;
};

} // namespace kymata
