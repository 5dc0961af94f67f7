// The four exchanges over the scripted transport: command bytes, side effects on the
// status and program state, the link-state texts, and the one-exchange-at-a-time guard.

#include "link/recorder_protocol.h"
#include "core/program_state.h"
#include "core/reporter.h"
#include "core/settings_record.h"
#include "support/fake_transport.h"

#include <gtest/gtest.h>
#include <QStringList>
#include <QTemporaryDir>

#include <cstring>
#include <optional>

namespace vorda {
namespace {

// Records what the exchanges show.
class RecordingReporter : public Reporter {
public:
    void setStatus(StatusPanel panel, const QString& text) override
    {
        if (panel == StatusPanel::Link) linkTexts << text;
    }
    void setBusy(bool busy) override { busyCalls << (busy ? QStringLiteral("busy") : QStringLiteral("idle")); }
    void replyUnusable(const QString& text) override { unusable << text; }

    QStringList linkTexts;
    QStringList unusable;
    QStringList busyCalls;
};

// A data reply of `values`, the channels past them (up to 16) filled with `rest`.
QByteArray dataReply(std::initializer_list<int> values, std::optional<int> rest = std::nullopt)
{
    QByteArray text("DAT");
    for (int v : values) text += ' ' + QByteArray::number(v);
    if (rest)
        for (std::size_t c = values.size(); c < 16; ++c) text += ' ' + QByteArray::number(*rest);
    return text;
}

class ProtocolTest : public ::testing::Test {
protected:
    ProtocolTest()
    {
        settings.portNumber = 1;
        setFieldText(settings.portParams, ":230400,n,8,2,p");
        settings.channelsUsed = 16;
        auto [transport, s] = FakeTransport::create();
        script = s;
        link = std::make_unique<SerialLink>(settings, std::move(transport), dir.path());
        protocol = std::make_unique<RecorderProtocol>(*link, settings, state, reporter);
    }

    QTemporaryDir dir;
    Settings settings{};
    ProgramState state;
    RecordingReporter reporter;
    std::shared_ptr<FakeTransport::Script> script;
    std::unique_ptr<SerialLink> link;
    std::unique_ptr<RecorderProtocol> protocol;
};

TEST_F(ProtocolTest, RegisterZeroFillsStatusAndProgramState)
{
    const QByteArray answer("R3 2006-07-08 12:30:45 0 500 10 4 120000 3 1 100 900 1.5 0.25\r");
    script->chunks.push_back(answer);
    const QByteArray reply = protocol->readRegister(0);

    EXPECT_EQ(reply, answer);
    EXPECT_EQ(script->written, QByteArray(" ?R_0 &"));
    EXPECT_EQ(script->timeouts, (ReadTimeouts{350, 1000}));
    // The fields themselves are the parser's (reply_parsing_test.cpp); here what the
    // exchange adds to them.
    RecorderStatus parsed{};
    std::int32_t option = 0;
    parseRegisterReply(answer.toStdString(), parsed, option);
    parsed.triggerOn = 1;
    EXPECT_EQ(std::memcmp(&settings.status, &parsed, sizeof parsed), 0);
    EXPECT_EQ(state.optionWord, 1);
    EXPECT_EQ(state.freeMemory, 120000);
    EXPECT_EQ(state.expectedSamples, 2000);
    EXPECT_TRUE(state.statusRead);
    EXPECT_EQ(settings.portOpen, 0);
    EXPECT_FALSE(script->isOpen);
    EXPECT_EQ(reporter.linkTexts, QStringList({QStringLiteral("Polączony"), QStringLiteral("Rozlączony")}));
    EXPECT_EQ(reporter.busyCalls, QStringList({QStringLiteral("busy"), QStringLiteral("idle")}));
}

TEST_F(ProtocolTest, BlockRegisterSendsTwoDigitsAndLeavesExpectedSamples)
{
    state.expectedSamples = 77;
    script->chunks.push_back("R3 2006-07-08 12:30:45 12 600 20 2 5000 12 0 0 0 1 0");
    protocol->readRegister(12);
    EXPECT_EQ(script->written, QByteArray(" ?R_12 &"));
    EXPECT_EQ(script->written.size(), 8);
    EXPECT_EQ(script->writeCalls, 8);
    EXPECT_EQ(settings.status.blockNumber, 12);
    EXPECT_EQ(settings.status.triggerOn, 0);
    EXPECT_EQ(state.freeMemory, 5000);
    EXPECT_EQ(state.expectedSamples, 77);
}

TEST_F(ProtocolTest, AReplyThatIsNotWholeStoresNothingAndSaysWhy)
{
    const QByteArray full("R3 2006-07-08 12:30:45 0 500 10 4 120000 3 1 100 900 1.5 0.25");
    const QByteArray data = dataReply({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    const struct {
        QByteArray reply;
        ReplyFault fault;
        const char* reported;  // what the reporter is told, empty for nothing
    } cases[] = {
        {"", ReplyFault::Silent, ""},
        {full.left(full.indexOf(" 1 100")), ReplyFault::Incomplete, "jest niepełna"},
        {"#~*%" + full, ReplyFault::Garbled, "jest zniekształcona"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply.toStdString());
        settings.status = RecorderStatus{};
        settings.status.freeMemory = 77;
        state = ProgramState{};
        reporter.unusable.clear();
        script->chunks.push_back(c.reply);
        EXPECT_TRUE(protocol->readRegister(0).isEmpty());
        EXPECT_EQ(link->replyFault, c.fault);
        EXPECT_EQ(settings.status.tag[0], '\0');
        EXPECT_EQ(settings.status.freeMemory, 77);
        EXPECT_FALSE(state.statusRead);
        EXPECT_EQ(state.freeMemory, 0);
        EXPECT_EQ(reporter.unusable.size(), *c.reported ? 1 : 0);
        if (*c.reported) EXPECT_TRUE(reporter.unusable.first().endsWith(QString::fromUtf8(c.reported)));

        // The same reply among the data reads: row 0 keeps every value.
        link->readings = Readings{};
        script->chunks.push_back(c.reply.startsWith("R3") ? dataReply({1, 2, 3}) : c.reply);
        EXPECT_TRUE(protocol->readCurrentData().isEmpty());
        for (int k = 0; k < 5; ++k) script->chunks.push_back(k == 3 ? dataReply({9, 9}) : data);
        EXPECT_TRUE(protocol->readCurrentDataAveraged().isEmpty());
        EXPECT_EQ(link->replyFault, ReplyFault::Incomplete);
        EXPECT_EQ(link->readings, Readings{});
        EXPECT_TRUE(script->chunks.empty()) << "all five replies were taken off the line";
    }
    script->chunks.push_back(full);
    EXPECT_EQ(protocol->readRegister(0), full);
    EXPECT_EQ(link->replyFault, ReplyFault::None);
    EXPECT_TRUE(state.statusRead);
}

TEST_F(ProtocolTest, NoPortMeansAnEmptyReplyAndNothingChanged)
{
    script->openFails = true;
    settings.status.tag[0] = '-';
    link->readings[0].fill(5);
    EXPECT_TRUE(protocol->readRegister(0).isEmpty());
    EXPECT_EQ(settings.status.tag[0], '-');
    EXPECT_NE(link->openStatus & kOpenFailed, 0u);
    EXPECT_EQ(link->writeStatus, kWriteOtherError);
    EXPECT_TRUE(protocol->readCurrentData().isEmpty());
    EXPECT_EQ(link->readings[0][16], 5);
}

TEST_F(ProtocolTest, CurrentDataFillsRowZeroInCommandMode)
{
    script->chunks.push_back(dataReply({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
    settings.channelsUsed = 2;
    protocol->readCurrentData();
    EXPECT_EQ(script->written, QByteArray(" ?DAT &"));
    EXPECT_EQ(script->timeouts, (ReadTimeouts{500, 5000}));
    for (int c = 1; c <= 16; ++c) EXPECT_EQ(link->readings[0][c], c) << "the single read fills every channel";
    EXPECT_EQ(settings.portOpen, 0);
    EXPECT_EQ(reporter.busyCalls.size(), 0);
}

TEST_F(ProtocolTest, AveragedReadTakesTheMeanOfTheMiddleThreeOfUsedChannels)
{
    const int ch1[] = {10, 12, 11, 50, 9};
    const int ch2[] = {-4, -5, -6, -7, -8};
    for (int k = 0; k < 5; ++k)
        script->chunks.push_back(dataReply({ch1[k], ch2[k], 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
    settings.channelsUsed = 4;
    link->readings[0].fill(-1);

    protocol->readCurrentDataAveraged();

    EXPECT_EQ(script->written, QByteArray(" ?DAT &").repeated(5));
    EXPECT_EQ(script->openCalls, 1) << "five reads on one open port";
    EXPECT_EQ(script->timeouts, (ReadTimeouts{500, 5000}));
    EXPECT_EQ(link->readings[0][1], 11);
    EXPECT_EQ(link->readings[0][2], -6);
    EXPECT_EQ(link->readings[0][4], 4);
    for (int c = 5; c <= 16; ++c) EXPECT_EQ(link->readings[0][c], -1) << "channel " << c;
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(link->readings[k][1], ch1[k - 1]);
    EXPECT_EQ(settings.portOpen, 0);
    EXPECT_EQ(reporter.busyCalls, QStringList({QStringLiteral("busy"), QStringLiteral("idle")}));
}

TEST_F(ProtocolTest, AveragedReadKeepsItsChannelLoopWithinSixteen)
{
    for (int k = 0; k < 5; ++k) script->chunks.push_back(dataReply({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    settings.channelsUsed = 1000;
    link->readings[0].fill(-1);
    protocol->readCurrentDataAveraged();
    for (int c = 1; c <= 16; ++c) EXPECT_EQ(link->readings[0][c], 1);
    EXPECT_EQ(link->readings[0][0], -1);

    // No channel in use: the five replies are read, row 0 keeps every value.
    for (const int used : {0, -3}) {
        settings.channelsUsed = used;
        link->readings[0].fill(-1);
        for (int k = 0; k < 5; ++k) script->chunks.push_back(dataReply({2, 2}, 0));
        protocol->readCurrentDataAveraged();
        EXPECT_EQ(link->readings[5][1], 2);
        for (int c = 1; c <= 16; ++c) EXPECT_EQ(link->readings[0][c], -1) << "channelsUsed " << used;
    }
}

TEST_F(ProtocolTest, PlainCommandWritesItsBytesAndReadsNothing)
{
    link->receiving = true;
    EXPECT_TRUE(protocol->sendPlainCommand("CLR_M &"));
    EXPECT_EQ(script->written, QByteArray("CLR_M &"));
    EXPECT_EQ(script->writeSizes, std::vector<std::int64_t>(7, 1));
    EXPECT_EQ(script->readCalls, 0);
    EXPECT_EQ(script->timeouts, (ReadTimeouts{500, 5000}));
    EXPECT_FALSE(link->receiving);
    EXPECT_EQ(settings.portOpen, 0);
    EXPECT_EQ(script->closeCalls, 1);
    EXPECT_EQ(reporter.linkTexts, QStringList({QStringLiteral("Polączony"), QStringLiteral("Rozlączony")}));
}

TEST_F(ProtocolTest, AnExchangeStartedDuringAnotherIsRefusedWithoutTouchingThePort)
{
    // A "timer" fires while the first exchange waits for its reply.
    QByteArray nestedReply = "unset";
    bool nestedSent = true;
    script->onRead = [&] {
        script->onRead = nullptr;
        const QByteArray writtenBefore = script->written;
        const int opensBefore = script->openCalls;
        nestedReply = protocol->readCurrentData();
        nestedSent = protocol->sendPlainCommand("  START &");
        EXPECT_EQ(script->written, writtenBefore);
        EXPECT_EQ(script->openCalls, opensBefore);
    };
    const QByteArray answer("R2 2006-07-08 12:30:45 0 1 1 1 1 0 0 0 0 1 0");
    script->chunks.push_back(answer);
    const QByteArray reply = protocol->readRegister(0);

    EXPECT_TRUE(nestedReply.isEmpty());
    EXPECT_FALSE(nestedSent);
    EXPECT_EQ(reply, answer);
    EXPECT_EQ(script->written, QByteArray(" ?R_0 &"));
    EXPECT_EQ(reporter.linkTexts.size(), 2) << "a refused exchange shows nothing";
}

TEST_F(ProtocolTest, AnOperationHoldingTheLinkRunsItsOwnExchangesInside)
{
    script->responder = [](const QByteArray& command) -> QList<QByteArray> {
        if (command == " ?R_1 &") return {"R3 2006-07-08 12:30:45 1 10 1 1 0 1 0 0 0 1 0"};
        return {};
    };
    const ExchangeGuard held(*link);
    EXPECT_TRUE(protocol->readRegister(1).isEmpty()) << "without the guard it is refused";
    EXPECT_EQ(script->writeCalls, 0);

    EXPECT_TRUE(protocol->readRegister(1, held).startsWith("R3"));
    EXPECT_TRUE(protocol->sendPlainCommand(kAbortCommand, held));
    EXPECT_EQ(script->written, QByteArray(" ?R_1 &$"));

    SerialLink otherLink(settings, FakeTransport::create().first, dir.path());
    const ExchangeGuard foreign(otherLink);
    EXPECT_TRUE(protocol->readRegister(1, foreign).isEmpty()) << "a guard of another link does not count";
}

TEST_F(ProtocolTest, ThePortLeftOpenByADownloadIsReusedAndClosed)
{
    link->mode = kDataMode;
    link->open();
    ASSERT_EQ(settings.portOpen, 1);
    script->chunks.push_back(dataReply({42}, 0));
    protocol->readCurrentData();
    EXPECT_EQ(script->openCalls, 1);
    EXPECT_EQ(script->timeouts, (ReadTimeouts{350, 1000})) << "the data-mode time-outs stay";
    EXPECT_EQ(link->readings[0][1], 42);
    EXPECT_EQ(settings.portOpen, 0);
    EXPECT_FALSE(script->isOpen);
}

}  // namespace
}  // namespace vorda
