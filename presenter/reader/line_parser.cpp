#include "line_parser.h"

#include "float_scan.h"
#include "line_bits.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace wizor {

namespace {

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
    timeLabel_[0] = 0;
    for (int c = 0; c < kMaxColumns; ++c) std::snprintf(channelNames_[c], sizeof channelNames_[c], "k%d", c + 1);
    std::fill(std::begin(values_), std::end(values_), 0.0f);
    valueCount_ = 0;
    maxValueCount_ = 0;
    dataStarted_ = false;
}

void Linia1MG::setName(int column, std::string_view name) noexcept
{
    copyField(channelNames_[column], name);
}

namespace {

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

bool Linia1MG::ParsePaddedLine(std::string_view line) noexcept
{
    // Tokens t1 ... t34; a token is cut to kMaxTokenLength characters.
    constexpr int kTokens = kMaxColumns + 2;
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
            copyField(timeLabel_, t1);
            for (int c = 0; c < kMaxColumns; ++c) setName(c, token(c + 1));
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
    const int n = std::min(kMaxColumns, tokenCount - firstValue);
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
    const int numeric = std::min(std::max(0, tokenCount - 2), std::countr_zero(~numericTokens));
    valueCount_ = timeOnly ? numeric + 1 : numeric;
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

void Linia1MG::resumeData(const float* values) noexcept
{
    std::copy(values, values + kMaxColumns, values_);
    dataStarted_ = true;
}

}  // namespace wizor
