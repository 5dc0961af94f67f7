// The fast fixed-point formatter against the C library's printf.

#include "core/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include "support/decimal_comma_locale.h"

namespace {

std::string fast(float value, int decimals)
{
    char buf[vorda::kFixedTextMax];
    return std::string(buf, vorda::writeFixed(buf, value, decimals));
}

std::string reference(float value, int decimals)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, static_cast<double>(value));
    return buf;
}

void expectSameAsPrintf(float value, int decimals)
{
    ASSERT_EQ(fast(value, decimals), reference(value, decimals))
        << "value bits 0x" << std::hex << std::bit_cast<std::uint32_t>(value) << std::dec << ", decimals " << decimals;
}

TEST(NumberText, MatchesPrintfOnRandomFloatsOfEveryMagnitude)
{
    std::mt19937 rng(20240501);
    std::uniform_int_distribution<std::uint32_t> bits;
    for (int i = 0; i < 400000; ++i) {
        const float f = std::bit_cast<float>(bits(rng));
        if (std::isnan(f)) continue;
        expectSameAsPrintf(f, i % 5);
    }
}

TEST(NumberText, MatchesPrintfOnValuesOfMeasuringRange)
{
    // Values as scaling produces them: a code times a slope plus an offset.
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> code(0, 65535);
    std::uniform_real_distribution<double> slope(-5.0, 5.0);
    for (int i = 0; i < 400000; ++i) {
        const float f = static_cast<float>(code(rng) * slope(rng) * 0.001 - 20.0);
        for (int d = 0; d <= 4; ++d) expectSameAsPrintf(f, d);
    }
}

TEST(NumberText, ExactTiesRoundToEvenLikePrintf)
{
    // Odd multiples of 2^-k are halfway between two printed values for some decimals.
    for (int k = 1; k <= 12; ++k) {
        const float unit = std::ldexp(1.0f, -k);
        for (int m = -4001; m <= 4001; m += 2) {
            for (int d = 0; d <= 4; ++d) expectSameAsPrintf(static_cast<float>(m) * unit, d);
        }
    }
    EXPECT_EQ(fast(0.5f, 0), "0");
    EXPECT_EQ(fast(1.5f, 0), "2");
    EXPECT_EQ(fast(2.5f, 0), "2");
    EXPECT_EQ(fast(0.125f, 2), "0.12");
    EXPECT_EQ(fast(0.03125f, 4), "0.0312");
}

TEST(NumberText, SignsZerosAndSpecialValues)
{
    const float specials[] = {0.0f,
                              -0.0f,
                              -0.4f,
                              -0.04f,
                              1e-45f,
                              -1e-45f,
                              0.1f,
                              65.535f,
                              5.0f,
                              std::numeric_limits<float>::max(),
                              std::numeric_limits<float>::lowest(),
                              std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(),
                              4.6e14f,
                              4.7e14f,
                              9.9e17f,
                              1e19f};
    for (float f : specials)
        for (int d = 0; d <= 6; ++d) expectSameAsPrintf(f, d);
    EXPECT_EQ(fast(-0.4f, 0), "-0");  // printf keeps the sign of a value that rounds to zero
    EXPECT_EQ(fast(0.1f, 3), "0.100");
    EXPECT_EQ(fast(5.0f, 3), "5.000");
}

TEST(NumberText, DecimalsBeyondTheFastPathAndOutOfRange)
{
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> dist(-1000.0f, 1000.0f);
    for (int i = 0; i < 20000; ++i)
        for (int d = 5; d <= vorda::kMaxFixedDecimals; d += 5) expectSameAsPrintf(dist(rng), d);
    EXPECT_EQ(fast(1.25f, -3), reference(1.25f, 0));
    EXPECT_EQ(fast(1.25f, 1000), reference(1.25f, vorda::kMaxFixedDecimals));
    // What a damaged record's format gives: bounded text, NaN as printf writes it.
    const float big = std::numeric_limits<float>::max();
    EXPECT_EQ(fast(big, 1000000), reference(big, vorda::kMaxFixedDecimals));
    EXPECT_EQ(fast(-1.0f / 3, INT32_MAX), reference(-1.0f / 3, vorda::kMaxFixedDecimals));
    EXPECT_EQ(fast(std::nanf(""), 2), reference(std::nanf(""), 2));
}

TEST(NumberText, FixedTextIsPrintfWithWidthAndPrecision)
{
    const double values[] = {0.0, -0.0, 15.259, -42.09, 1e-50, 9999.0, 123456.789, -1.0 / 3, 1e300, 0.5, 2.5};
    for (const double v : values) {
        for (const int precision : {0, 2, 4, 6, 8}) {
            for (const int width : {0, 5, 7, 12}) {
                char expected[512];
                std::snprintf(expected, sizeof expected, "%*.*f", width, precision, v);
                EXPECT_EQ(vorda::fixedText(v, precision, width), expected) << v << " " << precision << " " << width;
                std::snprintf(expected, sizeof expected, "%*.*Lf", width, precision, static_cast<long double>(v) / 3);
                EXPECT_EQ(vorda::fixedText(static_cast<long double>(v) / 3, precision, width), expected);
            }
        }
    }
    std::string underComma;
    {
        vorda::test::DecimalCommaLocale comma;
        if (!comma.active()) GTEST_SKIP() << comma.whyInactive();
        underComma = vorda::fixedText(-2.5, 4, 8);
    }
    EXPECT_EQ(underComma, " -2.5000");
}

TEST(NumberText, PointStaysADotUnderADecimalCommaLocale)
{
    std::string fourDecimals, manyDecimals;
    {
        vorda::test::DecimalCommaLocale comma;
        if (!comma.active()) GTEST_SKIP() << comma.whyInactive();
        fourDecimals = fast(3.25f, 4);
        manyDecimals = fast(3.25f, 8);
    }
    EXPECT_EQ(fourDecimals, "3.2500");
    EXPECT_EQ(manyDecimals, "3.25000000");
}

TEST(NumberText, DecimalIntegersMatchPrintf)
{
    const long long values[] = {0,
                                1,
                                -1,
                                9,
                                10,
                                99,
                                100,
                                999,
                                1000,
                                1564670,
                                -48,
                                std::numeric_limits<long long>::max(),
                                std::numeric_limits<long long>::min()};
    for (long long v : values) {
        char buf[24];
        char expected[32];
        std::snprintf(expected, sizeof expected, "%lld", v);
        EXPECT_EQ(std::string(buf, vorda::writeDecimal(buf, v)), expected);
    }
}

}  // namespace
