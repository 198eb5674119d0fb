#pragma once

#include "figure/control_texts.h"
#include "shell/button_changes.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

namespace kymata {

/// What F → BEST FOCUS does for `controls`: the whole step of the focus bar nearest the lens's
/// best focus where there is one (`bar`), and the sentence that says it (moved, stopped at the
/// bar's end, no best focus, or none needed with the perfect lens) in `language`.
struct BestFocusMove {
    QString said;
    std::optional<int> bar;
};
BestFocusMove BestFocusFor(const Controls& controls, double wavelength,
                           const std::string& language);

/// The wave view's switches under the canvas: WAVE VIEW, and while it is on PERFECT LENS,
/// PLAY or PAUSE, FLASH, F → BEST FOCUS and the speed of the crests. It shows what the window
/// tells it and tells of every click.
class WaveSwitches final : public QObject {
    Q_OBJECT

public:
    /// Makes the switches on `window` with the start's captions.
    explicit WaveSwitches(QWidget& window);

    bool WaveViewChecked() const;
    bool PerfectLens() const;
    /// Sets WAVE VIEW and PERFECT LENS without running their handlers.
    void Set(bool waveView, bool perfectLens);
    /// Ticks WAVE VIEW or not, without running its handler.
    void ShowWaveView(bool on);
    /// Marks a change of WAVE VIEW as handled (by the menu or the key) in this turn.
    void WaveViewHandled();
    /// The captions in `language`.
    void ShowTexts(const ControlTexts& texts, std::string_view language);
    /// PLAY or PAUSE and the speed; the wave view's switches only while `waves`.
    void ShowMotion(const ControlTexts& texts, bool waves, bool playing, double speed);
    /// Says `said` of the best focus where the eye is, and to a screen reader.
    void SayOfBestFocus(const QString& said);
    /// The switches in the order Tab visits them, up to FLASH; F → BEST FOCUS comes after.
    QList<QWidget*> FocusOrder() const;
    QWidget* BestFocusButton() const;

Q_SIGNALS:
    void WaveViewChanged();
    void PerfectLensChanged();
    void PlayClicked();
    void FlashClicked();
    void BestFocusClicked();

private:
    template <typename Button>
    static Button* MakeButton(QWidget& window, const char* name,
                              std::string ControlTexts::*caption);
    static QLabel* MakeNote(QWidget& window, const char* name);

    QWidget& window_;
    ButtonChanges changes_;
    QCheckBox* const waveView_ =
        MakeButton<QCheckBox>(window_, "waveView", &ControlTexts::waveViewCaption);
    QCheckBox* const perfectLens_ =
        MakeButton<QCheckBox>(window_, "perfectLens", &ControlTexts::perfectLensCaption);
    QPushButton* const playButton_ =
        MakeButton<QPushButton>(window_, "playButton", &ControlTexts::playCaption);
    QPushButton* const flashButton_ =
        MakeButton<QPushButton>(window_, "flashButton", &ControlTexts::flashCaption);
    QPushButton* const bestFocusButton_ =
        MakeButton<QPushButton>(window_, "bestFocusButton", nullptr);
    QLabel* const speedLabel_ = MakeNote(window_, "speedLabel");
};

} // namespace kymata
