#include "measurement_loader.h"

#include "win1250.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace wizor {

namespace {

constexpr std::size_t kChunkSize = 1 << 16;

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};

// A carriage return before the line feed is no part of the line, as in a text-mode read.
std::string_view withoutCarriageReturn(std::string_view line) noexcept
{
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

class PointCollector final : public LineVisitor {
public:
    PointCollector(Linia1MG& parser, MeasurementData& out, std::size_t pointLimit) noexcept
        : parser_(parser), out_(out), pointLimit_(pointLimit)
    {
    }

    void line(std::string_view text) override
    {
        if (!parser_.ParseLine(text)) return;
        ++out_.dataLines;
        bool labelStored = false;
        for (int c = 0, n = parser_.usedValueCount(); c < n; ++c) {
            ColumnPoints& column = out_.columns[c];
            ++column.totalPoints;
            if (column.values.size() >= pointLimit_) continue;
            if (!labelStored) {
                const std::string_view label = parser_.pointLabel();
                PointLabel& stored = out_.labels.emplace_back();
                std::memcpy(stored.text, label.data(), label.size());
                stored.length = static_cast<std::uint8_t>(label.size());
                labelStored = true;
            }
            column.values.push_back(parser_.value(c));
            column.labelIndex.push_back(static_cast<std::uint32_t>(out_.labels.size() - 1));
        }
    }

private:
    Linia1MG& parser_;
    MeasurementData& out_;
    std::size_t pointLimit_;
};

}  // namespace

bool readLines(const std::string& path, LineVisitor& onLine, std::size_t* cut)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;

    // A line that spans two chunks is gathered here; one more character than a line may
    // hold, so that a carriage return after a full line still fits.
    char pending[kMaxLineLength + 1];
    std::size_t pendingLength = 0;
    bool pendingTooLong = false;
    std::size_t cutLines = 0;

    const auto deliver = [&](std::string_view line, bool tooLong) {
        line = withoutCarriageReturn(line);
        if (tooLong || line.size() > std::size_t(kMaxLineLength)) {
            ++cutLines;
            line = line.substr(0, kMaxLineLength);
        }
        onLine.line(line);
    };

    auto chunk = std::make_unique<char[]>(kChunkSize);
    for (;;) {
        const std::size_t got = std::fread(chunk.get(), 1, kChunkSize, file.get());
        if (got == 0) break;
        const char* p = chunk.get();
        const char* const end = p + got;
        while (p < end) {
            const char* newline = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
            const char* segmentEnd = newline ? newline : end;
            if (newline && pendingLength == 0 && !pendingTooLong) {
                deliver(std::string_view(p, std::size_t(newline - p)), false);
            } else {
                const std::size_t take = std::min(std::size_t(segmentEnd - p), sizeof pending - pendingLength);
                std::memcpy(pending + pendingLength, p, take);
                pendingLength += take;
                if (take < std::size_t(segmentEnd - p)) pendingTooLong = true;
                if (newline) {
                    deliver(std::string_view(pending, pendingLength), pendingTooLong);
                    pendingLength = 0;
                    pendingTooLong = false;
                }
            }
            p = newline ? newline + 1 : end;
        }
    }
    // The last line counts also without a line feed.
    if (pendingLength > 0 || pendingTooLong) deliver(std::string_view(pending, pendingLength), pendingTooLong);
    if (cut) *cut = cutLines;
    return true;
}

void loadMeasurementFile(const std::string& path, Linia1MG& parser, MeasurementData& out, std::size_t pointLimit)
{
    parser.Reset();
    out.dataLines = 0;
    out.longLines = 0;
    out.labels.clear();
    for (ColumnPoints& column : out.columns) {
        column.values.clear();
        column.labelIndex.clear();
        column.totalPoints = 0;
    }

    PointCollector collector(parser, out, pointLimit);
    out.opened = readLines(path, collector, &out.longLines);

    for (int c = 0; c < kMaxChannels; ++c) out.names[c].assign(parser.channelName(c));
    out.maxValue = parser.maxValue();
    out.minValue = parser.minValue();
    out.maxValueCount = parser.maxValueCount();
}

MeasurementData loadMeasurementFile(const std::string& path, std::size_t pointLimit)
{
    Linia1MG parser;
    MeasurementData out;
    loadMeasurementFile(path, parser, out, pointLimit);
    return out;
}

QString MeasurementData::channelName(int column) const
{
    return fromWindows1250(names[column]);
}

QString MeasurementData::label(std::uint32_t index) const
{
    return fromWindows1250(labels[index].view());
}

QString fromWindows1250(std::string_view bytes)
{
    return win1250::decode(bytes);
}

}  // namespace wizor
