// The QSerialPort backend of SerialTransport, used single-threaded with blocking waits.

#include "link/serial_transport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace vorda {
namespace {

// A write has no time-out on the line itself; this only bounds a wedged driver.
constexpr int kWriteWaitMs = 5000;

class SerialPortTransport final : public SerialTransport {
public:
    bool open(const QString& device) override
    {
        if (port_.isOpen()) return false;
        // The device itself, whichever link names it: QSerialPort's lock file goes by the
        // name, so two names of one device would otherwise be two ports.
        const QFileInfo info(device);
        const QString path = info.exists() ? info.canonicalFilePath() : device;
        port_.setPortName(path);
        errorText_.clear();
        if (!port_.open(QIODevice::ReadWrite)) {
            // A device this user may open refused for permission: another program holds it.
            errorText_ = port_.error() == QSerialPort::PermissionError && accessible(path) ? busyText(device)
                                                                                           : port_.errorString();
            port_.clearError();
            return false;
        }
#ifdef Q_OS_UNIX
        // Locked on the open device, which TIOCEXCL alone does not do for root.
        if (::flock(port_.handle(), LOCK_EX | LOCK_NB) != 0) {
            errorText_ = busyText(device);
            port_.close();
            port_.clearError();
            return false;
        }
#endif
        return true;
    }

    QString errorText() const override
    {
        return errorText_;
    }

    bool isOpen() const override
    {
        return port_.isOpen();
    }

    bool setReadTimeouts(ReadTimeouts timeouts) override
    {
        if (!port_.isOpen()) return false;
        timeouts_ = timeouts;
        return true;
    }

    bool applyLineSettings(const LineSettings& line) override
    {
        if (!port_.isOpen()) return false;
        bool ok = port_.setBaudRate(static_cast<qint32>(line.baudRate));
        ok = port_.setDataBits(static_cast<QSerialPort::DataBits>(line.dataBits)) && ok;
        ok = port_.setParity(toQt(line.parity)) && ok;
        ok = port_.setStopBits(toQt(line.stopBits)) && ok;
        ok = port_.setFlowControl(QSerialPort::NoFlowControl) && ok;
        // Lines without modem control (pseudo-terminals, some adapters) refuse these;
        // there is nothing to lower on them, so a refusal is no failure.
        if (!ok) errorText_ = port_.errorString();
        port_.setDataTerminalReady(false);
        port_.setRequestToSend(false);
        port_.clearError();
        return ok;
    }

    WriteResult write(const char* data, std::int64_t size) override
    {
        if (!port_.isOpen()) return {WriteError::Other, 0};
        const qint64 accepted = port_.write(data, size);
        if (accepted < 0) return {writeError(), 0};
        while (port_.bytesToWrite() > 0) {
            if (!port_.waitForBytesWritten(kWriteWaitMs)) {
                const WriteError error = writeError();
                port_.clearError();
                return {error, accepted - port_.bytesToWrite()};
            }
        }
        return {WriteError::None, accepted};
    }

    ReadError read(QByteArray& chunk, int maxBytes) override
    {
        chunk.clear();
        if (!port_.isOpen()) return ReadError::Other;
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            if (port_.bytesAvailable() > 0) {
                chunk += port_.read(maxBytes - chunk.size());
                if (chunk.size() >= maxBytes) return ReadError::None;
            }
            const std::int64_t wait = chunkReadWaitMs(timeouts_, clock.elapsed(), !chunk.isEmpty());
            if (wait <= 0) return ReadError::None;
            if (port_.waitForReadyRead(static_cast<int>(wait))) continue;
            const QSerialPort::SerialPortError error = port_.error();
            port_.clearError();
            if (error == QSerialPort::TimeoutError) return ReadError::None;
            if (error == QSerialPort::NoError) continue;  // woke without data: the clock decides
            if (!chunk.isEmpty()) return ReadError::None;
            return error == QSerialPort::ResourceError ? ReadError::EndOfFile : ReadError::Other;
        }
    }

    void close() override
    {
        if (!port_.isOpen()) return;
        while (port_.bytesToWrite() > 0 && port_.waitForBytesWritten(kWriteWaitMs)) {}
#ifdef Q_OS_UNIX
        ::tcdrain(port_.handle());
#endif
        port_.close();
        port_.clearError();
    }

private:
    static QString busyText(const QString& device)
    {
        return QCoreApplication::translate("SerialTransport", "Port %1 jest używany przez inny program").arg(device);
    }

    static bool accessible(const QString& path)
    {
#ifdef Q_OS_UNIX
        return ::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0;
#else
        return QFileInfo(path).isWritable();
#endif
    }

    static QSerialPort::Parity toQt(Parity parity)
    {
        switch (parity) {
        case Parity::None:
            return QSerialPort::NoParity;
        case Parity::Even:
            return QSerialPort::EvenParity;
        case Parity::Odd:
            return QSerialPort::OddParity;
        case Parity::Mark:
            return QSerialPort::MarkParity;
        case Parity::Space:
            return QSerialPort::SpaceParity;
        }
        return QSerialPort::NoParity;
    }

    static QSerialPort::StopBits toQt(StopBits stopBits)
    {
        switch (stopBits) {
        case StopBits::One:
            return QSerialPort::OneStop;
        case StopBits::OneAndHalf:
            return QSerialPort::OneAndHalfStop;
        case StopBits::Two:
            return QSerialPort::TwoStop;
        }
        return QSerialPort::OneStop;
    }

    WriteError writeError() const
    {
        return port_.error() == QSerialPort::ResourceError ? WriteError::BrokenPipe : WriteError::Other;
    }

    QSerialPort port_;
    ReadTimeouts timeouts_ = {350, 1000};
    QString errorText_;
};

}  // namespace

std::int64_t chunkReadWaitMs(ReadTimeouts timeouts, std::int64_t elapsedMs, bool anyByteReceived)
{
    const std::int64_t left = timeouts.totalMs - elapsedMs;
    if (left <= 0) return 0;
    return anyByteReceived ? std::min<std::int64_t>(left, timeouts.intervalMs) : left;
}

std::unique_ptr<SerialTransport> makeSerialPortTransport()
{
    return std::make_unique<SerialPortTransport>();
}

}  // namespace vorda
