// Pages, the whole-file overview and whole files read against a plain reference reader
// built on sscanf.
#include "measurement_loader.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using wizor::kMaxColumns;
using wizor::kPageLines;
using wizor::MeasurementData;

// One data line as a full read gives it.
struct Line {
    std::string label;
    std::vector<float> values;
};

// Every data line of a full read, from the points of a read without a point limit (its
// label index is the data line number).
std::vector<Line> linesOf(const MeasurementData& d)
{
    std::vector<Line> lines(d.labels.size());
    for (std::size_t i = 0; i < lines.size(); ++i) lines[i].label = std::string(d.labels[i].view());
    for (int c = 0; c < kMaxColumns; ++c) {
        const auto& column = d.columns[std::size_t(c)];
        for (std::size_t j = 0; j < column.values.size(); ++j)
            lines[column.labelIndex[j]].values.push_back(column.values[j]);
    }
    return lines;
}

bool sameFloat(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

void expectSameLines(const std::vector<Line>& got, const std::vector<Line>& expected, const std::string& what)
{
    ASSERT_EQ(got.size(), expected.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i) {
        ASSERT_EQ(got[i].label, expected[i].label) << what << " line " << i;
        ASSERT_EQ(got[i].values.size(), expected[i].values.size()) << what << " line " << i;
        for (std::size_t c = 0; c < got[i].values.size(); ++c)
            ASSERT_TRUE(sameFloat(got[i].values[c], expected[i].values[c]))
                << what << " line " << i << " column " << c << ": " << got[i].values[c] << " vs "
                << expected[i].values[c];
    }
}

// A token from the odd forms the parser rules speak of, or a plain number.
std::string randomToken(std::mt19937& random)
{
    static const char* const odd[] = {"+5",    ".5",         "1,5",   "nan", "-inf", "inf", "1e5",   "0.5e2",
                                      "-",     "1e",         "0x1p3", "0x",  "abc",  "-.",  "1.2.3", "3.4028236e38",
                                      "1e-46", "00012.5000", "-0"};
    if (random() % 40 == 0) return odd[random() % std::size(odd)];
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", int(random() % 5), (int(random() % 2000001) - 1000000) / 97.0);
    return text;
}

// A file of data lines of both layouts with header and name lines, time-only lines whose
// first value does not convert, blank lines (unless `onlyDataLines`), lines cut at 499
// characters, CR-LF and LF endings and a last line without a line feed.
std::string generatedFile(std::mt19937& random, int dataLines, bool onlyDataLines = false)
{
    std::string text = "Plik pomiarowy\r\nMM:SS.mmm Temp Cis Sila\r\n";
    for (int i = 0; i < dataLines; ++i) {
        std::string line;
        const int kind = int(random() % 100);
        if (kind < 2 && !onlyDataLines) {
            text += random() % 2 ? "Godzina: x y\r\n" : "\r\n";  // ignored after the data began
            continue;
        }
        char stamp[32];
        if (kind < 50)
            std::snprintf(stamp, sizeof stamp, "%02d:%02d.%03d", i / 60000 % 60, i / 1000 % 60, i % 1000);
        else
            std::snprintf(stamp, sizeof stamp, "05-03-17 %02d:%02d:%02d", i / 3600 % 24, i / 60 % 60, i % 60);
        line = stamp;
        const int values = kind < 97 ? int(random() % 6) : 40;
        for (int v = 0; v < values; ++v) line += (random() % 8 ? " " : "\t") + randomToken(random);
        if (kind == 99) line += std::string(500, ' ') + "77";  // cut: the 77 never counts
        text += line + (random() % 3 ? "\r\n" : "\n");
    }
    text += "00:00.001 1 2";
    return text;
}

class PagesTest : public ::testing::Test {
protected:
    std::string write(const std::string& content)
    {
        const std::string path = dir_.filePath("data.txt").toStdString();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    QTemporaryDir dir_;
};

// With and without lines that are no data lines among the data: the two cores share the
// reading of a block differently then.
class PagesTestBothWays : public PagesTest, public ::testing::WithParamInterface<bool> {};
INSTANTIATE_TEST_SUITE_P(IgnoredLines, PagesTestBothWays, ::testing::Values(false, true));

TEST_P(PagesTestBothWays, EveryPageShowsWhatAFullReadGivesForItsLines)
{
    std::mt19937 random(15);
    const std::string path = write(generatedFile(random, 2 * int(kPageLines) + 9000, GetParam()));
    const MeasurementData full = wizor::loadMeasurementFile(path);
    const std::vector<Line> all = linesOf(full);
    ASSERT_EQ(all.size(), full.dataLines);
    ASSERT_EQ(full.pageCount(), 3u);
    EXPECT_GT(full.longLines, 0u);
    EXPECT_EQ(full.channelName(0), "Temp");

    // Page reads, a reload that collects a later page, and a window across two pages.
    MeasurementData shown;
    wizor::Linia1MG parser;
    wizor::loadMeasurementFile(path, parser, shown, kPageLines);
    for (std::size_t first : {std::size_t(0), kPageLines, 2 * kPageLines, kPageLines + 12345}) {
        ASSERT_TRUE(wizor::loadDataLines(path, shown, first, kPageLines));
        const std::size_t end = std::min(all.size(), first + kPageLines);
        const std::vector<Line> expected(all.begin() + std::ptrdiff_t(first), all.begin() + std::ptrdiff_t(end));
        expectSameLines(linesOf(shown), expected, "window from " + std::to_string(first));
        EXPECT_EQ(shown.firstLine, first);
    }
    wizor::loadMeasurementFile(path, parser, shown, kPageLines, 2 * kPageLines);
    expectSameLines(linesOf(shown), std::vector<Line>(all.begin() + 2 * kPageLines, all.end()), "reload of page 3");
    EXPECT_EQ(shown.maxValue, full.maxValue);
    EXPECT_EQ(shown.pages.size(), full.pages.size());
}

TEST_P(PagesTestBothWays, OverviewHoldsTheSmallestAndLargestValueOfEveryRun)
{
    std::mt19937 random(4);
    const std::string path = write(generatedFile(random, 70000, GetParam()));
    const MeasurementData d = wizor::loadMeasurementFile(path);
    const std::vector<Line> all = linesOf(d);
    const wizor::Overview& o = d.overview;
    // 70000 lines in at most 4096 runs: runs of 32 lines.
    ASSERT_EQ(o.runLength, 32u);
    ASSERT_EQ(o.runs.size(), (all.size() + 31) / 32);
    for (std::size_t r = 0; r < o.runs.size(); ++r) {
        ASSERT_EQ(std::string(o.labels[r].view()), all[r * 32].label);
        for (int c = 0; c < kMaxColumns; ++c) {
            float low = INFINITY, high = -INFINITY;
            for (std::size_t i = r * 32; i < std::min(all.size(), r * 32 + 32); ++i) {
                if (all[i].values.size() <= std::size_t(c) || !std::isfinite(all[i].values[std::size_t(c)])) continue;
                low = std::min(low, all[i].values[std::size_t(c)]);
                high = std::max(high, all[i].values[std::size_t(c)]);
            }
            ASSERT_EQ(o.empty(r, c), low > high) << "run " << r << " column " << c;
            if (low > high) continue;
            ASSERT_EQ(o.runs[r].low[std::size_t(c)], low) << "run " << r << " column " << c;
            ASSERT_EQ(o.runs[r].high[std::size_t(c)], high) << "run " << r << " column " << c;
        }
    }
}

// The reading rules written out plainly with sscanf: lines up to the line feed, cut to
// 499 characters, classified by their first two tokens, values read with "%f" until a
// token does not convert whole.
struct ReferenceReader {
    std::vector<Line> lines;
    std::vector<std::string> names = std::vector<std::string>(kMaxColumns);
    float values[kMaxColumns] = {};
    float maxValue = -1.0e8f, minValue = 1.0e8f;
    int maxValueCount = 0;
    bool started = false;

    explicit ReferenceReader(const std::string& text)
    {
        for (int c = 0; c < kMaxColumns; ++c) names[std::size_t(c)] = "k" + std::to_string(c + 1);
        for (std::size_t start = 0; start < text.size();) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            parse(line.substr(0, 499));
            start = end + 1;
        }
    }

    void parse(const std::string& line)
    {
        std::vector<std::string> t;
        for (std::size_t i = 0; i < line.size();) {
            while (i < line.size() && std::strchr(" \t\r\n\v\f", line[i])) ++i;
            const std::size_t from = i;
            while (i < line.size() && !std::strchr(" \t\r\n\v\f", line[i])) ++i;
            if (i > from) t.push_back(line.substr(from, std::min<std::size_t>(i - from, 99)));
        }
        t.resize(std::max<std::size_t>(t.size(), 40));
        const auto at = [](const std::string& s, std::size_t n, char c) { return s.size() >= n && s[n - 1] == c; };
        const bool date = (at(t[0], 3, '-') && at(t[0], 6, '-')) || (at(t[0], 5, '-') && at(t[0], 8, '-'));
        const bool timeOnly = !date && at(t[0], 3, ':') && t[0] != "MM:SS.mmm";
        if (!(date && at(t[1], 3, ':')) && !timeOnly) {
            if (!started)
                for (int c = 0; c < kMaxColumns; ++c) names[std::size_t(c)] = t[std::size_t(c) + 1].substr(0, 39);
            return;
        }
        started = true;
        const std::size_t first = timeOnly ? 1 : 2;
        for (std::size_t c = 0; c < std::size_t(kMaxColumns) && !t[first + c].empty(); ++c) {
            float v = 0;
            int used = 0;
            if (std::sscanf(t[first + c].c_str(), "%f%n", &v, &used) != 1) break;
            values[c] = v;
            if (std::size_t(used) < t[first + c].size()) break;
        }
        int numeric = 0;
        while (numeric < kMaxColumns && !t[std::size_t(numeric) + 2].empty() &&
               (t[std::size_t(numeric) + 2][0] == '-' || std::isdigit(t[std::size_t(numeric) + 2][0])))
            ++numeric;
        const int count = timeOnly ? numeric + 1 : numeric;
        Line out{(timeOnly ? "" : t[0].substr(0, 15)) + " " + (timeOnly ? t[0] : t[1]).substr(0, 15), {}};
        for (int c = 0; c < std::min(count, kMaxColumns); ++c) {
            out.values.push_back(values[c]);
            if (!std::isfinite(values[c])) continue;
            maxValue = std::max(maxValue, values[c]);
            minValue = std::min(minValue, values[c]);
        }
        maxValueCount = std::max(maxValueCount, count);
        lines.push_back(out);
    }
};

TEST_F(PagesTest, WholeGeneratedFilesReadAsSscanfReadsThem)
{
    for (unsigned seed : {1U, 2U, 3U}) {
        std::mt19937 random(seed);
        const std::string text = generatedFile(random, 20000);
        const ReferenceReader reference(text);
        const MeasurementData d = wizor::loadMeasurementFile(write(text));
        expectSameLines(linesOf(d), reference.lines, "seed " + std::to_string(seed));
        for (int c = 0; c < kMaxColumns; ++c)
            EXPECT_EQ(d.channelName(c).toStdString(), reference.names[std::size_t(c)]) << c;
        EXPECT_EQ(d.maxValue, reference.maxValue);
        EXPECT_EQ(d.minValue, reference.minValue);
        EXPECT_EQ(d.maxValueCount, reference.maxValueCount);
    }
}

}  // namespace
