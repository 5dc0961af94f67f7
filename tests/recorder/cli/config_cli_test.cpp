// vorda-cli config show / set, run as a program in a scratch directory.

#include "core/reporter.h"
#include "core/settings_fields.h"
#include "core/settings_files.h"
#include "support/cli_run.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>
#include <cstring>
#include <random>

namespace vorda {
namespace {

const QString kCli = test::vordaCliPath();
using test::CliRun;

class ConfigCli : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString dir;

    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        dir = QDir(tmp.path()).canonicalPath();
    }

    CliRun run(const QStringList& args, const QString& program = kCli, const QStringList& prefix = {}) const
    {
        return test::runProgram(dir, prefix + args, program);
    }

    QString path(const char* name) const { return dir + QLatin1Char('/') + QLatin1String(name); }
};

Settings::Image randomImage(unsigned seed)
{
    std::mt19937 gen(seed);
    Settings::Image image;
    for (auto& b : image) b = static_cast<std::uint8_t>(gen());
    return image;
}

void writeImage(const QString& path, const Settings::Image& image)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(reinterpret_cast<const char*>(image.data()), kRecordSize), qint64(kRecordSize));
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray bytesOf(const Settings& s)
{
    const Settings::Image image = s.toImage();
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(kRecordSize));
}

// The listing `config show` must print for a record.
QStringList listing(const Settings& s)
{
    QStringList lines;
    for (const SettingsField& f : settingsFields())
        lines << QString::fromStdString(f.name) + QLatin1Char('=') + fieldValueText(s, f);
    return lines;
}

QStringList linesOf(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

// The field lines, without the notes on unnamed channels at the end.
QStringList fieldLinesOf(const QString& text)
{
    QStringList lines = linesOf(text);
    while (!lines.isEmpty() && lines.last().startsWith(QString::fromUtf8("# kanał "))) lines.removeLast();
    return lines;
}

TEST_F(ConfigCli, ShowInAnEmptyDirectoryListsTheDefaults)
{
    const CliRun r = run({QStringLiteral("config"), QStringLiteral("show")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QStringList lines = fieldLinesOf(r.out);
    ASSERT_FALSE(lines.isEmpty());
    const QString first = lines.takeFirst();
    EXPECT_TRUE(first.startsWith(QString::fromUtf8("# obowiązują ustawienia domyślne"))) << first.toStdString();
    // Four channels used, none named: each is said to be left out of the files.
    const QStringList notes = linesOf(r.out).mid(lines.size() + 1);
    ASSERT_EQ(notes.size(), 4);
    EXPECT_EQ(notes[0], QStringLiteral("# kanał 1 nie ma nazwy: nie trafia do plików pomiarowych (channels[1].name)"));

    Settings expected;
    Reporter quiet;
    loadStartupSettings(expected, dir, quiet);
    EXPECT_EQ(lines, listing(expected));
    EXPECT_TRUE(lines.contains(QLatin1String("portParams=:230400,n,8,2,p")));
    EXPECT_TRUE(lines.contains(QLatin1String("dataDirectory=") + dir));
    EXPECT_FALSE(QFileInfo::exists(path(kConfigFileName))) << "showing writes nothing";
}

TEST_F(ConfigCli, ShowNamesTheFileTheStartupLoadTakes)
{
    Settings::Image image = randomImage(4);
    image[21] = 1;  // portOpen, which the load clears
    writeImage(path(kFactoryFileName), image);
    const CliRun r = run({QStringLiteral("config"), QStringLiteral("show")});
    ASSERT_EQ(r.exitCode, 0);
    QStringList lines = fieldLinesOf(r.out);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.takeFirst(), QStringLiteral("# ustawienia z pliku ") + path(kFactoryFileName));

    Settings expected;
    Reporter quiet;
    loadStartupSettings(expected, dir, quiet);
    EXPECT_EQ(lines, listing(expected));
    EXPECT_TRUE(lines.contains(QLatin1String("portOpen=0")));
}

TEST_F(ConfigCli, ShowOfAFileListsItAsStored)
{
    const Settings::Image image = randomImage(1);
    writeImage(path("a.roln"), image);
    const CliRun r = run({QStringLiteral("config"), QStringLiteral("show"), QStringLiteral("a.roln")});
    ASSERT_EQ(r.exitCode, 0);
    Settings s;
    s.fromImage(image);
    EXPECT_EQ(fieldLinesOf(r.out), listing(s)) << "one line per field, whatever the bytes hold";
}

TEST_F(ConfigCli, SetChangesOnlyTheNamedFields)
{
    const Settings::Image image = randomImage(9);
    writeImage(path("p.roln"), image);
    const CliRun r = run({QStringLiteral("config"), QStringLiteral("set"), QStringLiteral("p.roln"),
                          QString::fromUtf8("channels[16].name=Ciśnienie"), QStringLiteral("channelsUsed=16"),
                          QStringLiteral("channels[1].slopeSB=0.001"), QStringLiteral("showFiles=1")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();

    Settings expected;
    expected.fromImage(image);
    for (const auto& [name, value] : {std::pair{"channels[16].name", "Ciśnienie"},
                                      {"channelsUsed", "16"},
                                      {"channels[1].slopeSB", "0.001"},
                                      {"showFiles", "1"}})
        ASSERT_EQ(setFieldValue(expected, *findSettingsField(name), QString::fromUtf8(value)), QString());
    EXPECT_EQ(readFile(path("p.roln")), bytesOf(expected));
    EXPECT_EQ(expected.channelsUsed, 16);
    EXPECT_EQ(expected.channels[1].slopeSB, 0.001);
}

TEST_F(ConfigCli, SetCreatesAMissingFileFromTheDefaults)
{
    const CliRun r = run(
        {QStringLiteral("config"), QStringLiteral("set"), QStringLiteral("new.roln"), QStringLiteral("portNumber=4")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    Settings expected;
    std::memset(static_cast<void*>(&expected), 0, sizeof expected);
    applyStartupDefaults(expected, dir);
    expected.portNumber = 4;
    EXPECT_EQ(readFile(path("new.roln")), bytesOf(expected));
}

TEST_F(ConfigCli, RefusalsNameTheFieldAndLeaveTheFileUntouched)
{
    const Settings::Image image = randomImage(12);
    writeImage(path("p.roln"), image);
    const QByteArray before = readFile(path("p.roln"));
    // One of each kind; the core tests hold the full table of refused values.
    const QStringList refused[] = {
        {QStringLiteral("nosuchField=1")},
        {QStringLiteral("channels[2].name=12345678901234567890")},
        {QString::fromUtf8("lastFile=日本")},
        {QStringLiteral("portNumber=2147483648")},
        {QStringLiteral("channels[3].offsetSC=1,5")},
        {QStringLiteral("channelsUsed")},
        {QStringLiteral("portNumber=3"), QStringLiteral("firstColumn=x")},  // a good one first
    };
    for (const QStringList& assignments : refused) {
        const CliRun r =
            run(QStringList{QStringLiteral("config"), QStringLiteral("set"), QStringLiteral("p.roln")} + assignments);
        const QString field = assignments.last().section(QLatin1Char('='), 0, 0);
        EXPECT_EQ(r.exitCode, 2) << assignments.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(field)) << r.err.toStdString();
        EXPECT_EQ(readFile(path("p.roln")), before) << assignments.join(' ').toStdString();
    }
    const CliRun r = run({QStringLiteral("config"), QStringLiteral("set"), QStringLiteral("fresh.roln"),
                          QStringLiteral("portNumber=x")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(QFileInfo::exists(path("fresh.roln")));
}

TEST_F(ConfigCli, FilesOfTheWrongSizeAreNotTaken)
{
    QFile f(path("short.roln"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(2199, 'x'));
    f.close();
    const CliRun show = run({QStringLiteral("config"), QStringLiteral("show"), QStringLiteral("short.roln")});
    EXPECT_EQ(show.exitCode, 1);
    EXPECT_TRUE(show.err.contains(QLatin1String("2199"))) << show.err.toStdString();
    const CliRun set = run({QStringLiteral("config"), QStringLiteral("set"), QStringLiteral("short.roln"),
                            QStringLiteral("portNumber=1")});
    EXPECT_EQ(set.exitCode, 1);
    EXPECT_EQ(readFile(path("short.roln")), QByteArray(2199, 'x'));
}

TEST_F(ConfigCli, FailedWriteKeepsTheOldFile)
{
    const Settings::Image image = randomImage(21);
    writeImage(path("dimconfig.aoln"), image);
    const QByteArray before = readFile(path("dimconfig.aoln"));
    QStringList prefix;
    QString program = kCli;
    if (geteuid() == 0) {
        // Root writes anywhere: run as nobody, for whom the directory is read-only.
        program = QStringLiteral("setpriv");
        prefix = {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups"),
                  kCli};
        QFile::setPermissions(path("dimconfig.aoln"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    }
    ASSERT_TRUE(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    const CliRun r = run({QStringLiteral("config"), QStringLiteral("set"), QStringLiteral("dimconfig.aoln"),
                          QStringLiteral("portNumber=1")},
                         program, prefix);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (r.exitCode == -1 && geteuid() == 0) GTEST_SKIP() << "setpriv is not available";
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromUtf8("Błąd..."))) << r.err.toStdString();
    EXPECT_EQ(readFile(path("dimconfig.aoln")), before);
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("dimconfig.aoln")}) << "no litter";
}

TEST_F(ConfigCli, ASaveIntoAMissingDirectoryNamesTheFileAndTheReason)
{
    const CliRun r = run({QStringLiteral("config"), QStringLiteral("set"), QStringLiteral("nowhere/p.roln"),
                          QStringLiteral("portNumber=1")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QString::fromUtf8("Nieprawidłowe zamknięcie"))) << r.err.toStdString();
    // The reason is the system's own text, in the locale's language.
    const qsizetype named = r.err.indexOf(path("nowhere/p.roln") + QStringLiteral(": "));
    ASSERT_GE(named, 0) << r.err.toStdString();
    EXPECT_GT(r.err.trimmed().size(), named + path("nowhere/p.roln").size() + 2) << r.err.toStdString();
}

TEST_F(ConfigCli, SetRefusesWhatIsNotARegularFile)
{
    writeImage(path("real.roln"), randomImage(5));
    const QByteArray before = readFile(path("real.roln"));
    ASSERT_TRUE(QFile::link(path("real.roln"), path("link.roln")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.roln")).constData(), 0600), 0);
    for (const char* name : {"link.roln", "fifo.roln"}) {
        const CliRun r =
            run({QStringLiteral("config"), QStringLiteral("set"), QLatin1String(name), QStringLiteral("portNumber=1")});
        EXPECT_EQ(r.exitCode, 1) << name;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8("nie jest zwykłym plikiem"))) << r.err.toStdString();
    }
    EXPECT_EQ(readFile(path("real.roln")), before);
    EXPECT_TRUE(QFileInfo(path("link.roln")).isSymLink());
}

TEST_F(ConfigCli, HelpAndUsage)
{
    const CliRun tool = run({QStringLiteral("--help")});
    EXPECT_EQ(tool.exitCode, 0);
    EXPECT_TRUE(tool.out.contains(QLatin1String("config"))) << tool.out.toStdString();
    const CliRun config = run({QStringLiteral("config"), QStringLiteral("--help")});
    EXPECT_EQ(config.exitCode, 0);
    EXPECT_TRUE(config.out.contains(QStringLiteral("config show [PLIK]"))) << config.out.toStdString();
    EXPECT_TRUE(config.out.contains(QStringLiteral("set PLIK POLE=WARTOŚĆ"))) << config.out.toStdString();
    EXPECT_EQ(run({QStringLiteral("config")}).exitCode, 2);
    EXPECT_EQ(run({QStringLiteral("config"), QStringLiteral("frob")}).exitCode, 2);
    EXPECT_EQ(run({QStringLiteral("config"), QStringLiteral("set"), QStringLiteral("x.roln")}).exitCode, 2);
    EXPECT_EQ(
        run({QStringLiteral("config"), QStringLiteral("show"), QStringLiteral("a"), QStringLiteral("b")}).exitCode, 2);
}

}  // namespace
}  // namespace vorda
