#include "cli/cli_session.h"

#include "core/settings_files.h"
#include "link/serial_transport.h"

#include <QDir>

#include <cstdio>

namespace vorda::cli {

RecorderSession::RecorderSession(const GlobalOptions& options)
{
    const QString dir = QDir::currentPath();
    state.setStartDir(dir);
    Reporter quiet;
    loadStartupSettings(settings, dir, quiet);
    base = settings.toImage();
    link = makeLink(settings, dir, options);
}

bool RecorderSession::configChangeable(Reporter& reporter) const
{
    return settingsFileChangeable(QDir(state.startDir).filePath(QLatin1String(kConfigFileName)), reporter);
}

bool RecorderSession::saveChanges(Reporter& reporter)
{
    return saveSettingsChanges(settings, base, QDir(state.startDir).filePath(QLatin1String(kConfigFileName)), reporter);
}

void MessageReporter::showMessage(const QString& text, const QString& caption, MessageIcon)
{
    err(caption + QLatin1Char(' ') + QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')) + QLatin1Char('\n'));
}

void MessageReporter::portUnavailable(const QString& text)
{
    if (text == lastPortFailure_) return;
    lastPortFailure_ = text;
    err(text + QLatin1Char('\n'));
}

QString silenceReason(const SerialLink& link)
{
    if (link.openStatus != 0 || link.replyFault != ReplyFault::Silent) return {};
    return QStringLiteral(" (%1)").arg(link.noReplyReason());
}

bool lacksValue(const QString& who, const QStringList& args, qsizetype at)
{
    if (at + 1 < args.size()) return false;
    err(VordaCli::tr("%1: %2 wymaga wartości\n").arg(who, args.value(at)));
    return true;
}

int wrongArguments(const char* command)
{
    err(VordaCli::tr("vorda-cli %1: błędne argumenty; zobacz `vorda-cli %1 --help`\n").arg(QLatin1String(command)));
    return kExitUsage;
}

bool yesAnswered()
{
    char answer[16] = {};
    if (!std::fgets(answer, sizeof answer, stdin)) return false;
    return answer[0] == 't' || answer[0] == 'T' || answer[0] == 'y' || answer[0] == 'Y';
}

QString measurementStartedText(int seconds)
{
    return VordaCli::tr("Pomiar rozpoczęty; zakończy się za około %1 s\n").arg(seconds);
}

std::unique_ptr<SerialLink> makeLink(Settings& settings, const QString& dir, const GlobalOptions& options)
{
    auto link = std::make_unique<SerialLink>(settings, makeSerialPortTransport(), dir);
    if (!options.port.isEmpty()) link->setDeviceOverride(options.port);
    return link;
}

}  // namespace vorda::cli
