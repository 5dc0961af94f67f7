// Which part of a file the chart window shows: pages of 32000 lines, the whole-file
// overview, and the live view that follows a growing file.

#include "about_box.h"
#include "chart_window.h"
#include "desktop_links.h"
#include "help_window.h"
#include "wizor_chart.h"
#include "wizor_dialogs.h"
#include "wizor_fixture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QRegularExpression>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace wizor {
namespace {

TEST_F(WizorWindow, ChartsShowThePageOf32000LinesButTheFitCoversTheWholeFile)
{
    QByteArray text;
    for (int i = 0; i < 32000; ++i) text += "00:00.000 1\n";
    text += "00:00.000 1000 5\n";
    startWith(write("cap.txt", text));
    EXPECT_EQ(points(window->upperChart(), 0), 32000);
    EXPECT_EQ(window->upperChart()->activeCurveCount(), 2);
    EXPECT_EQ(points(window->upperChart(), 1), 0);
    EXPECT_EQ(window->panelText(3), "cap.txt [1/2]");
    EXPECT_NEAR(window->upperChart()->valueRange().upper, 1000 + 0.02 * 999, 1e-3);
    window->nextPage();
    EXPECT_EQ(points(window->upperChart(), 0), 1);
    EXPECT_EQ(points(window->upperChart(), 1), 1);
    EXPECT_EQ(window->panelText(3), "cap.txt [2/2]");
}

// Page keys step through pages of 32000 lines and stop at either end; a reload stays on
// the page shown.
TEST_F(WizorWindow, PageKeysStepThroughThePagesAndAReloadStaysOnThePage)
{
    const QString path = write("pages.txt", dataText(70000, 2));
    startWith(path);
    WizorChart* chart = window->upperChart();
    EXPECT_EQ(window->panelText(3), "pages.txt [1/3]");
    EXPECT_FALSE(window->action(ChartWindow::PreviousPage)->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_PageUp);
    EXPECT_EQ(window->page(), 0u);
    EXPECT_EQ(window->action(ChartWindow::NextPage)->shortcut(), QKeySequence(Qt::Key_PageDown));
    window->action(ChartWindow::NextPage)->trigger();
    EXPECT_EQ(window->panelText(3), "pages.txt [2/3]");
    // Line 32000 of the file: value 32000 + column / 100 in column 1.
    EXPECT_DOUBLE_EQ(chart->curve(1)->data()->at(0)->value, double(32000.01f));
    window->action(ChartWindow::LastPage)->trigger();
    EXPECT_EQ(window->panelText(3), "pages.txt [3/3]");
    EXPECT_EQ(points(chart, 0), 70000 - 64000);
    EXPECT_FALSE(window->action(ChartWindow::NextPage)->isEnabled());
    window->nextPage();
    EXPECT_EQ(window->page(), 2u);

    write("pages.txt", dataText(1000, 2, 0.0, 70000), true);
    window->refreshLiveView();
    EXPECT_EQ(window->page(), 2u);
    EXPECT_EQ(points(chart, 0), 71000 - 64000);
    window->action(ChartWindow::FirstPage)->trigger();
    EXPECT_EQ(window->panelText(3), "pages.txt [1/3]");
    EXPECT_DOUBLE_EQ(chart->curve(0)->data()->at(0)->value, 0.0);

    // A file that shrank below the page shown comes back on its last page.
    window->lastPage();
    write("pages.txt", dataText(40000, 2));
    window->refreshLiveView();
    EXPECT_EQ(window->panelText(3), "pages.txt [2/2]");
    EXPECT_EQ(points(chart, 0), 8000);
}

// The overview shows every line as an envelope; zoomed in to a page's worth of lines it
// shows their actual points; a reload keeps it; the page keys leave it.
TEST_F(WizorWindow, WholeFileOverviewAndItsActualPointsWhenZoomedIn)
{
    startWith(write("all.txt", dataText(100000, 18)));
    WizorChart* chart = window->upperChart();
    window->action(ChartWindow::WholeFile)->trigger();
    EXPECT_TRUE(window->overviewShown());
    EXPECT_TRUE(window->action(ChartWindow::WholeFile)->isChecked());
    EXPECT_EQ(window->action(ChartWindow::WholeFile)->shortcut(), QKeySequence("Ctrl+0"));
    EXPECT_EQ(window->panelText(3), "all.txt");
    EXPECT_FALSE(window->showsDetail(chart));
    EXPECT_EQ(chart->keyRange(), (Range{0.0, 99999.0}));
    EXPECT_EQ(window->lowerChart()->activeCurveCount(), 2);
    // Runs of 32 lines: the first sweeps from line 0's value to line 31's.
    EXPECT_EQ(chart->curve(0)->data()->at(0)->value, 0.0);
    EXPECT_EQ(chart->curve(0)->data()->at(1)->value, 31.0);
    EXPECT_EQ(chart->curve(0)->dataCount(), 2 * 3125);

    window->zoomIn();
    chart->finishZoomAnimation();
    window->zoomIn();
    chart->finishZoomAnimation();
    for (int i = 0; i < 100 && !window->showsDetail(chart); ++i) QCoreApplication::processEvents();
    ASSERT_TRUE(window->showsDetail(chart));
    const Range visible = chart->keyRange();
    EXPECT_LE(visible.size(), 32000.0);
    // Each point stands at its line number and holds that line's value.
    const auto point = chart->curve(2)->data()->findBegin(visible.lower);
    EXPECT_DOUBLE_EQ(point->value, double(float(point->key + 0.02)));

    window->refreshLiveView();
    EXPECT_TRUE(window->overviewShown());
    EXPECT_TRUE(window->showsDetail(chart));
    EXPECT_EQ(chart->keyRange(), visible);

    window->undoZoom();
    for (int i = 0; i < 100 && window->showsDetail(chart); ++i) QCoreApplication::processEvents();
    EXPECT_FALSE(window->showsDetail(chart));

    window->action(ChartWindow::LastPage)->trigger();
    EXPECT_FALSE(window->overviewShown());
    EXPECT_EQ(window->panelText(3), "all.txt [4/4]");
    EXPECT_EQ(points(chart, 0), 100000 - 96000);
    EXPECT_EQ(chart->keyRange(), (Range{0.0, 3999.0}));
}

TEST_F(WizorWindow, LiveViewFollowsAGrowingFile)
{
    const QString path = write("live.txt", dataText(10, 15));
    startWith(path);
    write("live.txt", dataText(5, 15, 0.0, 10), true);
    window->toggleLiveView();
    EXPECT_TRUE(window->liveViewOn());
    EXPECT_TRUE(window->action(ChartWindow::LiveView)->isChecked());
    EXPECT_EQ(points(window->upperChart(), 0), 15);
    EXPECT_FALSE(window->twoCharts());

    write("live.txt", dataText(2, 17, 0.0, 15), true);
    window->refreshLiveView();
    EXPECT_EQ(points(window->upperChart(), 0), 17);
    EXPECT_TRUE(window->twoCharts());
    EXPECT_EQ(window->lowerChart()->activeCurveCount(), 1);

    // A deleted file leaves the charts as they are; the fit still runs.
    QFile::remove(path);
    window->toggleFit();
    window->upperChart()->setValueRange({-1, 1});
    window->refreshLiveView();
    EXPECT_EQ(points(window->upperChart(), 0), 17);
    EXPECT_NE(window->upperChart()->valueRange(), (Range{-1.0, 1.0}));

    window->toggleLiveView();
    EXPECT_FALSE(window->liveViewOn());
    EXPECT_FALSE(window->action(ChartWindow::LiveView)->isChecked());
}

}  // namespace
}  // namespace wizor
