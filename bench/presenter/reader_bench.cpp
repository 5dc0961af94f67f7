// Reading throughput of Wizor's reader on a file of 32000 data lines x 32 columns (one
// page) and on one of 1,564,670 lines x 16 columns (the recorder's largest block), and
// the cost of the parts.
#include "float_scan.h"
#include "measurement_loader.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

std::string makeFileText(int lines, int columns)
{
    std::mt19937 random(1);
    std::string text = "Godzina:  ";
    for (int c = 1; c <= columns; ++c) text += "Kanal" + std::to_string(c) + " ";
    text += "\r\n";
    char field[32];
    for (int i = 0; i < lines; ++i) {
        const int ms = i * 250;
        std::snprintf(field, sizeof field, "%02d:%02d:%02d.%03d", ms / 3600000 % 24, ms / 60000 % 60, ms / 1000 % 60,
                      ms % 1000);
        text += field;
        for (int c = 0; c < columns; ++c) {
            std::snprintf(field, sizeof field, " %.*f", c % 4, (int(random() % 200000) - 100000) / 97.0);
            text += field;
        }
        text += "\r\n";
    }
    return text;
}

struct SampleFile {
    std::string text;
    std::string path;
    SampleFile(int lines, int columns) : text(makeFileText(lines, columns))
    {
        char name[] = "/tmp/wizor_bench_XXXXXX";
        const int fd = mkstemp(name);
        path = name;
        if (fd >= 0) {
            (void)!write(fd, text.data(), text.size());
            close(fd);
        }
    }
    ~SampleFile() { std::remove(path.c_str()); }
};

// Processor time of the whole process, every thread included.
double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

const SampleFile& sample()
{
    static const SampleFile file(32000, 32);
    return file;
}

const SampleFile& largeSample()
{
    static const SampleFile file(1564670, 16);
    return file;
}

// The whole load as the window performs it: file read in blocks, parse, statistics, page
// starts, overview and the first page's points.
void LoadFile(benchmark::State& state)
{
    const SampleFile& file = state.range(0) ? largeSample() : sample();
    wizor::Linia1MG parser;
    wizor::MeasurementData data;
    const double cpuBefore = processCpuSeconds();
    for (auto _ : state) {
        wizor::loadMeasurementFile(file.path, parser, data, wizor::kPageLines);
        benchmark::DoNotOptimize(data.maxValue);
    }
    const double bytes = double(state.iterations()) * double(file.text.size());
    state.SetBytesProcessed(std::int64_t(bytes));
    // Bytes per second of processor time of both threads: the rate one free core would give.
    state.counters["MB_per_cpu_s"] = bytes / 1e6 / (processCpuSeconds() - cpuBefore);
}
BENCHMARK(LoadFile)->Arg(0)->Arg(1)->ArgName("large")->Unit(benchmark::kMillisecond)->UseRealTime();

// One page read from its start, as a page step does.
void LoadPage(benchmark::State& state)
{
    const SampleFile& file = largeSample();
    wizor::Linia1MG parser;
    wizor::MeasurementData data;
    wizor::loadMeasurementFile(file.path, parser, data, wizor::kPageLines);
    const std::size_t page = data.pageCount() / 2;
    for (auto _ : state) {
        wizor::loadDataLines(file.path, data, page * wizor::kPageLines, wizor::kPageLines);
        benchmark::DoNotOptimize(data.columns[0].values.data());
    }
}
BENCHMARK(LoadPage)->Unit(benchmark::kMillisecond);

// Parsing alone, lines already in memory (with the padding the parser reads past a line).
void ParseLines(benchmark::State& state)
{
    const std::string text = sample().text + std::string(wizor::kLinePadding, ' ');
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < sample().text.size();) {
        const std::size_t end = text.find('\n', start);
        lines.emplace_back(text.data() + start, end - start);
        start = end + 1;
    }
    wizor::Linia1MG parser;
    for (auto _ : state) {
        parser.Reset();
        for (std::string_view line : lines) benchmark::DoNotOptimize(parser.ParsePaddedLine(line));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}
BENCHMARK(ParseLines)->Unit(benchmark::kMillisecond);

const std::vector<std::string>& numberTokens()
{
    static const std::vector<std::string> tokens = [] {
        std::mt19937 random(2);
        std::vector<std::string> t;
        char field[32];
        for (int i = 0; i < 4096; ++i) {
            std::snprintf(field, sizeof field, "%.*f", i % 4, (int(random() % 200000) - 100000) / 97.0);
            t.emplace_back(field);
        }
        return t;
    }();
    return tokens;
}

void ScanFloat(benchmark::State& state)
{
    for (auto _ : state)
        for (const std::string& token : numberTokens()) benchmark::DoNotOptimize(wizor::scanFloat(token));
    state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(numberTokens().size()));
}
BENCHMARK(ScanFloat);

// The C library's "%f", for comparison.
void SscanfFloat(benchmark::State& state)
{
    for (auto _ : state)
        for (const std::string& token : numberTokens()) {
            float value = 0;
            benchmark::DoNotOptimize(std::sscanf(token.c_str(), "%f", &value));
            benchmark::DoNotOptimize(value);
        }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(numberTokens().size()));
}
BENCHMARK(SscanfFloat);

}  // namespace

BENCHMARK_MAIN();
