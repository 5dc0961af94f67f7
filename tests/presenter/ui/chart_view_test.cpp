// The chart window's view commands through its widgets: fit, zoom, the click on a
// curve, 3D view, legend and colour.

#include "about_box.h"
#include "chart_math.h"
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
#include <QLayout>
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

// The margins and the flat and empty cases are the fit's arithmetic (chart_math_test);
// here: the file's extremes reach both charts and both value axes, and an empty file
// leaves both charts at the range for no values.
TEST_F(WizorWindow, FitAppliesTheFilesExtremesToBothChartsAndBothAxes)
{
    QByteArray text = "Czas a b\n00:01.000 10 15\n00:02.000 20 12\n";
    startWith(write("d.txt", text));
    const Range expected = fitRange(20.0f, 10.0f);
    for (WizorChart* chart : {window->upperChart(), window->lowerChart()}) {
        EXPECT_NEAR(chart->yAxis->range().lower, expected.lower, 1e-6);
        EXPECT_NEAR(chart->yAxis->range().upper, expected.upper, 1e-6);
        EXPECT_EQ(chart->yAxis->range(), chart->yAxis2->range());
    }

    write("d.txt", "");
    window->reload();
    window->fit();
    EXPECT_EQ(window->upperChart()->activeCurveCount(), 0);
    EXPECT_EQ(window->upperChart()->valueRange(), (Range{15.0, 30.0}));
    EXPECT_EQ(window->lowerChart()->valueRange(), (Range{15.0, 30.0}));
}

TEST_F(WizorWindow, FitToggleRunsTheFitAndRepeatsItAfterEachLoad)
{
    const QString path = write("e.txt", "00:01.000 0\n00:02.000 100\n");
    startWith(path);
    window->upperChart()->setValueRange({-1, 1});
    window->toggleFit();
    EXPECT_TRUE(window->fitOn());
    EXPECT_TRUE(window->action(ChartWindow::Fit)->isChecked());
    EXPECT_NEAR(window->upperChart()->valueRange().upper, 102.0, 1e-6);

    window->toggleFit();
    window->upperChart()->setValueRange({-1, 1});
    dialogs.fileToOpen = path;
    window->chooseFile();
    EXPECT_EQ(window->upperChart()->valueRange(), (Range{-1.0, 1.0}));
}

TEST_F(WizorWindow, ZoomTwiceThenUndoRestoresTheRanges)
{
    startWith(write("f.txt", dataText(101, 17)));
    const AxisRanges before = window->upperChart()->axisRanges();
    const AxisRanges lowerBefore = window->lowerChart()->axisRanges();
    window->zoomIn();
    window->upperChart()->finishZoomAnimation();
    const AxisRanges once = window->upperChart()->axisRanges();
    EXPECT_NEAR(once[Bottom].size(), before[Bottom].size() / 2, 1e-9);
    EXPECT_NEAR(once[Right].size(), before[Right].size() / 2, 1e-9);
    EXPECT_EQ(once[Left], once[Right]);
    window->zoomIn();
    window->undoZoom();
    EXPECT_EQ(window->upperChart()->axisRanges(), before);
    EXPECT_EQ(window->lowerChart()->axisRanges(), lowerBefore);
    window->undoZoom();
    EXPECT_EQ(window->upperChart()->axisRanges(), before);

    // Values far below the minimum the axes are first lowered to: the zoomed range
    // lies wholly below it and must still come out the right way up.
    write("f.txt", "00:01.000 -5e9 -4e9\n");
    window->reload();
    window->fit();
    const Range fitted = window->upperChart()->valueRange();
    window->zoomIn();
    window->upperChart()->finishZoomAnimation();
    EXPECT_EQ(window->upperChart()->valueRange(), zoomedIn(fitted));
    EXPECT_LT(window->upperChart()->valueRange().upper, -999999999.0);
}

TEST_F(WizorWindow, RectangleDragZoomsAndTheReverseDragUndoes)
{
    startWith(write("g.txt", dataText(50, 2)));
    WizorChart* chart = window->upperChart();
    const AxisRanges before = chart->axisRanges();
    const QRect area = chart->axisRect()->rect();
    QTest::mousePress(chart, Qt::LeftButton, {}, area.topLeft() + QPoint(10, 10));
    QTest::mouseMove(chart, area.center());
    QTest::mouseRelease(chart, Qt::LeftButton, {}, area.center());
    EXPECT_TRUE(chart->zoomed());
    EXPECT_LT(chart->keyRange().size(), before[Bottom].size());
    EXPECT_LT(chart->valueRange().size(), before[Right].size());

    QTest::mousePress(chart, Qt::LeftButton, {}, area.center());
    QTest::mouseRelease(chart, Qt::LeftButton, {}, area.topLeft() + QPoint(10, 10));
    EXPECT_EQ(chart->axisRanges(), before);
}

TEST_F(WizorWindow, ClickOnACurveShowsItsNameAndValue)
{
    startWith(write("h.txt", "Czas alfa beta\n00:01.000 1.5 23.45\n00:02.000 1.5 23.45\n00:03.000 1.5 23.45\n"));
    WizorChart* chart = window->upperChart();
    chart->setValueRange({0, 30});
    chart->replot();
    QTest::mouseClick(chart, Qt::LeftButton, {}, pixelOf(chart, 0, 1));
    EXPECT_EQ(window->panelText(1), "alfa");
    EXPECT_EQ(window->panelText(2), "Y= 1.5");
    // The last point lies on the right edge of the plot area.
    QTest::mouseClick(chart, Qt::LeftButton, {}, pixelOf(chart, 1, 2));
    EXPECT_EQ(window->panelText(1), "beta");
    EXPECT_EQ(window->panelText(2), "Y= 23.4500007629395");
}

// Moving the mouse over a chart shows the nearest point's time and every shown curve's
// value there, as the file has it; leaving the chart hides the readout.
TEST_F(WizorWindow, ReadoutFollowsTheMouse)
{
    startWith(write("r.txt", "Czas alfa beta\n00:01.000 1.5 23.45\n00:02.000 2.5 -7\n00:03.000 3.5 0.125\n"));
    WizorChart* chart = window->upperChart();
    chart->setValueRange({-10, 30});
    chart->replot();
    const auto moveTo = [chart](QPoint at) { hover(chart, at); };
    // A little right of the second point: its values.
    moveTo(pixelOf(chart, 0, 1) + QPoint(3, 0));
    const QString text = chart->readoutText();
    const QByteArray colour = chart->curve(1)->pen().color().name().toLatin1();
    for (const char* part : {"00:02.000", "alfa", "2.5", "beta", "-7", colour.constData()})
        EXPECT_TRUE(text.contains(QLatin1String(part))) << part << " in " << text.toStdString();
    EXPECT_FALSE(text.contains("23.45"));
    moveTo(pixelOf(chart, 1, 0));
    EXPECT_TRUE(chart->readoutText().contains("23.45"));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(chart, &leave);
    EXPECT_TRUE(chart->readoutText().isEmpty());
}

// A click on a legend entry hides its curve (the entry greys), the fit leaves it out, and
// the choice holds through a reload and the overview until every channel is shown again.
TEST_F(WizorWindow, LegendEntryHidesAndShowsItsCurve)
{
    startWith(write("l.txt", "Czas a b c\n00:01.000 1 100 2\n00:02.000 3 200 4\n"));
    window->toggleFit();
    WizorChart* chart = window->upperChart();
    chart->replot();
    const auto entryOf = [chart](int curve) { return chart->legend->itemWithPlottable(chart->curve(curve)); };
    QTest::mouseClick(chart, Qt::LeftButton, {}, entryOf(1)->rect().center());
    EXPECT_FALSE(chart->curve(1)->visible());
    EXPECT_TRUE(chart->curve(0)->visible());
    EXPECT_NE(entryOf(1)->textColor(), entryOf(0)->textColor());
    EXPECT_EQ(chart->valueRange(), fitRange(4, 1));
    EXPECT_EQ(chart->activeCurveCount(), 3);

    window->refreshLiveView();
    EXPECT_FALSE(chart->curve(1)->visible());
    window->toggleWholeFile();
    EXPECT_FALSE(chart->curve(1)->visible());
    window->toggleWholeFile();

    window->action(ChartWindow::ShowAllChannels)->trigger();
    EXPECT_TRUE(chart->curve(1)->visible());
    EXPECT_EQ(chart->valueRange(), fitRange(200, 1));
}

// A hidden channel is left out of the readout and of the cursors' panel; the other
// channels stay in both.
TEST_F(WizorWindow, AHiddenChannelIsLeftOutOfTheReadoutAndTheCursorsPanel)
{
    window->resize(900, 620);
    startWith(write("s.txt", sineFile(600, 4)));
    WizorChart* chart = window->upperChart();
    const auto picture = [this, chart] {
        chart->replot();
        return window->grab().toImage();
    };
    chart->replot();
    hover(chart, pixelOf(chart, 0, 330));
    EXPECT_TRUE(chart->readoutText().contains("kanal3"));
    saveScreenshot(picture(), "wizor-readout.png");

    window->toggleChannel(2);
    chart->replot();
    hover(chart, pixelOf(chart, 0, 330));
    const QString readout = chart->readoutText();
    for (const char* shown : {"kanal1", "kanal2", "kanal4", "10:05:30.000"})
        EXPECT_TRUE(readout.contains(QLatin1String(shown))) << shown << " in " << readout.toStdString();
    EXPECT_FALSE(readout.contains("kanal3"));
    saveScreenshot(picture(), "wizor-hidden-channel.png");

    window->action(ChartWindow::Cursors)->trigger();
    window->layout()->activate();
    QTest::mouseClick(chart, Qt::LeftButton, {}, pixelOf(chart, 0, 120));
    QTest::mouseClick(chart, Qt::LeftButton, {}, pixelOf(chart, 0, 420));
    QStringList names;
    for (const QString& row : window->cursorPanelText().split('\n')) names << row.section('\t', 0, 0);
    EXPECT_EQ(names, QStringList({QString::fromUtf8("Kanał"), "kanal1", "kanal2", "kanal4",
                                  QString::fromUtf8("Δt [s]"), ""}));
    chart->replot();
    hover(chart, pixelOf(chart, 0, 250));
    saveScreenshot(picture(), "wizor-cursors.png");
}

// With "Kursory" on, two clicks place cursors A and B; the panel gives each shown channel's
// values between them, and the time between them.
TEST_F(WizorWindow, CursorsAndThePanelBetweenThem)
{
    startWith(write("k.txt", "Czas a b\n00:01.000 1 10\n00:02.000 4 20\n00:03.500 -2 30\n00:04.000 5 40\n"));
    WizorChart* chart = window->upperChart();
    chart->replot();
    window->action(ChartWindow::Cursors)->trigger();
    QTest::mouseClick(chart, Qt::LeftButton, {}, pixelOf(chart, 0, 1));
    QTest::mouseClick(chart, Qt::LeftButton, {}, pixelOf(chart, 0, 2));
    EXPECT_TRUE(window->panelText(1).isEmpty());  // no click readout meanwhile
    const QStringList rows = window->cursorPanelText().split('\n');
    ASSERT_GE(rows.size(), 4);
    EXPECT_EQ(rows[1], "a\t4\t-2\t-6\t-2\t4\t1\t" + readoutValueText(std::sqrt(10.0)));
    EXPECT_EQ(rows[2], "b\t20\t30\t10\t20\t30\t25\t" + readoutValueText(std::sqrt(650.0)));
    EXPECT_EQ(rows[3], QString::fromUtf8("Δt [s]\t1.500"));
}

// A cursor's line dragged on either chart moves that cursor on both; a drag that starts
// away from the lines still zooms.
TEST_F(WizorWindow, CursorsAreDraggedOnEitherChart)
{
    startWith(write("c.txt", dataText(40, 20)));
    ASSERT_TRUE(window->twoCharts());
    WizorChart* upper = window->upperChart();
    WizorChart* lower = window->lowerChart();
    upper->replot();
    lower->replot();
    window->action(ChartWindow::Cursors)->trigger();
    // The panel takes its room under the charts before the mouse goes to them.
    window->layout()->activate();
    upper->replot();
    lower->replot();
    QTest::mouseClick(upper, Qt::LeftButton, {}, pixelOf(upper, 0, 5));
    QTest::mouseClick(upper, Qt::LeftButton, {}, pixelOf(upper, 0, 30));
    // Channel 1's value at a point is the point's number; channel 17's is that plus 0.16.
    const auto atAandB = [this](int row) { return window->cursorPanelText().split('\n')[row].section('\t', 1, 2); };
    ASSERT_EQ(atAandB(1), "5\t30");
    const AxisRanges ranges = upper->axisRanges();

    struct Drag {
        WizorChart* chart;
        int fromPoint;
        int grabOffset;  // pixels beside the line where the drag starts
        int toPoint;
        const char* expected;
    };
    for (const Drag& d : {Drag{lower, 5, 3, 12, "12\t30"}, Drag{upper, 30, -2, 20, "12\t20"},
                          Drag{lower, 20, 0, 35, "12\t35"}}) {
        const QPoint from = pixelOf(d.chart, 0, d.fromPoint) + QPoint(d.grabOffset, 0);
        const QPoint to = pixelOf(d.chart, 0, d.toPoint);
        QTest::mousePress(d.chart, Qt::LeftButton, {}, from);
        QTest::mouseMove(d.chart, (from + to) / 2);
        QTest::mouseMove(d.chart, to);
        QTest::mouseRelease(d.chart, Qt::LeftButton, {}, to);
        EXPECT_EQ(atAandB(1), d.expected);
        EXPECT_EQ(atAandB(17), QString(d.expected).replace("\t", ".16\t") + ".16");
        EXPECT_EQ(upper->axisRanges(), ranges) << "a cursor's drag zoomed";
    }
    // Past the plot's right edge the cursor stops at the last point.
    const QPoint b = pixelOf(upper, 0, 35);
    QTest::mousePress(upper, Qt::LeftButton, {}, b);
    QTest::mouseMove(upper, QPoint(upper->width() - 1, b.y()));
    QTest::mouseRelease(upper, Qt::LeftButton, {}, QPoint(upper->width() - 1, b.y()));
    EXPECT_EQ(atAandB(1), "12\t39");

    // Away from the lines, a drag to the lower right zooms as without cursors.
    const QPoint start = pixelOf(upper, 0, 25) + QPoint(0, -40);
    QTest::mousePress(upper, Qt::LeftButton, {}, start);
    QTest::mouseMove(upper, start + QPoint(40, 30));
    QTest::mouseRelease(upper, Qt::LeftButton, {}, start + QPoint(40, 30));
    EXPECT_TRUE(upper->zoomed());
    EXPECT_EQ(atAandB(1), "12\t39");
}

TEST_F(WizorWindow, ViewTogglesApplyToBothChartsAndColourToTheUpperOnly)
{
    startWith(write("v.txt", dataText(20, 18)));
    EXPECT_TRUE(window->action(ChartWindow::Legend)->isChecked());
    window->toggle3DView();
    EXPECT_TRUE(window->upperChart()->view3D());
    EXPECT_TRUE(window->lowerChart()->view3D());
    EXPECT_TRUE(window->action(ChartWindow::View3D)->isChecked());
    EXPECT_GT(window->upperChart()->xAxis->offset(), 0);
    window->upperChart()->replot();
    window->toggle3DView();
    EXPECT_FALSE(window->lowerChart()->view3D());
    EXPECT_EQ(window->upperChart()->xAxis->offset(), 0);

    const int plotWidth = window->upperChart()->axisRect()->width();
    window->toggleLegend();
    window->upperChart()->replot();
    EXPECT_FALSE(window->lowerChart()->legendShown());
    EXPECT_FALSE(window->action(ChartWindow::Legend)->isChecked());
    EXPECT_GT(window->upperChart()->axisRect()->width(), plotWidth);
    window->toggleLegend();
    EXPECT_TRUE(window->upperChart()->legendShown());

    dialogs.colour = QColor(10, 20, 30);
    window->chooseBackgroundColour();
    EXPECT_EQ(window->upperChart()->backWallColour(), QColor(10, 20, 30));
    EXPECT_EQ(window->lowerChart()->backWallColour(), QColor(Qt::white));
}

}  // namespace
}  // namespace wizor
