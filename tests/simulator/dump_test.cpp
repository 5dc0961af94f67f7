// Block dumps decoded character by character and compared with the stored blocks.

#include "block_store.h"
#include "recorder_engine.h"
#include "reply_decoding.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace recsim;
using namespace simtest;

TEST(SimSampleEncoding, DigitalPairs)
{
    std::string pair;
    appendDigitalPair(pair, true, false);
    appendDigitalPair(pair, false, true);
    EXPECT_EQ(pair[0], '1');
    EXPECT_EQ(pair[2], '0');
    EXPECT_EQ(pair[4], '0');
    EXPECT_EQ(pair[6], '1');
}

namespace {

struct DumpCase {
    char model;
    int optionWord;
    int channels;
};

// Everything that follows the header, decoded and checked item by item.
void checkDump(const DumpCase& c)
{
    SCOPED_TRACE(std::string("model R") + c.model + " option " + std::to_string(c.optionWord));
    SimConfig config;
    config.modelDigit = c.model;
    config.blocks = generateBlocks(2, 450, c.channels, 20, c.optionWord);
    RecorderEngine engine(config, QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
    engine.receive(" ?MEM 2 &", 0);
    const std::string dump = engine.takeOutput();
    const Block& block = engine.blocks()[1];

    const DumpHeader h = parseDumpHeader(dump);
    ASSERT_EQ(h.converted, 8);
    EXPECT_EQ(h.tag, std::string("R") + c.model);
    EXPECT_EQ(h.date, block.date);
    EXPECT_EQ(h.time, block.time);
    EXPECT_EQ(h.blockNumber, 2);
    EXPECT_EQ(h.sampleCount, 450);
    EXPECT_EQ(h.samplingMs, 20);
    EXPECT_EQ(h.channelCount, c.channels);

    const bool digital = c.model == '1';
    const bool stamped = c.model == '5' && (c.optionWord & 1);
    const std::size_t perSample = static_cast<std::size_t>(c.channels) * 4 + (stamped ? 8 : 0);
    const std::string samples = dump.substr(h.samplesAt);
    ASSERT_EQ(samples.size(), perSample * 450);
    ASSERT_TRUE(std::all_of(samples.begin(), samples.end(), dumpcodec::carriesNibble));

    int hh = 0, mm = 0, ss = 0;
    ASSERT_EQ(std::sscanf(h.time, "%d:%d:%d", &hh, &mm, &ss), 3);
    bool sawHighNibble = false;
    for (int i = 0; i < 450; ++i) {
        std::string_view s = std::string_view(samples).substr(perSample * static_cast<std::size_t>(i), perSample);
        const int codes = digital ? c.channels - 1 : c.channels;
        for (int k = 0; k < codes; ++k) {
            const auto item = s.substr(static_cast<std::size_t>(k) * 4, 4);
            sawHighNibble = sawHighNibble || std::any_of(item.begin(), item.end(), [](char ch) { return ch > '9'; });
            ASSERT_EQ(decodeCode(item), slotValue(block, 2, i, k)) << "sample " << i << " slot " << k;
        }
        if (digital) {
            const auto pair = s.substr(static_cast<std::size_t>(codes) * 4, 4);
            const unsigned inputs = slotValue(block, 2, i, codes);
            ASSERT_EQ(pair[0] - '0', static_cast<int>(inputs & 1));
            ASSERT_EQ(pair[2] - '0', static_cast<int>((inputs >> 1) & 1));
        }
        if (stamped) {
            const std::uint32_t expected = static_cast<std::uint32_t>(((hh * 3600 + mm * 60 + ss) * 1000 + i * 20) / 2);
            ASSERT_EQ(decodeTimeStamp(s.substr(static_cast<std::size_t>(c.channels) * 4, 8)), expected);
        }
    }
    EXPECT_TRUE(sawHighNibble) << "the generated signal should use the characters ':' to '?'";
}

}  // namespace

TEST(SimBlockDump, EveryRecordTypeDecodesToTheStoredValues)
{
    checkDump({'1', 0, 4});
    checkDump({'2', 0, 3});
    checkDump({'3', 0, 16});
    checkDump({'4', 1, 1});
    checkDump({'5', 0, 4});
    checkDump({'5', 1, 4});
}

TEST(SimBlockDump, ExplicitValuesAreReusedCyclically)
{
    Block b;
    b.date = "2006-07-08";
    b.time = "12:30:45";
    b.sampleCount = 3;
    b.samplingMs = 100;
    b.channelCount = 2;
    b.values = {308, 65535, 7};
    const std::string dump = blockDump(b, 9, '3');
    const DumpHeader h = parseDumpHeader(dump);
    ASSERT_EQ(h.converted, 8);
    EXPECT_EQ(dump.substr(0, h.samplesAt), "R3 2006-07-08 12:30:45 9 3 100 2 0\r");
    const std::string samples = dump.substr(h.samplesAt);
    ASSERT_EQ(samples.size(), 24u);
    const std::uint16_t expected[] = {308, 65535, 7, 308, 65535, 7};
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(decodeCode(samples.substr(i * 4, 4)), expected[i]);
}

TEST(SimBlockDump, ZeroSamplesGiveTheHeaderOnly)
{
    SimConfig config;
    config.blocks = generateBlocks(1, 0, 4, 10, 0);
    RecorderEngine engine(config, QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
    engine.receive(" ?MEM 1 &", 0);
    const std::string dump = engine.takeOutput();
    const DumpHeader h = parseDumpHeader(dump);
    EXPECT_EQ(h.converted, 8);
    EXPECT_EQ(h.samplesAt, dump.size());
}

namespace {

// Takes every byte the engine has to send, in pieces of `step` as a paced line would.
std::string drain(RecorderEngine& engine, std::size_t step)
{
    std::string out;
    for (std::string_view pending = engine.pendingOutput(); !pending.empty(); pending = engine.pendingOutput()) {
        const std::size_t n = std::min(step, pending.size());
        out.append(pending.substr(0, n));
        engine.markSent(n);
    }
    return out;
}

}  // namespace

TEST(SimBlockStream, ALargeBlockStartsAtOnceAndIsNeverHeldWhole)
{
    // 1,500,000 samples of 16 channels: 96 MB that a whole-block answer would have to
    // prepare before its first byte, far beyond the PC's one-second wait.
    SimConfig config;
    config.blocks = generateBlocks(1, 1500000, 16, 10, 0);
    RecorderEngine engine(config, QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
    engine.receive(" ?MEM 1 &", 0);

    std::string start;
    for (int piece = 0; piece < 4; ++piece) {
        const std::string_view pending = engine.pendingOutput();
        ASSERT_FALSE(pending.empty());
        EXPECT_LE(pending.size(), 64u * 1024u);
        start.append(pending);
        engine.markSent(pending.size());
    }
    const DumpHeader h = parseDumpHeader(start);
    ASSERT_EQ(h.converted, 8);
    EXPECT_EQ(h.sampleCount, 1500000);
    EXPECT_EQ(h.channelCount, 16);
    const std::size_t whole = (start.size() - h.samplesAt) / 64;
    for (std::size_t i = 0; i < whole; ++i)
        ASSERT_EQ(decodeCode(std::string_view(start).substr(h.samplesAt + i * 64 + 60, 4)),
                  slotValue(engine.blocks()[0], 1, int(i), 15));

    EXPECT_TRUE(engine.transferring());
    engine.receive("$", 1);
    EXPECT_FALSE(engine.transferring());
    EXPECT_TRUE(engine.pendingOutput().empty());
}

TEST(SimBlockStream, PiecesJoinToTheWholeDumpWithItsFaultsAndWhatFollows)
{
    SimConfig config;
    config.blocks = generateBlocks(2, 700, 16, 10, 0);
    const std::string first = blockDump(config.blocks[0], 1, '3');
    const std::string second = blockDump(config.blocks[1], 2, '3');
    // The NUL falls on the edge between two pieces of the stream; block 2 is cut inside
    // its third piece.
    config.faults.nulInDumpAt = 16 * 1024;
    config.faults.cutBlocks[2] = 40000;
    RecorderEngine engine(config, QDateTime(QDate(2024, 1, 1), QTime(0, 0)));

    engine.receive(" ?MEM 1 &", 0);
    // A command that comes while the dump goes out is answered after the dump.
    const std::string head(engine.pendingOutput().substr(0, 199));
    engine.markSent(head.size());
    engine.receive(" ?R_0 &", 0);
    const std::string rest = head + drain(engine, 199);
    std::string expected = first;
    expected.insert(16 * 1024, 1, '\0');
    expected += engine.registerReply(0, 0);
    EXPECT_EQ(rest, expected);

    engine.receive(" ?MEM 2 &", 0);
    std::string cut = second;
    cut.insert(16 * 1024, 1, '\0');
    cut.resize(40000);
    EXPECT_EQ(drain(engine, 4096), cut);
    EXPECT_FALSE(engine.transferring());
}
