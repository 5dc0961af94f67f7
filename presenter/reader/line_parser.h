#pragma once
// Linia1MG: the presenter's line parser. It classifies one line of a measurement file or a
// saved monitoring log, splits a data line into its time stamp and up to 32 values, takes
// the channel names from the header lines before the data and keeps running statistics.
//
// Data lines have one of two layouts (t1, t2, ... are the blank-separated tokens):
//   date-time: t1 = "05-03-17" or "2005-03-17", t2 = "12:30:05[.250]", values from t3
//   time-only: t1 = "12:30:05.250" or "30:05.250", values from t2
// Every other line is a header line: before the first data line it renames the channels
// (channel 1 = t2, channel k = t(k+1)), afterwards it is ignored. The header of an
// elapsed-time column, a first token of exactly "MM:SS.mmm", is such a header line too.
//
// The parser works in fixed buffers and never allocates.

#include <cstddef>
#include <string_view>

namespace wizor {

inline constexpr int kMaxChannels = 32;
inline constexpr int kMaxLineLength = 499;   // characters of one line that are parsed
inline constexpr int kMaxStampLength = 15;   // date text and time text
inline constexpr int kMaxTokenLength = 99;   // a value token before conversion
inline constexpr int kMaxNameLength = 39;    // a channel name
inline constexpr int kTwoChartColumns = 16;  // columns of the upper chart; more use the lower chart
inline constexpr std::string_view kElapsedTimeHeader = "MM:SS.mmm";
// Readable bytes ParsePaddedLine needs after a line.
inline constexpr std::size_t kLinePadding = 64;

// Values as the "%f" conversion of formatted input (C locale) reads them: the result of
// reading `token` and how many characters the conversion consumed. `ok` is false when
// nothing could be read; `consumed` may then be anything.
struct FloatScan {
    bool ok = false;
    float value = 0.0f;
    std::size_t consumed = 0;
};
FloatScan scanFloat(std::string_view token) noexcept;

// Takes the finite values among the first `count` of `values` into the running largest and
// smallest value of each column (32 columns).
void addToStatistics(const float* values, int count, float* high, float* low) noexcept;

class Linia1MG {
public:
    Linia1MG() noexcept;

    // Back to the initial state: names "k1" ... "k32", values 0, statistics cleared.
    void Reset() noexcept;

    // Parses one line (without its line feed; at most kMaxLineLength characters are
    // looked at, and a NUL ends the line). Returns true for a data line.
    bool ParseLine(std::string_view line) noexcept;
    // The same, reading the line where it lies: kLinePadding bytes after the first
    // min(line.size(), kMaxLineLength) characters must be readable and initialised (what
    // they hold does not matter). Saves the copy when lines lie in a reading buffer.
    bool ParsePaddedLine(std::string_view line) noexcept;

    // Whether ParseLine keeps the statistics below (it does unless told otherwise; a
    // caller that gathers them itself saves the work).
    void keepStatistics(bool keep) noexcept { keepStatistics_ = keep; }


    // After a data line: the first min(valueCount, 32) values are the line's columns.
    // valueCount may be 33 on a time-only line with 33 or more numbers.
    int valueCount() const noexcept { return valueCount_; }
    int usedValueCount() const noexcept { return valueCount_ < kMaxChannels ? valueCount_ : kMaxChannels; }
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

    // Statistics over the finite values of all data lines since Reset. While maxValue() < minValue() (the
    // +-1.0e8 start values) the file has given no value.
    float maxValue() const noexcept;
    float minValue() const noexcept;
    bool hasValues() const noexcept { return maxValue() >= minValue(); }
    int maxValueCount() const noexcept { return maxValueCount_; }
    bool dataStarted() const noexcept { return dataStarted_; }

    static constexpr float kInitialMaxValue = -1.0e8f;
    static constexpr float kInitialMinValue = 1.0e8f;

private:
    void setName(int column, std::string_view name) noexcept;

    char dateText_[kMaxStampLength + 1];
    char timeText_[kMaxStampLength + 1];
    static constexpr std::size_t kNoLabel = ~std::size_t(0);
    mutable char pointLabel_[2 * kMaxStampLength + 2];
    mutable std::size_t pointLabelLength_;
    char channelNames_[kMaxChannels][kMaxNameLength + 1];
    alignas(16) float values_[kMaxChannels];
    // The statistics per column, merged when asked for.
    alignas(16) float columnHigh_[kMaxChannels];
    alignas(16) float columnLow_[kMaxChannels];
    int valueCount_;
    int maxValueCount_;
    bool dataStarted_;
    bool keepStatistics_ = true;
};

}  // namespace wizor
