// vorda-cli convert, run as a program in a scratch directory.

#include "core/reporter.h"
#include "core/settings_files.h"
#include "core/settings_record.h"
#include "support/cli_run.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstring>

using namespace vorda;

namespace {

using test::CliRun;

CliRun convertIn(const QString& dir, const QStringList& args)
{
    return test::runProgram(dir, QStringList{QStringLiteral("convert")} + args);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(ConvertCommand, ConvertsWithTheConfigurationOfTheDirectory)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Settings settings;
    std::memset(&settings, 0, sizeof settings);
    applyStartupDefaults(settings, dir.path());
    settings.firstColumn = 1;
    setFieldText(settings.channels[1].name, "Temp");
    settings.channels[1].numberFormat = 2;
    settings.channels[1].slopeSB = 1000.0;
    Reporter quiet;
    ASSERT_TRUE(saveSettingsFile(settings, dir.filePath(QString::fromLatin1(kConfigFileName)), quiet));

    writeFile(dir.filePath(QStringLiteral("__m.mem")), "R4 2024-06-30 08:15:00 2 1 10 1 0\r0010");
    const CliRun ok = convertIn(dir.path(), {});
    EXPECT_EQ(ok.exitCode, 0) << ok.err.toStdString();
    EXPECT_TRUE(
        ok.out.startsWith(QStringLiteral("o długości 1 pomiarów zapisany \ndo pliku 2024_06_30_08_15_00.txt\n")));
    QFile result(dir.filePath(QStringLiteral("2024_06_30_08_15_00.txt")));
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    EXPECT_EQ(result.readAll(), QByteArray("  Nr.: Temp \r\n  1 1.00\r\n"));

    // A dump by another name, cut short: the file is written, the exit status says so.
    writeFile(dir.filePath(QStringLiteral("short.mem")), "R4 2024-06-30 08:16:00 2 2 10 1 0\r0010");
    const CliRun cut = convertIn(dir.path(), {QStringLiteral("short.mem")});
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_TRUE(cut.out.contains(QStringLiteral("Blok niepełny")));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("2024_06_30_08_16_00_niepelny.txt"))));
}

TEST(ConvertCommand, FailuresAndRefusals)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CliRun missing = convertIn(dir.path(), {});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Plik nie istnieje '__m.mem'")));

    writeFile(dir.filePath(QStringLiteral("bad.mem")), "R3 2024-06-30\r");
    const CliRun bad = convertIn(dir.path(), {QStringLiteral("bad.mem")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("Błędny nagłówek pliku 'bad.mem'")));

    EXPECT_EQ(convertIn(dir.path(), {QStringLiteral("a.mem"), QStringLiteral("b.mem")}).exitCode, 2);
    // Nothing but the inputs is left behind, the configuration included.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("bad.mem")});
}

}  // namespace
