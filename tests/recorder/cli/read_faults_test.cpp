// vorda-cli read against recorder-sim with one injected fault at a time: the exit status,
// the messages, and that every measurement file holds only whole samples.

#include "core/reporter.h"
#include "core/settings_files.h"
#include "support/cli_run.h"
#include "support/recorder_sim.h"

#include <gtest/gtest.h>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>
#include <memory>
#include <vector>

namespace vorda {
namespace {

using test::CliRun;
using test::RecorderSim;

constexpr int kSamples = 20;
constexpr int kChannels = 2;

constexpr char kRegularName[] = "2024_03_15_08_00_00.txt";
constexpr char kPartialName[] = "2024_03_15_08_00_00_niepelny.txt";
constexpr qint64 kWholeDump = 35 + kSamples * kChannels * 4;  // the header line and the samples

enum class Cut { None, KillSimulator, Interrupt };

struct Fault {
    const char* name;
    QStringList simArguments;
    int exitCode;
    QStringList files;                // measurement files written
    QStringList out;                  // texts the transfer messages hold
    QStringList err;                  // texts standard error holds
    Cut cut = Cut::None;              // done once the first dump has begun and ...
    qint64 cutAfter = 0;              // ... this many more bytes have been read
    const char* directory = nullptr;  // a directory made where a file goes
    const char* symlink = nullptr;    // a symbolic link to a file outside made where a file goes
    bool noDataDirectory = false;     // the configuration names a data directory that is not there
};

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A configuration in `dir` that names the channels, so their values are written.
bool writeNamedChannels(const QString& dir, bool missingDataDirectory)
{
    Settings s{};
    applyStartupDefaults(s, dir);
    if (missingDataDirectory) setFieldText(s.dataDirectory, (dir + QStringLiteral("/nowhere")).toStdString());
    for (int c = 1; c <= kChannels; ++c) setFieldText(s.channels[c].name, "k" + std::to_string(c));
    Reporter quiet;
    return saveSettingsFile(s, dir + QStringLiteral("/") + QString::fromLatin1(kConfigFileName), quiet);
}

// Starts `vorda-cli read` in `dir` on the simulator's line.
std::unique_ptr<QProcess> startRead(const RecorderSim& sim, const QString& dir)
{
    auto cli = std::make_unique<QProcess>();
    cli->setWorkingDirectory(dir);
    cli->setProcessEnvironment(test::languageEnvironment());
    cli->setStandardInputFile(QProcess::nullDevice());
    cli->start(test::vordaCliPath(), {QStringLiteral("--port"), sim.devicePath(), QStringLiteral("read")});
    return cli;
}

CliRun finishRead(QProcess& cli)
{
    CliRun run;
    // A read may have ended already while the cut waited for its bytes.
    if (cli.state() != QProcess::NotRunning && !cli.waitForFinished(60000)) {
        cli.kill();
        cli.waitForFinished();
        return run;
    }
    run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.out = QString::fromUtf8(cli.readAllStandardOutput());
    run.err = QString::fromUtf8(cli.readAllStandardError());
    return run;
}

// What the process has read so far from files, pipes and its line.
qint64 bytesRead(qint64 pid)
{
    QFile io(QStringLiteral("/proc/%1/io").arg(pid));
    if (!io.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : io.readAll().split('\n'))
        if (line.startsWith("rchar:")) return line.mid(6).trimmed().toLongLong();
    return -1;
}

// The sample lines of a measurement file (what the lines hold is the conversion's
// business and tested there).
int sampleLines(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return static_cast<int>(file.readAll().count('\n')) - 1;
}

TEST(ReadFaults, EachFaultEndsWithTheTruthAndNoInventedValue)
{
    const QString blockLine = QStringLiteral("o długości %1 pomiarów zapisany").arg(kSamples);
    const QString regular = QString::fromLatin1(kRegularName);
    const QString partial = QString::fromLatin1(kPartialName);
    // What stands under a block's name and is not its file stays; the block goes beside.
    const QString beside = QStringLiteral("2024_03_15_08_00_00_2.txt");
    const QString keptText = QStringLiteral("Plik %1 nie jest plikiem tego bloku").arg(regular);
    const Fault faults[] = {
        {"none", {}, 0, {regular}, {blockLine}, {}},
        {"silent register 0",
         {"--silent-register", "0"},
         1,
         {},
         {"Brak pomiarów do przeczytania"},
         {"Brak komunikacji"}},
        {"silent register 1",
         {"--silent-register", "1"},
         1,
         {},
         {"Błąd, powtórz=7"},
         {"Błędny typ czytanego rekordu", "blok 1: Błędny typ czytanego rekordu"}},
        {"wrong block numbers, then right",
         {"--wrong-block-number", "3"},
         0,
         {regular},
         {"Błąd, powtórz=3", blockLine},
         {}},
        {"garbage before the first replies", {"--garbage", "6:2"}, 0, {regular}, {blockLine}, {}},
        {"CR LF after the dump", {"--dump-trailer"}, 0, {regular}, {blockLine}, {}},
        {"NUL in the dump",
         {"--nul-in-dump", "50"},
         1,
         {partial},
         {"Długość bloku niezgodna z nagłówkiem", "1 znaków spoza zakresu danych"},
         {"blok 1: Długość bloku niezgodna", "blok 1: 1 znaków spoza zakresu danych",
          "Przeczytano 0 bloków, niepełne: 1"}},
        {"a cut block",
         {"--cut-block", "1:100"},
         1,
         {partial},
         {"Blok niepełny: plik '__m.mem' zawiera"},
         {"blok 1: Blok niepełny", "Przeczytano 0 bloków, niepełne: 1"}},
        {"a never silent recorder",
         {"--never-silent", "--baud", "2000000"},
         1,
         {partial},
         {"Rejestrator nie przestaje nadawać: przerwano po"},
         {"blok 1: Rejestrator nie przestaje nadawać"}},
        {"the dump cannot be created", {}, 1, {}, {}, {"blok 1: Błąd otwarcia pliku"}, Cut::None, 0, "__m.mem"},
        {"a symbolic link at the dump",
         {},
         1,
         {},
         {},
         {"blok 1: Błąd otwarcia pliku", "nie jest zwykłym plikiem"},
         Cut::None,
         0,
         nullptr,
         "__m.mem"},
        {"a directory in the measurement file's place", {}, 0, {beside}, {keptText}, {}, Cut::None, 0, kRegularName},
        {"a symbolic link in the measurement file's place",
         {},
         0,
         {beside},
         {keptText},
         {},
         Cut::None,
         0,
         nullptr,
         kRegularName},
        {"a missing data directory",
         {},
         1,
         {},
         {"Katalog danych"},
         {"Katalog danych"},
         Cut::None,
         0,
         nullptr,
         nullptr,
         true},
        {"the simulator killed mid-block",
         {"--baud", "9600", "--samples", "1000"},
         1,
         {partial},
         {"Blok niepełny"},
         {"blok 1: Blok niepełny", "Przeczytano 0 bloków, niepełne: 1"},
         Cut::KillSimulator,
         200},
        {"the simulator killed after a whole block", {}, 0, {regular}, {blockLine}, {}, Cut::KillSimulator, kWholeDump},
        {"Ctrl+C after a whole block", {}, 0, {regular}, {blockLine}, {}, Cut::Interrupt, kWholeDump},
    };
    // The reads run side by side: each waits mostly for the line's silence.
    struct Read {
        QTemporaryDir dir;
        std::unique_ptr<RecorderSim> sim;
        std::unique_ptr<QProcess> cli;
    };
    std::vector<Read> reads(std::size(faults));
    for (std::size_t i = 0; i < reads.size(); ++i) {
        const Fault& fault = faults[i];
        Read& read = reads[i];
        ASSERT_TRUE(read.dir.isValid());
        ASSERT_TRUE(writeNamedChannels(read.dir.path(), fault.noDataDirectory));
        if (fault.directory) {
            ASSERT_TRUE(QDir(read.dir.path()).mkdir(QString::fromUtf8(fault.directory)));
        }
        if (fault.symlink) {
            ASSERT_TRUE(writeFile(read.dir.filePath(QStringLiteral("outside.dat")), "keep"));
            ASSERT_TRUE(QFile::link(read.dir.filePath(QStringLiteral("outside.dat")),
                                    read.dir.filePath(QString::fromUtf8(fault.symlink))));
        }
        read.sim = std::make_unique<RecorderSim>(QStringList{"--blocks", "1", "--model", "R3", "--samples",
                                                             QString::number(kSamples), "--channels",
                                                             QString::number(kChannels)} +
                                                 fault.simArguments);
        ASSERT_TRUE(read.sim->started()) << fault.name << ": " << read.sim->errorText().toStdString();
        read.cli = startRead(*read.sim, read.dir.path());
        ASSERT_TRUE(read.cli->waitForStarted(30000)) << fault.name;
        if (fault.cut != Cut::None) {
            // Once the block is asked for and the given bytes have been read from the line
            // (the dump itself is written through a buffer).
            ASSERT_TRUE(read.sim->waitForCommands(5, 30000).contains(" ?MEM 1 &"));
            const qint64 before = bytesRead(read.cli->processId());
            QDeadlineTimer deadline(30000);
            while (bytesRead(read.cli->processId()) < before + fault.cutAfter && !deadline.hasExpired() &&
                   read.cli->state() == QProcess::Running)
                read.cli->waitForFinished(5);
            if (fault.cut == Cut::KillSimulator)
                read.sim->kill();
            else
                test::interruptProcess(*read.cli);
        }
    }
    for (std::size_t i = 0; i < reads.size(); ++i) {
        const Fault& fault = faults[i];
        SCOPED_TRACE(fault.name);
        const CliRun run = finishRead(*reads[i].cli);
        EXPECT_EQ(run.exitCode, fault.exitCode) << run.out.toStdString() << run.err.toStdString();
        for (const QString& text : fault.out) EXPECT_TRUE(run.out.contains(text)) << run.out.toStdString();
        for (const QString& text : fault.err) EXPECT_TRUE(run.err.contains(text)) << run.err.toStdString();
        if (fault.exitCode == 0) {
            // Nothing on standard error but the read's summary.
            EXPECT_TRUE(run.err.trimmed().startsWith(QStringLiteral("Przeczytano ")) &&
                        !run.err.trimmed().contains(QLatin1Char('\n')))
                << run.err.toStdString();
        }

        const QStringList files =
            QDir(reads[i].dir.path()).entryList({QStringLiteral("*.txt")}, QDir::Files | QDir::NoSymLinks);
        EXPECT_EQ(files, fault.files) << files.join(' ').toStdString();
        if (fault.symlink) {
            QFile outside(reads[i].dir.filePath(QStringLiteral("outside.dat")));
            EXPECT_TRUE(outside.open(QIODevice::ReadOnly) && outside.readAll() == "keep");
        }
        // A short block's file holds just the samples the report counts.
        const QRegularExpressionMatch cut =
            QRegularExpression(QStringLiteral("zawiera (\\d+) z \\d+ pomiarów")).match(run.out);
        for (const QString& name : files) {
            const int lines = sampleLines(reads[i].dir.filePath(name));
            EXPECT_EQ(lines, cut.hasMatch() ? cut.captured(1).toInt() : kSamples) << name.toStdString();
        }
    }
}

TEST(CliOptions, AMissingValueIsNamed)
{
    QTemporaryDir dir;
    const std::pair<QStringList, const char*> cases[] = {
        {{"--port"}, "vorda-cli: --port wymaga wartości"},
        {{"calibrate", "1", "T", "--format"}, "vorda-cli calibrate: --format wymaga wartości"},
        {{"monitor", "--count"}, "vorda-cli monitor: --count wymaga wartości"},
        {{"monitor", "--output"}, "vorda-cli monitor: --output wymaga wartości"},
        {{"preset", "1", "--channel"}, "vorda-cli preset: --channel wymaga wartości"},
    };
    for (const auto& [args, text] : cases) {
        const CliRun run = test::runProgram(dir.path(), args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith(QString::fromUtf8(text))) << run.err.toStdString();
    }
}

}  // namespace
}  // namespace vorda
