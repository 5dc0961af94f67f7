// Appending a monitoring line to the main window's memo when it already holds a day of
// lines (one every 3 seconds: 28,800).

#include "ui/live_monitoring.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>

#include <cstdio>
#include <string>

namespace {

std::string lineAt(int n)
{
    char text[128];
    std::snprintf(text, sizeof text, "26-03-04 %02d:%02d:%02d\t 21.5\t    0\t 12.25\t  100\t", n / 1200 % 24,
                  n / 20 % 60, n * 3 % 60);
    return text;
}

void AppendToADayOfLines(benchmark::State& state)
{
    QPlainTextEdit memo;
    vorda::configureMonitoringMemo(memo);
    memo.resize(400, 300);
    memo.show();
    for (int n = 0; n < 28800; ++n) vorda::appendMonitoringLine(memo, lineAt(n));
    QApplication::processEvents();
    int n = 28800;
    for (auto _ : state) {
        vorda::appendMonitoringLine(memo, lineAt(n++));
        QApplication::processEvents();  // the memo repaints its new last line
    }
    state.counters["lines"] = memo.blockCount();
}
BENCHMARK(AppendToADayOfLines)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
