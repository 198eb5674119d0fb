// The views a redraw may draw, by name alone; what each of them is stands in views.h.
#pragma once

namespace kymata {

/// Which figure a redraw draws.
enum class View {
    /// The classic construction: the spherical lens, or the hyperbolic one with `YPERVOLIKO`.
    Classic,
    /// The wave view: exact rays from the source through the lens to the focus with their
    /// counts of waves.
    Waves,
};

} // namespace kymata
