// Load-to-first-paint of Wizor's window on a file of 32000 data lines x 32 columns:
// the file read, both charts filled, the fit, and both charts drawn once.
#include "wizor_chart.h"
#include "wizor_dialogs.h"
#include "wizor_form.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <random>

namespace {

class NoDialogs : public wizor::WizorDialogs {
public:
    QString openDataFile(QWidget*, const QString&) override { return {}; }
    QString saveBitmapFile(QWidget*, const QString&) override { return {}; }
    std::optional<QColor> chooseColour(QWidget*, const QColor&) override { return std::nullopt; }
    bool setUpPrinter(QWidget*, QPrinter&) override { return false; }
    void showAbout(QWidget*) override {}
    void showError(QWidget*, const QString&, const QString&) override {}
    bool openUrl(const QUrl&) override { return false; }
};

QByteArray fileText(int lines, int columns)
{
    std::mt19937 random(7);
    QByteArray text = "Godzina:";
    for (int c = 1; c <= columns; ++c) text += " Kanal" + QByteArray::number(c);
    text += "\r\n";
    char field[40];
    for (int i = 0; i < lines; ++i) {
        std::snprintf(field, sizeof field, "05-03-17 %02d:%02d:%02d", i / 3600 % 24, i / 60 % 60, i % 60);
        text += field;
        for (int c = 0; c < columns; ++c) {
            std::snprintf(field, sizeof field, " %.2f", 20.0 + c + (int(random() % 2000) - 1000) / 100.0);
            text += field;
        }
        text += "\r\n";
    }
    return text;
}

void drawBoth(wizor::TWizorForm1& window)
{
    window.upperChart()->replot(QCustomPlot::rpImmediateRefresh);
    window.lowerChart()->replot(QCustomPlot::rpImmediateRefresh);
}

// The window on the 32000-line, 32-column sample file, shown and loaded; `ready()` is
// false when the sample file could not be written.
class SampleWindow {
public:
    SampleWindow()
    {
        window_.show();
        QCoreApplication::processEvents();
        const QString path = dir_.filePath("big.txt");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(fileText(32000, 32)) < 0) return;
        file.close();
        window_.start(path, dir_.path(), dir_.path());
        ready_ = true;
    }

    bool ready() const { return ready_; }
    wizor::TWizorForm1& window() { return window_; }

private:
    QTemporaryDir dir_;
    NoDialogs dialogs_;
    wizor::TWizorForm1 window_{dialogs_};
    bool ready_ = false;
};

void LoadToFirstPaint(benchmark::State& state)
{
    SampleWindow sample;
    if (!sample.ready()) {
        state.SkipWithError("cannot write the sample file");
        return;
    }
    wizor::TWizorForm1& window = sample.window();
    drawBoth(window);
    for (auto _ : state) {
        window.New2chart1Execute();
        window.Dopasuj1Execute();
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
    wizor::TWizorForm1& window = sample.window();
    for (auto _ : state) {
        window.upperChart()->zoomIn(false);
        window.upperChart()->replot(QCustomPlot::rpImmediateRefresh);
        window.upperChart()->undoZoom();
        window.upperChart()->replot(QCustomPlot::rpImmediateRefresh);
    }
}
BENCHMARK(ZoomAndRedraw)->Unit(benchmark::kMillisecond);

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
