#include "shell/wave_switches.h"
#include "construction/controls.h"

#include "construction/number_format.h"
#include "export/said.h"
#include "shell/window_texts.h"
#include "texts/catalogue.h"
#include "waves/wave_focus.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QToolTip>

#include <cmath>

namespace kymata {

BestFocusMove BestFocusFor(const Controls& controls, double wavelength,
                           const std::string& language) {
    const auto say = [&language](std::string_view key,
                                 std::initializer_list<std::string_view> values) {
        return Q(Text(key, language, values));
    };
    if (controls.perfectLens) {
        return {say("bestFocus.perfect", {}), std::nullopt};
    }
    if (const auto choice = waves::FocusBarNearBestFocus(controls)) {
        const std::string behind = Format(choice->behind, 2);
        const std::string bar = std::to_string(choice->bar);
        if (choice->clamped) {
            return {
                say(choice->noFocus ? "bestFocus.beyondWide" : "bestFocus.beyond", {behind, bar}),
                choice->bar};
        }
        return {say(choice->noFocus ? "bestFocus.movedWide" : "bestFocus.moved", {bar, behind}),
                choice->bar};
    }
    return {
        say("bestFocus.none", {std::to_string(std::lround(waves::BestFocusRange / wavelength))}),
        std::nullopt};
}

template <typename Button>
Button* WaveSwitches::MakeButton(QWidget& window, const char* name,
                                 std::string ControlTexts::*caption) {
    static const ControlTexts start = ControlTextsFor(TextLanguage(Controls{}));
    auto* button = new Button(caption ? Q(start.*caption) : QString(), &window);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QLabel* WaveSwitches::MakeNote(QWidget& window, const char* name) {
    auto* label = new QLabel(QString::fromLatin1(name), &window);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

WaveSwitches::WaveSwitches(QWidget& window) : window_(window) {
    changes_.Connect(waveView_, [this] { Q_EMIT WaveViewChanged(); });
    changes_.Connect(perfectLens_, [this] { Q_EMIT PerfectLensChanged(); });
    connect(playButton_, &QPushButton::clicked, this, &WaveSwitches::PlayClicked);
    connect(flashButton_, &QPushButton::clicked, this, &WaveSwitches::FlashClicked);
    connect(bestFocusButton_, &QPushButton::clicked, this, &WaveSwitches::BestFocusClicked);
}

bool WaveSwitches::WaveViewChecked() const {
    return waveView_->isChecked();
}

bool WaveSwitches::PerfectLens() const {
    return perfectLens_->isChecked();
}

void WaveSwitches::Set(bool waveView, bool perfectLens) {
    for (QCheckBox* box : {waveView_, perfectLens_}) {
        box->blockSignals(true);
    }
    waveView_->setChecked(waveView);
    perfectLens_->setChecked(perfectLens);
    for (QCheckBox* box : {waveView_, perfectLens_}) {
        box->blockSignals(false);
    }
}

void WaveSwitches::ShowWaveView(bool on) {
    waveView_->blockSignals(true);
    waveView_->setChecked(on);
    waveView_->blockSignals(false);
}

void WaveSwitches::WaveViewHandled() {
    changes_.HandledNow(waveView_);
}

void WaveSwitches::ShowTexts(const ControlTexts& texts, std::string_view language) {
    waveView_->setText(Q(texts.waveViewCaption));
    flashButton_->setText(Q(texts.flashCaption));
    perfectLens_->setText(Q(texts.perfectLensCaption));
    bestFocusButton_->setText(Said("bestFocus.caption", language));
    bestFocusButton_->setAccessibleDescription(Said("bestFocus.action", language) +
                                               QStringLiteral(" (B)"));
}

void WaveSwitches::ShowMotion(const ControlTexts& texts, bool waves, bool playing, double speed) {
    playButton_->setText(playing ? Q(texts.pauseCaption) : Q(texts.playCaption));
    speedLabel_->setText(Q(texts.speed).arg(speed));
    for (QWidget* control :
         {static_cast<QWidget*>(perfectLens_), static_cast<QWidget*>(playButton_),
          static_cast<QWidget*>(flashButton_), static_cast<QWidget*>(bestFocusButton_),
          static_cast<QWidget*>(speedLabel_)}) {
        control->setVisible(waves);
    }
}

void WaveSwitches::SayOfBestFocus(const QString& said) {
    bestFocusButton_->setAccessibleDescription(said);
    QAccessibleEvent alert(bestFocusButton_, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    QToolTip::showText(bestFocusButton_->mapToGlobal(QPoint(0, -bestFocusButton_->height())), said,
                       bestFocusButton_);
}

QList<QWidget*> WaveSwitches::FocusOrder() const {
    return {waveView_, perfectLens_, playButton_, flashButton_};
}

QWidget* WaveSwitches::BestFocusButton() const {
    return bestFocusButton_;
}

} // namespace kymata
