#pragma once

#include <vector>

namespace kymata {

/// The wave-point tables of one spherical redraw: point (k, r) is the k-th wave mark of ray r
/// (air marks, then glass marks, numbered on). Entries start at (0, 0), which marks "no point".
/// Marks beyond the table's end are not kept; reading beyond it gives (0, 0).
class WaveTable {
public:
    static constexpr int MaxWave = 140;
    static constexpr int MaxRay = 150;

    WaveTable() : x_(Size, 0.0), y_(Size, 0.0) {}

    static bool Holds(int k, int r) { return k >= 0 && k <= MaxWave && r >= 0 && r <= MaxRay; }

    void Store(int k, int r, double x, double y) {
        if (Holds(k, r)) {
            x_[Index(k, r)] = x;
            y_[Index(k, r)] = y;
        }
    }
    double X(int k, int r) const { return Holds(k, r) ? x_[Index(k, r)] : 0.0; }
    double Y(int k, int r) const { return Holds(k, r) ? y_[Index(k, r)] : 0.0; }

private:
    static constexpr int Size = (MaxWave + 1) * (MaxRay + 1);
    static int Index(int k, int r) { return k * (MaxRay + 1) + r; }

    std::vector<double> x_;
    std::vector<double> y_;
};

} // namespace kymata
