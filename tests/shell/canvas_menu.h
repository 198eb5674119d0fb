#pragma once

// The canvas's context menu as a user meets it: opened as a right click opens it, one submenu
// read, an item of it chosen.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPoint>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

/// The items of a submenu as the user sees them, and the ones checked.
struct SeenSubmenu {
    QStringList items;
    QStringList checked;
};

/// Opens `canvas`'s context menu, reads its submenu titled `title`, chooses the item `choose`
/// there when one is named, and closes the menu. Empty when the menu did not open or has no
/// such submenu.
inline SeenSubmenu CanvasSubmenu(QWidget& canvas, const QString& title,
                                 const QString& choose = {}) {
    SeenSubmenu seen;
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            return;
        }
        shown = true;
        for (const QAction* item : menu->actions()) {
            if (!item->menu() || item->text() != title) {
                continue;
            }
            QAction* chosen = nullptr;
            for (QAction* action : item->menu()->actions()) {
                seen.items << action->text();
                if (action->isChecked()) {
                    seen.checked << action->text();
                }
                if (!choose.isEmpty() && action->text() == choose) {
                    chosen = action;
                }
            }
            if (chosen) {
                chosen->trigger();
            }
        }
        menu->close();
    });
    canvas.customContextMenuRequested(QPoint(10, 10));
    if (!QTest::qWaitFor([&] { return shown; })) {
        return {};
    }
    return seen;
}
