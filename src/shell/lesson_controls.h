#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

#include <optional>
#include <string_view>

class QAction;
class QPushButton;
class QWidget;

namespace kymata {

class LessonPanel;
class WindowState;

/// The lesson in the window: its panel beside the figure, LESSON under the canvas and its keys
/// (F2; Page Down and Page Up, as a presenter's remote sends them, and on the canvas the arrows
/// while it is open; Esc leaves it), with the teacher's notes in the canvas menu. It shows the
/// step the window opens and tells which step the user asks for, as the window state's steps
/// have them.
class LessonControls final : public QObject {
    Q_OBJECT

public:
    /// Makes the panel and LESSON on `window`, the arrows' keys on `canvas`; the steps are
    /// those of `state`.
    LessonControls(QWidget& window, QWidget& canvas, const WindowState& state);

    LessonPanel& Panel() const { return *panel_; }
    /// Shows step `step` (1-based) in `language` and the panel.
    void Open(int step, std::string_view language);
    void Close();
    /// The captions in `language`; the step shown too, unless the lesson is closed (`step` 0).
    void ShowTexts(std::string_view language, int step);
    /// Which keys work: the steps' while `open`, Esc only out of presentation mode.
    void EnableKeys(bool open, bool presentation);
    /// The lesson's items of the canvas menu.
    QList<QAction*> MenuActions() const;
    /// LESSON and the panel's controls, in the order Tab visits them.
    QList<QWidget*> FocusOrder() const;
    /// Asks for the next step, the previous one or the same one again, where there is one.
    void Next();
    void Back();
    void Again();
    /// F2: asks for the first step, or to leave the lesson while it is open.
    void Toggle();

Q_SIGNALS:
    /// Open the lesson at `step` (1-based).
    void StepRequested(int step);
    void CloseRequested();
    void SavePlanRequested();
    void PrintPlanRequested();

private:
    static LessonPanel* MakePanel(QWidget& window);
    static QPushButton* MakeButton(QWidget& window);
    /// A key of the window, or with `context` Qt::WidgetShortcut one of `on` alone.
    static QAction* Key(QWidget& on, const QKeySequence& shortcut,
                        Qt::ShortcutContext context = Qt::WindowShortcut);

    /// Opens `step` where there is one.
    void Request(std::optional<int> step);

    QWidget& window_;
    QWidget& canvas_;
    const WindowState& state_;
    LessonPanel* const panel_ = MakePanel(window_);
    QPushButton* const button_ = MakeButton(window_);
    QAction* const toggle_ = Key(window_, QKeySequence(Qt::Key_F2));
    QAction* const next_ = Key(window_, QKeySequence(Qt::Key_PageDown));
    QAction* const back_ = Key(window_, QKeySequence(Qt::Key_PageUp));
    QAction* const close_ = Key(window_, QKeySequence(Qt::Key_Escape));
    QAction* const savePlan_ = Key(window_, {});
    QAction* const printPlan_ = Key(window_, {});
    QAction* const nextOnCanvas_ = Key(canvas_, QKeySequence(Qt::Key_Right), Qt::WidgetShortcut);
    QAction* const backOnCanvas_ = Key(canvas_, QKeySequence(Qt::Key_Left), Qt::WidgetShortcut);
};

} // namespace kymata
