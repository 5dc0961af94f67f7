// The memory read and the wipe through the main window, against recorder-sim.

#include "window_fixture.h"

#include "support/recorder_sim.h"
#include "ui/progress_dialog.h"

#include <QCheckBox>
#include <QPushButton>
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

    void expectControlsEnabled(TForm1& w)
    {
        EXPECT_TRUE(w.isEnabled());
        for (QWidget* control :
             {static_cast<QWidget*>(w.readButton()), static_cast<QWidget*>(w.measurementsButton()),
              static_cast<QWidget*>(w.wipeButton()), static_cast<QWidget*>(w.settingsButton()),
              static_cast<QWidget*>(w.calibrationButton()), static_cast<QWidget*>(w.monitoringCheckBox())})
            EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    }
};

TEST_F(MemoryRead, ReadsEveryBlockIntoListedFiles)
{
    ASSERT_TRUE(startSimulator({QStringLiteral("--blocks"), QStringLiteral("3"), QStringLiteral("--samples"),
                                QStringLiteral("20"), QStringLiteral("--channels"), QStringLiteral("4")}))
        << sim_->errorText().toStdString();
    TForm1& w = createWindow();
    w.show();

    // While the read runs the window and its transfer controls are disabled and the
    // dialog is shown in abort mode. A zero timer looks at every pass of the events
    // that the transfer lets run, however fast or slow the machine is.
    bool sawDisabled = false;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (windows_->progressDialog().isVisible() && !w.isEnabled() && !w.readButton()->isEnabled() &&
            windows_->progressDialog().windowTitle() == QStringLiteral("Czytaj pamięć"))
            sawDisabled = true;
    });
    probe.start(0);
    w.readButton()->click();
    probe.stop();

    EXPECT_TRUE(sawDisabled);
    EXPECT_FALSE(windows_->progressDialog().isVisible());
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
    for (const QString& file : files) EXPECT_TRUE(w.listedNames().contains(file)) << file.toStdString();
    EXPECT_EQ(w.statusText(StatusPanel::Link), QStringLiteral("Rozlączony"));
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(MemoryRead, EmptyRecorderSaysSoAndReadsNothing)
{
    ASSERT_TRUE(startSimulator({QStringLiteral("--blocks"), QStringLiteral("0")})) << sim_->errorText().toStdString();
    TForm1& w = createWindow();
    w.readButton()->click();
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
    TForm1& w = createWindow();
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (windows_->progressDialog().messages().contains(QStringLiteral("Czytane pomiary z bloku nr. 2"))) {
            watcher.stop();
            windows_->progressDialog().actionButton()->click();
        }
    });
    watcher.start(0);
    w.readButton()->click();
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
}

TEST_F(MemoryRead, WipeOnlyAfterConfirmation)
{
    ASSERT_TRUE(startSimulator({QStringLiteral("--blocks"), QStringLiteral("2")})) << sim_->errorText().toStdString();
    TForm1& w = createWindow();
    QSignalSpy wiped(windows_.get(), &WindowSet::memoryWiped);
    state_.statusRead = true;

    dialogs_.answers = {false};
    w.wipeButton()->click();
    ASSERT_EQ(dialogs_.questions.size(), 1u);
    EXPECT_EQ(dialogs_.questions[0].text,
              QStringLiteral("Wybranie klawisza OK usunie wszystkie pomiary z rejestratora!"));
    EXPECT_EQ(dialogs_.questions[0].caption, QStringLiteral("Uwaga!"));
    EXPECT_TRUE(dialogs_.questions[0].cancelIsDefault);
    EXPECT_EQ(wiped.count(), 0);
    EXPECT_TRUE(state_.statusRead);

    dialogs_.answers = {true};
    w.wipeButton()->click();
    EXPECT_EQ(wiped.count(), 1);
    EXPECT_FALSE(state_.statusRead);
    const QList<QByteArray> commands = sim_->waitForCommands(1);
    EXPECT_EQ(commands.count(QByteArray("CLR_M &")), 1);

    // The wiped recorder has nothing left to read.
    w.readButton()->click();
    EXPECT_TRUE(windows_->progressDialog().messages().contains(QStringLiteral("Brak pomiarów do przeczytania")));
}

}  // namespace
}  // namespace vorda::test
