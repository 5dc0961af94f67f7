// Load-to-first-paint of Wizor's window on a file of 32000 data lines x 32 columns (the
// file read, both charts filled, the fit, and both charts drawn once), and on the
// recorder's largest block, 1,564,670 lines x 16 columns: open to first paint, a page
// step and the whole-file overview, with the process's peak memory.
#include "chart_window.h"
#include "sample_file.h"
#include "wizor_chart.h"
#include "wizor_dialogs.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <memory>

namespace {

using bench_presenter::kLargeLines;
using wizor::NoDialogs;

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void drawBoth(wizor::ChartWindow& window)
{
    window.upperChart()->replot(QCustomPlot::rpImmediateRefresh);
    window.lowerChart()->replot(QCustomPlot::rpImmediateRefresh);
}

// The window on the 32000-line, 32-column sample file, shown and loaded; `ready()` is
// false when the sample file could not be written.
class SampleWindow {
public:
    explicit SampleWindow(int lines = 32000, int columns = 32)
    {
        window_.show();
        QCoreApplication::processEvents();
        path_ = dir_.filePath("big.txt");
        QFile file(path_);
        if (!file.open(QIODevice::WriteOnly) || !bench_presenter::writeSampleFile(file, lines, columns)) return;
        file.close();
        window_.start(path_, dir_.path(), dir_.path());
        ready_ = true;
    }

    const QString& path() const { return path_; }

    bool ready() const { return ready_; }
    wizor::ChartWindow& window() { return window_; }

private:
    QTemporaryDir dir_;
    QString path_;
    NoDialogs dialogs_;
    wizor::ChartWindow window_{dialogs_};
    bool ready_ = false;
};

void LoadToFirstPaint(benchmark::State& state)
{
    SampleWindow sample;
    if (!sample.ready()) {
        state.SkipWithError("cannot write the sample file");
        return;
    }
    wizor::ChartWindow& window = sample.window();
    drawBoth(window);
    for (auto _ : state) {
        window.reload();
        window.fit();
        drawBoth(window);
    }
    state.counters["points"] = double(window.upperChart()->curve(0)->dataCount() * 32);
}
BENCHMARK(LoadToFirstPaint)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A zoom step and a scroll step as the user sees them: new ranges and one redraw.
void ZoomAndRedraw(benchmark::State& state)
{
    SampleWindow sample;
    if (!sample.ready()) {
        state.SkipWithError("cannot write the sample file");
        return;
    }
    wizor::ChartWindow& window = sample.window();
    for (auto _ : state) {
        window.upperChart()->zoomIn(false);
        window.upperChart()->replot(QCustomPlot::rpImmediateRefresh);
        window.upperChart()->undoZoom();
        window.upperChart()->replot(QCustomPlot::rpImmediateRefresh);
    }
}
BENCHMARK(ZoomAndRedraw)->Unit(benchmark::kMillisecond);

// The readout following the mouse across the 32000-point page of 16 curves: one move, the
// readout's widgets placed and painted.
void ReadoutMove(benchmark::State& state)
{
    SampleWindow sample;
    if (!sample.ready()) {
        state.SkipWithError("cannot write the sample file");
        return;
    }
    wizor::WizorChart* chart = sample.window().upperChart();
    chart->replot(QCustomPlot::rpImmediateRefresh);
    const QRect area = chart->axisRect()->rect();
    int x = area.left();
    for (auto _ : state) {
        x = x + 7 > area.right() ? area.left() : x + 7;
        const QPoint at(x, area.center().y());
        QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(chart, &move);
        chart->repaint();
    }
}
BENCHMARK(ReadoutMove)->Unit(benchmark::kMillisecond);

// The largest file (about 170 MB) is written once and shared by the benchmarks below;
// released in main() while the application still runs.
std::unique_ptr<SampleWindow> largeSampleWindow;

SampleWindow* largeSample(benchmark::State& state)
{
    if (!largeSampleWindow) largeSampleWindow = std::make_unique<SampleWindow>(kLargeLines, 16);
    if (largeSampleWindow->ready()) return largeSampleWindow.get();
    state.SkipWithError("cannot write the sample file");
    return nullptr;
}

// Opening the largest file: the whole read, the first page on the charts, the fit and the
// first drawing of the charts.
void LargeOpenToFirstPaint(benchmark::State& state)
{
    SampleWindow* sample = largeSample(state);
    if (!sample) return;
    wizor::ChartWindow& window = sample->window();
    for (auto _ : state) {
        window.openFile(sample->path());
        window.fit();
        drawBoth(window);
    }
    state.counters["MB/s"] = benchmark::Counter(double(QFile(sample->path()).size()) / 1e6 * double(state.iterations()),
                                                benchmark::Counter::kIsRate);
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(LargeOpenToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// One page step on the largest file: the page read from its start and drawn.
void LargePageStep(benchmark::State& state)
{
    SampleWindow* sample = largeSample(state);
    if (!sample) return;
    wizor::ChartWindow& window = sample->window();
    window.openFile(sample->path());  // from its first page, whatever ran before
    for (auto _ : state) {
        if (window.page() + 1 < window.data().pageCount())
            window.nextPage();
        else
            window.firstPage();
        drawBoth(window);
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(LargePageStep)->Unit(benchmark::kMillisecond)->UseRealTime();

// Switching the largest file to its overview and drawing it.
void LargeOverviewDraw(benchmark::State& state)
{
    SampleWindow* sample = largeSample(state);
    if (!sample) return;
    wizor::ChartWindow& window = sample->window();
    window.openFile(sample->path());  // from its first page, whatever ran before
    for (auto _ : state) {
        window.toggleWholeFile();
        drawBoth(window);
        state.PauseTiming();
        window.toggleWholeFile();
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(LargeOverviewDraw)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    largeSampleWindow.reset();
    benchmark::Shutdown();
    return 0;
}
