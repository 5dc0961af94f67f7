#include "calibration/channel_constants.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace vorda {
namespace {

struct Expected {
    double sb;
    double sc;
    int format;
    std::string name;
};

// Every channel starts with values no preset writes.
Settings sentinelSettings()
{
    Settings s{};
    for (int c = 1; c <= kMaxChannels; ++c) {
        s.channel(c).slopeSB = 99;
        s.channel(c).offsetSC = 7;
        s.channel(c).linearSA = 9;
        s.channel(c).numberFormat = 3;
        setFieldText(s.channel(c).name, "old");
    }
    return s;
}

struct PresetCase {
    const char* caption;
    const char* chart;
    int channelMax;
    std::function<std::optional<Expected>(int)> channel;  // nullopt: untouched
    Expected shown;                                       // the fields afterwards, on channel 1
};

std::string kn(int c)
{
    return "k" + std::to_string(c);
}
std::string tEven(int c)
{
    return c % 2 == 0 ? "T" + std::to_string(c) : "";
}

const std::vector<PresetCase>& cases()
{
    static const std::vector<PresetCase> all = {
        {"16 wejść napięciowych 0-1000mV",
         " MAX 1100 MIN 0",
         16,
         [](int c) {
             return Expected{15.259, 0, 1, kn(c)};
         },
         {15.259, 0, 1, "k1"}},
        {"8 wejść temperatur PT500",
         " MAX 150 MIN -40",
         16,
         [](int c) {
             return Expected{2.913, -42.09, 1, tEven(c)};
         },
         {2.913, -42.09, 1, ""}},
        {"16 wejść napięciowych 0-4000mV",
         " MAX 4000 MIN 0",
         16,
         [](int c) {
             return Expected{61.036, 0, 0, kn(c)};
         },
         {61.036, 0, 0, "k1"}},
        {"4 wejścia 0-100mV i 4 wejścia PT500 ",
         " MAX 150 MIN -40",
         16,
         [](int c) {
             return c <= 8 ? Expected{1.5635, 0, 1, tEven(c)} : Expected{2.913, -42.09, 1, tEven(c)};
         },
         {1.5635, 0, 1, ""}},
        {"k1(siła) 0-200KG, k2(przes.) 0-1000mm",
         " MAX 1500 MIN 0",
         16,
         [](int c) {
             if (c == 1) return Expected{0.807, -0.635, 1, "Sila"};
             if (c == 2) return Expected{16.01, -8.18, 1, "Przes"};
             return Expected{15.259, 0, 1, ""};
         },
         {0.807, -0.635, 1, "Sila"}},
        {"k1,k2 przesunięcie 10mm, k3 obroty",
         " MAX 1100 MIN 0",
         16,
         [](int c) {
             if (c == 1) return Expected{0.263, 0, 2, "Przes1"};
             if (c == 2) return Expected{0.263, 0, 2, "Przes2"};
             if (c == 3) return Expected{1.5259, 0, 1, "Obroty"};
             return Expected{15.259, 0, 1, ""};
         },
         {0.263, 0, 2, "Przes1"}},
        {"4x0-25mm ; 2x 0-50m/s2",
         " MAX 25 MIN -5",
         16,
         [](int c) {
             if (c <= 4) return Expected{0.41, -1, 2, kn(c)};
             if (c == 5) return Expected{2.972, -83, 1, "k5A1"};
             if (c == 6) return Expected{2.67, -74, 1, "k6A2"};
             return Expected{15, 0, 1, ""};
         },
         {0.4, -1, 2, "k1"}},
        {"8 wejść analogowych; 8 liczników",
         " MAX 1100 MIN 0",
         16,
         [](int c) {
             return Expected{15.259, 0, 1, kn(c)};
         },
         {15.259, 0, 1, "k1"}},
        {"2xtemperat.;2xprzepływ.;2xcisnien.",
         " MAX 150 MIN 0",
         8,
         [](int c) -> std::optional<Expected> {
             switch (c) {
             case 1:
                 return Expected{4.009, -4, 1, "T1"};
             case 2:
                 return Expected{1.221, 0, 1, "V1"};
             case 3:
                 return Expected{0.76295, -10, 1, "P1"};
             case 4:
                 return Expected{4.009, -4, 1, "T2"};
             case 5:
                 return Expected{1.2207, 0, 1, "V2"};
             case 6:
                 return Expected{0.76295, -10, 1, "P2"};
             default:
                 return std::nullopt;
             }
         },
         {4.009, -4, 1, "T1"}},
        {"3xI(4-20mA)+3xPT1000+2xU(0-100mV)",
         " MAX 100 MIN -40",
         8,
         [](int c) -> std::optional<Expected> {
             if (c <= 3) return Expected{2.062408, -26.03, 1, "I" + std::to_string(c)};
             if (c <= 6) return Expected{1.82105, -51.5, 1, "T" + std::to_string(c - 3)};
             if (c <= 8) return Expected{1.65058, -0.94, 1, "U" + std::to_string(c - 6)};
             return std::nullopt;
         },
         {2.062408, -26.03, 1, "I1"}},
    };
    return all;
}

const SensorPreset& presetByCaption(const std::string& caption)
{
    for (const SensorPreset& p : sensorPresets())
        if (caption == p.caption) return p;
    ADD_FAILURE() << "no preset " << caption;
    return sensorPresets().front();
}

TEST(SensorPresets, EachPresetOnAllChannelsAndOnWhatChannel1Shows)
{
    EXPECT_EQ(sensorPresets().size(), 11u);
    for (const PresetCase& pc : cases()) {
        SCOPED_TRACE(pc.caption);
        Settings s = sentinelSettings();
        ConstantsEditorFields f;
        f.channel = 3;
        loadChannelFields(s, f);
        f.sa = QStringLiteral("0,5");  // what the hidden S_A field shows goes everywhere
        ASSERT_FALSE(applyPreset(s, f, presetByCaption(pc.caption)));
        for (int c = 1; c <= kMaxChannels; ++c) {
            SCOPED_TRACE(c);
            const ChannelSettings& ch = s.channel(c);
            if (const auto e = pc.channel(c)) {
                EXPECT_DOUBLE_EQ(ch.slopeSB, e->sb);
                EXPECT_DOUBLE_EQ(ch.offsetSC, e->sc);
                EXPECT_EQ(ch.numberFormat, e->format);
                EXPECT_EQ(fieldText(ch.name), e->name);
                EXPECT_DOUBLE_EQ(ch.linearSA, 0.5);
            } else {
                EXPECT_EQ(ch.slopeSB, 99);
                EXPECT_EQ(fieldText(ch.name), "old");
                EXPECT_EQ(ch.linearSA, 9);
            }
        }
        EXPECT_EQ(fieldText(s.chartParameters), pc.chart);
        EXPECT_EQ(f.channel, 1);
        EXPECT_EQ(f.channelMax, pc.channelMax);
        EXPECT_EQ(readCommaNumber(f.sb), pc.shown.sb);
        EXPECT_EQ(readCommaNumber(f.sc), pc.shown.sc);
        EXPECT_EQ(f.format, pc.shown.format);
        EXPECT_EQ(f.name.toStdString(), pc.shown.name);
    }
}

TEST(SensorPresets, SingleChannelPresetKeepsTheChannelAndTheChartText)
{
    Settings s = sentinelSettings();
    setFieldText(s.chartParameters, " MAX 5");
    ConstantsEditorFields f;
    f.channel = 5;
    loadChannelFields(s, f);
    ASSERT_FALSE(applyPreset(s, f, presetByCaption("0-1000mV.")));
    for (int c = 1; c <= kMaxChannels; ++c) EXPECT_EQ(s.channel(c).slopeSB, c == 5 ? 15.259 : 99.0) << c;
    EXPECT_EQ(fieldText(s.channel(5).name), "k5");
    EXPECT_EQ(s.channel(5).numberFormat, 1);
    EXPECT_EQ(s.channel(5).offsetSC, 0.0);
    EXPECT_EQ(fieldText(s.chartParameters), " MAX 5");
    EXPECT_EQ(f.channel, 5);
}

TEST(ChannelFields, SpinStoresTheChannelLeftThenLoadsTheNewOne)
{
    Settings s = sentinelSettings();
    s.channel(2).slopeSB = 2.5;
    ConstantsEditorFields f;
    loadChannelFields(s, f);
    EXPECT_EQ(f.sb, QStringLiteral("99"));
    f.sb = QStringLiteral("1,25");
    f.chart = QString(100, QLatin1Char('x'));
    ASSERT_FALSE(changeChannel(s, f, 2));
    EXPECT_EQ(s.channel(1).slopeSB, 1.25);
    EXPECT_EQ(f.channel, 2);
    EXPECT_EQ(f.sb, QStringLiteral("2,5"));
    EXPECT_EQ(fieldText(s.chartParameters).size(), 79u);

    // A point instead of the comma: S_B stored before it stays, the rest is skipped and
    // the spin does not move.
    f.sb = QStringLiteral("3,5");
    f.sc = QStringLiteral("10.5");
    f.name = QStringLiteral("new");
    const auto error = changeChannel(s, f, 3);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->text, QStringLiteral("10.5"));
    EXPECT_EQ(s.channel(2).slopeSB, 3.5);
    EXPECT_EQ(s.channel(2).offsetSC, 7.0);
    EXPECT_EQ(fieldText(s.channel(2).name), "old");
    EXPECT_EQ(f.channel, 2);
}

}  // namespace
}  // namespace vorda
