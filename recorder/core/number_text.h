#pragma once
// Fixed-point text of a measured value, as printf("%.*f") writes the float widened to
// double, without printf's cost: the conversion writes up to 25 million of these a block.
// The measurement files and the monitoring view both write their numbers with it.

#include <cstddef>
#include <string>

namespace vorda {

// Decimals a value gets at most: a numberFormat beyond this, which only a damaged record
// holds, is written with this many (0..4 are the formats in use).
inline constexpr int kMaxFixedDecimals = 20;

// Room writeFixed needs: sign, 39 integer digits of the largest float, point, decimals.
inline constexpr std::size_t kFixedTextMax = 64;

// Writes the text of printf("%.*f", decimals, (double)value) in the "C" locale (the point
// is "." whatever the desktop uses) at `out` (no NUL) and
// returns the end. `decimals` is clamped to 0..kMaxFixedDecimals. `out` must have room
// for kFixedTextMax bytes.
char* writeFixed(char* out, float value, int decimals);

// printf("%*.*f", width, precision, value) in the "C" locale: the one home of the
// locale-free fixed notation of reports, dialogs and the history (the point is "."
// whatever the desktop uses; callers that want a comma replace it). Text longer than
// `width` is written whole.
std::string fixedText(double value, int precision, int width = 0);
std::string fixedText(long double value, int precision, int width = 0);

// Writes `value` in decimal at `out` (no padding) and returns the end; room for 20 bytes.
char* writeDecimal(char* out, long long value);

}  // namespace vorda
