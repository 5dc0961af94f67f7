// The simulated recorder driven byte by byte, its replies decoded.

#include "recorder_engine.h"
#include "reply_decoding.h"
#include "scenario.h"
#include "sim_options.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>

using namespace recsim;
using namespace simtest;

namespace {

const QDateTime wallAtZero(QDate(2024, 5, 6), QTime(7, 8, 9));

// Sends a command one byte per write, as the PC does, and collects the whole reply.
struct Harness {
    explicit Harness(SimConfig config) : engine(std::move(config), wallAtZero)
    {
        engine.onCommand = [this](std::string_view c) { log.emplace_back(c); };
    }
    std::string exchange(std::string_view command, std::int64_t nowMs = 0)
    {
        for (char c : command) engine.receive(std::string_view(&c, 1), nowMs);
        return engine.takeOutput();
    }
    RegisterReply reg(int n, std::int64_t nowMs = 0)
    {
        return parseRegister(exchange(" ?R_" + std::to_string(n) + " &", nowMs));
    }
    RecorderEngine engine;
    std::vector<std::string> log;
};

SimConfig threeBlocks(char model = '3')
{
    SimConfig config;
    config.modelDigit = model;
    config.memoryCapacity = 100000;
    config.blocks = generateBlocks(3, 500, 4, 10, 0);
    return config;
}

}  // namespace

TEST(SimRegisters, RegisterZeroDescribesTheRecorderAndBlockRegistersTheirBlocks)
{
    Harness h(threeBlocks('4'));
    const RegisterReply r0 = h.reg(0, 1500);
    ASSERT_EQ(r0.converted, 14);
    EXPECT_STREQ(r0.tag, "R4");
    EXPECT_STREQ(r0.date, "2024-05-06");
    EXPECT_STREQ(r0.time, "07:08:10");
    EXPECT_EQ(r0.blockNumber, 0);
    EXPECT_EQ(r0.sampleCount, 500);
    EXPECT_EQ(r0.samplingMs, 10);
    EXPECT_EQ(r0.channelCount, 4);
    EXPECT_EQ(r0.freeMemory, 100000 - 3 * 500 * 4);
    EXPECT_EQ(r0.blockCount, 3);
    EXPECT_EQ(r0.optionWord, 0);
    EXPECT_FLOAT_EQ(r0.sb, 15.259f);
    EXPECT_FLOAT_EQ(r0.sc, 0.0f);

    std::set<std::string> startTimes;
    for (int n = 1; n <= 3; ++n) {
        const RegisterReply r = h.reg(n);
        ASSERT_EQ(r.converted, 14);
        EXPECT_EQ(r.blockNumber, n);
        EXPECT_EQ(r.blockCount, 3);
        EXPECT_EQ(r.date, h.engine.blocks()[static_cast<std::size_t>(n - 1)].date);
        startTimes.insert(std::string(r.date) + " " + r.time);
    }
    EXPECT_EQ(startTimes.size(), 3u) << "each block needs its own date and time";
    EXPECT_EQ(h.log, (std::vector<std::string>{" ?R_0 &", " ?R_1 &", " ?R_2 &", " ?R_3 &"}));
}

TEST(SimRegisters, TwoDigitRegisterNumbers)
{
    SimConfig config;
    config.blocks = generateBlocks(12, 10, 2, 5, 0);
    Harness h(config);
    const RegisterReply r = h.reg(12);
    EXPECT_EQ(r.blockNumber, 12);
    EXPECT_EQ(r.sampleCount, 10);
    // Past the stored blocks the recorder describes itself, so a reader sees block 0.
    EXPECT_EQ(h.reg(13).blockNumber, 0);
}

TEST(SimCurrentData, SixteenPlausibleValuesThatChangeSlowly)
{
    Harness h(SimConfig{});
    auto read = [&](std::int64_t nowMs) {
        const std::string text = h.exchange(" ?DAT &", nowMs);
        int v[17] = {};
        char first[16] = {};
        const int n = std::sscanf(text.c_str(), "%15s %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d", first, &v[1],
                                  &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10], &v[11], &v[12],
                                  &v[13], &v[14], &v[15], &v[16]);
        EXPECT_EQ(n, 17) << text;
        return std::vector<int>(v + 1, v + 17);
    };
    const auto a = read(10000);
    const auto b = read(13000);
    bool changed = false;
    for (std::size_t ch = 0; ch < 16; ++ch) {
        EXPECT_GE(a[ch], 0);
        EXPECT_LE(a[ch], 65535);
        EXPECT_LT(std::abs(a[ch] - b[ch]), 1000) << "channel " << ch + 1;
        changed = changed || a[ch] != b[ch];
    }
    EXPECT_TRUE(changed);
}

TEST(SimSettings, SettingsCommandAndSingleCommandsUpdateRegisterZero)
{
    Harness h(threeBlocks('3'));
    EXPECT_EQ(h.exchange("  M_S 25 M_C 700 k16 TIME 10:11:12 DATE 2020-01-02 L_D 1966  L_U 4587  O_T  S_B 15.259 "
                         "S_C -0.25     &",
                         1000),
              "");
    RegisterReply r = h.reg(0, 3000);
    EXPECT_EQ(r.samplingMs, 25);
    EXPECT_EQ(r.sampleCount, 700);
    EXPECT_EQ(r.channelCount, 16);
    EXPECT_STREQ(r.date, "2020-01-02");
    EXPECT_STREQ(r.time, "10:11:14");  // the clock runs on from the time set
    EXPECT_EQ(r.triggerStartRaw, 1966u);
    EXPECT_EQ(r.triggerStopRaw, 4587u);
    EXPECT_EQ(r.optionWord & 1, 1);
    EXPECT_FLOAT_EQ(r.sb, 15.259f);
    EXPECT_FLOAT_EQ(r.sc, -0.25f);

    h.exchange("M_S 40 &");
    h.exchange("M_C 12 &");
    h.exchange(" O_N      &");
    r = h.reg(0);
    EXPECT_EQ(r.samplingMs, 40);
    EXPECT_EQ(r.sampleCount, 12);
    EXPECT_EQ(r.optionWord & 1, 0);

    // Values a recorder cannot take are ignored, the rest of the command still counts.
    h.exchange("  M_S abc M_C 0 k17 L_D -4 M_S 33     &");
    r = h.reg(0);
    EXPECT_EQ(r.samplingMs, 33);
    EXPECT_EQ(r.sampleCount, 12);
    EXPECT_EQ(r.channelCount, 16);
    EXPECT_EQ(r.triggerStartRaw, 1966u);
}

TEST(SimMemory, ClearEmptiesTheMemory)
{
    Harness h(threeBlocks());
    EXPECT_EQ(h.exchange("CLR_M &"), "");
    const RegisterReply r = h.reg(0);
    EXPECT_EQ(r.blockCount, 0);
    EXPECT_EQ(r.freeMemory, 100000);
    EXPECT_EQ(h.exchange(" ?MEM 1 &"), "") << "no block, no answer";
}

TEST(SimMeasurement, StartAddsABlockAfterThePlannedDuration)
{
    Harness h(SimConfig{});
    h.exchange("  M_S 20 M_C 50 k3 O_T     &");
    h.exchange("  START &", 1000);
    h.engine.advance(1999);
    EXPECT_EQ(h.reg(0, 1999).blockCount, 0);
    ASSERT_EQ(h.engine.nextEventMs(), std::optional<std::int64_t>(2000));
    h.engine.advance(2000);
    const RegisterReply r = h.reg(1, 2000);
    EXPECT_EQ(r.blockCount, 1);
    EXPECT_EQ(r.blockNumber, 1);
    EXPECT_EQ(r.sampleCount, 50);
    EXPECT_EQ(r.samplingMs, 20);
    EXPECT_EQ(r.channelCount, 3);
    EXPECT_EQ(r.optionWord & 1, 1);
    EXPECT_STREQ(r.time, "07:08:10");  // the start of the measurement
    EXPECT_FALSE(h.engine.measuring());
}

TEST(SimMeasurement, StopKeepsTheSamplesTakenSoFar)
{
    Harness h(SimConfig{});
    h.exchange("  M_S 100 M_C 500 k2     &");
    h.exchange("  START &", 0);
    h.exchange("$ $_END &", 2550);
    h.exchange(" &", 2560);
    EXPECT_EQ(h.log.back(), " &");
    EXPECT_EQ(h.log[h.log.size() - 2], "$ $_END &");
    RegisterReply r = h.reg(1, 2600);
    EXPECT_EQ(r.blockCount, 1);
    EXPECT_EQ(r.sampleCount, 25);

    // Stopped before the first sample: nothing is stored.
    h.exchange("  START &", 3000);
    h.exchange("$ $_END &", 3050);
    EXPECT_EQ(h.reg(0, 3100).blockCount, 1);
    EXPECT_FALSE(h.engine.measuring());
}

TEST(SimMeasurement, AFullMemoryKeepsWhatFits)
{
    SimConfig config;
    config.memoryCapacity = 1000;
    config.settings.channelCount = 4;
    config.settings.sampleCount = 400;
    config.settings.samplingMs = 1;
    Harness h(config);
    h.exchange("  START &", 0);
    h.engine.advance(400);
    const RegisterReply r = h.reg(1, 400);
    EXPECT_EQ(r.sampleCount, 250);
    EXPECT_EQ(r.freeMemory, 0);
}

TEST(SimFraming, ALoneDollarAbortsATransferButNotTheStopCommand)
{
    SimConfig config = threeBlocks();
    Harness h(config);
    h.engine.receive(" ?MEM 1 &", 0);
    ASSERT_TRUE(h.engine.transferring());
    h.engine.markSent(100);
    EXPECT_TRUE(h.engine.takeDiscardRequest());
    h.engine.receive("$", 10);
    EXPECT_FALSE(h.engine.transferring());
    EXPECT_TRUE(h.engine.pendingOutput().empty());
    EXPECT_TRUE(h.engine.takeDiscardRequest()) << "bytes already on the line must go";
    EXPECT_EQ(h.log, (std::vector<std::string>{" ?MEM 1 &", "$"}));

    // An abort that comes after the transfer ended must not spoil the next command.
    h.log.clear();
    const RegisterReply r = parseRegister(h.exchange("$ ?R_2 &"));
    EXPECT_EQ(r.blockNumber, 2);
    EXPECT_EQ(h.log, (std::vector<std::string>{"$", " ?R_2 &"}));

    // Unknown commands are logged and ignored.
    h.log.clear();
    EXPECT_EQ(h.exchange("HELLO &"), "");
    EXPECT_EQ(h.exchange(" ?R_0 &").substr(0, 2), "R3");
    EXPECT_EQ(h.log, (std::vector<std::string>{"HELLO &", " ?R_0 &"}));
}

TEST(SimFaults, SilentRegistersAndWrongBlockNumbers)
{
    SimConfig config = threeBlocks();
    config.faults.silentRegisters = {2};
    config.faults.wrongBlockNumberTimes = 2;
    config.faults.wrongBlockNumberRegister = 3;
    Harness h(config);
    EXPECT_EQ(h.exchange(" ?R_2 &"), "");
    EXPECT_EQ(h.reg(1).blockNumber, 1);
    EXPECT_EQ(h.reg(3).blockNumber, 0);
    EXPECT_EQ(h.reg(3).blockNumber, 0);
    const RegisterReply r = h.reg(3);
    EXPECT_EQ(r.blockNumber, 3);
    EXPECT_EQ(r.converted, 14);
}

TEST(SimFaults, GarbageBeforeTheFirstReplies)
{
    SimConfig config = threeBlocks();
    config.faults.garbageBytes = 5;
    config.faults.garbageTimes = 1;
    Harness h(config);
    const std::string first = h.exchange(" ?R_0 &");
    const std::string second = h.exchange(" ?R_0 &");
    ASSERT_EQ(first.size(), second.size() + 5);
    EXPECT_NE(first[0], 'R');
    EXPECT_EQ(first.find('\0'), std::string::npos);
    EXPECT_EQ(first.substr(5, 2), "R3");
    EXPECT_EQ(second.substr(0, 2), "R3");
}

TEST(SimFaults, ShortRepliesKeepTheirFirstTokensAndTheLineEnd)
{
    SimConfig config = threeBlocks();
    config.faults.registerTokens = 3;
    config.faults.datValues = 2;
    Harness h(config);
    const std::string reg = h.exchange(" ?R_1 &");
    EXPECT_EQ(parseRegister(reg).converted, 3) << reg;
    EXPECT_EQ(reg.back(), '\r');
    std::istringstream dat(h.exchange(" ?DAT &"));
    std::string name, v1, v2, rest;
    dat >> name >> v1 >> v2 >> rest;
    EXPECT_EQ(name, "DAT");
    EXPECT_FALSE(v2.empty());
    EXPECT_TRUE(rest.empty());
}

TEST(SimFaults, NulByteAndCutTransferInsideDumps)
{
    SimConfig config = threeBlocks();
    config.faults.nulInDumpAt = 40;
    config.faults.cutBlocks[2] = 1000;
    Harness h(config);
    const std::string whole = blockDump(h.engine.blocks()[0], 1, '3');
    const std::string withNul = h.exchange(" ?MEM 1 &");
    ASSERT_EQ(withNul.size(), whole.size() + 1);
    EXPECT_EQ(withNul[40], '\0');
    EXPECT_EQ(withNul.substr(0, 40) + withNul.substr(41), whole);
    EXPECT_EQ(h.exchange(" ?MEM 2 &").size(), 1000u);
}

TEST(SimFaults, ANeverSilentRecorderStopsOnlyOnAbort)
{
    SimConfig config = threeBlocks();
    config.faults.neverSilent = true;
    Harness h(config);
    h.engine.receive(" ?MEM 1 &", 0);
    std::size_t sent = 0;
    const std::size_t dumpSize = blockDump(h.engine.blocks()[0], 1, '3').size();
    while (sent < dumpSize + 5000) {
        const auto out = h.engine.pendingOutput();
        ASSERT_FALSE(out.empty());
        sent += out.size();
        h.engine.markSent(out.size());
    }
    EXPECT_TRUE(h.engine.transferring());
    h.engine.receive("$", 1);
    EXPECT_FALSE(h.engine.transferring());
    EXPECT_TRUE(h.engine.pendingOutput().empty());
}

namespace {

std::vector<int> datValues(Harness& h)
{
    std::vector<int> values;
    std::istringstream in(h.exchange(" ?DAT &"));
    std::string tag;
    in >> tag;
    for (int v = 0; in >> v;) values.push_back(v);
    return values;
}

TEST(EngineDat, SetValuesChangeAfterAGivenNumberOfRepliesWithBoundedNoise)
{
    SimConfig config;
    config.dat.values = {1000, 2000};
    config.dat.afterReplies = 2;
    config.dat.laterValues = {65535, 0};
    Harness h(config);
    for (int reply = 0; reply < 4; ++reply) {
        const auto v = datValues(h);
        ASSERT_EQ(v.size(), 16u);
        EXPECT_EQ(v[0], reply < 2 ? 1000 : 65535);
        EXPECT_EQ(v[1], reply < 2 ? 2000 : 0);
    }

    config.dat.noise = 3;
    Harness noisy(config);
    std::set<int> seen;
    for (int reply = 0; reply < 2; ++reply) {
        const int v = datValues(noisy)[0];
        EXPECT_LE(std::abs(v - 1000), 3);
        seen.insert(v);
    }
    for (int reply = 0; reply < 20; ++reply) seen.insert(datValues(noisy)[1]);
    EXPECT_GT(seen.size(), 2u);  // the noise moves the values
}

TEST(EngineDat, OptionsAndScenarioLinesSetTheValues)
{
    std::string error;
    const auto o = parseOptions({"--dat", "1,2,3", "--dat-after", "4:5,6", "--dat-noise", "2"}, error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->config.dat.values, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(o->config.dat.afterReplies, 4);
    EXPECT_EQ(o->config.dat.laterValues, (std::vector<int>{5, 6}));
    EXPECT_EQ(o->config.dat.noise, 2);
    for (const char* bad : {"", "1,,2", "70000", "1,x"}) EXPECT_FALSE(parseOptions({"--dat", bad}, error)) << bad;
    EXPECT_FALSE(parseOptions({"--dat-after", "5"}, error));

    const auto s = parseScenario("dat 7 8\ndat-after 3 9\ndat-noise 1\n", error);
    ASSERT_TRUE(s) << error;
    EXPECT_EQ(s->dat.values, (std::vector<int>{7, 8}));
    EXPECT_EQ(s->dat.afterReplies, 3);
    EXPECT_EQ(s->dat.laterValues, (std::vector<int>{9}));
    EXPECT_EQ(s->dat.noise, 1);
    EXPECT_FALSE(parseScenario("dat 70000\n", error));
}

}  // namespace
