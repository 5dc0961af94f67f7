// The text of measurement files: header line and sample lines of every variant.

#include "files/measurement_file.h"

#include <gtest/gtest.h>
#include <QBuffer>

#include <cstring>
#include <string>
#include <vector>

using namespace vorda;

namespace {

Settings settingsWith(int firstColumn, std::vector<std::pair<const char*, int>> channels,
                      const char* chartParameters = "")
{
    Settings s;
    std::memset(&s, 0, sizeof s);
    s.firstColumn = firstColumn;
    int c = 1;
    for (const auto& [name, format] : channels) {
        setFieldText(s.channels[c].name, name);
        s.channels[c].numberFormat = format;
        ++c;
    }
    setFieldText(s.chartParameters, chartParameters);
    return s;
}

SampleItems values(std::vector<float> v)
{
    SampleItems items;
    items.codesPresent = static_cast<int>(v.size());
    for (std::size_t k = 0; k < v.size(); ++k) items.values[k] = v[k];
    return items;
}

// Writes the header line and the given samples (at the given indices); returns the lines
// without their CR LF, after checking that every line ends with one.
std::vector<std::string> render(const Settings& s, const BlockLayout& layout,
                                std::vector<std::pair<std::int64_t, SampleItems>> samples)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    MeasurementFileWriter writer(s, layout, buffer);
    writer.writeHeaderLine();
    for (const auto& [index, items] : samples) writer.writeSampleLine(index, items);
    EXPECT_TRUE(writer.flush());
    const std::string text = buffer.data().toStdString();
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "line without CR LF at the end of the file";
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

BlockLayout layout(char type, int channels, std::int64_t samplingMs, bool trigger = false, std::int64_t start = 0)
{
    BlockLayout l;
    l.recordType = type;
    l.channelCount = channels;
    l.samplingMs = samplingMs;
    l.triggerOn = trigger;
    l.startTimeMs = start;
    return l;
}

TEST(MeasurementFile, WorkedExampleWithClockTimeAndWithSampleNumbers)
{
    const auto twoSamples =
        std::vector<std::pair<std::int64_t, SampleItems>>{{0, values({21.5f, 1.02f})}, {1, values({21.6f, 1.03f})}};
    const auto clock =
        render(settingsWith(3, {{"Temp", 1}, {"Cis", 2}}), layout('3', 2, 500, false, 12 * 3600000), twoSamples);
    EXPECT_EQ(clock,
              (std::vector<std::string>{"Godzina:  Temp Cis ", "12:00:00.000 21.5 1.02", "12:00:00.500 21.6 1.03"}));

    const auto numbered = render(settingsWith(1, {{"Temp", 1}, {"Cis", 2}}), layout('3', 2, 500), twoSamples);
    EXPECT_EQ(numbered, (std::vector<std::string>{"  Nr.: Temp Cis ", "  1 21.5 1.02", "  2 21.6 1.03"}));
}

TEST(MeasurementFile, FirstColumnVariantsAndTheirWrapping)
{
    const Settings none = settingsWith(0, {{"A", 0}});
    EXPECT_EQ(render(none, layout('3', 1, 1000), {{0, values({7.0f})}}), (std::vector<std::string>{"A ", "7"}));

    const Settings elapsed = settingsWith(2, {{"A", 0}});
    EXPECT_EQ(
        render(elapsed, layout('4', 1, 1000), {{3599, values({1.0f})}, {3600, values({2.0f})}, {61, values({3.0f})}}),
        (std::vector<std::string>{"MM:SS.mmm A ", "59:59.000 1", "00:00.000 2", "01:01.000 3"}));
    EXPECT_EQ(render(elapsed, layout('4', 1, 7), {{1, values({1.0f})}})[1], "00:00.007 1");

    const Settings clock = settingsWith(3, {{"A", 0}});
    const std::int64_t lastSecond = (23 * 3600 + 59 * 60 + 59) * 1000LL;
    EXPECT_EQ(render(clock, layout('2', 1, 1000, false, lastSecond), {{0, values({1.0f})}, {1, values({2.0f})}}),
              (std::vector<std::string>{"Godzina:  A ", "23:59:59.000 1", "00:00:00.000 2"}));

    const Settings numbered = settingsWith(1, {{"A", 0}});
    const auto lines =
        render(numbered, layout('3', 1, 10), {{8, values({1.0f})}, {98, values({1.0f})}, {999, values({1.0f})}});
    EXPECT_EQ(lines[1], "  9 1");
    EXPECT_EQ(lines[2], " 99 1");
    EXPECT_EQ(lines[3], "1000 1");

    // A negative sampling period from a damaged header still gives times within the hour.
    EXPECT_EQ(render(elapsed, layout('3', 1, -1000), {{1, values({1.0f})}})[1], "59:59.000 1");
}

TEST(MeasurementFile, EmptyNamesKeepTheirSeparatorsAndChartParametersEndTheHeader)
{
    const Settings s = settingsWith(0, {{"A", 1}, {"", 1}, {"C", 3}}, "Wykres 1");
    EXPECT_EQ(render(s, layout('3', 3, 10), {{0, values({1.0f, 2.0f, 3.0f})}}),
              (std::vector<std::string>{"A  C Wykres 1", "1.0  3.000"}));
    // Channels beyond the block's channel count take no part.
    EXPECT_EQ(render(s, layout('3', 1, 10), {{0, values({1.0f})}})[0], "A Wykres 1");
}

TEST(MeasurementFile, DigitalPairOfTheOldestRecorders)
{
    const Settings s = settingsWith(2, {{"K1", 0}, {"K2", 1}, {"K3", 2}, {"We", 0}}, "ignored");
    SampleItems items = values({1.0f, 2.0f, 3.0f});
    items.digitalPresent = true;
    items.digital1 = 1;
    items.digital2 = 0;
    EXPECT_EQ(render(s, layout('1', 4, 250), {{2, items}}),
              (std::vector<std::string>{"MM:SS.mmm K1 K2 K3 We [1]  [2]", "00:00.500 1 2.0 3.00  1  0"}));

    // A single channel is the digital pair alone.
    SampleItems pairOnly;
    pairOnly.digitalPresent = true;
    pairOnly.digital1 = 0;
    pairOnly.digital2 = 1;
    EXPECT_EQ(render(settingsWith(0, {{"D", 0}}), layout('1', 1, 10), {{0, pairOnly}})[1], "  0  1");
}

TEST(MeasurementFile, TimeStampedSamplesOfTriggeredBlocks)
{
    SampleItems items = values({1.5f, 2.0f, 3.25f});
    items.timeStampPresent = true;
    items.timeStamp = (13 * 3600 + 5 * 60 + 7) * 500 + 61;  // 13:05:07.122 in 2 ms units
    const Settings s = settingsWith(0, {{"A", 1}, {"", 1}, {"C", 2}}, "P");
    EXPECT_EQ(render(s, layout('5', 3, 10, true), {{0, items}}),
              (std::vector<std::string>{"_HH:MM:SS A  C P", "13:05:07.122 1.5    3.25  "}));

    // The stamp takes the place of the chosen first column, as the header says.
    const Settings numbered = settingsWith(1, {{"A", 1}});
    EXPECT_EQ(render(numbered, layout('5', 1, 10, true), {{0, values({1.5f})}})[0], "_HH:MM:SS A ");
    SampleItems one = values({1.5f});
    one.timeStampPresent = true;
    one.timeStamp = 0xFFFFFFFFu;  // wraps at midnight: 8589934590 ms
    EXPECT_EQ(render(numbered, layout('5', 1, 10, true), {{0, one}})[1], "10:05:34.590 1.5  ");

    // The same record type without the trigger bit is a plain block.
    EXPECT_EQ(render(s, layout('5', 3, 10, false), {{0, values({1.5f, 2.0f, 3.25f})}}),
              (std::vector<std::string>{"A  C P", "1.5  3.25"}));
}

TEST(MeasurementFile, UnknownRecordTypeWritesOnlyTheFirstColumn)
{
    const Settings s = settingsWith(1, {{"A", 1}, {"B", 1}}, "P");
    EXPECT_EQ(render(s, layout('9', 2, 10), {{0, values({1.0f, 2.0f})}, {1, values({1.0f, 2.0f})}}),
              (std::vector<std::string>{"  Nr.: A B P", "  1 ", "  2 "}));
}

TEST(MeasurementFile, MissingItemsOfAShortDumpLeaveOnlySeparators)
{
    const Settings s = settingsWith(0, {{"A", 0}, {"B", 0}, {"C", 0}, {"D", 0}});
    SampleItems partial = values({1.0f, 2.0f, 3.0f});
    partial.codesPresent = 1;
    SampleItems empty;
    EXPECT_EQ(render(s, layout('3', 4, 10), {{0, partial}, {1, empty}}),
              (std::vector<std::string>{"A B C D ", "1   ", "   "}));
    // Type '1': no digital pair was read, so none is written.
    EXPECT_EQ(render(s, layout('1', 4, 10), {{0, partial}})[1], "1  ");
}

}  // namespace
