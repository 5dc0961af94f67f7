// vorda-cli register | data | send: one exchange with the recorder each, with the
// settings of the start-up load (or --port DEVICE). Nothing is written to the
// configuration.

#include "cli/cli_command.h"
#include "cli/cli_session.h"
#include "core/program_state.h"
#include "core/reporter.h"
#include "core/settings_fields.h"
#include "core/settings_files.h"
#include "core/settings_record.h"
#include "core/text_codec.h"
#include "link/recorder_protocol.h"
#include "link/serial_link.h"

#include <QDir>
#include <memory>

namespace vorda::cli {
namespace {

constexpr char kNoAnswer[] = "Brak komunikacji";

// The settings, program state and link of one command, rooted in the current directory.
struct LinkSession : RecorderSession {
    Reporter quiet;
    std::unique_ptr<RecorderProtocol> protocol;

    explicit LinkSession(const GlobalOptions& options) : RecorderSession(options)
    {
        protocol = std::make_unique<RecorderProtocol>(*link, settings, state, quiet);
    }

    // "Brak komunikacji" and why, for standard error: the port could not be opened, the
    // recorder kept silent, or its reply was garbled or incomplete.
    QString noAnswer() const
    {
        return QStringLiteral("%1 (%2)\n").arg(QString::fromUtf8(kNoAnswer), link->noReplyReason());
    }
};

QString replyLine(const QByteArray& reply)
{
    QByteArray text = reply;
    while (!text.isEmpty() && (text.back() == '\r' || text.back() == '\n')) text.chop(1);
    return fromWin1250(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

// The `name=value` line of a settings field, as `config show` prints it.
QString fieldLine(const Settings& settings, const char* name)
{
    const SettingsField* field = findSettingsField(name);
    return field ? QString::fromLatin1(name) + QLatin1Char('=') + fieldValueText(settings, *field) + QLatin1Char('\n')
                 : QString();
}

// The status field of each register reply token; token 10 goes to optionWord.
constexpr const char* kTokenFields[] = {
    "status.tag",
    "status.date",
    "status.time",
    "status.blockNumber",
    "status.sampleCount",
    "status.samplingMs",
    "status.channelCount",
    "status.freeMemory",
    "status.blockCount",
    nullptr,
    "status.triggerStartRaw",
    "status.triggerStopRaw",
    "status.recorderSB",
    "status.recorderSC",
};

int runRegister(const GlobalOptions& options, const QStringList& args)
{
    bool ok = false;
    const int n = args.size() == 1 ? args.first().toInt(&ok) : -1;
    if (!ok || n < 0) {
        err(QStringLiteral("vorda-cli register: one register number N >= 0 expected\n"));
        return kExitUsage;
    }
    LinkSession s(options);
    const QByteArray reply = s.protocol->readRegister(n);
    if (reply.isEmpty()) {
        err(s.noAnswer());
        return kExitFailed;
    }
    QString text = replyLine(reply) + QLatin1Char('\n');
    for (const char* field : kTokenFields)
        if (field) text += fieldLine(s.settings, field);
    text += fieldLine(s.settings, "status.triggerOn");
    text += QStringLiteral("optionWord=%1\nfreeMemory=%2\n").arg(s.state.optionWord).arg(s.state.freeMemory);
    if (n == 0) text += QStringLiteral("expectedSamples=%1\n").arg(s.state.expectedSamples);
    out(text);
    return kExitOk;
}

int runData(const GlobalOptions& options, const QStringList& args)
{
    const bool averaged = args == QStringList{QStringLiteral("--averaged")};
    if (!args.isEmpty() && !averaged) {
        err(QStringLiteral("vorda-cli data: the only argument is --averaged\n"));
        return kExitUsage;
    }
    LinkSession s(options);
    const QByteArray reply = averaged ? s.protocol->readCurrentDataAveraged() : s.protocol->readCurrentData();
    if (reply.isEmpty()) {
        err(s.noAnswer());
        return kExitFailed;
    }
    QString line;
    for (int c = 1; c <= kMaxChannels; ++c) {
        if (c > 1) line += QLatin1Char(' ');
        line += QString::number(s.link->readings[0][c]);
    }
    out(line + QLatin1Char('\n'));
    return kExitOk;
}

int runSend(const GlobalOptions& options, const QStringList& args)
{
    if (args.size() != 1 || args.first().isEmpty()) {
        err(QStringLiteral("vorda-cli send: one command TEXT expected\n"));
        return kExitUsage;
    }
    const std::optional<std::string> bytes = toWin1250(args.first());
    if (!bytes) {
        err(QStringLiteral("vorda-cli send: the text has characters outside Windows-1250\n"));
        return kExitUsage;
    }
    if (bytes->size() > static_cast<std::size_t>(kMaxCommandLength)) {
        err(QStringLiteral("vorda-cli send: a command holds at most %1 bytes\n").arg(kMaxCommandLength));
        return kExitUsage;
    }
    LinkSession s(options);
    s.protocol->sendPlainCommand(QByteArray::fromStdString(*bytes));
    // The recorder never acknowledges; only a port that could not be used is worth saying.
    if (s.link->writeStatus != 0) {
        const QString why = s.link->openStatus != 0 ? s.link->openFailureText() : s.link->portName();
        err(QStringLiteral("vorda-cli send: not sent (%1)\n").arg(why));
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

std::vector<Command> linkCommands()
{
    return {
        {"register", "N", "read register N of the recorder and show the parsed status",
         "  Sends \" ?R_N &\" and prints the reply, then the fields it filled as\n"
         "  `status.NAME=value` lines (the names of `config show`), status.triggerOn,\n"
         "  optionWord, freeMemory and, for register 0, expectedSamples. Register 0\n"
         "  describes the recorder and its set parameters; register N >= 1 the header of\n"
         "  stored block N. Exits 1 with \"Brak komunikacji\" and the reason when no whole\n"
         "  reply came (silence, noise, or fewer than its 14 fields); nothing is shown then.\n\n"
         "  Example: vorda-cli --port /tmp/ttyREC register 0",
         runRegister},
        {"data", "[--averaged]", "read the current raw value of the sixteen channels",
         "  Sends \" ?DAT &\" and prints the raw codes of channels 1-16 on one line,\n"
         "  separated by blanks. With --averaged it reads five times and prints, for the\n"
         "  channels in use (channelsUsed), the mean of the middle three readings; the\n"
         "  other channels show 0. Exits 1 with \"Brak komunikacji\" and the reason when a\n"
         "  reply was missing or held fewer than sixteen values.",
         runData},
        {"send", "TEXT", "send one command to the recorder, exactly as given",
         "  Sends TEXT byte for byte (Windows-1250), with no terminator added, and reads\n"
         "  nothing: the recorder does not acknowledge commands. Exits 1 only when the\n"
         "  port could not be used.\n\n"
         "  Examples: vorda-cli send 'CLR_M &'      (erase every stored block)\n"
         "            vorda-cli send '  START &'    (start a measurement)",
         runSend},
    };
}

}  // namespace vorda::cli
