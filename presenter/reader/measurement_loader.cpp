#include "measurement_loader.h"

#include "win1250.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <thread>

namespace wizor {

namespace {

constexpr std::size_t kBlockSize = std::size_t(8) << 20;
// Whole lines of a block worth sharing between two cores.
constexpr std::size_t kParallelMinimum = std::size_t(64) << 10;
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

// Hands one line to onLine(text, offset): carriage return removed, cut to kMaxLineLength
// characters (counted in `cut`).
template <typename OnLine>
bool deliverLine(const char* text, std::size_t length, std::uint64_t offset, std::size_t& cut, OnLine& onLine)
{
    std::string_view line = withoutCarriageReturn(std::string_view(text, length));
    if (line.size() > std::size_t(kMaxLineLength)) {
        ++cut;
        line = line.substr(0, kMaxLineLength);
    }
    return onLine(line, offset);
}

// Every line of [begin, end), where each line ends with a line feed; `offset` is where
// `begin` lies in the file. False when onLine asked to stop.
template <typename OnLine>
bool forEachLine(const char* begin, const char* end, std::uint64_t offset, std::size_t& cut, OnLine& onLine)
{
    for (const char* p = begin; p < end;) {
        const char* newline = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
        if (!deliverLine(p, std::size_t(newline - p), offset + std::uint64_t(p - begin), cut, onLine)) return false;
        p = newline + 1;
    }
    return true;
}

// Reads the file from its current position (`start` bytes into it) in large blocks and
// hands every run of whole lines in a block to onRegion(begin, end, offset); a line that
// does not fit a block is cut and handed to onLine(text, offset), as is a last line
// without a line feed. Stops when either returns false.
template <typename OnRegion, typename OnLine>
void readLines(std::FILE* file, std::uint64_t start, std::vector<char>& buffer, std::size_t& cut, OnRegion&& onRegion,
               OnLine&& onLine)
{
    buffer.resize(kBlockSize + kCarryLimit);
    char* const buf = buffer.data();
    std::size_t carried = 0;  // bytes of an unfinished line at the buffer's start
    std::uint64_t base = start;
    bool skipping = false;  // the rest of a cut line, up to its line feed
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
        if (const char* last = static_cast<const char*>(memrchr(scan, '\n', std::size_t(end - scan)))) {
            if (!onRegion(p, last + 1, base + std::uint64_t(p - buf))) return;
            p = last + 1;
        }
        const std::size_t rest = std::size_t(end - p);
        if (rest > kCarryLimit) {
            // Too long to be kept whole: it is cut anyway, so it is parsed now.
            if (!deliverLine(p, rest, base + std::uint64_t(p - buf), cut, onLine)) return;
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
    if (!skipping && carried > 0) deliverLine(buf, carried, base, cut, onLine);
}

template <typename OnLine>
void readLines(std::FILE* file, std::uint64_t start, std::vector<char>& buffer, std::size_t& cut, OnLine&& onLine)
{
    readLines(
        file, start, buffer, cut,
        [&](const char* begin, const char* end, std::uint64_t offset) {
            return forEachLine(begin, end, offset, cut, onLine);
        },
        onLine);
}

// The second half of a block, parsed on another core. The parser there starts in the
// data part with every value unknown: a value that no line of the half has set yet holds
// kUnknown, which the parse of the first half resolves afterwards.
class HalfBlockParser {
public:
    struct Line {
        std::uint64_t offset;
        PointLabel label;
        int valueCount;
        std::array<float, kMaxChannels> values;  // the parser's values after the line
    };

    static bool unknown(float v) noexcept
    {
        std::uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return bits == kUnknownBits;
    }

    void parse(const char* begin, const char* end, std::uint64_t offset)
    {
        lines_.clear();
        cut_ = 0;
        float unknownValue;
        std::memcpy(&unknownValue, &kUnknownBits, sizeof unknownValue);
        std::array<float, kMaxChannels> start;
        start.fill(unknownValue);
        parser_.resumeData(start.data());
        auto onLine = [this](std::string_view text, std::uint64_t at) {
            if (!parser_.ParseLine(text)) return true;
            Line& line = lines_.emplace_back();
            line.offset = at;
            const std::string_view label = parser_.pointLabel();
            std::memcpy(line.label.text, label.data(), label.size());
            line.label.length = static_cast<std::uint8_t>(label.size());
            line.valueCount = parser_.valueCount();
            std::copy(parser_.values(), parser_.values() + kMaxChannels, line.values.begin());
            return true;
        };
        forEachLine(begin, end, offset, cut_, onLine);
    }

    const std::vector<Line>& lines() const noexcept { return lines_; }
    std::size_t cut() const noexcept { return cut_; }

private:
    // A NaN that no conversion gives.
    static constexpr std::uint32_t kUnknownBits = 0x7FC0DEADU;
    Linia1MG parser_;
    std::vector<Line> lines_;
    std::size_t cut_ = 0;
};

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

    void collect(std::string_view label, const float* values, int used)
    {
        PointLabel& stored = out_.labels.emplace_back();
        std::memcpy(stored.text, label.data(), label.size());
        stored.length = static_cast<std::uint8_t>(label.size());
        const auto index = static_cast<std::uint32_t>(out_.labels.size() - 1);
        for (int c = 0; c < used; ++c) {
            ColumnPoints& column = out_.columns[std::size_t(c)];
            column.values.push_back(values[c]);
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

    template <typename LabelOf>
    void add(std::size_t line, const float* values, int used, LabelOf&& labelOf)
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
            const std::string_view label = labelOf();
            PointLabel& stored = out_.labels.emplace_back();
            std::memcpy(stored.text, label.data(), label.size());
            stored.length = static_cast<std::uint8_t>(label.size());
        }
        Overview::Run& r = out_.runs[run];
        for (int c = 0; c < used; ++c) {
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
        // The values before the next page's first line, taken after the line before it.
        std::array<float, kMaxChannels> pageValues{};
        // Everything a data line adds, given the parser's values after it.
        const auto dataLine = [&](const float* values, int used, std::uint64_t offset, auto&& labelOf) {
            const std::size_t line = out.dataLines++;
            const std::size_t inPage = line % kPageLines;
            if (inPage == 0) out.pages.push_back({offset, pageValues});
            if (inPage == kPageLines - 1) std::copy(values, values + kMaxChannels, pageValues.begin());
            for (int c = 0; c < used; ++c) ++out.columns[std::size_t(c)].totalPoints;
            if (points.wants(line)) points.collect(labelOf(), values, used);
            overview.add(line, values, used, labelOf);
        };
        const auto onLine = [&](std::string_view text, std::uint64_t offset) {
            if (!parser.ParseLine(text)) return true;
            dataLine(parser.values(), parser.usedValueCount(), offset, [&] { return parser.pointLabel(); });
            return true;
        };

        // Statistics of the lines parsed on the other core.
        float high = Linia1MG::kInitialMaxValue;
        float low = Linia1MG::kInitialMinValue;
        int widest = 0;
        HalfBlockParser half;
        const auto onRegion = [&](const char* begin, const char* end, std::uint64_t offset) {
            // The header part is read in order: it names the channels.
            const char* p = begin;
            while (p < end && !parser.dataStarted()) {
                const char* newline = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
                deliverLine(p, std::size_t(newline - p), offset + std::uint64_t(p - begin), out.longLines, onLine);
                p = newline + 1;
            }
            if (std::size_t(end - p) < kParallelMinimum)
                return forEachLine(p, end, offset + std::uint64_t(p - begin), out.longLines, onLine);
            const char* middle = p + (end - p) / 2;
            const char* split = static_cast<const char*>(std::memchr(middle, '\n', std::size_t(end - middle))) + 1;
            std::thread other([&] { half.parse(split, end, offset + std::uint64_t(split - begin)); });
            forEachLine(p, split, offset + std::uint64_t(p - begin), out.longLines, onLine);
            other.join();

            // Values the second half had not set yet are those the first half ended with.
            std::array<float, kMaxChannels> before;
            std::copy(parser.values(), parser.values() + kMaxChannels, before.begin());
            std::array<float, kMaxChannels> values = before;
            for (const HalfBlockParser::Line& line : half.lines()) {
                for (std::size_t c = 0; c < values.size(); ++c)
                    values[c] = HalfBlockParser::unknown(line.values[c]) ? before[c] : line.values[c];
                const int used = std::min(line.valueCount, kMaxChannels);
                for (int c = 0; c < used; ++c) {
                    const float v = values[std::size_t(c)];
                    if (!std::isfinite(v)) continue;
                    high = v > high ? v : high;
                    low = v < low ? v : low;
                }
                widest = std::max(widest, line.valueCount);
                dataLine(values.data(), used, line.offset, [&] { return line.label.view(); });
            }
            out.longLines += half.cut();
            parser.resumeData(values.data());
            return true;
        };
        std::vector<char> buffer;
        readLines(file.get(), 0, buffer, out.longLines, onRegion, onLine);
        out.maxValue = std::max(parser.maxValue(), high);
        out.minValue = std::min(parser.minValue(), low);
        out.maxValueCount = std::max(parser.maxValueCount(), widest);
    } else {
        out.maxValue = parser.maxValue();
        out.minValue = parser.minValue();
        out.maxValueCount = parser.maxValueCount();
    }
    for (int c = 0; c < kMaxChannels; ++c) out.names[std::size_t(c)].assign(parser.channelName(c));
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
        if (points.wants(line)) points.collect(parser.pointLabel(), parser.values(), parser.usedValueCount());
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
    return win1250::decode(bytes);
}

}  // namespace wizor
