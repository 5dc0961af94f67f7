// vorda-cli register | data | send against recorder-sim: output, exit statuses, and that
// the configuration is left alone.

#include "support/cli_run.h"
#include "support/recorder_sim.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

using vorda::test::CliRun;

// Runs vorda-cli in `dir` (its start-up directory).
CliRun runCli(const QString& dir, const QStringList& args)
{
    return vorda::test::runProgram(dir, args);
}

// The value of a `name=value` line of the output.
QString valueOf(const QString& out, const QString& name)
{
    for (const QString& line : out.split(QLatin1Char('\n')))
        if (line.startsWith(name + QLatin1Char('='))) return line.mid(name.size() + 1);
    return QStringLiteral("<missing>");
}

class LinkCliTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
};

TEST_F(LinkCliTest, RegisterPrintsTheReplyAndTheParsedFields)
{
    vorda::test::RecorderSim sim({"--model", "R4", "--blocks", "2", "--trigger"});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();

    // Which token fills which field is the parser's business; here that every field is
    // printed, and what only register 0 sets.
    const CliRun zero = runCli(dir.path(), {"--port", sim.devicePath(), "register", "0"});
    ASSERT_EQ(zero.exitCode, 0) << zero.err.toStdString();
    EXPECT_TRUE(zero.out.startsWith(QLatin1String("R4 "))) << zero.out.toStdString();
    for (const char* name : {"status.tag", "status.date", "status.time", "status.blockNumber", "status.sampleCount",
                             "status.samplingMs", "status.channelCount", "status.freeMemory", "status.blockCount",
                             "status.triggerStartRaw", "status.triggerStopRaw", "status.recorderSB",
                             "status.recorderSC", "status.triggerOn", "optionWord", "freeMemory", "expectedSamples"})
        EXPECT_NE(valueOf(zero.out, name), "<missing>") << name;
    EXPECT_EQ(valueOf(zero.out, "status.blockCount"), "2");
    EXPECT_EQ(valueOf(zero.out, "status.triggerOn"), "1");

    const CliRun block = runCli(dir.path(), {"--port", sim.devicePath(), "register", "2"});
    ASSERT_EQ(block.exitCode, 0) << block.err.toStdString();
    EXPECT_EQ(valueOf(block.out, "status.blockNumber"), "2");
    EXPECT_EQ(valueOf(block.out, "expectedSamples"), "<missing>") << "only register 0 sets it";

    EXPECT_EQ(sim.waitForCommands(2), QList<QByteArray>({" ?R_0 &", " ?R_2 &"}));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty()) << "nothing is written to the configuration";
}

TEST_F(LinkCliTest, DataPrintsSixteenChannelsAndSendSendsAsGiven)
{
    vorda::test::RecorderSim sim({"--model", "R3"});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();

    const CliRun single = runCli(dir.path(), {"--port", sim.devicePath(), "data"});
    ASSERT_EQ(single.exitCode, 0) << single.err.toStdString();
    const QStringList values = single.out.trimmed().split(QLatin1Char(' '));
    ASSERT_EQ(values.size(), 16) << single.out.toStdString();
    for (const QString& v : values) {
        bool ok = false;
        const int code = v.toInt(&ok);
        EXPECT_TRUE(ok && code >= 0 && code <= 65535) << v.toStdString();
    }

    const CliRun averaged = runCli(dir.path(), {"--port", sim.devicePath(), "data", "--averaged"});
    ASSERT_EQ(averaged.exitCode, 0) << averaged.err.toStdString();
    EXPECT_EQ(averaged.out.trimmed().split(QLatin1Char(' ')).size(), 16);

    const CliRun send = runCli(dir.path(), {"--port", sim.devicePath(), "send", "  START &"});
    EXPECT_EQ(send.exitCode, 0) << send.err.toStdString();
    EXPECT_TRUE(send.out.isEmpty());
    const QList<QByteArray> log = sim.waitForCommands(7);
    ASSERT_EQ(log.size(), 7);
    EXPECT_EQ(log.first(), QByteArray(" ?DAT &"));
    EXPECT_EQ(log.last(), QByteArray("  START &"));
}

TEST_F(LinkCliTest, NoRecorderMeansBrakKomunikacjiAndExitOne)
{
    const QString missing = QDir(dir.path()).filePath(QStringLiteral("no-such-tty"));
    for (const QStringList& command : {QStringList{"register", "0"}, QStringList{"data"}}) {
        const CliRun run = runCli(dir.path(), QStringList{"--port", missing} + command);
        EXPECT_EQ(run.exitCode, 1) << command.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("Brak komunikacji"))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_EQ(runCli(dir.path(), {"--port", missing, "send", "CLR_M &"}).exitCode, 1);
    EXPECT_EQ(runCli(dir.path(), {"register", "x"}).exitCode, 2);
    EXPECT_EQ(runCli(dir.path(), {"data", "--median"}).exitCode, 2);
    EXPECT_EQ(runCli(dir.path(), {"send"}).exitCode, 2);
}

// A reply missing what the command needs fails the command, stores nothing and says which
// reply it was, naming the device --port gave.
TEST_F(LinkCliTest, AReplyThatIsNotWholeFailsEveryCommandThatNeedsIt)
{
    const struct {
        QStringList faults;
        QStringList command;
        QByteArray input;
        const char* said;
    } cases[] = {
        {{"--short-dat", "4"}, {"data"}, {}, "jest niepełna"},
        {{"--short-dat", "15"}, {"data", "--averaged"}, {}, "jest niepełna"},
        {{"--short-dat", "4"}, {"monitor", "--count", "1"}, {}, "jest niepełna"},
        {{"--short-dat", "4"}, {"calibrate", "1", "T"}, "0\n100\n", "jest niepełna"},
        {{"--short-register", "8"}, {"register", "0"}, {}, "jest niepełna"},
        {{"--short-register", "8"}, {"scan"}, {}, "jest niepełna"},
        {{"--short-register", "8"}, {"measure", "start", "--yes"}, {}, "jest niepełna"},
        {{"--garbage", "4"}, {"scan"}, {}, "jest zniekształcona"},
        {{"--silent-register", "0"}, {"register", "0"}, {}, "Rejestrator nie odpowiada na porcie "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.faults + c.command).join(' ').toStdString());
        QTemporaryDir start;
        vorda::test::RecorderSim sim(c.faults);
        ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
        const CliRun run = vorda::test::runProgram(start.path(), QStringList{"--port", sim.devicePath()} + c.command,
                                                   vorda::test::vordaCliPath(), c.input);
        EXPECT_EQ(run.exitCode, 1) << run.out.toStdString() << run.err.toStdString();
        const QString said = run.out + run.err;
        EXPECT_TRUE(said.contains(QString::fromUtf8(c.said))) << said.toStdString();
        EXPECT_TRUE(said.contains(sim.devicePath())) << said.toStdString();
        EXPECT_FALSE(said.contains(QStringLiteral("com1"))) << said.toStdString();
        EXPECT_TRUE(QDir(start.path()).entryList(QDir::Files).isEmpty()) << "nothing stored";
        EXPECT_FALSE(sim.commands().contains("  START &"));
    }
}

TEST_F(LinkCliTest, MeasureStopOnAPortThatCannotBeOpenedFails)
{
    const QString missing = QDir(dir.path()).filePath(QStringLiteral("no-such-tty"));
    const CliRun run = runCli(dir.path(), {"--port", missing, "measure", "stop"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(missing)) << run.err.toStdString();
}

}  // namespace
