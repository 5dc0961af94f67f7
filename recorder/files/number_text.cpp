#include "files/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

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
constexpr int kFastDecimals = 4;

// Writes n with at least minDigits digits (leading zeros) and returns the end.
char* writeUnsigned(char* out, std::uint64_t n, int minDigits) {
    char tmp[24];
    char* p = tmp + sizeof tmp;
    while (n >= 100) {
        const unsigned pair = static_cast<unsigned>(n % 100) * 2;
        n /= 100;
        *--p = kDigitPairs[pair + 1];
        *--p = kDigitPairs[pair];
    }
    if (n >= 10) {
        *--p = kDigitPairs[n * 2 + 1];
        *--p = kDigitPairs[n * 2];
    } else {
        *--p = static_cast<char>('0' + n);
    }
    while (tmp + sizeof tmp - p < minDigits) *--p = '0';
    const std::size_t len = static_cast<std::size_t>(tmp + sizeof tmp - p);
    std::memcpy(out, p, len);
    return out + len;
}

// printf's own answer, without its locale: std::to_chars formats as printf does in the
// "C" locale, so the decimal point stays '.' under a decimal-comma desktop.
char* writeSlowPath(char* out, double value, int decimals) {
    const auto [end, ec] = std::to_chars(out, out + kFixedTextMax, value, std::chars_format::fixed, decimals);
    return ec == std::errc() ? end : out;
}

}  // namespace

char* writeFixed(char* out, float value, int decimals) {
    if (decimals < 0) decimals = 0;
    if (decimals > kMaxFixedDecimals) decimals = kMaxFixedDecimals;
    const double x = static_cast<double>(value);

    // A float has a 24-bit significand and 10^4 = 2^4 * 625 adds at most 10 bits, so
    // |x| * 10^d is exact in a double. Rounding that exact product to an integer, ties to
    // even, is then exactly what printf does with the decimal expansion of x. Outside
    // 2^62, and for NaN and infinities, the slow path does it. nearbyint and printf both
    // follow the rounding mode; the program keeps the default, round to nearest.
    if (decimals <= kFastDecimals && std::isfinite(x)) {
        const double scaled = std::fabs(x) * kPow10[decimals];
        if (scaled < 4.6e18) {
            const auto n = static_cast<std::uint64_t>(std::nearbyint(scaled));
            if (std::signbit(x)) *out++ = '-';
            if (decimals == 0) return writeUnsigned(out, n, 1);
            char* end = writeUnsigned(out, n, decimals + 1);
            // Open a gap for the point before the last `decimals` digits.
            char* point = end - decimals;
            std::memmove(point + 1, point, static_cast<std::size_t>(decimals));
            *point = '.';
            return end + 1;
        }
    }
    return writeSlowPath(out, x, decimals);
}

char* writeDecimal(char* out, long long value) {
    if (value < 0) {
        *out++ = '-';
        return writeUnsigned(out, static_cast<std::uint64_t>(0) - static_cast<std::uint64_t>(value), 1);
    }
    return writeUnsigned(out, static_cast<std::uint64_t>(value), 1);
}

}  // namespace vorda
