// vorda-cli scan | read | read-block | wipe | start | stop: the memory download, the
// system scan and the measurement commands, run in the current directory as the start-up
// directory. Nothing is written to the configuration.

#include "cli/cli_command.h"
#include "cli/cli_session.h"
#include "core/program_state.h"
#include "core/progress_views.h"
#include "core/reporter.h"
#include "core/settings_files.h"
#include "core/settings_record.h"
#include "core/text_codec.h"
#include "link/memory_download.h"
#include "link/recorder_protocol.h"
#include "link/serial_link.h"
#include "measure/measurement_control.h"
#include "measure/system_scan.h"

#include <unistd.h>
#include <QDir>
#include <QElapsedTimer>
#include <csignal>
#include <cstdio>

namespace vorda::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void onInterrupt(int)
{
    interrupted = 1;
}

// Ctrl+C asks the transfer to stop like the abort button; a second one ends the program.
void catchInterrupt()
{
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
}

// The terminal's side of the core: transfer messages on standard output, failures on
// standard error, the download's bytes as a progress bar when standard error is a
// terminal, Ctrl+C as the abort request.
class TerminalReporter : public Reporter, public DownloadView {
public:
    explicit TerminalReporter(ProgramState& state) : state_(state), barShown_(isatty(STDERR_FILENO)) {}

    bool assumeYes = false;

    // The link state and the activity note only mirror the work; the status texts left
    // are outcomes worth seeing.
    void setLinkState(LinkState) override {}
    void setActivity(const QString&) override {}
    void setStatus(StatusPanel panel, const QString& text) override
    {
        if (panel == StatusPanel::Port || text.trimmed().isEmpty()) return;
        // A port that cannot be opened is told by every exchange that tries it.
        if (text == lastStatus_) return;
        lastStatus_ = text;
        clearBar();
        err(withPlainLineBreaks(text) + QLatin1Char('\n'));
    }
    void transferMessage(const QString& line) override
    {
        clearBar();
        out(withPlainLineBreaks(line) + QLatin1Char('\n'));
    }
    void showMessage(const QString& text, const QString& caption, MessageIcon) override
    {
        clearBar();
        err(caption + QLatin1String(" ") + withPlainLineBreaks(text) + QLatin1Char('\n'));
    }
    bool confirm(const QString& text, const QString& caption) override
    {
        if (assumeYes) return true;
        if (!isatty(STDIN_FILENO)) return false;
        err(caption + QLatin1String(" ") + withPlainLineBreaks(text) + QLatin1String(" [y/N] "));
        char answer[16] = {};
        if (!std::fgets(answer, sizeof answer, stdin)) return false;
        return answer[0] == 'y' || answer[0] == 'Y';
    }
    void processEvents() override
    {
        if (interrupted) state_.abortRequested = true;
    }

    void blockStarted(std::int32_t block, std::int64_t expectedBytes) override
    {
        block_ = block;
        expected_ = expectedBytes;
        sinceDrawn_.start();
        drawBar(0);
    }
    void bytesReceived(std::int64_t bytes) override
    {
        if (sinceDrawn_.elapsed() >= 100) {
            drawBar(bytes);
            sinceDrawn_.restart();
        }
    }
    void setBarPosition(int position) override
    {
        if (position == 0) clearBar();
    }

private:
    void drawBar(std::int64_t bytes)
    {
        if (!barShown_) return;
        constexpr int kWidth = 30;
        char line[160];
        if (expected_ > 0) {
            const std::int64_t filled = std::min<std::int64_t>(kWidth, bytes * kWidth / expected_);
            char bar[kWidth + 1];
            for (int i = 0; i < kWidth; ++i) bar[i] = i < filled ? '#' : '.';
            bar[kWidth] = '\0';
            std::snprintf(line, sizeof line, "\r\033[Kblock %d [%s] %lld / %lld B", block_, bar,
                          static_cast<long long>(bytes), static_cast<long long>(expected_));
        } else {
            std::snprintf(line, sizeof line, "\r\033[Kblock %d: %lld B", block_, static_cast<long long>(bytes));
        }
        std::fputs(line, stderr);
        barVisible_ = true;
    }
    void clearBar()
    {
        if (!barVisible_) return;
        std::fputs("\r\033[K", stderr);
        barVisible_ = false;
    }

    ProgramState& state_;
    QString lastStatus_;
    bool barShown_;
    bool barVisible_ = false;
    std::int32_t block_ = 0;
    std::int64_t expected_ = 0;
    QElapsedTimer sinceDrawn_;
};

// Everything one command needs: the settings of the start-up load, the program state and
// the link, all rooted in the current directory.
struct Session : RecorderSession {
    TerminalReporter reporter{state};

    explicit Session(const GlobalOptions& options) : RecorderSession(options) {}
};

// Parses a block number argument; -1 when it is not one.
int blockArgument(const QString& text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= 0 ? n : -1;
}

int usage(const char* command)
{
    err(QStringLiteral("vorda-cli %1: wrong arguments; see `vorda-cli %1 --help`\n").arg(QLatin1String(command)));
    return kExitUsage;
}

// Prints the report lines as the scan produces them.
class PrintingScanSink : public ScanSink {
public:
    explicit PrintingScanSink(bool blocksOnly) : blocksOnly_(blocksOnly) {}
    void reportLine(const QString& line) override
    {
        if (!blocksOnly_ || line == QLatin1String(kNoCommunication)) out(line + QLatin1Char('\n'));
    }
    void blockItem(const QString& item) override
    {
        if (blocksOnly_) out(item + QLatin1Char('\n'));
    }

private:
    bool blocksOnly_;
};

int runScan(const GlobalOptions& options, const QStringList& args)
{
    const bool newest = args == QStringList{QStringLiteral("--newest")};
    if (!args.isEmpty() && !newest) return usage("scan");
    Session s(options);
    PrintingScanSink sink(newest);
    const ScanOutcome outcome = newest ? pollNewestBlock(s.settings, s.state, *s.link, s.reporter, sink)
                                       : scanSystem(s.settings, s.state, *s.link, s.reporter, sink);
    return outcome == ScanOutcome::Completed ? kExitOk : kExitFailed;
}

// Names each block that did not become a whole, clean file, and why; true when none.
bool reportProblems(const char* command, const MemoryDownload& download)
{
    for (const BlockProblem& p : download.problems())
        err(QStringLiteral("vorda-cli %1: block %2: %3\n")
                .arg(QLatin1String(command))
                .arg(p.block)
                .arg(withPlainLineBreaks(p.reason)));
    return download.problems().empty();
}

int runRead(const GlobalOptions& options, const QStringList& args)
{
    const bool newOnly = args == QStringList{QStringLiteral("--new")};
    if (!args.isEmpty() && !newOnly) return usage("read");
    Session s(options);
    catchInterrupt();
    MemoryDownload download(s.settings, s.state, *s.link, s.reporter, &s.reporter);
    const ReadOutcome outcome = download.readMemory(newOnly ? ReadSelection::NewOnly : ReadSelection::All);
    const bool clean = reportProblems("read", download);
    switch (outcome) {
    case ReadOutcome::Completed:
    case ReadOutcome::NoBlocks:
        return clean ? kExitOk : kExitFailed;
    case ReadOutcome::NoCommunication:
        err(QString::fromUtf8(kNoCommunication) + QLatin1Char('\n'));
        return kExitFailed;
    case ReadOutcome::Aborted:
        err(QStringLiteral("vorda-cli read: aborted before every block was read\n"));
        return kExitFailed;
    case ReadOutcome::TooManyFailures:
    case ReadOutcome::NoDataDirectory:
    case ReadOutcome::LinkBusy:
        break;
    }
    return kExitFailed;
}

int runReadBlock(const GlobalOptions& options, const QStringList& args)
{
    const int block = args.size() == 1 ? blockArgument(args.first()) : -1;
    if (block < 1) return usage("read-block");
    Session s(options);
    catchInterrupt();
    MemoryDownload download(s.settings, s.state, *s.link, s.reporter, &s.reporter);
    const ReadOutcome outcome = download.readBlock(block);
    const bool clean = reportProblems("read-block", download);
    if (outcome == ReadOutcome::TooManyFailures)
        err(QStringLiteral("vorda-cli read-block: block %1 is not stored in the recorder (%2)\n")
                .arg(block)
                .arg(s.settings.status.tag[0] == 'R' ? QStringLiteral("no such block")
                                                     : QString::fromUtf8(kNoCommunication)));
    const QString summary = readOutcomeText(outcome, download.tally());
    if (!summary.isEmpty() && outcome == ReadOutcome::Completed) err(summary + QLatin1Char('\n'));
    return outcome == ReadOutcome::Completed && download.tally().whole == 1 && clean ? kExitOk : kExitFailed;
}

int runBlocks(const GlobalOptions& options, const QStringList& args)
{
    if (!args.isEmpty()) return usage("blocks");
    Session s(options);
    MemoryDownload download(s.settings, s.state, *s.link, s.reporter);
    ReadOutcome outcome = ReadOutcome::Completed;
    for (const StoredBlock& b : download.listBlocks(outcome))
        out(QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\n")
                .arg(b.block)
                .arg(fromWin1250(b.identity.date), fromWin1250(b.identity.time))
                .arg(b.identity.sampleCount)
                .arg(b.fileName, b.home ? QStringLiteral("home") : QStringLiteral("new")));
    return outcome == ReadOutcome::Completed || outcome == ReadOutcome::NoBlocks ? kExitOk : kExitFailed;
}

int runWipe(const GlobalOptions& options, const QStringList& args)
{
    const bool yes = args == QStringList{QStringLiteral("--yes")};
    if (!args.isEmpty() && !yes) return usage("wipe");
    if (!yes && !isatty(STDIN_FILENO)) {
        err(QStringLiteral("vorda-cli wipe: refused without a terminal to confirm on; add --yes\n"));
        return kExitUsage;
    }
    Session s(options);
    s.reporter.assumeYes = yes;
    MemoryDownload download(s.settings, s.state, *s.link, s.reporter);
    if (!download.wipeMemory()) {
        err(QStringLiteral("vorda-cli wipe: nothing sent\n"));
        return kExitFailed;
    }
    return kExitOk;
}

int runStart(const GlobalOptions& options, const QStringList& args)
{
    if (!args.isEmpty()) return usage("start");
    Session s(options);
    MeasurementControl control(s.settings, s.state, *s.link, s.reporter);
    if (!control.startMeasurement()) return kExitFailed;
    out(QStringLiteral("Measurement started; it ends in about %1 s\n").arg(control.barMaximum() - 2));
    return kExitOk;
}

int runStop(const GlobalOptions& options, const QStringList& args)
{
    if (!args.isEmpty()) return usage("stop");
    Session s(options);
    MeasurementControl(s.settings, s.state, *s.link, s.reporter).stopMeasurement();
    return kExitOk;
}

}  // namespace

std::vector<Command> downloadCommands()
{
    return {
        {"scan", "[--newest]", "report the recorder's state and its stored blocks",
         "Reads register 0 and every block register and prints the status report and the\n"
         "block lines. With --newest, reads register 0 and the newest block's register only\n"
         "and prints that block's line. Exit status 1 when the recorder does not answer\n"
         "(\"Brak komunikacji\").",
         runScan},
        {"read", "[--new]", "read every stored block (or only the new ones) into measurement files",
         "Reads the recorder's memory block by block into \"__m.mem\" in the current\n"
         "directory and converts each block into a measurement file in the data directory,\n"
         "printing the transfer messages as they come. On a terminal, standard error shows\n"
         "the bytes received of the current block. Ctrl+C aborts the transfer as the abort\n"
         "button does (a second Ctrl+C ends the program at once). A recorder that keeps\n"
         "sending far past the block's announced size is stopped as an abort would.\n"
         "A block that did not arrive whole and clean is written as NAME_niepelny.txt\n"
         "(never over an existing file), with the samples before the first damage only.\n"
         "The closing line counts the whole blocks and names the incomplete and the\n"
         "unwritten ones. A missing data directory is refused before anything is read.\n"
         "A file that is not home for the block being written (see `blocks`) is never\n"
         "replaced: the block goes beside it as NAME_2.txt. With --new, a block already\n"
         "home is named with its file and not read; the closing line says how many\n"
         "were skipped.\n"
         "Exit status 0 when every block that was to be read became a whole measurement\n"
         "file (or none is stored), 1 otherwise; each block that did not is named on\n"
         "standard error with the reason (a short, overlong or corrupted dump, a file\n"
         "that could not be written, ...).",
         runRead},
        {"blocks", "", "list the stored blocks and whether each is home in the data directory",
         "Reads register 0 and every block's register and prints one tab-separated line a\n"
         "block: number, date, time, sample count, file name, and \"home\" when the data\n"
         "directory holds the block's file as read (listed in \"vorda_bloki.idx\" with its\n"
         "size and checksum, or an unlisted file under its name with one data line a\n"
         "sample), else \"new\". Exit status 1 when the recorder does not answer.",
         runBlocks},
        {"read-block", "N", "read block N into a measurement file",
         "Reads register N (retried as `read` retries a block's register), then downloads\n"
         "block N into \"__m.mem\" and converts it into a measurement file. Exit status 1\n"
         "when the block is not stored, could not be read, or did not become a whole,\n"
         "clean measurement file (the reason on standard error).",
         runReadBlock},
        {"wipe", "[--yes]", "erase every block stored in the recorder",
         "Sends \"CLR_M &\" after asking for confirmation on the terminal; --yes skips the\n"
         "question. Without a terminal and without --yes nothing is sent (exit status 2).",
         runWipe},
        {"start", "", "start a measurement with the parameters set in the recorder",
         "Sends \"  START &\"; the measurement runs for about the sampling time times the\n"
         "sample count of the settings.",
         runStart},
        {"stop", "", "stop the running measurement", "Sends \"$ $_END &\" and then \" &\".", runStop},
    };
}

}  // namespace vorda::cli
