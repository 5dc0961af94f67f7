// Reading throughput of Wizor's reader on a file of 32000 data lines x 32 columns, the
// largest file the charts show, and the cost of its parts.
#include "measurement_loader.h"

#include <benchmark/benchmark.h>

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
    std::string text = makeFileText(32000, 32);
    std::string path;
    SampleFile()
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

const SampleFile& sample()
{
    static const SampleFile file;
    return file;
}

// The whole load as the window performs it: file read in chunks, parse, points collected.
void LoadFile(benchmark::State& state)
{
    const SampleFile& file = sample();
    wizor::Linia1MG parser;
    wizor::MeasurementData data;
    for (auto _ : state) {
        wizor::loadMeasurementFile(file.path, parser, data, 32000);
        benchmark::DoNotOptimize(data.maxValue);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(file.text.size()));
}
BENCHMARK(LoadFile)->Unit(benchmark::kMillisecond);

// Parsing alone, lines already in memory.
void ParseLines(benchmark::State& state)
{
    const std::string& text = sample().text;
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        lines.emplace_back(text.data() + start, end - start);
        start = end + 1;
    }
    wizor::Linia1MG parser;
    for (auto _ : state) {
        parser.Reset();
        for (std::string_view line : lines) benchmark::DoNotOptimize(parser.ParseLine(line));
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
