// Wizor's start as the user waits for it: the real program started as a process on a file,
// timed from the start to its first idle moment with the file painted (WIZOR_QUIT_WHEN_IDLE
// makes it end there), on a three-line file and on the recorder's largest block, 1,564,670
// lines x 16 columns. Runs on the platform of QT_QPA_PLATFORM (offscreen when unset; run
// under xvfb-run with QT_QPA_PLATFORM=xcb for a real X server). peak_MB is the largest
// resident size of a started program so far. WIZOR_START_PROGRAM names another build of the
// program to time (a before-and-after comparison).
#include "sample_file.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <memory>

namespace {

// The files and an empty configuration folder, made once for every benchmark of the run.
struct StartFiles {
    QTemporaryDir dir;
    QString small = dir.filePath(QStringLiteral("small.txt"));
    QString large = dir.filePath(QStringLiteral("large.txt"));
    bool ready = false;

    StartFiles()
    {
        QFile smallFile(small);
        QFile largeFile(large);
        ready = dir.isValid() && smallFile.open(QIODevice::WriteOnly) &&
                bench_presenter::writeSampleFile(smallFile, 2, 16) && largeFile.open(QIODevice::WriteOnly) &&
                bench_presenter::writeSampleFile(largeFile, bench_presenter::kLargeLines, 16);
    }
};

std::unique_ptr<StartFiles> files;

double childrenPeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void startOn(benchmark::State& state, const QString& path)
{
    if (!files->ready) {
        state.SkipWithError("cannot write the sample files");
        return;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WIZOR_QUIT_WHEN_IDLE"), QStringLiteral("1"));
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // No window place remembered from the user's own runs.
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), files->dir.path());
    const QString program = qEnvironmentVariable("WIZOR_START_PROGRAM", QStringLiteral(WIZOR_PROGRAM));
    for (auto _ : state) {
        QProcess wizor;
        wizor.setProcessEnvironment(environment);
        wizor.setWorkingDirectory(files->dir.path());
        wizor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer clock;
        clock.start();
        wizor.start(program, {path});
        const bool ended = wizor.waitForFinished(60000);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (!ended || wizor.exitStatus() != QProcess::NormalExit || wizor.exitCode() != 0) {
            state.SkipWithError("wizor did not end by itself");
            return;
        }
    }
    state.counters["peak_MB"] = childrenPeakMegabytes();
}

void StartSmallFile(benchmark::State& state)
{
    startOn(state, files->small);
}
BENCHMARK(StartSmallFile)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(15);

void StartLargeFile(benchmark::State& state)
{
    startOn(state, files->large);
}
BENCHMARK(StartLargeFile)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(9);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    files = std::make_unique<StartFiles>();
    benchmark::RunSpecifiedBenchmarks();
    files.reset();
    benchmark::Shutdown();
    return 0;
}
