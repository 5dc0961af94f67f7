// vorda-cli monitor and measure against recorder-sim.

#include "support/recorder_sim.h"

#include "core/reporter.h"
#include "core/settings_files.h"
#include "measurement_loader.h"

#include "support/cli_run.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace vorda {
namespace {

using test::RecorderSim;

using test::CliRun;

CliRun runCli(const QString& dir, const QString& device, const QStringList& args)
{
    return test::runProgram(dir, QStringList{QStringLiteral("--port"), device} + args);
}

// A configuration in `dir` whose channels show the reading / 1000 as whole numbers;
// channel 1 is named "Temp 1", the others have no name.
bool writeScaledConfiguration(const QString& dir)
{
    Settings s{};
    applyStartupDefaults(s, dir);
    for (int c = 1; c <= kMaxChannels; ++c) s.channels[c].slopeSB = 1.0;
    setFieldText(s.channel(1).name, "Temp 1");
    Reporter quiet;
    return saveSettingsFile(s, dir + QLatin1Char('/') + QString::fromLatin1(kConfigFileName), quiet);
}

TEST(MonitorCli, TwoLinesTheFirstFromOneReadingAndTheFileForThePresenter)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeScaledConfiguration(dir.path()));
    RecorderSim sim({QStringLiteral("--dat"), QStringLiteral("1000,2000,3000,4000")});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
    const QString output = dir.filePath(QStringLiteral("live.txt"));

    const CliRun run = runCli(dir.path(), sim.devicePath(),
                              {QStringLiteral("monitor"), QStringLiteral("--count"), QStringLiteral("2"),
                               QStringLiteral("--output"), output});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("\t    1\t    2\t    3\t    4\t"))) << lines[0].toStdString();
    EXPECT_EQ(lines[0].mid(17), lines[1].mid(17));

    // Register 0, one reading, then five for the averaged line.
    QList<QByteArray> commands = sim.waitForCommands(7);
    ASSERT_EQ(commands.size(), 7);
    EXPECT_EQ(commands[0], QByteArray(" ?R_0 &"));
    for (int i = 1; i < 7; ++i) EXPECT_EQ(commands[i], QByteArray(" ?DAT &"));

    QFile file(output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), (QStringLiteral("Czas\tTemp_1\tk2\tk3\tk4\t\r\n") + lines[0] + QStringLiteral("\r\n") +
                               lines[1] + QStringLiteral("\r\n"))
                                  .toUtf8());

    const wizor::MeasurementData data = wizor::loadMeasurementFile(output.toLocal8Bit().toStdString());
    EXPECT_EQ(data.dataLines, 2u);
    EXPECT_EQ(data.columns[0].values, (std::vector<float>{1.0f, 1.0f}));
    EXPECT_EQ(data.columns[3].values, (std::vector<float>{4.0f, 4.0f}));
    EXPECT_EQ(data.channelName(0), QStringLiteral("Temp_1"));
    EXPECT_EQ(data.channelName(1), QStringLiteral("k2"));
}

TEST(MonitorCli, NoAnswerIsExitOneWithTheMessage)
{
    QTemporaryDir dir;
    RecorderSim sim;
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
    const QString device = sim.devicePath();
    ASSERT_TRUE(sim.stop());
    const QString output = dir.filePath(QStringLiteral("live.txt"));
    const CliRun run = runCli(dir.path(), device,
                              {QStringLiteral("monitor"), QStringLiteral("--count"), QStringLiteral("1"),
                               QStringLiteral("--output"), output});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(QStringLiteral("Brak komunikacji z systemem"))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(output));  // the empty file it made is gone
}

TEST(MeasureCli, StartChecksTheMemoryThenStopSendsBothCommands)
{
    QTemporaryDir dir;
    // 500 samples x 4 channels set, but room for only 1000 measurements.
    RecorderSim sim({QStringLiteral("--memory"), QStringLiteral("1000")});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();

    CliRun run = runCli(dir.path(), sim.devicePath(), {QStringLiteral("measure"), QStringLiteral("start")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Zbyt mało pamięci !"))) << run.err.toStdString();
    EXPECT_FALSE(sim.waitForCommands(1).contains(QByteArray("  START &")));

    run = runCli(dir.path(), sim.devicePath(),
                 {QStringLiteral("measure"), QStringLiteral("start"), QStringLiteral("--yes")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    run = runCli(dir.path(), sim.devicePath(), {QStringLiteral("measure"), QStringLiteral("stop")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(sim.waitForCommands(5), (QList<QByteArray>{" ?R_0 &", " ?R_0 &", "  START &", "$ $_END &", " &"}));
}

}  // namespace
}  // namespace vorda
