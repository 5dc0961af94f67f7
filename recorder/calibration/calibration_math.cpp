#include "calibration/calibration_math.h"

#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <cctype>
#include <cstdlib>
#include <string>

namespace vorda {
namespace {

// "%W.Pf" without the C library's locale (a Qt program takes LC_NUMERIC from the desktop).
std::string fixed(double value, int width, int precision)
{
    return fixedText(value, precision, width);
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

std::optional<double> readPointValue(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    // from_chars takes no '+'.
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::string number(text);
    if (const auto comma = number.find(','); comma != std::string::npos) {
        if (number.find('.') != std::string::npos) return std::nullopt;
        number[comma] = '.';
    }
    if (number.empty() || !(std::isdigit(static_cast<unsigned char>(number[0])) || number[0] == '.'))
        return std::nullopt;  // no sign twice, no "nan" or "inf"
    const char* first = number.data();
    const char* last = first + number.size();
    float value = 0.0f;
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small for a float: the small ones round to what a float holds.
        double wide = 0.0;
        const auto [widePtr, wideEc] = std::from_chars(first, last, wide, std::chars_format::general);
        if (wideEc != std::errc() || widePtr != last || std::fabs(wide) >= 1.0) return std::nullopt;
        value = static_cast<float>(wide);
        ptr = widePtr;
        ec = std::errc();
    }
    if (ec != std::errc() || ptr != last || !std::isfinite(value)) return std::nullopt;
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
