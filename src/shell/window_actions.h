#pragma once

#include "construction/controls.h"
#include "figure/control_texts.h"

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPoint>

#include <string>

class QAction;
class QMenu;
class QWidget;

namespace kymata {

class CanvasWidget;

/// The window's actions with their keys, and the canvas menu that offers them. The canvas's own
/// (zoom, whole figure, show all, pan) move the canvas; the window routes the others.
class WindowActions final : public QObject {
    Q_OBJECT

public:
    /// Adds the actions to `window`, the canvas's to `canvas`.
    WindowActions(QWidget& window, CanvasWidget& canvas);

    /// What the canvas menu shows besides the actions.
    struct MenuState {
        std::string language;
        View shown = View::Classic;
        bool waves = false;
        /// The lesson's items, after the View menu.
        QList<QAction*> lesson;
    };
    /// Opens the canvas menu at the canvas's point `at`, with the keys at once.
    void ShowCanvasMenu(const QPoint& at, const MenuState& state);
    /// The items' texts in the language of `texts`.
    void ShowTexts(const ControlTexts& texts, std::string_view language);
    /// What the items of the moving crests allow: the speed within its bounds, a frame on while
    /// paused in the wave view.
    void ShowMotion(bool waves, bool playing, double speed);
    void ShowPresentation(bool on);

Q_SIGNALS:
    void ViewChosen(View view);
    void LanguageChosen(const std::string& code);

private:
    /// A menu of every language the program has, the current one checked.
    QMenu* LanguageMenu(QWidget* parent, const std::string& now);
    /// A menu of every view of the table, the one shown checked.
    QMenu* ViewMenu(QWidget* parent, const MenuState& state);
    QAction* Add(const QKeySequence& shortcut);
    QAction* AddToggle(const QKeySequence& shortcut);

    QWidget& window_;
    CanvasWidget& canvas_;

public:
    // In the order the window takes them.
    QAction* const save = Add(QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction* const print = Add(QKeySequence(Qt::CTRL | Qt::Key_P));
    QAction* const quit = Add(QKeySequence(Qt::CTRL | Qt::Key_Q));
    QAction* const saveWorksheet = Add(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QAction* const printWorksheet = Add(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    QAction* const live = AddToggle(QKeySequence(Qt::CTRL | Qt::Key_D));
    QAction* const presentation = AddToggle(QKeySequence(Qt::Key_F5));
    QAction* const leavePresentation = Add(QKeySequence(Qt::Key_Escape));
    QAction* const zoomIn = Add(QKeySequence(Qt::CTRL | Qt::Key_Plus));
    QAction* const zoomOut = Add(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    QAction* const wholeFigure = Add(QKeySequence(Qt::CTRL | Qt::Key_0));
    QAction* const showAll = Add(QKeySequence(Qt::CTRL | Qt::Key_9));
    /// The canvas menu from the keyboard, wherever the focus is.
    QAction* const canvasMenu = Add(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    QAction* const help = Add(QKeySequence(Qt::Key_F1));
    QAction* const about = Add({});
    /// A zoomed view pans with Ctrl and the arrow keys.
    QAction* const panLeft = Add(QKeySequence(Qt::CTRL | Qt::Key_Left));
    QAction* const panRight = Add(QKeySequence(Qt::CTRL | Qt::Key_Right));
    QAction* const panUp = Add(QKeySequence(Qt::CTRL | Qt::Key_Up));
    QAction* const panDown = Add(QKeySequence(Qt::CTRL | Qt::Key_Down));
    QAction* const waveView = AddToggle(QKeySequence(Qt::Key_F6));
    QAction* const play = AddToggle(QKeySequence(Qt::Key_Space));
    QAction* const step = Add(QKeySequence(Qt::Key_Period));
    QAction* const slower = Add(QKeySequence(Qt::Key_BracketLeft));
    QAction* const faster = Add(QKeySequence(Qt::Key_BracketRight));
    QAction* const flash = Add(QKeySequence(Qt::Key_L));
    QAction* const bestFocus = Add(QKeySequence(Qt::Key_B));
};

} // namespace kymata
