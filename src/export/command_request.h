#pragma once

#include "construction/controls.h"
#include "export/command_reading.h"

#include <optional>
#include <string_view>

namespace kymata {

/// What the command line asks for, once every option has been read and checked.
struct Request {
    Controls controls;
    /// --focus best: F is set once the lens is known.
    bool bestFocus = false;
    std::optional<int> lessonStep;
    /// --beat B: the figure of that beat of the step instead of the step's scene.
    std::optional<int> lessonBeat;
    std::optional<int> frames;
    int pngSize = 1000;
};

/// --lesson N: the step's own scene, so no scene option may stand beside it; then --beat B, a
/// beat of that step, one figure written by --export.
Problem ReadLessonStep(const GivenOptions& given, std::string_view language, Request& request);

} // namespace kymata
