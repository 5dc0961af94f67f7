// The reader's number conversion must give exactly what the "%f" conversion of the C
// library gives: the same acceptance, the same consumed length and the same float bits.
#include "float_scan.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>
#include "support/decimal_comma_locale.h"

namespace {

using wizor::scanFloat;

// Reads `token` with sscanf "%f" in the C locale.
wizor::FloatScan referenceScan(const std::string& token)
{
    wizor::FloatScan r;
    int consumed = 0;
    float value = 0.0f;
    if (std::sscanf(token.c_str(), "%f%n", &value, &consumed) == 1) r = {true, value, std::size_t(consumed)};
    return r;
}

void expectSameAsScanf(const std::string& token)
{
    const wizor::FloatScan expected = referenceScan(token);
    const wizor::FloatScan got = scanFloat(token);
    ASSERT_EQ(got.ok, expected.ok) << "token '" << token << "'";
    if (!expected.ok) return;
    EXPECT_EQ(got.consumed, expected.consumed) << "token '" << token << "'";
    if (std::isnan(expected.value)) {
        EXPECT_TRUE(std::isnan(got.value)) << "token '" << token << "'";
        EXPECT_EQ(std::signbit(got.value), std::signbit(expected.value)) << "token '" << token << "'";
    } else {
        std::uint32_t a, b;
        std::memcpy(&a, &got.value, 4);
        std::memcpy(&b, &expected.value, 4);
        EXPECT_EQ(a, b) << "token '" << token << "' got " << got.value << " expected " << expected.value;
    }
}

TEST(FloatScan, SpecialFormsMatchScanf)
{
    for (const char* token : {"1",
                              "-3",
                              "0.5e2",
                              "7",
                              "+3",
                              "1,5",
                              "1-2",
                              ".5",
                              "1.",
                              ".",
                              "-",
                              "+",
                              "-.",
                              "-.e1",
                              ".e1",
                              "0.e1",
                              "1e",
                              "1e+",
                              "1e-",
                              "1E5",
                              "1e5e5",
                              "1.5.5",
                              "--1",
                              "1x",
                              "00x1",
                              "0",
                              "-0",
                              "000123.4500",
                              "0x",
                              "0X",
                              "0xg",
                              "0x1p3",
                              "0x1.8",
                              "0x1p",
                              "0x1P-2z",
                              "0xp3",
                              "0x.p1",
                              "0x.8",
                              "0xAbC.dEp+4",
                              "-0x1p3",
                              "inf",
                              "-inf",
                              "INFx",
                              "infin",
                              "infinity",
                              "Infinity1",
                              "infinit",
                              "nan",
                              "-nan",
                              "NaN(12)",
                              "na",
                              "n",
                              "1e99999",
                              "-1e99999",
                              "1e-99999",
                              "3.4028236e38",
                              "3.4028235e38",
                              "1.4e-45",
                              "7e-46",
                              "1e-40",
                              "0x1p200",
                              "0x1p-200",
                              "123456789012345678901234567890",
                              "1.00000005960464477539062500001",
                              "1.000000059604644775390625",
                              "16777217",
                              "0.1",
                              "-0.0",
                              "21.5",
                              "23.45"})
        expectSameAsScanf(token);
}

TEST(FloatScan, RandomTokensMatchScanf)
{
    std::mt19937 random(20240517);
    const std::string alphabet = "0123456789012345678901234567890123456789..--++eEeExXpPaAfFiInNty,";
    for (int i = 0; i < 200000; ++i) {
        std::string token(1 + random() % 12, ' ');
        for (char& c : token) c = alphabet[random() % alphabet.size()];
        expectSameAsScanf(token);
        if (HasFatalFailure()) return;
    }
}

TEST(FloatScan, RandomNumbersMatchScanf)
{
    std::mt19937_64 random(7);
    char text[64];
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        int exponent = 0;
        const double mantissa = std::frexp(value, &exponent);
        // Exponents across the float range, its subnormals and beyond it.
        const double wide = std::ldexp(mantissa, int(random() % 300) - 160);
        switch (i % 4) {
        case 0:
            std::snprintf(text, sizeof text, "%.9g", wide);
            break;
        case 1:
            std::snprintf(text, sizeof text, "%.17e", wide);
            break;
        case 2:
            std::snprintf(text, sizeof text, "%a", wide);
            break;
        default:
            std::snprintf(text, sizeof text, "%.*f", int(random() % 8), std::ldexp(mantissa, int(random() % 40) - 10));
            break;
        }
        expectSameAsScanf(text);
        if (HasFatalFailure()) return;
    }
}

// The reader ignores the process's locale: with a decimal comma in force a point still
// separates the decimals and "1,5" still reads as 1.
TEST(FloatScan, DecimalCommaLocaleChangesNothing)
{
    wizor::FloatScan point, comma, huge;
    {
        vorda::test::DecimalCommaLocale commaLocale;
        if (!commaLocale.active()) GTEST_SKIP() << commaLocale.whyInactive();
        point = scanFloat("21.5");
        comma = scanFloat("1,5");
        huge = scanFloat("1.5e60");
    }

    EXPECT_TRUE(point.ok);
    EXPECT_EQ(point.value, 21.5f);
    EXPECT_EQ(point.consumed, 4u);
    EXPECT_EQ(comma.value, 1.0f);
    EXPECT_EQ(comma.consumed, 1u);
    EXPECT_TRUE(std::isinf(huge.value));
}

}  // namespace
