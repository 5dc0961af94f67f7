#include "calibration/settings_command.h"
#include "core/settings_files.h"

#include <gtest/gtest.h>

#include <limits>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

namespace vorda {
namespace {

SettingsControls nothingChecked()
{
    SettingsControls c;
    c.sendSamplingTime = c.sendSampleCount = c.sendChannelCount = c.sendDateTime = false;
    c.sendTriggerLevels = c.sendConstants = c.sendTriggerMode = false;
    c.sbText = QStringLiteral("15,259");
    c.scText = QStringLiteral("0");
    return c;
}

QByteArray commandOf(const SettingsControls& c)
{
    const CommandOutcome out = buildSettingsCommand(c);
    EXPECT_FALSE(out.error.has_value()) << (out.error ? out.error->message().toStdString() : "");
    return out.command ? out.command->text : QByteArray("<none>");
}

TEST(SettingsCommand, OnlySamplingTimeAndNothingChecked)
{
    SettingsControls c = nothingChecked();
    EXPECT_EQ(commandOf(c), QByteArray("     &"));

    c.sendSamplingTime = true;
    c.samplingTimeText = QStringLiteral("25");
    const CommandOutcome out = buildSettingsCommand(c);
    ASSERT_TRUE(out.command);
    EXPECT_EQ(out.command->text, QByteArray("  M_S 25     &"));
    EXPECT_FALSE(out.command->statusRead);
    EXPECT_FALSE(out.command->expectedSamples);
}

TEST(SettingsCommand, EveryItemWithTheDefaults)
{
    SettingsControls c = nothingChecked();
    applyDialogDefaults(c);
    c.sendTriggerLevels = c.sendConstants = c.sendTriggerMode = true;
    c.timeText = QStringLiteral("12:34:56");
    c.dateText = QStringLiteral("2026-12-09");
    const CommandOutcome out = buildSettingsCommand(c);
    ASSERT_TRUE(out.command);
    EXPECT_EQ(out.command->text, QByteArray("  M_S 10 M_C 500 k2 TIME 12:34:56 DATE 2026-12-09 L_D 1966  L_U 4587  "
                                            "O_N  S_B 15.259 S_C 0     &"));
    EXPECT_TRUE(out.command->statusRead);
    EXPECT_EQ(out.command->expectedSamples, 1000);

    c.triggerEnabled = true;
    EXPECT_TRUE(commandOf(c).contains(" O_T  S_B "));
    // A model-5 recorder: the levels and constants are left out, the mode stays.
    c.triggerItemsDisabled = true;
    c.sbText = c.scText = QStringLiteral("...");
    EXPECT_TRUE(commandOf(c).endsWith("DATE 2026-12-09 O_T      &"));
}

TEST(SettingsCommand, TriggerCodes)
{
    EXPECT_EQ(triggerCode(30.0f, 15.259f, 0.0f).code, 1966u);
    EXPECT_EQ(triggerCode(70.0f, 15.259f, 0.0f).code, 4587u);
    EXPECT_EQ(triggerCode(123.0f, 0.0f, 5.0f).code, 65535u);
    EXPECT_EQ(triggerCode(-7.0f, 0.0f, 5.0f).code, 65535u);
    EXPECT_EQ(triggerCode(4.0f, 15.259f, 5.0f).code, 0u);      // below S_C
    EXPECT_EQ(triggerCode(1.96699f, 1.0f, 0.0f).code, 1966u);  // q = 1966.99 is truncated
    const TriggerCode big = triggerCode(1e9f, 0.001f, 0.0f);
    EXPECT_EQ(big.code, 4294967295u);
    EXPECT_TRUE(big.capped);
    EXPECT_FALSE(triggerCode(4294967.0f, 1.0f, 0.0f).capped);
    EXPECT_EQ(triggerCode(4294967.0f, 1.0f, 0.0f).code, 4294967040u);  // the float nearest 4294967000
}

TEST(SettingsCommand, LevelsAndConstantsFromTheLabels)
{
    SettingsControls c = nothingChecked();
    c.sendTriggerLevels = true;
    c.triggerStartText = QStringLiteral("1,96699");
    c.triggerStopText = QStringLiteral("-3");
    c.sbText = QStringLiteral("1");
    EXPECT_EQ(commandOf(c), QByteArray(" L_D 1966  L_U 0      &"));

    c.sendTriggerLevels = false;
    c.sendConstants = true;
    c.sbText = QStringLiteral("15,2590000001");
    c.scText = QStringLiteral("-42,0912345");
    EXPECT_EQ(commandOf(c), QByteArray(" S_B 15.259000 S_C -42.09123     &"));
}

TEST(SettingsCommand, NoLevelsOrConstantsAreSentWhileChannel1HasNoSlope)
{
    for (const bool levels : {true, false}) {
        for (const char* sb : {"0", "0,0", "-0"}) {
            SCOPED_TRACE(std::string(levels ? "levels, S_B " : "constants, S_B ") + sb);
            SettingsControls c = nothingChecked();
            c.sendTriggerLevels = levels;
            c.sendConstants = !levels;
            c.sbText = QString::fromLatin1(sb);
            const CommandOutcome out = buildSettingsCommand(c);
            EXPECT_FALSE(out.command);
            ASSERT_TRUE(out.error);
            EXPECT_EQ(out.error->message(), noSlopeText());
        }
    }
    EXPECT_TRUE(noSlopeText().startsWith(QStringLiteral("Kanał 1 nie ma jeszcze stałej S_B")));
    // The model-5 recorder sends neither item, so nothing is refused.
    SettingsControls c = nothingChecked();
    c.sendTriggerLevels = c.triggerItemsDisabled = true;
    c.sbText = QStringLiteral("0");
    EXPECT_TRUE(buildSettingsCommand(c).command);
}

TEST(SettingsCommand, FieldsThatAreNotNumbersStopTheBuild)
{
    SettingsControls c = nothingChecked();
    c.sendTriggerLevels = true;
    c.triggerStartText = QStringLiteral("10.5");  // a point where the comma belongs
    CommandOutcome out = buildSettingsCommand(c);
    EXPECT_FALSE(out.command);
    ASSERT_TRUE(out.error);
    EXPECT_EQ(out.error->field, QStringLiteral("Start"));
    EXPECT_EQ(out.error->message(), QStringLiteral("\"10.5\" nie jest prawidłową liczbą (pole \"Start\")."));

    // Counts too large for the product's type give the largest expectation, not an overflow.
    c = nothingChecked();
    c.sendSampleCount = c.sendChannelCount = true;
    c.sampleCountText = QStringLiteral("4100000066");
    c.channelCountText = QStringLiteral("14041006614022");
    EXPECT_EQ(buildSettingsCommand(c).command->expectedSamples, std::numeric_limits<int>::max());

    c = nothingChecked();
    c.sendSampleCount = c.sendChannelCount = true;
    c.sampleCountText = QStringLiteral("5x");
    out = buildSettingsCommand(c);
    ASSERT_TRUE(out.error);
    EXPECT_EQ(out.error->field, QStringLiteral("Liczba próbek"));
}

TEST(SettingsCommand, SampleCountCorrection)
{
    EXPECT_EQ(correctSampleCount(QStringLiteral("2000000")), QStringLiteral("1564670"));
    EXPECT_EQ(correctSampleCount(QStringLiteral("-5")), QStringLiteral("1"));
    EXPECT_EQ(correctSampleCount(QStringLiteral("0")), QStringLiteral("1"));
    EXPECT_EQ(correctSampleCount(QStringLiteral("1564670")), QStringLiteral("1564670"));
    EXPECT_EQ(correctSampleCount(QStringLiteral("0500")), QStringLiteral("0500"));
    EXPECT_FALSE(correctSampleCount(QStringLiteral("5,5")));
}

TEST(SettingsCommand, ControlsIntoSettingsAndBack)
{
    Settings s{};
    SettingsControls c = nothingChecked();
    applyDialogDefaults(c);
    c.portParams = QStringLiteral(":9600,n,8,2,p");
    c.firstColumn = 3;
    c.sendTriggerMode = c.triggerEnabled = true;
    ASSERT_FALSE(storeControls(c, s));
    EXPECT_EQ(s.baudRate, 9600u);
    EXPECT_EQ(s.portNumber, 1);
    EXPECT_EQ(s.samplingTimeMs, 10u);
    EXPECT_EQ(s.sampleCount, 500u);
    EXPECT_EQ(s.channelsUsed, 2);
    EXPECT_EQ(s.firstColumn, 3);
    EXPECT_EQ(fieldText(s.triggerStartText), "30");
    EXPECT_EQ(fieldText(s.portParams), ":9600,n,8,2,p");
    EXPECT_EQ(s.sendChannelCount, 1);
    EXPECT_EQ(s.sendTriggerLevels, 0);
    EXPECT_EQ(s.triggerEnabled, 1);

    s.channel(1).slopeSB = 15.259;
    s.channel(1).offsetSC = -42.09;
    SettingsControls back = controlsFromSettings(s);
    EXPECT_EQ(back.sbText, QStringLiteral("15,259"));
    EXPECT_EQ(back.scText, QStringLiteral("-42,09"));
    EXPECT_EQ(back.portParams, c.portParams);
    EXPECT_EQ(back.sampleCountText, QStringLiteral("500"));
    EXPECT_EQ(back.channelCountPosition, 2);
    EXPECT_TRUE(back.triggerEnabled);
    EXPECT_FALSE(back.triggerItemsDisabled);
    std::memcpy(s.status.tag, "R5", 3);
    back = controlsFromSettings(s);
    EXPECT_TRUE(back.triggerItemsDisabled);
    EXPECT_EQ(back.sbText, QStringLiteral("..."));

    // A mode text without a number stops the store at its first step.
    c.portParams = QStringLiteral("abc");
    c.sampleCountText = QStringLiteral("77");
    const auto error = storeControls(c, s);
    ASSERT_TRUE(error);
    EXPECT_EQ(s.sampleCount, 500u);
    EXPECT_EQ(baudRateOf(QStringLiteral(":230400,n,8,2,p")), 230400u);
}

TEST(SettingsProgram, RoundTripAndWrongSizeLoad)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Reporter quiet;
    Settings s{};
    applyStartupDefaults(s, dir.path());
    s.sampleCount = 4321;
    const QString program = dir.filePath(QStringLiteral("prog.roln"));
    ASSERT_TRUE(saveSettingsProgram(s, program, quiet));
    ASSERT_TRUE(installSettingsProgram(program, dir.path(), quiet));
    const auto image = readSettingsImage(dir.filePath(QString::fromLatin1(kConfigFileName)));
    ASSERT_TRUE(image);
    EXPECT_EQ(*image, s.toImage());

    class Recording : public Reporter {
    public:
        std::vector<QString> messages;
        void showMessage(const QString& text, const QString&, MessageIcon) override { messages.push_back(text); }
    } recording;
    QFile wrong(dir.filePath(QStringLiteral("short.roln")));
    ASSERT_TRUE(wrong.open(QIODevice::WriteOnly));
    wrong.write(QByteArray(2199, 'x'));
    wrong.close();
    EXPECT_FALSE(installSettingsProgram(wrong.fileName(), dir.path(), recording));
    ASSERT_EQ(recording.messages.size(), 1u);
    EXPECT_TRUE(recording.messages[0].contains(QStringLiteral("2199")));
    EXPECT_EQ(readSettingsImage(dir.filePath(QString::fromLatin1(kConfigFileName))), image);
}

}  // namespace
}  // namespace vorda
