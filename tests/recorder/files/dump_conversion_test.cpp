// Conversion of dumps into measurement files, in a temporary directory.

#include "files/dump_conversion.h"

#include "core/channel_scaling.h"
#include "core/reporter.h"
#include "core/settings_record.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace vorda;

namespace {

// Sample characters as the recorder sends them: bytes from the highest, each byte's low
// nibble first, every nibble as '0' + value.
std::string encodeByte(unsigned byte)
{
    return {static_cast<char>('0' + (byte & 0xF)), static_cast<char>('0' + (byte >> 4 & 0xF))};
}
std::string encodeCode(std::uint16_t code)
{
    return encodeByte(code >> 8) + encodeByte(code & 0xFF);
}
// A value as printf("%.*f") writes the float widened to double (the tests run in the "C" locale).
std::string fileText(float value, int decimals)
{
    char buf[128];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, static_cast<double>(value));
    return buf;
}
std::string encodeTimeStamp(std::uint32_t t)
{
    return encodeByte(t >> 24) + encodeByte(t >> 16 & 0xFF) + encodeByte(t >> 8 & 0xFF) + encodeByte(t & 0xFF);
}

struct RecordingReporter : Reporter {
    std::vector<QString> status;
    std::vector<QString> transfers;
    std::vector<std::pair<QString, QString>> messages;  // text, caption
    void setStatus(StatusPanel panel, const QString& text) override
    {
        EXPECT_EQ(panel, StatusPanel::Link);
        status.push_back(text);
    }
    void transferMessage(const QString& line) override { transfers.push_back(line); }
    void showMessage(const QString& text, const QString& caption, MessageIcon) override
    {
        messages.emplace_back(text, caption);
    }
};

class DumpConversion : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        dataDir = tmp.filePath(QStringLiteral("data"));
        ASSERT_TRUE(QDir().mkpath(dataDir));
        dumpPath = tmp.filePath(QString::fromLatin1(kDumpFileName));
        std::memset(&settings, 0, sizeof settings);
        setFieldText(settings.dataDirectory, dataDir.toStdString());
        for (int c = 1; c <= kMaxChannels; ++c) {
            setFieldText(settings.channels[c].name, "K" + std::to_string(c));
            settings.channels[c].numberFormat = 1;
            settings.channels[c].slopeSB = 1000.0;  // general formula: code + 0.5
            settings.channels[c].offsetSC = 0.5;
            settings.channels[c].rawPoint1 = 8;  // older formula: code - 8
        }
    }

    void writeDump(const std::string& bytes)
    {
        QFile f(dumpPath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes.data(), static_cast<qint64>(bytes.size())), static_cast<qint64>(bytes.size()));
    }

    static std::string header(const std::string& tag, int samples, int period, int channels,
                              const std::string& time = "12:00:00")
    {
        return tag + " 2024-05-01 " + time + " 1 " + std::to_string(samples) + " " + std::to_string(period) + " " +
               std::to_string(channels) + " 0\r";
    }

    ConversionResult convert() { return convertDump(dumpPath, settings, reporter); }

    static std::vector<std::string> readLines(const QString& path)
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        const std::string text = f.readAll().toStdString();
        std::vector<std::string> lines;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find("\r\n", start);
            EXPECT_NE(end, std::string::npos);
            if (end == std::string::npos) break;
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }

    QStringList dataFiles() const
    {
        return QDir(dataDir).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir tmp;
    QString dataDir;
    QString dumpPath;
    Settings settings;
    RecordingReporter reporter;
};

TEST(DumpSamples, CodesAndTimeStampsDecodeAsTheRecorderEncodesThem)
{
    EXPECT_EQ(decodeDumpCode("1043"), 308);
    EXPECT_EQ(decodeDumpCode("????"), 65535);
    std::mt19937 rng(11);
    for (int i = 0; i < 10000; ++i) {
        const auto code = static_cast<std::uint16_t>(rng());
        ASSERT_EQ(decodeDumpCode(encodeCode(code).c_str()), code);
        const std::uint32_t stamp = static_cast<std::uint32_t>(rng());
        ASSERT_EQ(decodeDumpTimeStamp(encodeTimeStamp(stamp).c_str()), stamp);
    }
}

TEST(DumpSamples, StartTimeTokens)
{
    EXPECT_EQ(parseStartTime("0:00"), 0);
    EXPECT_EQ(parseStartTime("7:05:09"), (7 * 3600 + 5 * 60 + 9) * 1000);
    EXPECT_EQ(parseStartTime("23:59:59"), 86399000);
    EXPECT_EQ(parseStartTime("12:00:00.5"), 43200500);
    EXPECT_EQ(parseStartTime("12:00:00.025"), 43200025);
    for (const char* bad : {"24:00:00", "12:60:00", "12:00:60", "12", "", "12-00-00", "12:00:00.", "12:00:00.1234",
                            "123:00", "12:00:00x", ":00:00", "12::00", "1a:00"})
        EXPECT_FALSE(parseStartTime(bad).has_value()) << bad;
}

TEST(DumpSamples, HeaderLimits)
{
    const auto valid = parseDumpHeader("R5 2024-05-01 12:00:00 3 1564670 10 16 0 extra tokens");
    ASSERT_TRUE(valid.has_value());
    EXPECT_EQ(valid->recordType(), '5');
    EXPECT_EQ(valid->sampleCount, 1564670);
    EXPECT_EQ(valid->channelCount, 16);
    EXPECT_EQ(parseDumpHeader("R 2024-05-01 12:00:00 3 0 10 1 0")->recordType(), '\0');

    std::string padded = "R3 d t 1 2 10 4 0";
    padded.resize(199, ' ');
    EXPECT_TRUE(parseDumpHeader(padded).has_value());
    padded.push_back(' ');
    EXPECT_FALSE(parseDumpHeader(padded).has_value()) << "a header over 199 characters";

    for (const char* bad :
         {"R3 d t 1 2 10 4", "R3 d t 1 2 10 0 0", "R3 d t 1 2 10 17 0", "R3 d t 1 -1 10 4 0", "R3 d t 1 1564671 10 4 0",
          "R3 d t 1 2x 10 4 0", "R3 d t x 2 10 4 0", "R33x d t 1 2 10 4 0", "R3 2024-05-01-123456789 t 1 2 10 4 0", ""})
        EXPECT_FALSE(parseDumpHeader(bad).has_value()) << bad;
}

TEST_F(DumpConversion, EveryRecordTypeWithItsScalingAndItems)
{
    struct Case {
        std::string tag;
        bool trigger;
        std::string sample;  // the dump characters of one sample
        std::string line;    // its line in the file
        int charsPerSample;
    };
    const std::string codes = encodeCode(100) + encodeCode(200) + encodeCode(300);
    const std::string stamp = encodeTimeStamp((10 * 3600 + 20 * 60 + 30) * 500 + 4);  // 10:20:30.008
    const Case cases[] = {
        {"R1", false, encodeCode(100) + encodeCode(200) + "1?0?", "92.0 192.0  1  0", 12},
        {"R2", false, codes, "92.0 192.0 292.0", 12},
        {"R3", false, codes, "100.5 200.5 300.5", 12},
        {"R4", false, codes, "100.5 200.5 300.5", 12},
        {"R5", false, codes, "100.5 200.5 300.5", 12},
        {"R5", true, codes + stamp, "10:20:30.008 100.5   200.5   300.5  ", 20},
        {"R3", true, codes, "100.5 200.5 300.5", 12},  // the trigger bit matters only for type 5
        {"R9", false, "", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag + (c.trigger ? " with trigger" : ""));
        ASSERT_EQ(static_cast<int>(c.sample.size()), c.charsPerSample);
        settings.status.triggerOn = c.trigger ? 1 : 0;
        reporter.transfers.clear();
        writeDump(header(c.tag, 2, 10, 3) + c.sample + c.sample);
        const ConversionResult r = convert();
        ASSERT_TRUE(r.ok()) << r.message.toStdString();
        EXPECT_TRUE(r.clean());
        EXPECT_EQ(r.sampleCount, 2);
        EXPECT_EQ(r.filePath, QDir(dataDir).absoluteFilePath(QStringLiteral("2024_05_01_12_00_00.txt")));
        const auto lines = readLines(r.filePath);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[1], c.line);
        EXPECT_EQ(lines[2], c.line);
        ASSERT_EQ(reporter.transfers.size(), 1u);
        EXPECT_EQ(reporter.transfers[0],
                  QStringLiteral("o długości 2 pomiarów zapisany \r\ndo pliku 2024_05_01_12_00_00.txt"));
    }
    EXPECT_TRUE(reporter.status.empty());
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(DumpConversion, FirstColumnModesFollowTheHeader)
{
    writeDump(header("R3", 2, 1000, 1, "23:59:59") + encodeCode(1) + encodeCode(2));
    const char* expected[][2] = {{"1.5", "2.5"},
                                 {"  1 1.5", "  2 2.5"},
                                 {"00:00.000 1.5", "00:01.000 2.5"},
                                 {"23:59:59.000 1.5", "00:00:00.000 2.5"}};
    for (int mode = 0; mode <= 3; ++mode) {
        settings.firstColumn = mode;
        const ConversionResult r = convert();
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r.filePath, QDir(dataDir).absoluteFilePath(QStringLiteral("2024_05_01_23_59_59.txt")));
        const auto lines = readLines(r.filePath);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[1], expected[mode][0]) << "mode " << mode;
        EXPECT_EQ(lines[2], expected[mode][1]) << "mode " << mode;
    }
}

TEST_F(DumpConversion, UnnamedChannelsStillConsumeTheirCodes)
{
    settings.channels[2].name[0] = '\0';
    writeDump(header("R3", 1, 10, 3) + encodeCode(100) + encodeCode(200) + encodeCode(300));
    const auto lines = readLines(convert().filePath);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "K1  K3 ");
    EXPECT_EQ(lines[1], "100.5  300.5");
}

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

TEST_F(DumpConversion, ZeroSamplesGiveOnlyTheHeaderLine)
{
    settings.firstColumn = 2;
    writeDump(header("R3", 0, 10, 2) + encodeCode(1));
    const ConversionResult r = convert();
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(readLines(r.filePath), (std::vector<std::string>{"MM:SS.mmm K1 K2 "}));
}

TEST_F(DumpConversion, HeaderWithALineFeedBeforeItsCarriageReturn)
{
    writeDump("R3 2024-05-01 12:00:00 1 1 10 1 0\n\r" + encodeCode(1));
    const ConversionResult r = convert();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(readLines(r.filePath)[1], "1.5");
}

TEST_F(DumpConversion, AShortDumpWritesItsWholeSamplesOnly)
{
    // Three samples announced; one whole sample, then two codes and half of a third.
    const std::string dump = header("R3", 3, 10, 4) + encodeCode(1) + encodeCode(2) + encodeCode(3) + encodeCode(4) +
                             encodeCode(5) + encodeCode(6) + "12";
    writeDump(dump);
    const ConversionResult r = convert();
    ASSERT_TRUE(r.ok());
    EXPECT_FALSE(r.complete());
    EXPECT_EQ(r.sampleCount, 3);
    EXPECT_EQ(r.completeSamples, 1);
    EXPECT_EQ(readLines(r.filePath), (std::vector<std::string>{"K1 K2 K3 K4 ", "1.5 2.5 3.5 4.5"}));
    const auto expected = header("R3", 3, 10, 4).size() + 3 * 16;
    EXPECT_EQ(reporter.transfers,
              (std::vector<QString>{
                  QStringLiteral("o długości 1 pomiarów zapisany \r\ndo pliku 2024_05_01_12_00_00_niepelny.txt"),
                              QStringLiteral("Blok niepełny: plik '__m.mem' zawiera 1 z 3 pomiarów"),
                              QStringLiteral("Długość bloku niezgodna z nagłówkiem: odebrano %1 znaków, oczekiwano %2")
                                  .arg(dump.size())
                                  .arg(expected)}));

    // A time-stamped sample cut inside its stamp is left out whole.
    settings.status.triggerOn = 1;
    writeDump(header("R5", 2, 10, 1) + encodeCode(1) + encodeTimeStamp(9) + encodeCode(2) + "1234");
    const ConversionResult stamped = convert();
    EXPECT_EQ(stamped.completeSamples, 1);
    EXPECT_EQ(readLines(stamped.filePath).size(), 2u);
}

TEST_F(DumpConversion, ABlockNotWholeAndCleanGoesBesideAsNiepelnyWithTheSamplesBeforeTheDamage)
{
    const std::string head = header("R3", 4, 10, 1);
    const std::string whole = head + encodeCode(4) + encodeCode(9) + encodeCode(14) + encodeCode(19);
    std::string nul = whole;
    nul.insert(head.size() + 6, 1, '\0');  // inside the second sample: the rest shifts
    std::string noise = whole;
    noise[head.size() + 1] = 'x';
    struct Case {
        const char* name;
        std::string dump;
        std::vector<std::string> samples;  // the sample lines of the file written
    };
    const Case cases[] = {
        {"cut inside the third sample", whole.substr(0, whole.size() - 6), {"4.5", "9.5"}},
        {"a NUL in the second sample", nul, {"4.5"}},
        {"noise in the first sample", noise, {}},
        {"sample characters past the block", whole + "0000", {"4.5", "9.5", "14.5", "19.5"}},
        {"other bytes past the block", whole + "TRAILER", {"4.5", "9.5", "14.5", "19.5"}},
        {"a lone CR past the block", whole + "\r", {"4.5", "9.5", "14.5", "19.5"}},
    };
    const QString regular = QDir(dataDir).absoluteFilePath(QStringLiteral("2024_05_01_12_00_00.txt"));
    for (const bool earlierFile : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (earlierFile ? ", over an earlier file" : ""));
            for (const QString& name : dataFiles()) QFile::remove(QDir(dataDir).filePath(name));
            if (earlierFile) {
                writeDump(whole);
                ASSERT_TRUE(convert().clean());
            }
            writeDump(c.dump);
            reporter.transfers.clear();
            const ConversionResult r = convert();
            ASSERT_TRUE(r.ok());
            EXPECT_FALSE(r.clean());
            EXPECT_EQ(r.filePath, QDir(dataDir).absoluteFilePath(QStringLiteral("2024_05_01_12_00_00_niepelny.txt")));
            std::vector<std::string> lines{"K1 "};
            lines.insert(lines.end(), c.samples.begin(), c.samples.end());
            EXPECT_EQ(readLines(r.filePath), lines);
            EXPECT_GE(reporter.transfers.size(), 2u);
            EXPECT_EQ(dataFiles().size(), earlierFile ? 2 : 1);
            if (earlierFile)
                EXPECT_EQ(readLines(regular), (std::vector<std::string>{"K1 ", "4.5", "9.5", "14.5", "19.5"}));
        }
    }
    // A second damaged copy never replaces the first.
    writeDump(nul);
    EXPECT_EQ(convert().filePath,
              QDir(dataDir).absoluteFilePath(QStringLiteral("2024_05_01_12_00_00_niepelny_2.txt")));
}

TEST_F(DumpConversion, ACrLfAfterTheSamplesIsTheRecordersTrailerNotAFault)
{
    writeDump(header("R3", 2, 10, 1) + encodeCode(1) + encodeCode(2) + "\r\n");
    const ConversionResult r = convert();
    EXPECT_TRUE(r.clean());
    EXPECT_EQ(r.filePath, QDir(dataDir).absoluteFilePath(QStringLiteral("2024_05_01_12_00_00.txt")));
    EXPECT_EQ(reporter.transfers.size(), 1u);
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

TEST_F(DumpConversion, InvalidDumpsWriteNothing)
{
    const std::string longHeader = "R3 2024-05-01 12:00:00 1 1 10 1 0" + std::string(170, ' ') + "\r";
    const std::pair<std::string, const char*> dumps[] = {
        {"", "Pusty plik '__m.mem'"},
        {"R3 2024-05-01 12:00:00 1 1 10 1 0" + encodeCode(1), "Błędny nagłówek pliku '__m.mem'"},
        {longHeader + encodeCode(1), "Błędny nagłówek pliku '__m.mem'"},
        {"R3 2024-05-01 12:00:00 1 1 10 1\r" + encodeCode(1), "Błędny nagłówek pliku '__m.mem'"},
        {header("R3", 1, 10, 0) + encodeCode(1), "Błędny nagłówek pliku '__m.mem'"},
        {header("R3", 1, 10, 17) + encodeCode(1), "Błędny nagłówek pliku '__m.mem'"},
        {header("R3", -1, 10, 1), "Błędny nagłówek pliku '__m.mem'"},
        {header("R3", 1564671, 10, 1), "Błędny nagłówek pliku '__m.mem'"},
    };
    for (const auto& [dump, text] : dumps) {
        writeDump(dump);
        reporter.status.clear();
        const ConversionResult r = convert();
        EXPECT_EQ(r.outcome, ConversionOutcome::InvalidDump);
        EXPECT_EQ(reporter.status, std::vector<QString>{QString::fromUtf8(text)});
    }
    EXPECT_TRUE(dataFiles().isEmpty());
    EXPECT_TRUE(reporter.transfers.empty());
}

TEST_F(DumpConversion, MissingDump)
{
    const ConversionResult r = convert();
    EXPECT_EQ(r.outcome, ConversionOutcome::DumpMissing);
    EXPECT_EQ(reporter.status, std::vector<QString>{QStringLiteral("Plik nie istnieje '__m.mem'")});
    EXPECT_TRUE(reporter.messages.empty());
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

TEST_F(DumpConversion, LargeBlocksStreamAcrossChunksValueForValue)
{
    // Over 2 MB of samples with every channel's constants and format different, checked
    // against the plain scaling and printf text of each value.
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> slope(-3.0, 3.0);
    for (int c = 1; c <= kMaxChannels; ++c) {
        settings.channels[c].slopeSB = slope(rng);
        settings.channels[c].offsetSC = slope(rng) * 10;
        settings.channels[c].numberFormat = c % 5;
    }
    const int samples = 40000;
    std::string dump = header("R4", samples, 10, kMaxChannels);
    std::vector<std::uint16_t> codes(static_cast<std::size_t>(samples) * kMaxChannels);
    for (auto& code : codes) {
        code = static_cast<std::uint16_t>(rng());
        dump += encodeCode(code);
    }
    writeDump(dump);
    const ConversionResult r = convert();
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.complete());
    const auto lines = readLines(r.filePath);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(samples) + 1);
    for (int i = 0; i < samples; ++i) {
        std::string expected;
        for (int k = 0; k < kMaxChannels; ++k) {
            const ChannelSettings& ch = settings.channels[k + 1];
            if (k > 0) expected += ' ';
            expected +=
                fileText(scaleGeneral(ch, codes[static_cast<std::size_t>(i) * kMaxChannels + k]), ch.numberFormat);
        }
        ASSERT_EQ(lines[static_cast<std::size_t>(i) + 1], expected) << "sample " << i;
    }
}

TEST_F(DumpConversion, InMemoryConversionGivesTheFileBytesAndTouchesNoFile)
{
    settings.status.triggerOn = 1;
    settings.firstColumn = 2;
    const std::string dumps[] = {
        header("R5", 2, 10, 2) + encodeCode(1) + encodeCode(2) + encodeTimeStamp(7) + encodeCode(3),
        header("R4", 3, 10, 3) + encodeCode(10) + encodeCode(20) + encodeCode(30) + "12",
        header("R3", 1, 10, 1),
        header("R3", 1, 10, 0) + encodeCode(1),
        "",
    };
    for (const std::string& dump : dumps) {
        writeDump(dump);
        const ConversionResult fromFile = convert();
        std::string fileBytes;
        if (fromFile.ok()) {
            QFile f(fromFile.filePath);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            fileBytes = f.readAll().toStdString();
            ASSERT_TRUE(f.remove());
        }
        std::string text = "stale";
        const ConversionResult inMemory = convertDumpInMemory(dump, settings, reporter, text);
        EXPECT_EQ(inMemory.outcome, fromFile.outcome);
        EXPECT_EQ(inMemory.completeSamples, fromFile.completeSamples);
        EXPECT_EQ(text, fileBytes);
        EXPECT_EQ(inMemory.filePath, QFileInfo(fromFile.filePath).fileName());
        EXPECT_TRUE(dataFiles().isEmpty());
    }
}

}  // namespace
