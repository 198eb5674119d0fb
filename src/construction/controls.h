#pragma once

#include <optional>
#include <string>

namespace kymata {

/// Which figure a redraw draws.
enum class View {
    /// The classic construction: the spherical lens, or the hyperbolic one with `YPERVOLIKO`.
    Classic,
    /// The wave view: exact rays from the source through the lens to the focus with their
    /// counts of waves.
    Waves,
};

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
