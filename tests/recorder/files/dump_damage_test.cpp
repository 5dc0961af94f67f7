// Blocks that did not arrive whole and clean: only the samples before the damage, beside
// any earlier file.

#include "recorder/files/dump_conversion_fixture.h"

#include <gtest/gtest.h>

namespace vorda::test {

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

}  // namespace vorda::test
