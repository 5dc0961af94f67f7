#include "measure/housekeeping.h"
#include "core/progress_views.h"

#include <gtest/gtest.h>

#include <vector>

namespace vorda {
namespace {

struct Bar : ProgressBarView {
    int position = 0;
    void setBarPosition(int p) override { position = p; }
    int barPosition() const override { return position; }
};

TEST(HousekeepingTick, TheRescanWaitsForTheMeasurementBarAndRunsOnce)
{
    Bar transfer, measurement;
    transfer.position = 2;
    measurement.position = 5;
    std::int32_t countdown = 3;
    std::vector<int> dueOnTick;
    for (int tick = 1; tick <= 10; ++tick) {
        if (housekeepingTick(&transfer, &measurement, countdown)) dueOnTick.push_back(tick);
        if (tick == 4) {
            EXPECT_EQ(measurement.position, 1);
        } else if (tick == 5) {
            EXPECT_EQ(countdown, 3);  // the bar reached 0 on this tick
        } else if (tick == 7) {
            EXPECT_EQ(countdown, 1);
        }
    }
    EXPECT_EQ(dueOnTick, std::vector<int>{8});
    EXPECT_EQ(countdown, -1);
    EXPECT_EQ(measurement.position, 0);
    EXPECT_EQ(transfer.position, 0);
}

TEST(HousekeepingTick, IdleCountersAndMissingBarsStayPut)
{
    std::int32_t countdown = -1;
    Bar empty;
    for (int tick = 0; tick < 3; ++tick) EXPECT_FALSE(housekeepingTick(&empty, nullptr, countdown));
    EXPECT_EQ(countdown, -1);
    EXPECT_EQ(empty.position, 0);

    countdown = 1;  // no measurement window: the countdown moves at once
    EXPECT_TRUE(housekeepingTick(nullptr, nullptr, countdown));
    EXPECT_EQ(countdown, -1);
}

}  // namespace
}  // namespace vorda
