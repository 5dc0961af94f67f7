// The arithmetic of calibration and zeroing, and the texts of their numbers.

#include "calibration/calibration_math.h"
#include "core/channel_scaling.h"
#include "core/settings_record.h"
#include "support/decimal_comma_locale.h"

#include <gtest/gtest.h>

namespace vorda {
namespace {

TEST(CalibrationMath, TwoPointsGiveSlopeAndOffsetThatScaleBackToThePoints)
{
    const double sb = twoPointSlope(1000, 0.0, 11000, 100.0);
    const double sc = offsetThroughPoint(sb, 1000, 0.0);
    EXPECT_DOUBLE_EQ(sb, 10.0);
    EXPECT_DOUBLE_EQ(sc, -10.0);
    ChannelSettings ch{};
    ch.slopeSB = sb;
    ch.offsetSC = sc;
    EXPECT_FLOAT_EQ(scaleGeneral(ch, 1000), 0.0f);
    EXPECT_FLOAT_EQ(scaleGeneral(ch, 11000), 100.0f);

    // Falling characteristic: accepted, negative slope.
    EXPECT_DOUBLE_EQ(twoPointSlope(1000, 100.0, 11000, 0.0), -10.0);
    // Codes 9 apart give the marker whatever the values; 10 apart a real slope.
    EXPECT_EQ(twoPointSlope(5000, 1.0, 5009, 50.0), kFlatSlopeMarker);
    EXPECT_EQ(twoPointSlope(5009, 1.0, 5000, 50.0), kFlatSlopeMarker);
    EXPECT_DOUBLE_EQ(twoPointSlope(5000, 1.0, 5010, 2.0), 100.0);

    // Zeroing: the line of the unchanged slope through the new point.
    EXPECT_DOUBLE_EQ(offsetThroughPoint(10.0, 2000, 5.0), -15.0);
    EXPECT_DOUBLE_EQ(offsetThroughPoint(0.0, 31234, 7.25), 7.25);
}

TEST(CalibrationMath, PointValuesTakeADecimalPointOrCommaIntoSinglePrecision)
{
    test::DecimalCommaLocale comma;  // the reading must not follow the locale
    const std::pair<const char*, double> good[] = {
        {"100,5", 100.5}, {"100.5", 100.5}, {"  -3.25 ", -3.25}, {"+1e2", 100.0}, {".5", 0.5}, {",5", 0.5},
        {"0.1", static_cast<double>(0.1f)}, {"0,1", static_cast<double>(0.1f)}, {"1e-50", 0.0}, {"7", 7.0},
    };
    for (const auto& [text, value] : good) EXPECT_EQ(readPointValue(text), value) << text;
    for (const char* bad : {"", "   ", "abc", "-", "+-1", "12abc", "-3.25 kPa", "1.2.3", "1,2,3", "1.000,5", "1 000",
                            "nan", "-inf", "inf", "1e999", "1e39", "0x10", "1e"})
        EXPECT_FALSE(readPointValue(bad).has_value()) << bad;
}

TEST(CalibrationMath, ResultTextsUseTheirFormats)
{
    test::DecimalCommaLocale comma;
    EXPECT_EQ(zeroingResultText(15.259, -0.5), "15.2590/-0.5000");
    EXPECT_EQ(calibrationResultText(10.0, -10.0), "10.000000 / -10.0000");
    EXPECT_EQ(calibrationResultText(kFlatSlopeMarker, 1.5), "9999.000000 /  1.5000");
    EXPECT_EQ(pointValueText(0.0), " 0.0000");
    EXPECT_EQ(pointValueText(-123.45678), "-123.4568");
}

}  // namespace
}  // namespace vorda
