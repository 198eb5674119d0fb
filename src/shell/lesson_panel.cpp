#include "shell/lesson_panel.h"

#include "export/said.h"
#include "shell/window_texts.h"
#include "texts/catalogue.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kymata {

QLabel* LessonPanel::Paragraph(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* LessonPanel::Button(QWidget* parent, const char* name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QFont LessonPanel::BaseFont() const {
    QFont larger = font();
    larger.setPointSizeF(larger.pointSizeF() * 1.25);
    return larger;
}

LessonPanel::LessonPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("lesson"));
    setFrameShape(QFrame::StyledPanel);
    answer_->hide();
    presenter_->hide();
    presenter_->setTextFormat(Qt::PlainText);
    presenter_->setStyleSheet(QStringLiteral("background: #fff8dc; padding: 6px;"));
    close_->setText(QStringLiteral("✕"));

    // The words scroll when a small window cannot show them all; the buttons stay in view.
    auto* words = new QWidget;
    auto* column = new QVBoxLayout(words);
    column->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : {static_cast<QWidget*>(presenter_), static_cast<QWidget*>(title_),
                       static_cast<QWidget*>(text_), static_cast<QWidget*>(question_),
                       static_cast<QWidget*>(showAnswer_), static_cast<QWidget*>(answer_)}) {
        column->addWidget(w);
    }
    column->addStretch(1);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("lessonScroll"));
    scroll->setWidget(words);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFocusPolicy(Qt::NoFocus);

    auto* top = new QHBoxLayout;
    top->addWidget(progress_, 1);
    top->addWidget(close_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(again_);
    buttons->addWidget(next_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);

    connect(next_, &QPushButton::clicked, this, &LessonPanel::NextRequested);
    connect(back_, &QPushButton::clicked, this, &LessonPanel::BackRequested);
    connect(again_, &QPushButton::clicked, this, &LessonPanel::AgainRequested);
    connect(close_, &QPushButton::clicked, this, &LessonPanel::CloseRequested);
    connect(showAnswer_, &QPushButton::clicked, this, [this] { ShowAnswer(!AnswerShown()); });
    SetScale(1);
}

void LessonPanel::Show(int step, std::string_view language) {
    // The window asks at every redraw; the words change only with the step or the language.
    const bool changed = step != step_ || language != language_;
    if (!changed && !title_->text().isEmpty()) {
        return;
    }
    step_ = step;
    language_ = language;
    const LessonPage page = LessonPageOf(step, language);
    progress_->setText(Q(LessonProgress(step, language)));
    title_->setText(Q(page.title));
    text_->setText(Q(page.text));
    question_->setText(Said("lesson.questionLabel", language) + QStringLiteral(": ") +
                       Q(page.question));
    answer_->setText(Said("lesson.answerLabel", language) + QStringLiteral(": ") + Q(page.answer));
    showAnswer_->setText(Said("lesson.showAnswer", language));
    back_->setText(Said("lesson.back", language));
    again_->setText(Said("lesson.again", language));
    next_->setText(Said("lesson.next", language));
    close_->setAccessibleName(Said("lesson.close", language));
    close_->setToolTip(Said("lesson.close", language) + QStringLiteral(" (Esc)"));
    back_->setEnabled(step > 1);
    next_->setEnabled(step < page.steps);
    setAccessibleName(Said("lesson.title", language));
    setAccessibleDescription(Said("lesson.keys", language));
    if (changed) {
        ShowAnswer(false);
        // The new step is read out: its title and narration, as an alert of the panel.
        text_->setAccessibleName(Q(page.title));
        text_->setAccessibleDescription(Q(page.text));
        QAccessibleEvent named(text_, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
        QAccessibleEvent alert(text_, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

void LessonPanel::ShowPresenter(const QString& text) {
    presenter_->setText(text);
    presenter_->setVisible(!text.isEmpty());
}

void LessonPanel::ShowAnswer(bool shown) {
    answer_->setVisible(shown);
    showAnswer_->setVisible(!shown);
}

QList<QWidget*> LessonPanel::FocusOrder() const {
    return {showAnswer_, back_, again_, next_, close_};
}

bool LessonPanel::AnswerShown() const {
    return !answer_->isHidden();
}

void LessonPanel::SetScale(double scale) {
    QFont body = base_;
    body.setPointSizeF(base_.pointSizeF() * scale);
    setFont(body);
    QFont heading = body;
    heading.setBold(true);
    heading.setPointSizeF(body.pointSizeF() * 1.3);
    title_->setFont(heading);
    // The presenter reads it from close by: it keeps the panel's plain size in presentation mode
    // (and its style sheet would keep it from taking the panel's font by itself).
    presenter_->setFont(base_);
    QFont question = body;
    question.setBold(true);
    question_->setFont(question);
}

} // namespace kymata
