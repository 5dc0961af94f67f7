#include "cursor_statistics.h"

#include <gtest/gtest.h>

#include <cmath>

namespace wizor {
namespace {

TEST(CursorStatistics, ValuesBetweenTheCursors)
{
    const RangeStatistics s = statisticsOf({3.0, -1.0, 4.0, 2.0});
    EXPECT_EQ(s.atA, 3.0);
    EXPECT_EQ(s.atB, 2.0);
    EXPECT_EQ(s.minimum, -1.0);
    EXPECT_EQ(s.maximum, 4.0);
    EXPECT_DOUBLE_EQ(s.mean, 2.0);
    EXPECT_DOUBLE_EQ(s.rms, std::sqrt((9.0 + 1.0 + 16.0 + 4.0) / 4.0));
    EXPECT_EQ(s.count, 4u);
}

TEST(CursorStatistics, SecondsBetweenLabels)
{
    const struct {
        const char* a;
        const char* b;
        std::optional<double> seconds;
    } cases[] = {
        {" 12:00:00.000", " 12:00:01.500", 1.5},
        {" 23:59:59.000", " 00:00:01.000", 2.0},  // a time of day across midnight
        {" 59:58.000", " 00:01.000", 3.0},        // minutes and seconds across the hour
        {"05-03-17 23:59:50", "05-03-18 00:00:10", 20.0},
        {"2005-03-17 12:00:00", "2005-03-17 11:00:00", -3600.0},  // dates say which way
        {"05-03-17 12:00:00", " 12:00:00", std::nullopt},
        {" MM:SS.mmm", " 00:01.000", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<double> got = secondsBetween(QString::fromLatin1(c.a), QString::fromLatin1(c.b));
        ASSERT_EQ(got.has_value(), c.seconds.has_value()) << c.a << " " << c.b;
        if (got) {
            EXPECT_NEAR(*got, *c.seconds, 1e-9) << c.a << " " << c.b;
        }
    }
}

}  // namespace
}  // namespace wizor
