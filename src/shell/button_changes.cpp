#include "shell/button_changes.h"

#include <QAbstractButton>
#include <QRadioButton>
#include <QTimer>

#include <utility>

namespace kymata {

void ButtonChanges::HandledNow(QAbstractButton* button) {
    // Counted: two changes handled in one turn are each forgotten at its end.
    ++handled_[button];
    QTimer::singleShot(0, this, [this, button] {
        if (--handled_[button] == 0) {
            handled_.remove(button);
        }
    });
}

void ButtonChanges::Connect(QAbstractButton* button, std::function<void()> handler) {
    connect(button, &QAbstractButton::clicked, this, [this, button, handler] {
        HandledNow(button);
        handler();
    });
    connect(button, &QAbstractButton::toggled, this,
            [this, button, handler = std::move(handler)](bool on) {
                if (!on && qobject_cast<QRadioButton*>(button)) {
                    return; // the language turned off; the one turned on redraws
                }
                QTimer::singleShot(0, this, [this, button, handler] {
                    if (!handled_.contains(button)) {
                        handler();
                    }
                });
            });
}

} // namespace kymata
