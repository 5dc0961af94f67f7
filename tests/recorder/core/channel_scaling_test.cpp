// Raw codes into physical values, and values into monitoring text (the file text is
// writeFixed's, tested against printf in number_text_test.cpp).

#include "core/channel_scaling.h"
#include "core/number_text.h"
#include "core/settings_record.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include "support/decimal_comma_locale.h"

namespace vorda {
namespace {

ChannelSettings channel(double slope, double offset, std::int32_t rawPoint1 = 0)
{
    ChannelSettings ch{};
    ch.slopeSB = slope;
    ch.offsetSC = offset;
    ch.rawPoint1 = rawPoint1;
    return ch;
}

// The float nearest to the decimal number `text`; strtof rounds correctly.
float nearestFloat(const std::string& text)
{
    return std::strtof(text.c_str(), nullptr);
}

// The exact value n / 1000 written in decimal.
std::string thousandths(long long n)
{
    const long long a = n < 0 ? -n : n;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%s%lld.%03lld", n < 0 ? "-" : "", a / 1000, a % 1000);
    return buf;
}

TEST(ChannelScaling, CodeZeroGivesTheOffsetAndFullScaleGives65535Thousandths)
{
    for (const double offset : {0.0, -273.15, 0.1, 1e10, -1e-30}) {
        EXPECT_EQ(scaleGeneral(channel(123.456, offset), 0), static_cast<float>(offset)) << offset;
    }
    const float full = scaleGeneral(channel(1, 0), 65535);
    EXPECT_EQ(full, nearestFloat("65.535"));
    EXPECT_EQ(scaleGeneral(channel(0, 4.25), 40000), 4.25f) << "a zero slope leaves the offset";
}

TEST(ChannelScaling, WholeSlopesGiveTheCorrectlyRoundedValue)
{
    // With a whole slope the exact value is code * slope / 1000; the result must be the
    // float nearest to it, for every code.
    for (const int slope : {1, 3, 7, 250, 1000, -13, 99991}) {
        for (int code = 0; code <= 65535; code += (code < 2000 ? 1 : 97)) {
            const auto c = static_cast<std::uint16_t>(code);
            ASSERT_EQ(scaleGeneral(channel(slope, 0), c), nearestFloat(thousandths(1LL * code * slope)))
                << "code " << code << " slope " << slope;
            ASSERT_EQ(scaleOlder(channel(slope, 5, 1000), c), nearestFloat(thousandths(1LL * (code - 1000) * slope)))
                << "code " << code << " slope " << slope;
        }
    }
}

TEST(ChannelScaling, SumIsRoundedOnceFromExtendedPrecision)
{
    // offsetSC lies exactly half-way between the floats 1 and 1 + 2^-23; the product adds
    // 1e-18, so the exact value lies just above the midpoint and rounds up. Summing in
    // double would lose the 1e-18 and round the tie down to 1.
    const double midpoint = 1.0 + std::ldexp(1.0, -24);
    const float up = std::nextafter(1.0f, 2.0f);
    EXPECT_EQ(scaleGeneral(channel(1e-15, midpoint), 1), up);
    EXPECT_EQ(scaleGeneral(channel(-1e-15, midpoint), 1), 1.0f);
    EXPECT_EQ(scaleGeneral(channel(0, midpoint), 1), 1.0f) << "an exact tie rounds to even";
}

TEST(ChannelScaling, OlderFormulaSubtractsRawPoint1AndIgnoresTheOffset)
{
    EXPECT_LT(scaleOlder(channel(2, 100, 500), 100), 0.0f);
    EXPECT_EQ(scaleOlder(channel(2, 100, 500), 500), 0.0f);
    EXPECT_EQ(scaleOlder(channel(0, 100, 500), 7), 0.0f);
    // Extreme rawPoint1 values do not overflow the difference.
    EXPECT_EQ(scaleOlder(channel(1, 0, INT32_MIN), 65535), nearestFloat(thousandths(65535LL - INT32_MIN)));
    EXPECT_EQ(scaleOlder(channel(1, 0, INT32_MAX), 0), nearestFloat(thousandths(-1LL * INT32_MAX)));
    // The code is unsigned: 65535 is never -1.
    EXPECT_GT(scaleGeneral(channel(1, 0), 0xFFFF), 0.0f);
}

TEST(ChannelScaling, RecordTypeChoosesTheFormula)
{
    const ChannelSettings ch = channel(2, 10, 100);
    for (const char type : {'1', '2'}) EXPECT_EQ(scaleForRecordType(ch, type, 600), scaleOlder(ch, 600)) << type;
    for (const char type : {'3', '4', '5', '0', '9', 'X', '\0'})
        EXPECT_EQ(scaleForRecordType(ch, type, 600), scaleGeneral(ch, 600)) << type;
    EXPECT_NE(scaleOlder(ch, 600), scaleGeneral(ch, 600));
}

TEST(ChannelScaling, MonitorTextFollowsTheFormatTable)
{
    const char* formats[] = {"%5.0f\t", "%5.1f\t", "%5.2f\t", "%5.3f\t", "%5.4f\t"};
    for (const float v : {0.0f, 1.5f, -2.5f, 12.345f, -65.535f, 123456.78f, 3.4028235e38f}) {
        for (int nf = -2; nf <= 6; ++nf) {
            char expected[512];
            std::snprintf(expected, sizeof expected, (nf >= 0 && nf <= 4) ? formats[nf] : formats[0], double(v));
            EXPECT_EQ(monitorText(v, nf), expected) << v << " nf " << nf;
        }
    }
    EXPECT_EQ(monitorText(1.0f, 1), "  1.0\t");
}

// The "." must not come from the C library's current locale.
TEST(ChannelScaling, TextUsesAPointUnderADecimalCommaLocale)
{
    std::string probeText, monitor;
    {
        vorda::test::DecimalCommaLocale comma;
        if (!comma.active()) GTEST_SKIP() << comma.whyInactive();
        char probe[16];
        std::snprintf(probe, sizeof probe, "%.1f", 1.5);
        probeText = probe;
        monitor = monitorText(-1.25f, 2);
    }
    ASSERT_EQ(probeText, "1,5") << "the locale in force writes a decimal comma";
    EXPECT_EQ(monitor, "-1.25\t");
}

}  // namespace
}  // namespace vorda
