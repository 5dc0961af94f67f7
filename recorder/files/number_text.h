#pragma once
// Fixed-point text of a measured value, as printf("%.*f") writes the float widened to
// double, without printf's cost: the conversion writes up to 25 million of these a block.

#include "core/channel_scaling.h"

#include <cstddef>

namespace vorda {

// Decimals beyond this are written as this many, as in fileText(); the formats use 0..4.
inline constexpr int kMaxFixedDecimals = kMaxFileDecimals;

// Room writeFixed needs: sign, 39 integer digits of the largest float, point, decimals.
inline constexpr std::size_t kFixedTextMax = 64;

// Writes the text of printf("%.*f", decimals, (double)value) in the "C" locale (the point
// is "." whatever the desktop uses) at `out` (no NUL) and
// returns the end. `decimals` is clamped to 0..kMaxFixedDecimals. `out` must have room
// for kFixedTextMax bytes.
char* writeFixed(char* out, float value, int decimals);

// Writes `value` in decimal at `out` (no padding) and returns the end; room for 20 bytes.
char* writeDecimal(char* out, long long value);

}  // namespace vorda
