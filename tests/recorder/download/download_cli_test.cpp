// vorda-cli read, read-block, scan, wipe, start and stop against recorder-sim.

#include "support/recorder_sim.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

namespace vorda {
namespace {

using test::RecorderSim;

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class DownloadCli : public ::testing::Test {
protected:
    QProcess* startCli(const QString& device, const QStringList& args)
    {
        process_.setProgram(QStringLiteral(VORDA_BINARY_DIR "/recorder/cli/vorda-cli"));
        process_.setArguments(QStringList{QStringLiteral("--port"), device} + args);
        process_.setWorkingDirectory(dir_.path());
        process_.setStandardInputFile(QProcess::nullDevice());
        process_.start();
        return &process_;
    }

    CliRun finish()
    {
        CliRun run;
        if (!process_.waitForFinished(60000)) process_.kill();
        run.exitCode = process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
        run.out = QString::fromUtf8(process_.readAllStandardOutput());
        run.err = QString::fromUtf8(process_.readAllStandardError());
        return run;
    }

    CliRun run(const QString& device, const QStringList& args)
    {
        startCli(device, args);
        return finish();
    }

    QStringList files(const QString& pattern) const
    {
        return QDir(dir_.path()).entryList({pattern}, QDir::Files, QDir::Name);
    }

    QTemporaryDir dir_;
    QProcess process_;
};

TEST_F(DownloadCli, ReadWritesOneFilePerBlockAndPrintsTheMessages)
{
    RecorderSim sim({"--blocks", "3", "--samples", "50"});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();

    const CliRun r = run(sim.devicePath(), {QStringLiteral("read")});

    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    for (int n = 1; n <= 3; ++n)
        EXPECT_TRUE(r.out.contains(QString::fromUtf8("Czytane pomiary z bloku nr. %1\n").arg(n)));
    EXPECT_EQ(r.out.count(QString::fromUtf8("o długości 50 pomiarów zapisany")), 3);
    EXPECT_EQ(files(QStringLiteral("*.txt")).size(), 3);
    EXPECT_TRUE(files(QStringLiteral("*.aoln")).isEmpty());
    EXPECT_EQ(files(QStringLiteral("__m.mem")).size(), 1);
}

TEST_F(DownloadCli, InterruptAbortsTheTransfer)
{
    RecorderSim sim({"--blocks", "2", "--samples", "4000", "--channels", "4", "--baud", "38400"});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();

    QProcess* cli = startCli(sim.devicePath(), {QStringLiteral("read")});
    QByteArray seen;
    while (!seen.contains("Czytane pomiary z bloku nr. 1") && cli->waitForReadyRead(20000))
        seen += cli->readAllStandardOutput();
    ASSERT_TRUE(seen.contains("Czytane pomiary z bloku nr. 1"));
    ::kill(static_cast<pid_t>(cli->processId()), SIGINT);
    CliRun r = finish();
    r.out.prepend(QString::fromUtf8(seen));

    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.contains(QStringLiteral("Przerwano transmije.")));
    const QList<QByteArray> commands = sim.waitForCommands(6);
    EXPECT_TRUE(commands.contains("$"));
    EXPECT_FALSE(commands.contains(" ?MEM 2 &"));
}

TEST_F(DownloadCli, ReadBlockFetchesOnlyThatBlock)
{
    RecorderSim sim({"--blocks", "3", "--samples", "20"});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();

    const CliRun r = run(sim.devicePath(), {QStringLiteral("read-block"), QStringLiteral("2")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(sim.waitForCommands(2), (QList<QByteArray>{" ?R_2 &", " ?MEM 2 &"}));
    EXPECT_EQ(files(QStringLiteral("*.txt")).size(), 1);

    const CliRun missing = run(sim.devicePath(), {QStringLiteral("read-block"), QStringLiteral("7")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(run(sim.devicePath(), {QStringLiteral("read-block"), QStringLiteral("x")}).exitCode, 2);

    // A wrong block number in the register reply is retried as the memory read retries it.
    RecorderSim wrong({"--blocks", "3", "--samples", "20", "--wrong-block-number", "2:2"});
    ASSERT_TRUE(wrong.started()) << wrong.errorText().toStdString();
    const CliRun retried = run(wrong.devicePath(), {QStringLiteral("read-block"), QStringLiteral("2")});
    EXPECT_EQ(retried.exitCode, 0) << retried.err.toStdString();
    EXPECT_TRUE(retried.out.contains(QString::fromUtf8("Błąd, powtórz=2")));
    EXPECT_EQ(wrong.waitForCommands(4), (QList<QByteArray>{" ?R_2 &", " ?R_2 &", " ?R_2 &", " ?MEM 2 &"}));
}

TEST_F(DownloadCli, ScanPrintsTheReportOrNoCommunication)
{
    RecorderSim sim({"--blocks", "2"});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();

    const CliRun r = run(sim.devicePath(), {QStringLiteral("scan")});
    EXPECT_EQ(r.exitCode, 0);
    const QStringList lines = r.out.split(QLatin1Char('\n'));
    EXPECT_EQ(lines.value(0), QStringLiteral("System typ. KX208DL03.5 "));
    EXPECT_TRUE(lines.contains(QString::fromUtf8("Ilość zapisanych bloków - 2 .")));
    EXPECT_TRUE(lines.value(lines.size() - 2).startsWith(QStringLiteral("  2   ")));

    const QString missing = dir_.filePath(QStringLiteral("no-such-port"));
    const CliRun none = run(missing, {QStringLiteral("scan")});
    EXPECT_EQ(none.exitCode, 1);
    const QStringList noneLines = none.out.split(QLatin1Char('\n'));
    EXPECT_EQ(noneLines.value(0), QStringLiteral("Brak komunikacji"));
    const QString why = noneLines.value(1);
    EXPECT_TRUE(why.startsWith(QString::fromUtf8("Nie można otworzyć portu %1: ").arg(missing))) << why.toStdString();
    EXPECT_EQ(none.err, why + QLatin1Char('\n'));
}

TEST_F(DownloadCli, ReadFromAPortThatCannotBeOpenedSaysWhyOnce)
{
    const QString missing = dir_.filePath(QStringLiteral("no-such-port"));
    const CliRun r = run(missing, {QStringLiteral("read")});

    EXPECT_EQ(r.exitCode, 1);
    const QStringList errLines = r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_FALSE(errLines.isEmpty()) << r.err.toStdString();
    const QString why = errLines.first();
    EXPECT_TRUE(why.startsWith(QString::fromUtf8("Nie można otworzyć portu %1: ").arg(missing))) << why.toStdString();
    EXPECT_EQ(r.err.count(why), 1) << r.err.toStdString();
    // The transfer messages begin with it too; no retry of a block follows.
    EXPECT_TRUE(r.out.startsWith(why + QLatin1Char('\n'))) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains(QString::fromUtf8("Błąd, powtórz="))) << r.out.toStdString();
}

TEST_F(DownloadCli, WipeNeedsConfirmationAndStartStopSendTheirCommands)
{
    RecorderSim sim({"--blocks", "2"});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();

    EXPECT_EQ(run(sim.devicePath(), {QStringLiteral("wipe")}).exitCode, 2);
    EXPECT_EQ(run(sim.devicePath(), {QStringLiteral("wipe"), QStringLiteral("--yes")}).exitCode, 0);
    EXPECT_EQ(run(sim.devicePath(), {QStringLiteral("start")}).exitCode, 0);
    EXPECT_EQ(run(sim.devicePath(), {QStringLiteral("stop")}).exitCode, 0);

    EXPECT_EQ(sim.waitForCommands(4), (QList<QByteArray>{"CLR_M &", "  START &", "$ $_END &", " &"}));
}

}  // namespace
}  // namespace vorda
