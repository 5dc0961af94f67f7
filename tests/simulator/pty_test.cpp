// recorder-sim itself, over its pseudo-terminal, with plain POSIX I/O.

#include "reply_decoding.h"
#include "support/recorder_sim.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QSerialPort>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

using vorda::test::RecorderSim;
using namespace simtest;

namespace {

int openPort(const QString& path)
{
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (fd >= 0) {
        termios t{};
        tcgetattr(fd, &t);
        cfmakeraw(&t);
        tcsetattr(fd, TCSANOW, &t);
    }
    return fd;
}

void sendBytes(int fd, std::string_view command)
{
    for (char c : command) ASSERT_EQ(::write(fd, &c, 1), 1);
}

// How long a read waits for the next byte before it gives up: a bound for a slow machine,
// never reached when the simulator answers.
constexpr int kPatienceMs = 15000;

// Reads until `whole` says the reply is complete, `limit` bytes arrived, or the line has
// been silent for `silenceMs`.
std::string readUntil(int fd, const std::function<bool(const std::string&)>& whole, int silenceMs = kPatienceMs,
                      std::size_t limit = SIZE_MAX)
{
    std::string out;
    char buffer[4096];
    pollfd p{fd, POLLIN, 0};
    while (out.size() < limit && !whole(out) && ::poll(&p, 1, silenceMs) > 0) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit - out.size()));
        if (n <= 0) break;
        out.append(buffer, static_cast<std::size_t>(n));
    }
    return out;
}

bool registerReplyEnded(const std::string& reply)
{
    return reply.find('\r') != std::string::npos;
}

// A dump of a record type with four characters per code, header line and every sample.
bool dumpEnded(const std::string& dump)
{
    const DumpHeader h = parseDumpHeader(dump);
    return h.converted == 8 && dump.size() >= h.samplesAt + std::size_t(h.sampleCount) * h.channelCount * 4;
}

bool never(const std::string&)
{
    return false;
}

std::string exchange(const QString& device, std::string_view command,
                     const std::function<bool(const std::string&)>& whole = registerReplyEnded)
{
    const int fd = openPort(device);
    EXPECT_GE(fd, 0) << strerror(errno);
    if (fd < 0) return {};
    sendBytes(fd, command);
    std::string reply = readUntil(fd, whole);
    ::close(fd);
    return reply;
}

}  // namespace

TEST(SimulatorProcess, AnswersOverThePortOpenedAndClosedForEveryExchange)
{
    RecorderSim sim({"--model", "R2", "--blocks", "2", "--samples", "40", "--channels", "3"});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();

    for (int round = 0; round < 5; ++round) {
        const RegisterReply r = parseRegister(exchange(sim.devicePath(), " ?R_0 &"));
        ASSERT_EQ(r.converted, 14) << "round " << round;
        EXPECT_STREQ(r.tag, "R2");
        EXPECT_EQ(r.blockCount, 2);
    }
    const std::string dump = exchange(sim.devicePath(), " ?MEM 2 &", dumpEnded);
    const DumpHeader h = parseDumpHeader(dump);
    ASSERT_EQ(h.converted, 8);
    EXPECT_EQ(h.blockNumber, 2);
    EXPECT_EQ(dump.size() - h.samplesAt, 40u * 3 * 4);

    const auto log = sim.waitForCommands(6);
    ASSERT_EQ(log.size(), 6);
    EXPECT_EQ(log.front(), QByteArray(" ?R_0 &"));
    EXPECT_EQ(log.back(), QByteArray(" ?MEM 2 &"));
}

TEST(SimulatorProcess, TheHeldPortEndDoesNotDefeatAnExclusiveOpen)
{
    RecorderSim sim;
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
    QSerialPort first(sim.devicePath());
    ASSERT_TRUE(first.open(QIODevice::ReadWrite)) << first.errorString().toStdString();
    QSerialPort second(sim.devicePath());
    EXPECT_FALSE(second.open(QIODevice::ReadWrite));
    if (geteuid() != 0) {
        // The terminal itself is exclusive too (root may open it all the same).
        const int raw = openPort(sim.devicePath());
        EXPECT_LT(raw, 0);
        if (raw >= 0) ::close(raw);
    }
    first.close();
    EXPECT_TRUE(second.open(QIODevice::ReadWrite)) << second.errorString().toStdString();
}

TEST(SimulatorProcess, AbortDiscardsTheRestOfAPacedDump)
{
    RecorderSim sim({"--blocks", "1", "--samples", "2000", "--channels", "8", "--baud", "9600"});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
    const int fd = openPort(sim.devicePath());
    ASSERT_GE(fd, 0);
    sendBytes(fd, " ?MEM 1 &");
    const std::string start = readUntil(fd, never, kPatienceMs, 300);
    ASSERT_EQ(start.substr(0, 3), "R3 ");
    sendBytes(fd, "$");
    // Characters already on the line when the "$" arrived still come; then it goes quiet,
    // long before the 64,000 characters of the dump could have been sent (8,000 take
    // over eight seconds at this rate).
    const std::string tail = readUntil(fd, never, 400, 8000);
    ::close(fd);
    EXPECT_LT(tail.size(), 8000u);
    sim.waitForCommands(2);

    // The next exchange sees a register reply, not the tail of the dump.
    const std::string reply = exchange(sim.devicePath(), " ?R_0 &");
    const RegisterReply r = parseRegister(reply);
    EXPECT_EQ(r.converted, 14) << reply;
    EXPECT_STREQ(r.tag, "R3") << reply;
    const auto log = sim.waitForCommands(3);
    ASSERT_EQ(log.size(), 3);
    EXPECT_EQ(log[1], QByteArray("$"));
}

TEST(SimulatorProcess, LinkIsRemovedOnTerminateAndInterrupt)
{
    QTemporaryDir dir;
    for (const char* how : {"terminate", "interrupt"}) {
        const QString link = dir.filePath(QStringLiteral("ttyREC_%1").arg(how));
        RecorderSim sim({"--link", link}, false);
        ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
        ASSERT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), sim.devicePath());
        EXPECT_EQ(parseRegister(exchange(link, " ?R_0 &")).converted, 14);
        if (std::string_view(how) == "interrupt") {
            ASSERT_TRUE(sim.interrupt());
        } else {
            ASSERT_TRUE(sim.stop());
        }
        EXPECT_FALSE(QFileInfo::exists(link)) << how;
        EXPECT_FALSE(QFileInfo(link).isSymLink()) << how;
    }
}

TEST(SimulatorProcess, ASerialPortClientOpensAndClosesThePortRepeatedly)
{
    RecorderSim sim({"--blocks", "1"});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
    for (int round = 0; round < 10; ++round) {
        QSerialPort port(sim.devicePath());
        port.setBaudRate(230400);
        port.setStopBits(QSerialPort::TwoStop);
        ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << "round " << round << ": " << port.errorString().toStdString();
        for (char c : std::string_view(" ?R_1 &")) {
            port.write(&c, 1);
            port.waitForBytesWritten(1000);
        }
        QByteArray reply;
        const QDeadlineTimer patience(kPatienceMs);
        while (!reply.contains('\r') && port.waitForReadyRead(int(std::max<qint64>(1, patience.remainingTime()))))
            reply += port.readAll();
        port.close();
        const RegisterReply r = parseRegister(reply.toStdString());
        ASSERT_EQ(r.converted, 14) << "round " << round << ": " << reply.toStdString();
        EXPECT_EQ(r.blockNumber, 1);
    }
    EXPECT_EQ(sim.waitForCommands(10).size(), 10);
}
