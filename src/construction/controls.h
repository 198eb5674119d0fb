#pragma once

#include "construction/view.h"

#include <optional>
#include <string>
#include <string_view>

namespace kymata {

/// The values of the window's controls that a drawing reads, named after the controls.
/// Defaults are the controls' design values.
struct Controls {
    /// Source position in air wavelengths left of the origin: -200..-3.
    int initial_POINT = -20;
    /// Focus distance behind the back vertex in air wavelengths: 1..50.
    int fOCUS_POINT = 5;
    /// Refractive index times 100: 105..250.
    int n_DIATHLASI = 150;
    /// Lens thickness in glass wavelengths: 1..20.
    int pachos = 20;
    /// Checked: the hyperbolic lens construction instead of the spherical one.
    bool YPERVOLIKO = false;
    /// "Parallel BEAM": read by the hyperbolic drawings, changes no figure.
    bool f_apeiro = false;
    /// Selected: Greek texts; otherwise (`AGLIKA` selected) English.
    bool ELLINIKA = true;
    /// A language beyond the GREEK/ENGLISH switch, by its catalogue code ("fr"), chosen from the
    /// Language menu or with --lang; empty, the switch chooses.
    std::string moreLanguage;
    /// The classic construction (the default) or the wave view.
    View view = View::Classic;
    /// The wave view's moving crests: drawn at running count m + phase for every whole m
    /// (0 <= phase < 1); empty, the whole counts of the still view.
    std::optional<double> phase;
    /// The wave view's single flash: only the crest at this running count; empty, none.
    std::optional<double> flash;
    /// The wave view's third lens: the perfect front surface, on which every ray arrives at
    /// the focus with the same count (`YPERVOLIKO` plays no part in it).
    bool perfectLens = false;

    friend bool operator==(const Controls&, const Controls&) = default;
};

/// The code of the language of the texts: `moreLanguage` when one is chosen, else "el" or "en"
/// as the GREEK/ENGLISH switch stands.
inline std::string_view TextLanguage(const Controls& controls) {
    if (!controls.moreLanguage.empty()) {
        return controls.moreLanguage;
    }
    return controls.ELLINIKA ? "el" : "en";
}

/// Chooses the language of the texts by its code: "el" and "en" set the GREEK/ENGLISH switch,
/// any other code is a `moreLanguage` (with the switch on ENGLISH).
inline void SetTextLanguage(Controls& controls, std::string_view code) {
    controls.ELLINIKA = code == "el";
    controls.moreLanguage = code == "el" || code == "en" ? std::string() : std::string(code);
}

/// Scroll-bar ranges of the four scene controls.
struct ControlRange {
    int min;
    int max;
};
inline constexpr ControlRange initial_POINT_Range{-200, -3};
inline constexpr ControlRange fOCUS_POINT_Range{1, 50};
inline constexpr ControlRange n_DIATHLASI_Range{105, 250};
inline constexpr ControlRange pachos_Range{1, 20};

/// The captions of the four read-out labels (UTF-8).
struct Labels {
    std::string Label1 = "Label1";
    std::string Label2 = "Label2";
    std::string Label3 = "Label3";
    std::string Label4 = "Label4";

    friend bool operator==(const Labels&, const Labels&) = default;
};

} // namespace kymata
