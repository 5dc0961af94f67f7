#include "core/settings_files.h"

#include "core/reporter.h"
#include "core/safe_file.h"
#include "core/settings_fields.h"
#include "core/text_codec.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace vorda {

namespace {

// The context of this file's texts in the catalogue.
struct SettingsFiles {
    Q_DECLARE_TR_FUNCTIONS(SettingsFiles)
};

}  // namespace

void setDataDirectory(Settings& settings, const QString& dir)
{
    setFieldText(settings.dataDirectory, toWin1250Lossy(QDir::toNativeSeparators(dir)));
}

void applyStartupDefaults(Settings& settings, const QString& startDir)
{
    setFieldText(settings.portParams, kDefaultPortParams);
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
    if (!file.exists()) return fail(SettingsFiles::tr("nie istnieje"));
    // A FIFO or device can never hold the record, and opening a FIFO would wait for a writer.
    if (!QFileInfo(path).isFile()) return fail(SettingsFiles::tr("nie jest zwykłym plikiem"));
    if (!file.open(QIODevice::ReadOnly))
        return fail(SettingsFiles::tr("nie daje się otworzyć: %1").arg(file.errorString()));
    if (file.size() != static_cast<qint64>(kRecordSize))
        return fail(SettingsFiles::tr("ma %1 bajtów, a nie %2").arg(file.size()).arg(kRecordSize));
    Settings::Image image;
    // Read into a buffer first, so that a short read never leaves a half-loaded record.
    if (file.read(reinterpret_cast<char*>(image.data()), kRecordSize) != static_cast<qint64>(kRecordSize))
        return fail(SettingsFiles::tr("nie daje się odczytać: %1").arg(file.errorString()));
    return image;
}

QString startupSettingsPath(const QString& dir)
{
    const QDir d(dir);
    const QFileInfo config(d.filePath(QLatin1String(kConfigFileName)));
    return config.exists() && !config.isDir() ? config.filePath() : d.filePath(QLatin1String(kFactoryFileName));
}

std::optional<Settings::Image> settingsImageFromBytes(const char* data, std::size_t size)
{
    if (size != kRecordSize) return std::nullopt;
    Settings::Image image;
    std::memcpy(image.data(), data, kRecordSize);
    return image;
}

LoadOutcome applyStartupImage(Settings& settings, const std::optional<Settings::Image>& image, const QString& dir,
                              Reporter& reporter, bool clearFirst)
{
    if (clearFirst) std::memset(static_cast<void*>(&settings), 0, sizeof settings);
    applyStartupDefaults(settings, dir);
    LoadOutcome outcome;
    if (image) {
        outcome.fromFile = true;
        reporter.setStatus(StatusPanel::Message, SettingsFiles::tr(kFromFileStatusText));
        settings.fromImage(*image);
    } else {
        setDataDirectory(settings, dir);
        reporter.setStatus(StatusPanel::Message, SettingsFiles::tr(kDefaultsStatusText));
    }
    settings.portOpen = 0;
    correctLoadedSettings(settings);
    return outcome;
}

LoadOutcome loadStartupSettings(Settings& settings, const QString& dir, Reporter& reporter, bool clearFirst)
{
    // A save killed before its rename left its temporary file; the record is the old one.
    removeStaleTemporaries(QDir(dir).filePath(QLatin1String(kConfigFileName)));
    const QString path = startupSettingsPath(dir);
    QString problem;
    const auto image = readSettingsImage(path, &problem);
    LoadOutcome outcome = applyStartupImage(settings, image, dir, reporter, clearFirst);
    outcome.path = path;
    if (!image) outcome.problem = problem;
    return outcome;
}

namespace {

// The three lines, then the file and the system's reason.
QString saveFailedText(const QString& path, const QString& reason)
{
    return SettingsFiles::tr(kSaveFailedText) +
           QStringLiteral("\n\n%1: %2").arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason);
}

}  // namespace

bool saveSettingsFile(const Settings& settings, const QString& path, Reporter& reporter)
{
    const Settings::Image image = settings.toImage();
    if (const QString refusal = notRegularFileProblem(path); !refusal.isEmpty()) {
        reporter.showMessage(refusal, errorCaption(), MessageIcon::Error);
        return false;
    }
    removeStaleTemporaries(path);
    QString problem;
    if (writeFileWhole(path, QByteArray(reinterpret_cast<const char*>(image.data()), kRecordSize), &problem))
        return true;
    reporter.showMessage(saveFailedText(path, problem), errorCaption());
    return false;
}

namespace {

// Byte ranges of the record that a merge takes whole: every named field, and each run of
// reserved or padding bytes between them.
const std::vector<std::pair<std::size_t, std::size_t>>& mergeUnits()
{
    static const std::vector<std::pair<std::size_t, std::size_t>> units = [] {
        std::vector<std::pair<std::size_t, std::size_t>> fields;
        for (const SettingsField& f : settingsFields()) fields.emplace_back(f.offset, f.width);
        std::sort(fields.begin(), fields.end());
        std::vector<std::pair<std::size_t, std::size_t>> all;
        std::size_t at = 0;
        for (const auto& [offset, width] : fields) {
            if (offset > at) all.emplace_back(at, offset - at);
            all.emplace_back(offset, width);
            at = offset + width;
        }
        if (at < kRecordSize) all.emplace_back(at, kRecordSize - at);
        return all;
    }();
    return units;
}

// An exclusive flock on "PATH.lock", released when destroyed.
class SettingsLock {
public:
    SettingsLock(const QString& path, int waitMs)
    {
        fd_ = ::open(QFile::encodeName(settingsLockPath(path)).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC,
                     0666);
        if (fd_ < 0) {
            problem_ = saveFailedText(path, qt_error_string(errno));
            return;
        }
        QElapsedTimer waited;
        waited.start();
        while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR) {
                problem_ = saveFailedText(path, qt_error_string(errno));
                return;
            }
            if (waited.elapsed() >= waitMs) {
                problem_ = SettingsFiles::tr("Plik %1 jest używany przez inny program")
                               .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
                return;
            }
            ::usleep(20000);
        }
        held_ = true;
    }
    ~SettingsLock()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    SettingsLock(const SettingsLock&) = delete;
    SettingsLock& operator=(const SettingsLock&) = delete;

    bool held() const { return held_; }
    const QString& problem() const { return problem_; }

private:
    int fd_ = -1;
    bool held_ = false;
    QString problem_;
};

void reportRefusal(Reporter& reporter, const QString& text)
{
    reporter.showMessage(text, errorCaption(), MessageIcon::Error);
}

QString damagedText(const QString& path, const QString& problem)
{
    return SettingsFiles::tr("%1 %2; plik nie został zmieniony")
        .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), problem);
}

}  // namespace

Settings::Image mergeSettingsChanges(const Settings::Image& stored, const Settings::Image& base,
                                     const Settings::Image& mine)
{
    Settings::Image merged = stored;
    for (const auto& [offset, width] : mergeUnits()) {
        if (std::memcmp(mine.data() + offset, base.data() + offset, width) != 0)
            std::memcpy(merged.data() + offset, mine.data() + offset, width);
    }
    return merged;
}

QString settingsLockPath(const QString& path)
{
    return path + QStringLiteral(".lock");
}

bool settingsFileChangeable(const QString& path, Reporter& reporter)
{
    QString problem;
    if (!QFileInfo(path).exists() && !QFileInfo(path).isSymLink()) return true;
    if (readSettingsImage(path, &problem)) return true;
    reportRefusal(reporter, damagedText(path, problem));
    return false;
}

bool saveSettingsChanges(Settings& settings, Settings::Image& base, const QString& path, Reporter& reporter,
                         const SaveChangesOptions& options)
{
    if (const QString refusal = notRegularFileProblem(path); !refusal.isEmpty()) {
        reportRefusal(reporter, refusal);
        return false;
    }
    const SettingsLock lock(path, options.lockWaitMs);
    if (!lock.held()) {
        reportRefusal(reporter, lock.problem());
        return false;
    }
    const Settings::Image mine = settings.toImage();
    Settings::Image merged = mine;
    QString problem;
    if (const auto stored = readSettingsImage(path, &problem)) {
        merged = mergeSettingsChanges(*stored, base, mine);
    } else if (QFileInfo::exists(path) && !options.replaceDamaged) {
        reportRefusal(reporter, damagedText(path, problem));
        return false;
    }
    Settings result;
    result.fromImage(merged);
    if (!saveSettingsFile(result, path, reporter)) return false;
    settings.fromImage(merged);
    base = merged;
    return true;
}

bool saveStartupSettings(const Settings& settings, const QString& startDir, Reporter& reporter)
{
    const QString path = QDir(startDir).filePath(QLatin1String(kConfigFileName));
    const SettingsLock lock(path, kSettingsLockWaitMs);
    if (!lock.held()) {
        reportRefusal(reporter, lock.problem());
        return false;
    }
    return saveSettingsFile(settings, path, reporter);
}

bool saveStartupSettings(Settings& settings, Settings::Image& base, const QString& startDir, Reporter& reporter)
{
    SaveChangesOptions options;
    options.replaceDamaged = true;
    return saveSettingsChanges(settings, base, QDir(startDir).filePath(QLatin1String(kConfigFileName)), reporter,
                               options);
}

}  // namespace vorda
