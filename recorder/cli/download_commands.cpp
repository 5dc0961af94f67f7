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
        err(caption + QLatin1String(" ") + withPlainLineBreaks(text) + VordaCli::tr(" [t/N] "));
        return yesAnswered();
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
        QString line;
        if (expected_ > 0) {
            const std::int64_t filled = std::min<std::int64_t>(kWidth, bytes * kWidth / expected_);
            char bar[kWidth + 1];
            for (int i = 0; i < kWidth; ++i) bar[i] = i < filled ? '#' : '.';
            bar[kWidth] = '\0';
            line = VordaCli::tr("blok %1 [%2] %3 / %4 B")
                       .arg(block_)
                       .arg(QLatin1String(bar))
                       .arg(static_cast<long long>(bytes))
                       .arg(static_cast<long long>(expected_));
        } else {
            line = VordaCli::tr("blok %1: %2 B").arg(block_).arg(static_cast<long long>(bytes));
        }
        std::fputs("\r\033[K", stderr);
        std::fputs(line.toUtf8().constData(), stderr);
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

// Prints the report lines as the scan produces them.
class PrintingScanSink : public ScanSink {
public:
    explicit PrintingScanSink(bool blocksOnly) : blocksOnly_(blocksOnly) {}
    void reportLine(const QString& line) override
    {
        if (!blocksOnly_ || line == noCommunicationLine()) out(line + QLatin1Char('\n'));
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
    if (!args.isEmpty() && !newest) return wrongArguments("scan");
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
        err(VordaCli::tr("vorda-cli %1: blok %2: %3\n")
                .arg(QLatin1String(command))
                .arg(p.block)
                .arg(withPlainLineBreaks(p.reason)));
    return download.problems().empty();
}

int runRead(const GlobalOptions& options, const QStringList& args)
{
    const bool newOnly = args == QStringList{QStringLiteral("--new")};
    if (!args.isEmpty() && !newOnly) return wrongArguments("read");
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
        err(noCommunicationLine() + QLatin1Char('\n'));
        return kExitFailed;
    case ReadOutcome::Aborted:
        err(VordaCli::tr("vorda-cli read: przerwano, zanim przeczytano wszystkie bloki\n"));
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
    if (block < 1) return wrongArguments("read-block");
    Session s(options);
    catchInterrupt();
    MemoryDownload download(s.settings, s.state, *s.link, s.reporter, &s.reporter);
    const ReadOutcome outcome = download.readBlock(block);
    const bool clean = reportProblems("read-block", download);
    if (outcome == ReadOutcome::TooManyFailures)
        err(VordaCli::tr("vorda-cli read-block: bloku %1 nie ma w pamięci rejestratora (%2)\n")
                .arg(block)
                .arg(s.settings.status.tag[0] == 'R' ? VordaCli::tr("nie ma takiego bloku") : noCommunicationLine()));
    const QString summary = readOutcomeText(outcome, download.tally());
    if (!summary.isEmpty() && outcome == ReadOutcome::Completed) err(summary + QLatin1Char('\n'));
    return outcome == ReadOutcome::Completed && download.tally().whole == 1 && clean ? kExitOk : kExitFailed;
}

int runBlocks(const GlobalOptions& options, const QStringList& args)
{
    if (!args.isEmpty()) return wrongArguments("blocks");
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
    if (!args.isEmpty() && !yes) return wrongArguments("wipe");
    if (!yes && !isatty(STDIN_FILENO)) {
        err(VordaCli::tr("vorda-cli wipe: odmowa, bo nie ma terminala do potwierdzenia; dodaj --yes\n"));
        return kExitUsage;
    }
    Session s(options);
    s.reporter.assumeYes = yes;
    MemoryDownload download(s.settings, s.state, *s.link, s.reporter);
    if (!download.wipeMemory()) {
        err(VordaCli::tr("vorda-cli wipe: nic nie wysłano\n"));
        return kExitFailed;
    }
    return kExitOk;
}

int runStart(const GlobalOptions& options, const QStringList& args)
{
    if (!args.isEmpty()) return wrongArguments("start");
    Session s(options);
    MeasurementControl control(s.settings, s.state, *s.link, s.reporter);
    if (!control.startMeasurement()) return kExitFailed;
    out(measurementStartedText(control.barMaximum() - 2));
    return kExitOk;
}

int runStop(const GlobalOptions& options, const QStringList& args)
{
    if (!args.isEmpty()) return wrongArguments("stop");
    Session s(options);
    MeasurementControl(s.settings, s.state, *s.link, s.reporter).stopMeasurement();
    return kExitOk;
}

}  // namespace

std::vector<Command> downloadCommands()
{
    return {
        {"scan", "[--newest]", QT_TRANSLATE_NOOP("VordaCli", "pokaż stan rejestratora i zapisane w nim bloki"),
         QT_TRANSLATE_NOOP("VordaCli",
                           "Czyta rejestr 0 i rejestr każdego bloku, wypisuje raport stanu i wiersze\n"
                           "bloków. Z --newest czyta tylko rejestr 0 i rejestr najnowszego bloku i wypisuje\n"
                           "wiersz tego bloku. Kod wyjścia 1, gdy rejestrator nie odpowiada\n"
                           "(\"Brak komunikacji\")."),
         runScan},
        {"read", "[--new]",
         QT_TRANSLATE_NOOP("VordaCli", "przeczytaj wszystkie zapisane bloki (albo tylko nowe) do plików pomiarowych"),
         QT_TRANSLATE_NOOP("VordaCli",
                           "Czyta pamięć rejestratora blok po bloku do \"__m.mem\" w katalogu bieżącym\n"
                           "i zamienia każdy blok na plik pomiarowy w katalogu danych, wypisując komunikaty\n"
                           "transmisji na bieżąco. Na terminalu standardowe wyjście błędów pokazuje bajty\n"
                           "odebrane z bieżącego bloku. Ctrl+C przerywa transmisję jak przycisk przerwania\n"
                           "(drugie Ctrl+C od razu kończy program). Rejestrator, który nadaje daleko poza\n"
                           "zapowiedzianą długość bloku, jest zatrzymywany jak przy przerwaniu.\n"
                           "Blok, który nie dotarł cały i czysty, zostaje zapisany jako NAZWA_niepelny.txt\n"
                           "(nigdy na istniejący plik), tylko z pomiarami sprzed pierwszego uszkodzenia.\n"
                           "Wiersz końcowy liczy całe bloki i wymienia bloki niepełne i niezapisane.\n"
                           "Brak katalogu danych jest odrzucany, zanim cokolwiek zostanie przeczytane.\n"
                           "Plik, który nie jest plikiem zapisywanego bloku (zob. `blocks`), nigdy nie jest\n"
                           "zastępowany: blok trafia obok jako NAZWA_2.txt. Z --new blok już zapisany jest\n"
                           "podawany ze swoim plikiem i nie jest czytany; wiersz końcowy mówi, ile pominięto.\n"
                           "Kod wyjścia 0, gdy każdy blok do przeczytania stał się całym plikiem\n"
                           "pomiarowym (albo żaden nie jest zapisany), w przeciwnym razie 1; każdy blok,\n"
                           "któremu się to nie udało, jest wymieniony na standardowym wyjściu błędów\n"
                           "z przyczyną (zrzut za krótki, za długi lub uszkodzony, plik, którego nie można\n"
                           "było zapisać, ...)."),
         runRead},
        {"blocks", "", QT_TRANSLATE_NOOP("VordaCli", "wypisz zapisane bloki i czy każdy jest już w katalogu danych"),
         QT_TRANSLATE_NOOP("VordaCli",
                           "Czyta rejestr 0 i rejestr każdego bloku i wypisuje jeden wiersz na blok, pola\n"
                           "rozdzielone tabulatorem: numer, data, godzina, liczba pomiarów, nazwa pliku\n"
                           "oraz \"home\", gdy katalog danych zawiera plik bloku w postaci przeczytanej\n"
                           "(wpisany do \"vorda_bloki.idx\" z długością i sumą kontrolną albo plik spoza spisu\n"
                           "pod swoją nazwą z jednym wierszem danych na pomiar), inaczej \"new\". Kod wyjścia 1,\n"
                           "gdy rejestrator nie odpowiada."),
         runBlocks},
        {"read-block", "N", QT_TRANSLATE_NOOP("VordaCli", "przeczytaj blok N do pliku pomiarowego"),
         QT_TRANSLATE_NOOP("VordaCli",
                           "Czyta rejestr N (z powtórzeniami jak `read` przy rejestrze bloku), potem pobiera\n"
                           "blok N do \"__m.mem\" i zamienia go na plik pomiarowy. Kod wyjścia 1, gdy bloku nie\n"
                           "ma w pamięci, nie dało się go przeczytać albo nie stał się całym, czystym plikiem\n"
                           "pomiarowym (przyczyna na standardowym wyjściu błędów)."),
         runReadBlock},
        {"wipe", "[--yes]", QT_TRANSLATE_NOOP("VordaCli", "usuń wszystkie bloki zapisane w rejestratorze"),
         QT_TRANSLATE_NOOP("VordaCli",
                           "Wysyła \"CLR_M &\" po potwierdzeniu na terminalu; --yes pomija pytanie.\n"
                           "Bez terminala i bez --yes nic nie jest wysyłane (kod wyjścia 2)."),
         runWipe},
        {"start", "", QT_TRANSLATE_NOOP("VordaCli", "rozpocznij pomiar z parametrami ustawionymi w rejestratorze"),
         QT_TRANSLATE_NOOP("VordaCli",
                           "Wysyła \"  START &\"; pomiar trwa mniej więcej czas próbkowania razy liczbę\n"
                           "pomiarów z ustawień."),
         runStart},
        {"stop", "", QT_TRANSLATE_NOOP("VordaCli", "zatrzymaj trwający pomiar"),
         QT_TRANSLATE_NOOP("VordaCli", "Wysyła \"$ $_END &\", a potem \" &\"."), runStop},
    };
}

}  // namespace vorda::cli
