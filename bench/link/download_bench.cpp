// The download of one generated block from recorder-sim paced as a 230400-baud line:
// characters a second against the line's 230400 / 11 = 20,945, from the command to the
// arrival of the last byte. The silence that ends every block is timed apart: a chunk
// that ends short returns only after the line has been quiet for the inter-character
// interval, and the block ends with a chunk read that waits the whole second in vain.

#include "core/program_state.h"
#include "core/progress_views.h"
#include "core/reporter.h"
#include "core/settings_files.h"
#include "link/memory_download.h"
#include "link/serial_link.h"
#include "support/recorder_sim.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

namespace {

using namespace vorda;

constexpr double kLineRate = 230400.0 / 11.0;

// Notes when the first and the last chunk of the block came, and the last one's size.
class TimingView : public DownloadView {
public:
    QElapsedTimer clock;
    qint64 firstByteNs = -1;
    qint64 lastChunkNs = -1;
    std::int64_t lastChunkSize = 0;
    std::int64_t bytes = 0;
    void bytesReceived(std::int64_t total) override
    {
        const qint64 now = clock.nsecsElapsed();
        if (firstByteNs < 0) firstByteNs = now;
        lastChunkNs = now;
        lastChunkSize = total - bytes;
        bytes = total;
    }
    // A short last chunk returned only after the line had been quiet for the interval.
    qint64 lastByteNs() const
    {
        const qint64 quiet = lastChunkSize < kChunkSize ? qint64(timeoutsForMode(kDataMode).intervalMs) * 1000000 : 0;
        return lastChunkNs - quiet;
    }
};

void BM_DownloadPaced(benchmark::State& state)
{
    const QString samples = QString::number(state.range(0));
    test::RecorderSim sim({"--blocks", "1", "--channels", "16", "--samples", samples, "--baud", "230400"}, false);
    if (!sim.started()) {
        state.SkipWithError(sim.errorText().toStdString().c_str());
        return;
    }
    QTemporaryDir dir;
    Settings settings{};
    applyStartupDefaults(settings, dir.path());
    ProgramState program;
    program.setStartDir(dir.path());
    Reporter quiet;
    SerialLink link(settings, makeSerialPortTransport(), dir.path());
    link.setDeviceOverride(sim.devicePath());

    double bytes = 0, transferSeconds = 0, silenceSeconds = 0, wholeSeconds = 0, firstByteSeconds = 0;
    for (auto _ : state) {
        TimingView view;
        MemoryDownload download(settings, program, link, quiet, &view);
        view.clock.start();
        const BlockDownload block = download.downloadBlock(1);
        const qint64 endNs = view.clock.nsecsElapsed();
        if (view.firstByteNs < 0 || block.bytes == 0) {
            state.SkipWithError("no data came");
            return;
        }
        // From the command to the last byte: the line's share of the work.
        const double transfer = double(view.lastByteNs()) / 1e9;
        state.SetIterationTime(transfer);
        bytes += double(block.bytes);
        transferSeconds += transfer;
        silenceSeconds += double(endNs - view.lastByteNs()) / 1e9;
        wholeSeconds += double(endNs) / 1e9;
        firstByteSeconds += double(view.firstByteNs) / 1e9;
    }
    const double rate = bytes / transferSeconds;
    state.counters["chars_per_s"] = rate;
    state.counters["of_line_pct"] = 100.0 * rate / kLineRate;
    state.counters["silence_s"] = silenceSeconds / double(state.iterations());
    // Everything but the final second's wait, the inter-character interval included.
    state.counters["with_interval_pct"] =
        100.0 * bytes / (wholeSeconds - double(state.iterations()) * timeoutsForMode(kDataMode).totalMs / 1000.0) /
        kLineRate;
    state.counters["first_byte_s"] = firstByteSeconds / double(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}

// 16 channels x 2000 samples: 128,000 sample characters, about six seconds on the line.
BENCHMARK(BM_DownloadPaced)->Arg(2000)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

// QProcess, which runs the simulator, wants an application object.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
