// Live monitoring without a window: the check boxes' schedule, the line text, the log's
// save and one poll against recorder-sim.

#include "recorder/download/recorder_session.h"

#include "link/recorder_protocol.h"
#include "measure/measurement_start.h"
#include "measure/monitoring.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

namespace vorda {
namespace {

TEST(MonitorSchedule, EveryTransitionOfTheTwoBoxes)
{
    MonitorSchedule s;
    EXPECT_FALSE(s.viewOn());
    EXPECT_FALSE(s.timerRunning());
    EXPECT_EQ(s.tick(), PollKind::None);  // the timer enabled at start finds monitoring off

    // Monitoring on: first tick after 100 ms reads once, then every 3000 ms averaged.
    s.setMonitoring(true);
    EXPECT_TRUE(s.viewOn());
    EXPECT_TRUE(s.timerRunning());
    EXPECT_EQ(s.intervalMs(), 100);
    EXPECT_EQ(s.tick(), PollKind::Single);
    EXPECT_EQ(s.intervalMs(), 3000);
    EXPECT_EQ(s.tick(), PollKind::Averaged);
    EXPECT_EQ(s.tick(), PollKind::Averaged);

    // Preview on and off while monitoring: nothing changes.
    s.setPreview(true);
    s.setPreview(false);
    EXPECT_TRUE(s.viewOn());
    EXPECT_TRUE(s.timerRunning());

    // Monitoring off with preview off: everything off.
    s.setMonitoring(false);
    EXPECT_FALSE(s.viewOn());
    EXPECT_FALSE(s.timerRunning());

    // Preview alone: view on, no polling.
    s.setPreview(true);
    EXPECT_TRUE(s.viewOn());
    EXPECT_FALSE(s.timerRunning());

    // Monitoring on and off with preview on: the view stays, the timer stops; switching
    // on again starts with a single read.
    s.setMonitoring(true);
    EXPECT_EQ(s.tick(), PollKind::Single);
    s.setMonitoring(false);
    EXPECT_TRUE(s.viewOn());
    EXPECT_FALSE(s.timerRunning());
    EXPECT_EQ(s.tick(), PollKind::None);
    s.setMonitoring(true);
    EXPECT_EQ(s.intervalMs(), 100);
    EXPECT_EQ(s.tick(), PollKind::Single);

    // A tick that finds monitoring cleared stops the timer.
    s.setMonitoring(false);
    s.setPreview(false);
    EXPECT_FALSE(s.viewOn());
    EXPECT_EQ(s.tick(), PollKind::None);
    EXPECT_FALSE(s.timerRunning());
}

void useTwoChannels(Settings& s)
{
    s.channelsUsed = 2;
    for (int c = 1; c <= 2; ++c) {
        s.channels[c].slopeSB = 1.0;
        s.channels[c].offsetSC = 0.0;
    }
    s.channels[1].numberFormat = 1;
    s.channels[2].numberFormat = 0;
}

TEST(MonitorTiming, EachPollIsTimedFromTheStartOfTheOneBefore)
{
    // lastStart, now (the end of that poll), due
    const std::int64_t cases[][3] = {
        {0, 100, 3000}, {0, 3000, 3000}, {0, 3001, 6000}, {0, 6000, 6000}, {0, 9500, 12000}, {100, 2600, 3100},
    };
    for (const auto& c : cases) EXPECT_EQ(nextPollDueMs(c[0], c[1], kPollIntervalMs), c[2]) << c[0] << " " << c[1];

    // A clock that only the polls move: each takes the time listed, so a 3500 ms poll
    // overlaps the next slot, which is skipped.
    const std::int64_t durations[] = {50, 2500, 2500, 3500, 100, 10};
    std::int64_t now = 0;
    std::vector<std::int64_t> starts;
    std::vector<PollKind> kinds;
    PollRun run;
    run.nowMs = [&] { return now; };
    run.waitMs = [&](std::int64_t ms) {
        now += ms;
        return true;
    };
    run.poll = [&](PollKind kind) {
        starts.push_back(now);
        kinds.push_back(kind);
        now += durations[starts.size() - 1];
        return true;
    };
    MonitorSchedule schedule;
    EXPECT_EQ(runPolls(schedule, run, 6), 6);
    EXPECT_EQ(starts, (std::vector<std::int64_t>{100, 3100, 6100, 9100, 15100, 18100}));
    EXPECT_EQ(kinds.front(), PollKind::Single);
    EXPECT_EQ(kinds.back(), PollKind::Averaged);

    // A poll that fails, or a wait that is interrupted, ends the run.
    run.poll = [](PollKind) { return false; };
    EXPECT_EQ(runPolls(schedule, run, 0), 1);
    run.waitMs = [](std::int64_t) { return false; };
    EXPECT_EQ(runPolls(schedule, run, 0), 0);
}

TEST(MonitoringLine, TimeStampThenOneFieldPerUsedChannel)
{
    Settings s{};
    useTwoChannels(s);
    ReadingsRow row{};
    row[1] = 21500;
    row[2] = 7;
    row[3] = 99999;  // beyond channelsUsed: not shown
    const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7));

    // The desktop's locale (decimal comma) must not reach the line.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Polish));
    const std::string line = monitoringLine(when, s, row);
    QLocale::setDefault(previous);
    EXPECT_EQ(line, "26-03-04 05:06:07\t 21.5\t    0\t");

    // Offsets, negative averaged readings, four decimals and an unknown format.
    s.channelsUsed = 3;
    s.channels[1].offsetSC = -1.25;
    s.channels[1].numberFormat = 4;
    s.channels[2].slopeSB = 2.0;
    s.channels[2].numberFormat = 2;
    s.channels[3].slopeSB = 1.0;
    s.channels[3].numberFormat = 9;
    row[1] = 1000;
    row[2] = -1;
    row[3] = 123456;
    EXPECT_EQ(monitoringLine(when, s, row), "26-03-04 05:06:07\t-0.2500\t-0.00\t  123\t");
}

TEST(MonitoringLine, NoChannelInUseShowsNoStaleReading)
{
    // The averaged read refreshes no channel for channelsUsed 0 or less, so the line
    // shows none rather than an old reading of channel 1.
    Settings s{};
    useTwoChannels(s);
    ReadingsRow row{};
    row[1] = 21500;
    const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7));
    for (const int used : {0, -3}) {
        s.channelsUsed = used;
        EXPECT_EQ(monitoringLine(when, s, row), "26-03-04 05:06:07\t") << used;
        EXPECT_TRUE(monitoredValues(s, row).empty()) << used;
    }
    s.channelsUsed = 1000;
    EXPECT_EQ(monitoredValues(s, row).size(), 16u);
}

TEST(MonitoringLog, SavesCrLfLinesAndKeepsTheOldFileOnFailure)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    MonitoringLog log;
    log.append("26-03-04 05:06:07\t 21.5\t");
    log.append("26-03-04 05:06:10\t 21.6\t");
    const QString path = dir.filePath(QStringLiteral("log.txt"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("a much longer old text that must be replaced entirely\n");
    }
    ASSERT_TRUE(log.save(path));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("26-03-04 05:06:07\t 21.5\t\r\n26-03-04 05:06:10\t 21.6\t\r\n"));
    saved.close();

    // With the channels' names first.
    Settings settings{};
    settings.channelsUsed = 3;
    setFieldText(settings.channel(1).name, "Temp 1");
    setFieldText(settings.channel(3).name, "p\xB3yw");  // "pływ" in Windows-1250
    log.setHeader(monitoringHeader(settings));
    ASSERT_TRUE(log.save(path));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readLine(), QByteArray("Czas\tTemp_1\tk2\tp\xB3yw\t\r\n"));
    EXPECT_EQ(saved.readLine(), QByteArray("26-03-04 05:06:07\t 21.5\t\r\n"));

    QString error;
    EXPECT_FALSE(log.save(dir.filePath(QStringLiteral("missing/log.txt")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(log.size(), 2u);
}

TEST(MonitoringPoll, FirstReadIsSingleThenAveragedAndSilenceIsNoAnswer)
{
    test::RecorderSession s({QStringLiteral("--dat"), QStringLiteral("21500,7")});
    ASSERT_TRUE(s.sim.started()) << s.sim.errorText().toStdString();
    useTwoChannels(s.settings);
    RecorderProtocol protocol(*s.link, s.settings, s.state, s.reporter);
    const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7));

    const PollResult first = pollRecorder(protocol, s.settings, PollKind::Single, when);
    ASSERT_EQ(first.outcome, PollOutcome::Line);
    EXPECT_EQ(first.line, "26-03-04 05:06:07\t 21.5\t    0\t");
    EXPECT_EQ(s.sim.waitForCommands(1).size(), 1);

    const PollResult second = pollRecorder(protocol, s.settings, PollKind::Averaged, when);
    ASSERT_EQ(second.outcome, PollOutcome::Line);
    EXPECT_EQ(second.line, first.line);
    EXPECT_EQ(s.sim.waitForCommands(6).size(), 6);

    ASSERT_TRUE(s.sim.stop());
    EXPECT_EQ(pollRecorder(protocol, s.settings, PollKind::Averaged, when).outcome, PollOutcome::NoAnswer);
}

TEST(BlockListItem, LeadingNumberBelowPosition250)
{
    EXPECT_EQ(blockOfListItem(1, QStringLiteral("  7   2026-03-04 05:06:07    500      10      4 ")), 7);
    EXPECT_EQ(blockOfListItem(249, QStringLiteral("249   x")), 249);
    EXPECT_EQ(blockOfListItem(250, QStringLiteral("250   x")), std::nullopt);
    EXPECT_EQ(blockOfListItem(-1, QStringLiteral("  7")), std::nullopt);
    EXPECT_EQ(blockOfListItem(0, QStringLiteral(" Nr:  Data       Godz.     Ilość   Prób.[ms]  Kanały ")),
              std::nullopt);
    EXPECT_EQ(blockOfListItem(0, QString()), std::nullopt);
    EXPECT_EQ(blockOfListItem(0, QStringLiteral("--5")), std::nullopt);
}

}  // namespace
}  // namespace vorda
