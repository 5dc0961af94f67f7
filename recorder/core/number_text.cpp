#include "core/number_text.h"

#include <algorithm>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace vorda {

namespace {

// "00" "01" ... "99", two characters per number.
constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int n = 0; n < 100; ++n) {
        pairs[static_cast<std::size_t>(2 * n)] = static_cast<char>('0' + n / 10);
        pairs[static_cast<std::size_t>(2 * n + 1)] = static_cast<char>('0' + n % 10);
    }
    return pairs;
}();

constexpr double kPow10[] = {1.0, 10.0, 100.0, 1000.0, 10000.0};
constexpr std::uint64_t kPow10Int[] = {1, 10, 100, 1000, 10000};
constexpr int kFastDecimals = 4;

// nearbyint() without the library call: below 2^52, adding 2^52 leaves no fraction bits,
// so the addition itself rounds to an integer, ties to even; above, y is whole already.
double roundToEven(double y)
{
    constexpr double kTwo52 = 4503599627370496.0;
    return y < kTwo52 ? (y + kTwo52) - kTwo52 : y;
}

int digitCount(std::uint64_t n)
{
    int count = 1;
    for (; n >= 10000; n /= 10000) count += 4;
    if (n >= 1000) return count + 3;
    if (n >= 100) return count + 2;
    return n >= 10 ? count + 1 : count;
}

// Writes the low `digits` digits of n, leading zeros included, back to front; the values
// are a few bytes long, too short to be worth a library call.
char* writeDigits(char* out, std::uint64_t n, int digits)
{
    char* const end = out + digits;
    char* p = end;
    for (; digits >= 2; digits -= 2) {
        const auto pair = static_cast<std::size_t>(n % 100) * 2;
        n /= 100;
        *--p = kDigitPairs[pair + 1];
        *--p = kDigitPairs[pair];
    }
    if (digits == 1) *--p = static_cast<char>('0' + n % 10);
    return end;
}

// printf's own answer, without its locale: std::to_chars formats as printf does in the
// "C" locale, so the decimal point stays '.' under a decimal-comma desktop.
char* writeSlowPath(char* out, double value, int decimals)
{
    const auto [end, ec] = std::to_chars(out, out + kFixedTextMax, value, std::chars_format::fixed, decimals);
    return ec == std::errc() ? end : out;
}

}  // namespace

char* writeFixed(char* out, float value, int decimals)
{
    if (decimals < 0) decimals = 0;
    if (decimals > kMaxFixedDecimals) decimals = kMaxFixedDecimals;
    const double x = static_cast<double>(value);

    // A float has a 24-bit significand and 10^4 = 2^4 * 625 adds at most 10 bits, so
    // |x| * 10^d is exact in a double. Rounding that exact product to an integer, ties to
    // even, is then exactly what printf does with the decimal expansion of x. Outside
    // 2^62, and for NaN and infinities, the slow path does it. The rounding and printf both
    // follow the rounding mode; the program keeps the default, round to nearest.
    if (decimals <= kFastDecimals && std::isfinite(x)) {
        const double scaled = std::fabs(x) * kPow10[decimals];
        if (scaled < 4.6e18) {
            const auto n = static_cast<std::uint64_t>(roundToEven(scaled));
            if (std::signbit(x)) *out++ = '-';
            const std::uint64_t whole = n / kPow10Int[decimals];
            out = writeDigits(out, whole, digitCount(whole));
            if (decimals == 0) return out;
            *out++ = '.';
            return writeDigits(out, n % kPow10Int[decimals], decimals);
        }
    }
    return writeSlowPath(out, x, decimals);
}

namespace {

template <typename T>
std::string fixedOf(T value, int precision, int width)
{
    // Room for the widest long double in fixed notation with its decimals.
    static constexpr std::size_t kRoom = 5000;
    if (precision < 0) precision = 6;
    std::string text(kRoom + static_cast<std::size_t>(precision), '\0');
    const auto [end, ec] =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, precision);
    text.resize(ec == std::errc() ? static_cast<std::size_t>(end - text.data()) : 0);
    if (text.size() < static_cast<std::size_t>(std::max(width, 0)))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

}  // namespace

std::string fixedText(double value, int precision, int width)
{
    return fixedOf(value, precision, width);
}

std::string fixedText(long double value, int precision, int width)
{
    return fixedOf(value, precision, width);
}

char* writeDecimal(char* out, long long value)
{
    std::uint64_t magnitude = static_cast<std::uint64_t>(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = std::uint64_t{0} - magnitude;
    }
    return writeDigits(out, magnitude, digitCount(magnitude));
}

}  // namespace vorda
