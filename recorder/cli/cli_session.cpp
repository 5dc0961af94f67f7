#include "cli/cli_session.h"

#include "core/settings_files.h"
#include "link/serial_transport.h"

#include <QDir>

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
    return saveSettingsChanges(settings, base, QDir(state.startDir).filePath(QLatin1String(kConfigFileName)),
                               reporter);
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
    err(QStringLiteral("%1: %2 needs a value\n").arg(who, args.value(at)));
    return true;
}

std::unique_ptr<SerialLink> makeLink(Settings& settings, const QString& dir, const GlobalOptions& options)
{
    auto link = std::make_unique<SerialLink>(settings, makeSerialPortTransport(), dir);
    if (!options.port.isEmpty()) link->setDeviceOverride(options.port);
    return link;
}

}  // namespace vorda::cli
