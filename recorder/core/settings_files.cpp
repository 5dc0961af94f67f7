#include "core/settings_files.h"

#include "core/reporter.h"
#include "core/text_codec.h"

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace vorda {

void setDataDirectory(Settings& settings, const QString& dir)
{
    setFieldText(settings.dataDirectory, toWin1250Lossy(QDir::toNativeSeparators(dir)));
}

void applyStartupDefaults(Settings& settings, const QString& startDir)
{
    setFieldText(settings.portParams, ":230400,n,8,2,p");
    settings.portNumber = 2;
    settings.firstColumn = 2;
    settings.channelsUsed = 4;
    setDataDirectory(settings, startDir);
    settings.sendSamplingTime = 1;
    settings.sendSampleCount = 1;
    settings.sendDateTime = 1;
    settings.samplingTimeMs = 10;
    settings.sampleCount = 100;
}

void correctLoadedSettings(Settings& settings)
{
    if (settings.currentChannel < 1 || settings.currentChannel > kMaxChannels) settings.currentChannel = 0;
    std::int32_t& format = settings.channels[settings.currentChannel].numberFormat;
    if (format < 0 || format > 3) format = 0;
}

std::optional<Settings::Image> readSettingsImage(const QString& path, QString* problem)
{
    auto fail = [problem](const QString& why) -> std::optional<Settings::Image> {
        if (problem) *problem = why;
        return std::nullopt;
    };
    QFile file(path);
    if (!file.exists()) return fail(QStringLiteral("does not exist"));
    // A FIFO or device can never hold the record, and opening a FIFO would wait for a writer.
    if (!QFileInfo(path).isFile()) return fail(QStringLiteral("is not a regular file"));
    if (!file.open(QIODevice::ReadOnly)) return fail(QStringLiteral("cannot be opened: ") + file.errorString());
    if (file.size() != static_cast<qint64>(kRecordSize))
        return fail(QStringLiteral("is %1 bytes, not %2").arg(file.size()).arg(kRecordSize));
    Settings::Image image;
    // Read into a buffer first, so that a short read never leaves a half-loaded record.
    if (file.read(reinterpret_cast<char*>(image.data()), kRecordSize) != static_cast<qint64>(kRecordSize))
        return fail(QStringLiteral("cannot be read: ") + file.errorString());
    return image;
}

QString startupSettingsPath(const QString& dir)
{
    const QDir d(dir);
    const QFileInfo config(d.filePath(QLatin1String(kConfigFileName)));
    return config.exists() && !config.isDir() ? config.filePath() : d.filePath(QLatin1String(kFactoryFileName));
}

LoadOutcome loadStartupSettings(Settings& settings, const QString& dir, Reporter& reporter, bool clearFirst)
{
    if (clearFirst) std::memset(static_cast<void*>(&settings), 0, sizeof settings);
    applyStartupDefaults(settings, dir);

    LoadOutcome outcome;
    outcome.path = startupSettingsPath(dir);
    if (const auto image = readSettingsImage(outcome.path, &outcome.problem)) {
        outcome.fromFile = true;
        reporter.setStatus(StatusPanel::Message, QString::fromUtf8(kFromFileStatusText));
        settings.fromImage(*image);
    } else {
        setDataDirectory(settings, dir);
        reporter.setStatus(StatusPanel::Message, QString::fromUtf8(kDefaultsStatusText));
    }
    settings.portOpen = 0;
    correctLoadedSettings(settings);
    return outcome;
}

namespace {

// "NAME.PID.tmp" beside the target: the temporary file of a save by process PID.
QString temporaryPath(const QString& path, qint64 pid)
{
    return path + QLatin1Char('.') + QString::number(pid) + QStringLiteral(".tmp");
}

// Removes what saves killed before their rename left beside `path`: temporary files of
// processes that no longer run (or of this one).
void removeStaleTemporaries(const QString& path)
{
    const QFileInfo target(path);
    QDir dir = target.absoluteDir();
    const QString prefix = target.fileName() + QLatin1Char('.');
    const QStringList names =
        dir.entryList({prefix + QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        bool ok = false;
        const qint64 pid = name.mid(prefix.size()).chopped(4).toLongLong(&ok);
        if (!ok || pid <= 0) continue;
        if (pid == getpid() || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)) dir.remove(name);
    }
}

// Writes the bytes to a temporary file beside `path` and renames it over the target, so
// the target is at every moment either the old or the new complete file. On failure
// `problem` holds the system's reason and the target is untouched.
bool writeWhole(const QString& target, const char* data, qint64 size, QString& problem)
{
    // A link is followed: the file it points to is replaced, the link stays.
    const QFileInfo info(target);
    const QString path = info.isSymLink() ? info.symLinkTarget() : target;
    removeStaleTemporaries(path);
    const QString temporary = temporaryPath(path, getpid());
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        problem = file.errorString();
        return false;
    }
    if (QFileInfo::exists(path)) file.setPermissions(QFileInfo(path).permissions());
    bool written = file.write(data, size) == size && file.flush();
    if (!written) {
        problem = file.errorString();
    } else if (::fsync(file.handle()) != 0) {
        written = false;
        problem = qt_error_string(errno);
    }
    file.close();
    if (written && ::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) == 0)
        return true;
    if (written) problem = qt_error_string(errno);
    QFile::remove(temporary);
    return false;
}

}  // namespace

bool saveSettingsFile(const Settings& settings, const QString& path, Reporter& reporter)
{
    const Settings::Image image = settings.toImage();
    QString problem;
    if (writeWhole(path, reinterpret_cast<const char*>(image.data()), kRecordSize, problem)) return true;
    reporter.showMessage(
        QString::fromUtf8(kSaveFailedText) +
            QStringLiteral("\n\n%1: %2").arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), problem),
        QString::fromUtf8(kSaveFailedCaption));
    return false;
}

bool saveStartupSettings(const Settings& settings, const QString& startDir, Reporter& reporter)
{
    return saveSettingsFile(settings, QDir(startDir).filePath(QLatin1String(kConfigFileName)), reporter);
}

}  // namespace vorda
