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
    /// The presenter's view at the top of the panel, while the stage is on another screen: the
    /// beat's notes, the next beat and the times. Empty hides it.
    void ShowPresenter(const QString& text);
    /// Its controls in the order Tab visits them: the answer, Back, Again, Next, close.
    QList<QWidget*> FocusOrder() const;

Q_SIGNALS:
    void NextRequested();
    void BackRequested();
    void AgainRequested();
    void CloseRequested();

private:
    /// A paragraph of the narration, selectable, named `name`.
    static QLabel* Paragraph(QWidget* parent, const char* name);
    static QPushButton* Button(QWidget* parent, const char* name);
    /// The panel's font: larger than the window's other texts, for the back of the room.
    QFont BaseFont() const;

    int step_ = 0;
    std::string language_ = "el";
    QLabel* const progress_ = Paragraph(this, "lessonProgress");
    QLabel* const presenter_ = Paragraph(this, "lessonPresenter");
    QLabel* const title_ = Paragraph(this, "lessonTitle");
    QLabel* const text_ = Paragraph(this, "lessonText");
    QLabel* const question_ = Paragraph(this, "lessonQuestion");
    QLabel* const answer_ = Paragraph(this, "lessonAnswer");
    QPushButton* const showAnswer_ = Button(this, "lessonShowAnswer");
    QPushButton* const back_ = Button(this, "lessonBack");
    QPushButton* const again_ = Button(this, "lessonAgain");
    QPushButton* const next_ = Button(this, "lessonNext");
    QPushButton* const close_ = Button(this, "lessonClose");
    QFont base_ = BaseFont();
};

} // namespace kymata
