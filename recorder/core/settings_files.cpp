#include "core/settings_files.h"

#include "core/reporter.h"
#include "core/safe_file.h"
#include "core/text_codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    // A save killed before its rename left its temporary file; the record is the old one.
    removeStaleTemporaries(QDir(dir).filePath(QLatin1String(kConfigFileName)));

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

bool saveSettingsFile(const Settings& settings, const QString& path, Reporter& reporter)
{
    const Settings::Image image = settings.toImage();
    if (const QString refusal = notRegularFileProblem(path); !refusal.isEmpty()) {
        reporter.showMessage(refusal, QString::fromUtf8(kSaveFailedCaption), MessageIcon::Error);
        return false;
    }
    removeStaleTemporaries(path);
    QString problem;
    if (writeFileWhole(path, QByteArray(reinterpret_cast<const char*>(image.data()), kRecordSize), &problem))
        return true;
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
