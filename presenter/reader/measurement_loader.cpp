#include "measurement_loader.h"

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
    // Code points of the bytes 0x80-0xFF; the five unassigned bytes keep their own value.
    static constexpr char16_t kHigh[128] = {
        0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039, 0x015A,
        0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
        0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
        0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
        0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
        0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
        0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
        0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
        0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
        0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
    };
    QString text(qsizetype(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out[i] = QChar(byte < 0x80 ? char16_t(byte) : kHigh[byte - 0x80]);
    }
    return text;
}

}  // namespace wizor
