#include "line_parser.h"

#include <emmintrin.h>
#include <locale.h>
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>

namespace wizor {

namespace {

constexpr std::uint64_t kExactFloatInteger = std::uint64_t(1) << 24;
constexpr float kExactPowersOfTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};

constexpr bool isDigit(char c) noexcept
{
    return c >= '0' && c <= '9';
}
constexpr bool isHexDigit(char c) noexcept
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
constexpr char lower(char c) noexcept
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool matchesLower(std::string_view text, std::size_t at, std::string_view word) noexcept
{
    if (text.size() - at < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (lower(text[at + i]) != word[i]) return false;
    return true;
}

// Overflow and underflow are rare; there the C library's own rounding decides.
float strtofInCLocale(std::string_view number) noexcept
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    char buffer[kMaxTokenLength + 8];
    const std::size_t n = std::min(number.size(), sizeof buffer - 1);
    std::memcpy(buffer, number.data(), n);
    buffer[n] = 0;
    return strtof_l(buffer, nullptr, cLocale);
}

// Converts the unsigned digits of a number that scanFloat has already delimited.
float convertDigits(std::string_view digits, std::chars_format format, std::string_view whole) noexcept
{
    float value = 0.0f;
    const std::from_chars_result converted =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, format);
    if (converted.ec == std::errc::result_out_of_range) return std::fabs(strtofInCLocale(whole));
    return value;
}

// Length of a leading exponent ("e5", "p-3") that has at least one digit, else 0.
std::size_t exponentLength(std::string_view text) noexcept
{
    std::size_t i = 1;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t digitsStart = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    return i > digitsStart ? i : 0;
}

// Copies `text` cut to `capacity` characters into a NUL-terminated field.
template <std::size_t N>
void copyField(char (&field)[N], std::string_view text) noexcept
{
    // An absent token is an empty view with no storage behind it: nothing to copy.
    const std::size_t n = std::min(text.size(), N - 1);
    if (n > 0) std::memcpy(field, text.data(), n);
    field[n] = 0;
}

}  // namespace

// Follows the input rules of the "%f" conversion: the conversion consumes the longest
// run that can begin a number (sign, "nan", "inf"/"infinity", "0x" hexadecimal, digits
// with one '.', an exponent letter after a digit with an optional sign), then converts
// the valid number at its start. A run of only a sign, only "0x", or without a valid
// number fails.
FloatScan scanFloat(std::string_view token) noexcept
{
    FloatScan result;
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '-' || token[i] == '+')) {
        negative = token[i] == '-';
        ++i;
    }
    if (i >= token.size()) return result;
    const std::size_t start = i;
    const char first = lower(token[i]);

    if (first == 'n') {
        if (!matchesLower(token, i, "nan")) return result;
        result = {true, std::numeric_limits<float>::quiet_NaN(), i + 3};
    } else if (first == 'i') {
        if (!matchesLower(token, i, "inf")) return result;
        std::size_t end = i + 3;
        if (end < token.size() && lower(token[end]) == 'i') {
            if (!matchesLower(token, i, "infinity")) return result;
            end = i + 8;
        }
        result = {true, std::numeric_limits<float>::infinity(), end};
    } else {
        bool hex = false;
        bool gotDigit = false;
        bool gotDot = false;
        bool gotExponent = false;
        std::size_t j = i;
        if (token[j] == '0') {
            ++j;
            if (j < token.size() && lower(token[j]) == 'x') {
                hex = true;
                ++j;
            } else {
                gotDigit = true;
            }
        }
        const char exponentChar = hex ? 'p' : 'e';
        // Plain decimals with a short mantissa are converted on the way (see below).
        std::uint64_t shortMantissa = 0;
        int fractionDigits = 0;
        for (; j < token.size(); ++j) {
            const char c = token[j];
            if (isDigit(c) || (hex && !gotExponent && isHexDigit(c))) {
                gotDigit = true;
                if (!hex && !gotExponent && shortMantissa <= kExactFloatInteger) {
                    shortMantissa = shortMantissa * 10 + std::uint64_t(c - '0');
                    fractionDigits += gotDot;
                }
            } else if (gotExponent && lower(token[j - 1]) == exponentChar && (c == '-' || c == '+')) {
                // the exponent's sign
            } else if (gotDigit && !gotExponent && lower(c) == exponentChar) {
                gotExponent = gotDot = true;
            } else if (!gotDot && c == '.') {
                gotDot = true;
            } else {
                break;
            }
        }
        if (j == start || (hex && j == start + 2)) return result;

        // Both the mantissa and the power of ten are exact floats, so one division rounds
        // the decimal value correctly.
        if (!hex && !gotExponent && gotDigit && shortMantissa <= kExactFloatInteger &&
            fractionDigits < int(std::size(kExactPowersOfTen))) {
            const float value = float(shortMantissa) / kExactPowersOfTen[fractionDigits];
            return {true, negative ? -value : value, j};
        }

        // The consumed run, from which the valid number is converted.
        std::string_view run = token.substr(start, j - start);
        if (hex) run.remove_prefix(2);
        const char exponentUpper = static_cast<char>(exponentChar - 'a' + 'A');
        const std::size_t mantissaEnd = std::min(run.find(exponentChar), run.find(exponentUpper));
        std::string_view mantissa = run.substr(0, mantissaEnd);
        const bool mantissaHasDigit = std::any_of(mantissa.begin(), mantissa.end(), [](char c) { return c != '.'; });
        float value = 0.0f;
        if (mantissaHasDigit) {
            std::size_t numberLength = mantissa.size();
            if (mantissaEnd != std::string_view::npos) numberLength += exponentLength(run.substr(mantissaEnd));
            value = convertDigits(run.substr(0, numberLength),
                                  hex ? std::chars_format::hex : std::chars_format::general, token.substr(0, j));
        } else if (!hex) {
            return result;  // "." or "-.": nothing to convert
        }
        // "0x." converts as the 0 before the 'x'.
        result = {true, value, j};
    }
    if (negative) result.value = -result.value;
    return result;
}

// An infinite value (a number too large for a float) would leave no drawable range for the
// fit, so only finite values count; NaN never compares anyway. Four columns at a time:
// v + v * 0 is v for a finite v (its sign of zero kept) and NaN otherwise, the columns past
// `count` are made NaN, and max and min pass over a NaN in their first operand.
void addToStatistics(const float* values, int count, float* high, float* low) noexcept
{
    static const __m128i kPastCount[4] = {_mm_setzero_si128(), _mm_setr_epi32(0, -1, -1, -1),
                                          _mm_setr_epi32(0, 0, -1, -1), _mm_setr_epi32(0, 0, 0, -1)};
    for (int c = 0; c < count; c += 4) {
        __m128 v = _mm_loadu_ps(values + c);
        v = _mm_add_ps(v, _mm_mul_ps(v, _mm_setzero_ps()));
        if (count - c < 4) v = _mm_or_ps(v, _mm_castsi128_ps(kPastCount[count - c]));
        _mm_storeu_ps(high + c, _mm_max_ps(v, _mm_loadu_ps(high + c)));
        _mm_storeu_ps(low + c, _mm_min_ps(v, _mm_loadu_ps(low + c)));
    }
}

Linia1MG::Linia1MG() noexcept
{
    Reset();
}

void Linia1MG::Reset() noexcept
{
    dateText_[0] = 0;
    timeText_[0] = 0;
    pointLabel_[0] = 0;
    pointLabelLength_ = 0;
    for (int c = 0; c < kMaxChannels; ++c) std::snprintf(channelNames_[c], sizeof channelNames_[c], "k%d", c + 1);
    std::fill(std::begin(values_), std::end(values_), 0.0f);
    std::fill(std::begin(columnHigh_), std::end(columnHigh_), kInitialMaxValue);
    std::fill(std::begin(columnLow_), std::end(columnLow_), kInitialMinValue);
    valueCount_ = 0;
    maxValueCount_ = 0;
    dataStarted_ = false;
}

void Linia1MG::setName(int column, std::string_view name) noexcept
{
    copyField(channelNames_[column], name);
}

namespace {

// The first NUL among the 64 characters at `word`, which hold one.
std::size_t firstNul(const char* word) noexcept
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
        const __m128i blank = _mm_set1_epi8(' ');
        const __m128i tab = _mm_set1_epi8('\t');
        const __m128i four = _mm_set1_epi8(4);
        const __m128i zero = _mm_set1_epi8('0');
        const __m128i nine = _mm_set1_epi8(9);
        const __m128i point = _mm_set1_epi8('.');
        std::size_t nul = length;
        for (int w = 0; w < words_; ++w) {
            std::uint64_t spaces = 0;
            std::uint64_t digits = 0;
            std::uint64_t points = 0;
            __m128i nuls = _mm_setzero_si128();
            for (int q = 0; q < 4; ++q) {
                const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text_ + w * 64 + q * 16));
                // Tab, line feed, vertical tab, form feed and carriage return are 9 to 13.
                const __m128i control = _mm_cmpeq_epi8(_mm_subs_epu8(_mm_sub_epi8(c, tab), four), _mm_setzero_si128());
                const __m128i space = _mm_or_si128(_mm_cmpeq_epi8(c, blank), control);
                const __m128i digit = _mm_cmpeq_epi8(_mm_subs_epu8(_mm_sub_epi8(c, zero), nine), _mm_setzero_si128());
                spaces |= std::uint64_t(std::uint32_t(_mm_movemask_epi8(space))) << (q * 16);
                digits |= std::uint64_t(std::uint32_t(_mm_movemask_epi8(digit))) << (q * 16);
                points |= std::uint64_t(std::uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(c, point)))) << (q * 16);
                nuls = _mm_or_si128(nuls, _mm_cmpeq_epi8(c, _mm_setzero_si128()));
            }
            space_[w] = spaces;
            digit_[w] = digits;
            point_[w] = points;
            numberChar_[w] = digits | points;
            // Where a NUL is, is looked for only when there is one.
            if (_mm_movemask_epi8(nuls) != 0 && nul == length)
                nul = std::min(length, std::size_t(w) * 64 + firstNul(text_ + w * 64));
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
                starts[count++] = std::uint16_t(w * 64 + __builtin_ctzll(first));
            for (; last != 0 && ended < count; last &= last - 1)
                ends[ended++] = std::uint16_t(w * 64 + __builtin_ctzll(last) + 1);
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
        std::uint64_t closed[kMaxChannels];  // the digits, closed up over the point, at the top
        std::uint8_t fraction[kMaxChannels];
        std::uint32_t sign[kMaxChannels];
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
            const std::size_t wholeLength = std::size_t(__builtin_ctzll(points | (std::uint64_t(1) << length)));
            std::uint64_t v;
            std::memcpy(&v, text_ + at, sizeof v);
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
        const std::size_t wholeLength = std::size_t(__builtin_ctzll(points | (std::uint64_t(1) << length)));
        const std::size_t fractionLength = length - wholeLength - std::size_t(points != 0);
        const std::size_t digitCount = wholeLength + fractionLength;
        std::uint64_t mantissa;
        if (digitCount <= 8 && length <= 9) {
            // The usual token: its digits close up over the point into one word.
            std::uint64_t v;
            std::memcpy(&v, text_ + at, sizeof v);
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

    // At least 57 bits of `map` from bit `at` on (at < kWords * 64): the words of a map lie
    // in memory as one little-endian run of bits.
    static std::uint64_t bitsFrom(const std::uint64_t* map, std::size_t at) noexcept
    {
        std::uint64_t bits;
        std::memcpy(&bits, reinterpret_cast<const char*>(map) + (at >> 3), sizeof bits);
        return bits >> (at & 7);
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
        std::uint64_t v;
        std::memcpy(&v, text, sizeof v);
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

enum class Layout { header, dateTime, timeOnly };

// What the first two tokens make of a line.
Layout layoutOf(std::string_view t1, std::string_view t2) noexcept
{
    // `position` counts from 1, as in "the 3rd character".
    const auto hasAt = [](std::string_view token, std::size_t position, char c) {
        return token.size() >= position && token[position - 1] == c;
    };
    const bool looksLikeDate = (hasAt(t1, 3, '-') && hasAt(t1, 6, '-')) || (hasAt(t1, 5, '-') && hasAt(t1, 8, '-'));
    if (looksLikeDate) return hasAt(t2, 3, ':') ? Layout::dateTime : Layout::header;
    // "MM:SS.mmm" heads the elapsed-time column of a measurement file: a header line.
    return hasAt(t1, 3, ':') && t1 != kElapsedTimeHeader ? Layout::timeOnly : Layout::header;
}

}  // namespace

bool Linia1MG::ParseLine(std::string_view line) noexcept
{
    // A copy with the padding the tokenizer reads past the line's end.
    char padded[kMaxLineLength + kLinePadding];
    const std::size_t length = std::min<std::size_t>(line.size(), kMaxLineLength);
    if (length > 0) std::memcpy(padded, line.data(), length);
    std::memset(padded + length, ' ', kLinePadding);
    return ParsePaddedLine({padded, length});
}

bool Linia1MG::ParsePaddedLine(std::string_view line) noexcept
{
    // Tokens t1 ... t34; a token is cut to kMaxTokenLength characters.
    constexpr int kTokens = kMaxChannels + 2;
    const LineBits bits(line.data(), std::min<std::size_t>(line.size(), kMaxLineLength));
    std::uint16_t starts[kTokens];
    std::uint16_t ends[kTokens];
    const int tokenCount = bits.tokens(starts, ends, kTokens);
    const auto token = [&](int t) {
        return t < tokenCount ? std::string_view(bits.text() + starts[t],
                                                 std::min<std::size_t>(ends[t] - starts[t], kMaxTokenLength))
                              : std::string_view();
    };
    const std::string_view t1 = token(0);
    const std::string_view t2 = token(1);

    const Layout layout = layoutOf(t1, t2);
    const bool timeOnly = layout == Layout::timeOnly;

    // The stamps are copied whole-field: the padding keeps the reads inside the buffer.
    const auto copyStamp = [](char(&field)[kMaxStampLength + 1], std::string_view text) {
        if (text.empty()) {
            field[0] = 0;
            return;
        }
        std::memcpy(field, text.data(), sizeof field);
        field[std::min(text.size(), std::size_t(kMaxStampLength))] = 0;
    };
    copyStamp(dateText_, t1);
    copyStamp(timeText_, t2);
    pointLabelLength_ = kNoLabel;

    if (layout == Layout::header) {
        if (!dataStarted_) {
            for (int c = 0; c < kMaxChannels; ++c) setName(c, token(c + 1));
        }
        return false;
    }

    dataStarted_ = true;
    if (timeOnly) {
        dateText_[0] = 0;
        copyStamp(timeText_, t1);
    }

    // Conversion stops at the first token that is missing, unreadable or read only in part;
    // the values after it keep the previous line's.
    const int firstValue = timeOnly ? 1 : 2;
    const int n = std::min(kMaxChannels, tokenCount - firstValue);
    const int usual = n > 0 ? bits.usualDecimals(starts + firstValue, ends + firstValue, n, values_) : 0;
    for (int c = usual; c < n; ++c) {
        const int t = firstValue + c;
        const std::string_view text = token(t);
        if (bits.shortDecimal(starts[t], starts[t] + text.size(), values_[c])) continue;
        const FloatScan scan = scanFloat(text);
        if (!scan.ok) break;
        values_[c] = scan.value;
        if (scan.consumed < text.size()) break;
    }

    // Tokens from t3 on that begin with a digit or a minus sign, up to the first that does
    // not; the usual decimals all do.
    const int knownNumeric = std::max(2, firstValue + usual);
    std::uint64_t numericTokens = (std::uint64_t(1) << (knownNumeric - 2)) - 1;
    for (int t = knownNumeric; t < tokenCount; ++t)
        numericTokens |= std::uint64_t((bits.text()[starts[t]] == '-') | bits.digitAt(starts[t])) << (t - 2);
    const int numeric = std::min(std::max(0, tokenCount - 2), __builtin_ctzll(~numericTokens));
    valueCount_ = timeOnly ? numeric + 1 : numeric;
    if (keepStatistics_) addToStatistics(values_, usedValueCount(), columnHigh_, columnLow_);
    maxValueCount_ = std::max(maxValueCount_, valueCount_);
    return true;
}

std::string_view Linia1MG::pointLabel() const noexcept
{
    if (pointLabelLength_ == kNoLabel) {
        const std::size_t dateLength = std::strlen(dateText_);
        const std::size_t timeLength = std::strlen(timeText_);
        std::memcpy(pointLabel_, dateText_, dateLength);
        pointLabel_[dateLength] = ' ';
        std::memcpy(pointLabel_ + dateLength + 1, timeText_, timeLength + 1);
        pointLabelLength_ = dateLength + 1 + timeLength;
    }
    return {pointLabel_, pointLabelLength_};
}

float Linia1MG::maxValue() const noexcept
{
    float high = kInitialMaxValue;
    for (const float v : columnHigh_) high = v > high ? v : high;
    return high;
}

float Linia1MG::minValue() const noexcept
{
    float low = kInitialMinValue;
    for (const float v : columnLow_) low = v < low ? v : low;
    return low;
}

void Linia1MG::resumeData(const float* values) noexcept
{
    std::copy(values, values + kMaxChannels, values_);
    dataStarted_ = true;
}

}  // namespace wizor
