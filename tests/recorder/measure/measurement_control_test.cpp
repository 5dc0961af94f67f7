// Starting and stopping a measurement against the simulated recorder on a fake line: the
// commands, the memory checks and the progress bar.

#include "recorder/download/fake_line_session.h"

#include "link/recorder_protocol.h"
#include "measure/measurement_control.h"
#include "measure/system_scan.h"

#include <gtest/gtest.h>

#include <limits>

namespace vorda {
namespace {

using test::FakeLineSession;
using test::RecordingView;

// Ends the exchange sequence with a register read, so that the log shows whether
// anything was sent before it (and an unterminated command is completed by it).
QList<QByteArray> commandsBefore(FakeLineSession& s)
{
    RecorderProtocol(*s.link, s.settings, s.state, s.reporter).readRegister(9);
    QList<QByteArray> commands = s.line.commands;
    if (!commands.isEmpty() && commands.last() == " ?R_9 &") commands.removeLast();
    return commands;
}

TEST(MeasurementStart, WithoutStatusSendsStartAndSetsTheBar)
{
    FakeLineSession s({});
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    s.settings.samplingTimeMs = 100;
    s.settings.sampleCount = 500;
    s.state.statusRead = false;
    s.state.freeMemory = 0;
    RecordingView bar;
    MeasurementControl control(s.settings, s.state, *s.link, s.reporter, &bar);

    EXPECT_TRUE(control.startMeasurement());

    EXPECT_EQ(commandsBefore(s), QList<QByteArray>{"  START &"});
    EXPECT_EQ(bar.barMaximum, 52);
    EXPECT_EQ(bar.barPosition, 52);
    EXPECT_EQ(s.state.rescanCountdown, 3);
    EXPECT_TRUE(s.reporter.shown.isEmpty());
    EXPECT_TRUE(s.reporter.asked.isEmpty());
}

TEST(MeasurementStart, BarMaximumIsThePlannedDurationWithoutOverflow)
{
    EXPECT_EQ(measurementBarMaximum(100, 500), 52);
    EXPECT_EQ(measurementBarMaximum(999, 1), 2);
    // 32000 ms x 134218 samples passes 2^32 ms: 4,294,976 s, not the 9 s of a wrapped product.
    EXPECT_EQ(measurementBarMaximum(32000, 134218), 4294978);
    EXPECT_EQ(measurementBarMaximum(32000, 1564670), 50069442);
    EXPECT_EQ(measurementBarMaximum(0xFFFFFFFFu, 0xFFFFFFFFu), std::numeric_limits<int>::max());
}

TEST(MeasurementStart, MemoryChecks)
{
    FakeLineSession s({});
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    RecordingView bar;
    MeasurementControl control(s.settings, s.state, *s.link, s.reporter, &bar);
    s.state.statusRead = true;

    s.state.freeMemory = 0;
    EXPECT_FALSE(control.startMeasurement());
    ASSERT_EQ(s.reporter.shown.size(), 1);
    EXPECT_EQ(s.reporter.shown[0].text, QStringLiteral("Brak wolnej pamięci !"));
    EXPECT_EQ(s.reporter.shown[0].caption, QStringLiteral("Uwaga !"));

    s.state.freeMemory = 1000;
    s.state.expectedSamples = 4000;
    s.reporter.confirmAnswer = false;
    EXPECT_FALSE(control.startMeasurement());
    ASSERT_EQ(s.reporter.asked.size(), 1);
    EXPECT_EQ(s.reporter.asked[0].text, QString::fromUtf8("Zbyt mało pamięci !"));
    EXPECT_EQ(s.reporter.asked[0].caption, QStringLiteral("Uwaga !"));
    EXPECT_EQ(s.state.rescanCountdown, -1);
    EXPECT_EQ(bar.barMaximum, -1);

    s.reporter.confirmAnswer = true;
    EXPECT_TRUE(control.startMeasurement());
    s.state.expectedSamples = 1000;
    EXPECT_TRUE(control.startMeasurement());
    EXPECT_EQ(s.reporter.asked.size(), 2);

    EXPECT_EQ(commandsBefore(s), (QList<QByteArray>{"  START &", "  START &"}));
    EXPECT_EQ(checkMemoryForStart(ProgramState{}), MemoryCheck::Unchecked);
}

TEST(MeasurementStop, SendsBothCommandsAndDropsTheBar)
{
    FakeLineSession s({});
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    RecordingView bar;
    bar.barPosition = 40;
    MeasurementControl control(s.settings, s.state, *s.link, s.reporter, &bar);

    control.stopMeasurement();

    EXPECT_EQ(commandsBefore(s), (QList<QByteArray>{"$ $_END &", " &"}));
    EXPECT_EQ(bar.barPosition, 0);
}

TEST(PendingCommand, OnlyTheStartTextSetsTheBarAndLongTextIsCut)
{
    FakeLineSession s({});
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    RecordingView bar;
    MeasurementControl control(s.settings, s.state, *s.link, s.reporter, &bar);

    control.sendPendingCommand(" START &");
    EXPECT_EQ(bar.barMaximum, -1);
    const QByteArray tooLong = QByteArray(" M_S ") + QByteArray(300, '1') + QByteArray(" &");
    control.sendPendingCommand(tooLong);

    // The register read that ends the sequence joins the unterminated command.
    const QList<QByteArray> commands = commandsBefore(s);
    ASSERT_EQ(commands.size(), 2);
    EXPECT_EQ(commands[0], QByteArray(" START &"));
    // The cut text lost its "&": the recorder takes it and the next command as one.
    EXPECT_TRUE(commands[1].startsWith(tooLong.left(299)));
}

TEST(MeasurementStart, NewBlockAppearsForTheNewestBlockPoll)
{
    FakeLineSession s({"--blocks", "1", "--samples", "5", "--period", "10"});
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    MeasurementControl control(s.settings, s.state, *s.link, s.reporter);
    test::RecordingReporter quiet;
    CollectingScanSink sink;

    EXPECT_TRUE(control.startMeasurement());
    ASSERT_TRUE(s.line.engine().measuring());
    // The recorder's clock moves past the planned 50 ms; the poll itself is what is checked.
    s.line.nowMs += 1000;
    EXPECT_EQ(pollNewestBlock(s.settings, s.state, *s.link, quiet, sink), ScanOutcome::Completed);

    ASSERT_EQ(sink.blocks.size(), 1);
    EXPECT_TRUE(sink.blocks[0].startsWith(QStringLiteral("  2   "))) << sink.blocks[0].toStdString();
    EXPECT_EQ(s.settings.status.blockCount, 2);
}

}  // namespace
}  // namespace vorda
