#include "line_parser.h"

#include <locale.h>
#include <algorithm>
#include <array>
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

// White space of the C locale: blank, tab, line feed, vertical tab, form feed, carriage return.
constexpr std::array<bool, 256> kSpace = [] {
    std::array<bool, 256> table{};
    for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'}) table[c] = true;
    return table;
}();

constexpr bool isSpace(char c) noexcept
{
    return kSpace[static_cast<unsigned char>(c)];
}
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
    const std::size_t n = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), n);
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
    maxValue_ = kInitialMaxValue;
    minValue_ = kInitialMinValue;
    valueCount_ = 0;
    maxValueCount_ = 0;
    dataStarted_ = false;
}

void Linia1MG::setName(int column, std::string_view name) noexcept
{
    copyField(channelNames_[column], name);
}

bool Linia1MG::ParseLine(std::string_view line) noexcept
{
    // Tokens t1 ... t34; a token is cut to kMaxTokenLength characters.
    constexpr int kTokens = kMaxChannels + 2;
    std::string_view tokens[kTokens];
    int tokenCount = 0;
    {
        std::size_t length = std::min<std::size_t>(line.size(), kMaxLineLength);
        if (const void* nul = length ? std::memchr(line.data(), 0, length) : nullptr)
            length = static_cast<std::size_t>(static_cast<const char*>(nul) - line.data());
        const char* p = line.data();
        const char* const end = p + length;
        while (tokenCount < kTokens) {
            while (p < end && isSpace(*p)) ++p;
            if (p == end) break;
            const char* tokenStart = p;
            while (p < end && !isSpace(*p)) ++p;
            tokens[tokenCount++] = std::string_view(tokenStart, std::min<std::size_t>(p - tokenStart, kMaxTokenLength));
        }
    }
    const std::string_view t1 = tokens[0];
    const std::string_view t2 = tokens[1];

    // `position` counts from 1, as in "the 3rd character".
    const auto hasAt = [](std::string_view token, std::size_t position, char c) {
        return token.size() >= position && token[position - 1] == c;
    };
    const bool looksLikeDate = (hasAt(t1, 3, '-') && hasAt(t1, 6, '-')) || (hasAt(t1, 5, '-') && hasAt(t1, 8, '-'));
    const bool dateTime = looksLikeDate && hasAt(t2, 3, ':');
    const bool timeOnly = !looksLikeDate && hasAt(t1, 3, ':');

    copyField(dateText_, t1);
    copyField(timeText_, t2);

    if (!dateTime && !timeOnly) {
        if (!dataStarted_) {
            for (int c = 0; c < kMaxChannels; ++c) setName(c, tokens[c + 1]);
        }
        return false;
    }

    dataStarted_ = true;
    if (timeOnly) {
        dateText_[0] = 0;
        copyField(timeText_, t1);
    }

    // Conversion stops at the first token that is missing, unreadable or read only in part;
    // the values after it keep the previous line's.
    const int firstValue = timeOnly ? 1 : 2;
    for (int c = 0; c < kMaxChannels; ++c) {
        const std::string_view token = tokens[firstValue + c];
        if (token.empty()) break;
        const FloatScan scan = scanFloat(token);
        if (!scan.ok) break;
        values_[c] = scan.value;
        if (scan.consumed < token.size()) break;
    }

    int numeric = 0;
    while (numeric < kMaxChannels) {
        const std::string_view token = tokens[2 + numeric];
        if (token.empty() || (token[0] != '-' && !isDigit(token[0]))) break;
        ++numeric;
    }
    valueCount_ = timeOnly ? numeric + 1 : numeric;

    // An infinite value (a number too large for a float) would leave no drawable range
    // for the fit, so only finite values count; NaN never compares anyway.
    for (int c = 0, n = usedValueCount(); c < n; ++c) {
        const float v = values_[c];
        if (!std::isfinite(v)) continue;
        if (v > maxValue_) maxValue_ = v;
        if (v < minValue_) minValue_ = v;
    }
    maxValueCount_ = std::max(maxValueCount_, valueCount_);

    const std::size_t dateLength = std::strlen(dateText_);
    const std::size_t timeLength = std::strlen(timeText_);
    std::memcpy(pointLabel_, dateText_, dateLength);
    pointLabel_[dateLength] = ' ';
    std::memcpy(pointLabel_ + dateLength + 1, timeText_, timeLength + 1);
    pointLabelLength_ = dateLength + 1 + timeLength;
    return true;
}

}  // namespace wizor
