// What the lines of a measurement file hold, for every kind of block.

#include "recorder/files/dump_conversion_fixture.h"

#include <gtest/gtest.h>

namespace vorda::test {

TEST_F(DumpConversion, EveryRecordTypeWithItsScalingAndItems)
{
    struct Case {
        std::string tag;
        bool trigger;
        std::string sample;  // the dump characters of one sample
        std::string line;    // its line in the file
        int charsPerSample;
    };
    const std::string codes = encodeCode(100) + encodeCode(200) + encodeCode(300);
    const std::string stamp = encodeTimeStamp((10 * 3600 + 20 * 60 + 30) * 500 + 4);  // 10:20:30.008
    const Case cases[] = {
        {"R1", false, encodeCode(100) + encodeCode(200) + "1?0?", "92.0 192.0  1  0", 12},
        {"R2", false, codes, "92.0 192.0 292.0", 12},
        {"R3", false, codes, "100.5 200.5 300.5", 12},
        {"R4", false, codes, "100.5 200.5 300.5", 12},
        {"R5", false, codes, "100.5 200.5 300.5", 12},
        {"R5", true, codes + stamp, "10:20:30.008 100.5   200.5   300.5  ", 20},
        {"R3", true, codes, "100.5 200.5 300.5", 12},  // the trigger bit matters only for type 5
        {"R9", false, "", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag + (c.trigger ? " with trigger" : ""));
        ASSERT_EQ(static_cast<int>(c.sample.size()), c.charsPerSample);
        settings.status.triggerOn = c.trigger ? 1 : 0;
        reporter.transfers.clear();
        writeDump(header(c.tag, 2, 10, 3) + c.sample + c.sample);
        const ConversionResult r = convert();
        ASSERT_TRUE(r.ok()) << r.message.toStdString();
        EXPECT_TRUE(r.clean());
        EXPECT_EQ(r.sampleCount, 2);
        EXPECT_EQ(r.filePath, QDir(dataDir).absoluteFilePath(QStringLiteral("2024_05_01_12_00_00.txt")));
        const auto lines = readLines(r.filePath);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[1], c.line);
        EXPECT_EQ(lines[2], c.line);
        ASSERT_EQ(reporter.transfers.size(), 1u);
        EXPECT_EQ(reporter.transfers[0],
                  QStringLiteral("o długości 2 pomiarów zapisany \r\ndo pliku 2024_05_01_12_00_00.txt"));
    }
    EXPECT_TRUE(reporter.status.empty());
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(DumpConversion, FirstColumnModesFollowTheHeader)
{
    writeDump(header("R3", 2, 1000, 1, "23:59:59") + encodeCode(1) + encodeCode(2));
    const char* expected[][2] = {{"1.5", "2.5"},
                                 {"  1 1.5", "  2 2.5"},
                                 {"00:00.000 1.5", "00:01.000 2.5"},
                                 {"23:59:59.000 1.5", "00:00:00.000 2.5"}};
    for (int mode = 0; mode <= 3; ++mode) {
        settings.firstColumn = mode;
        const ConversionResult r = convert();
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r.filePath, QDir(dataDir).absoluteFilePath(QStringLiteral("2024_05_01_23_59_59.txt")));
        const auto lines = readLines(r.filePath);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[1], expected[mode][0]) << "mode " << mode;
        EXPECT_EQ(lines[2], expected[mode][1]) << "mode " << mode;
    }
}

TEST_F(DumpConversion, UnnamedChannelsStillConsumeTheirCodes)
{
    settings.channels[2].name[0] = '\0';
    writeDump(header("R3", 1, 10, 3) + encodeCode(100) + encodeCode(200) + encodeCode(300));
    const auto lines = readLines(convert().filePath);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "K1  K3 ");
    EXPECT_EQ(lines[1], "100.5  300.5");
}

TEST_F(DumpConversion, ZeroSamplesGiveOnlyTheHeaderLine)
{
    settings.firstColumn = 2;
    writeDump(header("R3", 0, 10, 2) + encodeCode(1));
    const ConversionResult r = convert();
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(readLines(r.filePath), (std::vector<std::string>{"MM:SS.mmm K1 K2 "}));
}

TEST_F(DumpConversion, HeaderWithALineFeedBeforeItsCarriageReturn)
{
    writeDump("R3 2024-05-01 12:00:00 1 1 10 1 0\n\r" + encodeCode(1));
    const ConversionResult r = convert();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(readLines(r.filePath)[1], "1.5");
}

TEST_F(DumpConversion, LargeBlocksStreamAcrossChunksValueForValue)
{
    // Over 2 MB of samples with every channel's constants and format different, checked
    // against the plain scaling and printf text of each value.
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> slope(-3.0, 3.0);
    for (int c = 1; c <= kMaxChannels; ++c) {
        settings.channels[c].slopeSB = slope(rng);
        settings.channels[c].offsetSC = slope(rng) * 10;
        settings.channels[c].numberFormat = c % 5;
    }
    const int samples = 40000;
    std::string dump = header("R4", samples, 10, kMaxChannels);
    std::vector<std::uint16_t> codes(static_cast<std::size_t>(samples) * kMaxChannels);
    for (auto& code : codes) {
        code = static_cast<std::uint16_t>(rng());
        dump += encodeCode(code);
    }
    writeDump(dump);
    const ConversionResult r = convert();
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.complete());
    const auto lines = readLines(r.filePath);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(samples) + 1);
    for (int i = 0; i < samples; ++i) {
        std::string expected;
        for (int k = 0; k < kMaxChannels; ++k) {
            const ChannelSettings& ch = settings.channels[k + 1];
            if (k > 0) expected += ' ';
            expected +=
                fileText(scaleGeneral(ch, codes[static_cast<std::size_t>(i) * kMaxChannels + k]), ch.numberFormat);
        }
        ASSERT_EQ(lines[static_cast<std::size_t>(i) + 1], expected) << "sample " << i;
    }
}

TEST_F(DumpConversion, InMemoryConversionGivesTheFileBytesAndTouchesNoFile)
{
    settings.status.triggerOn = 1;
    settings.firstColumn = 2;
    const std::string dumps[] = {
        header("R5", 2, 10, 2) + encodeCode(1) + encodeCode(2) + encodeTimeStamp(7) + encodeCode(3),
        header("R4", 3, 10, 3) + encodeCode(10) + encodeCode(20) + encodeCode(30) + "12",
        header("R3", 1, 10, 1),
        header("R3", 1, 10, 0) + encodeCode(1),
        "",
    };
    for (const std::string& dump : dumps) {
        writeDump(dump);
        const ConversionResult fromFile = convert();
        std::string fileBytes;
        if (fromFile.ok()) {
            QFile f(fromFile.filePath);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            fileBytes = f.readAll().toStdString();
            ASSERT_TRUE(f.remove());
        }
        std::string text = "stale";
        const ConversionResult inMemory = convertDumpInMemory(dump, settings, reporter, text);
        EXPECT_EQ(inMemory.outcome, fromFile.outcome);
        EXPECT_EQ(inMemory.completeSamples, fromFile.completeSamples);
        EXPECT_EQ(text, fileBytes);
        EXPECT_EQ(inMemory.filePath, QFileInfo(fromFile.filePath).fileName());
        EXPECT_TRUE(dataFiles().isEmpty());
    }
}

}  // namespace vorda::test
