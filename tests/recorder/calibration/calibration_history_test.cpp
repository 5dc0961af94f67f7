// The calibration history file.

#include "calibration/calibration_history.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

namespace vorda {
namespace {

TEST(CalibrationHistory, LinesAppendUnderOneHeadingWithDecimalCommas)
{
    QTemporaryDir dir;
    Reporter quiet;
    HistoryEntry cal;
    cal.channel = 3;
    cal.name = "P;1";
    cal.raw1 = 1000;
    cal.value1 = 0.0;
    cal.raw2 = 11000;
    cal.value2 = 100.0;
    cal.slopeSB = 10.0;
    cal.offsetSC = -10.0;
    HistoryEntry zero = cal;
    zero.kind = HistoryEntry::Kind::Zeroing;
    zero.raw2.reset();
    zero.value2.reset();
    const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7));
    ASSERT_TRUE(appendHistory(dir.path(), cal, when, quiet));
    ASSERT_TRUE(appendHistory(dir.path(), zero, when.addSecs(60), quiet));

    const QStringList lines = readHistory(dir.path());
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Data i czas;Rodzaj;Kanał;Nazwa;Kod punktu 1;Wartość punktu 1;Kod punktu 2;"
                                       "Wartość punktu 2;S_B;S_C"));
    EXPECT_EQ(lines[1], QStringLiteral("2026-03-04 05:06:07;kalibracja;3;\"P;1\";1000;0,0000;11000;100,0000;"
                                       "10,000000;-10,000000"));
    EXPECT_EQ(lines[2], QStringLiteral("2026-03-04 05:07:07;zerowanie;3;\"P;1\";1000;0,0000;;;10,000000;-10,000000"));
}

TEST(CalibrationHistory, PendingLinesAreWrittenOnlyByAFlush)
{
    QTemporaryDir dir;
    Reporter quiet;
    PendingHistory pending;
    HistoryEntry entry;
    entry.channel = 2;
    const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7));
    pending.add(entry, when);
    pending.discard();
    EXPECT_TRUE(readHistory(dir.path()).isEmpty());
    pending.add(entry, when);
    entry.channel = 5;
    pending.add(entry, when.addSecs(1));
    EXPECT_TRUE(readHistory(dir.path()).isEmpty()) << "nothing before the save";
    EXPECT_TRUE(pending.flush(dir.path(), quiet));
    EXPECT_TRUE(pending.empty());
    const QStringList lines = readHistory(dir.path());
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("2026-03-04 05:06:07;kalibracja;2;")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("2026-03-04 05:06:08;kalibracja;5;")));
}

struct CountingReporter : Reporter {
    int messages = 0;
    void showMessage(const QString&, const QString&, MessageIcon) override { ++messages; }
};

TEST(CalibrationHistory, AnUnwritableFileIsReportedOnce)
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("Config")));  // a file where the folder belongs
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    CountingReporter reporter;
    EXPECT_FALSE(appendHistory(dir.path(), HistoryEntry{}, QDateTime::currentDateTime(), reporter));
    EXPECT_EQ(reporter.messages, 1);
}

}  // namespace
}  // namespace vorda
