// vorda-cli calibrate | zero against recorder-sim, the point values piped in.

#include "core/settings_files.h"
#include "core/settings_record.h"
#include "core/text_codec.h"
#include "support/cli_run.h"
#include "support/recorder_sim.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>

namespace vorda::test {
namespace {

CliRun runWithInput(const QString& dir, const QStringList& args, const QByteArray& input)
{
    return runProgram(dir, args, vordaCliPath(), input);
}

std::optional<Settings> storedSettings(const QString& dir)
{
    const auto image = readSettingsImage(QDir(dir).filePath(QString::fromLatin1(kConfigFileName)));
    if (!image) return std::nullopt;
    Settings s{};
    s.fromImage(*image);
    return s;
}

TEST(CalibrationCli, CalibrateStoresConstantsThroughBothPoints)
{
    // Channel 2 reads about 1200 for the first five replies, then about 9200: the
    // averaged reading of each point sees one level, within the noise.
    RecorderSim sim({QStringLiteral("--dat"), QStringLiteral("500,1200"), QStringLiteral("--dat-after"),
                     QStringLiteral("5:500,9200"), QStringLiteral("--dat-noise"), QStringLiteral("3")});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
    QTemporaryDir dir;
    const CliRun run =
        runWithInput(dir.path(),
                     {QStringLiteral("--port"), sim.devicePath(), QStringLiteral("calibrate"), QStringLiteral("2"),
                      QStringLiteral("Ciśnienie"), QStringLiteral("--format"), QStringLiteral("3")},
                     "-2.5\n47,5\n");
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("Wartość punktu 1: Wartość kalibrująca: ")));

    const auto stored = storedSettings(dir.path());
    ASSERT_TRUE(stored.has_value());
    const ChannelSettings& ch = stored->channel(2);
    EXPECT_NEAR(ch.rawPoint1, 1200, 3);
    EXPECT_NEAR(ch.rawPoint2, 9200, 3);
    EXPECT_EQ(ch.valuePoint1, -2.5);
    EXPECT_EQ(ch.valuePoint2, 47.5);
    EXPECT_GT(ch.slopeSB, 0.0);  // the arithmetic itself is the wizard's tests' matter
    EXPECT_EQ(ch.numberFormat, 3);
    EXPECT_EQ(fromWin1250(fieldText(ch.name)), QStringLiteral("Ciśnienie"));
    char expected[64];
    std::snprintf(expected, sizeof expected, "%8.6f / %7.4f\n", ch.slopeSB, ch.offsetSC);
    EXPECT_TRUE(run.out.endsWith(QString::fromLatin1(expected))) << run.out.toStdString();

    QFile history(dir.filePath(QStringLiteral("Config/historia_kalibracji.csv")));
    ASSERT_TRUE(history.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = history.readAll().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].contains(";kalibracja;2;"));
    EXPECT_TRUE(lines[1].contains(";-2,5000;"));

    // A zeroing whose save fails adds no history line.
    const QString lock = dir.filePath(QString::fromLatin1(kConfigFileName) + QStringLiteral(".lock"));
    QFile::remove(lock);  // left by the save before
    ASSERT_TRUE(QDir().mkdir(lock));
    const CliRun unsaved = runWithInput(
        dir.path(), {QStringLiteral("--port"), sim.devicePath(), QStringLiteral("zero"), QStringLiteral("2")}, "1\n");
    EXPECT_EQ(unsaved.exitCode, 1);
    ASSERT_TRUE(QDir().rmdir(lock));
    EXPECT_EQ(storedSettings(dir.path())->channel(2).offsetSC, ch.offsetSC);
    history.close();
    ASSERT_TRUE(history.open(QIODevice::ReadOnly));
    EXPECT_EQ(history.readAll().trimmed().split('\n').size(), 2);

    // Zeroing the same channel keeps S_B and moves S_C through the new point.
    const CliRun zero = runWithInput(
        dir.path(), {QStringLiteral("--port"), sim.devicePath(), QStringLiteral("zero"), QStringLiteral("2")}, "1\n");
    ASSERT_EQ(zero.exitCode, 0) << zero.err.toStdString();
    const auto zeroed = storedSettings(dir.path());
    ASSERT_TRUE(zeroed.has_value());
    EXPECT_EQ(zeroed->channel(2).slopeSB, ch.slopeSB);
    EXPECT_NEAR(zeroed->channel(2).rawPoint1, 9200, 3);
    EXPECT_NE(zeroed->channel(2).offsetSC, ch.offsetSC);
    EXPECT_EQ(zeroed->channel(2).rawPoint2, ch.rawPoint2);
}

TEST(CalibrationCli, NothingIsStoredWithoutAnswerOrValue)
{
    RecorderSim sim({QStringLiteral("--dat"), QStringLiteral("100")});
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
    QTemporaryDir dir;
    const QStringList calibrate{QStringLiteral("--port"), sim.devicePath(), QStringLiteral("calibrate"),
                                QStringLiteral("1"), QStringLiteral("k1")};
    const CliRun ended = runWithInput(dir.path(), calibrate, "5.0\n");
    EXPECT_EQ(ended.exitCode, 1);
    const CliRun notNumber = runWithInput(dir.path(), calibrate, "x\n1\n");
    EXPECT_EQ(notNumber.exitCode, 1);
    EXPECT_TRUE(notNumber.err.contains(QStringLiteral("Wartość punktu 1: \"x\" nie jest liczbą.")))
        << notNumber.err.toStdString();
    // The recorder reads the same code at both points: no slope, nothing stored.
    const CliRun flat = runWithInput(dir.path(), calibrate, "0\n10\n");
    EXPECT_EQ(flat.exitCode, 1);
    EXPECT_TRUE(flat.err.contains(QStringLiteral("Kalibracja nieudana"))) << flat.err.toStdString();

    RecorderSim silent({QStringLiteral("--silent-register"), QStringLiteral("0")});
    ASSERT_TRUE(silent.started());
    const CliRun noAnswer = runWithInput(
        dir.path(), {QStringLiteral("--port"), silent.devicePath(), QStringLiteral("zero"), QStringLiteral("1")},
        "1\n");
    EXPECT_EQ(noAnswer.exitCode, 1);
    EXPECT_TRUE(noAnswer.err.contains(QStringLiteral("Brak komunikacji z systemem"))) << noAnswer.err.toStdString();

    EXPECT_FALSE(QFile::exists(dir.filePath(QString::fromLatin1(kConfigFileName))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("Config/historia_kalibracji.csv"))));
    EXPECT_EQ(
        runWithInput(dir.path(), {QStringLiteral("calibrate"), QStringLiteral("17"), QStringLiteral("x")}, "").exitCode,
        2);
}

}  // namespace
}  // namespace vorda::test
