// The memory read and the wipe through the main window, against recorder-sim.

#include "window_fixture.h"

#include "screenshots.h"
#include "support/recorder_sim.h"
#include "ui/progress_dialog.h"
#include "ui/properties_window.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>

namespace vorda::test {
namespace {

class MemoryRead : public WindowFixture {
protected:
    bool commandSent(const QByteArray& command) const { return sim_->commands().contains(command); }

    QStringList measurementFiles() const
    {
        return QDir(startDir_.path()).entryList({QStringLiteral("*.txt")}, QDir::Files);
    }

    void expectControlsEnabled(MainWindow& w)
    {
        EXPECT_TRUE(w.isEnabled());
        for (QWidget* control :
             {static_cast<QWidget*>(button(w, "readMemoryButton")),
              static_cast<QWidget*>(button(w, "measurementsButton")), static_cast<QWidget*>(button(w, "wipeButton")),
              static_cast<QWidget*>(button(w, "settingsButton")), static_cast<QWidget*>(button(w, "calibrationButton")),
              static_cast<QWidget*>(checkBox(w, "monitoringBox"))})
            EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    }
};

TEST_F(MemoryRead, ReadsEveryBlockIntoListedFiles)
{
    ASSERT_TRUE(startSimulator({QStringLiteral("--blocks"), QStringLiteral("3"), QStringLiteral("--samples"),
                                QStringLiteral("20"), QStringLiteral("--channels"), QStringLiteral("4")}))
        << sim_->errorText().toStdString();
    MainWindow& w = createWindow();
    w.show();

    // While the read runs the window and its transfer controls are disabled and the
    // dialog is shown in abort mode. A zero timer looks at every pass of the events
    // that the transfer lets run, however fast or slow the machine is.
    bool sawDisabled = false;
    bool sawConnected = false;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (windows_->progressDialog().isVisible() && !w.isEnabled() && !button(w, "readMemoryButton")->isEnabled() &&
            windows_->progressDialog().windowTitle() == QStringLiteral("Czytaj pamięć"))
            sawDisabled = true;
        // Between the chunks of a block the link panel says the port is held.
        if (windows_->progressDialog().receivedText().startsWith(QStringLiteral("Odebrano: 1")) &&
            statusText(w, StatusPanel::Link) == QStringLiteral("Polączony"))
            sawConnected = true;
    });
    probe.start(0);
    button(w, "readMemoryButton")->click();
    probe.stop();

    EXPECT_TRUE(sawDisabled);
    EXPECT_TRUE(sawConnected);
    EXPECT_FALSE(windows_->progressDialog().isVisible());
    // The last block's count: 20 samples of 4 codes of 4 characters.
    EXPECT_EQ(windows_->progressDialog().receivedText(), QString::fromUtf8("Odebrano: 320 z 320 znaków"));
    EXPECT_EQ(statusText(w, StatusPanel::Message), QStringLiteral("Przeczytano 3 bloki"));
    expectControlsEnabled(w);

    const QStringList messages = windows_->progressDialog().messages();
    for (int block = 1; block <= 3; ++block)
        EXPECT_TRUE(messages.contains(QStringLiteral("Czytane pomiary z bloku nr. %1").arg(block)))
            << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(windows_->progressDialog().valueText(0), QStringLiteral("3"));
    EXPECT_EQ(windows_->progressDialog().valueText(1), QStringLiteral("3"));
    EXPECT_EQ(windows_->progressDialog().valueText(4), QStringLiteral("4"));

    const QStringList files = measurementFiles();
    EXPECT_EQ(files.size(), 3);
    for (const QString& file : files) EXPECT_TRUE(w.fileBrowser().entries().contains(file)) << file.toStdString();
    EXPECT_EQ(statusText(w, StatusPanel::Link), QStringLiteral("Rozlączony"));
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(MemoryRead, EmptyRecorderSaysSoAndReadsNothing)
{
    ASSERT_TRUE(startSimulator({QStringLiteral("--blocks"), QStringLiteral("0")})) << sim_->errorText().toStdString();
    MainWindow& w = createWindow();
    button(w, "readMemoryButton")->click();
    EXPECT_TRUE(windows_->progressDialog().messages().contains(QStringLiteral("Brak pomiarów do przeczytania")));
    EXPECT_TRUE(measurementFiles().isEmpty());
    expectControlsEnabled(w);
}

TEST_F(MemoryRead, AbortDuringTheSecondBlockStopsTheRead)
{
    // Paced so that a block takes long enough to be aborted in the middle; the click comes
    // at the first pass of events after block 2 was announced.
    ASSERT_TRUE(startSimulator({QStringLiteral("--blocks"), QStringLiteral("3"), QStringLiteral("--samples"),
                                QStringLiteral("150"), QStringLiteral("--channels"), QStringLiteral("4"),
                                QStringLiteral("--baud"), QStringLiteral("19200")}))
        << sim_->errorText().toStdString();
    MainWindow& w = createWindow();
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (windows_->progressDialog().messages().contains(QStringLiteral("Czytane pomiary z bloku nr. 2"))) {
            watcher.stop();
            windows_->progressDialog().actionButton()->click();
        }
    });
    watcher.start(0);
    button(w, "readMemoryButton")->click();
    watcher.stop();

    const QStringList messages = windows_->progressDialog().messages();
    EXPECT_TRUE(messages.contains(QStringLiteral("Przerwano transmije.")))
        << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(messages.contains(QStringLiteral("Czytane pomiary z bloku nr. 3")));
    EXPECT_TRUE(commandSent("$"));
    EXPECT_TRUE(commandSent(" ?MEM 2 &"));
    EXPECT_FALSE(commandSent(" ?MEM 3 &"));
    EXPECT_LE(measurementFiles().size(), 2);
    expectControlsEnabled(w);
    EXPECT_TRUE(statusText(w, StatusPanel::Message).startsWith(QString::fromUtf8("Przerwano: zapisano 1 blok")))
        << statusText(w, StatusPanel::Message).toStdString();

    // The dialog keeps the read's messages as its report, headed by block 2, the last one
    // read, and its long lines can be scrolled to.
    emit windows_->propertiesWindow().reportRequested();
    ProgressDialog& report = windows_->progressDialog();
    EXPECT_EQ(report.windowTitle(), QStringLiteral("Raport przeczytanej pamięci"));
    EXPECT_EQ(report.messages(), messages);
    EXPECT_EQ(report.valueText(1), QStringLiteral("2"));
    auto* memo = report.findChild<QPlainTextEdit*>();
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->horizontalScrollBar()->isVisible());
    EXPECT_GT(memo->horizontalScrollBar()->maximum(), 0);
    saveScreenshot(report, "vorda-abort-report.png");
    report.hide();
}

TEST_F(MemoryRead, TheTimeBarCountsDownWithTheTimerWhileABlockComesIn)
{
    // 16 channels of 2000 samples: 128,000 characters, many chunks; the dialog's bar and
    // count are looked at on every pass of the events the transfer lets run.
    ASSERT_TRUE(startSimulator({QStringLiteral("--blocks"), QStringLiteral("1"), QStringLiteral("--samples"),
                                QStringLiteral("2000"), QStringLiteral("--channels"), QStringLiteral("16")}))
        << sim_->errorText().toStdString();
    MainWindow& w = createWindow();
    w.show();
    ProgressDialog& dialog = windows_->progressDialog();
    int maximum = -1;
    bool ticked = false;
    bool countedDown = false;
    QString midway;
    int midwayShare = -1;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!dialog.isVisible() || dialog.estimateMaximum() <= 1 ||
            dialog.receivedText().startsWith(QStringLiteral("Odebrano: 0 ")))
            return;
        if (!ticked && dialog.barPosition() == dialog.estimateMaximum()) {
            // The housekeeping timer's next tick comes at the next pass of events.
            maximum = dialog.estimateMaximum();
            ticked = true;
            (*child<QTimer>(w, "housekeepingTimer")).start(0);
        } else if (ticked && !countedDown && dialog.barPosition() == maximum - 1) {
            countedDown = true;
            midway = dialog.receivedText();
            midwayShare = dialog.receivedShare();
            saveScreen("vorda-memory-read.png");
        }
    });
    probe.start(0);
    button(w, "readMemoryButton")->click();
    probe.stop();
    (*child<QTimer>(w, "housekeepingTimer")).stop();

    ASSERT_TRUE(ticked);
    EXPECT_TRUE(countedDown);
    // Seen in the middle of the block: part of the 128,000 characters the header announces,
    // and the estimate, one second down, beside it; the bar stands at the share received.
    const QString tail = QString::fromUtf8(" z 128\u00a0000 znaków, pozostało ok. %1 s").arg(maximum - 1);
    ASSERT_TRUE(midway.startsWith(QStringLiteral("Odebrano: ")) && midway.endsWith(tail)) << midway.toStdString();
    const qlonglong received = midway.mid(10, midway.size() - 10 - tail.size()).remove(QChar(0xa0)).toLongLong();
    EXPECT_GT(received, 0);
    EXPECT_LT(received, 128000);
    EXPECT_EQ(midwayShare, received * TransferProgress::kBarMaximum / 128000);
    EXPECT_EQ(dialog.barPosition(), 0);
    EXPECT_EQ(dialog.receivedShare(), TransferProgress::kBarMaximum);
}

TEST_F(MemoryRead, AScanWithoutAnswerSaysWhyAndCanBeRepeated)
{
    createWindow();
    PropertiesWindow& properties = windows_->propertiesWindow();
    properties.startScan();

    const QStringList lines = properties.lines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("Brak komunikacji"));
    EXPECT_TRUE(lines[1].startsWith(QString::fromUtf8("Nie można otworzyć portu com"))) << lines[1].toStdString();
    EXPECT_TRUE(properties.scanEnabled());

    // With the recorder there, a second press scans.
    ASSERT_TRUE(startSimulator({QStringLiteral("--blocks"), QStringLiteral("1")})) << sim_->errorText().toStdString();
    properties.startScan();
    EXPECT_EQ(properties.lines().value(0), QStringLiteral("System typ. KX208DL03.5 "));
    EXPECT_FALSE(properties.scanEnabled());
}

TEST_F(MemoryRead, WipeOnlyAfterConfirmation)
{
    ASSERT_TRUE(startSimulator({QStringLiteral("--blocks"), QStringLiteral("2")})) << sim_->errorText().toStdString();
    MainWindow& w = createWindow();
    QSignalSpy wiped(windows_.get(), &WindowSet::memoryWiped);
    state_.statusRead = true;

    dialogs_.answers = {false};
    button(w, "wipeButton")->click();
    ASSERT_EQ(dialogs_.questions.size(), 1u);
    EXPECT_EQ(dialogs_.questions[0].text,
              QStringLiteral("Wybranie klawisza OK usunie wszystkie pomiary z rejestratora!"));
    EXPECT_EQ(dialogs_.questions[0].caption, QStringLiteral("Uwaga!"));
    EXPECT_TRUE(dialogs_.questions[0].cancelIsDefault);
    EXPECT_EQ(wiped.count(), 0);
    EXPECT_TRUE(state_.statusRead);

    dialogs_.answers = {true};
    button(w, "wipeButton")->click();
    EXPECT_EQ(wiped.count(), 1);
    EXPECT_FALSE(state_.statusRead);
    const QList<QByteArray> commands = sim_->waitForCommands(1);
    EXPECT_EQ(commands.count(QByteArray("CLR_M &")), 1);

    // The wiped recorder has nothing left to read.
    button(w, "readMemoryButton")->click();
    EXPECT_TRUE(windows_->progressDialog().messages().contains(QStringLiteral("Brak pomiarów do przeczytania")));
}

}  // namespace
}  // namespace vorda::test
