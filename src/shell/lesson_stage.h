#pragma once

#include "drawing/display_list.h"
#include "shell/stage_layout.h"

#include <QWidget>

#include <string>
#include <string_view>

namespace kymata {

/// The lesson as a class sees it: one beat of a step, its teaching figure as large as the
/// screen allows, the step's title and the beat's words, and nothing else. The figure is the
/// figure core's recording of the beat, replayed here; the stage computes no optics. It can go
/// blank (the class looks at the teacher) and, out of presentation mode, show the beat's
/// teacher's notes in a strip underneath. A click asks for the next beat; the keys are the
/// lesson's (`LessonControls`).
class LessonStage final : public QWidget {
    Q_OBJECT

public:
    explicit LessonStage(QWidget* parent = nullptr);

    /// Shows beat `beat` of step `step` (both 1-based) in `language`, and has a screen reader
    /// read its title and words.
    void Show(int step, int beat, std::string_view language);
    int Step() const { return step_; }
    int Beat() const { return beat_; }

    /// Presentation mode: larger words, the figure at least `PresentedFigureShare` of the
    /// height, no notes strip.
    void SetPresentation(bool on);
    bool Presentation() const { return presentation_; }
    /// A black screen, and back.
    void SetBlank(bool on);
    bool Blank() const { return blank_; }
    /// The notes strip, asked for (N); it is shown only out of presentation mode.
    void SetNotesWanted(bool on);
    bool NotesShown() const { return notesWanted_ && !presentation_; }

    /// What the stage writes now, and where.
    const StageTexts& Texts() const { return texts_; }
    StageLayout Layout() const;

Q_SIGNALS:
    /// A click, →, ↓, Space or Enter: the next beat; ← or ↑: the one before.
    void NextRequested();
    void BackRequested();
    /// B or . (the blank key of a presenter's remote): the screen black, or back.
    void BlankRequested();
    /// C: the whole window for exploring.
    void ExploreRequested();
    /// N: the notes strip shown or hidden.
    void NotesRequested();
    /// While the stage is a window of its own on a second screen, the window's keys reach it
    /// there: Esc (leave) and F5 (presentation); Page Down and Page Up are Next and Back.
    void LeaveRequested();
    void PresentationRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    /// The stage's keys go to it before the window's shortcuts (Space, B and . are the wave
    /// view's there).
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    /// Tab stays on the stage: the window's controls lie under it.
    bool focusNextPrevChild(bool next) override;

private:
    /// The texts for the current beat, the notes only while shown.
    void ShowTexts();
    /// What the key of `event` asks for, as the signal to send; null for a key not the stage's.
    using Request = void (LessonStage::*)();
    Request RequestOf(const QKeyEvent& event) const;

    int step_ = 0;
    int beat_ = 0;
    std::string language_ = "el";
    bool presentation_ = false;
    bool blank_ = false;
    bool notesWanted_ = false;
    Recording figure_;
    QString notes_;
    StageTexts texts_;
};

} // namespace kymata
