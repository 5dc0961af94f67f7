// Measurement-file text and dump conversion speed.
//   bench_files --benchmark_filter=Lines        values formatted a second, 16-channel lines
//   bench_files --benchmark_filter=LargestBlock the largest block a recorder can hold

#include "core/reporter.h"
#include "files/dump_conversion.h"
#include "files/measurement_file.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

using namespace vorda;

namespace {

// Counts what it is given and keeps nothing: only the formatting is timed.
class NullDevice : public QIODevice {
public:
    NullDevice() { open(QIODevice::WriteOnly); }
    qint64 written = 0;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 len) override
    {
        written += len;
        return len;
    }
};

Settings benchSettings(int numberFormat)
{
    Settings s;
    std::memset(&s, 0, sizeof s);
    s.firstColumn = 2;
    for (int c = 1; c <= kMaxChannels; ++c) {
        char name[8];
        std::snprintf(name, sizeof name, "K%d", c);
        setFieldText(s.channels[c].name, name);
        s.channels[c].numberFormat = numberFormat;
        s.channels[c].slopeSB = 0.7 + 0.1 * c;
        s.channels[c].offsetSC = -12.5;
    }
    return s;
}

void SixteenChannelLines(benchmark::State& state)
{
    const Settings settings = benchSettings(static_cast<int>(state.range(0)));
    BlockLayout layout;
    layout.recordType = '3';
    layout.channelCount = kMaxChannels;
    layout.samplingMs = 10;
    // Values as scaling gives them, a table large enough not to be learnt by the predictor.
    std::mt19937 rng(1);
    std::vector<SampleItems> samples(4096);
    for (auto& s : samples) {
        s.codesPresent = kMaxChannels;
        for (float& v : s.values) v = static_cast<float>(static_cast<int>(rng() % 65536) * 1.3e-3 - 12.5);
    }
    NullDevice device;
    MeasurementFileWriter writer(settings, layout, device);
    std::int64_t i = 0;
    for (auto _ : state) {
        writer.writeSampleLine(i, samples[static_cast<std::size_t>(i) & 4095]);
        ++i;
    }
    writer.flush();
    state.SetItemsProcessed(state.iterations() * kMaxChannels);
    state.SetLabel("items = values");
}
BENCHMARK(SixteenChannelLines)->DenseRange(0, 4);

// The same values through snprintf, for comparison.
void SixteenValuesWithSnprintf(benchmark::State& state)
{
    std::mt19937 rng(1);
    std::vector<float> values(4096);
    for (float& v : values) v = static_cast<float>(static_cast<int>(rng() % 65536) * 1.3e-3 - 12.5);
    char buf[64];
    std::size_t i = 0;
    for (auto _ : state) {
        for (int k = 0; k < kMaxChannels; ++k)
            benchmark::DoNotOptimize(std::snprintf(buf, sizeof buf, "%.2f", static_cast<double>(values[i++ & 4095])));
    }
    state.SetItemsProcessed(state.iterations() * kMaxChannels);
}
BENCHMARK(SixteenValuesWithSnprintf);

double peakRssMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

// 1,564,670 samples of 16 channels: about 100 MB of dump, 25 million values.
void LargestBlock(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString dumpPath = dir.filePath(QString::fromLatin1(kDumpFileName));
    {
        QFile dump(dumpPath);
        dump.open(QIODevice::WriteOnly);
        char header[128];
        const int n = std::snprintf(header, sizeof header, "R3 2024-05-01 12:00:00 1 %lld 10 16 0\r",
                                    static_cast<long long>(kMaxBlockSamples));
        dump.write(header, n);
        std::mt19937 rng(2);
        std::vector<char> chunk(64 * 1024);
        std::int64_t left = kMaxBlockSamples * kMaxChannels * 4;
        while (left > 0) {
            const auto len =
                static_cast<std::size_t>(std::min<std::int64_t>(left, static_cast<std::int64_t>(chunk.size())));
            for (std::size_t i = 0; i < len; ++i) chunk[i] = static_cast<char>('0' + rng() % 16);
            dump.write(chunk.data(), static_cast<qint64>(len));
            left -= static_cast<std::int64_t>(len);
        }
    }
    Settings settings = benchSettings(static_cast<int>(state.range(0)));
    settings.firstColumn = 3;
    const QByteArray data = dir.path().toLocal8Bit();
    setFieldText(settings.dataDirectory, std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
    Reporter quiet;
    qint64 fileSize = 0;
    for (auto _ : state) {
        const ConversionResult r = convertDump(dumpPath, settings, quiet);
        if (!r.complete()) state.SkipWithError("conversion failed");
        fileSize = QFileInfo(r.filePath).size();
    }
    state.SetItemsProcessed(state.iterations() * kMaxBlockSamples * kMaxChannels);
    state.counters["file_MB"] = static_cast<double>(fileSize) / 1e6;
    state.counters["peak_RSS_MiB"] = peakRssMiB();
}
BENCHMARK(LargestBlock)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
