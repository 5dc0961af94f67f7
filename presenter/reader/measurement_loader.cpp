#include "measurement_loader.h"

#include "win1250.h"

#include <emmintrin.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <thread>

namespace wizor {

namespace {

constexpr std::size_t kBlockSize = kReadBlockSize;
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
// characters (counted in `cut`). Lines lie in a reading buffer, with kLinePadding bytes of
// it after them.
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

// The line feeds in [begin, end), 16 characters at a time: each compare adds -1 to a byte
// counter, and the counters are summed before they can wrap.
std::size_t countLineFeeds(const char* begin, const char* end) noexcept
{
    const __m128i lineFeed = _mm_set1_epi8('\n');
    std::size_t count = 0;
    const char* p = begin;
    while (end - p >= 16) {
        __m128i counters = _mm_setzero_si128();
        for (int round = 0; round < 255 && end - p >= 16; ++round, p += 16)
            counters =
                _mm_sub_epi8(counters, _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), lineFeed));
        const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
        count += std::size_t(_mm_cvtsi128_si32(sums)) + std::size_t(_mm_extract_epi16(sums, 4));
    }
    return count + std::size_t(std::count(p, end, '\n'));
}

// Reads up to `count` bytes at `offset` of the file `fd`; returns how many were read.
std::size_t readAt(int fd, char* into, std::size_t count, std::uint64_t offset) noexcept
{
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n = pread(fd, into + got, count - got, off_t(offset + got));
        if (n <= 0) break;
        got += std::size_t(n);
    }
    return got;
}

// Reads the file from its current position (`start` bytes into it) in large blocks and
// hands every run of whole lines in a block to onRegion(begin, end, offset, readNext); a
// line that does not fit a block is cut and handed to onLine(text, offset), as is a last
// line without a line feed. Stops when either returns false. With `readEarly` the blocks
// take turns in two buffers, and onRegion may call readNext() to read the next block
// while it waits for another core; otherwise the next block is read after the region.
template <typename OnRegion, typename OnLine>
void readLines(std::FILE* file, std::uint64_t start, std::size_t& cut, OnRegion&& onRegion, OnLine&& onLine,
               bool readEarly = false)
{
    // Each buffer has room before its block for the unfinished line of the block before
    // and after it for the parser's reads past a line's end.
    constexpr std::size_t kBuffer = kCarryLimit + kBlockSize + kLinePadding;
    const std::unique_ptr<char[]> memory(new char[readEarly ? 2 * kBuffer : kBuffer]);
    char* const buffers[2] = {memory.get(), memory.get() + (readEarly ? kBuffer : 0)};
    const auto readInto = [file](char* block) {
        const std::size_t got = std::fread(block, 1, kBlockSize, file);
        std::memset(block + got, 0, kLinePadding);
        return got;
    };
    // Nothing can be parsed before the first block is in: with two buffers, two threads read
    // half of it each.
    const auto readFirst = [&](char* block) {
        const off_t at = ftello(file);
        if (!readEarly || at < 0) return readInto(block);
        constexpr std::size_t kHalfBlock = kBlockSize / 2;
        std::size_t second = 0;
        std::thread other([&] { second = readAt(fileno(file), block + kHalfBlock, kHalfBlock, at + kHalfBlock); });
        const std::size_t first = readAt(fileno(file), block, kHalfBlock, std::uint64_t(at));
        other.join();
        const std::size_t got = first < kHalfBlock ? first : first + second;
        std::memset(block + got, 0, kLinePadding);
        fseeko(file, at + off_t(got), SEEK_SET);
        return got;
    };
    std::size_t next = readFirst(buffers[0] + kCarryLimit);
    int current = 0;
    std::size_t carried = 0;  // bytes of an unfinished line before the block
    std::uint64_t base = start;
    bool skipping = false;  // the rest of a cut line, up to its line feed
    for (;;) {
        const std::size_t got = next;
        if (got == 0) break;
        char* const block = buffers[current] + kCarryLimit;
        char* const following = buffers[readEarly ? 1 - current : current] + kCarryLimit;
        bool mayRead = readEarly;  // with one buffer, only once the block is handled
        bool read = false;
        const auto readNext = [&] {
            if (!mayRead || read) return;
            next = readInto(following);
            read = true;
        };
        const auto advance = [&] {
            mayRead = true;
            readNext();
            current = readEarly ? 1 - current : current;
        };

        char* const buf = block - carried;
        const char* const end = block + got;
        const char* p = buf;
        const char* scan = block;
        if (skipping) {
            const char* newline = static_cast<const char*>(std::memchr(scan, '\n', std::size_t(end - scan)));
            if (!newline) {
                base += std::uint64_t(end - buf);
                carried = 0;
                advance();
                continue;
            }
            skipping = false;
            p = scan = newline + 1;
        }
        if (const char* last = static_cast<const char*>(memrchr(scan, '\n', std::size_t(end - scan)))) {
            if (!onRegion(p, last + 1, base + std::uint64_t(p - buf), readNext)) return;
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
            // Just before the next block, which is read into the memory after it.
            std::memmove(following - rest, p, rest);
            base += std::uint64_t(p - buf);
            carried = rest;
        }
        advance();
    }
    // The last line counts also without a line feed.
    if (!skipping && carried > 0) deliverLine(buffers[current] + kCarryLimit - carried, carried, base, cut, onLine);
}

template <typename OnLine>
void readLines(std::FILE* file, std::uint64_t start, std::size_t& cut, OnLine&& onLine)
{
    readLines(
        file, start, cut,
        [&](const char* begin, const char* end, std::uint64_t offset, auto&&) {
            return forEachLine(begin, end, offset, cut, onLine);
        },
        onLine);
}

// Stores a parser's point label (at most 2 * kMaxStampLength + 1 characters).
void appendLabel(std::vector<PointLabel>& labels, std::string_view label)
{
    PointLabel& stored = labels.emplace_back();
    std::memcpy(stored.text, label.data(), label.size());
    stored.length = static_cast<std::uint8_t>(label.size());
}

// Gathers the points of the data lines [first, first + count): each line's values as a row
// while reading, added to the columns of `out` by flush(), which costs less than adding to
// 32 columns per line.
class PointCollector {
public:
    PointCollector(MeasurementData& out, std::size_t first, std::size_t count)
        : out_(out), first_(first), end_(count > kNoPointLimit - first ? kNoPointLimit : first + count)
    {
        out_.firstLine = first;
        // A page or a window of the charts; the storage of `out` is kept between loads.
        const std::size_t expected = std::min(count, kPageLines);
        out_.labels.reserve(expected);
        rows_.reserve(expected);
        widths_.reserve(expected);
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
    }

    // Adds the rows gathered so far to the columns of `out` and lets them go; a row's label
    // is the one stored with it. The rows are taken a few at a time, so that they stay in
    // the cache while every column takes from them.
    void flush()
    {
        constexpr std::size_t kRowsAtOnce = 128;
        const auto firstLabel = static_cast<std::uint32_t>(out_.labels.size() - rows_.size());
        std::array<std::size_t, kMaxChannels + 1> rowsOfWidth{};
        for (const std::uint8_t width : widths_) ++rowsOfWidth[width];
        std::array<float*, kMaxChannels> values{};
        std::array<std::uint32_t*, kMaxChannels> labels{};
        std::size_t wider = rows_.size() - rowsOfWidth[0];  // the rows with a value in column c
        std::size_t columns = 0;
        for (; columns < std::size_t(kMaxChannels) && wider > 0; ++columns) {
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
    using Row = std::array<float, kMaxChannels>;
    MeasurementData& out_;
    std::size_t first_;
    std::size_t end_;
    std::vector<Row> rows_;
    std::vector<std::uint8_t> widths_;
};

// Min and max per run of data lines, the runs aligned to multiples of the run length in the
// whole file. When the runs are used up, neighbours merge and the runs become twice as long,
// so the whole file always fits. A collector for a later part of the file starts at the run
// of its first line and is merged into the one before it.
class OverviewCollector {
public:
    explicit OverviewCollector(Overview& out) : out_(out) { clear(0, 0); }

    void clear(std::size_t firstLine, int shift)
    {
        shift_ = shift;
        firstRun_ = firstLine >> shift;
        out_.runLength = std::size_t(1) << shift;
        out_.runs.clear();
        out_.labels.clear();
    }

    template <typename LabelOf>
    void add(std::size_t line, const float* values, int used, LabelOf&& labelOf)
    {
        std::size_t run = (line >> shift_) - firstRun_;
        if (run == kOverviewRuns) {
            coarsen();
            run = (line >> shift_) - firstRun_;
        }
        if (run == out_.runs.size()) {
            Overview::Run& fresh = out_.runs.emplace_back();
            fresh.low.fill(std::numeric_limits<float>::infinity());
            fresh.high.fill(-std::numeric_limits<float>::infinity());
            appendLabel(out_.labels, labelOf());
        }
        Overview::Run& r = out_.runs[run];
        addToStatistics(values, used, r.high.data(), r.low.data());
    }

    // Takes in `later`, whose lines follow this collector's.
    void merge(OverviewCollector& later)
    {
        while (later.shift_ < shift_) later.coarsen();
        while (shift_ < later.shift_) coarsen();
        for (std::size_t k = 0; k < later.out_.runs.size(); ++k) {
            const std::size_t run = later.firstRun_ + k - firstRun_;
            if (run < out_.runs.size()) {
                mergeRun(out_.runs[run], later.out_.runs[k]);
            } else {
                out_.runs.push_back(later.out_.runs[k]);
                out_.labels.push_back(later.out_.labels[k]);
            }
        }
        while (out_.runs.size() > kOverviewRuns) coarsen();
    }

    // Takes one more value of `column` in the run of `line` (already collected).
    void include(std::size_t line, int column, float value) noexcept
    {
        if (!std::isfinite(value)) return;
        Overview::Run& r = out_.runs[(line >> shift_) - firstRun_];
        r.low[std::size_t(column)] = std::min(r.low[std::size_t(column)], value);
        r.high[std::size_t(column)] = std::max(r.high[std::size_t(column)], value);
    }

    int shift() const noexcept { return shift_; }

private:
    static void mergeRun(Overview::Run& into, const Overview::Run& from) noexcept
    {
        for (std::size_t c = 0; c < std::size_t(kMaxChannels); ++c) {
            into.low[c] = std::min(into.low[c], from.low[c]);
            into.high[c] = std::max(into.high[c], from.high[c]);
        }
    }

    // Runs twice as long: run r goes into run r / 2 and keeps the label of its first line.
    void coarsen()
    {
        std::size_t kept = 0;
        const std::size_t newFirst = firstRun_ >> 1;
        for (std::size_t k = 0; k < out_.runs.size(); ++k) {
            const std::size_t target = ((firstRun_ + k) >> 1) - newFirst;
            if (target < kept) {
                mergeRun(out_.runs[target], out_.runs[k]);
            } else {
                out_.runs[target] = out_.runs[k];
                out_.labels[target] = out_.labels[k];
                kept = target + 1;
            }
        }
        out_.runs.resize(kept);
        out_.labels.resize(kept);
        firstRun_ = newFirst;
        ++shift_;
        out_.runLength = std::size_t(1) << shift_;
    }

    Overview& out_;
    int shift_ = 0;
    std::size_t firstRun_ = 0;
};

// A NaN that no conversion gives: a value not known yet in the second half of a block.
constexpr std::uint32_t kUnknownBits = 0x7FC0DEADU;

bool unknown(float v) noexcept
{
    return std::bit_cast<std::uint32_t>(v) == kUnknownBits;
}

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
        std::copy(valuesBefore, valuesBefore + kMaxChannels, pageValues_.begin());
    }

    // One data line, given the parser's values after it.
    template <typename LabelOf>
    void add(const float* values, int used, std::uint64_t offset, LabelOf&& labelOf)
    {
        const std::size_t line = line_++;
        const std::size_t inPage = line % kPageLines;
        if (inPage == 0) out_.pages.push_back({offset, pageValues_});
        if (inPage == kPageLines - 1) std::copy(values, values + kMaxChannels, pageValues_.begin());
        ++widths_[std::size_t(used)];
        if (points_.wants(line)) points_.collect(labelOf(), values, used);
        overview_.add(line, values, used, labelOf);
    }

    // Goes on after data lines tallied elsewhere, up to data line `line`, with the values
    // after them.
    void skipTo(std::size_t line, const float* valuesAfter)
    {
        if (line > line_ && line % kPageLines == 0)
            std::copy(valuesAfter, valuesAfter + kMaxChannels, pageValues_.begin());
        line_ = line;
    }

    std::size_t line() const noexcept { return line_; }
    OverviewCollector& overview() noexcept { return overview_; }
    PointCollector& points() noexcept { return points_; }
    // Data lines by number of values used.
    const std::array<std::size_t, kMaxChannels + 1>& widths() const noexcept { return widths_; }

private:
    MeasurementData& out_;
    PointCollector points_;
    OverviewCollector overview_;
    std::size_t line_ = 0;
    std::array<std::size_t, kMaxChannels + 1> widths_{};
    std::array<float, kMaxChannels> pageValues_{};
};

// The second half of a block, parsed on another core into a tally of its own. It takes every
// line of the first half for a data line to know where it begins (the merge checks that),
// and starts in the data part with every value unknown: a line that uses a value no line of
// the half has set yet is noted, and the merge fills in what the first half ended with.
class HalfBlockReader {
public:
    HalfBlockReader(std::size_t pointFirst, std::size_t pointCount) : tally_(part_, pointFirst, pointCount) {}

    void read(const char* firstHalf, const char* begin, const char* end, std::uint64_t offset, std::size_t firstLine,
              int shift)
    {
        const std::size_t line = firstLine + countLineFeeds(firstHalf, begin);
        const float unknownValue = std::bit_cast<float>(kUnknownBits);
        std::array<float, kMaxChannels> start;
        start.fill(unknownValue);
        firstLine_ = line;
        tally_.restart(line, shift, start.data());
        parser_.Reset();
        parser_.keepStatistics(false);  // the overview's runs give them
        parser_.resumeData(start.data());
        unsettled_.clear();
        cut_ = 0;
        auto onLine = [this](std::string_view text, std::uint64_t at) {
            if (!parser_.ParsePaddedLine(text)) return true;
            const float* values = parser_.values();
            const int used = parser_.usedValueCount();
            // The used values still unknown, four at a time.
            const __m128i unknownBits = _mm_set1_epi32(int(kUnknownBits));
            std::uint32_t open = 0;
            for (int c = 0; c < used; c += 4) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(values + c));
                open |= std::uint32_t(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(v, unknownBits)))) << c;
            }
            open &= used >= 32 ? ~std::uint32_t(0) : (std::uint32_t(1) << used) - 1;
            if (open != 0) unsettled_.push_back({tally_.line(), open});
            tally_.add(values, used, at, [this] { return parser_.pointLabel(); });
            return true;
        };
        forEachLine(begin, end, offset, cut_, onLine);
        tally_.points().flush();
    }

    // Merges the half into `out` and `tally`, whose lines come before it; `before` holds the
    // values the first half ended with, and becomes the values after the second half.
    void mergeInto(MeasurementData& out, LineTally& tally, std::array<float, kMaxChannels>& before, int& widest)
    {
        const auto settle = [&](float v, int c) { return unknown(v) ? before[std::size_t(c)] : v; };
        for (PageStart page : part_.pages) {
            for (int c = 0; c < kMaxChannels; ++c) page.values[std::size_t(c)] = settle(page.values[std::size_t(c)], c);
            out.pages.push_back(page);
        }
        const auto labelBase = static_cast<std::uint32_t>(out.labels.size());
        out.labels.insert(out.labels.end(), part_.labels.begin(), part_.labels.end());
        for (int c = 0; c < kMaxChannels; ++c) {
            ColumnPoints& into = out.columns[std::size_t(c)];
            const ColumnPoints& from = part_.columns[std::size_t(c)];
            const std::size_t at = into.values.size();
            into.values.insert(into.values.end(), from.values.begin(), from.values.end());
            // A column's value, once set in the half, stays known: the unknown ones come first.
            for (std::size_t k = at; k < into.values.size() && unknown(into.values[k]); ++k)
                into.values[k] = before[std::size_t(c)];
            into.labelIndex.resize(at + from.labelIndex.size());
            for (std::size_t k = 0; k < from.labelIndex.size(); ++k)
                into.labelIndex[at + k] = from.labelIndex[k] + labelBase;
        }
        for (std::size_t w = 0; w < tally_.widths().size(); ++w)
            for (std::size_t c = 0; c < w; ++c) out.columns[c].totalPoints += tally_.widths()[w];
        tally.overview().merge(tally_.overview());
        for (const Unsettled& line : unsettled_) {
            for (int c = 0; c < kMaxChannels; ++c)
                if (line.columns >> c & 1) tally.overview().include(line.line, c, before[std::size_t(c)]);
        }
        widest = std::max(widest, parser_.maxValueCount());
        out.longLines += cut_;
        for (int c = 0; c < kMaxChannels; ++c) before[std::size_t(c)] = settle(parser_.values()[c], c);
    }

    // The data line the half began with, and the one after it.
    std::size_t firstLine() const noexcept { return firstLine_; }
    std::size_t lineAfter() const noexcept { return tally_.line(); }

private:
    struct Unsettled {
        std::size_t line;
        std::uint32_t columns;
    };
    MeasurementData part_;
    LineTally tally_;
    Linia1MG parser_;
    std::vector<Unsettled> unsettled_;
    std::size_t cut_ = 0;
    std::size_t firstLine_ = 0;
};

}  // namespace

void loadMeasurementFile(const std::string& path, Linia1MG& parser, MeasurementData& out, std::size_t pointLimit,
                         std::size_t firstLine)
{
    parser.Reset();
    parser.keepStatistics(false);  // the overview's runs give them
    out.dataLines = 0;
    out.longLines = 0;
    for (ColumnPoints& column : out.columns) column.totalPoints = 0;
    LineTally tally(out, firstLine, pointLimit);
    const std::array<float, kMaxChannels> zeros{};
    tally.restart(0, 0, zeros.data());

    FileHandle file(std::fopen(path.c_str(), "rb"));
    out.opened = file != nullptr;
    // The size the file had when opened, to share the work of a block well.
    struct stat status {};
    const std::uint64_t size = file && fstat(fileno(file.get()), &status) == 0 ? std::uint64_t(status.st_size) : 0;
    // The widest line parsed on the other core.
    int widest = 0;
    if (file) {
        const auto onLine = [&](std::string_view text, std::uint64_t offset) {
            if (!parser.ParsePaddedLine(text)) return true;
            tally.add(parser.values(), parser.usedValueCount(), offset, [&] { return parser.pointLabel(); });
            return true;
        };

        std::unique_ptr<HalfBlockReader> half;
        const auto onRegion = [&](const char* begin, const char* end, std::uint64_t offset, auto&& readNext) {
            // The header part is read in order: it names the channels.
            const char* p = begin;
            while (p < end && !parser.dataStarted()) {
                const char* newline = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
                deliverLine(p, std::size_t(newline - p), offset + std::uint64_t(p - begin), out.longLines, onLine);
                p = newline + 1;
            }
            if (std::size_t(end - p) < kParallelMinimum)
                return forEachLine(p, end, offset + std::uint64_t(p - begin), out.longLines, onLine);
            // The other core also counts the lines of the first half; this one also reads the
            // next block, if there is one: it takes a little more or a little less than half.
            const bool readsNext = offset + std::uint64_t(end - begin) + kCarryLimit < size;
            const char* middle = p + (end - p) * (readsNext ? 31 : 33) / 64;
            const char* split = static_cast<const char*>(std::memchr(middle, '\n', std::size_t(end - middle))) + 1;
            if (!half) half = std::make_unique<HalfBlockReader>(firstLine, pointLimit);
            const std::size_t lineBefore = tally.line();
            const int shift = tally.overview().shift();
            std::thread other(
                [&] { half->read(p, split, end, offset + std::uint64_t(split - begin), lineBefore, shift); });
            forEachLine(p, split, offset + std::uint64_t(p - begin), out.longLines, onLine);
            readNext();
            tally.points().flush();  // while the other core may still be busy
            other.join();
            // A line of the first half that was no data line (blank, or a header line
            // repeated) leaves the other core's numbering wrong: its half is read again.
            if (tally.line() != half->firstLine())
                return forEachLine(split, end, offset + std::uint64_t(split - begin), out.longLines, onLine);

            std::array<float, kMaxChannels> values;
            std::copy(parser.values(), parser.values() + kMaxChannels, values.begin());
            half->mergeInto(out, tally, values, widest);
            tally.skipTo(half->lineAfter(), values.data());
            parser.resumeData(values.data());
            return true;
        };
        readLines(file.get(), 0, out.longLines, onRegion, onLine, true);
    }
    tally.points().flush();
    out.dataLines = tally.line();
    for (std::size_t w = 0; w < tally.widths().size(); ++w)
        for (std::size_t c = 0; c < w; ++c) out.columns[c].totalPoints += tally.widths()[w];
    // The overview holds the smallest and largest finite value of every data line.
    out.maxValue = Linia1MG::kInitialMaxValue;
    out.minValue = Linia1MG::kInitialMinValue;
    for (const Overview::Run& run : out.overview.runs) {
        out.maxValue = std::max(out.maxValue, *std::max_element(run.high.begin(), run.high.end()));
        out.minValue = std::min(out.minValue, *std::min_element(run.low.begin(), run.low.end()));
    }
    out.maxValueCount = std::max(parser.maxValueCount(), widest);
    for (int c = 0; c < kMaxChannels; ++c) out.names[std::size_t(c)].assign(parser.channelName(c));
    parser.keepStatistics(true);
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
    readLines(file.get(), start.offset, cut, [&](std::string_view text, std::uint64_t) {
        if (!parser.ParsePaddedLine(text)) return true;
        if (points.wants(line)) points.collect(parser.pointLabel(), parser.values(), parser.usedValueCount());
        return !points.done(++line);
    });
    points.flush();
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
