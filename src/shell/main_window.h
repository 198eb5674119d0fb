#pragma once

#include "construction/controls.h"
#include "construction/scene.h"
#include "construction/views.h"
#include "shell/canvas_motion.h"
#include "shell/canvas_widget.h"
#include "shell/control_panel.h"
#include "shell/ledger_panel.h"
#include "shell/lesson_controls.h"
#include "shell/wave_switches.h"
#include "shell/window_actions.h"
#include "shell/window_files.h"
#include "shell/window_help.h"
#include "shell/window_layout.h"
#include "shell/window_printing.h"
#include "shell/window_state.h"

#include <QRect>
#include <QWidget>

#include <optional>
#include <string>
#include <string_view>

class QPrinter;

namespace kymata {

/// The one window of the program: the canvas `EIKON` and the thirteen controls that set the
/// scene. Every control event redraws the figure once through `DrawConstruction`.
///
/// The window assembles its parts, each with one job, and routes the events between them and
/// its `WindowState`: the designed controls (`ControlPanel`), the canvas and its moving crests
/// (`CanvasMotion`), the wave view's switches, the ledger, the lesson, the actions and the
/// canvas menu, the files, printing and the help.
class DHMIOYRGO_KYKLO final : public QWidget {
    Q_OBJECT

public:
    explicit DHMIOYRGO_KYKLO(QWidget* parent = nullptr);

    /// The control values that a redraw reads, taken from the widgets.
    Controls ReadControls() const;
    /// The code of the language the window speaks now ("el", "en", ...).
    std::string Language() const;
    /// Chooses the language of every text by its code, as the Language menu does: "el" and "en"
    /// are the GREEK and ENGLISH switch, another shipped language leaves both off. Redraws.
    void SetLanguage(std::string_view language);
    /// Sets every control to `controls` (scroll bars, switches, language, view) without
    /// running their handlers; a `DrawConstruction` after it draws the new whole.
    void SetControls(const Controls& controls);
    /// Redraws the figure on the canvas from the controls and rewrites the four read-outs.
    void DrawConstruction();
    /// Places the canvas and the controls for the current client size: as designed where they
    /// fit, else around a smaller canvas, beside it or below it.
    void ApplyLayout();
    /// How the controls stand now.
    Arrangement CurrentArrangement() const { return arrangement_; }
    /// The shared scene, kept for the program's life.
    kymata::Scene& Scene() { return scene_; }
    CanvasWidget& Canvas() { return canvas_.Canvas(); }
    /// Prints the construction that `YPERVOLIKO` selects on `printer`, as PRINT does once the
    /// print dialog is accepted. To a file, the result tells whether it was written (a failure
    /// is said in the window). To a printer, the page goes to the print service off the
    /// window's thread and its job is followed: the result tells whether it was sent on its
    /// way, and `PrintFinished` says how it ended.
    bool PrintOn(QPrinter& printer, bool worksheet = false);
    /// Writes what `--export` writes for the current controls: a PNG of `pngSize` pixels, an
    /// SVG, a PDF or the JSON document, chosen by the extension. A failure is said in the
    /// window and nothing partial is left.
    bool SaveFigure(const QString& path, int pngSize, bool worksheet = false) {
        return files_.SaveFigure(path, pngSize, worksheet);
    }
    /// Writes the teacher's notes as "Save lesson plan…" does; a failure is said in the window.
    bool SaveLessonPlan(const QString& path) { return files_.SaveLessonPlan(path); }
    /// "Print lesson plan…": the A4 print dialog, then the notes to the printer or a file.
    void PrintLessonPlan();
    /// While on, dragging a scroll-bar thumb redraws at every value it passes.
    void SetLiveDragging(bool on) {
        panel_.SetLiveDragging(on);
        actions_.live->setChecked(on);
    }
    /// Full screen, with strokes twice as wide and texts half again as large on the canvas.
    void SetPresentation(bool on);
    /// Shows the wave view, or the classic construction, and redraws.
    void SetWaveView(bool on) {
        waves_.WaveViewHandled();
        ShowView(on ? FirstViewTracingWaves() : View::Classic);
    }
    /// Shows `view`, as the View menu does, and redraws; a view without waves stops the crests.
    void ShowView(View view);
    /// The moving crests of the wave view: playing or paused, at a phase of the period.
    bool Playing() const { return state_.Playing(); }
    void SetPlaying(bool on) { canvas_.SetPlaying(on); }
    double Phase() const { return state_.Phase(); }
    /// One frame on while paused: a sixtieth of a period.
    void StepFrame() { canvas_.StepFrame(); }
    /// Moves the target point F to the whole step nearest the lens's best focus (key B), and
    /// says what it did: moved, stopped at the bar's end, or that there is no best focus. The
    /// sentence is returned as well.
    QString MoveFocusToBestFocus();
    /// The speed of the moving waves, 0.25 to 4 periods a second, in steps of a factor of 2.
    double Speed() const { return state_.Speed(); }
    void SetSpeed(double speed) {
        state_.SetSpeed(speed);
        ShowMotionControls();
    }
    /// Sends one flash from the source through the lens; it runs out beyond the figure.
    void Flash() { canvas_.Flash(); }
    /// Advances the moving crests by `seconds` of play and redraws the canvas, as the clock does
    /// once a frame.
    void Advance(double seconds) { canvas_.Advance(seconds); }

    /// The lesson: opens it at step `step` (1-based), setting that step's scene; the controls
    /// stay live. `LessonStep` is 0 while the lesson is closed.
    void OpenLesson(int step);
    /// Leaves the lesson; the scene stays as it is.
    void CloseLesson();
    int LessonStep() const { return state_.LessonStep(); }
    /// The next step at its first beat, as the panel's Next does (Page Down goes beat by beat).
    void NextLessonStep() { lesson_.NextStep(); }
    /// The beat of the step shown on the stage (0 while the lesson is closed).
    int LessonBeat() const { return lesson_.Beat(); }

public Q_SLOTS:
    void AGLIKA_Click() { LanguageClicked(); }
    void ELLINIKA_Click() { LanguageClicked(); }
    void initial_POINT_Change() { DrawConstruction(); }
    void fOCUS_POINT_Change() { DrawConstruction(); }
    void n_DIATHLASI_Change() { DrawConstruction(); }
    void pachos_Change() { DrawConstruction(); }
    void YPERVOLIKO_Click() {
        scene_.hyperbola.HyperbolaState = 0;
        DrawConstruction();
    }
    /// The wave view on or off (the check box, its menu item and F6 alike).
    void WaveView_Click() {
        ShowView(waves_.WaveViewChecked() ? FirstViewTracingWaves() : View::Classic);
    }
    /// "Parallel BEAM": redraws the wave view with a plane wave; no classic figure reads it.
    void f_apeiro_Click() {
        if (ShowsWaves()) {
            DrawConstruction();
        }
    }
    /// PRINT: the print dialog, then `PrintOn`.
    void Command1_Click() { PrintWithDialog(false); }
    /// "Save figure as…": asks for a file (and a PNG's size), then `SaveFigure`.
    void SaveFigureAs() { files_.SaveFigureAs(false); }
    /// F1: the illustrated guide in the current language.
    void ShowGuide() { help_.ShowGuide(Language()); }
    /// The version, the licence and where to report a problem.
    void ShowAbout() { help_.ShowAbout(Language()); }

Q_SIGNALS:
    /// Emitted after each complete redraw of the figure.
    void FigureRedrawn();
    /// A page sent to a printer has reached its end, or PRINT could not open its dialog:
    /// `failed` when it will not print, `said` what the window told the user (empty for a page
    /// printed).
    void PrintFinished(bool failed, const QString& said);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    /// GREEK or ENGLISH clicked: the language of the switch, the figure redrawn.
    void LanguageClicked();
    /// The print dialog, then `PrintOn`.
    void PrintWithDialog(bool worksheet);
    /// Connects the parts' events to what the window does with them.
    void RouteEvents();
    /// True while the view shown traces waves (WAVE VIEW shows it ticked).
    bool ShowsWaves() const { return TracesWaves(state_.ShownView()); }
    /// The drawn figure's read-outs.
    void ShowLabels() { panel_.ShowReadouts(labels_); }
    /// The read-outs where a thumb is dragged, the figure unchanged.
    void ShowReadoutsWhileDragging();
    /// The factor by which the controls and read-outs are enlarged: that of the canvas's texts
    /// in presentation mode, else 1.
    double ControlScale() const {
        return canvas_.Canvas().Presentation() ? CanvasWidget::PresentationText : 1.0;
    }
    /// Captions, menu texts and accessible names and descriptions in the current language.
    void ShowWindowTexts(const Controls& controls);
    void ShowCanvasMenu(const QPoint& at) {
        actions_.ShowCanvasMenu(
            at, {Language(), state_.ShownView(), ShowsWaves(), lesson_.MenuActions()});
    }
    /// Which keys of the lesson work now.
    void EnableLessonKeys() { lesson_.EnableKeys(LessonStep() > 0, Canvas().Presentation()); }
    void ShowMotionControls();
    /// Redraws the canvas alone for a new frame of the moving crests.
    void DrawFrame() { canvas_.DrawFrame(); }

    kymata::Scene scene_;
    Labels labels_;
    /// The view, the crests, the lesson's step and a language beyond the switch, with their
    /// rules.
    WindowState state_;
    // The parts, made in the order in which their controls stand on the window.
    CanvasMotion canvas_{*this, state_, [this] { return ReadControls(); }, scene_, labels_};
    ControlPanel panel_{*this};
    WaveSwitches waves_{*this};
    WindowPrinting printing_{*this, [this] { return Language(); }};
    LedgerPanel* const ledger_ = new LedgerPanel(this);
    WindowActions actions_{*this, canvas_.Canvas()};
    LessonControls lesson_{*this, canvas_.Canvas(), state_};
    WindowFiles files_{*this, [this] { return ReadControls(); }, [this] { return Language(); }};
    WindowHelp help_{*this};
    /// Where the window stood before presentation mode.
    QRect windowedGeometry_;
    /// The language the captions were last laid out for.
    std::optional<std::string> captionsLanguage_;
    Arrangement arrangement_ = Arrangement::Designed;
};

} // namespace kymata
