// The views a redraw may draw and what each of them is: one row of traits a view, asked by name.
#pragma once

#include "construction/view.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace kymata {

/// What a view is, one question a field. A new view adds one row to `ViewNames`; the code that
/// draws it is named by the compiler (every `switch` over `View`) and the tests that read this
/// table.
struct ViewTraits {
    View view;
    /// The name the command line, the figure document and the web page write.
    std::string_view name;
    /// Drawn from the exact wave tracer: its redraw returns the trace of its rays, whose
    /// optics the sweep checks; the WAVE VIEW switch opens the first such view.
    bool tracesWaves = false;
    /// Takes a lens shape beyond the classic switch: sphere, hyperbola or the perfect surface
    /// (`--lens`, PERFECT LENS).
    bool takesLensShape = false;
    /// Has moving crests: a phase, a flash, `--animate`, `--frames`, PLAY.
    bool movingCrests = false;
    /// Has a ledger: the table of its rays and their counts beside the figure.
    bool hasLedger = false;
};

/// Every view, in the order the views are offered; the first is the start.
inline constexpr ViewTraits ViewNames[] = {
    {.view = View::Classic, .name = "classic"},
    {.view = View::Waves,
     .name = "waves",
     .tracesWaves = true,
     .takesLensShape = true,
     .movingCrests = true,
     .hasLedger = true},
};

/// The row of `view`; the first row for a view the table lacks (a test holds every view in it).
constexpr const ViewTraits& TraitsOf(View view) {
    for (const ViewTraits& row : ViewNames) {
        if (row.view == view) {
            return row;
        }
    }
    return ViewNames[0];
}

/// The place of `view` in the table: the page and the web module count views by it.
constexpr std::size_t ViewPlace(View view) {
    for (std::size_t place = 0; place < std::size(ViewNames); ++place) {
        if (ViewNames[place].view == view) {
            return place;
        }
    }
    return 0;
}

/// True for a view drawn from the exact wave tracer.
constexpr bool TracesWaves(View view) {
    return TraitsOf(view).tracesWaves;
}

/// True for a view that takes a lens shape (`--lens`, PERFECT LENS).
constexpr bool TakesLensShape(View view) {
    return TraitsOf(view).takesLensShape;
}

/// True for a view with moving crests (phase, flash, animation, PLAY).
constexpr bool HasMovingCrests(View view) {
    return TraitsOf(view).movingCrests;
}

/// True for a view with a ledger of its rays.
constexpr bool HasLedger(View view) {
    return TraitsOf(view).hasLedger;
}

/// The name of `view` ("classic", "waves").
constexpr std::string_view ViewName(View view) {
    return TraitsOf(view).name;
}

/// The first view of the table that traces waves: what the WAVE VIEW switch turns on.
constexpr View FirstViewTracingWaves() {
    for (const ViewTraits& row : ViewNames) {
        if (row.tracesWaves) {
            return row.view;
        }
    }
    return ViewNames[0].view;
}

/// The view named `name`, or empty for a name no view has (names are lower case).
constexpr std::optional<View> ParseView(std::string_view name) {
    for (const ViewTraits& row : ViewNames) {
        if (row.name == name) {
            return row.view;
        }
    }
    return std::nullopt;
}

} // namespace kymata
