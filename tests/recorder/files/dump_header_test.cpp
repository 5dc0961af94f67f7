// The dump's header line and the dumps that give no file.

#include "recorder/files/dump_conversion_fixture.h"

#include <gtest/gtest.h>

namespace vorda::test {

TEST(DumpSamples, StartTimeTokens)
{
    EXPECT_EQ(parseStartTime("0:00"), 0);
    EXPECT_EQ(parseStartTime("7:05:09"), (7 * 3600 + 5 * 60 + 9) * 1000);
    EXPECT_EQ(parseStartTime("23:59:59"), 86399000);
    EXPECT_EQ(parseStartTime("12:00:00.5"), 43200500);
    EXPECT_EQ(parseStartTime("12:00:00.025"), 43200025);
    for (const char* bad : {"24:00:00", "12:60:00", "12:00:60", "12", "", "12-00-00", "12:00:00.", "12:00:00.1234",
                            "123:00", "12:00:00x", ":00:00", "12::00", "1a:00"})
        EXPECT_FALSE(parseStartTime(bad).has_value()) << bad;
}

TEST(DumpSamples, HeaderLimits)
{
    const auto valid = parseDumpHeader("R5 2024-05-01 12:00:00 3 1564670 10 16 0 extra tokens");
    ASSERT_TRUE(valid.has_value());
    EXPECT_EQ(valid->recordType(), '5');
    EXPECT_EQ(valid->sampleCount, 1564670);
    EXPECT_EQ(valid->channelCount, 16);
    EXPECT_EQ(parseDumpHeader("R 2024-05-01 12:00:00 3 0 10 1 0")->recordType(), '\0');

    std::string padded = "R3 d t 1 2 10 4 0";
    padded.resize(199, ' ');
    EXPECT_TRUE(parseDumpHeader(padded).has_value());
    padded.push_back(' ');
    EXPECT_FALSE(parseDumpHeader(padded).has_value()) << "a header over 199 characters";

    for (const char* bad :
         {"R3 d t 1 2 10 4", "R3 d t 1 2 10 0 0", "R3 d t 1 2 10 17 0", "R3 d t 1 -1 10 4 0", "R3 d t 1 1564671 10 4 0",
          "R3 d t 1 2x 10 4 0", "R3 d t x 2 10 4 0", "R33x d t 1 2 10 4 0", "R3 2024-05-01-123456789 t 1 2 10 4 0", ""})
        EXPECT_FALSE(parseDumpHeader(bad).has_value()) << bad;
}

TEST_F(DumpConversion, InvalidDumpsWriteNothing)
{
    const std::string longHeader = "R3 2024-05-01 12:00:00 1 1 10 1 0" + std::string(170, ' ') + "\r";
    const std::pair<std::string, const char*> dumps[] = {
        {"", "Pusty plik '__m.mem'"},
        {"R3 2024-05-01 12:00:00 1 1 10 1 0" + encodeCode(1), "Błędny nagłówek pliku '__m.mem'"},
        {longHeader + encodeCode(1), "Błędny nagłówek pliku '__m.mem'"},
        {"R3 2024-05-01 12:00:00 1 1 10 1\r" + encodeCode(1), "Błędny nagłówek pliku '__m.mem'"},
        {header("R3", 1, 10, 0) + encodeCode(1), "Błędny nagłówek pliku '__m.mem'"},
        {header("R3", 1, 10, 17) + encodeCode(1), "Błędny nagłówek pliku '__m.mem'"},
        {header("R3", -1, 10, 1), "Błędny nagłówek pliku '__m.mem'"},
        {header("R3", 1564671, 10, 1), "Błędny nagłówek pliku '__m.mem'"},
    };
    for (const auto& [dump, text] : dumps) {
        writeDump(dump);
        reporter.status.clear();
        const ConversionResult r = convert();
        EXPECT_EQ(r.outcome, ConversionOutcome::InvalidDump);
        EXPECT_EQ(reporter.status, std::vector<QString>{QString::fromUtf8(text)});
    }
    EXPECT_TRUE(dataFiles().isEmpty());
    EXPECT_TRUE(reporter.transfers.empty());
}

TEST_F(DumpConversion, MissingDump)
{
    const ConversionResult r = convert();
    EXPECT_EQ(r.outcome, ConversionOutcome::DumpMissing);
    EXPECT_EQ(reporter.status, std::vector<QString>{QStringLiteral("Plik nie istnieje '__m.mem'")});
    EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace vorda::test
