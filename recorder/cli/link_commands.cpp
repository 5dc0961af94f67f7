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
#include "measure/system_scan.h"

#include <QDir>
#include <memory>

namespace vorda::cli {
namespace {

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
    QString noAnswer() const { return QStringLiteral("%1 (%2)\n").arg(noCommunicationLine(), link->noReplyReason()); }
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
        err(VordaCli::tr("vorda-cli register: oczekiwano jednego numeru rejestru N >= 0\n"));
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
        err(VordaCli::tr("vorda-cli data: jedynym argumentem jest --averaged\n"));
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
        err(VordaCli::tr("vorda-cli send: oczekiwano jednego TEKSTU polecenia\n"));
        return kExitUsage;
    }
    const std::optional<std::string> bytes = toWin1250(args.first());
    if (!bytes) {
        err(VordaCli::tr("vorda-cli send: tekst ma znaki spoza Windows-1250\n"));
        return kExitUsage;
    }
    if (bytes->size() > static_cast<std::size_t>(kMaxCommandLength)) {
        err(VordaCli::tr("vorda-cli send: polecenie ma najwyżej %1 bajtów\n").arg(kMaxCommandLength));
        return kExitUsage;
    }
    LinkSession s(options);
    s.protocol->sendPlainCommand(QByteArray::fromStdString(*bytes));
    // The recorder never acknowledges; only a port that could not be used is worth saying.
    if (s.link->writeStatus != 0) {
        const QString why = s.link->openStatus != 0 ? s.link->openFailureText() : s.link->portName();
        err(VordaCli::tr("vorda-cli send: nie wysłano (%1)\n").arg(why));
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

std::vector<Command> linkCommands()
{
    return {
        {"register", "N", QT_TRANSLATE_NOOP("VordaCli", "przeczytaj rejestr N rejestratora i pokaż odczytany stan"),
         QT_TRANSLATE_NOOP("VordaCli",
                           "  Wysyła \" ?R_N &\" i wypisuje odpowiedź, a potem wypełnione nią pola jako wiersze\n"
                           "  `status.NAZWA=wartość` (nazwy z `config show`), status.triggerOn, optionWord,\n"
                           "  freeMemory, a dla rejestru 0 także expectedSamples. Rejestr 0 opisuje\n"
                           "  rejestrator i jego ustawione parametry, rejestr N >= 1 nagłówek zapisanego\n"
                           "  bloku N. Kończy się kodem 1 z \"Brak komunikacji\" i przyczyną, gdy nie przyszła\n"
                           "  cała odpowiedź (cisza, zakłócenia albo mniej niż 14 pól); nic nie jest wtedy\n"
                           "  wypisywane.\n\n"
                           "  Przykład: vorda-cli --port /tmp/ttyREC register 0"),
         runRegister},
        {"data", "[--averaged]", QT_TRANSLATE_NOOP("VordaCli", "przeczytaj bieżącą surową wartość szesnastu kanałów"),
         QT_TRANSLATE_NOOP("VordaCli",
                           "  Wysyła \" ?DAT &\" i wypisuje surowe kody kanałów 1-16 w jednym wierszu,\n"
                           "  rozdzielone odstępami. Z --averaged czyta pięć razy i wypisuje dla używanych\n"
                           "  kanałów (channelsUsed) średnią trzech środkowych odczytów; pozostałe kanały\n"
                           "  pokazują 0. Kończy się kodem 1 z \"Brak komunikacji\" i przyczyną, gdy\n"
                           "  odpowiedzi zabrakło albo miała mniej niż szesnaście wartości."),
         runData},
        {"send", QT_TRANSLATE_NOOP("VordaCli", "TEKST"),
         QT_TRANSLATE_NOOP("VordaCli", "wyślij jedno polecenie do rejestratora, dokładnie tak, jak podano"),
         QT_TRANSLATE_NOOP("VordaCli",
                           "  Wysyła TEKST bajt po bajcie (Windows-1250), bez dodanego zakończenia, i nic\n"
                           "  nie czyta: rejestrator nie potwierdza poleceń. Kończy się kodem 1 tylko wtedy,\n"
                           "  gdy nie można było użyć portu.\n\n"
                           "  Przykłady: vorda-cli send 'CLR_M &'      (usuń wszystkie zapisane bloki)\n"
                           "             vorda-cli send '  START &'    (rozpocznij pomiar)"),
         runSend},
    };
}

}  // namespace vorda::cli
