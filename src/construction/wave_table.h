#pragma once

#include <algorithm>
#include <vector>

namespace kymata {

/// The wave-point tables of one spherical redraw: point (k, r) is the k-th wave mark of ray r
/// (air marks, then glass marks, numbered on), k up to 140 and r up to 150. Entries start at
/// (0, 0), which marks "no point". Marks beyond the table's end are not kept; reading beyond it
/// gives (0, 0). Only the columns of the rays that a redraw can have are held in memory.
class WaveTable {
public:
    static constexpr int MaxWave = 140;
    static constexpr int MaxRay = 150;

    /// A table for rays 0 to `rays`; reading column `rays` + 1 gives "no point".
    explicit WaveTable(int rays)
        : columns_(std::clamp(rays, 0, MaxRay) + 1), x_((MaxWave + 1) * columns_, 0.0),
          y_((MaxWave + 1) * columns_, 0.0) {}

    bool Holds(int k, int r) const { return k >= 0 && k <= MaxWave && r >= 0 && r < columns_; }

    void Store(int k, int r, double x, double y) {
        if (Holds(k, r)) {
            x_[Index(k, r)] = x;
            y_[Index(k, r)] = y;
        }
    }
    double X(int k, int r) const { return Holds(k, r) ? x_[Index(k, r)] : 0.0; }
    double Y(int k, int r) const { return Holds(k, r) ? y_[Index(k, r)] : 0.0; }

private:
    int Index(int k, int r) const { return r * (MaxWave + 1) + k; }

    int columns_;
    std::vector<double> x_;
    std::vector<double> y_;
};

} // namespace kymata
