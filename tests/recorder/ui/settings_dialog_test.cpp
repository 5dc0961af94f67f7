// The settings dialog and the constants editor through the window set: the settings
// command sent to recorder-sim and read back, the editor's OK, the start-up parameter
// set and settings programs.

#include "window_fixture.h"

#include "screenshots.h"

#include "support/recorder_sim.h"
#include "ui/constants_editor.h"
#include "ui/properties_window.h"
#include "ui/settings_dialog.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace vorda::test {
namespace {

class SettingsWindows : public WindowFixture {};

TEST_F(SettingsWindows, SendsTheCheckedItemsAndTheCheckShowsThem)
{
    RecorderSim sim({QStringLiteral("--model"), QStringLiteral("R3")});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
    setPortDevice(sim.devicePath());
    createWindow();
    settings_.channel(1).slopeSB = 15.259;
    settings_.channel(1).offsetSC = 0;

    SettingsDialog& d = windows_->settingsDialog();
    d.fillFromSettings();
    SettingsControls c = d.controls();
    applyDialogDefaults(c);
    c.samplingTimePosition = 25;
    c.sampleCountText = QStringLiteral("700");
    c.channelCountPosition = 3;
    c.sendTriggerLevels = c.sendConstants = c.sendTriggerMode = c.triggerEnabled = true;
    c.triggerStartText = QStringLiteral("45,5");
    d.setControls(c);
    d.setClock(QStringLiteral("2025-03-04"), QStringLiteral("10:11:12"));
    d.sendChecked();

    const QByteArray expected =
        "  M_S 25 M_C 700 k3 TIME 10:11:12 DATE 2025-03-04 L_D 2981  L_U 4587  O_T  S_B 15.259 S_C 0     &";
    EXPECT_TRUE(sim.waitForCommands(1).contains(expected));
    EXPECT_EQ(d.shownCommand(), QString::fromLatin1(expected));
    EXPECT_TRUE(d.checkEnabled());
    EXPECT_TRUE(state_.statusRead);
    EXPECT_EQ(state_.expectedSamples, 2100);
    EXPECT_EQ(settings_.sampleCount, 700u);
    EXPECT_EQ(settings_.samplingTimeMs, 25u);
    EXPECT_EQ(settings_.baudRate, 230400u);
    EXPECT_EQ(fieldText(settings_.triggerStartText), "45,5");

    emit d.checkRequested();
    PropertiesWindow& p = windows_->propertiesWindow();
    EXPECT_EQ(p.heading(), QStringLiteral("Sprawdź ustawienia: (skanuj system pomiarowy)"));
    const QStringList lines = p.lines();
    EXPECT_TRUE(lines.contains(QStringLiteral("Ilość kanałów - 3 ."))) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("Ustawiony czas próbkowania - 25 .")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Ustawiona ilość pomiarów - 700 .")));
    EXPECT_EQ(lines.filter(QStringLiteral("Zegar systemu - 2025-03-04  10:")).size(), 1);
    EXPECT_TRUE(lines.contains(QStringLiteral("Amplituda START -   45.49 .")));
}

TEST_F(SettingsWindows, ANumberWithAPointIsReportedAndNothingIsSent)
{
    RecorderSim sim;
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
    setPortDevice(sim.devicePath());
    createWindow();
    settings_.channel(1).slopeSB = 15.259;  // trigger levels need channel 1's S_B
    SettingsDialog& d = windows_->settingsDialog();
    d.fillFromSettings();
    SettingsControls c = d.controls();
    c.sendTriggerLevels = true;
    c.triggerStartText = QStringLiteral("30");
    c.triggerStopText = QStringLiteral("70.5");
    d.setControls(c);
    d.sendChecked();
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].caption, QStringLiteral("Błąd..."));
    EXPECT_TRUE(dialogs_.messages[0].text.contains(QStringLiteral("70.5")));
    EXPECT_TRUE(d.checkEnabled());
    // A command that does get through afterwards is the first the simulator sees.
    c.sendTriggerLevels = false;
    c.sendSamplingTime = c.sendSampleCount = c.sendChannelCount = c.sendDateTime = false;
    d.setControls(c);
    d.sendChecked();
    EXPECT_EQ(sim.waitForCommands(1).value(0), QByteArray("     &"));

    d.sampleCountEdit()->setText(QStringLiteral("2000000"));
    d.correctSampleCountField();
    EXPECT_EQ(d.sampleCountEdit()->text(), QStringLiteral("1564670"));
}

// "Sprawdź ustawienia" shows the properties window in front of the modal dialog, and a
// message the dialog raises stands over the dialog.
TEST_F(SettingsWindows, WindowsAndMessagesStandInFrontOfTheDialogThatAsked)
{
    MainWindow& w = createWindow();
    w.show();
    SettingsDialog& d = windows_->settingsDialog();
    PropertiesWindow& p = windows_->propertiesWindow();
    bool propertiesInFront = false;
    w.move(0, 0);
    QTimer::singleShot(0, &d, [&] {
        d.move(60, 40);  // for the picture: the dialog over the main window, then the properties
        child<QPushButton>(d, "checkButton")->click();
        p.move(230, 170);
        propertiesInFront = p.isVisible() && p.parentWidget() == &d && p.windowHandle() &&
                            p.windowHandle()->transientParent() == d.windowHandle();
        saveScreen("screenshot-properties-over-settings.png");
        SettingsControls c = d.controls();
        c.sendTriggerLevels = true;
        c.triggerStopText = QStringLiteral("70.5");
        d.setControls(c);
        child<QPushButton>(d, "sendButton")->click();
        d.reject();
    });
    windows_->openSettings();
    EXPECT_TRUE(propertiesInFront);
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].parent, &d);

    // Asked for from the main window, it belongs to the main window again.
    emit w.propertiesRequested();
    EXPECT_EQ(p.parentWidget(), &w);
    EXPECT_TRUE(p.isVisible());
}

// Typed values outside a field's range are named with the range and the value used
// before anything is sent; the arrows keep to the range.
TEST_F(SettingsWindows, ValuesOutOfRangeAreSaidBeforeSending)
{
    createWindow();
    SettingsDialog& d = windows_->settingsDialog();
    d.fillFromSettings();
    SettingsControls c = d.controls();
    c.sendSamplingTime = c.sendSampleCount = c.sendChannelCount = true;
    c.sendDateTime = false;
    d.setControls(c);
    QList<QSpinBox*> spins = d.findChildren<QSpinBox*>();
    ASSERT_EQ(spins.size(), 2);  // the sampling time, then the channel count
    const auto type = [](QSpinBox* spin, const QString& text) {
        spin->selectAll();
        QTest::keyClicks(spin, text);
    };
    type(spins[0], QStringLiteral("-5"));
    type(spins[1], QStringLiteral("17"));
    d.sampleCountEdit()->setText(QStringLiteral("9999999"));
    child<QPushButton>(d, "sendButton")->click();

    ASSERT_FALSE(dialogs_.messages.empty());
    EXPECT_EQ(dialogs_.messages[0].text,
              QString::fromUtf8("Czas próbkowania: -5 jest poza zakresem 1–32000; zostanie użyta wartość 1.\n"
                                "Liczba próbek: 9999999 jest poza zakresem 1–1564670; zostanie użyta wartość 1564670.\n"
                                "Kanały od 1 do: 17 jest poza zakresem 1–16; zostanie użyta wartość 16."))
        << dialogs_.messages[0].text.toStdString();
    EXPECT_EQ(spins[0]->value(), 1);
    EXPECT_EQ(spins[1]->value(), 16);
    EXPECT_EQ(settings_.sampleCount, 1564670u);
    EXPECT_TRUE(d.shownCommand().startsWith(QStringLiteral("  M_S 1 M_C 1564670 k16")))
        << d.shownCommand().toStdString();

    // The arrows stop at the range's ends.
    spins[1]->stepUp();
    EXPECT_EQ(spins[1]->value(), 16);
}

TEST_F(SettingsWindows, EditorSpinPresetsAndOkOnChannel1)
{
    createWindow();
    ConstantsEditor& e = windows_->constantsEditor();
    // Values longer than what may be typed survive a load and an OK whole.
    settings_.channel(1).slopeSB = 15.2587654321;
    setFieldText(settings_.channel(1).name, "Temperatura_hal");
    e.prepareOpening();
    e.okClicked();
    EXPECT_EQ(settings_.channel(1).slopeSB, 15.2587654321);
    EXPECT_EQ(fieldText(settings_.channel(1).name), "Temperatura_hal");

    e.prepareOpening();
    e.sbEdit()->setText(QStringLiteral("1,25"));
    e.channelSpin()->setValue(2);  // as the user moves it
    EXPECT_EQ(settings_.channel(1).slopeSB, 1.25);
    EXPECT_EQ(e.shownChannel(), 2);

    const QList<QAction*> others = e.otherSensorsButton()->menu()->actions();
    ASSERT_EQ(others.size(), 9);
    EXPECT_EQ(others.front()->text(), QStringLiteral("8 wejść temperatur PT500"));
    others.back()->trigger();  // "3xI(4-20mA)+3xPT1000+2xU(0-100mV)"
    EXPECT_EQ(e.channelSpin()->maximum(), 8);
    EXPECT_EQ(e.channelSpin()->value(), 1);
    EXPECT_EQ(e.nameEdit()->text(), QStringLiteral("I1"));
    EXPECT_EQ(fieldText(settings_.channel(6).name), "T3");

    // "Zaawansowane" then OK on channel 1: the fields stored, the dialog's labels follow.
    QTimer::singleShot(0, &e, [&] {
        e.sbEdit()->setText(QStringLiteral("3,5"));
        e.okClicked();
    });
    windows_->openConstantsEditor();
    EXPECT_EQ(settings_.channel(1).slopeSB, 3.5);
    EXPECT_EQ(windows_->settingsDialog().controls().sbText, QStringLiteral("3,5"));
    EXPECT_EQ(e.channelSpin()->maximum(), 8);  // until the program ends
}

TEST_F(SettingsWindows, StartupParameterSetOnEveryActivationFromDefaults)
{
    createWindow();
    ASSERT_TRUE(state_.defaultsUsed);
    SettingsDialog& d = windows_->settingsDialog();
    d.sampleCountEdit()->setText(QStringLiteral("77"));
    emit windows_->mainWindow().defaultsActivation();  // no "userparameter1.txt" yet
    EXPECT_EQ(d.sampleCountEdit()->text(), QStringLiteral("500"));
    EXPECT_EQ(settings_.channel(3).slopeSB, 0.0);

    // The copy installed with the program stands in for a missing one in Config/.
    ASSERT_TRUE(QDir(installDir_.path()).mkpath(QStringLiteral("Config")));
    writeFile(installDir_.filePath(QStringLiteral("Config/userparameter1.txt")), "Zestaw\r\n3 2,5 0 2 k3\r\n");
    emit windows_->mainWindow().defaultsActivation();
    EXPECT_EQ(settings_.channel(3).slopeSB, 2.5);
    EXPECT_EQ(fieldText(settings_.channel(3).name), "k3");

    ASSERT_TRUE(QDir(startDir_.path()).mkpath(QStringLiteral("Config")));
    writeFile(startPath(QStringLiteral("Config/userparameter1.txt")), "Stanowisko A\r\n3 1,5 0 2 czujnik\r\n");
    emit windows_->mainWindow().defaultsActivation();
    EXPECT_EQ(settings_.channel(3).slopeSB, 1.5);
    settings_.channel(3).slopeSB = 9;  // changed meanwhile: the next activation applies the set again
    emit windows_->mainWindow().defaultsActivation();
    EXPECT_EQ(settings_.channel(3).slopeSB, 1.5);
    EXPECT_EQ(fieldText(settings_.channel(3).name), "czujnik");
    EXPECT_EQ(windows_->constantsEditor().titleText(), QStringLiteral("Stanowisko A"));
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(SettingsWindows, SettingsProgramsSaveLoadAndRefuseAWrongSize)
{
    createWindow();
    SettingsDialog& d = windows_->settingsDialog();
    settings_.sampleCount = 1234;
    dialogs_.fileToSave = startPath(QStringLiteral("pomiar.roln"));
    d.saveProgram();
    ASSERT_EQ(readFile(dialogs_.fileToSave).size(), 2200);

    writeFile(startPath(QStringLiteral("zly.roln")), QByteArray(100, '\0'));
    dialogs_.fileToOpen = startPath(QStringLiteral("zly.roln"));
    d.loadProgram();
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_FALSE(QFile::exists(startPath(QString::fromLatin1(kConfigFileName))));
    EXPECT_TRUE(state_.defaultsUsed);

    settings_.sampleCount = 1;
    dialogs_.fileToOpen = dialogs_.fileToSave;
    d.loadProgram();
    EXPECT_EQ(readFile(startPath(QString::fromLatin1(kConfigFileName))), readFile(dialogs_.fileToSave));
    EXPECT_FALSE(state_.defaultsUsed);
    EXPECT_EQ(settings_.sampleCount, 1234u);
    EXPECT_EQ(dialogs_.dialogTitles,
              QStringList({QStringLiteral("Zapisz bieżące ustawienia jako.."), QStringLiteral("Czytaj nowe ustawienia"),
                           QStringLiteral("Czytaj nowe ustawienia")}));
}

}  // namespace
}  // namespace vorda::test
