#include "measurement_loader.h"

#include "parse_line.h"

#include <gtest/gtest.h>

#include <iconv.h>
#include <sys/stat.h>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using wizor::Linia1MG;
using wizor::loadMeasurementFile;
using wizor::MeasurementData;

class LoaderTest : public ::testing::Test {
protected:
    std::string write(const std::string& content, const char* name = "data.txt")
    {
        const std::string path = dir_.filePath(name).toStdString();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    static std::vector<std::string> labelsOf(const MeasurementData& d, int column)
    {
        std::vector<std::string> labels;
        for (std::uint32_t index : d.columns[column].labelIndex) labels.emplace_back(d.labels[index].view());
        return labels;
    }

    static int activeColumns(const MeasurementData& d)
    {
        int n = 0;
        for (const auto& column : d.columns) n += column.active();
        return n;
    }

    static std::string dataFile(int columns, int lines)
    {
        std::string text = "Godzina: ";
        for (int c = 1; c <= columns; ++c) text += "ch" + std::to_string(c) + " ";
        text += "\r\n";
        for (int i = 0; i < lines; ++i) {
            text += "12:00:0" + std::to_string(i) + ".000";
            for (int c = 1; c <= columns; ++c) text += " " + std::to_string(c * 10 + i);
            text += "\r\n";
        }
        return text;
    }

    QTemporaryDir dir_;
};

TEST_F(LoaderTest, MeasurementFileOfTheRecorder)
{
    const MeasurementData d =
        loadMeasurementFile(write("Godzina:  Temp Cis \r\n12:00:00.000 21.5 1.02\r\n12:00:00.500 21.6 1.03\r\n"));
    EXPECT_TRUE(d.opened);
    EXPECT_EQ(d.dataLines, 2u);
    EXPECT_EQ(activeColumns(d), 2);
    EXPECT_EQ(d.columns[0].values, (std::vector<float>{21.5f, 21.6f}));
    EXPECT_EQ(d.columns[1].values, (std::vector<float>{1.02f, 1.03f}));
    EXPECT_EQ(labelsOf(d, 1), (std::vector<std::string>{" 12:00:00.000", " 12:00:00.500"}));
    EXPECT_EQ(d.channelName(0), "Temp");
    EXPECT_EQ(d.channelName(1), "Cis");
    EXPECT_EQ(d.channelName(2), "");
    EXPECT_EQ(d.maxValue, 21.6f);
    EXPECT_EQ(d.minValue, 1.02f);
    EXPECT_FALSE(d.twoCharts());
}

TEST_F(LoaderTest, ElapsedTimeHeaderNamesTheCurvesAndAddsNoPoint)
{
    const MeasurementData d =
        loadMeasurementFile(write("MM:SS.mmm Temp Cis \r\n00:00.000 21.5 1.02\r\n00:00.500 21.6 1.03\r\n"));
    EXPECT_EQ(d.columns[0].values, (std::vector<float>{21.5f, 21.6f}));
    EXPECT_EQ(d.columns[1].values.size(), 2u);
    EXPECT_EQ(labelsOf(d, 0).front(), " 00:00.000");
    EXPECT_EQ(d.channelName(0), "Temp");
    EXPECT_EQ(d.channelName(1), "Cis");
    EXPECT_EQ(d.minValue, 1.02f);
}

// A monitoring log names its curves k1, k2, ... unless a first line of one label for the
// time column and the channels' names heads it.
TEST_F(LoaderTest, MonitoringLogWithAndWithoutHeader)
{
    const std::string lines = "24-05-17 12:00:00\t 21.5\t    0\t\r\n24-05-17 12:00:03\t 21.6\t    1\t\r\n";
    const MeasurementData d = loadMeasurementFile(write(lines));
    EXPECT_EQ(d.dataLines, 2u);
    EXPECT_EQ(d.channelName(0), "k1");
    EXPECT_EQ(d.channelName(1), "k2");
    EXPECT_EQ(labelsOf(d, 0), (std::vector<std::string>{"24-05-17 12:00:00", "24-05-17 12:00:03"}));
    EXPECT_EQ(d.columns[1].values, (std::vector<float>{0.0f, 1.0f}));

    const MeasurementData named = loadMeasurementFile(write("Czas\tTemp\tCi\x9Cnienie\t\r\n" + lines));
    EXPECT_EQ(named.dataLines, 2u);
    EXPECT_EQ(named.channelName(0), "Temp");
    EXPECT_EQ(named.channelName(1), QString::fromUtf8("Ciśnienie"));
    EXPECT_EQ(named.columns[0].values, d.columns[0].values);
}

TEST_F(LoaderTest, ColumnCountsAndChartLayout)
{
    // The lower chart only for columns it would show: more than 16.
    for (int columns : {8, 15, 16, 17, 20}) {
        const MeasurementData d = loadMeasurementFile(write(dataFile(columns, 3)));
        EXPECT_EQ(activeColumns(d), columns);
        EXPECT_EQ(d.twoCharts(), columns > 16) << columns;
        EXPECT_EQ(d.columns[columns - 1].values.size(), 3u);
        EXPECT_EQ(d.channelName(columns - 1), QString("ch%1").arg(columns));
    }

    // A shorter line adds points only to its own columns.
    const MeasurementData d = loadMeasurementFile(write("12:00 1 2 3\n12:01 4\n12:02 5 6 7\n"));
    EXPECT_EQ(d.columns[0].values, (std::vector<float>{1, 4, 5}));
    EXPECT_EQ(d.columns[2].values, (std::vector<float>{3, 7}));
    EXPECT_EQ(labelsOf(d, 2), (std::vector<std::string>{" 12:00", " 12:02"}));
}

TEST_F(LoaderTest, EmptyMissingAndUnterminatedFiles)
{
    for (const std::string& content :
         {std::string(), std::string("\r\n\r\n"), std::string("Nr.: a b\r\n  1 2 3\r\n")}) {
        const MeasurementData d = loadMeasurementFile(write(content));
        EXPECT_TRUE(d.opened);
        EXPECT_EQ(d.dataLines, 0u);
        EXPECT_FALSE(d.hasValues());
        EXPECT_EQ(activeColumns(d), 0);
    }
    const MeasurementData missing = loadMeasurementFile(dir_.filePath("none.dan").toStdString());
    EXPECT_FALSE(missing.opened);
    EXPECT_FALSE(missing.hasValues());
    EXPECT_EQ(missing.channelName(3), "k4");

    const MeasurementData last = loadMeasurementFile(write("12:00 1\n12:01 2"));
    EXPECT_EQ(last.columns[0].values, (std::vector<float>{1, 2}));
}

// A device or a FIFO is refused as a missing file is, at once: nothing read, no wait for a
// FIFO's writer.
TEST_F(LoaderTest, WhatIsNotARegularFileReadsAsMissing)
{
    const std::string fifo = dir_.filePath("fifo").toStdString();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path :
         {std::string("/dev/zero"), std::string("/dev/urandom"), fifo, dir_.path().toStdString()}) {
        const MeasurementData d = loadMeasurementFile(path);
        EXPECT_FALSE(d.opened) << path;
        EXPECT_EQ(d.dataLines, 0u) << path;
        EXPECT_EQ(d.channelName(0), "k1") << path;
    }
}

// A line longer than 499 characters is parsed from its first 499 and reading goes on.
TEST_F(LoaderTest, LongLineDoesNotEndTheFile)
{
    std::string longLine = "12:00 1 2";
    while (longLine.size() < 600) longLine += " 3";
    const MeasurementData d = loadMeasurementFile(write("Czas a b\r\n" + longLine + "\r\n12:01 4 5\r\n12:02 6 7\r\n"));
    EXPECT_EQ(d.longLines, 1u);
    EXPECT_EQ(d.dataLines, 3u);
    EXPECT_EQ(d.columns[0].values, (std::vector<float>{1, 4, 6}));
    // The cut line still holds more than 33 numbers: 33 are counted, 32 used.
    EXPECT_EQ(d.maxValueCount, 33);
    EXPECT_EQ(d.columns[31].values, (std::vector<float>{3}));
}

TEST_F(LoaderTest, PointLimitKeepsStatisticsOfTheWholeFile)
{
    Linia1MG parser;
    MeasurementData d;
    loadMeasurementFile(write("12:00 1 2\n12:01 3 4\n12:02 50 -6\n"), parser, d, 2);
    EXPECT_EQ(d.columns[0].values, (std::vector<float>{1, 3}));
    EXPECT_EQ(d.columns[0].totalPoints, 3u);
    EXPECT_EQ(d.labels.size(), 2u);
    EXPECT_EQ(d.maxValue, 50.0f);
    EXPECT_EQ(d.minValue, -6.0f);

    // A reload into the same storage starts from a clean state.
    loadMeasurementFile(write("Czas x\n12:00 7\n", "other.txt"), parser, d);
    EXPECT_EQ(d.columns[0].values, (std::vector<float>{7}));
    EXPECT_FALSE(d.columns[1].active());
    EXPECT_EQ(d.labels.size(), 1u);
    EXPECT_EQ(d.channelName(0), "x");
    EXPECT_EQ(d.maxValue, 7.0f);
}

// Only the finite values of the counted columns enter the statistics; while no value came,
// the sentinels stay (maximum below minimum).
TEST_F(LoaderTest, StatisticsOverTheFiniteCountedValues)
{
    std::string thirtyThree = "00:01.000";
    for (int i = 1; i <= 40; ++i) thirtyThree += " " + std::to_string(i);
    const struct {
        std::string text;
        float maxValue;
        float minValue;
    } cases[] = {
        {"", -1.0e8f, 1.0e8f},
        {"Czas k1\n12:00\n", 0.0f, 0.0f},  // a time without a value counts one unread value, 0
        {"12:00 5 5\n12:01 5 5\n", 5.0f, 5.0f},
        {"12:00 1 2 x 99\n", 2.0f, 1.0f},
        {"12:00 3e8 1e8 2e8\n", 3.0e8f, 1.0e8f},
        {"12:00 -5e9 nan\n", -1.0e8f, -5.0e9f},
        {"12:00 1e39 -1e39 -inf 4 -2\n", 4.0f, -2.0f},  // infinities are plotted, not fitted
        {thirtyThree, 32.0f, 1.0f},                     // only 32 columns are used
    };
    for (const auto& c : cases) {
        wizor::MemorySource source(c.text);
        Linia1MG parser;
        MeasurementData d;
        wizor::loadMeasurement(source, parser, d);
        EXPECT_EQ(d.maxValue, c.maxValue) << c.text;
        EXPECT_EQ(d.minValue, c.minValue) << c.text;
        EXPECT_EQ(d.hasValues(), c.maxValue >= c.minValue) << c.text;
    }
}

// Lines that cross the reading chunks, long lines among them, must read exactly as the
// same lines fed one by one to the parser.
TEST_F(LoaderTest, ChunkBoundariesChangeNothing)
{
    std::mt19937 random(99);
    std::string content = "Czas a b c\r\n";
    while (content.size() < 600000) {
        std::string line = "12:" + std::to_string(10 + random() % 50);
        const int values = int(random() % 40);
        for (int v = 0; v < values; ++v)
            line += " " + std::to_string(int(random() % 2000) - 1000) + "." + std::to_string(random() % 100);
        if (random() % 50 == 0) line += std::string(400 + random() % 500, random() % 2 ? ' ' : '7');
        content += line + (random() % 3 ? "\r\n" : "\n");
    }
    content += "12:00 1 2";

    std::vector<std::string> lines;
    for (std::size_t start = 0; start < content.size();) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line.substr(0, wizor::kMaxLineLength));
        start = end + 1;
    }
    Linia1MG reference;
    DirectStatistics statistics;
    std::vector<std::vector<float>> expected(wizor::kMaxColumns);
    std::vector<std::string> expectedLabels;
    for (const std::string& line : lines) {
        if (!parseLine(reference, line)) continue;
        statistics.add(reference);
        expectedLabels.emplace_back(reference.pointLabel());
        for (int c = 0; c < reference.usedValueCount(); ++c) expected[c].push_back(reference.value(c));
    }

    const MeasurementData d = loadMeasurementFile(write(content));
    for (int c = 0; c < wizor::kMaxColumns; ++c) ASSERT_EQ(d.columns[c].values, expected[c]) << "column " << c;
    ASSERT_EQ(d.labels.size(), expectedLabels.size());
    EXPECT_EQ(labelsOf(d, 0), expectedLabels);
    EXPECT_EQ(d.maxValue, statistics.maxValue);
    EXPECT_EQ(d.minValue, statistics.minValue);
    EXPECT_EQ(d.maxValueCount, reference.maxValueCount());
    EXPECT_GT(d.longLines, 0u);
}

// A file of several reading blocks, the blocks ending inside a cut line, between the
// carriage return and the line feed, just after a line feed and inside a line longer than
// a whole block: counts, statistics, page starts and the last page as the same lines fed
// one by one to the parser give them. (Blocks of 256 kB, so that the file stays small.)
TEST_F(LoaderTest, ReadingBlocksChangeNothing)
{
    constexpr std::size_t block = std::size_t(256) << 10;
    const wizor::ReadOptions options{block, std::size_t(16) << 10};
    std::mt19937 random(5);
    std::string content = "Czas a b c d\r\n";
    int n = 0;
    const auto fillTo = [&](std::size_t size) {
        while (content.size() < size) {
            char line[96];
            std::snprintf(line, sizeof line, "%02d:%02d.%03d %d.%d %d -%d.%02d %d\r\n", n / 60000 % 60, n / 1000 % 60,
                          n % 1000, int(random() % 1000), int(random() % 10), int(random() % 100000),
                          int(random() % 100), int(random() % 100), int(random() % 7));
            ++n;
            content += line;
        }
    };
    fillTo(block - 300);
    content += "12:00.000 1 2 3" + std::string(700, ' ') + "99\r\n";  // cut, across the first block end
    fillTo(2 * block - 40);
    content.resize(2 * block - 40, ' ');
    content += std::string(38, '7') + "\r\n";  // a header line ignored, ending at the block end
    fillTo(3 * block - 30);
    content.resize(3 * block - 1 - 12, ' ');
    content += "\n12:00.001 5\r\n";                                    // the second block end between a CR and its LF
    content += "12:00.002 6 " + std::string(2 * block, '8') + " 9\n";  // a whole block without a line end
    fillTo(6 * block + 100);
    content += "12:00.003 -1 -2";

    std::vector<std::uint64_t> pageOffsets;
    std::vector<std::vector<float>> pageValues;
    Linia1MG reference;
    DirectStatistics statistics;
    std::size_t dataLines = 0;
    std::size_t longLines = 0;
    for (std::size_t start = 0; start < content.size();) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string_view line(content.data() + start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        longLines += line.size() > std::size_t(wizor::kMaxLineLength);
        const std::vector<float> before(reference.values(), reference.values() + wizor::kMaxColumns);
        if (parseLine(reference, line.substr(0, wizor::kMaxLineLength))) {
            if (dataLines % wizor::kPageLines == 0) {
                pageOffsets.push_back(start);
                pageValues.push_back(before);
            }
            ++dataLines;
            statistics.add(reference);
        }
        start = end + 1;
    }

    ASSERT_GT(dataLines, wizor::kPageLines);
    wizor::MemorySource source(content);
    MeasurementData d;
    Linia1MG parser;
    wizor::loadMeasurement(source, parser, d, wizor::kPageLines, 0, options);
    EXPECT_EQ(d.dataLines, dataLines);
    EXPECT_EQ(d.longLines, longLines);
    EXPECT_EQ(d.maxValue, statistics.maxValue);
    EXPECT_EQ(d.minValue, statistics.minValue);
    ASSERT_EQ(d.pages.size(), pageOffsets.size());
    for (std::size_t k = 0; k < d.pages.size(); ++k) {
        ASSERT_EQ(d.pages[k].offset, pageOffsets[k]) << "page " << k;
        ASSERT_EQ(std::vector<float>(d.pages[k].values.begin(), d.pages[k].values.end()), pageValues[k])
            << "page " << k;
    }
    // The last page ends with the last line.
    wizor::loadDataLines(source, d, (d.pages.size() - 1) * wizor::kPageLines, wizor::kPageLines, options);
    EXPECT_EQ(d.labels.back().view(), " 12:00.003");
    EXPECT_EQ(d.columns[1].values.back(), -2.0f);
}

TEST(Windows1250, MatchesTheSystemConverter)
{
    iconv_t converter = iconv_open("UTF-16LE", "CP1250");
    if (converter == iconv_t(-1)) GTEST_SKIP() << "no CP1250 converter on this system";
    for (int byte = 0x20; byte < 0x100; ++byte) {
        char in = char(byte);
        char16_t out[2] = {};
        char* inPtr = &in;
        char* outPtr = reinterpret_cast<char*>(out);
        std::size_t inLeft = 1;
        std::size_t outLeft = sizeof out;
        if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == std::size_t(-1)) continue;  // unassigned byte
        EXPECT_EQ(wizor::fromWindows1250(std::string_view(&in, 1)), QString(QChar(out[0]))) << "byte " << byte;
    }
    iconv_close(converter);
    EXPECT_EQ(wizor::fromWindows1250("\xA3\xF3\xBF\xEA\xB9"), QString::fromUtf8("Łóżęą"));
}

}  // namespace
