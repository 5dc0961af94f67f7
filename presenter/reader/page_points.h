#pragma once
// The points of the lines shown and where every page begins, gathered while the loader
// reads. Internal to the loader.

#include "measurement_loader.h"
#include "overview_runs.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace wizor {

// Gathers the points of the data lines [first, first + count): each line's values as a row
// while reading, added to the columns of `out` by flush(), which costs less than adding to
// 32 columns per line.
class PointCollector {
public:
    PointCollector(MeasurementData& out, std::size_t first, std::size_t count)
        : out_(out), first_(first), end_(count > kNoPointLimit - first ? kNoPointLimit : first + count)
    {
        out_.firstLine = first;
        // The storage of `out` is kept between loads; the rows go to it every kRowsPerFlush.
        // The staging rows grow as lines come (256 kB when full), so a file of a few lines
        // never asks for the whole of it.
        out_.labels.reserve(std::min(count, kRowsPerFlush));
        clear();
    }

    void clear()
    {
        out_.labels.clear();
        for (ColumnPoints& column : out_.columns) {
            column.values.clear();
            column.labelIndex.clear();
        }
        rows_.clear();
        widths_.clear();
    }

    bool wants(std::size_t line) const noexcept { return line >= first_ && line < end_; }
    bool done(std::size_t line) const noexcept { return line >= end_; }

    void collect(std::string_view label, const float* values, int used)
    {
        appendLabel(out_.labels, label);
        std::memcpy(rows_.emplace_back().data(), values, sizeof(Row));
        widths_.push_back(static_cast<std::uint8_t>(used));
        if (rows_.size() == kRowsPerFlush) flush();
    }

    // Adds the rows gathered so far to the columns of `out` and lets them go; a row's label
    // is the one stored with it. The rows are taken a few at a time, so that they stay in
    // the cache while every column takes from them.
    void flush()
    {
        constexpr std::size_t kRowsAtOnce = 128;
        const auto firstLabel = static_cast<std::uint32_t>(out_.labels.size() - rows_.size());
        std::array<std::size_t, kMaxColumns + 1> rowsOfWidth{};
        for (const std::uint8_t width : widths_) ++rowsOfWidth[width];
        std::array<float*, kMaxColumns> values{};
        std::array<std::uint32_t*, kMaxColumns> labels{};
        std::size_t wider = rows_.size() - rowsOfWidth[0];  // the rows with a value in column c
        std::size_t columns = 0;
        for (; columns < std::size_t(kMaxColumns) && wider > 0; ++columns) {
            ColumnPoints& column = out_.columns[columns];
            const std::size_t before = column.values.size();
            column.values.resize(before + wider);
            column.labelIndex.resize(before + wider);
            values[columns] = column.values.data() + before;
            labels[columns] = column.labelIndex.data() + before;
            wider -= rowsOfWidth[columns + 1];
        }
        for (std::size_t first = 0; first < rows_.size(); first += kRowsAtOnce) {
            const std::size_t last = std::min(rows_.size(), first + kRowsAtOnce);
            for (std::size_t c = 0; c < columns; ++c) {
                float* v = values[c];
                std::uint32_t* l = labels[c];
                for (std::size_t i = first; i < last; ++i) {
                    if (widths_[i] <= c) continue;
                    *v++ = rows_[i][c];
                    *l++ = firstLabel + static_cast<std::uint32_t>(i);
                }
                values[c] = v;
                labels[c] = l;
            }
        }
        rows_.clear();
        widths_.clear();
    }

private:
    // Rows gathered before they go to the columns: few enough to stay in the cache.
    static constexpr std::size_t kRowsPerFlush = 2048;
    using Row = std::array<float, kMaxColumns>;
    MeasurementData& out_;
    std::size_t first_;
    std::size_t end_;
    std::vector<Row> rows_;
    std::vector<std::uint8_t> widths_;
};

// Everything the data lines of one stretch of the file add: page starts, points, overview,
// the count of lines per number of values. The stretch begins at data line `firstLine`.
class LineTally {
public:
    LineTally(MeasurementData& out, std::size_t pointFirst, std::size_t pointCount)
        : out_(out), points_(out, pointFirst, pointCount), overview_(out.overview)
    {
    }

    // Starts over at data line `firstLine`, the runs of the overview `shift` long, with the
    // values before it.
    void restart(std::size_t firstLine, int shift, const float* valuesBefore)
    {
        line_ = firstLine;
        out_.pages.clear();
        points_.clear();
        overview_.clear(firstLine, shift);
        widths_.fill(0);
        std::copy(valuesBefore, valuesBefore + kMaxColumns, pageValues_.begin());
    }

    // One data line, given the parser's values after it.
    template <typename LabelOf>
    void add(const float* values, int used, std::uint64_t offset, LabelOf&& labelOf)
    {
        const std::size_t line = line_++;
        const std::size_t inPage = line % kPageLines;
        if (inPage == 0) out_.pages.push_back({offset, pageValues_});
        if (inPage == kPageLines - 1) std::copy(values, values + kMaxColumns, pageValues_.begin());
        ++widths_[std::size_t(used)];
        if (points_.wants(line)) points_.collect(labelOf(), values, used);
        overview_.add(line, values, used, labelOf);
    }

    // Goes on after data lines tallied elsewhere, up to data line `line`, with the values
    // after them.
    void skipTo(std::size_t line, const float* valuesAfter)
    {
        if (line > line_ && line % kPageLines == 0)
            std::copy(valuesAfter, valuesAfter + kMaxColumns, pageValues_.begin());
        line_ = line;
    }

    std::size_t line() const noexcept { return line_; }
    OverviewCollector& overview() noexcept { return overview_; }
    PointCollector& points() noexcept { return points_; }
    // Data lines by number of values used.
    const std::array<std::size_t, kMaxColumns + 1>& widths() const noexcept { return widths_; }

private:
    MeasurementData& out_;
    PointCollector points_;
    OverviewCollector overview_;
    std::size_t line_ = 0;
    std::array<std::size_t, kMaxColumns + 1> widths_{};
    std::array<float, kMaxColumns> pageValues_{};
};

}  // namespace wizor
