#include "calibration/constants_report.h"
#include "core/settings_record.h"
#include "core/text_codec.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>
#include "support/decimal_comma_locale.h"

namespace vorda {
namespace {

// The line as the C library writes it in the "C" locale.
std::string printfLine(int c, const char* name, double p1, double p2, double sb, double sc)
{
    char line[512];
    std::snprintf(line, sizeof line, " %2d  %10s %8.3f %8.3f      %8.6f    %8.4f", c, name, p1, p2, sb, sc);
    return line;
}

TEST(ConstantsReport, HeadingsThenOneLinePerUsedChannel)
{
    Settings s{};
    s.channelsUsed = 4;
    setFieldText(s.channel(1).name, "k1");
    s.channel(1).slopeSB = 15.259;
    setFieldText(s.channel(2).name, toWin1250Lossy(QStringLiteral("Ciśnienie")));
    s.channel(2).valuePoint1 = -1.5;
    s.channel(2).valuePoint2 = 250.0625;
    s.channel(2).offsetSC = -12.34565;
    s.channel(3).slopeSB = 9999;  // the marker of a failed calibration; name left empty
    setFieldText(s.channel(4).name, "bardzo_dluga_nazwa");
    s.channel(5).slopeSB = 1;  // beyond channelsUsed

    const QStringList lines = constantsReportLines(s);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], QStringLiteral(" Numer   Nazwa   Wartość_punktów_kalib.  Stałe_kalibracji(S_B,S_C)  "));
    EXPECT_EQ(lines[1], QStringLiteral("kanału  czujnika   Punkt1   Punkt2       Nachylenie Przesunięcie    "));
    EXPECT_EQ(lines[0].size(), 68);
    EXPECT_EQ(lines[1].size(), 68);

    EXPECT_EQ(lines[2].toStdString(), printfLine(1, "k1", 0, 0, 15.259, 0));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("  1          k1    0.000    0.000      15.259000    ")));
    EXPECT_EQ(lines[3], fromWin1250(printfLine(2, toWin1250Lossy(QStringLiteral("Ciśnienie")).c_str(), -1.5, 250.0625,
                                               0, -12.34565)));
    EXPECT_EQ(lines[4].toStdString(), printfLine(3, "", 0, 0, 9999, 0));
    EXPECT_EQ(lines[4].mid(5, 10), QString(10, QLatin1Char(' ')));
    EXPECT_TRUE(lines[4].contains(QStringLiteral("9999.000000")));
    EXPECT_EQ(lines[5].toStdString(), printfLine(4, "bardzo_dluga_nazwa", 0, 0, 0, 0));
}

TEST(ConstantsReport, ChannelCountIsBoundedToTheTable)
{
    Settings s{};
    s.channelsUsed = 99;
    EXPECT_EQ(constantsReportLines(s).size(), 2 + kMaxChannels);
    // A stored count of 0 or less lists no channel: only the headings.
    s.channelsUsed = 0;
    EXPECT_EQ(constantsReportLines(s).size(), 2);
    s.channelsUsed = -5;
    EXPECT_EQ(constantsReportLines(s).size(), 2);
}

TEST(ConstantsReport, NumbersKeepTheirPointUnderADecimalCommaLocale)
{
    Settings s{};
    s.channelsUsed = 1;
    s.channel(1).valuePoint1 = 0.5;
    s.channel(1).slopeSB = 1e7;
    QStringList lines;
    {
        test::DecimalCommaLocale comma;
        if (!comma.active()) GTEST_SKIP() << comma.whyInactive();
        lines = constantsReportLines(s);
    }
    EXPECT_EQ(lines[2].toStdString(), printfLine(1, "", 0.5, 0, 1e7, 0));
}

}  // namespace
}  // namespace vorda
