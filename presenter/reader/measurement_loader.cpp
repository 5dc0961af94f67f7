#include "measurement_loader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace wizor {

namespace {

constexpr std::size_t kBlockSize = std::size_t(1) << 20;
// An unfinished line kept from one block for the next: one character more than a line may
// hold, so that a carriage return after a full line still fits.
constexpr std::size_t kCarryLimit = kMaxLineLength + 1;

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// A carriage return before the line feed is no part of the line, as in a text-mode read.
std::string_view withoutCarriageReturn(std::string_view line) noexcept
{
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

// Calls onLine(text, offset) for every line from the file's current position on (line
// feed removed, cut to kMaxLineLength characters; `offset` is where the line begins,
// counted from `start`) until the end of the file or until onLine returns false. Counts
// the lines that were cut in `cut`.
template <typename OnLine>
void readLines(std::FILE* file, std::uint64_t start, std::vector<char>& buffer, std::size_t& cut, OnLine&& onLine)
{
    buffer.resize(kBlockSize + kCarryLimit);
    char* const buf = buffer.data();
    std::size_t carried = 0;  // bytes of an unfinished line at the buffer's start
    std::uint64_t base = start;
    bool skipping = false;  // the rest of a cut line, up to its line feed
    const auto deliver = [&](const char* text, std::size_t length, std::uint64_t offset) {
        std::string_view line = withoutCarriageReturn(std::string_view(text, length));
        if (line.size() > std::size_t(kMaxLineLength)) {
            ++cut;
            line = line.substr(0, kMaxLineLength);
        }
        return onLine(line, offset);
    };
    for (;;) {
        const std::size_t got = std::fread(buf + carried, 1, kBlockSize, file);
        if (got == 0) break;
        const char* const end = buf + carried + got;
        const char* p = buf;
        const char* scan = buf + carried;
        if (skipping) {
            const char* newline = static_cast<const char*>(std::memchr(scan, '\n', std::size_t(end - scan)));
            if (!newline) {
                base += std::uint64_t(end - buf);
                continue;
            }
            skipping = false;
            p = scan = newline + 1;
        }
        while (const char* newline = static_cast<const char*>(std::memchr(scan, '\n', std::size_t(end - scan)))) {
            if (!deliver(p, std::size_t(newline - p), base + std::uint64_t(p - buf))) return;
            p = scan = newline + 1;
        }
        const std::size_t rest = std::size_t(end - p);
        if (rest > kCarryLimit) {
            // Too long to be kept whole: it is cut anyway, so it is parsed now.
            if (!deliver(p, rest, base + std::uint64_t(p - buf))) return;
            skipping = true;
            base += std::uint64_t(end - buf);
            carried = 0;
        } else {
            std::memmove(buf, p, rest);
            base += std::uint64_t(p - buf);
            carried = rest;
        }
    }
    // The last line counts also without a line feed.
    if (!skipping && carried > 0) deliver(buf, carried, base);
}

// Gathers the points of the data lines [first, first + count).
class PointCollector {
public:
    PointCollector(MeasurementData& out, std::size_t first, std::size_t count) noexcept
        : out_(out), first_(first), end_(count > kNoPointLimit - first ? kNoPointLimit : first + count)
    {
        out_.firstLine = first;
        out_.labels.clear();
        for (ColumnPoints& column : out_.columns) {
            column.values.clear();
            column.labelIndex.clear();
        }
    }

    bool wants(std::size_t line) const noexcept { return line >= first_ && line < end_; }
    bool done(std::size_t line) const noexcept { return line >= end_; }

    void collect(const Linia1MG& parser)
    {
        const std::string_view label = parser.pointLabel();
        PointLabel& stored = out_.labels.emplace_back();
        std::memcpy(stored.text, label.data(), label.size());
        stored.length = static_cast<std::uint8_t>(label.size());
        const auto index = static_cast<std::uint32_t>(out_.labels.size() - 1);
        for (int c = 0, n = parser.usedValueCount(); c < n; ++c) {
            ColumnPoints& column = out_.columns[std::size_t(c)];
            column.values.push_back(parser.value(c));
            column.labelIndex.push_back(index);
        }
    }

private:
    MeasurementData& out_;
    std::size_t first_;
    std::size_t end_;
};

// Min and max per run of data lines; when the runs are used up, neighbours merge and the
// runs become twice as long, so the whole file always fits.
class OverviewCollector {
public:
    explicit OverviewCollector(Overview& out) : out_(out)
    {
        out_.runLength = 1;
        out_.runs.clear();
        out_.labels.clear();
        out_.runs.reserve(kOverviewRuns);
        out_.labels.reserve(kOverviewRuns);
    }

    void add(std::size_t line, const Linia1MG& parser)
    {
        std::size_t run = line >> shift_;
        if (run == kOverviewRuns) {
            halve();
            run = line >> shift_;
        }
        if (run == out_.runs.size()) {
            Overview::Run& fresh = out_.runs.emplace_back();
            fresh.low.fill(std::numeric_limits<float>::infinity());
            fresh.high.fill(-std::numeric_limits<float>::infinity());
            const std::string_view label = parser.pointLabel();
            PointLabel& stored = out_.labels.emplace_back();
            std::memcpy(stored.text, label.data(), label.size());
            stored.length = static_cast<std::uint8_t>(label.size());
        }
        Overview::Run& r = out_.runs[run];
        const float* values = parser.values();
        for (int c = 0, n = parser.usedValueCount(); c < n; ++c) {
            const float v = values[c];
            if (!std::isfinite(v)) continue;
            r.low[std::size_t(c)] = std::min(r.low[std::size_t(c)], v);
            r.high[std::size_t(c)] = std::max(r.high[std::size_t(c)], v);
        }
    }

private:
    void halve()
    {
        for (std::size_t k = 0; k < kOverviewRuns / 2; ++k) {
            const Overview::Run& a = out_.runs[2 * k];
            const Overview::Run& b = out_.runs[2 * k + 1];
            Overview::Run merged;
            for (std::size_t c = 0; c < std::size_t(kMaxChannels); ++c) {
                merged.low[c] = std::min(a.low[c], b.low[c]);
                merged.high[c] = std::max(a.high[c], b.high[c]);
            }
            out_.runs[k] = merged;
            out_.labels[k] = out_.labels[2 * k];
        }
        out_.runs.resize(kOverviewRuns / 2);
        out_.labels.resize(kOverviewRuns / 2);
        ++shift_;
        out_.runLength = std::size_t(1) << shift_;
    }

    Overview& out_;
    int shift_ = 0;
};

}  // namespace

void loadMeasurementFile(const std::string& path, Linia1MG& parser, MeasurementData& out, std::size_t pointLimit,
                         std::size_t firstLine)
{
    parser.Reset();
    out.dataLines = 0;
    out.longLines = 0;
    out.pages.clear();
    for (ColumnPoints& column : out.columns) column.totalPoints = 0;
    PointCollector points(out, firstLine, pointLimit);
    OverviewCollector overview(out.overview);

    FileHandle file(std::fopen(path.c_str(), "rb"));
    out.opened = file != nullptr;
    if (file) {
        std::vector<char> buffer;
        // The values before the next page's first line, taken after the line before it.
        std::array<float, kMaxChannels> pageValues{};
        readLines(file.get(), 0, buffer, out.longLines, [&](std::string_view text, std::uint64_t offset) {
            if (!parser.ParseLine(text)) return true;
            const std::size_t line = out.dataLines++;
            const std::size_t inPage = line % kPageLines;
            if (inPage == 0) out.pages.push_back({offset, pageValues});
            if (inPage == kPageLines - 1)
                std::copy(parser.values(), parser.values() + kMaxChannels, pageValues.begin());
            for (int c = 0, n = parser.usedValueCount(); c < n; ++c) ++out.columns[std::size_t(c)].totalPoints;
            if (points.wants(line)) points.collect(parser);
            overview.add(line, parser);
            return true;
        });
    }

    for (int c = 0; c < kMaxChannels; ++c) out.names[std::size_t(c)].assign(parser.channelName(c));
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

bool loadDataLines(const std::string& path, MeasurementData& data, std::size_t firstLine, std::size_t count)
{
    PointCollector points(data, firstLine, count);
    if (data.pages.empty() || count == 0) return true;
    const std::size_t page = std::min(firstLine / kPageLines, data.pages.size() - 1);
    const PageStart& start = data.pages[page];
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file || fseeko(file.get(), off_t(start.offset), SEEK_SET) != 0) return false;

    Linia1MG parser;
    parser.resumeData(start.values.data());
    std::size_t line = page * kPageLines;
    std::size_t cut = 0;
    std::vector<char> buffer;
    readLines(file.get(), start.offset, buffer, cut, [&](std::string_view text, std::uint64_t) {
        if (!parser.ParseLine(text)) return true;
        if (points.wants(line)) points.collect(parser);
        return !points.done(++line);
    });
    return true;
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
