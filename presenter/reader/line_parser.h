#pragma once
// Linia1MG: the presenter's line parser. It classifies one line of a measurement file or a
// saved monitoring log, splits a data line into its time stamp and up to 32 values, takes
// the channel names from the header lines before the data and keeps the widest line's
// count of values. The loader (measurement_loader.h) gathers the statistics.
//
// Data lines have one of two layouts (t1, t2, ... are the blank-separated tokens):
//   date-time: t1 = "05-03-17" or "2005-03-17", t2 = "12:30:05[.250]", values from t3
//   time-only: t1 = "12:30:05.250" or "30:05.250", values from t2
// Every other line is a header line: before the first data line it renames the channels
// (channel 1 = t2, channel k = t(k+1)), afterwards it is ignored. The header of an
// elapsed-time column, a first token of exactly "MM:SS.mmm", is such a header line too.
//
// The parser works in fixed buffers and never allocates.

#include "curve_palette.h"

#include <cstddef>
#include <string_view>

namespace wizor {

// Value columns of a line that are used: the channels of both charts. (The recorder's own
// channel count is another number, 16.)
inline constexpr int kMaxColumns = 32;
inline constexpr int kMaxLineLength = 499;  // characters of one line that are parsed
inline constexpr int kMaxStampLength = 15;  // date text and time text
inline constexpr int kMaxTokenLength = 99;  // a value token before conversion
inline constexpr int kMaxNameLength = 39;   // a channel name
// Columns of one chart: the upper chart shows the first ones; more use the lower chart.
inline constexpr int kColumnsPerChart = curves::kCurvesPerChart;
inline constexpr std::string_view kElapsedTimeHeader = "MM:SS.mmm";
// Readable bytes ParsePaddedLine needs after a line.
inline constexpr std::size_t kLinePadding = 64;

class Linia1MG {
public:
    Linia1MG() noexcept;

    // Back to the initial state: names "k1" ... "k32", values 0, no data part yet.
    void Reset() noexcept;

    // Parses one line (without its line feed; at most kMaxLineLength characters are
    // looked at, and a NUL ends the line) where it lies in a reading buffer: kLinePadding
    // bytes after the first min(line.size(), kMaxLineLength) characters must be readable
    // and initialised (what they hold does not matter). Returns true for a data line.
    bool ParsePaddedLine(std::string_view line) noexcept;

    // After a data line: the first min(valueCount, 32) values are the line's columns.
    // valueCount may be 33 on a time-only line with 33 or more numbers.
    int valueCount() const noexcept { return valueCount_; }
    int usedValueCount() const noexcept { return valueCount_ < kMaxColumns ? valueCount_ : kMaxColumns; }
    const float* values() const noexcept { return values_; }
    float value(int column) const noexcept { return values_[column]; }

    // Date text (empty on a time-only line) and time text of the current line.
    std::string_view dateText() const noexcept { return dateText_; }
    std::string_view timeText() const noexcept { return timeText_; }
    // The chart label of the current data line: date text, one blank, time text (built
    // when asked for).
    std::string_view pointLabel() const noexcept;

    // Continues a file from the middle of its data: the data part begun, and the values a
    // data line keeps where its conversion stops. The statistics stay as they are.
    void resumeData(const float* values) noexcept;

    // Channel names, raw bytes of the file (Windows-1250); column c is channel c + 1.
    std::string_view channelName(int column) const noexcept { return channelNames_[column]; }
    // The first token of the header line that named the channels ("Godzina:"), else empty.
    std::string_view timeLabel() const noexcept { return timeLabel_; }

    // The largest valueCount() since Reset.
    int maxValueCount() const noexcept { return maxValueCount_; }
    bool dataStarted() const noexcept { return dataStarted_; }

private:
    void setName(int column, std::string_view name) noexcept;

    char dateText_[kMaxStampLength + 1];
    char timeText_[kMaxStampLength + 1];
    static constexpr std::size_t kNoLabel = ~std::size_t(0);
    mutable char pointLabel_[2 * kMaxStampLength + 2];
    mutable std::size_t pointLabelLength_;
    char channelNames_[kMaxColumns][kMaxNameLength + 1];
    char timeLabel_[kMaxNameLength + 1];
    alignas(16) float values_[kMaxColumns];
    int valueCount_;
    int maxValueCount_;
    bool dataStarted_;
};

}  // namespace wizor
