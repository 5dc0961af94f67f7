// The measurements window against recorder-sim: the block list, the download of a chosen
// block, the start with its memory checks, the abort and the housekeeping rescan.

#include "window_fixture.h"

#include "screenshots.h"

#include "link/recorder_protocol.h"
#include "measure/measurement_control.h"
#include "support/recorder_sim.h"
#include "ui/measurements_window.h"
#include "ui/window_reporter.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

namespace vorda::test {
namespace {

class Measurements : public WindowFixture {
protected:
    // The commands logged after the first `from`, once at least `count` are there.
    QList<QByteArray> commandsFrom(qsizetype from, int count) const
    {
        return sim_->waitForCommands(static_cast<int>(from) + count).mid(from);
    }
};

TEST_F(Measurements, ListsTheBlocksAndDownloadsTheOneDoubleClicked)
{
    ASSERT_TRUE(startSimulator({QStringLiteral("--blocks"), QStringLiteral("8"), QStringLiteral("--samples"),
                                QStringLiteral("20"), QStringLiteral("--channels"), QStringLiteral("2")}))
        << sim_->errorText().toStdString();
    MainWindow& w = createWindow();
    MeasurementsWindow& m = windows_->measurementsWindow();
    EXPECT_EQ(m.freeMemoryText(), QStringLiteral("Nieznana. Uzyj przycisku [Pokaż pomiary]."));

    button(w, "measurementsButton")->click();
    EXPECT_TRUE(m.isVisible());
    EXPECT_FALSE(m.blockListShown());

    m.listButton()->click();
    EXPECT_TRUE(m.blockListShown());
    const QStringList items = m.blockItems();
    ASSERT_EQ(items.size(), 9);
    EXPECT_EQ(items[0], QStringLiteral(" Nr:  Data       Godz.     Ilość   Prób.[ms]  Kanały "));
    EXPECT_TRUE(items[7].startsWith(QStringLiteral("  7   "))) << items[7].toStdString();
    EXPECT_EQ(m.freeMemoryText(), QString::number(state_.freeMemory));
    EXPECT_EQ(state_.freeMemory, 1000000 - 8 * 20 * 2);
    for (QPushButton* b : {m.startButton(), m.listButton(), m.settingsButton()}) EXPECT_TRUE(b->isEnabled());
    m.selectRows({3});
    saveScreenshot(m, "vorda-measurements.png");

    // The heading names no block: nothing is downloaded.
    const qsizetype before = sim_->commands().size();
    m.selectRows({0, 7});
    m.readChosenBlock();
    EXPECT_EQ(sim_->commands().size(), before);

    const QStringList filesBefore = w.fileBrowser().entries();
    m.selectRows({8, 7});  // the first selected in list order counts
    m.readChosenBlock();
    EXPECT_EQ(state_.selectedBlock, 7);
    EXPECT_TRUE(sim_->commands().contains(QByteArray(" ?MEM 7 &")));
    EXPECT_FALSE(sim_->commands().contains(QByteArray(" ?MEM 8 &")));
    EXPECT_EQ(w.fileBrowser().entries().size(), filesBefore.size() + 1);
    // 2 channels x 20 samples at 38400 baud take 0 s: the estimate is 0 x 1.47 + 2.
    EXPECT_EQ(m.barMaximum(), 2);
    EXPECT_TRUE(m.startButton()->isEnabled());
    EXPECT_TRUE(m.listButton()->isEnabled());

    // The wipe empties the list and forgets the free memory.
    dialogs_.answers = {true};
    button(w, "wipeButton")->click();
    EXPECT_TRUE(m.blockItems().isEmpty());
    EXPECT_EQ(m.freeMemoryText(), QStringLiteral("Nieznana. Użyj przycisku [Pokaż pomiary]."));
}

TEST_F(Measurements, StartChecksTheMemoryAndTheRescanFollowsTheBar)
{
    ASSERT_TRUE(startSimulator({QStringLiteral("--blocks"), QStringLiteral("1"), QStringLiteral("--samples"),
                                QStringLiteral("10"), QStringLiteral("--period"), QStringLiteral("1")}))
        << sim_->errorText().toStdString();
    createWindow();
    MeasurementsWindow& m = windows_->measurementsWindow();
    settings_.samplingTimeMs = 1000;
    settings_.sampleCount = 3;  // a bar of 3 + 2 seconds

    // Too little memory: Cancel starts nothing.
    state_.statusRead = true;
    state_.freeMemory = 1000;
    state_.expectedSamples = 4000;
    m.startButton()->click();
    ASSERT_EQ(dialogs_.questions.size(), 1u);
    EXPECT_EQ(dialogs_.questions[0].text, QStringLiteral("Zbyt mało pamięci !"));
    EXPECT_EQ(dialogs_.questions[0].caption, QStringLiteral("Uwaga !"));
    EXPECT_FALSE(sim_->commands().contains(QByteArray("  START &")));
    EXPECT_TRUE(m.settingsButton()->isEnabled());

    // OK goes on: the start is sent and the bar stands at its maximum.
    dialogs_.answers = {true};
    m.startButton()->click();
    EXPECT_EQ(commandsFrom(0, 1).value(0), QByteArray("  START &"));
    EXPECT_EQ(m.barMaximum(), 5);
    EXPECT_EQ(m.barPosition(), 5);
    EXPECT_EQ(state_.rescanCountdown, 3);
    EXPECT_FALSE(m.settingsButton()->isEnabled());
    EXPECT_FALSE(m.listButton()->isEnabled());
    EXPECT_FALSE(m.startButton()->isEnabled());  // no second start while it runs

    // The recorder's measurement (10 x 1 ms) is over once register 0 reports two blocks.
    RecorderProtocol protocol(*link_, settings_, state_, windows_->reporter());
    for (int tries = 0; tries < 200 && settings_.status.blockCount != 2; ++tries) protocol.readRegister(0);
    ASSERT_EQ(settings_.status.blockCount, 2);
    state_.freeMemory = 0;

    // Five ticks lower the bar, two more the countdown; the eighth polls twice.
    QSignalSpy rescans(windows_.get(), &WindowSet::rescanFinished);
    const qsizetype logged = sim_->commands().size();
    for (int tick = 1; tick <= 7; ++tick) windows_->housekeepingTick();
    EXPECT_EQ(rescans.count(), 0);
    EXPECT_EQ(m.barPosition(), 0);
    windows_->housekeepingTick();
    EXPECT_EQ(rescans.count(), 1);
    EXPECT_EQ(commandsFrom(logged, 4), (QList<QByteArray>{" ?R_0 &", " ?R_2 &", " ?R_0 &", " ?R_2 &"}));
    // The newest block, polled twice, is listed once.
    ASSERT_EQ(m.blockItems().size(), 1);
    EXPECT_TRUE(m.blockItems()[0].startsWith(QStringLiteral("  2   ")));
    EXPECT_TRUE(m.startButton()->isEnabled());
    EXPECT_EQ(m.freeMemoryText(), QString::number(state_.freeMemory));
    EXPECT_NE(state_.freeMemory, 0);
    EXPECT_TRUE(m.settingsButton()->isEnabled());
    EXPECT_TRUE(m.listButton()->isEnabled());

    // No free memory: refused without a question.
    state_.statusRead = true;
    state_.freeMemory = 0;
    m.startButton()->click();
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].text, QStringLiteral("Brak wolnej pamięci !"));
    EXPECT_TRUE(m.settingsButton()->isEnabled());
}

TEST_F(Measurements, AbortRightAfterTheStartRescansThreeTicksLater)
{
    ASSERT_TRUE(startSimulator({})) << sim_->errorText().toStdString();
    MainWindow& w = createWindow();
    MeasurementsWindow& m = windows_->measurementsWindow();
    settings_.samplingTimeMs = 100;
    settings_.sampleCount = 500;
    state_.statusRead = false;

    m.startButton()->click();
    EXPECT_EQ(m.barMaximum(), 52);
    EXPECT_FALSE(m.startButton()->isEnabled());
    m.abortButton()->click();
    EXPECT_TRUE(m.startButton()->isEnabled());
    EXPECT_EQ(commandsFrom(0, 3), (QList<QByteArray>{"  START &", "$ $_END &", " &"}));
    EXPECT_EQ(m.barPosition(), 0);

    QSignalSpy rescans(windows_.get(), &WindowSet::rescanFinished);
    windows_->housekeepingTick();
    windows_->housekeepingTick();
    EXPECT_EQ(rescans.count(), 0);
    windows_->housekeepingTick();
    EXPECT_EQ(rescans.count(), 1);

    // "&Ustawianie" asks for what the main window's "&Ustawianie" opens.
    // The settings dialog is modal: it is closed as soon as it shows.
    QSignalSpy settingsAsked(&w, &MainWindow::settingsRequested);
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    closer.start(0);
    m.settingsButton()->click();
    closer.stop();
    EXPECT_EQ(settingsAsked.count(), 1);

    // "Pomoc" opens the help page at the measurements section.
    QDir(startDir_.path()).mkpath(QStringLiteral("Help"));
    writeFile(startPath(QStringLiteral("Help/instVor3.html")), "<html></html>");
    m.helpButton()->click();
    ASSERT_NE(windows_->helpWindow(), nullptr);
    EXPECT_EQ(windows_->helpWindow()->source().fragment(), QStringLiteral("PomiCzyt"));
}

}  // namespace
}  // namespace vorda::test
