// The memory read, the single-block read and the wipe. The block loop runs against the
// simulator's engine on a fake line; one memory read and the wipe go through the real
// serial port to recorder-sim.

#include "recorder/download/fake_line_session.h"
#include "recorder/download/recorder_session.h"

#include "link/recorder_protocol.h"
#include "support/fake_transport.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <algorithm>

namespace vorda {
namespace {

using test::FakeLineSession;
using test::RecorderSession;
using test::RecordingView;

QList<QByteArray> bytesList(std::initializer_list<const char*> items)
{
    QList<QByteArray> list;
    for (const char* item : items) list << QByteArray(item);
    return list;
}

// The sample lines of a measurement file written with the sample number first and every
// channel showing its raw code: the numbers of each line.
QList<QList<long>> sampleNumbers(const QStringList& lines)
{
    QList<QList<long>> rows;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QList<long> row;
        for (const QString& token : lines[i].split(QLatin1Char(' '), Qt::SkipEmptyParts)) row << token.toLong();
        rows << row;
    }
    return rows;
}

struct ScenarioBlock {
    const char* date;
    const char* time;
    int samples;
    int period;
    int channels;
    std::vector<long> values;  // reused cyclically over the slots
};

QString scenarioText(const std::vector<ScenarioBlock>& blocks)
{
    QString text = QStringLiteral("model R3\n");
    for (const ScenarioBlock& b : blocks) {
        text += QStringLiteral("block %1 %2 %3 %4 %5 0")
                    .arg(QLatin1String(b.date), QLatin1String(b.time))
                    .arg(b.samples)
                    .arg(b.period)
                    .arg(b.channels);
        for (long v : b.values) text += QStringLiteral(" %1").arg(v);
        text += QLatin1Char('\n');
    }
    return text;
}

QString fileNameOf(const ScenarioBlock& b)
{
    QString name = QStringLiteral("%1_%2.txt").arg(QLatin1String(b.date), QLatin1String(b.time));
    name.replace(QLatin1Char('-'), QLatin1Char('_')).replace(QLatin1Char(':'), QLatin1Char('_'));
    return name;
}

TEST(MemoryRead, ThreeBlocksAreReadInOrderIntoThreeFiles)
{
    const std::vector<ScenarioBlock> blocks = {
        {"2024-03-01", "10:00:00", 4, 10, 2, {100, 200, 300, 400, 500, 600, 700, 800}},
        {"2024-03-02", "11:30:00", 3, 20, 3, {7, 8, 9, 65535}},
        {"2024-03-03", "12:45:30", 5, 50, 1, {0, 4660}},
    };
    QTemporaryDir scenarioDir;
    RecorderSession s(RecorderSession::scenario(scenarioDir, scenarioText(blocks)));
    ASSERT_TRUE(s.sim.started()) << s.sim.errorText().toStdString();
    RecordingView view;
    MemoryDownload download = s.download(&view);

    EXPECT_EQ(download.readMemory(), ReadOutcome::Completed);

    EXPECT_EQ(s.sim.waitForCommands(9), bytesList({" ?R_0 &", " ?R_0 &", " ?R_0 &", " ?R_1 &", " ?MEM 1 &", " ?R_2 &",
                                                   " ?MEM 2 &", " ?R_3 &", " ?MEM 3 &"}));
    ASSERT_EQ(s.measurementFiles().size(), 3);
    for (const ScenarioBlock& b : blocks) {
        SCOPED_TRACE(b.date);
        const QStringList lines = s.fileLines(fileNameOf(b));
        const QList<QList<long>> rows = sampleNumbers(lines);
        ASSERT_EQ(rows.size(), b.samples);
        std::size_t next = 0;
        for (int i = 0; i < b.samples; ++i) {
            ASSERT_EQ(rows[i].size(), b.channels + 1) << lines[i + 1].toStdString();
            EXPECT_EQ(rows[i][0], i + 1);
            for (int k = 0; k < b.channels; ++k, next = (next + 1) % b.values.size())
                EXPECT_EQ(rows[i][k + 1], b.values[next]) << "sample " << i << " channel " << k + 1;
        }
    }

    const QStringList& memo = s.reporter.transfer;
    for (int n = 1; n <= 3; ++n)
        EXPECT_TRUE(memo.contains(QString::fromUtf8("Czytane pomiary z bloku nr. ") + QString::number(n)));
    EXPECT_FALSE(memo.filter(QStringLiteral("Błąd")).size());
    EXPECT_EQ(s.reporter.filesChangedCount, 3);
    EXPECT_TRUE(s.reporter.shown.isEmpty());
    ASSERT_FALSE(view.values.isEmpty());
    EXPECT_EQ(view.values.last().blockNumber, 3);
    EXPECT_EQ(view.values.last().blockCount, 3);
    EXPECT_EQ(view.values.last().sampleCount, 5);
    EXPECT_EQ(view.values.last().date, QStringLiteral("2024-03-03"));
    EXPECT_EQ(view.barPosition, 0);
    EXPECT_EQ(view.readsStarted, 1);
    // The transfer does not keep the port once it has ended.
    EXPECT_EQ(s.settings.portOpen, 0);
}

TEST(MemoryRead, InvalidHeaderIsRetriedWithTheSameBlock)
{
    FakeLineSession s({"--blocks", "3", "--samples", "20", "--wrong-block-number", "1:2"});
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    MemoryDownload download = s.download();

    EXPECT_EQ(download.readMemory(), ReadOutcome::Completed);

    EXPECT_EQ(s.line.commands, bytesList({" ?R_0 &", " ?R_0 &", " ?R_0 &", " ?R_1 &", " ?MEM 1 &", " ?R_2 &", " ?R_2 &",
                                          " ?MEM 2 &", " ?R_3 &", " ?MEM 3 &"}));
    EXPECT_EQ(s.reporter.transfer.filter(QString::fromUtf8("Błąd, powtórz=")),
              QStringList{QString::fromUtf8("Błąd, powtórz=1")});
    EXPECT_EQ(s.measurementFiles().size(), 3);
}

TEST(MemoryRead, SeventhFailureInARowEndsTheRead)
{
    FakeLineSession s({"--blocks", "3", "--samples", "20", "--wrong-block-number", "100:2"});
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    MemoryDownload download = s.download();

    EXPECT_EQ(download.readMemory(), ReadOutcome::TooManyFailures);

    QStringList retries;
    for (int n = 1; n <= 7; ++n) retries << QString::fromUtf8("Błąd, powtórz=") + QString::number(n);
    EXPECT_EQ(s.reporter.transfer.filter(QString::fromUtf8("Błąd, powtórz=")), retries);
    ASSERT_EQ(s.reporter.shown.size(), 1);
    EXPECT_EQ(s.reporter.shown[0].text, QString::fromUtf8("Błędny typ czytanego rekordu"));
    EXPECT_EQ(s.reporter.shown[0].caption, QString::fromUtf8("Błąd..."));
    EXPECT_EQ(s.line.commands, bytesList({" ?R_0 &", " ?R_0 &", " ?R_0 &", " ?R_1 &", " ?MEM 1 &", " ?R_2 &", " ?R_2 &",
                                          " ?R_2 &", " ?R_2 &", " ?R_2 &", " ?R_2 &", " ?R_2 &"}));
    EXPECT_EQ(s.measurementFiles().size(), 1);
}

TEST(MemoryRead, AbortAtAChosenByteOfTheSecondBlockStopsItAndConvertsWhatCame)
{
    const QString text = QStringLiteral(
        "model R3\n"
        "block 2024-05-01 08:00:00 5 10 4 0\n"
        "block 2024-05-01 09:00:00 4000 10 4 0\n"
        "block 2024-05-01 10:00:00 5 10 4 0\n");
    QTemporaryDir scenarioDir;
    FakeLineSession s(FakeLineSession::scenario(scenarioDir, text));
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    RecordingView view;
    MemoryDownload download = s.download(&view);
    // The abort button is pressed once the third chunk of block 2 is in the dump.
    constexpr std::int64_t abortAt = 3 * kChunkSize;
    int barAtAbort = -1;
    QString labelAtAbort;
    s.reporter.onEvents = [&] {
        if (!s.state.abortRequested && view.currentBlock == 2 && view.currentBytes >= abortAt) {
            barAtAbort = view.progress.barValue();
            labelAtAbort = view.progress.labelText();
            download.requestAbort();
        }
    };

    EXPECT_EQ(download.readMemory(), ReadOutcome::Aborted);

    // The "$" goes out before another chunk is read, and the block after it is only
    // looked at, never asked for.
    EXPECT_EQ(s.line.commands, bytesList({" ?R_0 &", " ?R_0 &", " ?R_0 &", " ?R_1 &", " ?MEM 1 &", " ?R_2 &",
                                          " ?MEM 2 &", "$", " ?R_3 &"}));
    const QByteArray dump = s.dump();
    EXPECT_EQ(dump.size(), abortAt);
    EXPECT_EQ(view.currentBytes, abortAt);

    const qsizetype headerEnd = dump.indexOf('\r');
    ASSERT_GT(headerEnd, 0);
    const qsizetype whole = (abortAt - headerEnd - 1) / (4 * 4);
    const QStringList& memo = s.reporter.transfer;
    const qsizetype aborted = memo.indexOf(QStringLiteral("Przerwano transmije."));
    ASSERT_GE(aborted, 0);
    ASSERT_GT(memo.size(), aborted + 2);
    EXPECT_EQ(memo[aborted + 1],
              QString::fromUtf8("o długości %1 pomiarów zapisany \r\ndo pliku 2024_05_01_09_00_00_niepelny.txt")
                  .arg(whole));
    EXPECT_EQ(memo[aborted + 2],
              QString::fromUtf8("Blok niepełny: plik '__m.mem' zawiera %1 z 4000 pomiarów").arg(whole));
    const QStringList files = s.measurementFiles();
    ASSERT_EQ(files,
              (QStringList{QStringLiteral("2024_05_01_08_00_00.txt"), QStringLiteral("2024_05_01_09_00_00_niepelny.txt")}));
    EXPECT_EQ(download.problems().size(), 3u);  // aborted, short, length
    EXPECT_TRUE(s.state.abortRequested);
    EXPECT_EQ(s.settings.portOpen, 0);

    // The report is headed by block 2, the last block read, not by block 3, whose header
    // was only looked at.
    ASSERT_FALSE(view.values.isEmpty());
    EXPECT_EQ(view.values.last().blockNumber, 2);
    EXPECT_EQ(view.values.last().sampleCount, 4000);
    EXPECT_EQ(view.values.last().time, QStringLiteral("09:00:00"));
    // The bar stood at the share of block 2 received, the time estimate beside the count;
    // the report keeps the share and the count, the estimate is over.
    const std::int64_t samples = abortAt - headerEnd - 1;
    const int seconds = memoryReadBarMaximum(transferSeconds(4, 4000, s.settings.baudRate));
    EXPECT_EQ(barAtAbort, samples * TransferProgress::kBarMaximum / 64000);
    EXPECT_EQ(labelAtAbort, QString::fromUtf8("Odebrano: %1 z 64\u00a0000 znaków, pozostało ok. %2 s")
                                .arg(QLocale(QLocale::Polish).toString(qlonglong(samples)))
                                .arg(seconds));
    EXPECT_EQ(view.progress.barValue(), barAtAbort);
    EXPECT_EQ(view.progress.labelText(), labelAtAbort.section(QLatin1Char(','), 0, 0));
}

TEST(MemoryRead, AnAbortOrALostLineAfterTheLastByteOfAWholeBlockTakesNothingFromIt)
{
    for (const bool abort : {true, false}) {
        SCOPED_TRACE(abort ? "abort" : "line lost");
        FakeLineSession s({"--blocks", "2", "--samples", "30", "--channels", "2"});
        ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
        RecordingView view;
        MemoryDownload download = s.download(&view);
        const std::int64_t wholeDump = QByteArray("R3 2024-03-15 08:00:00 1 30 10 2 0\r").size() + 30 * 2 * 4;
        s.reporter.onEvents = [&] {
            if (view.currentBlock != 1 || view.currentBytes < wholeDump) return;
            if (abort && !s.state.abortRequested) download.requestAbort();
            if (!abort) s.line.script->readError = ReadError::EndOfFile;
        };

        const ReadOutcome outcome = download.readMemory();

        EXPECT_EQ(download.tally().whole, 1);
        EXPECT_TRUE(download.tally().partial.empty());
        EXPECT_TRUE(s.measurementFiles().contains(QStringLiteral("2024_03_15_08_00_00.txt")));
        EXPECT_TRUE(std::none_of(download.problems().begin(), download.problems().end(),
                                 [](const BlockProblem& p) { return p.block == 1; }));
        if (abort) {
            EXPECT_EQ(outcome, ReadOutcome::Aborted);
            EXPECT_EQ(s.reporter.statusTexts.last(), QString::fromUtf8("Przerwano: zapisano 1 blok"));
        }
    }
}

TEST(MemoryRead, EmptyRecorderAndSilentLineSayNothingToRead)
{
    FakeLineSession s({"--blocks", "0"});
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    EXPECT_EQ(s.download().readMemory(), ReadOutcome::NoBlocks);
    EXPECT_EQ(s.reporter.transfer, QStringList{QString::fromUtf8("Brak pomiarów do przeczytania")});
    EXPECT_EQ(s.line.commands, bytesList({" ?R_0 &", " ?R_0 &", " ?R_0 &"}));

    EXPECT_EQ(s.reporter.statusTexts.last(), QString::fromUtf8("Pamięć rejestratora jest pusta"));

    // A silent recorder with a block count left from an earlier read: nothing is asked
    // for, and the memo says why before the usual line.
    FakeLineSession silent({"--silent-register", "0"});
    ASSERT_TRUE(silent.line.valid()) << silent.line.errorText().toStdString();
    silent.settings.status.blockCount = 3;
    EXPECT_EQ(silent.download().readMemory(), ReadOutcome::NoCommunication);
    const QString noAnswer = QStringLiteral("Rejestrator nie odpowiada na porcie com%1 (%2)")
                                 .arg(silent.settings.portNumber)
                                 .arg(silent.link->device());
    EXPECT_EQ(silent.reporter.transfer, (QStringList{noAnswer, QString::fromUtf8("Brak pomiarów do przeczytania")}));
    EXPECT_EQ(silent.line.commands, bytesList({" ?R_0 &", " ?R_0 &", " ?R_0 &"}));
    EXPECT_EQ(silent.reporter.statusTexts.last(), noAnswer);

    // A port that cannot be opened is named with the system's reason, first in the memo
    // and on the status bar, and no retries follow.
    FakeLineSession unopened({"--blocks", "2"});
    ASSERT_TRUE(unopened.line.valid()) << unopened.line.errorText().toStdString();
    unopened.line.script->openFails = true;
    unopened.settings.status.blockCount = 2;
    EXPECT_EQ(unopened.download().readMemory(), ReadOutcome::NoCommunication);
    const QString cannotOpen = QString::fromUtf8("Nie można otworzyć portu com%1 (%2): No such file or directory")
                                   .arg(unopened.settings.portNumber)
                                   .arg(unopened.link->device());
    EXPECT_EQ(unopened.reporter.transfer,
              (QStringList{cannotOpen, QString::fromUtf8("Brak pomiarów do przeczytania")}));
    ASSERT_FALSE(unopened.reporter.statusTexts.isEmpty());
    EXPECT_TRUE(unopened.reporter.statusTexts.contains(cannotOpen));
    EXPECT_EQ(unopened.reporter.statusTexts.last(), cannotOpen);
    EXPECT_TRUE(unopened.line.commands.isEmpty());
    EXPECT_TRUE(s.measurementFiles().isEmpty());
    EXPECT_TRUE(unopened.measurementFiles().isEmpty());
}

TEST(MemoryRead, TheDialogHearsOfEveryChunkAndTheStatusBarOfTheOutcome)
{
    FakeLineSession s({"--blocks", "3", "--samples", "120", "--channels", "4"});
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    struct CountingView : RecordingView {
        std::int64_t expected = -1;
        QList<std::int64_t> received;
        void blockStarted(std::int32_t block, std::int64_t bytes) override
        {
            RecordingView::blockStarted(block, bytes);
            expected = bytes;
            received.clear();
        }
        void sampleCharactersReceived(std::int64_t n) override { received << n; }
    } view;

    EXPECT_EQ(s.download(&view).readMemory(), ReadOutcome::Completed);

    // The last block: 120 samples of 4 codes, counted per chunk up to the whole.
    EXPECT_EQ(view.expected, 120 * 4 * 4);
    ASSERT_GE(view.received.size(), 2);
    EXPECT_TRUE(std::is_sorted(view.received.begin(), view.received.end()));
    EXPECT_EQ(view.received.last(), 120 * 4 * 4);
    EXPECT_EQ(s.reporter.statusTexts.last(), QStringLiteral("Przeczytano 3 bloki"));
}

TEST(MemoryRead, OutcomeTextsOnTheStatusBar)
{
    const std::pair<ReadTally, const char*> completed[] = {
        {{1, {}, {}}, "Przeczytano 1 blok"},
        {{4, {}, {}}, "Przeczytano 4 bloki"},
        {{12, {}, {}}, "Przeczytano 12 bloków"},
        {{22, {}, {}}, "Przeczytano 22 bloki"},
        {{2, {3}, {}}, "Przeczytano 2 bloki, niepełne: 3"},
        {{0, {1, 2}, {3}}, "Przeczytano 0 bloków, niepełne: 1, 2, bez pliku: 3"},
    };
    for (const auto& [tally, text] : completed)
        EXPECT_EQ(readOutcomeText(ReadOutcome::Completed, tally), QString::fromUtf8(text));
    EXPECT_EQ(readOutcomeText(ReadOutcome::Aborted, {1, {2}, {}}), QString::fromUtf8("Przerwano: zapisano 1 blok, niepełne: 2"));
    EXPECT_EQ(readOutcomeText(ReadOutcome::NoBlocks, {}), QString::fromUtf8("Pamięć rejestratora jest pusta"));
    EXPECT_TRUE(readOutcomeText(ReadOutcome::LinkBusy, {}).isEmpty());
}

TEST(MemoryRead, DumpKeepsEveryByteIncludingNul)
{
    FakeLineSession s({"--blocks", "1", "--samples", "100", "--channels", "4", "--nul-in-dump", "60"});
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    EXPECT_EQ(s.download().readMemory(), ReadOutcome::Completed);

    const QByteArray dump = s.dump();
    const qsizetype headerEnd = dump.indexOf('\r');
    ASSERT_GT(headerEnd, 0);
    EXPECT_EQ(dump.size(), headerEnd + 1 + 100 * 4 * 4 + 1);  // the samples and the NUL
    ASSERT_GT(dump.size(), 60);
    EXPECT_EQ(dump[60], '\0');
    EXPECT_EQ(dump.count('\0'), 1);
}

TEST(MemoryRead, BlockWithoutADumpFileIsNotAskedFor)
{
    FakeLineSession s({"--blocks", "2", "--samples", "20"});
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    s.state.setStartDir(s.dir.filePath(QStringLiteral("missing/dir")));

    EXPECT_EQ(s.download().readMemory(), ReadOutcome::Completed);

    ASSERT_EQ(s.reporter.shown.size(), 2);
    EXPECT_EQ(s.reporter.shown[0].text,
              QString::fromUtf8("Brak miejsca na dysku,\n\rUszkodzony plik,\n\rNieprawidłowe zamknięcie"));
    EXPECT_EQ(s.reporter.shown[0].caption, QString::fromUtf8("Błąd otwarcia pliku"));
    // No " ?MEM n &" whose answer would flow into the next register read.
    EXPECT_EQ(s.line.commands, bytesList({" ?R_0 &", " ?R_0 &", " ?R_0 &", " ?R_1 &", " ?R_2 &"}));
    EXPECT_TRUE(s.measurementFiles().isEmpty());
}

TEST(MemoryRead, ADeviceThatFailsEveryReadEndsTheBlock)
{
    // An adapter pulled out mid-block: the first chunk arrives, every later read fails at
    // once and never reports silence.
    QTemporaryDir dir;
    Settings settings{};
    applyStartupDefaults(settings, dir.path());
    ProgramState state;
    state.setStartDir(dir.path());
    test::RecordingReporter reporter;
    auto [transport, script] = FakeTransport::create();
    const QByteArray firstChunk("R3 2024-01-01 10:00:00 1 500 10 4 0\r0000");
    script->responder = [&](const QByteArray& command) -> QList<QByteArray> {
        if (command == " ?MEM 1 &") return {firstChunk};
        return {};
    };
    script->onRead = [&script = script] {
        if (script->readCalls > 1) script->readError = ReadError::EndOfFile;
    };
    // Stands in for the user's abort should the loop keep going.
    reporter.onEvents = [&] {
        if (script->readCalls > 20) state.abortRequested = true;
    };
    SerialLink link(settings, std::move(transport), dir.path());
    MemoryDownload download(settings, state, link, reporter);

    const BlockDownload block = download.downloadBlock(1);

    EXPECT_FALSE(block.aborted);
    EXPECT_EQ(script->readCalls, 2);
    EXPECT_EQ(block.bytes, firstChunk.size());
    EXPECT_EQ(settings.portOpen, 0);
}

TEST(MemoryRead, AHugeBlockStartsArrivingWithinTheFirstReadTimeOut)
{
    // 3,000,000 samples of 16 channels: 192 MB, far more than the simulator could make
    // within the one second the link waits for a block's first byte. The unpaced
    // pseudo-terminal brings the start at once; the read stops itself after 64 KB.
    RecorderSession s({"--blocks", "1", "--samples", "3000000", "--channels", "16"});
    ASSERT_TRUE(s.sim.started()) << s.sim.errorText().toStdString();
    RecordingView view;
    MemoryDownload download = s.download(&view);
    constexpr std::int64_t enough = 64 * 1024;
    s.reporter.onEvents = [&] {
        if (!s.state.abortRequested && view.currentBytes >= enough) download.requestAbort();
    };

    const BlockDownload block = download.downloadBlock(1);

    EXPECT_TRUE(block.aborted);
    EXPECT_GE(block.bytes, enough);
    const QByteArray dump = s.dump();
    const qsizetype headerEnd = dump.indexOf('\r');
    ASSERT_GT(headerEnd, 0);
    EXPECT_TRUE(dump.left(headerEnd).endsWith(" 1 3000000 10 16 0")) << dump.left(headerEnd).toStdString();
    EXPECT_TRUE(std::all_of(dump.begin() + headerEnd + 1, dump.end(), [](char c) { return c >= '0' && c <= '?'; }));
    EXPECT_TRUE(s.sim.waitForCommands(2).contains("$"));
}

TEST(SingleBlockRead, DownloadsOnlyTheSelectedBlock)
{
    FakeLineSession s({"--blocks", "3", "--samples", "500", "--channels", "4"});
    ASSERT_TRUE(s.line.valid()) << s.line.errorText().toStdString();
    // The block list's scan ends with the register of the last block.
    RecorderProtocol(*s.link, s.settings, s.state, s.reporter).readRegister(3);
    s.state.selectedBlock = 2;
    s.settings.baudRate = 0;
    RecordingView bar;

    EXPECT_TRUE(s.download().readSelectedBlock(&bar));

    EXPECT_EQ(s.line.commands, bytesList({" ?R_3 &", " ?MEM 2 &"}));
    EXPECT_EQ(s.settings.baudRate, 38400u);
    EXPECT_EQ(bar.barMaximum, singleBlockBarMaximum(transferSeconds(4, 500, 38400)));
    EXPECT_EQ(bar.barPosition, bar.barMaximum);
    const QStringList files = s.measurementFiles();
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(s.fileLines(files[0]).size(), 501);
    EXPECT_EQ(s.reporter.filesChangedCount, 1);
    EXPECT_EQ(s.settings.portOpen, 0);
}

TEST(MemoryWipe, SentOnlyAfterConfirmation)
{
    RecorderSession s({"--blocks", "2"});
    ASSERT_TRUE(s.sim.started()) << s.sim.errorText().toStdString();
    RecorderProtocol protocol(*s.link, s.settings, s.state, s.reporter);

    s.reporter.confirmAnswer = false;
    EXPECT_FALSE(s.download().wipeMemory());
    ASSERT_EQ(s.reporter.asked.size(), 1);
    EXPECT_EQ(s.reporter.asked[0].text,
              QString::fromUtf8("Wybranie klawisza OK usunie wszystkie pomiary z rejestratora!"));
    EXPECT_EQ(s.reporter.asked[0].caption, QStringLiteral("Uwaga!"));
    protocol.readRegister(0);
    EXPECT_EQ(s.sim.waitForCommands(1), bytesList({" ?R_0 &"}));
    EXPECT_EQ(s.settings.status.blockCount, 2);
    EXPECT_TRUE(s.state.statusRead);

    s.reporter.confirmAnswer = true;
    EXPECT_TRUE(s.download().wipeMemory());
    EXPECT_FALSE(s.state.statusRead);
    protocol.readRegister(0);
    EXPECT_EQ(s.sim.waitForCommands(3), bytesList({" ?R_0 &", "CLR_M &", " ?R_0 &"}));
    EXPECT_EQ(s.settings.status.blockCount, 0);
}

}  // namespace
}  // namespace vorda
