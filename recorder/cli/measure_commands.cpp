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
            err(caption + QLatin1Char(' ') + terminalLines(text) + QStringLiteral(" (refused: add --yes)\n"));
            return false;
        }
        err(caption + QLatin1Char(' ') + terminalLines(text) + QStringLiteral(" [y/N] "));
        char answer[16] = {};
        if (!std::fgets(answer, sizeof answer, stdin)) return false;
        return answer[0] == 'y' || answer[0] == 'Y';
    }
};

struct Session : RecorderSession {
    MeasureReporter reporter;

    explicit Session(const GlobalOptions& options) : RecorderSession(options) {}
    RecorderProtocol protocol() { return RecorderProtocol(*link, settings, state, reporter); }
};

int usage(const char* name)
{
    err(QStringLiteral("vorda-cli %1: bad arguments (see vorda-cli %1 --help)\n").arg(QString::fromLatin1(name)));
    return kExitUsage;
}

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
        if (!ok) return usage("monitor");
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
            err(terminalLines(QString::fromUtf8(kMonitorNoAnswerText)) + silenceReason(*s.link) + QLatin1Char('\n'));
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
        return usage("measure");

    Session s(options);
    s.reporter.assumeYes = yes;
    MeasurementControl control(s.settings, s.state, *s.link, s.reporter);
    if (what == QLatin1String("stop")) {
        control.stopMeasurement();
        // The recorder never acknowledges; only a port that could not be used is known.
        if (s.link->openStatus != 0 || s.link->writeStatus != 0) {
            err(QStringLiteral("vorda-cli measure stop: not sent (%1)\n").arg(s.link->portName()));
            return kExitFailed;
        }
        return kExitOk;
    }
    // The window checks the memory against the last register read; here register 0 is
    // read first, and a recorder without a whole answer to it is not started.
    if (s.protocol().readRegister(0).isEmpty()) {
        err(QStringLiteral("vorda-cli measure start: Brak komunikacji%1\n").arg(silenceReason(*s.link)));
        return kExitFailed;
    }
    if (!control.startMeasurement()) return kExitFailed;
    out(QStringLiteral("Measurement started; it ends in about %1 s\n").arg(control.barMaximum() - 2));
    return kExitOk;
}

}  // namespace

std::vector<Command> measureCommands()
{
    return {
        {"monitor", "[--count N] [--output FILE]", "print the recorder's current readings every 3 seconds",
         "Polls as the main window's \"Monitorowanie.\" does: the first line from one reading,\n"
         "then every 3 seconds one from the mean of the middle three of five readings. Each\n"
         "line (date, time and one value per channel in use, tab-separated) is printed as it\n"
         "comes; with --output it is also appended to FILE with CR-LF and flushed at once\n"
         "(a new FILE starts with a line of the channels' names, for the presenter).\n"
         "Stops after N lines, or on Ctrl+C (exit status 0). No answer: the message on\n"
         "standard error and exit status 1.",
         runMonitor},
        {"measure", "start [--yes] | stop", "start or abort a measurement as the measurements window does",
         "start: reads register 0, checks the free memory (none: refused; less than the\n"
         "samples times channels set: asks on the terminal, refused without one unless\n"
         "--yes), then sends \"  START &\". stop: sends \"$ $_END &\" and then \" &\".",
         runMeasure},
    };
}

}  // namespace vorda::cli
