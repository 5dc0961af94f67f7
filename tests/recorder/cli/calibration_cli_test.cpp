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
                     "-2.5\n47.5 bar\n");
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("Wartość punktu 1: Wartość kalibrująca: ")));

    const auto stored = storedSettings(dir.path());
    ASSERT_TRUE(stored.has_value());
    const ChannelSettings& ch = stored->channel(2);
    EXPECT_NEAR(ch.rawPoint1, 1200, 3);
    EXPECT_NEAR(ch.rawPoint2, 9200, 3);
    EXPECT_EQ(ch.valuePoint1, -2.5);
    EXPECT_EQ(ch.valuePoint2, 47.5);
    const double slope = 50.0 * 1000.0 / (ch.rawPoint2 - ch.rawPoint1);
    EXPECT_NEAR(ch.slopeSB, slope, 1e-9);
    EXPECT_NEAR(ch.offsetSC, -2.5 - slope * ch.rawPoint1 / 1000.0, 1e-9);
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

    // Zeroing the same channel keeps S_B and moves S_C through the new point.
    const CliRun zero = runWithInput(
        dir.path(), {QStringLiteral("--port"), sim.devicePath(), QStringLiteral("zero"), QStringLiteral("2")}, "1\n");
    ASSERT_EQ(zero.exitCode, 0) << zero.err.toStdString();
    const auto zeroed = storedSettings(dir.path());
    ASSERT_TRUE(zeroed.has_value());
    EXPECT_EQ(zeroed->channel(2).slopeSB, ch.slopeSB);
    EXPECT_NEAR(zeroed->channel(2).rawPoint1, 9200, 3);
    EXPECT_NEAR(zeroed->channel(2).offsetSC, 1.0 - ch.slopeSB * zeroed->channel(2).rawPoint1 / 1000.0, 1e-9);
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
    EXPECT_TRUE(notNumber.err.contains(QStringLiteral("Wpisz wartość liczbową punktu.")))
        << notNumber.err.toStdString();

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
