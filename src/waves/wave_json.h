#pragma once

#include "waves/wave_trace.h"

#include <optional>
#include <string>

namespace kymata::waves {

/// The wave view's optics as the JSON object of the figure document's "waves" member: the
/// lens, the source, F, B, the rim and aperture, the 25 rays in k order with their entry and
/// exit points, fate, counts, OPD and axis crossing, and the summary; null where a value does
/// not exist, and "rays": [] with the summary null when the source lies in the glass.
/// `phase` or `flash`, when the view shows moving crests or one flash, are recorded too.
std::string WavesJson(const WaveTrace& trace, std::optional<double> phase = std::nullopt,
                      std::optional<double> flash = std::nullopt);

} // namespace kymata::waves
