// The wizard's page machine in both roles, over a scripted recorder.

#include "calibration/calibration_wizard.h"
#include "calibration/calibration_history.h"
#include "core/channel_scaling.h"
#include "core/program_state.h"
#include "support/fake_transport.h"
#include "link/recorder_protocol.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include <deque>

namespace vorda {
namespace {

class RecordingReporter : public Reporter {
public:
    void showMessage(const QString& text, const QString& caption, MessageIcon) override
    {
        messages << caption + QLatin1Char('|') + text;
    }
    QStringList messages;
};

// A recorder whose averaged codes come from a queue; an empty queue is silence.
class ScriptedDevice : public CalibrationDevice {
public:
    bool readStatus() override
    {
        ++statusReads;
        return answers;
    }
    std::optional<std::int32_t> averagedCode(int channel) override
    {
        readChannels.push_back(channel);
        if (codes.empty()) return std::nullopt;
        const std::int32_t code = codes.front();
        codes.pop_front();
        return code;
    }
    bool answers = true;
    int statusReads = 0;
    std::deque<std::int32_t> codes;
    std::vector<int> readChannels;
};

class WizardTest : public ::testing::Test {
protected:
    WizardTest()
    {
        wizard.setClock([] { return QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)); });
    }

    static Settings startSettings()
    {
        Settings settings{};
        settings.channelsUsed = 4;
        settings.currentChannel = 2;
        setFieldText(settings.channel(2).name, "k2");
        settings.channel(2).numberFormat = 1;
        setFieldText(settings.channel(3).name, "k3");
        settings.channel(3).numberFormat = 3;
        settings.channel(3).slopeSB = 10.0;
        settings.channel(3).rawPoint2 = 777;
        return settings;
    }

    // Intro to the first point page on channel 3, named `name`.
    void toFirstPoint(WizardRole role, const QString& name = QStringLiteral("Pt1"))
    {
        wizard.start(role);
        wizard.press(WizardButton::Next);
        wizard.setChannel(3);
        wizard.setField(name);
        wizard.press(WizardButton::Next);
    }

    void nextWith(const char* value, std::optional<std::int32_t> code)
    {
        if (code) device.codes.push_back(*code);
        wizard.setField(QString::fromLatin1(value));
        wizard.press(WizardButton::Next);
    }

    QTemporaryDir dir;
    Settings settings = startSettings();
    ScriptedDevice device;
    RecordingReporter reporter;
    CalibrationWizard wizard{settings, device, reporter, dir.path()};
};

TEST_F(WizardTest, CalibrationWalksThroughEveryPage)
{
    wizard.start(WizardRole::Calibration);
    EXPECT_EQ(wizard.view().caption, QStringLiteral("Kalibracja"));
    EXPECT_EQ(wizard.view().introHeading, QStringLiteral("Przed kalibracją sprawdź:"));
    EXPECT_FALSE(wizard.view().stepsVisible);

    wizard.press(WizardButton::Next);
    ASSERT_EQ(wizard.page(), WizardPage::Channel);
    EXPECT_EQ(device.statusReads, 1);
    EXPECT_TRUE(wizard.view().stepsVisible);
    EXPECT_EQ(wizard.view().field, QStringLiteral("k2"));
    EXPECT_EQ(wizard.view().formatIndex, 1);

    // A channel change stores the fields into the channel left and loads the new one.
    wizard.setField(QStringLiteral("k2b"));
    wizard.setChannel(3);
    EXPECT_EQ(fieldText(settings.channel(2).name), "k2b");
    EXPECT_EQ(wizard.view().field, QStringLiteral("k3"));
    EXPECT_EQ(wizard.view().formatIndex, 3);

    wizard.setField(QStringLiteral("Pt1"));
    wizard.setFormatIndex(2);
    wizard.press(WizardButton::Next);
    ASSERT_EQ(wizard.page(), WizardPage::FirstPoint);
    EXPECT_EQ(fieldText(settings.channel(3).name), "Pt1");
    EXPECT_EQ(settings.channel(3).numberFormat, 2);
    EXPECT_EQ(wizard.view().field, QStringLiteral(" 0.0000"));
    EXPECT_EQ(wizard.view().subPrompt, QStringLiteral("wartości dla czujnika  Pt1"));
    EXPECT_FALSE(wizard.view().channelEnabled);
    EXPECT_FALSE(wizard.view().finishEnabled);

    nextWith("0,0", 1000);
    ASSERT_EQ(wizard.page(), WizardPage::SecondPoint);
    EXPECT_EQ(settings.channel(3).rawPoint1, 0) << "nothing is stored before the second point";
    EXPECT_EQ(wizard.view().fieldCaption, QStringLiteral("Wartość kalibrująca"));
    // The second point value (0 so far) is offered.
    EXPECT_EQ(wizard.view().field, QStringLiteral(" 0.0000"));

    nextWith("100.0", 11000);
    ASSERT_EQ(wizard.page(), WizardPage::CalibrationResult);
    const ChannelSettings& ch = settings.channel(3);
    EXPECT_EQ(ch.rawPoint1, 1000);
    EXPECT_EQ(ch.rawPoint2, 11000);
    EXPECT_DOUBLE_EQ(ch.slopeSB, 10.0);
    EXPECT_DOUBLE_EQ(ch.offsetSC, -10.0);
    EXPECT_EQ(wizard.view().constants, QStringLiteral("10.000000 / -10.0000"));
    EXPECT_EQ(wizard.view().prompt, QStringLiteral("Koniec kalibracji czujnika Pt1."));
    EXPECT_EQ(wizard.view().field, QStringLiteral("Pt1"));
    EXPECT_FALSE(wizard.view().fieldEnabled);
    EXPECT_TRUE(wizard.view().finishEnabled);
    EXPECT_EQ(device.readChannels, (std::vector<int>{3, 3}));
    ASSERT_EQ(readHistory(dir.path()).size(), 2);
    EXPECT_TRUE(readHistory(dir.path())[1].startsWith(QStringLiteral("2026-01-02 03:04:05;kalibracja;3;Pt1;1000;")));

    // Back to the second point takes no reading; forward again reads anew, point 1 kept.
    wizard.press(WizardButton::Back);
    ASSERT_EQ(wizard.page(), WizardPage::SecondPoint);
    EXPECT_EQ(wizard.view().field, QStringLiteral("100.0000"));
    EXPECT_EQ(device.readChannels.size(), 2u);
    nextWith("100.0", 6000);
    ASSERT_EQ(wizard.page(), WizardPage::CalibrationResult);
    EXPECT_DOUBLE_EQ(settings.channel(3).slopeSB, 20.0);
    EXPECT_DOUBLE_EQ(settings.channel(3).offsetSC, -20.0);

    wizard.press(WizardButton::Next);
    EXPECT_EQ(wizard.page(), WizardPage::Intro);
    EXPECT_FALSE(wizard.view().stepsVisible);
    EXPECT_TRUE(wizard.press(WizardButton::Finish));
    EXPECT_EQ(fieldText(settings.channel(3).name), "Pt1");
    EXPECT_EQ(settings.currentChannel, 3);
    EXPECT_TRUE(reporter.messages.isEmpty());
}

TEST_F(WizardTest, FailuresKeepThePageAndStoreNothing)
{
    device.answers = false;
    wizard.start(WizardRole::Calibration);
    wizard.press(WizardButton::Next);
    EXPECT_EQ(wizard.page(), WizardPage::Intro);
    EXPECT_EQ(reporter.messages.value(0), QStringLiteral("Błąd...|") + noCommunicationText());

    device.answers = true;
    toFirstPoint(WizardRole::Calibration);
    settings.channel(3).rawPoint1 = 55;
    nextWith("1.0", std::nullopt);  // silence
    EXPECT_EQ(wizard.page(), WizardPage::FirstPoint);
    EXPECT_EQ(settings.channel(3).rawPoint1, 55);
    EXPECT_EQ(reporter.messages.size(), 2);

    // Not a number: no reading is taken.
    const std::size_t reads = device.readChannels.size();
    nextWith("abc", 100);
    EXPECT_EQ(wizard.page(), WizardPage::FirstPoint);
    EXPECT_EQ(device.readChannels.size(), reads);
    EXPECT_EQ(reporter.messages.last(),
              QString::fromUtf8("Uwaga!|Wartość punktu 1: \"abc\" nie jest liczbą.\n") + notANumberText());

    // An empty name is refused on leaving page 1.
    wizard.press(WizardButton::Back);
    ASSERT_EQ(wizard.page(), WizardPage::Channel);
    wizard.setField(QString());
    wizard.press(WizardButton::Next);
    EXPECT_EQ(wizard.page(), WizardPage::Channel);
    EXPECT_EQ(reporter.messages.last(), QStringLiteral("Uwaga!|") + emptyNameText());
    EXPECT_FALSE(QFile::exists(historyFilePath(dir.path())));
}

TEST_F(WizardTest, ACancelledOrFailedCalibrationKeepsTheConstants)
{
    const ChannelSettings before = settings.channel(3);
    auto unchanged = [&] {
        const ChannelSettings& ch = settings.channel(3);
        return ch.rawPoint1 == before.rawPoint1 && ch.rawPoint2 == before.rawPoint2 &&
               ch.valuePoint1 == before.valuePoint1 && ch.valuePoint2 == before.valuePoint2 &&
               ch.slopeSB == before.slopeSB && ch.offsetSC == before.offsetSC;
    };
    // Cancelled after the first point.
    toFirstPoint(WizardRole::Calibration, QStringLiteral("k3"));
    nextWith("1,5", 1000);
    ASSERT_EQ(wizard.page(), WizardPage::SecondPoint);
    wizard.press(WizardButton::Close);
    EXPECT_TRUE(unchanged());

    // Codes 9 apart, rising or falling: refused with the reason, the page stays.
    for (const std::int32_t second : {1009, 991}) {
        toFirstPoint(WizardRole::Calibration, QStringLiteral("k3"));
        nextWith("0", 1000);
        nextWith("100", second);
        EXPECT_EQ(wizard.page(), WizardPage::SecondPoint) << second;
        EXPECT_EQ(reporter.messages.value(0), QStringLiteral("Uwaga!|") + flatCalibrationText());
        EXPECT_TRUE(unchanged()) << second;
        reporter.messages.clear();
    }
    EXPECT_EQ(flatCalibrationText(),
              QString::fromUtf8("Kalibracja nieudana: odczyty w obu punktach różnią się o mniej niż 10 jednostek"));
    EXPECT_FALSE(QFile::exists(historyFilePath(dir.path())));
    // Ten apart is a slope.
    nextWith("100", 1010);
    EXPECT_EQ(wizard.page(), WizardPage::CalibrationResult);
    EXPECT_DOUBLE_EQ(settings.channel(3).slopeSB, 10000.0);
}

TEST_F(WizardTest, EndingEarlyStoresOnlyNameAndFormat)
{
    // On the intro page at once: the channel's name and format unchanged.
    settings.channel(2).numberFormat = 4;  // not offered by the list, kept as it is
    wizard.start(WizardRole::Calibration);
    EXPECT_TRUE(wizard.press(WizardButton::Finish));
    EXPECT_EQ(fieldText(settings.channel(2).name), "k2");
    EXPECT_EQ(settings.channel(2).numberFormat, 4);

    // An emptied name on page 1 switches the channel off; its constants stay.
    wizard.start(WizardRole::Calibration);
    wizard.press(WizardButton::Next);
    wizard.setChannel(3);
    wizard.setField(QString());
    EXPECT_TRUE(wizard.press(WizardButton::Finish));
    EXPECT_EQ(fieldText(settings.channel(3).name), "");
    EXPECT_DOUBLE_EQ(settings.channel(3).slopeSB, 10.0);

    // Closed on a point page, then ended on the intro: the value is not taken as a name.
    setFieldText(settings.channel(3).name, "k3");
    toFirstPoint(WizardRole::Calibration, QStringLiteral("k3"));
    EXPECT_FALSE(wizard.press(WizardButton::Close));
    EXPECT_EQ(wizard.page(), WizardPage::Intro);
    EXPECT_TRUE(wizard.view().finishEnabled);
    EXPECT_TRUE(wizard.press(WizardButton::Finish));
    EXPECT_EQ(fieldText(settings.channel(3).name), "k3");
}

TEST_F(WizardTest, ZeroingShiftsTheOffsetOnly)
{
    toFirstPoint(WizardRole::Zeroing);
    EXPECT_EQ(wizard.view().caption, QStringLiteral("Zerowanie"));
    nextWith("5.0", 2000);
    ASSERT_EQ(wizard.page(), WizardPage::ZeroingResult);
    ChannelSettings& ch = settings.channel(3);
    EXPECT_DOUBLE_EQ(ch.offsetSC, -15.0);
    EXPECT_DOUBLE_EQ(ch.slopeSB, 10.0);
    EXPECT_EQ(ch.rawPoint1, 2000);
    EXPECT_EQ(ch.rawPoint2, 777);
    EXPECT_FLOAT_EQ(scaleGeneral(ch, 2000), 5.0f);
    EXPECT_EQ(wizard.view().constants, QStringLiteral("10.0000/-15.0000"));
    EXPECT_EQ(wizard.view().subPrompt, QStringLiteral("Następne zerowanie - wciśnij 'Dalej'"));
    EXPECT_EQ(wizard.view().field, QStringLiteral("Pt1"));
    EXPECT_TRUE(readHistory(dir.path()).value(1).contains(QStringLiteral(";zerowanie;3;Pt1;2000;5,0000;;;")));

    // Back shows the value again, editable; forward reads anew from the same slope.
    wizard.press(WizardButton::Back);
    ASSERT_EQ(wizard.page(), WizardPage::FirstPoint);
    EXPECT_EQ(wizard.view().field, QStringLiteral(" 5.0000"));
    EXPECT_TRUE(wizard.view().fieldEnabled);
    ch.slopeSB = 0.0;
    nextWith("7.5", 4321);
    EXPECT_DOUBLE_EQ(ch.offsetSC, 7.5);
    wizard.press(WizardButton::Next);
    EXPECT_EQ(wizard.page(), WizardPage::Intro);
}

// The averaged code of a channel above channelsUsed comes from its own five fresh codes.
TEST(ProtocolCalibrationDevice, AveragesEveryChannelAndNeedsAnAnswer)
{
    QTemporaryDir dir;
    Settings settings{};
    settings.portNumber = 1;
    setFieldText(settings.portParams, ":230400,n,8,2,p");
    settings.channelsUsed = 2;
    auto [transport, script] = FakeTransport::create();
    SerialLink link(settings, std::move(transport), dir.path());
    ProgramState state;
    Reporter quiet;
    RecorderProtocol protocol(link, settings, state, quiet);
    ProtocolCalibrationDevice device(protocol);

    for (int v : {10, 12, 11, 50, 9}) {
        QByteArray reply("DAT");
        for (int c = 1; c <= 16; ++c) reply += ' ' + QByteArray::number(c == 9 ? v * 100 : 1);
        script->chunks.push_back(reply);
    }
    EXPECT_EQ(device.averagedCode(9), 1100);
    EXPECT_EQ(device.averagedCode(9), std::nullopt);  // silence
}

}  // namespace
}  // namespace vorda
