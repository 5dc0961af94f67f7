// The system scan and the newest-block poll: report lines, block lines, and the
// registers they read from the simulated recorder on a fake line.

#include "recorder/download/fake_line_session.h"

#include "measure/system_scan.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vorda {
namespace {

using test::FakeLineSession;

QList<QByteArray> registers(std::initializer_list<int> numbers)
{
    QList<QByteArray> list;
    for (int n : numbers) list << QByteArray(" ?R_") + QByteArray::number(n) + QByteArray(" &");
    return list;
}

RecorderStatus statusOf(const char* tag)
{
    RecorderStatus s{};
    std::memcpy(s.tag, tag, std::strlen(tag) + 1);
    std::memcpy(s.date, "2006-07-08", 11);
    std::memcpy(s.time, "12:30:45", 9);
    return s;
}

const QString kHeading1 = QString::fromUtf8("Numer Data       Godzina  Ilość    Czas pró- Ilość ");
const QString kHeading2 = QString::fromUtf8("bloku pomiaru    pomiaru  pomiarów bkowania  kanałów ");

TEST(SystemScan, ThreeBlocksGiveReportAndBlockList)
{
    QTemporaryDir scenarioDir;
    FakeLineSession s(
        FakeLineSession::scenario(scenarioDir, QStringLiteral("model R3\n"
                                                              "block 2024-01-10 08:00:00 120 100 4 0\n"
                                                              "block 2024-01-11 09:15:30 7 5 2 0\n"
                                                              "block 2024-01-12 23:59:59 65000 1000 16 0\n")));
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    s.settings.sampleCount = 1;
    CollectingScanSink sink;
    sink.report << QStringLiteral("old line");

    EXPECT_EQ(scanSystem(s.settings, s.state, *s.link, s.reporter, sink), ScanOutcome::Completed);

    EXPECT_EQ(s.line.commands, registers({0, 1, 2, 3}));
    const QStringList& report = sink.report;
    ASSERT_GE(report.size(), 12);
    EXPECT_EQ(report[0], QStringLiteral("System typ. KX208DL03.5 "));
    EXPECT_EQ(report[2], QString::fromUtf8("Ilość zapisanych bloków - 3 ."));
    EXPECT_EQ(
        report[1],
        QString::fromUtf8("Wolna pamięć - %1 pomiarów na wszystkich kanałach.").arg(s.settings.status.freeMemory));
    const QString setCount = report.filter(QString::fromUtf8("Ustawiona ilość pomiarów - ")).value(0);
    EXPECT_EQ(setCount, QString::fromUtf8("Ustawiona ilość pomiarów - %1 .").arg(s.settings.sampleCount));
    EXPECT_NE(s.settings.sampleCount, 1u);

    // The report: register 0's lines, the empty line, the headings, the block lines.
    const qsizetype empty = report.indexOf(QString());
    ASSERT_GT(empty, 0);
    EXPECT_EQ(report.mid(empty + 1, 2), (QStringList{kHeading1, kHeading2}));
    const QStringList blockLines = report.mid(empty + 3);
    ASSERT_EQ(sink.blocks.size(), 4);
    EXPECT_EQ(sink.blocks[0], QString::fromUtf8(" Nr:  Data       Godz.     Ilość   Prób.[ms]  Kanały "));
    EXPECT_EQ(blockLines, sink.blocks.mid(1));

    const QStringList expected[] = {
        {"1", "2024-01-10", "08:00:00", "120", "100", "4"},
        {"2", "2024-01-11", "09:15:30", "7", "5", "2"},
        {"3", "2024-01-12", "23:59:59", "65000", "1000", "16"},
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(blockLines.value(i).split(QLatin1Char(' '), Qt::SkipEmptyParts), expected[i]);
        EXPECT_TRUE(blockLines.value(i).endsWith(QLatin1Char(' ')));
        EXPECT_EQ(blockLines.value(i).left(3).trimmed(), expected[i][0]);
    }
}

TEST(SystemScan, EmptyRecorderEndsWithTheEmptyLine)
{
    FakeLineSession s({"--blocks", "0", "--model", "R4"});
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    CollectingScanSink sink;

    EXPECT_EQ(scanSystem(s.settings, s.state, *s.link, s.reporter, sink), ScanOutcome::Completed);

    EXPECT_EQ(s.line.commands, registers({0}));
    ASSERT_FALSE(sink.report.isEmpty());
    EXPECT_EQ(sink.report.first(), QStringLiteral("System typ. KX208DL04/6? "));
    EXPECT_TRUE(sink.report.contains(QStringLiteral("Rejestr systemu - 0 .")));
    EXPECT_EQ(sink.report.last(), QString());
    EXPECT_FALSE(sink.report.contains(kHeading1));
    EXPECT_TRUE(sink.blocks.isEmpty());

    // The newest-block poll reads register 0 only and appends nothing.
    EXPECT_EQ(pollNewestBlock(s.settings, s.state, *s.link, s.reporter, sink), ScanOutcome::Completed);
    EXPECT_EQ(s.line.commands, registers({0, 0}));
    EXPECT_TRUE(sink.blocks.isEmpty());
}

TEST(SystemScan, SilentRegisterEndsTheScanWithNoCommunication)
{
    FakeLineSession s({"--blocks", "3", "--silent-register", "2"});
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    CollectingScanSink sink;

    EXPECT_EQ(scanSystem(s.settings, s.state, *s.link, s.reporter, sink), ScanOutcome::NoCommunication);

    ASSERT_EQ(sink.blocks.size(), 2);
    EXPECT_TRUE(sink.blocks[1].startsWith(QStringLiteral("  1   ")));
    ASSERT_GE(sink.report.size(), 3);
    // "Brak komunikacji", then why: the port opened but the recorder said nothing.
    EXPECT_EQ(sink.report[sink.report.size() - 2], QStringLiteral("Brak komunikacji"));
    EXPECT_EQ(sink.report.last(), QStringLiteral("Rejestrator nie odpowiada na porcie com%1 (%2)")
                                      .arg(s.settings.portNumber)
                                      .arg(s.link->device()));
    EXPECT_EQ(sink.report[sink.report.size() - 3], sink.blocks[1]);
    EXPECT_EQ(s.line.commands, registers({0, 1, 2}));
}

TEST(SystemScan, WrongBlockNumbersCannotKeepTheScansGoing)
{
    FakeLineSession s({"--blocks", "3", "--wrong-block-number", "1000"});
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    CollectingScanSink sink;

    EXPECT_EQ(scanSystem(s.settings, s.state, *s.link, s.reporter, sink), ScanOutcome::Completed);
    EXPECT_EQ(pollNewestBlock(s.settings, s.state, *s.link, s.reporter, sink), ScanOutcome::Completed);

    EXPECT_EQ(s.line.commands, registers({0, 1, 2, 3, 0, 3}));
    EXPECT_EQ(sink.blocks.size(), 1 + 3 + 1);
}

TEST(SystemScan, NoRecorderSaysWhy)
{
    FakeLineSession s({});
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    s.line.script->openFails = true;
    CollectingScanSink sink;
    s.line.script->openErrorText = QStringLiteral("Permission denied");
    EXPECT_EQ(scanSystem(s.settings, s.state, *s.link, s.reporter, sink), ScanOutcome::NoCommunication);
    const QString why = QString::fromUtf8("Nie można otworzyć portu com%1 (%2): Permission denied")
                            .arg(s.settings.portNumber)
                            .arg(s.link->device());
    EXPECT_EQ(sink.report, (QStringList{QStringLiteral("Brak komunikacji"), why}));
    EXPECT_TRUE(s.reporter.statusTexts.contains(why));
    // The poll, run by the timer, keeps to its one line.
    EXPECT_EQ(pollNewestBlock(s.settings, s.state, *s.link, s.reporter, sink), ScanOutcome::NoCommunication);
    EXPECT_EQ(sink.report, (QStringList{QStringLiteral("Brak komunikacji"), why, QStringLiteral("Brak komunikacji")}));
    EXPECT_TRUE(sink.blocks.isEmpty());
}

TEST(NewestBlockPoll, ReadsRegisterZeroAndTheNewestBlockOnly)
{
    FakeLineSession s({"--blocks", "5"});
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    CollectingScanSink sink;
    sink.blocks << QStringLiteral("kept");

    EXPECT_EQ(pollNewestBlock(s.settings, s.state, *s.link, s.reporter, sink), ScanOutcome::Completed);
    EXPECT_EQ(pollNewestBlock(s.settings, s.state, *s.link, s.reporter, sink), ScanOutcome::Completed);

    EXPECT_EQ(s.line.commands, registers({0, 5, 0, 5}));
    ASSERT_EQ(sink.blocks.size(), 3);
    EXPECT_EQ(sink.blocks[0], QStringLiteral("kept"));
    EXPECT_EQ(sink.blocks[1], sink.blocks[2]);
    EXPECT_TRUE(sink.blocks[1].startsWith(QStringLiteral("  5   ")));
    EXPECT_FALSE(sink.blocks[1].endsWith(QLatin1Char(' ')));
    EXPECT_TRUE(sink.report.isEmpty());
}

TEST(ScanReport, BlockLineColumns)
{
    RecorderStatus s = statusOf("R3");
    s.blockNumber = 12;
    s.sampleCount = 500;
    s.samplingMs = 100;
    s.channelCount = 4;
    const QString line = blockLine(s, true);
    EXPECT_EQ(line, QStringLiteral(" 12   2006-07-08 12:30:45    500      100      4 "));
    EXPECT_EQ(blockLine(s, false), line.chopped(1));
    // Short texts are right-aligned in eight characters.
    std::memcpy(s.time, "1:02:03", 8);
    EXPECT_TRUE(blockLine(s, false).contains(QStringLiteral("2006-07-08  1:02:03 ")));
}

TEST(ScanReport, UnknownModelAndModel5)
{
    EXPECT_EQ(modelLine('\0'), QStringLiteral("Nieznany system lub niewyzerowany "));
    RecorderStatus unknown = statusOf("R7");
    unknown.triggerOn = 1;
    const QStringList lines = statusReportLines(unknown, 1);
    EXPECT_EQ(lines.first(), QStringLiteral("Nieznany system lub niewyzerowany "));
    EXPECT_TRUE(lines.contains(QStringLiteral("Rejestr systemu - 1 .")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Zegar systemu - 2006-07-08  12:30:45 .")));

    // Model 5 reads the trigger from the option word, not from the status.
    RecorderStatus model5 = statusOf("R5");
    model5.triggerOn = 0;
    EXPECT_TRUE(statusReportLines(model5, 3).contains(QString::fromUtf8("Opcja 'Triger' - włączone wyzwalanie")));
    EXPECT_TRUE(statusReportLines(model5, 2).contains(QString::fromUtf8("Opcja 'Normal' - wyłączone wyzwalanie")));
}

TEST(ScanReport, Model3TriggerBlock)
{
    RecorderStatus s = statusOf("R3");
    s.triggerOn = 1;
    s.recorderSB = 1.0;
    s.recorderSC = 0.0;
    s.triggerStartRaw = 1234;
    s.triggerStopRaw = 4294967295u;  // taken as unsigned
    s.blockCount = 2;
    s.samplingMs = -1;
    const QStringList lines = statusReportLines(s, 0);
    const qsizetype first = lines.indexOf(QString::fromUtf8("          Parametry wyzwalania (kanał 1)"));
    ASSERT_GE(first, 0);
    ASSERT_GE(lines.size(), first + 7);
    EXPECT_EQ(lines[first + 1], QString::fromUtf8("Opcja 'Triger' - włączone wyzwalanie"));
    EXPECT_EQ(lines[first + 2], QStringLiteral("Amplituda START -    1.24 ."));
    EXPECT_EQ(lines[first + 3], QStringLiteral("Amplituda STOP - 4294967.30 ."));
    EXPECT_EQ(lines[first + 4], QString::fromUtf8("Stała nachylenia S_B = 1.000000 ."));
    EXPECT_EQ(lines[first + 5], QString::fromUtf8("Stała przesunięcia S_C = 0.000000 ."));
    EXPECT_EQ(lines[first + 6],
              QString::fromUtf8("Uwaga! Sprawdź zgodność ze stałymi kalibracji wciśnij:[Stałe kalibracji]"));
    EXPECT_EQ(lines.mid(first + 7), (QStringList{QString(), kHeading1, kHeading2}));
    EXPECT_TRUE(lines.contains(QString::fromUtf8("Ustawiony czas próbkowania - 4294967295 .")));

    s.triggerOn = 0;
    s.recorderSB = 2.5;
    s.recorderSC = -1.25;
    s.triggerStartRaw = 333;  // 333 x 0.0025 - 1.25 + 0.005 = -0.4125
    const QStringList off = statusReportLines(s, 1);
    EXPECT_TRUE(off.contains(QString::fromUtf8("Opcja 'Normal' - wyłączone wyzwalanie")));
    EXPECT_TRUE(off.contains(QStringLiteral("Amplituda START -   -0.41 .")));
    EXPECT_TRUE(off.contains(QString::fromUtf8("Stała przesunięcia S_C = -1.250000 .")));
}

}  // namespace
}  // namespace vorda
