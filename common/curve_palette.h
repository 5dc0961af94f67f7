#pragma once
// The colours of the curves, one per channel of a chart: the presenter's charts and the
// monitoring window's chart draw channel k in the same colour. Plain numbers, so that a
// library without Qt's GUI module can hold the table too.

#include <array>
#include <cstddef>

namespace curves {

struct Rgb {
    int red;
    int green;
    int blue;
};

inline constexpr int kCurvesPerChart = 16;

// Curve 1..16 of the upper chart (channels 1-16); the lower chart (channels 17-32) uses the
// same colours except for its last curve.
inline constexpr std::array<Rgb, kCurvesPerChart> kUpperChart = {{
    {255, 0, 0},
    {0, 128, 255},
    {255, 255, 0},
    {0, 128, 64},
    {54, 205, 134},
    {255, 128, 192},
    {128, 0, 64},
    {255, 0, 255},
    {0, 255, 128},
    {0, 255, 255},
    {192, 192, 192},
    {255, 128, 128},
    {128, 128, 128},
    {64, 0, 128},
    {255, 128, 0},
    {255, 128, 0},
}};
inline constexpr Rgb kLowerChartLast = {128, 128, 192};

// The colour of curve `index` (0-15) of the upper or the lower chart.
constexpr Rgb colour(int index, bool lowerChart = false)
{
    if (lowerChart && index == kCurvesPerChart - 1) return kLowerChartLast;
    return kUpperChart[std::size_t(index)];
}

}  // namespace curves
