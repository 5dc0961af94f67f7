#include "calibration/user_parameters.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <algorithm>
#include <cmath>

namespace vorda {
namespace {

class UserParameters : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int c = 1; c <= kMaxChannels; ++c) {
            s.channel(c).slopeSB = 99;
            setFieldText(s.channel(c).name, "old");
        }
        loadChannelFields(s, f);
        f.sa = QStringLiteral("0,25");
    }
    Settings s{};
    ConstantsEditorFields f;
};

TEST_F(UserParameters, CarriedFieldsMissingNameShortLinesAndLineEnds)
{
    for (const char* eol : {"\r\n", "\n"}) {
        SCOPED_TRACE(eol == std::string("\n") ? "LF" : "CR-LF");
        SetUp();
        const QByteArray text = QByteArray("Hala 2") + eol + "1 15,259 0 1 k1" + eol + "2 2,913 -42,09 1 T2" + eol +
                                "3 1,5 0 1" + eol + "1 2 3" + eol + "4 3,75" + eol + eol + "12     " + eol;
        const ParameterSetOutcome out = applyParameterSet(s, f, text);
        EXPECT_TRUE(out.found);
        EXPECT_EQ(out.title, QStringLiteral("Hala 2"));
        EXPECT_EQ(out.titleText(), QStringLiteral("Hala 2"));
        EXPECT_EQ(out.linesSkipped, 0);
        EXPECT_EQ(out.channelsSet, 5);
        EXPECT_EQ(s.channel(1).slopeSB, 15.259);
        EXPECT_EQ(fieldText(s.channel(1).name), "k1");
        EXPECT_EQ(s.channel(2).offsetSC, -42.09);
        EXPECT_EQ(fieldText(s.channel(2).name), "T2");
        EXPECT_EQ(s.channel(3).slopeSB, 1.5);
        EXPECT_EQ(s.channel(3).numberFormat, 1);
        EXPECT_EQ(fieldText(s.channel(3).name), "");
        // "4 3,75": S_C and format carried from the line before, the name emptied.
        EXPECT_EQ(s.channel(4).slopeSB, 3.75);
        EXPECT_EQ(s.channel(4).offsetSC, 0.0);
        EXPECT_EQ(s.channel(4).numberFormat, 1);
        // "12     ": every field but the channel carried over.
        EXPECT_EQ(s.channel(12).slopeSB, 3.75);
        EXPECT_EQ(fieldText(s.channel(12).name), "");
        EXPECT_EQ(s.channel(12).linearSA, 0.25);
        EXPECT_EQ(s.channel(5).slopeSB, 99.0);  // "1 2 3" is too short to count
        EXPECT_EQ(f.channel, 12);
    }
}

TEST_F(UserParameters, RefusedLinesAreCountedAndABadNumberStops)
{
    const QByteArray text =
        "Zestaw\n"
        "17 1,0 0 1 k17\n"
        "x1 1,0 0 1 kx\n"
        "5 1,0 0 7 k5\n"
        "6 1,5 0 2 k6\n"
        "7 1.5 0 2 k7\n"
        "8 2,5 0 2 k8\n";
    const ParameterSetOutcome out = applyParameterSet(s, f, text);
    EXPECT_EQ(out.linesSkipped, 3);
    EXPECT_EQ(out.titleText(), QStringLiteral("Zestaw (pominięto 3 wierszy)"));
    EXPECT_EQ(s.channel(5).slopeSB, 99.0);
    EXPECT_EQ(s.channel(6).slopeSB, 1.5);
    ASSERT_TRUE(out.error);
    EXPECT_EQ(out.error->text, QStringLiteral("1.5"));
    EXPECT_EQ(out.errorLine, 6);
    EXPECT_EQ(s.channel(7).slopeSB, 99.0);
    EXPECT_EQ(s.channel(8).slopeSB, 99.0);

    // Above the spin maximum of 8 after the two eight-channel presets.
    f.channelMax = 8;
    const ParameterSetOutcome limited = applyParameterSet(s, f, "T\n9 1,0 0 1 k9\n8 1,0 0 1 k8\n");
    EXPECT_EQ(limited.linesSkipped, 1);
    EXPECT_EQ(s.channel(9).slopeSB, 99.0);
    EXPECT_EQ(s.channel(8).slopeSB, 1.0);
}

TEST_F(UserParameters, NonFiniteConstantsStopTheSetNamingLineAndField)
{
    for (const char* bad : {"nan", "NaN", "inf", "-inf", "1e400"}) {
        for (const bool inSb : {true, false}) {
            SCOPED_TRACE(std::string(bad) + (inSb ? " as S_B" : " as S_C"));
            const QByteArray line = inSb ? QByteArray("2 ") + bad + " 0 1 k2\n" : QByteArray("2 1,5 ") + bad + " 1 k2\n";
            const ParameterSetOutcome out = applyParameterSet(s, f, "T\n1 1e-50 0 1 k1\n" + line);
            ASSERT_TRUE(out.error);
            EXPECT_EQ(out.errorLine, 3);
            EXPECT_EQ(out.error->text, QLatin1String(bad));
            EXPECT_TRUE(out.error->message().contains(inSb ? QStringLiteral("S_B") : QStringLiteral("S_C")))
                << out.error->message().toStdString();
            EXPECT_EQ(s.channel(1).slopeSB, 1e-50);
            EXPECT_TRUE(std::isfinite(s.channel(2).slopeSB) && std::isfinite(s.channel(2).offsetSC));
        }
    }
}

TEST_F(UserParameters, LongLinesAreSkippedAndReadingStopsAtTheLineLimit)
{
    QByteArray text = "T\n3 " + QByteArray(100000, '7') + " 0 1 k3\n2 1,5 0 1 k2\n";
    const ParameterSetOutcome longLine = applyParameterSet(s, f, text);
    EXPECT_EQ(longLine.linesSkipped, 1);
    EXPECT_EQ(s.channel(3).slopeSB, 99.0);
    EXPECT_EQ(s.channel(2).slopeSB, 1.5);
    EXPECT_FALSE(longLine.truncated);

    text = "T\n";
    for (int i = 2; i < kMaxParameterLines; ++i) text += "#\n";
    text += "4 2,5 0 1 k4\n5 3,5 0 1 k5\n";  // lines kMaxParameterLines and one past it
    const ParameterSetOutcome limited = applyParameterSet(s, f, text);
    EXPECT_TRUE(limited.truncated);
    EXPECT_EQ(s.channel(4).slopeSB, 2.5);
    EXPECT_EQ(s.channel(5).slopeSB, 99.0);

    // A FIFO is not read (it would block).
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("set.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(applyParameterFile(s, f, fifo).found);
}

TEST(ShippedParameterSet, NamesEveryChannelWithTheVoltagePresetsConstants)
{
    const QString installed = QStringLiteral(VORDA_SOURCE_DIR "/packaging");
    QTemporaryDir config;
    const QString shipped = startupParameterFile(config.path(), installed);
    ASSERT_EQ(shipped, installed + QStringLiteral("/Config/userparameter1.txt"));

    Settings fromFile{};
    ConstantsEditorFields fields;
    loadChannelFields(fromFile, fields);
    const ParameterSetOutcome out = applyParameterFile(fromFile, fields, shipped);
    EXPECT_EQ(out.channelsSet, 16);
    EXPECT_EQ(out.linesSkipped, 0);
    EXPECT_FALSE(out.error);

    Settings fromPreset{};
    ConstantsEditorFields presetFields;
    loadChannelFields(fromPreset, presetFields);
    const auto& presets = sensorPresets();
    const auto voltage = std::find_if(presets.begin(), presets.end(), [](const SensorPreset& p) {
        return QString::fromUtf8(p.caption) == QString::fromUtf8("16 wejść napięciowych 0-1000mV");
    });
    ASSERT_NE(voltage, presets.end());
    ASSERT_FALSE(applyPreset(fromPreset, presetFields, *voltage));
    for (int c = 1; c <= kMaxChannels; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(fieldText(fromFile.channel(c).name), "k" + std::to_string(c));
        EXPECT_EQ(fieldText(fromFile.channel(c).name), fieldText(fromPreset.channel(c).name));
        EXPECT_EQ(fromFile.channel(c).slopeSB, fromPreset.channel(c).slopeSB);
        EXPECT_EQ(fromFile.channel(c).offsetSC, fromPreset.channel(c).offsetSC);
        EXPECT_EQ(fromFile.channel(c).numberFormat, fromPreset.channel(c).numberFormat);
    }

    // A set in the start-up directory's Config/ comes first.
    QFile own(config.filePath(QString::fromLatin1(kStartupParameterFile)));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.close();
    EXPECT_EQ(startupParameterFile(config.path(), installed), own.fileName());
    EXPECT_EQ(startupParameterFile(QString(), QString()), QString());
}

TEST_F(UserParameters, TitleOnlyAndMissingFile)
{
    const ParameterSetOutcome out = applyParameterSet(s, f, "Tylko tytu\xb3\r\n");
    EXPECT_EQ(out.title, QStringLiteral("Tylko tytu") + QChar(0x0142));
    EXPECT_EQ(out.channelsSet, 0);
    EXPECT_EQ(s.channel(1).slopeSB, 99.0);
    EXPECT_FALSE(applyParameterFile(s, f, QStringLiteral("/nonexistent/userparameter1.txt")).found);
}

}  // namespace
}  // namespace vorda
