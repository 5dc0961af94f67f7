#pragma once
// Test helper: runs recorder-sim on a pseudo-terminal for the life of the object.
//
//   vorda::test::RecorderSim sim({"--blocks", "3", "--model", "R3"});
//   ASSERT_TRUE(sim.started()) << sim.errorText();
//   ... open sim.devicePath() ...
//   EXPECT_EQ(sim.waitForCommands(2).value(1), QByteArray(" ?R_1 &"));
//
// The command log holds one entry per command received, with the exact bytes
// (a lone "$" abort is an entry of its own). See `recorder-sim --help`.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>

namespace vorda::test {

// SIGINT, as Ctrl+C would, to a process that still runs. Never to pid 0: a process that
// has ended reports pid 0, and kill(0, ...) would stop the whole process group, the test
// runner included.
inline void interruptProcess(QProcess& process)
{
    const qint64 pid = process.processId();
    if (process.state() == QProcess::Running && pid > 0) ::kill(static_cast<pid_t>(pid), SIGINT);
}

class RecorderSim {
public:
    // Starts the simulator with `arguments`; with `withLog` a command log is kept in a
    // temporary directory. Waits up to `startTimeoutMs` for the device path.
    explicit RecorderSim(const QStringList& arguments = {}, bool withLog = true, int startTimeoutMs = 30000)
    {
        QStringList args = arguments;
        if (withLog && logDir_.isValid()) {
            logPath_ = logDir_.filePath(QStringLiteral("commands.log"));
            args << QStringLiteral("--log") << logPath_;
        }
        process_.setProgram(QStringLiteral(VORDA_BINARY_DIR "/simulator/recorder-sim"));
        process_.setArguments(args);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QIODevice::ReadOnly);
        if (!process_.waitForStarted(startTimeoutMs)) {
            error_ = QStringLiteral("recorder-sim did not start: ") + process_.errorString();
            return;
        }
        QDeadlineTimer deadline(startTimeoutMs);
        while (!process_.canReadLine() && !deadline.hasExpired()) {
            if (process_.state() != QProcess::Running) break;
            process_.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
        }
        if (!process_.canReadLine()) {
            error_ = QStringLiteral("recorder-sim printed no device path (arguments: %1)").arg(args.join(' '));
            return;
        }
        devicePath_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    }

    ~RecorderSim()
    {
        stop();
        if (nameKeeper_ >= 0) ::close(nameKeeper_);
    }

    RecorderSim(const RecorderSim&) = delete;
    RecorderSim& operator=(const RecorderSim&) = delete;

    bool started() const { return !devicePath_.isEmpty(); }
    QString devicePath() const { return devicePath_; }
    QString errorText() const { return error_; }
    QString logPath() const { return logPath_; }

    // Every command logged so far, exact bytes, in the order received.
    QList<QByteArray> commands() const
    {
        QList<QByteArray> result;
        QFile file(logPath_);
        if (logPath_.isEmpty() || !file.open(QIODevice::ReadOnly)) return result;
        const QByteArray text = file.readAll();
        // Only complete lines count: the simulator may be writing the next one.
        const qsizetype end = text.lastIndexOf('\n');
        if (end < 0) return result;
        for (const QByteArray& line : text.left(end).split('\n')) result << unescape(line);
        return result;
    }

    // Waits (polling the log) until at least `count` commands are logged or the time-out
    // passes; returns what is logged then.
    QList<QByteArray> waitForCommands(int count, int timeoutMs = 10000) const
    {
        QElapsedTimer timer;
        timer.start();
        QList<QByteArray> result = commands();
        while (result.size() < count && timer.elapsed() < timeoutMs) {
            QThread::msleep(10);
            result = commands();
        }
        return result;
    }

    // SIGTERM, then a kill if it does not end in time. Returns true when it exited cleanly.
    bool stop(int timeoutMs = 5000)
    {
        if (process_.state() == QProcess::NotRunning) return process_.exitStatus() == QProcess::NormalExit;
        keepDeviceName();
        process_.terminate();
        if (process_.waitForFinished(timeoutMs)) {
            return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
        }
        process_.kill();
        process_.waitForFinished(timeoutMs);
        return false;
    }

    // SIGKILL, as a pulled cable or a crash would end it; waits for the end.
    void kill()
    {
        if (process_.state() == QProcess::NotRunning) return;
        keepDeviceName();
        process_.kill();
        process_.waitForFinished(5000);
    }

    // As Ctrl+C would: SIGINT, then waits. Returns true when it exited cleanly.
    bool interrupt(int timeoutMs = 5000)
    {
        if (process_.state() != QProcess::Running) return false;
        keepDeviceName();
        interruptProcess(process_);
        return process_.waitForFinished(timeoutMs) && process_.exitStatus() == QProcess::NormalExit &&
               process_.exitCode() == 0;
    }

    // Decodes one line of the log format: "\\" is a backslash, "\xhh" a byte.
    static QByteArray unescape(const QByteArray& line)
    {
        QByteArray out;
        out.reserve(line.size());
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) {
                if (line[i + 1] == '\\') {
                    out.append('\\');
                    ++i;
                    continue;
                }
                if (line[i + 1] == 'x' && i + 3 < line.size()) {
                    bool ok = false;
                    const int byte = line.mid(i + 2, 2).toInt(&ok, 16);
                    if (ok) {
                        out.append(static_cast<char>(byte));
                        i += 3;
                        continue;
                    }
                }
            }
            out.append(line[i]);
        }
        return out;
    }

private:
    // Holds the terminal's slave side open while the simulator ends, so that its number
    // (/dev/pts/N) is not given to another test's simulator while this test still opens the
    // old path: such a client would talk to the other test's recorder. Opening the path
    // then fails, as it does for a recorder that is gone.
    void keepDeviceName()
    {
        if (nameKeeper_ < 0 && !devicePath_.isEmpty())
            nameKeeper_ = ::open(devicePath_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    }

    QProcess process_;
    int nameKeeper_ = -1;
    QTemporaryDir logDir_;
    QString logPath_;
    QString devicePath_;
    QString error_;
};

}  // namespace vorda::test
