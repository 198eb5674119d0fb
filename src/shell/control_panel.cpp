#include "shell/control_panel.h"

#include "shell/accessible_bar.h"
#include "shell/readout_label.h"
#include "shell/window_texts.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace kymata {

namespace {

/// A horizontal scroll bar that shows when it has the keyboard focus.
class FocusScrollBar final : public QScrollBar {
public:
    explicit FocusScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QScrollBar::paintEvent(event);
        if (hasFocus()) {
            QPainter painter(this);
            painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
            painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
        }
    }
};

/// The controls' captions at start-up.
const ControlTexts& StartTexts() {
    static const ControlTexts texts = ControlTextsFor(TextLanguage(Controls{}));
    return texts;
}

} // namespace

QScrollBar* ControlPanel::MakeBar(QWidget& window, const char* name, ControlRange range, int large,
                                  int Controls::*value) {
    // The scene bars speak their values as their read-outs show them.
    static const bool barsSpeakTheirValues =
        (QAccessible::installFactory(&AccessibleSceneBar::Factory), true);
    Q_UNUSED(barsSpeakTheirValues);
    auto* bar = new FocusScrollBar(&window);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(range.min, range.max);
    bar->setSingleStep(1);
    bar->setPageStep(large);
    bar->setValue(Controls{}.*value);
    // Dragging the thumb changes the value only when it is released, so a drag redraws once.
    bar->setTracking(false);
    // The arrow keys move the thumb the way they point, as on the bar's own arrows.
    bar->setInvertedControls(false);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

QLabel* ControlPanel::MakeReadout(QWidget& window, const char* name) {
    return new ReadoutLabel(QString::fromLatin1(name), &window);
}

template <typename Button>
Button* ControlPanel::MakeButton(QWidget& window, const char* name,
                                 std::string ControlTexts::*caption) {
    auto* button = new Button(Q(StartTexts().*caption), &window);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

ControlPanel::ControlPanel(QWidget& window) : window_(window) {
    ELLINIKA->setChecked(true);
    changes_.Connect(AGLIKA, [this] { Q_EMIT EnglishChosen(); });
    changes_.Connect(ELLINIKA, [this] { Q_EMIT GreekChosen(); });
    connect(initial_POINT, &QScrollBar::valueChanged, this, &ControlPanel::SourceChanged);
    connect(fOCUS_POINT, &QScrollBar::valueChanged, this, &ControlPanel::FocusChanged);
    connect(n_DIATHLASI, &QScrollBar::valueChanged, this, &ControlPanel::IndexChanged);
    connect(pachos, &QScrollBar::valueChanged, this, &ControlPanel::ThicknessChanged);
    // While a thumb is dragged the read-outs follow it; the figure waits for the release
    // unless live dragging is on.
    for (QScrollBar* bar : Bars()) {
        connect(bar, &QScrollBar::sliderMoved, this, [this, bar] {
            if (!bar->hasTracking()) {
                Q_EMIT Dragging();
            }
        });
        // Back to the drawn figure's read-outs; a changed value redraws right after.
        connect(bar, &QScrollBar::sliderReleased, this, &ControlPanel::Released);
    }
    changes_.Connect(YPERVOLIKO, [this] { Q_EMIT HyperbolaChanged(); });
    changes_.Connect(f_apeiro, [this] { Q_EMIT ParallelBeamChanged(); });
    connect(Command1, &QPushButton::clicked, this, &ControlPanel::PrintClicked);
}

QList<QScrollBar*> ControlPanel::Bars() const {
    return {initial_POINT, fOCUS_POINT, n_DIATHLASI, pachos};
}

void ControlPanel::Read(Controls& c) const {
    c.initial_POINT = initial_POINT->value();
    c.fOCUS_POINT = fOCUS_POINT->value();
    c.n_DIATHLASI = n_DIATHLASI->value();
    c.pachos = pachos->value();
    c.YPERVOLIKO = YPERVOLIKO->isChecked();
    c.f_apeiro = f_apeiro->isChecked();
    c.ELLINIKA = ELLINIKA->isChecked();
}

void ControlPanel::ReadDragged(Controls& c) const {
    // A thumb held down stands where it is dragged; the others stand at their values.
    c.initial_POINT = initial_POINT->sliderPosition();
    c.fOCUS_POINT = fOCUS_POINT->sliderPosition();
    c.n_DIATHLASI = n_DIATHLASI->sliderPosition();
    c.pachos = pachos->sliderPosition();
}

void ControlPanel::Set(const Controls& c) {
    // Set quietly: no control's own handler runs; the caller draws the new whole once.
    QObject* const controls[] = {YPERVOLIKO,    f_apeiro,    ELLINIKA,    AGLIKA,
                                 initial_POINT, fOCUS_POINT, n_DIATHLASI, pachos};
    for (QObject* control : controls) {
        control->blockSignals(true);
    }
    initial_POINT->setValue(c.initial_POINT);
    fOCUS_POINT->setValue(c.fOCUS_POINT);
    n_DIATHLASI->setValue(c.n_DIATHLASI);
    pachos->setValue(c.pachos);
    YPERVOLIKO->setChecked(c.YPERVOLIKO);
    f_apeiro->setChecked(c.f_apeiro);
    ShowLanguageSwitch(c);
    for (QObject* control : controls) {
        control->blockSignals(false);
    }
}

void ControlPanel::SetLanguageQuietly(const Controls& c) {
    for (QRadioButton* button : {ELLINIKA, AGLIKA}) {
        button->blockSignals(true);
    }
    ShowLanguageSwitch(c);
    for (QRadioButton* button : {ELLINIKA, AGLIKA}) {
        button->blockSignals(false);
    }
}

void ControlPanel::ShowLanguageSwitch(const Controls& c) {
    if (c.moreLanguage.empty()) {
        (c.ELLINIKA ? ELLINIKA : AGLIKA)->setChecked(true);
        return;
    }
    // Neither GREEK nor ENGLISH: both off, which the switch allows only while it is not
    // exclusive.
    for (QRadioButton* language : {ELLINIKA, AGLIKA}) {
        language->setAutoExclusive(false);
        language->setChecked(false);
        language->setAutoExclusive(true);
    }
}

bool ControlPanel::Greek() const {
    return ELLINIKA->isChecked();
}

void ControlPanel::SetFocusBar(int value) {
    fOCUS_POINT->setValue(value);
}

void ControlPanel::ShowReadouts(const Labels& labels) {
    Label1->setText(Q(labels.Label1));
    Label2->setText(Q(labels.Label2));
    Label3->setText(Q(labels.Label3));
    Label4->setText(Q(labels.Label4));
}

void ControlPanel::ShowTexts(const ControlTexts& texts) {
    Command1->setText(Q(texts.printCaption));
    f_apeiro->setText(Q(texts.parallelBeamCaption));
    YPERVOLIKO->setText(Q(texts.hyperbolaCaption));
    ELLINIKA->setText(Q(texts.greekCaption));
    AGLIKA->setText(Q(texts.englishCaption));
}

void ControlPanel::SetLiveDragging(bool on) {
    for (QScrollBar* bar : Bars()) {
        bar->setTracking(on);
    }
}

QList<QWidget*> ControlPanel::FocusOrder() const {
    return {Command1, initial_POINT, fOCUS_POINT, n_DIATHLASI, pachos,
            f_apeiro, YPERVOLIKO,    ELLINIKA,    AGLIKA};
}

} // namespace kymata
