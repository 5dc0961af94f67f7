#include "measurement_loader.h"

#include "half_block_reader.h"
#include "line_reader.h"
#include "page_points.h"
#include "win1250.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <thread>

namespace wizor {

namespace {

// One load of the whole file: every line through the parser into the tally, large runs of
// lines shared with a second core.
class WholeFileLoad {
public:
    WholeFileLoad(ByteSource& source, Linia1MG& parser, MeasurementData& out, std::size_t pointFirst,
                  std::size_t pointCount, const ReadOptions& options)
        : source_(source), parser_(parser), out_(out), tally_(out, pointFirst, pointCount), pointFirst_(pointFirst),
          pointCount_(pointCount), options_(options)
    {
        const std::array<float, kMaxColumns> zeros{};
        tally_.restart(0, 0, zeros.data());
    }

    void run()
    {
        auto onLine = [this](std::string_view text, std::uint64_t offset) { return line(text, offset); };
        readLines(
            source_, 0, options_.blockSize, out_.longLines,
            [&](const char* begin, const char* end, std::uint64_t offset, auto&& readNext) {
                return region(begin, end, offset, readNext);
            },
            onLine, true);
        tally_.points().flush();
    }

    LineTally& tally() noexcept { return tally_; }
    // The widest line parsed on the other core.
    int widest() const noexcept { return widest_; }

private:
    bool line(std::string_view text, std::uint64_t offset)
    {
        if (!parser_.ParsePaddedLine(text)) return true;
        tally_.add(parser_.values(), parser_.usedValueCount(), offset, [this] { return parser_.pointLabel(); });
        return true;
    }

    template <typename ReadNext>
    bool region(const char* begin, const char* end, std::uint64_t offset, ReadNext& readNext)
    {
        auto onLine = [this](std::string_view text, std::uint64_t at) { return line(text, at); };
        // The header part is read in order: it names the channels.
        const char* p = begin;
        while (p < end && !parser_.dataStarted()) {
            const char* newline = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
            deliverLine(p, std::size_t(newline - p), offset + std::uint64_t(p - begin), out_.longLines, onLine);
            p = newline + 1;
        }
        if (std::size_t(end - p) < options_.parallelMinimum)
            return forEachLine(p, end, offset + std::uint64_t(p - begin), out_.longLines, onLine);
        // The other core also counts the lines of the first half; this one also reads the
        // next block, if there is one: it takes a little more or a little less than half.
        const bool readsNext = offset + std::uint64_t(end - begin) + kCarryLimit < source_.size();
        const char* middle = p + (end - p) * (readsNext ? 31 : 33) / 64;
        const char* split = static_cast<const char*>(std::memchr(middle, '\n', std::size_t(end - middle))) + 1;
        if (!half_) half_ = std::make_unique<HalfBlockReader>(pointFirst_, pointCount_);
        const std::size_t lineBefore = tally_.line();
        const int shift = tally_.overview().shift();
        std::thread other(
            [&] { half_->read(p, split, end, offset + std::uint64_t(split - begin), lineBefore, shift); });
        forEachLine(p, split, offset + std::uint64_t(p - begin), out_.longLines, onLine);
        readNext();
        tally_.points().flush();  // while the other core may still be busy
        other.join();
        // A line of the first half that was no data line (blank, or a header line
        // repeated) leaves the other core's numbering wrong: its half is read again.
        if (tally_.line() != half_->firstLine())
            return forEachLine(split, end, offset + std::uint64_t(split - begin), out_.longLines, onLine);

        std::array<float, kMaxColumns> values;
        std::copy(parser_.values(), parser_.values() + kMaxColumns, values.begin());
        half_->mergeInto(out_, tally_, values, widest_);
        tally_.skipTo(half_->lineAfter(), values.data());
        parser_.resumeData(values.data());
        return true;
    }

    ByteSource& source_;
    Linia1MG& parser_;
    MeasurementData& out_;
    LineTally tally_;
    std::size_t pointFirst_;
    std::size_t pointCount_;
    ReadOptions options_;
    std::unique_ptr<HalfBlockReader> half_;
    int widest_ = 0;
};

// What a finished load leaves beside the tally: counts, statistics and names.
void finish(WholeFileLoad& load, const Linia1MG& parser, MeasurementData& out)
{
    LineTally& tally = load.tally();
    out.dataLines = tally.line();
    for (std::size_t w = 0; w < tally.widths().size(); ++w)
        for (std::size_t c = 0; c < w; ++c) out.columns[c].totalPoints += tally.widths()[w];
    // The overview holds the smallest and largest finite value of every data line.
    out.maxValue = MeasurementData::kInitialMaxValue;
    out.minValue = MeasurementData::kInitialMinValue;
    for (const Overview::Run& run : out.overview.runs) {
        out.maxValue = std::max(out.maxValue, *std::max_element(run.high.begin(), run.high.end()));
        out.minValue = std::min(out.minValue, *std::min_element(run.low.begin(), run.low.end()));
    }
    out.maxValueCount = std::max(parser.maxValueCount(), load.widest());
    for (int c = 0; c < kMaxColumns; ++c) out.names[std::size_t(c)].assign(parser.channelName(c));
    out.timeLabel.assign(parser.timeLabel());
}

// A source that gives nothing: what a file that cannot be opened reads as.
class EmptySource : public ByteSource {
public:
    std::size_t readAt(char*, std::size_t, std::uint64_t) override { return 0; }
    std::uint64_t size() const noexcept override { return 0; }
};

}  // namespace

void loadMeasurement(ByteSource& source, Linia1MG& parser, MeasurementData& out, std::size_t pointLimit,
                     std::size_t firstLine, const ReadOptions& options)
{
    parser.Reset();
    out.opened = true;
    out.dataLines = 0;
    out.longLines = 0;
    for (ColumnPoints& column : out.columns) column.totalPoints = 0;
    WholeFileLoad load(source, parser, out, firstLine, pointLimit, options);
    load.run();
    finish(load, parser, out);
}

void loadMeasurementFile(const std::string& path, Linia1MG& parser, MeasurementData& out, std::size_t pointLimit,
                         std::size_t firstLine)
{
    FileSource file(path);
    EmptySource nothing;
    loadMeasurement(file.opened() ? static_cast<ByteSource&>(file) : nothing, parser, out, pointLimit, firstLine);
    out.opened = file.opened();
}

MeasurementData loadMeasurementFile(const std::string& path, std::size_t pointLimit)
{
    Linia1MG parser;
    MeasurementData out;
    loadMeasurementFile(path, parser, out, pointLimit);
    return out;
}

void loadDataLines(ByteSource& source, MeasurementData& data, std::size_t firstLine, std::size_t count,
                   const ReadOptions& options)
{
    PointCollector points(data, firstLine, count);
    if (data.pages.empty() || count == 0) return;
    const std::size_t page = std::min(firstLine / kPageLines, data.pages.size() - 1);
    const PageStart& start = data.pages[page];

    Linia1MG parser;
    parser.resumeData(start.values.data());
    std::size_t line = page * kPageLines;
    std::size_t cut = 0;
    readLines(source, start.offset, options.blockSize, cut, [&](std::string_view text, std::uint64_t) {
        if (!parser.ParsePaddedLine(text)) return true;
        if (points.wants(line)) points.collect(parser.pointLabel(), parser.values(), parser.usedValueCount());
        return !points.done(++line);
    });
    points.flush();
}

bool loadDataLines(const std::string& path, MeasurementData& data, std::size_t firstLine, std::size_t count)
{
    FileSource file(path);
    if (!file.opened()) {
        PointCollector cleared(data, firstLine, count);
        return data.pages.empty() || count == 0;
    }
    loadDataLines(file, data, firstLine, count);
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
