#include "calibration/constants_report.h"
#include "core/settings_record.h"
#include "core/text_codec.h"
#include "files/measurement_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>
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
    ASSERT_EQ(lines.size(), 7);
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
    // The unnamed channel 3 is listed, and then said to be left out of the files.
    EXPECT_EQ(lines[6], QString::fromUtf8("Kanał 3 nie ma nazwy czujnika i nie jest zapisywany do plików pomiarów."));
}

TEST(ConstantsReport, NamesTheUsedChannelsThatTheFilesLeaveOut)
{
    struct Case {
        int channelsUsed;
        std::vector<int> unnamed;  // every other channel has a name
        const char* note;          // the report's last line, or nullptr for none
    };
    const Case cases[] = {
        {4, {}, nullptr},
        {4, {6, 9}, nullptr},  // unnamed, but beyond channelsUsed
        {4, {2}, "Kanał 2 nie ma nazwy czujnika i nie jest zapisywany do plików pomiarów."},
        {16, {1, 4, 16}, "Kanały 1, 4, 16 nie mają nazwy czujnika i nie są zapisywane do plików pomiarów."},
        {99, {16}, "Kanał 16 nie ma nazwy czujnika i nie jest zapisywany do plików pomiarów."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.channelsUsed);
        Settings s{};
        s.channelsUsed = c.channelsUsed;
        for (int k = 1; k <= kMaxChannels; ++k)
            if (std::find(c.unnamed.begin(), c.unnamed.end(), k) == c.unnamed.end())
                setFieldText(s.channel(k).name, "K" + std::to_string(k));
        const QStringList lines = constantsReportLines(s);
        const int listed = std::min(c.channelsUsed, kMaxChannels);
        ASSERT_EQ(lines.size(), 2 + listed + (c.note ? 1 : 0));
        if (c.note) EXPECT_EQ(lines.last(), QString::fromUtf8(c.note));
        // The command line says the same of the same channels.
        EXPECT_EQ(namelessUsedChannels(s), c.note ? c.unnamed : std::vector<int>{});
    }
}

TEST(ConstantsReport, ChannelCountIsBoundedToTheTable)
{
    Settings s{};
    for (int k = 1; k <= kMaxChannels; ++k) setFieldText(s.channel(k).name, "K");
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
