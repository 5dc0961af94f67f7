// Where the measurement file goes, and what it never replaces or writes through.

#include "recorder/files/dump_conversion_fixture.h"

#include <gtest/gtest.h>

namespace vorda::test {

TEST_F(DumpConversion, TheLaterOfTwoBlocksWithTheSameTimeReplacesTheFile)
{
    writeDump(header("R3", 2, 10, 1) + encodeCode(1) + encodeCode(2));
    ASSERT_TRUE(convert().ok());
    writeDump(header("R3", 1, 10, 1) + encodeCode(7));
    const ConversionResult r = convert();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(dataFiles(), QStringList{QStringLiteral("2024_05_01_12_00_00.txt")});
    EXPECT_EQ(readLines(r.filePath), (std::vector<std::string>{"K1 ", "7.5"}));
}

TEST_F(DumpConversion, NoWriteGoesThroughASymbolicLinkAtTheName)
{
    const QString outside = tmp.filePath(QStringLiteral("dimconfig.aoln"));
    {
        QFile f(outside);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("settings");
    }
    const QString name = QDir(dataDir).filePath(QStringLiteral("2024_05_01_12_00_00.txt"));
    ASSERT_TRUE(QFile::link(outside, name));
    writeDump(header("R3", 1, 10, 1) + encodeCode(1));
    const ConversionResult r = convert();
    EXPECT_EQ(r.outcome, ConversionOutcome::Refused);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_TRUE(reporter.messages[0].first.contains(QString::fromUtf8("nie jest zwykłym plikiem")));
    QFile f(outside);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("settings"));
    EXPECT_TRUE(QFileInfo(name).isSymLink());
    EXPECT_EQ(dataFiles().size(), 1);  // no temporary file left behind
}

TEST_F(DumpConversion, AMissingDataDirectoryIsReportedAndNothingWrittenElsewhere)
{
    const QString cwd = tmp.filePath(QStringLiteral("cwd"));
    ASSERT_TRUE(QDir().mkpath(cwd));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(cwd));
    setFieldText(settings.dataDirectory, tmp.filePath(QStringLiteral("nowhere")).toStdString());
    writeDump(header("R3", 1, 10, 1) + encodeCode(1));
    const ConversionResult r = convert();
    QDir::setCurrent(previous);
    EXPECT_EQ(r.outcome, ConversionOutcome::NoDataDirectory);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_TRUE(reporter.messages[0].first.contains(QStringLiteral("nowhere")));
    EXPECT_TRUE(QDir(cwd).isEmpty());
}

TEST_F(DumpConversion, ARejectedStartTimeLeavesTheOldFileAlone)
{
    settings.firstColumn = 3;
    const QString target = QDir(dataDir).absoluteFilePath(QStringLiteral("2024_05_01_12_61_00.txt"));
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old\r\n");
    }
    writeDump(header("R3", 1, 10, 1, "12:61:00") + encodeCode(1));
    const ConversionResult r = convert();
    EXPECT_EQ(r.outcome, ConversionOutcome::InvalidStartTime);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].second, QStringLiteral("Błąd..."));
    EXPECT_TRUE(reporter.messages[0].first.contains(QStringLiteral("12:61:00")));
    EXPECT_EQ(readLines(target), std::vector<std::string>{"old"});
    EXPECT_EQ(dataFiles().size(), 1);
    EXPECT_TRUE(reporter.transfers.empty());

    // Other first columns never parse the time token.
    settings.firstColumn = 2;
    EXPECT_TRUE(convert().ok());
}

TEST_F(DumpConversion, NamesStayInsideTheDataDirectory)
{
    writeDump("R3 ../../x 12:00/00 1 1 10 1 0\r" + encodeCode(1));
    const ConversionResult r = convert();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.filePath, QDir(dataDir).absoluteFilePath(QStringLiteral(".._.._x_12_00_00.txt")));
    EXPECT_EQ(dataFiles(), QStringList{QStringLiteral(".._.._x_12_00_00.txt")});
}

TEST_F(DumpConversion, AFileThatCannotBeWrittenIsReportedNotFaked)
{
    // A directory of the file's name stands in the way of the file.
    ASSERT_TRUE(QDir(dataDir).mkdir(QStringLiteral("2024_05_01_12_00_00.txt")));
    writeDump(header("R3", 1, 10, 1) + encodeCode(1));
    const ConversionResult r = convert();
    EXPECT_FALSE(r.ok());
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].second, QStringLiteral("Błąd..."));
    EXPECT_EQ(dataFiles(), QStringList{QStringLiteral("2024_05_01_12_00_00.txt")});
    EXPECT_TRUE(QFileInfo(QDir(dataDir).filePath(QStringLiteral("2024_05_01_12_00_00.txt"))).isDir());
}

}  // namespace vorda::test
