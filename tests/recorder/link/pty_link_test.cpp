// The real link (QSerialPort) against recorder-sim over a pseudo-terminal: the exact
// bytes of every command, chunking, time-outs, port naming and exclusive open, and the
// simulator's replies decoded.

#include "core/program_state.h"
#include "core/reporter.h"
#include "core/settings_record.h"
#include "link/recorder_protocol.h"
#include "link/serial_link.h"
#include "support/recorder_sim.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <utility>

namespace vorda {
namespace {

class PtyLinkTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // QSerialPort's notifiers want an application object even for blocking use.
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "test_recorder_link";
            static char* argv[] = {name, nullptr};
            static QCoreApplication app(argc, argv);
        }
    }

    void SetUp() override
    {
        settings.portNumber = 1;
        setFieldText(settings.portParams, ":230400,n,8,2,p");
        settings.channelsUsed = 4;
    }

    // A link to `sim` (by device override unless told otherwise).
    std::unique_ptr<SerialLink> linkTo(const test::RecorderSim& sim, bool overrideDevice = true)
    {
        auto link = std::make_unique<SerialLink>(settings, makeSerialPortTransport(), dir.path());
        if (overrideDevice) link->setDeviceOverride(sim.devicePath());
        return link;
    }

    QTemporaryDir dir;
    Settings settings{};
    ProgramState state;
    Reporter quiet;
};

TEST_F(PtyLinkTest, SendsTheExactBytesOfEveryCommandAndDecodesRegisterReplies)
{
    test::RecorderSim sim({"--model", "R5", "--blocks", "12"});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
    auto link = linkTo(sim);
    RecorderProtocol protocol(*link, settings, state, quiet);

    // The reply's fields are the parser's business; here only that the whole reply came.
    const QByteArray reg0 = protocol.readRegister(0);
    ASSERT_TRUE(reg0.startsWith("R5")) << reg0.toStdString();
    EXPECT_EQ(link->openStatus, 0u);
    const RecorderStatus& s = settings.status;
    EXPECT_EQ(s.blockCount, 12);
    EXPECT_EQ(settings.portOpen, 0);

    const QByteArray reg12 = protocol.readRegister(12);
    EXPECT_EQ(s.blockNumber, 12) << reg12.toStdString();

    EXPECT_TRUE(protocol.sendPlainCommand(kClearMemoryCommand));
    protocol.readCurrentData();
    protocol.sendPlainCommand("M_S 20 &");

    const QList<QByteArray> log = sim.waitForCommands(5);
    ASSERT_EQ(log.size(), 5);
    EXPECT_EQ(log[0], QByteArray(" ?R_0 &"));
    EXPECT_EQ(log[1], QByteArray(" ?R_12 &"));
    EXPECT_EQ(log[1].size(), 8);
    EXPECT_EQ(log[2], QByteArray("CLR_M &"));
    EXPECT_EQ(log[2].size(), 7);
    EXPECT_EQ(log[3], QByteArray(" ?DAT &"));
    EXPECT_EQ(log[4], QByteArray("M_S 20 &"));

    // The wipe and the setting took effect.
    protocol.readRegister(0);
    EXPECT_EQ(s.blockCount, 0);
    EXPECT_EQ(s.samplingMs, 20);
}

TEST_F(PtyLinkTest, ALongReplyArrivesInChunksOf200BytesAndEndsInSilence)
{
    test::RecorderSim sim(
        {"--model", "R3", "--blocks", "1", "--samples", "40", "--channels", "4", "--nul-in-dump", "300"});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
    auto link = linkTo(sim);
    const ExchangeGuard guard(*link);
    RecorderProtocol protocol(*link, settings, state, quiet);
    protocol.readRegister(1, guard);
    ASSERT_EQ(settings.status.blockNumber, 1);

    link->mode = kDataMode;
    link->open();
    ASSERT_EQ(link->openStatus, 0u);
    link->command = memoryCommand(1);
    link->send();
    EXPECT_EQ(link->writeStatus, 0u);
    link->receiving = true;
    QList<qsizetype> sizes;
    QByteArray dump;
    for (int guardCount = 0; link->receiving && guardCount < 100; ++guardCount) {
        link->readChunk();
        sizes << link->reply.size();
        dump += link->reply;
    }
    EXPECT_FALSE(link->receiving);
    EXPECT_EQ(settings.portOpen, 1) << "the download leaves the port open";
    link->close();

    // Header line up to CR, 40 samples x 4 codes x 4 characters, and one NUL that the
    // simulator put in among the samples, at offset 300 (in the second chunk).
    const qsizetype cr = dump.indexOf('\r');
    ASSERT_GT(cr, 0);
    EXPECT_EQ(dump.size(), cr + 1 + 40 * 4 * 4 + 1);
    EXPECT_EQ(dump.at(300), '\0') << "every byte of a chunk is kept, NUL included";
    ASSERT_GE(sizes.size(), 3);
    EXPECT_EQ(sizes.last(), 0);
    for (qsizetype i = 0; i + 2 < sizes.size(); ++i) EXPECT_EQ(sizes[i], kChunkSize) << "chunk " << i;
    EXPECT_EQ(sizes[sizes.size() - 2], dump.size() - kChunkSize * (sizes.size() - 2));
    EXPECT_EQ(sim.waitForCommands(2).value(1), QByteArray(" ?MEM 1 &"));
}

TEST_F(PtyLinkTest, AReplyThatIsNotWholeChangesNothingAndIsNamed)
{
    const struct {
        QStringList faults;
        bool dataRead;
        ReplyFault fault;
        const char* reason;
    } cases[] = {
        {{"--silent-register", "0"}, false, ReplyFault::Silent, "Rejestrator nie odpowiada na porcie "},
        {{"--garbage", "4"}, false, ReplyFault::Garbled, "Odpowiedź rejestratora na porcie "},
        {{"--short-register", "8"}, false, ReplyFault::Incomplete, "Odpowiedź rejestratora na porcie "},
        {{"--short-dat", "3"}, true, ReplyFault::Incomplete, "Odpowiedź rejestratora na porcie "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.faults.join(' ').toStdString());
        test::RecorderSim sim(c.faults);
        ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
        auto link = linkTo(sim);
        RecorderProtocol protocol(*link, settings, state, quiet);
        setFieldText(settings.status.tag, "-");
        state.statusRead = false;
        link->readings[0].fill(-1);

        EXPECT_TRUE((c.dataRead ? protocol.readCurrentData() : protocol.readRegister(0)).isEmpty());
        EXPECT_EQ(link->replyFault, c.fault);
        EXPECT_EQ(fieldText(settings.status.tag), "-");
        EXPECT_FALSE(state.statusRead);
        EXPECT_EQ(link->readings[0][1], -1);
        // --port named the device: the message names it, and no com port.
        const QString reason = link->noReplyReason();
        EXPECT_TRUE(reason.startsWith(QString::fromUtf8(c.reason) + sim.devicePath())) << reason.toStdString();
        EXPECT_EQ(sim.waitForCommands(1).size(), 1);
    }
}

TEST_F(PtyLinkTest, PortNumberZeroOpensComOneThroughPortsConf)
{
    test::RecorderSim sim({"--model", "R2"});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
    QFile conf(QDir(dir.path()).filePath(QStringLiteral("ports.conf")));
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write("# the simulator\ncom1=" + sim.devicePath().toUtf8() + "\n");
    conf.close();

    settings.portNumber = 0;
    auto link = linkTo(sim, false);
    RecorderProtocol protocol(*link, settings, state, quiet);
    EXPECT_TRUE(protocol.readRegister(0).startsWith("R2"));
    EXPECT_EQ(settings.portNumber, 1);
    EXPECT_EQ(link->device(), sim.devicePath());
}

TEST_F(PtyLinkTest, APortThatCannotBeOpenedGivesStatusBitsAndAnEmptyReply)
{
    auto link = std::make_unique<SerialLink>(settings, makeSerialPortTransport(), dir.path());
    link->setDeviceOverride(QDir(dir.path()).filePath(QStringLiteral("no-such-tty")));
    RecorderProtocol protocol(*link, settings, state, quiet);
    EXPECT_TRUE(protocol.readRegister(0).isEmpty());
    EXPECT_EQ(link->openStatus, kOpenFailed | kOpenTimeoutsFailed | kOpenLineStateFailed | kOpenEventMaskFailed);
    EXPECT_EQ(link->writeStatus, kWriteOtherError);
    EXPECT_EQ(settings.portOpen, 0);
}

TEST_F(PtyLinkTest, TheOpenIsExclusiveWhateverNameTheDeviceGoesBy)
{
    test::RecorderSim sim({"--model", "R4"});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
    const QString alias = QDir(dir.path()).filePath(QStringLiteral("ttyREC"));
    ASSERT_TRUE(QFile::link(sim.devicePath(), alias));
    Settings otherSettings = settings;
    auto first = linkTo(sim);
    first->setDeviceOverride(alias);
    first->open();
    ASSERT_EQ(first->openStatus, 0u) << first->openFailureText().toStdString();

    for (const QString& device : {sim.devicePath(), alias}) {
        SerialLink second(otherSettings, makeSerialPortTransport(), dir.path());
        second.setDeviceOverride(device);
        second.open();
        EXPECT_NE(second.openStatus & kOpenFailed, 0u) << device.toStdString();
        EXPECT_EQ(otherSettings.portOpen, 0);
        EXPECT_TRUE(
            second.openFailureText().endsWith(QStringLiteral("Port %1 jest używany przez inny program").arg(device)))
            << second.openFailureText().toStdString();
    }

    first->close();
    SerialLink second(otherSettings, makeSerialPortTransport(), dir.path());
    second.setDeviceOverride(sim.devicePath());
    second.open();
    EXPECT_EQ(second.openStatus, 0u);
    second.close();
}

TEST_F(PtyLinkTest, AveragedReadOfTheSimulatorKeepsUnusedChannels)
{
    test::RecorderSim sim({"--model", "R3"});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
    auto link = linkTo(sim);
    RecorderProtocol protocol(*link, settings, state, quiet);
    settings.channelsUsed = 4;
    link->readings[0].fill(-1);

    EXPECT_GE(protocol.readCurrentDataAveraged().size(), 2);
    const Readings& r = link->readings;
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(r[0][c], trimmedMean({r[1][c], r[2][c], r[3][c], r[4][c], r[5][c]})) << "channel " << c;
        EXPECT_GE(r[0][c], 0);
        EXPECT_LE(r[0][c], 65535);
    }
    for (int c = 5; c <= 16; ++c) EXPECT_EQ(r[0][c], -1) << "channel " << c;
    EXPECT_EQ(sim.waitForCommands(5).size(), 5);
    for (const QByteArray& command : sim.commands()) EXPECT_EQ(command, QByteArray(" ?DAT &"));
}

// A reporter that, like a timer firing while the window repaints, starts a second
// exchange in the middle of the first.
class MeddlingReporter : public Reporter {
public:
    RecorderProtocol* protocol = nullptr;
    QByteArray nestedReply = "unset";

    void setStatus(StatusPanel panel, const QString& text) override
    {
        if (panel == StatusPanel::Link && text == linkStateText(LinkState::Connected) && protocol) {
            RecorderProtocol* p = std::exchange(protocol, nullptr);
            nestedReply = p->readCurrentData();
        }
    }
};

TEST_F(PtyLinkTest, ASecondExchangeDuringTheFirstNeverReachesTheLine)
{
    test::RecorderSim sim({"--model", "R1", "--blocks", "1"});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
    auto link = linkTo(sim);
    MeddlingReporter meddler;
    RecorderProtocol protocol(*link, settings, state, meddler);
    meddler.protocol = &protocol;

    EXPECT_TRUE(protocol.readRegister(1).startsWith("R1"));
    EXPECT_TRUE(meddler.nestedReply.isEmpty());
    protocol.sendPlainCommand("M_C 50 &");
    const QList<QByteArray> log = sim.waitForCommands(2);
    EXPECT_EQ(log, QList<QByteArray>({" ?R_1 &", "M_C 50 &"}));
}

}  // namespace
}  // namespace vorda
