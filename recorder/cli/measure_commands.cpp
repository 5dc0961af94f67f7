// vorda-cli monitor | measure: live monitoring of the recorder's current readings, and
// the measurements window's start and abort, run in the current directory as the
// start-up directory. Nothing is written to the configuration.

#include "cli/cli_command.h"
#include "cli/cli_session.h"
#include "core/program_state.h"
#include "core/reporter.h"
#include "core/settings_files.h"
#include "core/settings_record.h"
#include "link/recorder_protocol.h"
#include "link/serial_link.h"
#include "measure/measurement_control.h"
#include "measure/monitoring.h"
#include "measure/system_scan.h"

#include <unistd.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>

namespace vorda::cli {
namespace {

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void onStopSignal(int)
{
    stopRequested = 1;
}

QString terminalLines(QString text)
{
    text.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

// Messages on standard error; questions on the terminal, or answered by --yes.
class MeasureReporter : public MessageReporter {
public:
    bool assumeYes = false;

    void showMessage(const QString& text, const QString& caption, MessageIcon) override
    {
        err(caption + QLatin1Char(' ') + terminalLines(text) + QLatin1Char('\n'));
    }
    bool confirm(const QString& text, const QString& caption) override
    {
        if (assumeYes) return true;
        if (!isatty(STDIN_FILENO)) {
            err(caption + QLatin1Char(' ') + terminalLines(text) + VordaCli::tr(" (odmowa: dodaj --yes)\n"));
            return false;
        }
        err(caption + QLatin1Char(' ') + terminalLines(text) + VordaCli::tr(" [t/N] "));
        return yesAnswered();
    }
};

struct Session : RecorderSession {
    MeasureReporter reporter;

    explicit Session(const GlobalOptions& options) : RecorderSession(options) {}
    RecorderProtocol protocol() { return RecorderProtocol(*link, settings, state, reporter); }
};

// Waits `ms` in short steps; false when Ctrl+C or SIGTERM came meanwhile.
bool waitUnlessStopped(std::int64_t ms)
{
    QElapsedTimer waited;
    waited.start();
    while (!stopRequested && waited.elapsed() < ms)
        QThread::msleep(static_cast<unsigned long>(std::min<std::int64_t>(20, ms - waited.elapsed())));
    return !stopRequested;
}

int runMonitor(const GlobalOptions& options, const QStringList& args)
{
    long count = 0;
    QString outputPath;
    for (int i = 0; i < args.size(); ++i) {
        bool ok = true;
        if ((args[i] == QLatin1String("--count") || args[i] == QLatin1String("--output")) &&
            lacksValue(QStringLiteral("vorda-cli monitor"), args, i))
            return kExitUsage;
        if (args[i] == QLatin1String("--count") && i + 1 < args.size()) {
            count = args[++i].toLong(&ok);
            if (count < 1) ok = false;
        } else if (args[i] == QLatin1String("--output") && i + 1 < args.size()) {
            outputPath = args[++i];
        } else {
            ok = false;
        }
        if (!ok) return wrongArguments("monitor");
    }

    Session s(options);
    QFile output(outputPath);
    // A file this run creates and never writes a line into is not left behind.
    const bool outputIsNew = !outputPath.isEmpty() && !QFileInfo::exists(outputPath);
    if (!outputPath.isEmpty() && !output.open(QIODevice::WriteOnly | QIODevice::Append)) {
        err(QStringLiteral("vorda-cli monitor: %1: %2\n").arg(outputPath, output.errorString()));
        return kExitFailed;
    }
    // A new log starts with the channels' names, which the presenter shows on its curves.
    if (output.isOpen() && output.size() == 0) {
        const std::string header = monitoringHeader(s.settings) + "\r\n";
        if (output.write(header.data(), static_cast<qint64>(header.size())) != static_cast<qint64>(header.size()) ||
            !output.flush()) {
            err(QStringLiteral("vorda-cli monitor: %1: %2\n").arg(outputPath, output.errorString()));
            return kExitFailed;
        }
    }
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);

    RecorderProtocol protocol = s.protocol();
    protocol.readRegister(0);
    int status = kExitOk;
    bool lineWritten = false;  // a data line, not only the header
    QElapsedTimer clock;
    clock.start();
    PollRun run;
    run.nowMs = [&clock] { return clock.elapsed(); };
    run.waitMs = [](std::int64_t ms) { return waitUnlessStopped(ms); };
    run.poll = [&](PollKind kind) {
        const PollResult result = pollRecorder(protocol, s.settings, kind, QDateTime::currentDateTime());
        if (result.outcome != PollOutcome::Line) {
            err(terminalLines(monitorNoAnswerText()) + silenceReason(*s.link) + QLatin1Char('\n'));
            if (outputIsNew && !lineWritten) output.remove();
            status = kExitFailed;
            return false;
        }
        out(QString::fromStdString(result.line) + QLatin1Char('\n'));
        if (!output.isOpen()) return true;
        // Flushed per line, so a presenter in live view sees each line as it comes.
        output.write(result.line.data(), static_cast<qint64>(result.line.size()));
        lineWritten = true;
        output.write("\r\n", 2);
        if (output.flush()) return true;
        err(QStringLiteral("vorda-cli monitor: %1: %2\n").arg(outputPath, output.errorString()));
        status = kExitFailed;
        return false;
    };
    MonitorSchedule schedule;
    runPolls(schedule, run, count);
    return status;
}

int runMeasure(const GlobalOptions& options, const QStringList& args)
{
    const QString what = args.value(0);
    const bool yes = args.size() == 2 && args[1] == QLatin1String("--yes");
    if ((args.size() != 1 && !yes) || (what != QLatin1String("start") && what != QLatin1String("stop")))
        return wrongArguments("measure");

    Session s(options);
    s.reporter.assumeYes = yes;
    MeasurementControl control(s.settings, s.state, *s.link, s.reporter);
    if (what == QLatin1String("stop")) {
        control.stopMeasurement();
        // The recorder never acknowledges; only a port that could not be used is known.
        if (s.link->openStatus != 0 || s.link->writeStatus != 0) {
            err(VordaCli::tr("vorda-cli measure stop: nie wysłano (%1)\n").arg(s.link->portName()));
            return kExitFailed;
        }
        return kExitOk;
    }
    // The window checks the memory against the last register read; here register 0 is
    // read first, and a recorder without a whole answer to it is not started.
    if (s.protocol().readRegister(0).isEmpty()) {
        err(QStringLiteral("vorda-cli measure start: %1%2\n").arg(noCommunicationLine(), silenceReason(*s.link)));
        return kExitFailed;
    }
    if (!control.startMeasurement()) return kExitFailed;
    out(measurementStartedText(control.barMaximum() - 2));
    return kExitOk;
}

}  // namespace

std::vector<Command> measureCommands()
{
    return {
        {"monitor", QT_TRANSLATE_NOOP("VordaCli", "[--count N] [--output PLIK]"),
         QT_TRANSLATE_NOOP("VordaCli", "wypisuj bieżące odczyty rejestratora co 3 sekundy"),
         QT_TRANSLATE_NOOP("VordaCli",
                           "Odpytuje rejestrator jak \"Monitorowanie.\" w oknie głównym: pierwszy wiersz\n"
                           "z jednego odczytu, potem co 3 sekundy jeden ze średniej trzech środkowych\n"
                           "z pięciu odczytów. Każdy wiersz (data, godzina i po jednej wartości na używany\n"
                           "kanał, rozdzielone tabulatorem) jest wypisywany od razu; z --output jest też\n"
                           "dopisywany do PLIKU z CR-LF i natychmiast zapisywany (nowy PLIK zaczyna się\n"
                           "wierszem nazw kanałów, dla programu prezentacji).\n"
                           "Kończy po N wierszach albo po Ctrl+C (kod wyjścia 0). Brak odpowiedzi:\n"
                           "komunikat na standardowym wyjściu błędów i kod wyjścia 1."),
         runMonitor},
        {"measure", "start [--yes] | stop",
         QT_TRANSLATE_NOOP("VordaCli", "rozpocznij albo przerwij pomiar jak okno pomiarów"),
         QT_TRANSLATE_NOOP("VordaCli",
                           "start: czyta rejestr 0, sprawdza wolną pamięć (brak: odmowa; mniej niż\n"
                           "pomiary razy ustawione kanały: pyta na terminalu, bez terminala odmowa, chyba\n"
                           "że podano --yes), potem wysyła \"  START &\". stop: wysyła \"$ $_END &\",\n"
                           "a potem \" &\"."),
         runMeasure},
    };
}

}  // namespace vorda::cli
