#pragma once

#include <QElapsedTimer>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QRect>
#include <QTimer>

#include <optional>
#include <string>
#include <string_view>

class QAction;
class QPushButton;
class QWidget;

namespace kymata {

class LessonPanel;
class LessonStage;
class WindowState;

/// The lesson in the window: its stage over the whole window, beat by beat, and for exploring
/// (C) the window with the panel beside the figure; LESSON under the canvas and its keys (F2;
/// Page Down and Page Up, as a presenter's remote sends them, and the stage's own; on the canvas
/// the arrows while it is open; Esc leaves it), with the teacher's notes in the canvas menu. It
/// shows the step the window opens and its beat, and tells which step the user asks for, as the
/// window state's steps have them.
class LessonControls final : public QObject {
    Q_OBJECT

public:
    /// Makes the panel and LESSON on `window`, the arrows' keys on `canvas`; the steps are
    /// those of `state`.
    LessonControls(QWidget& window, QWidget& canvas, const WindowState& state);
    /// The stage too, while it is a window of its own.
    ~LessonControls() override;

    LessonPanel& Panel() const { return *panel_; }
    LessonStage& Stage() const { return *stage_; }
    /// Shows step `step` (1-based) in `language`, the panel and the stage, at the beat asked
    /// for with the step: the first, or the last when Back came from the next step.
    void Open(int step, std::string_view language);
    void Close();
    /// The beat shown (1-based; 0 with the lesson closed).
    int Beat() const { return beat_; }
    /// True while the whole window is shown for exploring instead of the stage (C).
    bool Exploring() const { return exploring_; }
    /// C: the whole window for exploring, or back to the stage.
    void ToggleExplore();
    /// Lays the stage over `area` of the window.
    void FitStage(const QRect& area);
    /// The captions in `language`; the step shown too, unless the lesson is closed (`step` 0).
    void ShowTexts(std::string_view language, int step);
    /// Which keys work: the steps' while `open`, Esc only out of presentation mode.
    void EnableKeys(bool open, bool presentation);
    /// The lesson's items of the canvas menu.
    QList<QAction*> MenuActions() const;
    /// LESSON and the panel's controls, in the order Tab visits them.
    QList<QWidget*> FocusOrder() const;
    /// The next beat, and after a step's last the next step; the beat before, and before a
    /// step's first the previous step's last. On a blank screen either brings the stage back.
    void Next();
    void Back();
    /// Asks for the next step, the previous one or the same one again, where there is one, at
    /// its first beat.
    void NextStep();
    void BackStep();
    void Again();
    /// F2: asks for the first step, or to leave the lesson while it is open.
    void Toggle();

Q_SIGNALS:
    /// Open the lesson at `step` (1-based).
    void StepRequested(int step);
    void CloseRequested();
    void SavePlanRequested();
    void PrintPlanRequested();
    /// Esc and F5 pressed on the stage while it is on a screen of its own.
    void LeaveRequested();
    void PresentationRequested();

private:
    static LessonPanel* MakePanel(QWidget& window);
    static LessonStage* MakeStage(QWidget& window);
    static QPushButton* MakeButton(QWidget& window);
    /// A key of the window, or with `context` Qt::WidgetShortcut one of `on` alone.
    static QAction* Key(QWidget& on, const QKeySequence& shortcut,
                        Qt::ShortcutContext context = Qt::WindowShortcut);

    /// Opens `step` where there is one, at beat `beat` (0: its last).
    void Request(std::optional<int> step, int beat = 1);
    /// Shows beat `beat` of the step shown.
    void ShowBeat(int beat);
    /// The stage over the window, or the window itself.
    void ShowStage(bool on);
    /// In presentation mode with a second screen, the stage goes full screen there and the
    /// panel becomes the presenter's view; else the stage lies over the window.
    void PlaceStage(bool presentation);
    /// True while the stage is full screen on a screen of its own.
    bool OnProjector() const;
    /// The presenter's view of the beat shown: its notes, the next beat, the times.
    QString PresenterText() const;
    void ShowPresenter();

    QWidget& window_;
    QWidget& canvas_;
    const WindowState& state_;
    LessonPanel* const panel_ = MakePanel(window_);
    LessonStage* const stage_ = MakeStage(window_);
    std::string language_ = "el";
    int beat_ = 0;
    /// The beat the next step opened shows: 1, or 0 for its last.
    int openingBeat_ = 1;
    bool exploring_ = false;
    /// The lesson's time so far, from its opening.
    QElapsedTimer clock_;
    /// Rewrites the presenter's view once a second while it is shown.
    QTimer* const tick_ = new QTimer(this);
    QPushButton* const button_ = MakeButton(window_);
    QAction* const toggle_ = Key(window_, QKeySequence(Qt::Key_F2));
    QAction* const next_ = Key(window_, QKeySequence(Qt::Key_PageDown));
    QAction* const back_ = Key(window_, QKeySequence(Qt::Key_PageUp));
    QAction* const close_ = Key(window_, QKeySequence(Qt::Key_Escape));
    /// C where the stage does not have the keys: back from exploring.
    QAction* const explore_ = Key(window_, QKeySequence(Qt::Key_C));
    QAction* const savePlan_ = Key(window_, {});
    QAction* const printPlan_ = Key(window_, {});
    QAction* const nextOnCanvas_ = Key(canvas_, QKeySequence(Qt::Key_Right), Qt::WidgetShortcut);
    QAction* const backOnCanvas_ = Key(canvas_, QKeySequence(Qt::Key_Left), Qt::WidgetShortcut);
};

} // namespace kymata
