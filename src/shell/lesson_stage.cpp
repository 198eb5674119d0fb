#include "shell/lesson_stage.h"

#include "drawing/surface.h"
#include "export/painter_surface.h"
#include "export/said.h"
#include "lesson/lesson.h"
#include "lesson/lesson_figure.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kymata {

namespace {

/// The stage's colours: black words on white, the progress in a grey that keeps 7:1, the notes
/// strip a pale yellow the projector never shows.
const QColor Ink(0, 0, 0);
const QColor Quiet(80, 80, 80);
const QColor NotesPaper(255, 248, 220);

QString KindName(BeatKind kind, std::string_view language) {
    return Said("stage.kind." + std::string(BeatKindName(kind)), language);
}

} // namespace

LessonStage::LessonStage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("lessonStage"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Given the focus when shown, and kept (Tab stays on it): not a stop of the window's Tab
    // chain.
    setFocusPolicy(Qt::ClickFocus);
}

void LessonStage::Show(int step, int beat, std::string_view language) {
    // The window asks at every redraw; the beat changes only with the step, the beat or the
    // language.
    if (step == step_ && beat == beat_ && language == language_) {
        return;
    }
    step_ = step;
    beat_ = beat;
    language_ = std::string(language);
    figure_ = DrawBeatFigure(step, beat, language);
    ShowTexts();
}

void LessonStage::ShowTexts() {
    if (step_ == 0) {
        return;
    }
    const BeatPage page = BeatPageOf(step_, beat_, language_);
    texts_.progress = Said("stage.progress", language_,
                           {QString::number(page.step), QString::number(page.steps),
                            KindName(page.kind, language_), QString::number(page.beat),
                            QString::number(page.beats)});
    texts_.title = Utf8(page.title);
    texts_.words.clear();
    for (const std::string& line : page.onScreen) {
        texts_.words += (texts_.words.isEmpty() ? QString() : QStringLiteral(" ")) + Utf8(line);
    }
    notes_ = Utf8(page.notes);
    texts_.notes =
        NotesShown() ? Said("stage.notes", language_) + QLatin1Char('\n') + notes_ : QString();
    setAccessibleName(Said("stage.name", language_, {texts_.progress, texts_.title}));
    setAccessibleDescription(blank_
                                 ? Said("stage.blank", language_)
                                 : texts_.words + QLatin1Char(' ') + Said("stage.keys", language_));
    update();
}

void LessonStage::SetPresentation(bool on) {
    presentation_ = on;
    // No pointer on the projected stage: a click anywhere is the next beat.
    if (on) {
        setCursor(Qt::BlankCursor);
    } else {
        unsetCursor();
    }
    ShowTexts();
}

void LessonStage::SetBlank(bool on) {
    blank_ = on;
    ShowTexts();
    update();
}

void LessonStage::SetNotesWanted(bool on) {
    notesWanted_ = on;
    ShowTexts();
}

StageLayout LessonStage::Layout() const {
    return LayOutStage(QSizeF(size()), presentation_, texts_, font());
}

void LessonStage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (blank_) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    painter.fillRect(rect(), Qt::white);
    const StageLayout layout = Layout();
    {
        PainterSurface surface(painter, layout.figure,
                               layout.figure.width() / Surface::ReferencePixels);
        Replay(figure_, surface);
        painter.setClipping(false);
    }
    const auto write = [&painter](const QRectF& at, const QFont& font, const QColor& colour,
                                  const QString& text) {
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(at, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    };
    write(layout.progress, layout.progressFont, Quiet, texts_.progress);
    write(layout.title, layout.titleFont, Ink, texts_.title);
    write(layout.words, layout.wordFont, Ink, texts_.words);
    if (!layout.notes.isEmpty()) {
        painter.fillRect(layout.notes, NotesPaper);
        painter.setPen(Quiet);
        painter.drawLine(layout.notes.topLeft(), layout.notes.topRight());
        painter.setClipRect(layout.notes);
        const double margin = 0.6 * layout.notesFont.pixelSize();
        write(layout.notes.adjusted(margin, margin / 2, -margin, 0), layout.notesFont, Ink,
              texts_.notes);
        painter.setClipping(false);
    }
    if (hasFocus() && !presentation_) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void LessonStage::mousePressEvent(QMouseEvent* event) {
    setFocus();
    if (event->button() == Qt::LeftButton) {
        Q_EMIT NextRequested();
    }
    event->accept();
}

LessonStage::Request LessonStage::RequestOf(const QKeyEvent& event) const {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return nullptr;
    }
    if (isWindow()) {
        switch (event.key()) {
        case Qt::Key_PageDown:
            return &LessonStage::NextRequested;
        case Qt::Key_PageUp:
            return &LessonStage::BackRequested;
        case Qt::Key_Escape:
            return &LessonStage::LeaveRequested;
        case Qt::Key_F5:
            return &LessonStage::PresentationRequested;
        default:
            break;
        }
    }
    switch (event.key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return &LessonStage::NextRequested;
    case Qt::Key_Left:
    case Qt::Key_Up:
        return &LessonStage::BackRequested;
    case Qt::Key_Period:
        return &LessonStage::BlankRequested;
    default:
        break;
    }
    // By the letter, on a Latin or a Greek keyboard alike (B, C and N are β, ψ and ν there).
    const QString letter = event.text().toLower();
    if (event.key() == Qt::Key_B || letter == QStringLiteral("b") ||
        letter == QString(QChar(0x03B2))) {
        return &LessonStage::BlankRequested;
    }
    if (event.key() == Qt::Key_C || letter == QStringLiteral("c") ||
        letter == QString(QChar(0x03C8))) {
        return &LessonStage::ExploreRequested;
    }
    if (event.key() == Qt::Key_N || letter == QStringLiteral("n") ||
        letter == QString(QChar(0x03BD))) {
        return &LessonStage::NotesRequested;
    }
    return nullptr;
}

bool LessonStage::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        RequestOf(*static_cast<QKeyEvent*>(event)) != nullptr) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void LessonStage::keyPressEvent(QKeyEvent* event) {
    if (const Request request = RequestOf(*event)) {
        Q_EMIT(this->*request)();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool LessonStage::focusNextPrevChild(bool) {
    return true;
}

} // namespace kymata
