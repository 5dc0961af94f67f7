// The presenter's file loader: reading the bytes from memory in small blocks (their size
// and the second core's share taken from the input, so that block edges and the second
// core's half fall inside it), it finds the same data lines, labels, names and statistics
// as the line parser fed one line at a time, and a window of its points is the same part
// of the whole.

#include "fuzz_check.h"
#include "presenter/reader/parse_line.h"

#include "line_parser.h"
#include "measurement_loader.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

using namespace wizor;

namespace {

bool sameFloat(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

struct LineByLine {
    std::size_t dataLines = 0;
    std::size_t longLines = 0;
    std::vector<std::string> labels;
    Linia1MG parser;
    DirectStatistics statistics;
};

void parseEveryLine(std::string_view text, LineByLine& out)
{
    out.parser.Reset();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() > std::size_t(kMaxLineLength)) {
            ++out.longLines;
            line = line.substr(0, kMaxLineLength);
        }
        Linia1MG& p = out.parser;
        const bool data = parseLine(p, line);
        FUZZ_CHECK(p.dateText().size() <= std::size_t(kMaxStampLength));
        FUZZ_CHECK(p.timeText().size() <= std::size_t(kMaxStampLength));
        for (int c = 0; c < kMaxColumns; ++c) FUZZ_CHECK(p.channelName(c).size() <= std::size_t(kMaxNameLength));
        if (data) {
            ++out.dataLines;
            FUZZ_CHECK(p.dataStarted());
            FUZZ_CHECK(p.valueCount() >= 0 && p.valueCount() <= kMaxColumns + 1);
            FUZZ_CHECK(p.maxValueCount() >= p.usedValueCount());
            FUZZ_CHECK(p.pointLabel().size() <= std::size_t(2 * kMaxStampLength + 1));
            out.labels.emplace_back(p.pointLabel());
            out.statistics.add(p);
        }
        start = end + 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // Blocks of 16 bytes to 4 kB; for one input in 32 a second core for runs of 64 bytes and
    // more. Each block the second core shares starts a thread, which under the sanitizers
    // costs many times the rest of an input, so those inputs are few and read blocks of 1 to
    // 4 kB: a few threads at most.
    const std::uint8_t seed = size > 0 ? data[size - 1] : 0;
    const bool secondCore = (seed & 0xF8) == 0xF8;
    ReadOptions options;
    options.blockSize = secondCore ? std::size_t(1024) << (seed % 3) : std::size_t(16) << (seed % 9);
    options.parallelMinimum = secondCore ? 64 : kNoPointLimit;
    MemorySource source(text);

    static LineByLine expected;
    expected = {};
    parseEveryLine(text, expected);

    static Linia1MG parser;
    static MeasurementData whole;
    loadMeasurement(source, parser, whole, kNoPointLimit, 0, options);
    FUZZ_CHECK(whole.dataLines == expected.dataLines);
    FUZZ_CHECK(whole.longLines == expected.longLines);
    FUZZ_CHECK(whole.labels.size() == expected.dataLines);
    for (std::size_t i = 0; i < whole.labels.size(); ++i) FUZZ_CHECK(whole.labels[i].view() == expected.labels[i]);
    for (int c = 0; c < kMaxColumns; ++c) FUZZ_CHECK(whole.names[std::size_t(c)] == expected.parser.channelName(c));
    FUZZ_CHECK(sameFloat(whole.maxValue, expected.statistics.maxValue));
    FUZZ_CHECK(sameFloat(whole.minValue, expected.statistics.minValue));
    FUZZ_CHECK(whole.maxValueCount == expected.parser.maxValueCount());
    for (const ColumnPoints& column : whole.columns) {
        FUZZ_CHECK(column.values.size() == column.labelIndex.size());
        FUZZ_CHECK(column.totalPoints <= whole.dataLines);
        for (std::size_t i = 0; i < column.values.size(); ++i) {
            FUZZ_CHECK(column.labelIndex[i] < whole.labels.size());
        }
    }

    // A window of the data lines: the same labels and points as the whole file there.
    if (whole.dataLines > 1) {
        const std::size_t first = size % whole.dataLines;
        const std::size_t count = 1 + (size / 7) % whole.dataLines;
        static MeasurementData part;
        loadMeasurement(source, parser, part, count, first, options);
        const std::size_t shown = std::min(count, whole.dataLines - first);
        FUZZ_CHECK(part.firstLine == first);
        FUZZ_CHECK(part.labels.size() == shown);
        for (std::size_t i = 0; i < shown; ++i) FUZZ_CHECK(part.labels[i].view() == whole.labels[first + i].view());
        for (int c = 0; c < kMaxColumns; ++c) {
            const ColumnPoints& w = whole.columns[std::size_t(c)];
            const ColumnPoints& p = part.columns[std::size_t(c)];
            std::size_t k = 0;
            for (std::size_t i = 0; i < w.values.size(); ++i) {
                if (w.labelIndex[i] < first || w.labelIndex[i] >= first + shown) continue;
                FUZZ_CHECK(k < p.values.size());
                FUZZ_CHECK(p.labelIndex[k] == w.labelIndex[i] - first);
                FUZZ_CHECK(sameFloat(p.values[k], w.values[i]));
                ++k;
            }
            FUZZ_CHECK(k == p.values.size());
        }
        // The same window read from its page's start.
        static MeasurementData paged;
        paged = whole;
        loadDataLines(source, paged, first, count, options);
        FUZZ_CHECK(paged.labels.size() == shown);
        for (std::size_t i = 0; i < shown; ++i) FUZZ_CHECK(paged.labels[i].view() == part.labels[i].view());
    }
    return 0;
}
