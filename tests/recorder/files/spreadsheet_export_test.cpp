// The spreadsheet copy and the presenter hand-off of a measurement file.

#include "files/spreadsheet_export.h"
#include "core/settings_files.h"
#include "files/file_operations.h"
#include "files/measurement_file.h"
#include "files/presenter_handoff.h"
#include "calibration/settings_command.h"
#include "core/reporter.h"
#include "measure/monitoring.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <cstring>
#include <string>

namespace vorda {
namespace {

TEST(SpreadsheetText, RewritesSpacesFullStopsAndLineEnds)
{
    struct Case {
        const char* source;
        const char* copy;
    };
    const Case cases[] = {
        {"  Nr.: k1 k2\r\n", "\tNr,:\tk1\tk2\n"},           // leading spaces: an empty first cell
        {"12:00:00.500 1.25\r\n", "12:00:00,500\t1,25\n"},  // times keep their colons
        {"k1 k2 \r\n", "k1\tk2\t\n"},                       // a trailing space stays a trailing tab
        {" 3.00  1  0\r\n", "\t3,00\t1\t0\n"},              // the digital pair of record type 1
        {"a\rb\n", "a\rb\n"},                               // a lone CR is kept
        {"a\r", "a\r"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(toSpreadsheetText(c.source), c.copy) << c.source;
}

TEST(SpreadsheetText, ChunkBoundariesDoNotMatter)
{
    const std::string text = "  Nr.:   k1 \r\n1   2.5\r\r\n\r\n 4.0 \r";
    const std::string whole = toSpreadsheetText(text);
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        SpreadsheetConverter converter;
        std::string out;
        converter.feed(std::string_view(text).substr(0, cut), out);
        converter.feed(std::string_view(text).substr(cut), out);
        converter.finish(out);
        EXPECT_EQ(out, whole) << "cut at " << cut;
    }
}

// A measurement file as the conversion writes it.
QByteArray measurementText(int firstColumn, char recordType, int channels)
{
    Settings settings{};
    applyStartupDefaults(settings, QStringLiteral("/tmp"));
    settings.firstColumn = firstColumn;
    for (int c = 1; c <= channels; ++c) {
        setFieldText(settings.channel(c).name, "kanal" + std::to_string(c));
        settings.channel(c).numberFormat = c % 4;
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    BlockLayout layout;
    layout.recordType = recordType;
    layout.channelCount = channels;
    layout.samplingMs = 250;
    MeasurementFileWriter writer(settings, layout, buffer);
    writer.writeHeaderLine();
    const SampleShape shape = sampleShape(recordType, false, channels);
    for (int i = 0; i < 5; ++i) {
        SampleItems items;
        items.codesPresent = shape.codes;
        for (int k = 0; k < shape.codes; ++k) items.values[k] = 1.5f * static_cast<float>(i * 7 + k) - 3.25f;
        items.digitalPresent = shape.digitalPair;
        items.digital1 = i % 2;
        items.digital2 = 1 - i % 2;
        writer.writeSampleLine(i, items);
    }
    writer.flush();
    return buffer.data();
}

// Every line of the copy holds the line's blank-separated tokens, full stops turned
// into commas, joined by single tabs; leading and trailing blanks become a tab each.
void expectTabbedCopyOf(const QByteArray& source, const std::string& copy)
{
    const QList<QByteArray> sourceLines = source.split('\n');
    const QStringList copyLines = QString::fromLatin1(copy.data(), static_cast<qsizetype>(copy.size())).split('\n');
    ASSERT_EQ(copyLines.size(), sourceLines.size());
    EXPECT_EQ(copy.find(' '), std::string::npos);
    EXPECT_EQ(copy.find('.'), std::string::npos);
    EXPECT_EQ(copy.find('\r'), std::string::npos);
    for (qsizetype i = 0; i < sourceLines.size(); ++i) {
        QByteArray line = sourceLines[i];
        if (line.endsWith('\r')) line.chop(1);
        QStringList expected;
        if (line.isEmpty() || line.startsWith(' ')) expected << QString();
        for (const QByteArray& token : line.split(' '))
            if (!token.isEmpty()) expected << QString::fromLatin1(token).replace('.', ',');
        if (line.endsWith(' ') && !line.trimmed().isEmpty()) expected << QString();
        EXPECT_EQ(copyLines[i].split('\t'), expected) << line.constData();
    }
}

TEST(SpreadsheetText, MeasurementFilesBecomeTabSeparatedColumns)
{
    const QByteArray sampleNumbers = measurementText(1, '3', 3);
    ASSERT_TRUE(sampleNumbers.startsWith(' '));
    const std::string copy1 = toSpreadsheetText(sampleNumbers.toStdString());
    EXPECT_EQ(copy1.front(), '\t');
    expectTabbedCopyOf(sampleNumbers, copy1);

    // Record type 1: its last channel slot is the digital pair, written as two digits.
    const QByteArray type1 = measurementText(2, '1', 4);
    const std::string copy2 = toSpreadsheetText(type1.toStdString());
    expectTabbedCopyOf(type1, copy2);
    const QList<QByteArray> lines = QByteArray::fromStdString(copy2).split('\n');
    EXPECT_TRUE(lines[1].endsWith("\t0\t1")) << lines[1].constData();
    EXPECT_TRUE(lines[2].endsWith("\t1\t0")) << lines[2].constData();
}

class FileCommands : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString path(const QString& name) const { return dir_.filePath(name); }
    void write(const QString& name, const QByteArray& bytes)
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QTemporaryDir dir_;
};

TEST_F(FileCommands, ExportReplacesTheCopyOnlyWhenTheSourceCanBeRead)
{
    const QString copy = path(QString::fromLatin1(kSpreadsheetCopyName));
    write(QStringLiteral("a.txt"), "1.5 2\r\n");
    write(QString::fromLatin1(kSpreadsheetCopyName), "previous");

    EXPECT_EQ(exportForSpreadsheet(path(QStringLiteral("missing.txt")), copy), ExportResult::SourceUnreadable);
    EXPECT_EQ(read(QString::fromLatin1(kSpreadsheetCopyName)), QByteArray("previous"));

    EXPECT_EQ(exportForSpreadsheet(path(QStringLiteral("a.txt")), copy), ExportResult::Ok);
    EXPECT_EQ(read(QString::fromLatin1(kSpreadsheetCopyName)), QByteArray("1,5\t2\n"));

    EXPECT_EQ(exportForSpreadsheet(path(QStringLiteral("a.txt")), path(QStringLiteral("no/such/dir/x"))),
              ExportResult::TargetUnwritable);
}

// A source that hands out `good` bytes and then fails, as a disk read error would.
class FailingSource : public QIODevice {
public:
    explicit FailingSource(QByteArray good) : good_(std::move(good)) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 max) override
    {
        if (pos_ == good_.size()) return -1;
        const qint64 n = std::min<qint64>(max, good_.size() - pos_);
        std::memcpy(data, good_.constData() + pos_, static_cast<std::size_t>(n));
        pos_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray good_;
    qint64 pos_ = 0;
};

TEST_F(FileCommands, ReadErrorInTheMiddleFailsAndKeepsThePreviousCopy)
{
    const QString copy = path(QString::fromLatin1(kSpreadsheetCopyName));
    write(QString::fromLatin1(kSpreadsheetCopyName), "previous");
    // Past the first read's buffer, so part of the copy was already converted.
    FailingSource source(QByteArray(200000, '7') + "1.5 2\r\n");
    EXPECT_EQ(exportForSpreadsheet(source, copy), ExportResult::SourceUnreadable);
    EXPECT_EQ(read(QString::fromLatin1(kSpreadsheetCopyName)), QByteArray("previous"));
}

TEST_F(FileCommands, LargeFilesConvertAcrossBufferBoundaries)
{
    QByteArray big;
    for (int i = 0; i < 20000; ++i) big += "  " + QByteArray::number(i) + ".25   7.5 \r\n";
    write(QStringLiteral("big.txt"), big);
    ASSERT_EQ(exportForSpreadsheet(path(QStringLiteral("big.txt")), path(QStringLiteral("big.copy"))),
              ExportResult::Ok);
    EXPECT_EQ(read(QStringLiteral("big.copy")).toStdString(), toSpreadsheetText(big.toStdString()));
}

TEST_F(FileCommands, NoWriterWritesThroughALink)
{
    write(QStringLiteral("m.txt"), "1 2\r\n");
    write(QStringLiteral("precious"), "keep");
    Settings settings{};
    Reporter quiet;
    MonitoringLog log;
    log.append("line");
    const std::pair<const char*, std::function<bool(const QString&)>> writers[] = {
        {"spreadsheet copy",
         [&](const QString& t) { return exportForSpreadsheet(path(QStringLiteral("m.txt")), t) == ExportResult::Ok; }},
        {"hand-off", [&](const QString&) { return writeHandoffCopy(path(QStringLiteral("m.txt")), dir_.path()); }},
        {"monitoring log", [&](const QString& t) { return log.save(t); }},
        {"settings program", [&](const QString& t) { return saveSettingsProgram(settings, t, quiet); }},
    };
    const QString link = path(QString::fromLatin1(kHandoffFileName));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("precious")), link));
    for (const auto& [name, writeTo] : writers) {
        EXPECT_FALSE(writeTo(link)) << name;
        EXPECT_TRUE(QFileInfo(link).isSymLink()) << name;
        EXPECT_EQ(read(QStringLiteral("precious")), "keep") << name;
    }
}

TEST_F(FileCommands, HandoffCopyAndArgument)
{
    write(QStringLiteral("m.txt"), QByteArray("x\0y\r\n", 5));
    ASSERT_TRUE(writeHandoffCopy(path(QStringLiteral("m.txt")), dir_.path()));
    EXPECT_EQ(read(QString::fromLatin1(kHandoffFileName)), QByteArray("x\0y\r\n", 5));

    // A missing source keeps the previous hand-off file.
    EXPECT_FALSE(writeHandoffCopy(path(QStringLiteral("*.txt")), dir_.path()));
    EXPECT_EQ(read(QString::fromLatin1(kHandoffFileName)), QByteArray("x\0y\r\n", 5));

    EXPECT_EQ(presenterArgument(dir_.path(), QStringLiteral("m.txt")), path(QStringLiteral("m.txt")));
    EXPECT_EQ(presenterArgument(dir_.path(), QStringLiteral("/elsewhere/a b.txt")),
              QStringLiteral("/elsewhere/a b.txt"));
    EXPECT_EQ(presenterArgument(dir_.path(), QStringLiteral("*.txt")), path(QStringLiteral("*.txt")));
}

TEST_F(FileCommands, ListingShowsFoldersThenMeasurementFiles)
{
    write(QStringLiteral("b.txt"), "");
    write(QStringLiteral("A.TXT"), "");
    write(QStringLiteral("doExcela._txt"), "");
    write(QStringLiteral("wiznow.dan"), "");
    write(QStringLiteral(".hidden.txt"), "");
    QDir(dir_.path()).mkdir(QStringLiteral("zdir"));
    QDir(dir_.path()).mkdir(QStringLiteral("adir.txt"));
    QFile::link(QStringLiteral("/dev/null"), path(QStringLiteral("device")));  // the demo's port link is such a one

    QStringList shown;
    for (const DirectoryEntry& e : listDirectory(dir_.path()))
        shown << (e.isDirectory ? QStringLiteral("[%1]").arg(e.name) : e.name);
    EXPECT_EQ(shown, QStringList({QStringLiteral("[..]"), QStringLiteral("[adir.txt]"), QStringLiteral("[zdir]"),
                                  QStringLiteral("A.TXT"), QStringLiteral("b.txt")}));
    EXPECT_TRUE(listDirectory(path(QStringLiteral("gone"))).empty());

    EXPECT_FALSE(deleteFileIfExists(path(QStringLiteral("*.txt"))));
    EXPECT_FALSE(deleteFileIfExists(path(QStringLiteral("zdir"))));
    EXPECT_TRUE(deleteFileIfExists(path(QStringLiteral("b.txt"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("b.txt"))));
}

}  // namespace
}  // namespace vorda
