// Start-up load, corrections and saving of the settings record.

#include "core/settings_files.h"
#include "core/reporter.h"
#include "core/settings_fields.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstring>
#include <random>

namespace vorda {
namespace {

struct RecordingReporter : Reporter {
    QStringList status;
    QStringList messages;
    QStringList captions;
    void setStatus(StatusPanel panel, const QString& text) override
    {
        EXPECT_EQ(panel, StatusPanel::Message);
        status << text;
    }
    void showMessage(const QString& text, const QString& caption, MessageIcon) override
    {
        messages << text;
        captions << caption;
    }
};

Settings::Image randomImage(unsigned seed)
{
    std::mt19937 gen(seed);
    Settings::Image image;
    for (auto& b : image) b = static_cast<std::uint8_t>(gen());
    return image;
}

template <typename T>
void putAt(Settings::Image& image, std::size_t offset, T value)
{
    std::memcpy(image.data() + offset, &value, sizeof value);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray bytesOf(const Settings::Image& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size()));
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SettingsFilesTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    RecordingReporter reporter;
    Settings settings;
    QString config() const { return dir.filePath(QLatin1String(kConfigFileName)); }
    QString factory() const { return dir.filePath(QLatin1String(kFactoryFileName)); }
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
};

TEST_F(SettingsFilesTest, EmptyDirectoryGivesTheStartupDefaults)
{
    std::memset(static_cast<void*>(&settings), 0xA5, sizeof settings);  // clearFirst must wipe this
    const LoadOutcome outcome = loadStartupSettings(settings, dir.path(), reporter);

    EXPECT_FALSE(outcome.fromFile);
    EXPECT_EQ(reporter.status, QStringList{QString::fromUtf8("Ustawiono domyślne parametry")});
    EXPECT_EQ(fieldText(settings.portParams), ":230400,n,8,2,p");
    EXPECT_EQ(settings.portNumber, 2);
    EXPECT_EQ(settings.firstColumn, 2);
    EXPECT_EQ(settings.channelsUsed, 4);
    EXPECT_EQ(settings.samplingTimeMs, 10u);
    EXPECT_EQ(settings.sampleCount, 100u);
    EXPECT_EQ(settings.sendSamplingTime, 1);
    EXPECT_EQ(settings.sendSampleCount, 1);
    EXPECT_EQ(settings.sendDateTime, 1);
    EXPECT_EQ(fieldText(settings.dataDirectory), dir.path().toStdString());

    // Everything else is zero: rebuild the record from zero with only the defaults set.
    Settings expected;
    std::memset(static_cast<void*>(&expected), 0, sizeof expected);
    applyStartupDefaults(expected, dir.path());
    EXPECT_EQ(settings.toImage(), expected.toImage());
}

TEST_F(SettingsFilesTest, LoadThenSaveKeepsEveryByteButTheCorrectedOnes)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        Settings::Image image = randomImage(seed);
        // Half the records carry a valid currentChannel and format, so that both paths run.
        if (seed % 2) {
            putAt<std::int32_t>(image, 1376, static_cast<std::int32_t>(seed % 16 + 1));
            putAt<std::int32_t>(image, 72 + 72 * (seed % 16 + 1) + 28, static_cast<std::int32_t>(seed % 4));
        }
        writeFile(config(), bytesOf(image));
        reporter.status.clear();
        ASSERT_TRUE(loadStartupSettings(settings, dir.path(), reporter).fromFile);
        EXPECT_EQ(reporter.status, QStringList{QString::fromUtf8("Parametry ustawione z pliku")});
        ASSERT_TRUE(saveSettingsFile(settings, config(), reporter));
        const QByteArray saved = readFile(config());
        ASSERT_EQ(saved.size(), 2200);

        std::int32_t current;
        std::memcpy(&current, image.data() + 1376, 4);
        for (std::size_t i = 0; i < 2200; ++i) {
            if (i == 21) {
                EXPECT_EQ(saved[i], 0) << "portOpen is cleared";
            } else if (i >= 1376 && i < 1380 && (current < 1 || current > 16)) {
                EXPECT_EQ(saved[i], 0) << "currentChannel outside 1..16";
            } else if (i < 1376 || i >= 1380) {
                const std::size_t slot = (current < 1 || current > 16) ? 0 : static_cast<std::size_t>(current);
                const std::size_t format = 72 + 72 * slot + 28;
                if (i >= format && i < format + 4) continue;  // checked by the correction test
                EXPECT_EQ(static_cast<std::uint8_t>(saved[i]), image[i]) << "byte " << i << " seed " << seed;
            }
        }
    }
}

TEST_F(SettingsFilesTest, CorrectionChecksOnlyTheSelectedSlot)
{
    std::memset(static_cast<void*>(&settings), 0, sizeof settings);
    settings.currentChannel = 3;
    settings.channels[3].numberFormat = 7;
    settings.channels[4].numberFormat = 7;
    settings.channels[0].numberFormat = -1;
    correctLoadedSettings(settings);
    EXPECT_EQ(settings.currentChannel, 3);
    EXPECT_EQ(settings.channels[3].numberFormat, 0);
    EXPECT_EQ(settings.channels[4].numberFormat, 7);
    EXPECT_EQ(settings.channels[0].numberFormat, -1);

    for (const std::int32_t outside : {200, 17, -1, 0, INT32_MIN}) {
        settings.currentChannel = outside;
        settings.channels[0].numberFormat = 4;
        settings.channels[16].numberFormat = 9;
        correctLoadedSettings(settings);
        EXPECT_EQ(settings.currentChannel, 0) << outside;
        EXPECT_EQ(settings.channels[0].numberFormat, 0) << "slot 0 is the one checked for " << outside;
        EXPECT_EQ(settings.channels[16].numberFormat, 9);
    }
    for (const std::int32_t format : {0, 3}) {
        settings.currentChannel = 16;
        settings.channels[16].numberFormat = format;
        correctLoadedSettings(settings);
        EXPECT_EQ(settings.channels[16].numberFormat, format);
    }
}

TEST_F(SettingsFilesTest, OnlyAnExact2200ByteFileIsTakenAndTheFactoryFileOnlyWhenNoConfigExists)
{
    Settings::Image factoryImage{};
    putAt<std::int32_t>(factoryImage, 0, 3);  // portNumber
    writeFile(factory(), bytesOf(factoryImage));

    for (const int size : {0, 2199, 2201}) {
        writeFile(config(), QByteArray(size, '\x01'));
        reporter.status.clear();
        const LoadOutcome outcome = loadStartupSettings(settings, dir.path(), reporter);
        EXPECT_FALSE(outcome.fromFile) << size;
        EXPECT_EQ(outcome.path, config()) << "the factory file is not tried";
        EXPECT_EQ(settings.portNumber, 2) << size;
        EXPECT_EQ(reporter.status, QStringList{QString::fromUtf8("Ustawiono domyślne parametry")});
    }

    ASSERT_TRUE(QFile::remove(config()));
    LoadOutcome outcome = loadStartupSettings(settings, dir.path(), reporter);
    EXPECT_TRUE(outcome.fromFile);
    EXPECT_EQ(outcome.path, factory());
    EXPECT_EQ(settings.portNumber, 3);

    // A FIFO of that name is taken as the config file, and refused without being opened
    // (an open would wait for a writer; the descriptor held here only keeps a failing
    // test from hanging).
    ASSERT_EQ(mkfifo(QFile::encodeName(config()).constData(), 0600), 0);
    const int holder = ::open(QFile::encodeName(config()).constData(), O_RDWR);
    ASSERT_GE(holder, 0);
    outcome = loadStartupSettings(settings, dir.path(), reporter);
    ::close(holder);
    EXPECT_FALSE(outcome.fromFile);
    EXPECT_EQ(outcome.path, config());
    EXPECT_EQ(outcome.problem.toStdString(), "nie jest zwykłym plikiem");
    ASSERT_TRUE(QFile::remove(config()));

    // A directory of the config file's name is no config file.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QLatin1String(kConfigFileName)));
    outcome = loadStartupSettings(settings, dir.path(), reporter);
    EXPECT_EQ(outcome.path, factory());
    ASSERT_TRUE(QDir(dir.path()).rmdir(QLatin1String(kConfigFileName)));

    // The first save writes the config file, which wins from then on.
    ASSERT_TRUE(saveStartupSettings(settings, dir.path(), reporter));
    putAt<std::int32_t>(factoryImage, 0, 4);
    writeFile(factory(), bytesOf(factoryImage));
    outcome = loadStartupSettings(settings, dir.path(), reporter);
    EXPECT_EQ(outcome.path, config());
    EXPECT_EQ(settings.portNumber, 3);
}

TEST_F(SettingsFilesTest, FileValuesSurviveTheLoadReservedBytesIncluded)
{
    Settings::Image image{};
    putAt<double>(image, 1928, 45000.5);                    // the date-time nobody reads
    putAt<std::uint8_t>(image, 21, 1);                      // portOpen
    const char params[] = ":115200,e,7,1,x23456789012345";  // 29 characters and a NUL
    static_assert(sizeof params == 30);
    std::memcpy(image.data() + 38, params, sizeof params);
    const char dataDir[] = "C:\\Pomiary";
    std::memcpy(image.data() + 1656, dataDir, sizeof dataDir);
    writeFile(config(), bytesOf(image));

    loadStartupSettings(settings, dir.path(), reporter);
    EXPECT_EQ(settings.reserved1928, 45000.5);
    EXPECT_EQ(settings.portOpen, 0);
    EXPECT_EQ(fieldText(settings.portParams), params);
    EXPECT_EQ(settings.toImage()[67], 0);
    EXPECT_EQ(fieldText(settings.dataDirectory), dataDir) << "the stored data directory is not replaced";
    EXPECT_EQ(settings.portNumber, 0) << "no default survives a file load";
}

TEST_F(SettingsFilesTest, RerunSetsTheDefaultsOverTheCurrentContent)
{
    std::memset(static_cast<void*>(&settings), 0, sizeof settings);
    settings.portNumber = 4;
    settings.channels[5].slopeSB = 2.5;
    settings.portOpen = 1;
    settings.reserved2048[3] = 9;
    setFieldText(settings.dataDirectory, "/elsewhere");

    const LoadOutcome outcome = loadStartupSettings(settings, dir.path(), reporter, /*clearFirst=*/false);
    EXPECT_FALSE(outcome.fromFile);
    EXPECT_EQ(settings.portNumber, 2);
    EXPECT_EQ(fieldText(settings.dataDirectory), dir.path().toStdString());
    EXPECT_EQ(settings.channels[5].slopeSB, 2.5);
    EXPECT_EQ(settings.reserved2048[3], 9);
    EXPECT_EQ(settings.portOpen, 0);
}

TEST_F(SettingsFilesTest, StartDirectoryOutsideWindows1250IsStoredLossily)
{
    const QString sub = dir.filePath(QString::fromUtf8("日本"));
    ASSERT_TRUE(QDir().mkpath(sub));
    loadStartupSettings(settings, sub, reporter);
    EXPECT_EQ(fieldText(settings.dataDirectory), dir.path().toStdString() + "/??");
}

TEST_F(SettingsFilesTest, SaveWritesTheImageAndReplacesTheOldFile)
{
    writeFile(config(), QByteArray(5000, 'x'));
    const Settings::Image image = randomImage(99);
    settings.fromImage(image);
    ASSERT_TRUE(saveSettingsFile(settings, config(), reporter));
    EXPECT_EQ(readFile(config()), bytesOf(image));
    EXPECT_TRUE(reporter.messages.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QLatin1String(kConfigFileName)})
        << "no temporary file is left behind";
}

TEST_F(SettingsFilesTest, FailedSaveShowsTheMessage)
{
    const QString expectedText =
        QString::fromUtf8("Brak miejsca na dysku,\nUszkodzony plik,\nNieprawidłowe zamknięcie");
    settings.fromImage(randomImage(7));

    const QString target = dir.filePath(QStringLiteral("missing/x.roln"));
    EXPECT_FALSE(saveSettingsFile(settings, target, reporter));
    // The three lines, then which file and the system's reason.
    ASSERT_EQ(reporter.messages.size(), 1);
    EXPECT_EQ(reporter.messages[0], expectedText + QStringLiteral("\n\n") + target + ": " + qt_error_string(ENOENT));
    EXPECT_EQ(reporter.captions, QStringList{QString::fromUtf8("Błąd...")});
}

TEST_F(SettingsFilesTest, ASaveOntoALinkOrAFifoIsRefusedWithTheReason)
{
    settings.fromImage(randomImage(10));
    const QString real = dir.filePath(QStringLiteral("real.aoln"));
    writeFile(real, QByteArray(2200, 'o'));
    ASSERT_TRUE(QFile::link(real, config()));
    const QString fifo = dir.filePath(QStringLiteral("fifo.roln"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& target : {config(), fifo}) {
        reporter.messages.clear();
        EXPECT_FALSE(saveSettingsFile(settings, target, reporter));
        EXPECT_EQ(reporter.messages, QStringList{target + QString::fromUtf8(" nie jest zwykłym plikiem")});
    }
    EXPECT_TRUE(QFileInfo(config()).isSymLink());
    EXPECT_EQ(readFile(real), QByteArray(2200, 'o'));
}

TEST_F(SettingsFilesTest, TheStartupLoadRemovesWhatAKilledSaveLeft)
{
    writeFile(config(), bytesOf(randomImage(3)));
    const QString stale = config() + QStringLiteral(".2147483000.tmp");
    writeFile(stale, QByteArray(100, 'x'));
    loadStartupSettings(settings, dir.path(), reporter);
    EXPECT_FALSE(QFile::exists(stale));
}

TEST_F(SettingsFilesTest, ASaveRemovesTheTemporaryFileOfAKilledSaveOnly)
{
    settings.fromImage(randomImage(9));
    // No process has this number; process 1 always runs.
    const QString stale = config() + QStringLiteral(".2147483000.tmp");
    const QString live = config() + QStringLiteral(".1.tmp");
    const QString other = config() + QStringLiteral(".notes.tmp");
    for (const QString& path : {stale, live, other}) writeFile(path, QByteArray(100, 'x'));
    ASSERT_TRUE(saveSettingsFile(settings, config(), reporter));
    EXPECT_FALSE(QFile::exists(stale));
    EXPECT_TRUE(QFile::exists(live));
    EXPECT_TRUE(QFile::exists(other));
    EXPECT_EQ(readFile(config()).size(), 2200);
}

TEST_F(SettingsFilesTest, FailedSaveIntoAReadOnlyDirectoryLeavesTheOldFile)
{
    settings.fromImage(randomImage(8));
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root; the CLI test covers this as another user";
    const QByteArray old(2200, 'o');
    writeFile(config(), old);
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const bool saved = saveSettingsFile(settings, config(), reporter);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(saved);
    EXPECT_EQ(reporter.captions, QStringList{QString::fromUtf8("Błąd...")});
    EXPECT_EQ(readFile(config()), old);
}

}  // namespace
}  // namespace vorda

namespace vorda {
namespace {

class SaveChangesTest : public SettingsFilesTest {
protected:
    Settings::Image base{};
    void loadConfig()
    {
        loadStartupSettings(settings, dir.path(), reporter);
        base = settings.toImage();
    }
    Settings stored() const
    {
        Settings s;
        const auto image = readSettingsImage(config());
        EXPECT_TRUE(image.has_value());
        if (image) s.fromImage(*image);
        return s;
    }
};

TEST_F(SaveChangesTest, AChangeSavedMeanwhileByAnotherWriterStays)
{
    writeFile(config(), bytesOf(randomImage(5)));
    loadConfig();
    // Another process sets a field and a neighbouring channel's constant meanwhile.
    Settings other = stored();
    other.channelsUsed = 9;
    other.channels[2].slopeSB = 7.25;
    ASSERT_TRUE(saveSettingsFile(other, config(), reporter));

    settings.channels[3].slopeSB = 1.5;
    settings.channels[3].offsetSC = -2.0;
    ASSERT_TRUE(saveSettingsChanges(settings, base, config(), reporter));
    const Settings now = stored();
    EXPECT_EQ(now.channelsUsed, 9);
    EXPECT_EQ(now.channels[2].slopeSB, 7.25);
    EXPECT_EQ(now.channels[3].slopeSB, 1.5);
    EXPECT_EQ(now.channels[3].offsetSC, -2.0);
    EXPECT_EQ(bytesOf(settings.toImage()), readFile(config())) << "the writer now holds what was saved";
    EXPECT_EQ(bytesOf(base), readFile(config()));
}

TEST_F(SaveChangesTest, AFileInUseOrDamagedIsRefusedAndLeftAsItIs)
{
    writeFile(config(), bytesOf(randomImage(6)));
    loadConfig();
    settings.channelsUsed = 3;
    const QByteArray before = readFile(config());
    {
        const int fd = ::open(QFile::encodeName(settingsLockPath(config())).constData(), O_RDWR | O_CREAT, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::flock(fd, LOCK_EX), 0);
        SaveChangesOptions noWait;
        noWait.lockWaitMs = 0;
        EXPECT_FALSE(saveSettingsChanges(settings, base, config(), reporter, noWait));
        ::close(fd);
    }
    EXPECT_EQ(reporter.messages, QStringList{QStringLiteral("Plik %1 jest używany przez inny program").arg(config())});
    EXPECT_EQ(readFile(config()), before);

    for (const qsizetype size : {0, 2199, 2201}) {
        SCOPED_TRACE(size);
        writeFile(config(), QByteArray(size, 'd'));
        reporter.messages.clear();
        EXPECT_FALSE(settingsFileChangeable(config(), reporter));
        EXPECT_FALSE(saveSettingsChanges(settings, base, config(), reporter));
        ASSERT_EQ(reporter.messages.size(), 2);
        EXPECT_TRUE(reporter.messages[1].startsWith(config() + QStringLiteral(" ma %1 bajtów").arg(size)))
            << reporter.messages[1].toStdString();
        EXPECT_EQ(readFile(config()), QByteArray(size, 'd'));
    }
    // The program's own shutdown save replaces a damaged file, as the start-up defaults did.
    ASSERT_TRUE(saveStartupSettings(settings, base, dir.path(), reporter));
    EXPECT_EQ(stored().channelsUsed, 3);
}

}  // namespace
}  // namespace vorda
