#pragma once

#include "drawing/surface.h"
#include "waves/wave_trace.h"

#include <optional>
#include <vector>

namespace kymata::waves {

/// One ray's path, straight piece by piece, with the running count of waves along it.
struct PathPiece {
    Vec2 from;
    Vec2 to;
    /// The count of waves at `from`, in air wavelengths.
    double count = 0;
    /// The wavelength along this piece: λ in air, λ / n in glass.
    double wavelength = 0;
    /// |to - from|.
    double length = 0;
    /// The count of waves at `to`.
    double endCount = 0;

    PathPiece(Vec2 start, Vec2 end, double startCount, double pieceWavelength)
        : from(start), to(end), count(startCount), wavelength(pieceWavelength),
          length(Distance(start, end)), endCount(startCount + length / pieceWavelength) {}
    double EndCount() const { return endCount; }
    /// The point of the piece at the running count `c`, `count` <= c <= `EndCount`().
    Vec2 At(double c) const {
        return length > 0 ? from + ((c - count) * wavelength / length) * (to - from) : from;
    }
};

/// The path of `ray` from its start to where it ends: the glass end for `Tir` and `Missed`,
/// the edge of `box` for `Through`.
std::vector<PathPiece> RayPath(const TracedRay& ray, const WaveLens& lens, const UserBox& box);

/// The point of `path` at which the running count reaches `count`, if the path reaches it.
std::optional<Vec2> PointAtCount(const std::vector<PathPiece>& path, double count);

/// The greatest running count that any ray of `trace` reaches in its box (for a square target):
/// where a flash has left the figure.
double MostCount(const WaveTrace& trace);

} // namespace kymata::waves
