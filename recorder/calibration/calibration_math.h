#pragma once
// The arithmetic of two-point calibration and one-point zeroing, and the texts the
// wizard shows its numbers in. Numbers are read and written with a decimal point,
// whatever the locale.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorda {

// S_B of two points whose codes differ by less than this many: the marker below.
inline constexpr std::int32_t kMinCodeDifference = 10;
// The S_B stored when the two codes are too close to give a slope.
inline constexpr double kFlatSlopeMarker = 9999.0;

// A point value as typed: the whole text, blanks around it allowed, is one number with a
// decimal point or a decimal comma ("100.5" and "100,5" alike, whatever the locale), read
// into single precision and widened. Nothing for anything else: other characters, two
// separators, no digits, or a value that is not finite in single precision (nan, inf,
// 1e39); a value too small for it reads as what single precision makes of it (1e-50: 0).
std::optional<double> readPointValue(std::string_view text);

// S_B from two points: the marker when |raw2 - raw1| < 10, else
// (value2 - value1) / (raw2 - raw1) * 1000 in double precision.
double twoPointSlope(std::int32_t raw1, double value1, std::int32_t raw2, double value2);

// S_C of the line of slope S_B through (raw1, value1): value1 - (0.001 * S_B) * raw1,
// evaluated in extended precision in that order and rounded once to double.
double offsetThroughPoint(double slopeSB, std::int32_t raw1, double value1);

// "%7.4f" of a point value: the text of the value field.
std::string pointValueText(double value);
// The constants as the calibration's result page shows them: "%8.6f / %7.4f".
std::string calibrationResultText(double slopeSB, double offsetSC);
// The constants as the zeroing's result page shows them: "%5.4f/%5.4f".
std::string zeroingResultText(double slopeSB, double offsetSC);

}  // namespace vorda
