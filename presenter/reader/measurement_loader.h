#pragma once
// Reading a whole file through Linia1MG: the load the chart window performs on open,
// on start-up and on every live-view refresh.
//
// The file is streamed in chunks and opened only for the duration of one load. A missing
// or unreadable file reads as an empty one. A line longer than kMaxLineLength characters
// is parsed from its first kMaxLineLength characters and reading goes on with the next line.

#include "line_parser.h"

#include <QString>
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

// The points of one value column (column c is channel c + 1; columns 0-15 belong to the
// upper chart's curves 1-16, columns 16-31 to the lower chart's).
struct ColumnPoints {
    // Kept points in file order; a point's horizontal position is its index here.
    std::vector<float> values;
    // For each kept point, the index of its data line's label in MeasurementData::labels.
    std::vector<std::uint32_t> labelIndex;
    // Points the file gave this column, including those beyond the point limit.
    std::size_t totalPoints = 0;

    bool active() const noexcept { return totalPoints > 0; }
};

struct MeasurementData {
    bool opened = false;        // the file could be opened
    std::size_t dataLines = 0;  // data lines of the whole file
    std::size_t longLines = 0;  // lines that were cut to kMaxLineLength characters
    std::array<ColumnPoints, kMaxChannels> columns;
    // Labels of the data lines that gave at least one kept point.
    std::vector<PointLabel> labels;
    // Channel names as raw Windows-1250 bytes; channelName() converts them.
    std::array<std::string, kMaxChannels> names;
    float maxValue = Linia1MG::kInitialMaxValue;
    float minValue = Linia1MG::kInitialMinValue;
    int maxValueCount = 0;

    bool hasValues() const noexcept { return maxValue >= minValue; }
    // The lower chart is used once a data line had 16 or more values.
    bool twoCharts() const noexcept { return maxValueCount >= kTwoChartColumns; }
    QString channelName(int column) const;
    QString label(std::uint32_t index) const;
};

inline constexpr std::size_t kNoPointLimit = std::numeric_limits<std::size_t>::max();

// Resets `parser`, reads the file at `path` (local 8-bit file name) and refills `out`,
// reusing its storage. Each column keeps at most `pointLimit` points (the charts show 32000);
// the statistics in `parser` and `out` still cover the whole file.
void loadMeasurementFile(const std::string& path, Linia1MG& parser, MeasurementData& out,
                         std::size_t pointLimit = kNoPointLimit);

// Convenience for a one-off load with a parser of its own.
MeasurementData loadMeasurementFile(const std::string& path, std::size_t pointLimit = kNoPointLimit);

// Calls `onLine` for every line of the file (line feed removed, cut to kMaxLineLength
// characters); returns false when the file could not be opened. `cut` counts the lines
// that were longer than kMaxLineLength.
class LineVisitor {
public:
    virtual ~LineVisitor() = default;
    virtual void line(std::string_view text) = 0;
};
bool readLines(const std::string& path, LineVisitor& onLine, std::size_t* cut = nullptr);

// Windows-1250 bytes of the file to Unicode.
QString fromWindows1250(std::string_view bytes);

}  // namespace wizor
