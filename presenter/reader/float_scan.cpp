#include "float_scan.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>

namespace wizor {

namespace {

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

// The magnitude of a number that is too large or too small for a float: the float nearest
// to its double (which only an infinity or a zero can differ from by a rounding), or, beyond
// a double's range too, an infinity or a zero. Within the 99 characters of a token only a
// negative exponent makes a number that small.
float outOfRangeMagnitude(std::string_view digits, std::chars_format format) noexcept
{
    double wide = 0.0;
    const std::from_chars_result converted =
        std::from_chars(digits.data(), digits.data() + digits.size(), wide, format);
    if (converted.ec == std::errc()) return std::fabs(float(wide));
    const std::size_t exponent = digits.find_first_of(format == std::chars_format::hex ? "pP" : "eE");
    const bool tiny = exponent != std::string_view::npos && exponent + 1 < digits.size() && digits[exponent + 1] == '-';
    return tiny ? 0.0f : std::numeric_limits<float>::infinity();
}

// Converts the unsigned digits of a number that scanFloat has already delimited.
float convertDigits(std::string_view digits, std::chars_format format) noexcept
{
    float value = 0.0f;
    const std::from_chars_result converted =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, format);
    if (converted.ec == std::errc::result_out_of_range) return outOfRangeMagnitude(digits, format);
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

// The number (decimal or "0x" hexadecimal) that begins at `start` of `token`, after its
// sign: its magnitude and where its run ends.
FloatScan scanNumber(std::string_view token, std::size_t start) noexcept
{
    bool hex = false;
    bool gotDigit = false;
    bool gotDot = false;
    bool gotExponent = false;
    std::size_t j = start;
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
    if (j == start || (hex && j == start + 2)) return {};

    // Both the mantissa and the power of ten are exact floats, so one division rounds
    // the decimal value correctly.
    if (!hex && !gotExponent && gotDigit && shortMantissa <= kExactFloatInteger &&
        fractionDigits < int(std::size(kExactPowersOfTen))) {
        return {true, float(shortMantissa) / kExactPowersOfTen[fractionDigits], j};
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
        value = convertDigits(run.substr(0, numberLength), hex ? std::chars_format::hex : std::chars_format::general);
    } else if (!hex) {
        return {};  // "." or "-.": nothing to convert
    }
    // "0x." converts as the 0 before the 'x'.
    return {true, value, j};
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
        result = scanNumber(token, start);
        if (!result.ok) return result;
    }
    if (negative) result.value = -result.value;
    return result;
}

}  // namespace wizor
