#include "calibration/calibration_math.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace vorda {
namespace {

// "%W.Pf" without the C library's locale (a Qt program takes LC_NUMERIC from the desktop,
// where printf would write a decimal comma); std::to_chars gives the same digits.
std::string fixed(double value, int width, int precision)
{
    char buffer[400];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision).ptr;
    std::string text(buffer, end);
    if (text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

std::optional<double> readPointValue(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    // from_chars takes no '+'; "%f" does.
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) return std::nullopt;
    float value = 0.0f;
    const char* first = text.data() + pos;
    const auto [ptr, ec] = std::from_chars(first, text.data() + text.size(), value, std::chars_format::general);
    if (ptr == first) return std::nullopt;
    // Out of range: "%f" gives an infinity or a zero, neither of which calibrates anything.
    if (ec != std::errc() || !std::isfinite(value)) return std::nullopt;
    return static_cast<double>(negative ? -value : value);
}

double twoPointSlope(std::int32_t raw1, double value1, std::int32_t raw2, double value2)
{
    // The difference as the 32-bit integer the record holds; codes are 16-bit, so it never wraps.
    const std::int32_t d = static_cast<std::int32_t>(static_cast<std::int64_t>(raw2) - raw1);
    if (std::abs(static_cast<std::int64_t>(d)) < kMinCodeDifference) return kFlatSlopeMarker;
    return (value2 - value1) / d * 1000.0;
}

double offsetThroughPoint(double slopeSB, std::int32_t raw1, double value1)
{
    constexpr long double kMilli = 0.001L;  // an extended constant, as in the scaling
    const long double step = kMilli * static_cast<long double>(slopeSB);
    return static_cast<double>(static_cast<long double>(value1) - step * static_cast<long double>(raw1));
}

std::string pointValueText(double value)
{
    return fixed(value, 7, 4);
}

std::string calibrationResultText(double slopeSB, double offsetSC)
{
    return fixed(slopeSB, 8, 6) + " / " + fixed(offsetSC, 7, 4);
}

std::string zeroingResultText(double slopeSB, double offsetSC)
{
    return fixed(slopeSB, 5, 4) + "/" + fixed(offsetSC, 5, 4);
}

}  // namespace vorda
