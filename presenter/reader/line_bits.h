#pragma once
// One line as bit maps of its white space, digits and points: the line parser's tokenizer
// and its reader of the usual plain decimals. Internal to the line parser.

#include "float_scan.h"
#include "line_parser.h"

#include "portable_bits.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace wizor {

// The first NUL among the 64 characters at `word`, which hold one.
inline std::size_t firstNul(const char* word) noexcept
{
    return std::size_t(static_cast<const char*>(std::memchr(word, 0, 64)) - word);
}

// One line as bit maps of its white space, digits and points, 64 characters a word, for a
// tokenizer and a number reader that find what they need with bit operations instead of a
// test per character. The line is read where it lies, kLinePadding bytes past its end
// included; those read as blanks.
class LineBits {
public:
    static constexpr int kWords = (kMaxLineLength + 63) / 64;

    // The first `length` characters of `line` (at most kMaxLineLength), up to a NUL. One
    // more word of blanks ends the map.
    LineBits(const char* line, std::size_t length) noexcept : text_(line)
    {
        words_ = int((length + 63) / 64);
        std::size_t nul = length;
        for (int w = 0; w < words_; ++w) {
            std::uint64_t spaces = 0;
            std::uint64_t digits = 0;
            std::uint64_t points = 0;
            const bool hasNul = scanWord(text_ + w * 64, spaces, digits, points);
            space_[w] = spaces;
            digit_[w] = digits;
            point_[w] = points;
            numberChar_[w] = digits | points;
            // Where a NUL is, is looked for only when there is one.
            if (hasNul && nul == length) nul = std::min(length, std::size_t(w) * 64 + firstNul(text_ + w * 64));
        }
        // A NUL ends the line; what follows the line reads as blanks.
        words_ = int((nul + 63) / 64);
        if (const std::size_t tail = nul % 64) {
            const std::uint64_t inside = (std::uint64_t(1) << tail) - 1;
            space_[words_ - 1] |= ~inside;
            digit_[words_ - 1] &= inside;
            point_[words_ - 1] &= inside;
            numberChar_[words_ - 1] &= inside;
        }
        space_[words_] = ~std::uint64_t(0);
        digit_[words_] = point_[words_] = numberChar_[words_] = 0;
    }

    const char* text() const noexcept { return text_; }

    // Tokens: where each begins (a non-blank after a blank or at the line's start) and
    // ends (the first blank after it), at most `limit` of them; returns how many.
    int tokens(std::uint16_t* starts, std::uint16_t* ends, int limit) const noexcept
    {
        int count = 0;
        int ended = 0;
        std::uint64_t before = ~std::uint64_t(0);  // bit 63: the character before is blank
        for (int w = 0; w < words_ && (count < limit || ended < count); ++w) {
            const std::uint64_t solid = ~space_[w];
            std::uint64_t first = solid & ((space_[w] << 1) | (before >> 63));
            std::uint64_t last = solid & ((space_[w] >> 1) | (space_[w + 1] << 63));
            before = space_[w];
            for (; first != 0 && count < limit; first &= first - 1)
                starts[count++] = std::uint16_t(w * 64 + std::countr_zero(first));
            for (; last != 0 && ended < count; last &= last - 1)
                ends[ended++] = std::uint16_t(w * 64 + std::countr_zero(last) + 1);
        }
        return count;
    }

    // Whether the character at `at` is a digit.
    bool digitAt(std::size_t at) const noexcept { return (bitsFrom(digit_, at) & 1) != 0; }

    // Converts the leading tokens of `count` (given by their starts and ends) that are
    // plain decimals of at most 8 digits and 9 characters after a minus sign, if any, into
    // `out`, with the values of shortDecimal; returns how many. Each of them begins with a
    // digit or a minus sign. The work goes in passes over all the tokens, so that the
    // conversions of several tokens overlap.
    int usualDecimals(const std::uint16_t* starts, const std::uint16_t* ends, int count, float* out) const noexcept
    {
        std::uint64_t closed[kMaxColumns];  // the digits, closed up over the point, at the top
        std::uint8_t fraction[kMaxColumns];
        std::uint32_t sign[kMaxColumns];
        int usual = 0;
        for (; usual < count; ++usual) {
            const std::size_t begin = starts[usual];
            const bool negative = text_[begin] == '-';
            const std::size_t at = begin + std::size_t(negative);
            const std::size_t length = std::size_t(ends[usual]) - at;
            if (length - 1 >= 9) break;
            const std::uint64_t all = (std::uint64_t(1) << length) - 1;
            const std::uint64_t points = bitsFrom(point_, at) & all;
            const std::size_t digitCount = length - std::size_t(points != 0);
            // Digits and at most one point; a token that begins with the point goes the long
            // way, as it is no numeric column.
            if ((bitsFrom(numberChar_, at) & all) != all || (points & (points - 1)) != 0 || digitCount - 1 >= 8 ||
                (points & std::uint64_t(!negative)) != 0)
                break;
            const std::size_t wholeLength = std::size_t(std::countr_zero(points | (std::uint64_t(1) << length)));
            std::uint64_t v = loadLittle64(text_ + at);
            const std::uint64_t after = (v >> 8) | (std::uint64_t(std::uint8_t(text_[at + 8])) << 56);
            const std::uint64_t keep =
                wholeLength >= 8 ? ~std::uint64_t(0) : (std::uint64_t(1) << (8 * wholeLength)) - 1;
            closed[usual] = ((v & keep) | (after & ~keep)) << (64 - 8 * digitCount);
            fraction[usual] = std::uint8_t(digitCount - wholeLength);
            sign[usual] = std::uint32_t(negative) << 31;
        }
        for (int i = 0; i < usual; ++i) {
            const std::uint64_t mantissa = eightDigits(closed[i]);
            if (mantissa > kExactFloatInteger) return i;
            const float value = float(double(std::int64_t(mantissa)) * kNegativePowersOfTen[fraction[i]]);
            out[i] = std::bit_cast<float>(std::bit_cast<std::uint32_t>(value) ^ sign[i]);
        }
        return usual;
    }

    // The plain decimal "-123.45" of at most 8 digits before and 8 after the point whose
    // mantissa is an exact float: the value scanFloat gives, read without a branch per
    // character. False for anything else, which then goes through scanFloat.
    bool shortDecimal(std::size_t begin, std::size_t end, float& out) const noexcept
    {
        const char first = text_[begin];
        const bool negative = first == '-';
        const std::size_t at = begin + std::size_t(negative | (first == '+'));
        const std::size_t length = end - at;
        if (length - 1 >= 17) return false;  // empty, or too long for two runs of 8 digits
        const std::uint64_t all = (std::uint64_t(1) << length) - 1;
        const std::uint64_t points = bitsFrom(point_, at) & all;
        const std::uint64_t digits = bitsFrom(digit_, at) & all;
        if ((digits | points) != all || (points & (points - 1)) != 0 || digits == 0) return false;
        const std::size_t wholeLength = std::size_t(std::countr_zero(points | (std::uint64_t(1) << length)));
        const std::size_t fractionLength = length - wholeLength - std::size_t(points != 0);
        const std::size_t digitCount = wholeLength + fractionLength;
        std::uint64_t mantissa;
        if (digitCount <= 8 && length <= 9) {
            // The usual token: its digits close up over the point into one word.
            std::uint64_t v = loadLittle64(text_ + at);
            const std::uint64_t after = (v >> 8) | (std::uint64_t(std::uint8_t(text_[at + 8])) << 56);
            const std::uint64_t keep =
                wholeLength >= 8 ? ~std::uint64_t(0) : (std::uint64_t(1) << (8 * wholeLength)) - 1;
            v = (v & keep) | (after & ~keep);
            mantissa = eightDigits(v << (64 - 8 * digitCount));
        } else {
            if ((wholeLength > 8) | (fractionLength > 8)) return false;
            mantissa = digitsAt(text_ + at, wholeLength) * kPowersOfTen[fractionLength] +
                       digitsAt(text_ + at + wholeLength + 1, fractionLength);
        }
        if (mantissa > kExactFloatInteger) return false;
        // The product of the exact mantissa and the nearest double to 10^-k (k <= 8) lies
        // within 2^-52 of the decimal value, closer than any decimal value of this size
        // comes to the midpoint of two floats; so rounding it to a float gives the
        // correctly rounded value, as the division would, only sooner.
        const float value = float(double(std::int64_t(mantissa)) * kNegativePowersOfTen[fractionLength]);
        out = std::bit_cast<float>(std::bit_cast<std::uint32_t>(value) ^ (std::uint32_t(negative) << 31));
        return true;
    }

private:
    static constexpr std::uint64_t kPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
    static constexpr double kNegativePowersOfTen[] = {1e0, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8};

    // At least 57 bits of `map` from bit `at` on (at < kWords * 64).
    static std::uint64_t bitsFrom(const std::uint64_t* map, std::size_t at) noexcept
    {
#if WIZOR_LITTLE_ENDIAN_LOADS
        // The words of a map lie in memory as one little-endian run of bits.
        std::uint64_t bits;
        std::memcpy(&bits, reinterpret_cast<const char*>(map) + (at >> 3), sizeof bits);
        return bits >> (at & 7);
#else
        const std::size_t word = at >> 6;
        const std::size_t bit = at & 63;
        return bit == 0 ? map[word] : (map[word] >> bit) | (map[word + 1] << (64 - bit));
#endif
    }

    // The white space (blank, tab, line feed, vertical tab, form feed, carriage return),
    // digits and points among the 64 characters at `text`, one bit each; true when a NUL
    // is among them.
    static bool scanWord(const char* text, std::uint64_t& spaces, std::uint64_t& digits, std::uint64_t& points) noexcept
    {
#if WIZOR_SSE2
        const __m128i blank = _mm_set1_epi8(' ');
        const __m128i tab = _mm_set1_epi8('\t');
        const __m128i four = _mm_set1_epi8(4);
        const __m128i zero = _mm_set1_epi8('0');
        const __m128i nine = _mm_set1_epi8(9);
        const __m128i point = _mm_set1_epi8('.');
        __m128i nuls = _mm_setzero_si128();
        for (int q = 0; q < 4; ++q) {
            const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + q * 16));
            // Tab, line feed, vertical tab, form feed and carriage return are 9 to 13.
            const __m128i control = _mm_cmpeq_epi8(_mm_subs_epu8(_mm_sub_epi8(c, tab), four), _mm_setzero_si128());
            const __m128i space = _mm_or_si128(_mm_cmpeq_epi8(c, blank), control);
            const __m128i digit = _mm_cmpeq_epi8(_mm_subs_epu8(_mm_sub_epi8(c, zero), nine), _mm_setzero_si128());
            spaces |= std::uint64_t(std::uint32_t(_mm_movemask_epi8(space))) << (q * 16);
            digits |= std::uint64_t(std::uint32_t(_mm_movemask_epi8(digit))) << (q * 16);
            points |= std::uint64_t(std::uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(c, point)))) << (q * 16);
            nuls = _mm_or_si128(nuls, _mm_cmpeq_epi8(c, _mm_setzero_si128()));
        }
        return _mm_movemask_epi8(nuls) != 0;
#else
        bool nul = false;
        for (int i = 0; i < 64; ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            const std::uint64_t bit = std::uint64_t(1) << i;
            if (c == ' ' || (c >= '\t' && c <= '\r')) spaces |= bit;
            if (c >= '0' && c <= '9') digits |= bit;
            if (c == '.') points |= bit;
            nul |= c == 0;
        }
        return nul;
#endif
    }

    // The number written by eight decimal digits, the first in the lowest byte; zero bytes
    // count as zeros.
    static std::uint64_t eightDigits(std::uint64_t v) noexcept
    {
        v = ((v & 0x0F0F0F0F0F0F0F0FULL) * 2561) >> 8;
        v = ((v & 0x00FF00FF00FF00FFULL) * 6553601) >> 16;
        return ((v & 0x0000FFFF0000FFFFULL) * 42949672960001ULL) >> 32;
    }

    // The number written by `count` (0 to 8) decimal digits at `text`.
    static std::uint64_t digitsAt(const char* text, std::size_t count) noexcept
    {
        const std::uint64_t v = loadLittle64(text);
        // The digits move to the top, zeros fill in below.
        return eightDigits((v << ((64 - 8 * count) & 63)) & (std::uint64_t(0) - std::uint64_t(count != 0)));
    }

    const char* text_;
    int words_;
    std::uint64_t space_[kWords + 1];
    std::uint64_t digit_[kWords + 1];
    std::uint64_t point_[kWords + 1];
    std::uint64_t numberChar_[kWords + 1];  // digits and points
};

}  // namespace wizor
