// What the simulated recorder's current data follow: the set values at rest, the signal
// being recorded while a measurement runs.

#include "block_store.h"
#include "recorder_engine.h"
#include "sim_options.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace recsim;

namespace {

std::vector<int> currentData(RecorderEngine& engine, std::int64_t nowMs)
{
    engine.receive(" ?DAT &", nowMs);
    const std::string text = engine.takeOutput();
    int v[17] = {};
    char first[16] = {};
    const int n =
        std::sscanf(text.c_str(), "%15s %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d", first, &v[1], &v[2], &v[3],
                    &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10], &v[11], &v[12], &v[13], &v[14], &v[15], &v[16]);
    EXPECT_EQ(n, 17) << text;
    return std::vector<int>(v + 1, v + 17);
}

TEST(SimCurrentData, SetValuesAtRestTheRecordedSignalDuringAMeasurement)
{
    std::string error;
    auto options = parseOptions({"--dat", "21500,7,3", "--samples", "100", "--period", "10"}, error);
    ASSERT_TRUE(options) << error;
    RecorderEngine engine(options->config, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    const long long freeBefore = engine.freeMemory();

    auto rest = currentData(engine, 1000);
    EXPECT_EQ(rest[0], 21500);
    EXPECT_EQ(rest[1], 7);
    EXPECT_EQ(rest[2], 3);

    engine.receive("  START &", 2000);
    const auto running = currentData(engine, 2500);  // sample 50 of the first block
    for (int slot = 0; slot < 16; ++slot) EXPECT_EQ(running[slot], generatedValue(1, 50, slot)) << slot;

    // 100 x 10 ms later the block is stored, the memory shrinks and the set values return.
    rest = currentData(engine, 3000);
    EXPECT_EQ(rest[0], 21500);
    ASSERT_EQ(engine.blocks().size(), 1u);
    EXPECT_EQ(engine.freeMemory(), freeBefore - 100 * 4);

    EXPECT_FALSE(parseOptions({"--dat", "1,,2"}, error));
    EXPECT_FALSE(parseOptions({"--dat", "x"}, error));
}

}  // namespace
