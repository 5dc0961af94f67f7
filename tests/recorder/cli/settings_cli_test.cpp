// vorda-cli settings / preset / params / program, run as a program in a scratch directory.

#include "core/reporter.h"
#include "core/settings_files.h"
#include "core/settings_record.h"
#include "support/cli_run.h"
#include "support/recorder_sim.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace vorda {
namespace {

class SettingsCli : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString dir;
    Reporter quiet;

    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        dir = QDir(tmp.path()).canonicalPath();
    }
    test::CliRun run(const QStringList& args) const { return test::runProgram(dir, args); }
    QString path(const QString& name) const { return QDir(dir).filePath(name); }
    Settings configuration() const
    {
        Settings s{};
        const auto image = readSettingsImage(path(QString::fromLatin1(kConfigFileName)));
        EXPECT_TRUE(image);
        if (image) s.fromImage(*image);
        return s;
    }
};

TEST_F(SettingsCli, SettingsPrintsAndSendsTheCommand)
{
    Settings s{};
    applyStartupDefaults(s, dir);
    s.sendDateTime = 0;
    s.sendChannelCount = 1;
    s.sendTriggerLevels = 1;
    s.channel(1).slopeSB = 15.259;
    setFieldText(s.triggerStartText, "30");
    setFieldText(s.triggerStopText, "70");
    ASSERT_TRUE(saveStartupSettings(s, dir, quiet));

    const test::CliRun printed = run({QStringLiteral("settings")});
    ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    const QByteArray expected = "  M_S 10 M_C 100 k4 L_D 1966  L_U 4587      &";
    EXPECT_EQ(printed.out, QStringLiteral("\"%1\"\n").arg(QString::fromLatin1(expected)));

    test::RecorderSim sim;
    ASSERT_TRUE(sim.started()) << sim.errorText().toStdString();
    const test::CliRun sent =
        run({QStringLiteral("--port"), sim.devicePath(), QStringLiteral("settings"), QStringLiteral("--send")});
    ASSERT_EQ(sent.exitCode, 0) << sent.err.toStdString();
    EXPECT_EQ(sim.waitForCommands(1).value(0), expected);
    EXPECT_EQ(configuration().baudRate, 230400u);  // stored as the dialog stores it

    // A send that fails keeps the rate of before.
    s.baudRate = 9600;
    ASSERT_TRUE(saveStartupSettings(s, dir, quiet));
    const test::CliRun failed = run({QStringLiteral("--port"), path(QStringLiteral("no-such-tty")),
                                     QStringLiteral("settings"), QStringLiteral("--send")});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(configuration().baudRate, 9600u);
}

TEST_F(SettingsCli, PresetsParamsAndPrograms)
{
    const test::CliRun list = run({QStringLiteral("preset"), QStringLiteral("--list")});
    ASSERT_EQ(list.exitCode, 0);
    EXPECT_EQ(list.out.count(QLatin1Char('\n')), 11);
    EXPECT_TRUE(list.out.contains(QStringLiteral(" 2 16 wejść napięciowych 0-1000mV\n")));

    ASSERT_EQ(
        run({QStringLiteral("preset"), QStringLiteral("1"), QStringLiteral("--channel"), QStringLiteral("5")}).exitCode,
        0);
    Settings s = configuration();
    EXPECT_EQ(s.channel(5).slopeSB, 15.259);
    EXPECT_EQ(fieldText(s.channel(5).name), "k5");
    EXPECT_EQ(s.channel(1).slopeSB, 0.0);
    EXPECT_NE(run({QStringLiteral("preset"), QStringLiteral("12")}).exitCode, 0);

    QFile params(path(QStringLiteral("zestaw.txt")));
    ASSERT_TRUE(params.open(QIODevice::WriteOnly));
    params.write("Hala 2\n1 15,259 0 1 k1\n2 2,913 -42,09 1 T2\n20 1 0 1 x\n");
    params.close();
    const test::CliRun applied = run({QStringLiteral("params"), params.fileName()});
    ASSERT_EQ(applied.exitCode, 0) << applied.err.toStdString();
    EXPECT_EQ(applied.out, QStringLiteral("Hala 2\nustawione kanały: 2\npominięte wiersze: 1\n"));
    EXPECT_EQ(configuration().channel(2).offsetSC, -42.09);

    ASSERT_EQ(run({QStringLiteral("program"), QStringLiteral("save"), path(QStringLiteral("a.roln"))}).exitCode, 0);
    QFile::remove(path(QString::fromLatin1(kConfigFileName)));
    EXPECT_NE(run({QStringLiteral("program"), QStringLiteral("load"), params.fileName()}).exitCode, 0);
    EXPECT_FALSE(QFile::exists(path(QString::fromLatin1(kConfigFileName))));
    ASSERT_EQ(run({QStringLiteral("program"), QStringLiteral("load"), path(QStringLiteral("a.roln"))}).exitCode, 0);
    EXPECT_EQ(configuration().channel(2).offsetSC, -42.09);
}

TEST_F(SettingsCli, ADamagedConfigurationOrAFifoIsNotWritten)
{
    QFile params(path(QStringLiteral("zestaw.txt")));
    ASSERT_TRUE(params.open(QIODevice::WriteOnly));
    params.write("Hala 2\n1 15,259 0 1 k1\n");
    params.close();
    // The sizes are the core's matter; here each command's wiring to the refusal.
    const QString config = path(QString::fromLatin1(kConfigFileName));
    const std::pair<QStringList, qsizetype> cases[] = {{{QStringLiteral("params"), params.fileName()}, 2199},
                                                       {{QStringLiteral("preset"), QStringLiteral("1")}, 0}};
    for (const auto& [command, size] : cases) {
        SCOPED_TRACE(command.join(QLatin1Char(' ')).toStdString());
        QFile damaged(config);
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write(QByteArray(size, 'd'));
        damaged.close();
        const test::CliRun r = run(command);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(config + QStringLiteral(" ma %1 bajtów").arg(size))) << r.err.toStdString();
        QFile after(config);
        ASSERT_TRUE(after.open(QIODevice::ReadOnly));
        EXPECT_EQ(after.readAll(), QByteArray(size, 'd'));
    }
    QFile::remove(config);
    const QString fifo = path(QStringLiteral("fifo.roln"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const test::CliRun save = run({QStringLiteral("program"), QStringLiteral("save"), fifo});
    EXPECT_EQ(save.exitCode, 1);
    EXPECT_TRUE(save.err.contains(fifo + QString::fromUtf8(" nie jest zwykłym plikiem"))) << save.err.toStdString();
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}

}  // namespace
}  // namespace vorda
