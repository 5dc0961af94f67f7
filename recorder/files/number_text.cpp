#include "files/number_text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace vorda {

namespace {

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "80818283848586878889909192939495969798";

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

char* writeWithPrintf(char* out, double value, int decimals) {
    char buf[kFixedTextMax + 16];
    const int n = std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    const std::size_t len = n > 0 ? static_cast<std::size_t>(n) : 0;
    std::memcpy(out, buf, len < kFixedTextMax ? len : kFixedTextMax);
    return out + (len < kFixedTextMax ? len : kFixedTextMax);
}

}  // namespace

char* writeFixed(char* out, float value, int decimals) {
    if (decimals < 0) decimals = 0;
    if (decimals > kMaxFixedDecimals) decimals = kMaxFixedDecimals;
    const double x = static_cast<double>(value);

    // A float has a 24-bit significand and 10^4 = 2^4 * 625 adds at most 10 bits, so
    // |x| * 10^d is exact in a double. Rounding that exact product to an integer, ties to
    // even, is then exactly what printf does with the decimal expansion of x. Outside
    // 2^62 (and for NaN and infinities) printf itself is asked. nearbyint and printf both
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
    return writeWithPrintf(out, x, decimals);
}

char* writeDecimal(char* out, long long value) {
    if (value < 0) {
        *out++ = '-';
        return writeUnsigned(out, static_cast<std::uint64_t>(0) - static_cast<std::uint64_t>(value), 1);
    }
    return writeUnsigned(out, static_cast<std::uint64_t>(value), 1);
}

}  // namespace vorda
