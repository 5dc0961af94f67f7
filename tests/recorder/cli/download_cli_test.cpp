// vorda-cli read, read-block, scan, wipe, start and stop against recorder-sim.

#include "support/cli_run.h"
#include "support/recorder_sim.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
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
        process_.setProcessEnvironment(test::languageEnvironment());
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
    test::interruptProcess(*cli);
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

TEST_F(DownloadCli, ReadNewAsksOnlyForTheBlocksThatAreNotHome)
{
    RecorderSim sim({"--blocks", "3", "--samples", "20"});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
    const QStringList names = {QStringLiteral("2024_03_15_08_00_00.txt"), QStringLiteral("2024_03_15_09_01_01.txt"),
                               QStringLiteral("2024_03_15_10_02_02.txt")};
    qsizetype seen = 0;
    // The " ?MEM n &" commands of the run just ended.
    const auto memoryCommands = [&] {
        const QList<QByteArray> all = sim.commands();
        QList<QByteArray> mem;
        for (qsizetype i = seen; i < all.size(); ++i)
            if (all[i].startsWith(" ?MEM")) mem << all[i];
        seen = all.size();
        return mem;
    };
    const QStringList readNew = {QStringLiteral("read"), QStringLiteral("--new")};

    CliRun r = run(sim.devicePath(), readNew);  // nothing home yet
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(memoryCommands(), (QList<QByteArray>{" ?MEM 1 &", " ?MEM 2 &", " ?MEM 3 &"}));
    EXPECT_EQ(files(QStringLiteral("*.txt")), names);

    r = run(sim.devicePath(), readNew);  // all home
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(memoryCommands().isEmpty());
    EXPECT_TRUE(r.out.contains(QString::fromUtf8("Blok nr 2 już zapisany: ") + names[1]));
    EXPECT_TRUE(r.err.contains(QString::fromUtf8("Pominięto 3 bloki już zapisane"))) << r.err.toStdString();

    const CliRun listed = run(sim.devicePath(), {QStringLiteral("blocks")});
    EXPECT_EQ(listed.exitCode, 0);
    EXPECT_EQ(listed.out.split(QLatin1Char('\n')).value(1),
              QStringLiteral("2\t2024-03-15\t09:01:01\t20\t%1\thome").arg(names[1]));

    ASSERT_TRUE(QFile::remove(dir_.filePath(names[1])));  // one deleted
    r = run(sim.devicePath(), readNew);
    EXPECT_EQ(memoryCommands(), QList<QByteArray>{" ?MEM 2 &"});
    EXPECT_EQ(files(QStringLiteral("*.txt")), names);

    // A file the user changed is no home: a full read writes the block beside it.
    QFile edited(dir_.filePath(names[2]));
    ASSERT_TRUE(edited.open(QIODevice::Append));
    edited.write("uwaga\r\n");
    edited.close();
    r = run(sim.devicePath(), {QStringLiteral("read")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(memoryCommands().size(), 3);
    EXPECT_TRUE(r.out.contains(QStringLiteral("do pliku 2024_03_15_10_02_02_2.txt")));
    EXPECT_TRUE(QFile(dir_.filePath(names[2])).size() == edited.size());
    EXPECT_EQ(files(QStringLiteral("*.txt")).size(), 4);
}

TEST_F(DownloadCli, ANewOnlyReadResumesABlockCutShort)
{
    {
        RecorderSim cut({"--blocks", "2", "--samples", "20", "--cut-block", "2:100"});
        ASSERT_TRUE(cut.started()) << cut.errorText().toStdString();
        EXPECT_EQ(run(cut.devicePath(), {QStringLiteral("read")}).exitCode, 1);
    }
    EXPECT_EQ(files(QStringLiteral("*.txt")), (QStringList{QStringLiteral("2024_03_15_08_00_00.txt"),
                                                           QStringLiteral("2024_03_15_09_01_01_niepelny.txt")}));
    RecorderSim whole({"--blocks", "2", "--samples", "20"});
    ASSERT_TRUE(whole.started()) << whole.errorText().toStdString();
    const CliRun r = run(whole.devicePath(), {QStringLiteral("read"), QStringLiteral("--new")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_FALSE(whole.commands().contains(" ?MEM 1 &"));
    EXPECT_TRUE(whole.commands().contains(" ?MEM 2 &"));
    EXPECT_EQ(files(QStringLiteral("*.txt")),
              (QStringList{QStringLiteral("2024_03_15_08_00_00.txt"), QStringLiteral("2024_03_15_09_01_01.txt")}));
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
