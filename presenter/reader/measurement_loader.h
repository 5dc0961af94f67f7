#pragma once
// Reading a whole file through Linia1MG: the load the chart window performs on open,
// on start-up and on every live-view refresh.
//
// The file is read in large blocks and opened only for the duration of one load. A missing
// or unreadable file reads as an empty one, and so does anything that is not a regular file
// (a device, a FIFO); a file is read up to the size it had when opened. A line longer than kMaxLineLength characters
// is parsed from its first kMaxLineLength characters and reading goes on with the next line.
// One pass gives everything the window needs: statistics, names, where every page begins,
// the whole-file overview and the points of the lines shown.

#include "byte_source.h"
#include "line_parser.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace wizor {

// The label of one data line ("05-03-17 12:30:05", or " 12:30:05.250" for a time-only line).
struct PointLabel {
    char text[2 * kMaxStampLength + 2];
    std::uint8_t length;
    std::string_view view() const noexcept { return {text, length}; }
};

// Data lines per page: the charts show one page at a time, at most this many points a curve.
inline constexpr std::size_t kPageLines = 32000;

// How a load reads: blocks of `blockSize` bytes; a run of whole lines in a block of at least
// `parallelMinimum` bytes is shared with a second core. Tests and the fuzz target make both
// small, so that block edges and the second core's half fall inside small inputs.
struct ReadOptions {
    std::size_t blockSize = std::size_t(8) << 20;
    std::size_t parallelMinimum = std::size_t(64) << 10;
};
// Most runs the whole-file overview keeps per column, enough for any chart width.
inline constexpr std::size_t kOverviewRuns = 4096;

// The points of one value column (column c is channel c + 1; columns 0-15 belong to the
// upper chart's curves 1-16, columns 16-31 to the lower chart's) within the data lines read.
struct ColumnPoints {
    // Kept points in file order; a point's horizontal position on a page is its index here.
    std::vector<float> values;
    // For each kept point, its data line's index in MeasurementData::labels, which is also
    // the line's number counted from MeasurementData::firstLine.
    std::vector<std::uint32_t> labelIndex;
    // Points the whole file gave this column.
    std::size_t totalPoints = 0;

    bool active() const noexcept { return totalPoints > 0; }
};

// Where a page begins: the byte offset of its first data line and the values the parser
// held before it (a data line whose conversion stops early keeps the earlier values).
struct PageStart {
    std::uint64_t offset = 0;
    std::array<float, kMaxColumns> values{};
};

// The whole file at a glance: for every run of `runLength` data lines (a power of two),
// the smallest and the largest finite value of each column. A column without a finite
// value in a run has low > high there.
struct Overview {
    struct Run {
        std::array<float, kMaxColumns> low;
        std::array<float, kMaxColumns> high;
    };
    std::size_t runLength = 1;
    std::vector<Run> runs;
    std::vector<PointLabel> labels;  // the label of each run's first data line

    bool empty(std::size_t run, int column) const noexcept
    {
        return !(runs[run].low[std::size_t(column)] <= runs[run].high[std::size_t(column)]);
    }
};

struct MeasurementData {
    bool opened = false;        // the file could be opened
    std::size_t dataLines = 0;  // data lines of the whole file
    std::size_t longLines = 0;  // lines that were cut to kMaxLineLength characters
    std::size_t firstLine = 0;  // the data line the points begin with
    std::array<ColumnPoints, kMaxColumns> columns;
    // Labels of the data lines read, in file order.
    std::vector<PointLabel> labels;
    // Channel names as raw Windows-1250 bytes; channelName() converts them.
    std::array<std::string, kMaxColumns> names;
    // The header's label of the time column, raw bytes; empty without a header.
    std::string timeLabel;
    // The largest and the smallest finite value of the file. While maxValue < minValue (the
    // +-1.0e8 start values) the file has given no value.
    static constexpr float kInitialMaxValue = -1.0e8f;
    static constexpr float kInitialMinValue = 1.0e8f;
    float maxValue = kInitialMaxValue;
    float minValue = kInitialMinValue;
    int maxValueCount = 0;
    std::vector<PageStart> pages;  // one per kPageLines data lines
    Overview overview;

    bool hasValues() const noexcept { return maxValue >= minValue; }
    // The lower chart is used once a data line had more values than the upper chart shows.
    bool twoCharts() const noexcept { return maxValueCount > kColumnsPerChart; }
    std::size_t pageCount() const noexcept { return std::max<std::size_t>(1, pages.size()); }
    QString channelName(int column) const;
    QString label(std::uint32_t index) const;
};

inline constexpr std::size_t kNoPointLimit = std::numeric_limits<std::size_t>::max();

// Resets `parser`, reads `source` and refills `out`, reusing its storage: statistics,
// names, page starts and the overview of the whole file, and the points of `pointLimit`
// data lines from data line `firstLine` on.
void loadMeasurement(ByteSource& source, Linia1MG& parser, MeasurementData& out, std::size_t pointLimit = kNoPointLimit,
                     std::size_t firstLine = 0, const ReadOptions& options = {});
// The same for the file at `path` (local 8-bit file name).
void loadMeasurementFile(const std::string& path, Linia1MG& parser, MeasurementData& out,
                         std::size_t pointLimit = kNoPointLimit, std::size_t firstLine = 0);

// Convenience for a one-off load with a parser of its own.
MeasurementData loadMeasurementFile(const std::string& path, std::size_t pointLimit = kNoPointLimit);

// Replaces the points of `data`, a file loaded before, with those of `count` data lines
// from `firstLine` on, reading only from the page start before them. False when the file
// cannot be opened (the points are then empty).
bool loadDataLines(const std::string& path, MeasurementData& data, std::size_t firstLine, std::size_t count);
void loadDataLines(ByteSource& source, MeasurementData& data, std::size_t firstLine, std::size_t count,
                   const ReadOptions& options = {});

// Windows-1250 bytes of the file to Unicode.
QString fromWindows1250(std::string_view bytes);

}  // namespace wizor
