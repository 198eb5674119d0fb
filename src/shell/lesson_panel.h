#pragma once

#include "lesson/lesson.h"

#include <QFrame>

#include <string>
#include <string_view>

class QLabel;
class QPushButton;
class QScrollArea;

namespace kymata {

/// The lesson's narration beside the figure: "Step 3 of 10", the step's title and narration,
/// its question for the class and, on request, the answer; Back, Again, Next and a button that
/// closes the lesson. It shows the texts of the figure core's lesson and keeps no state of its
/// own but which step it shows and whether the answer is open.
class LessonPanel final : public QFrame {
    Q_OBJECT

public:
    explicit LessonPanel(QWidget* parent = nullptr);

    /// Shows step `step` (1-based) in `language`, its answer closed, and has a screen
    /// reader read the step's title and narration.
    void Show(int step, std::string_view language);
    /// The step shown (0 before the first).
    int Step() const { return step_; }
    /// Opens or closes the answer.
    void ShowAnswer(bool shown);
    bool AnswerShown() const;
    /// The type scale: 1, or that of presentation mode.
    void SetScale(double scale);
    /// Its controls in the order Tab visits them: the answer, Back, Again, Next, close.
    QList<QWidget*> FocusOrder() const;

Q_SIGNALS:
    void NextRequested();
    void BackRequested();
    void AgainRequested();
    void CloseRequested();

private:
    int step_ = 0;
    std::string language_ = "el";
    QLabel* progress_;
    QLabel* title_;
    QLabel* text_;
    QLabel* question_;
    QLabel* answer_;
    QPushButton* showAnswer_;
    QPushButton* back_;
    QPushButton* again_;
    QPushButton* next_;
    QPushButton* close_;
    QFont base_;
};

} // namespace kymata
