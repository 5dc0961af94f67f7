#include "line_parser.h"

#include "parse_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using wizor::Linia1MG;

std::vector<float> usedValues(const Linia1MG& p)
{
    return std::vector<float>(p.values(), p.values() + p.usedValueCount());
}

TEST(LineParser, LayoutsAndCounts)
{
    struct Case {
        const char* line;
        bool data;
        const char* date;
        const char* time;
        int count;
    };
    const Case cases[] = {
        {"05-03-17 12:00:05 1 2", true, "05-03-17", "12:00:05", 2},
        {"2005-03-17 12:00:05 1 2", true, "2005-03-17", "12:00:05", 2},
        {"05-03-17 12:00:05\t  1.5\t  2.5\t", true, "05-03-17", "12:00:05", 2},
        {"12:00:00.000 1.5 2.5 3.5", true, "", "12:00:00.000", 3},
        {"30:05.250 7\r", true, "", "30:05.250", 1},
        {"12:00:00.000", true, "", "12:00:00.000", 1},
        {"17.03.2005 12:00:05 1 2", false, "", "", 0},
        {"05-03-17 1 2 3", false, "", "", 0},
        {"1:00:00 1 2", false, "", "", 0},
        {"Godzina: Temp Cis", false, "", "", 0},
        {"", false, "", "", 0},
        // A date-shaped first token never takes the time-only layout.
        {"05-0:-17 1 2", false, "", "", 0},
        {"12:00 -3 0.5e2 7", true, "", "12:00", 3},
        {"12:00 1 +3 4", true, "", "12:00", 1},
        {"12:00 1 2 .5 nan", true, "", "12:00", 2},
        {"05-03-17 12:00:05 x 1", true, "05-03-17", "12:00:05", 0},
        {"12:00 x 1", true, "", "12:00", 2},
    };
    for (const Case& c : cases) {
        Linia1MG p;
        EXPECT_EQ(parseLine(p, c.line), c.data) << c.line;
        if (!c.data) continue;
        EXPECT_EQ(p.dateText(), c.date) << c.line;
        EXPECT_EQ(p.timeText(), c.time) << c.line;
        EXPECT_EQ(p.valueCount(), c.count) << c.line;
        EXPECT_EQ(p.pointLabel(), std::string(c.date) + " " + c.time) << c.line;
    }
}

TEST(LineParser, ValuesAndTheirConversionStop)
{
    Linia1MG p;
    ASSERT_TRUE(parseLine(p, "12:00 -3 0.5e2 7"));
    EXPECT_EQ(usedValues(p), (std::vector<float>{-3.0f, 50.0f, 7.0f}));

    // "1,5" counts as a number but reads as 1; what follows keeps the previous line's values.
    ASSERT_TRUE(parseLine(p, "05-03-17 12:00:05 1,5 8 9"));
    EXPECT_EQ(usedValues(p), (std::vector<float>{1.0f, 50.0f, 7.0f}));

    // "+3" ends the count but is still read, so it is there for a later line to keep.
    ASSERT_TRUE(parseLine(p, "12:01 4 +3 5"));
    EXPECT_EQ(p.valueCount(), 1);
    ASSERT_TRUE(parseLine(p, "12:02 6 7,5 8"));
    EXPECT_EQ(usedValues(p), (std::vector<float>{6.0f, 7.0f, 5.0f}));

    // An unreadable token stops the conversion without touching its own value.
    ASSERT_TRUE(parseLine(p, "12:03 9 - 1"));
    EXPECT_EQ(p.valueCount(), 3);
    EXPECT_EQ(usedValues(p), (std::vector<float>{9.0f, 7.0f, 5.0f}));

    // The time-only layout does not test its first value, so "+5" is plotted there.
    ASSERT_TRUE(parseLine(p, "12:04 +5"));
    EXPECT_EQ(usedValues(p), (std::vector<float>{5.0f}));

    p.Reset();
    ASSERT_TRUE(parseLine(p, "12:00 x 1"));
    EXPECT_EQ(usedValues(p), (std::vector<float>{0.0f, 0.0f}));
}

// Plain decimals around the limits of the fast reading (8 digits on either side of the point,
// a mantissa of 2^24, ten fraction digits) and long digit runs read as "%f" reads them, also
// where the token starts near the end of a 64-character word of the line.
TEST(LineParser, PlainDecimalsAtTheirLimitsMatchScanf)
{
    const char* const tokens[] = {"16777216",
                                  "16777217",
                                  "1677721.7",
                                  "1677721.6",
                                  "12345678.1",
                                  "123456789",
                                  "12345678",
                                  "0.12345678",
                                  "0.123456789",
                                  "1.000000001",
                                  "0.0000000001",
                                  "0.00000000001",
                                  "-0.0000001",
                                  "+0012.50",
                                  "1234567.",
                                  ".12345678",
                                  "-.5",
                                  "99999999.9",
                                  "-0",
                                  "+.0",
                                  "00000000000000001",
                                  "18446744073709551617",
                                  "36893488147419103233.5",
                                  "1.5.",
                                  "1..5",
                                  "12-3",
                                  "-+1",
                                  "9.999999999"};
    for (const char* token : tokens) {
        for (const std::string& pad : {std::string(), std::string(48, ' '), std::string(57, ' ')}) {
            const std::string line = "12:00:00" + pad + " " + token + " 1";
            Linia1MG p;
            ASSERT_TRUE(parseLine(p, line));
            float expected = 0.0f;
            int consumed = 0;
            if (std::sscanf(token, "%f%n", &expected, &consumed) != 1) continue;
            const float got = p.value(0);
            EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << token << ": " << got << " vs " << expected;
            // The second value is read only when the first was read whole.
            EXPECT_EQ(p.value(1), std::size_t(consumed) == std::strlen(token) ? 1.0f : 0.0f) << token;
        }
    }
}

TEST(LineParser, ThirtyThreeNumbersAndTheColumnLimit)
{
    std::string timeOnly = "00:01.000";
    std::string dateTime = "05-03-17 12:00:05";
    for (int i = 1; i <= 40; ++i) {
        timeOnly += " " + std::to_string(i);
        dateTime += " " + std::to_string(i);
    }
    Linia1MG p;
    ASSERT_TRUE(parseLine(p, timeOnly));
    EXPECT_EQ(p.valueCount(), 33);
    EXPECT_EQ(p.usedValueCount(), 32);
    EXPECT_EQ(p.value(31), 32.0f);
    EXPECT_EQ(p.maxValueCount(), 33);

    p.Reset();
    ASSERT_TRUE(parseLine(p, dateTime));
    EXPECT_EQ(p.valueCount(), 32);
    EXPECT_EQ(p.value(31), 32.0f);
}

TEST(LineParser, ChannelNames)
{
    Linia1MG p;
    EXPECT_EQ(p.channelName(0), "k1");
    EXPECT_EQ(p.channelName(31), "k32");

    ASSERT_FALSE(parseLine(p, "Godzina Temp1 Temp2"));
    EXPECT_EQ(p.channelName(0), "Temp1");
    EXPECT_EQ(p.channelName(1), "Temp2");
    EXPECT_EQ(p.channelName(2), "");
    EXPECT_EQ(p.channelName(31), "");

    // The last header line before the data wins; a date without a time is a header line.
    ASSERT_FALSE(parseLine(p, "05-03-17 1 2 3"));
    EXPECT_EQ(p.channelName(0), "1");
    EXPECT_EQ(p.channelName(2), "3");
    EXPECT_EQ(p.channelName(3), "");

    ASSERT_TRUE(parseLine(p, "12:00 1 2"));
    ASSERT_FALSE(parseLine(p, "Czas A B"));
    EXPECT_EQ(p.channelName(0), "1");
    EXPECT_EQ(p.maxValueCount(), 2);

    // Names are cut to 39 characters.
    p.Reset();
    const std::string longName(60, 'N');
    ASSERT_FALSE(parseLine(p, "Czas " + longName));
    EXPECT_EQ(p.channelName(0), longName.substr(0, wizor::kMaxNameLength));

    // Reset brings the default names back.
    p.Reset();
    EXPECT_EQ(p.channelName(0), "k1");
    EXPECT_EQ(p.channelName(16), "k17");
    EXPECT_FALSE(p.dataStarted());
}

// The header of an elapsed-time column names the channels; other time-shaped first tokens
// still make data lines. A file holding just "A" has fewer tokens than names to fill.
TEST(LineParser, ElapsedTimeHeaderNamesTheChannels)
{
    Linia1MG p;
    EXPECT_FALSE(parseLine(p, "MM:SS.mmm Temp Cis \r"));
    EXPECT_EQ(p.channelName(0), "Temp");
    EXPECT_EQ(p.channelName(1), "Cis");
    EXPECT_TRUE(parseLine(p, "MM:SS.mmmm 1"));
    EXPECT_TRUE(parseLine(p, "00:00.000 21.5 1.02\r"));
    EXPECT_EQ(p.valueCount(), 2);
    EXPECT_EQ(p.channelName(0), "Temp");

    p.Reset();
    EXPECT_FALSE(parseLine(p, "A"));
    EXPECT_EQ(p.channelName(0), "");
    EXPECT_FALSE(parseLine(p, ""));
}

TEST(LineParser, FieldLimits)
{
    Linia1MG p;
    // Date and time texts keep 15 characters, and so does the label.
    ASSERT_TRUE(parseLine(p, "2005-03-17xxxxxxxxxx 12:00:05.123456789 1"));
    EXPECT_EQ(p.dateText(), "2005-03-17xxxxx");
    EXPECT_EQ(p.timeText(), "12:00:05.123456");
    EXPECT_EQ(p.pointLabel(), "2005-03-17xxxxx 12:00:05.123456");

    // A value token is cut to 99 characters before it is read: here the exponent is lost.
    const std::string token = "1" + std::string(97, '0') + "e-97";
    ASSERT_TRUE(parseLine(p, "12:00 " + token + " 4"));
    EXPECT_TRUE(std::isinf(p.value(0)));
    EXPECT_EQ(p.value(1), 4.0f);

    // Only the first 499 characters of a line are parsed: the last number is cut.
    p.Reset();
    std::string line = "12:00 1";
    line += std::string(wizor::kMaxLineLength - 4 - line.size(), ' ');
    line += "12345678";
    ASSERT_TRUE(parseLine(p, line));
    EXPECT_EQ(p.valueCount(), 2);
    EXPECT_EQ(p.value(1), 1234.0f);

    // A NUL byte ends the line.
    p.Reset();
    ASSERT_TRUE(parseLine(p, std::string("12:00 1 2\0 3", 12)));
    EXPECT_EQ(p.valueCount(), 2);
    // Also far into the line.
    ASSERT_TRUE(parseLine(p, "12:00 1" + std::string(150, ' ') + std::string("2\0 3", 4)));
    EXPECT_EQ(p.valueCount(), 2);
}

}  // namespace
