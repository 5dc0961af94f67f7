// SerialLink over the scripted transport: opening, status bits, byte-wise sending,
// chunked reading.

#include "link/serial_link.h"
#include "support/fake_transport.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace vorda {
namespace {

class SerialLinkTest : public ::testing::Test {
protected:
    SerialLinkTest()
    {
        settings.portNumber = 2;
        setFieldText(settings.portParams, ":230400,n,8,2,p");
        auto [transport, s] = FakeTransport::create();
        script = s;
        link = std::make_unique<SerialLink>(settings, std::move(transport), dir.path());
    }

    void writePortsConf(const QByteArray& text)
    {
        QFile file(QDir(dir.path()).filePath(QStringLiteral("ports.conf")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir dir;
    Settings settings{};
    std::shared_ptr<FakeTransport::Script> script;
    std::unique_ptr<SerialLink> link;
};

TEST_F(SerialLinkTest, OpensTheConfiguredPortWithItsLineParametersAndModeTimeouts)
{
    settings.portNumber = 3;
    link->mode = kCommandMode;
    link->open();
    EXPECT_EQ(link->portText, QByteArray("com3:230400,n,8,2,p"));
    EXPECT_EQ(link->openStatus, 0u);
    EXPECT_EQ(settings.portOpen, 1);
    ASSERT_EQ(script->opened.size(), 1u);
    EXPECT_EQ(script->opened[0], QStringLiteral("/dev/ttyS2"));
    EXPECT_EQ(script->line, (LineSettings{230400, Parity::None, 8, StopBits::Two, 'p'}));
    EXPECT_EQ(script->timeouts, (ReadTimeouts{500, 5000}));

    // An open port stays as it is, with the time-outs it was opened with.
    link->mode = kDataMode;
    link->open();
    EXPECT_EQ(script->openCalls, 1);
    EXPECT_EQ(script->timeouts, (ReadTimeouts{500, 5000}));

    link->close();
    EXPECT_EQ(settings.portOpen, 0);
    link->open();
    EXPECT_EQ(script->timeouts, (ReadTimeouts{350, 1000}));
}

TEST_F(SerialLinkTest, PortNumberZeroOpensComOneAndIsStoredAsOne)
{
    settings.portNumber = 0;
    link->open();
    EXPECT_EQ(settings.portNumber, 1);
    EXPECT_EQ(link->portText, QByteArray("com1:230400,n,8,2,p"));
    EXPECT_EQ(script->opened.at(0), QStringLiteral("/dev/ttyS0"));
}

TEST_F(SerialLinkTest, DeviceComesFromPortsConfOrTheOverride)
{
    writePortsConf("com2=/tmp/ttyREC\n");
    link->open();
    EXPECT_EQ(script->opened.at(0), QStringLiteral("/tmp/ttyREC"));
    link->close();

    link->setDeviceOverride(QStringLiteral("/dev/pts/7"));
    link->open();
    EXPECT_EQ(script->opened.at(1), QStringLiteral("/dev/pts/7"));
    EXPECT_EQ(link->device(), QStringLiteral("/dev/pts/7"));
    EXPECT_EQ(link->portText, QByteArray("com2:230400,n,8,2,p")) << "the override names the device only";
}

TEST_F(SerialLinkTest, FailuresSetTheirBitsAndNeverLeaveThePortHeld)
{
    script->openFails = true;
    link->open();
    EXPECT_EQ(link->openStatus, kOpenFailed | kOpenTimeoutsFailed | kOpenLineStateFailed | kOpenEventMaskFailed);
    EXPECT_EQ(settings.portOpen, 0);

    script->openFails = false;
    setFieldText(settings.portParams, ":fast,n,8,1");
    link->open();
    EXPECT_EQ(link->openStatus, kOpenBadMode);
    EXPECT_EQ(settings.portOpen, 0);
    EXPECT_FALSE(script->isOpen) << "a handle that could not be configured is closed";

    setFieldText(settings.portParams, ":9600,n,8,1");
    script->timeoutsFail = true;
    link->open();
    EXPECT_EQ(link->openStatus, kOpenTimeoutsFailed);
    EXPECT_FALSE(script->isOpen);

    script->timeoutsFail = false;
    script->lineFails = true;
    link->open();
    EXPECT_EQ(link->openStatus, kOpenLineStateFailed);
    EXPECT_FALSE(script->isOpen);

    script->lineFails = false;
    link->open();
    EXPECT_EQ(link->openStatus, 0u);
    EXPECT_EQ(settings.portOpen, 1);
}

TEST_F(SerialLinkTest, SendsOneBytePerWriteAndRetriesTheOpenForEveryByteWhileClosed)
{
    link->command = QByteArray("CLR_M &");
    link->mode = kCommandMode;
    link->open();
    link->send();
    EXPECT_EQ(script->written, QByteArray("CLR_M &"));
    EXPECT_EQ(script->writeSizes, std::vector<std::int64_t>(7, 1));
    EXPECT_EQ(link->writeStatus, 0u);
    EXPECT_TRUE(link->command.isEmpty());
    EXPECT_EQ(link->mode, kDataMode);
    EXPECT_EQ(script->openCalls, 1);
    link->close();

    script->openFails = true;
    link->command = QByteArray(" ?R_12 &");
    link->send();
    EXPECT_EQ(script->openCalls, 1 + 8);
    EXPECT_EQ(script->writeCalls, 7 + 8);
    EXPECT_EQ(link->writeStatus, kWriteOtherError);
    EXPECT_EQ(link->command, QByteArray("&")) << "the byte that failed stays in command";
}

TEST_F(SerialLinkTest, WriteErrorsMapToTheirBits)
{
    const std::pair<WriteError, std::uint32_t> cases[] = {
        {WriteError::BrokenPipe, kWriteBrokenPipe},
        {WriteError::NoMemory, kWriteNoMemory},
        {WriteError::InvalidBuffer, kWriteInvalidBuffer},
        {WriteError::Other, kWriteOtherError},
    };
    link->open();
    for (const auto& [error, bit] : cases) {
        script->writeError = error;
        link->command = QByteArray("$");
        link->send();
        EXPECT_EQ(link->writeStatus, bit);
    }
    script->writeError = WriteError::None;
    script->shortWrites = true;
    link->command = QByteArray("$");
    link->send();
    EXPECT_EQ(link->writeStatus, kWriteShort);
    EXPECT_EQ(link->command, QByteArray("$"));
}

TEST_F(SerialLinkTest, LongCommandsAreCutAt511Bytes)
{
    link->open();
    link->command = QByteArray(600, 'a');
    link->send();
    EXPECT_EQ(script->written.size(), kMaxCommandLength);
}

TEST_F(SerialLinkTest, ReadsChunksOfAtMost200BytesKeepingEveryByte)
{
    QByteArray longReply(250, 'x');
    longReply[10] = '\0';
    longReply[11] = '\r';
    script->chunks.push_back(longReply);
    link->open();
    link->receiving = true;

    link->readChunk();
    EXPECT_EQ(link->reply, longReply.left(200));
    EXPECT_EQ(link->replyText(), longReply.left(10)) << "a NUL ends the text that later users see";
    EXPECT_TRUE(link->receiving);

    link->readChunk();
    EXPECT_EQ(link->reply, longReply.mid(200));
    EXPECT_TRUE(link->receiving);

    link->readChunk();
    EXPECT_TRUE(link->reply.isEmpty());
    EXPECT_EQ(link->readStatus, 0u);
    EXPECT_FALSE(link->receiving) << "a read of zero bytes ends the transfer";
}

TEST_F(SerialLinkTest, FailedReadsLeaveTheReplyEmptyAndReceivingAsItWas)
{
    link->open();
    link->receiving = true;
    script->readError = ReadError::EndOfFile;
    link->readChunk();
    EXPECT_EQ(link->readStatus, kReadEndOfFile);
    EXPECT_TRUE(link->reply.isEmpty());
    EXPECT_TRUE(link->receiving);

    script->readError = ReadError::Other;
    link->readChunk();
    EXPECT_EQ(link->readStatus, 0u);
    EXPECT_TRUE(link->receiving);
}

TEST_F(SerialLinkTest, GuardAdmitsOneExchangeAtATime)
{
    {
        const ExchangeGuard outer(*link);
        EXPECT_TRUE(outer.acquired());
        {
            const ExchangeGuard inner(*link);
            EXPECT_FALSE(inner.acquired());
            EXPECT_FALSE(inner.holds(*link));
        }
        EXPECT_TRUE(link->exchangeInProgress()) << "a refused guard must not release the held one";
        EXPECT_TRUE(outer.holds(*link));
    }
    EXPECT_FALSE(link->exchangeInProgress());
    const ExchangeGuard again(*link);
    EXPECT_TRUE(again.acquired());
}

// The rule the serial port's chunk read follows, on any clock: the mode's total time on a
// silent line, the interval once bytes flow, never past the total.
TEST(ChunkReadTimeouts, TotalTimeBeforeTheFirstByteThenTheIntervalWithinTheTotal)
{
    const ReadTimeouts data = timeoutsForMode(kDataMode);
    const ReadTimeouts command = timeoutsForMode(kCommandMode);
    EXPECT_EQ(chunkReadWaitMs(data, 0, false), 1000);
    EXPECT_EQ(chunkReadWaitMs(command, 0, false), 5000);
    EXPECT_EQ(chunkReadWaitMs(command, 4999, false), 1);
    EXPECT_EQ(chunkReadWaitMs(command, 5000, false), 0);

    EXPECT_EQ(chunkReadWaitMs(data, 10, true), 350);
    EXPECT_EQ(chunkReadWaitMs(command, 100, true), 500);
    EXPECT_EQ(chunkReadWaitMs(data, 800, true), 200);
    // A read that overran its total (a loaded machine) ends instead of waiting on.
    EXPECT_EQ(chunkReadWaitMs(data, 1500, true), 0);
    EXPECT_EQ(chunkReadWaitMs(command, 6000, false), 0);
}

}  // namespace
}  // namespace vorda
