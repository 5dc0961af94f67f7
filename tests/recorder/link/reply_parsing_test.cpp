// Register and data replies: conversion stops at the first token that does not convert,
// earlier fields are stored and later ones keep their values.

#include "link/recorder_protocol.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace vorda {
namespace {

// A status whose every field holds a value no reply below produces.
RecorderStatus oldStatus()
{
    RecorderStatus s{};
    setFieldText(s.tag, "old");
    setFieldText(s.date, "old-date");
    setFieldText(s.time, "old-time");
    s.blockNumber = -101;
    s.sampleCount = -102;
    s.samplingMs = -103;
    s.channelCount = -104;
    s.freeMemory = -105;
    s.blockCount = -106;
    s.triggerOn = -107;
    s.triggerStartRaw = 108;
    s.triggerStopRaw = 109;
    s.recorderSB = -110.5;
    s.recorderSC = -111.5;
    return s;
}
constexpr std::int32_t kOldOption = -999;

struct Parsed {
    int stored;
    RecorderStatus status;
    std::int32_t option;
};

Parsed parse(std::string_view text)
{
    Parsed p{0, oldStatus(), kOldOption};
    p.stored = parseRegisterReply(text, p.status, p.option);
    return p;
}

TEST(RegisterReply, FullReplyFillsEveryField)
{
    const Parsed p = parse("R3 2006-07-08 12:30:45 0 500 10 4 120000 3 1 100 900 1.5 0.25");
    EXPECT_EQ(p.stored, 14);
    EXPECT_EQ(fieldText(p.status.tag), "R3");
    EXPECT_EQ(fieldText(p.status.date), "2006-07-08");
    EXPECT_EQ(fieldText(p.status.time), "12:30:45");
    EXPECT_EQ(p.status.blockNumber, 0);
    EXPECT_EQ(p.status.sampleCount, 500);
    EXPECT_EQ(p.status.samplingMs, 10);
    EXPECT_EQ(p.status.channelCount, 4);
    EXPECT_EQ(p.status.freeMemory, 120000);
    EXPECT_EQ(p.status.blockCount, 3);
    EXPECT_EQ(p.option, 1);
    EXPECT_EQ(p.status.triggerStartRaw, 100u);
    EXPECT_EQ(p.status.triggerStopRaw, 900u);
    EXPECT_EQ(p.status.recorderSB, 1.5);
    EXPECT_EQ(p.status.recorderSC, 0.25);
    EXPECT_EQ(p.status.triggerOn, -107) << "triggerOn is the exchange's business, not the parser's";
}

TEST(RegisterReply, StopsAtFirstTokenThatDoesNotConvert)
{
    const RecorderStatus old = oldStatus();
    {
        const Parsed p = parse("R3 2006-07-08");
        EXPECT_EQ(p.stored, 2);
        EXPECT_EQ(fieldText(p.status.tag), "R3");
        EXPECT_EQ(fieldText(p.status.date), "2006-07-08");
        EXPECT_EQ(fieldText(p.status.time), "old-time");
        EXPECT_EQ(p.status.blockNumber, old.blockNumber);
        EXPECT_EQ(p.status.recorderSC, old.recorderSC);
    }
    {
        const Parsed p = parse("R2 d t 5 x 10 4");
        EXPECT_EQ(p.stored, 4);
        EXPECT_EQ(p.status.blockNumber, 5);
        EXPECT_EQ(p.status.sampleCount, old.sampleCount);
        EXPECT_EQ(p.status.samplingMs, old.samplingMs);
    }
    {
        // A number ends where its digits end; the rest of the token fails the next field.
        const Parsed p = parse("R2 d t 12:30 7");
        EXPECT_EQ(p.stored, 4);
        EXPECT_EQ(p.status.blockNumber, 12);
        EXPECT_EQ(p.status.sampleCount, old.sampleCount);
    }
    {
        const Parsed p = parse("R1 d t 1 2 3 4 5 6 7 8 9 + 2");
        EXPECT_EQ(p.stored, 12);
        EXPECT_EQ(p.status.triggerStopRaw, 9u);
        EXPECT_EQ(p.status.recorderSB, old.recorderSB);
    }
    {
        const Parsed p = parse("");
        EXPECT_EQ(p.stored, 0);
        EXPECT_EQ(fieldText(p.status.tag), "old");
        EXPECT_EQ(p.option, kOldOption);
    }
    {
        const Parsed p = parse(std::string_view("R3 2006\0 12:00:00 4", 19));
        EXPECT_EQ(p.stored, 2) << "a NUL ends the text";
        EXPECT_EQ(fieldText(p.status.time), "old-time");
    }
}

TEST(RegisterReply, TextFieldsTakeAtMostTheirWidth)
{
    {
        // The tag holds three characters; the rest of the token becomes the date.
        const Parsed p = parse("R3XY 2006 7");
        EXPECT_EQ(p.stored, 4);
        EXPECT_EQ(fieldText(p.status.tag), "R3X");
        EXPECT_EQ(fieldText(p.status.date), "Y");
        EXPECT_EQ(fieldText(p.status.time), "2006");
        EXPECT_EQ(p.status.blockNumber, 7);
    }
    {
        const Parsed p = parse("R1 2006-07-08T12:30:45 9");
        EXPECT_EQ(p.stored, 4);
        EXPECT_EQ(fieldText(p.status.date), "2006-07-08T");
        EXPECT_EQ(fieldText(p.status.time), "12:30:45");
        EXPECT_EQ(p.status.blockNumber, 9);
    }
}

TEST(RegisterReply, NumbersConvertAsTheCLibraryWouldWithoutItsOverflows)
{
    const Parsed p = parse("\r\n R2\td\vt -3 99999999999 +7 -99999999999 0 0 0 -1 99999999999 -1.5e2 .5");
    EXPECT_EQ(p.stored, 14);
    EXPECT_EQ(p.status.blockNumber, -3);
    EXPECT_EQ(p.status.sampleCount, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(p.status.samplingMs, 7);
    EXPECT_EQ(p.status.channelCount, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(p.status.triggerStartRaw, 0xFFFFFFFFu) << "a minus sign wraps as in C";
    EXPECT_EQ(p.status.triggerStopRaw, 0xFFFFFFFFu) << "too large is clamped";
    EXPECT_EQ(p.status.recorderSB, -150.0);
    EXPECT_EQ(p.status.recorderSC, 0.5);

    // Single precision, widened: 0.1 is stored as the float nearest to it.
    const Parsed f = parse("R3 d t 0 0 0 0 0 0 0 0 0 0.1 1e50");
    EXPECT_EQ(f.status.recorderSB, static_cast<double>(0.1f));
    EXPECT_TRUE(std::isinf(f.status.recorderSC));

    // An exponent mark without digits is not part of the number.
    const Parsed e = parse("R3 d t 0 0 0 0 0 0 0 0 0 2e x");
    EXPECT_EQ(e.stored, 13);
    EXPECT_EQ(e.status.recorderSB, 2.0);
}

TEST(DataReply, SkipsTheFirstTokenAndStoresSixteenChannels)
{
    ReadingsRow row{};
    row.fill(-7);
    EXPECT_EQ(parseDataReply("DAT 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17", row), 16);
    EXPECT_EQ(row[0], -7) << "index 0 is never used";
    for (int c = 1; c <= 16; ++c) EXPECT_EQ(row[c], c);

    row.fill(-7);
    EXPECT_EQ(parseDataReply("D 100 -200 x 4", row), 2);
    EXPECT_EQ(row[1], 100);
    EXPECT_EQ(row[2], -200);
    EXPECT_EQ(row[3], -7);

    row.fill(-7);
    EXPECT_EQ(parseDataReply("", row), 0);
    EXPECT_EQ(parseDataReply("D", row), 0);
    EXPECT_EQ(parseDataReply(" 5 6", row), 1) << "the first token is skipped whatever it is";
    EXPECT_EQ(row[1], 6);
    EXPECT_EQ(row[2], -7);
}

TEST(ReplyFaults, AReplyIsWholeOnlyWithEveryValueItsCommandNeeds)
{
    const std::string full = "R3 2006-07-08 12:30:45 0 500 10 4 120000 3 1 100 900 1.5 0.25\r";
    const std::string data = "DAT 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\r";
    const struct {
        std::string text;
        ReplyFault registerFault;
        ReplyFault dataFault;
    } cases[] = {
        {"", ReplyFault::Silent, ReplyFault::Silent},
        {" \r\n", ReplyFault::Silent, ReplyFault::Silent},
        {full, ReplyFault::None, ReplyFault::Incomplete},
        {"\r\n" + full, ReplyFault::None, ReplyFault::Incomplete},
        {full.substr(0, full.find(" 1.5")), ReplyFault::Incomplete, ReplyFault::Incomplete},
        {"R3 2006-07-08", ReplyFault::Incomplete, ReplyFault::Incomplete},
        {"#~*%" + full, ReplyFault::Garbled, ReplyFault::Incomplete},
        {std::string("\0", 1) + full, ReplyFault::Silent, ReplyFault::Silent},
        {data, ReplyFault::Garbled, ReplyFault::None},
        {"#~*%" + data, ReplyFault::Garbled, ReplyFault::None},
        {"DAT 1 2 3 4", ReplyFault::Garbled, ReplyFault::Incomplete},
        {"DAT 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 x", ReplyFault::Garbled, ReplyFault::Incomplete},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(registerReplyFault(c.text), c.registerFault) << c.text;
        EXPECT_EQ(dataReplyFault(c.text), c.dataFault) << c.text;
    }
}

TEST(TrimmedMean, DropsTheLargestAndSmallestAndTruncatesTowardZero)
{
    EXPECT_EQ(trimmedMean({10, 12, 11, 50, 9}), 11);
    EXPECT_EQ(trimmedMean({-4, -5, -6, -7, -8}), -6);
    EXPECT_EQ(trimmedMean({0, 0, -1, -1, -5}), 0);  // -2 / 3
    EXPECT_EQ(trimmedMean({7, 7, 7, 7, 7}), 7);
    constexpr std::int32_t big = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(trimmedMean({big, big, big, big, big}), big);
}

}  // namespace
}  // namespace vorda
