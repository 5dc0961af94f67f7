#include "chart_math.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <clocale>
#include <limits>

namespace wizor {
namespace {

TEST(FitRange, AddsTwoPercentOfTheSpreadOnBothSides)
{
    const Range r = fitRange(20.0f, 10.0f);
    EXPECT_NEAR(r.lower, 9.8, 1e-12);
    EXPECT_NEAR(r.upper, 20.2, 1e-12);

    const Range negative = fitRange(-1.0f, -51.0f);
    EXPECT_NEAR(negative.lower, -52.0, 1e-12);
    EXPECT_NEAR(negative.upper, 0.0, 1e-12);

    // The spread of the float's extremes overflows a float; the range stays finite.
    const Range widest = fitRange(3.0e38f, -3.0e38f);
    EXPECT_NEAR(widest.upper, double(3.0e38f) * 1.04, 1e31);
    EXPECT_NEAR(widest.lower, -double(3.0e38f) * 1.04, 1e31);
}

TEST(FitRange, EqualValuesGiveAZeroHeightRangeThatIsOpenedForDrawing)
{
    const Range r = fitRange(5.0f, 5.0f);
    EXPECT_EQ(r, (Range{5.0, 5.0}));
    EXPECT_EQ(drawableRange(r), (Range{4.0, 6.0}));
    EXPECT_EQ(drawableRange({1.0, 2.0}), (Range{1.0, 2.0}));
}

TEST(FitRange, NoValuesGiveFifteenToThirty)
{
    // The reader's start values: maximum -1e8 below minimum +1e8.
    EXPECT_EQ(fitRange(-1.0e8f, 1.0e8f), (Range{15.0, 30.0}));
}

TEST(Zoom, EachStepHalvesTheRangeAboutItsCentre)
{
    EXPECT_EQ(zoomedIn({0.0, 100.0}), (Range{25.0, 75.0}));
    EXPECT_EQ(zoomedIn(zoomedIn({-8.0, 8.0})), (Range{-2.0, 2.0}));
}

TEST(Zoom, AnimationFramesMoveEvenlyAndEndExactlyOnTheTarget)
{
    const auto frames = zoomFrames({0.0, 120.0}, {30.0, 90.0}, kZoomAnimationSteps);
    ASSERT_EQ(frames.size(), 6u);
    EXPECT_EQ(frames.front(), (Range{5.0, 115.0}));
    EXPECT_EQ(frames.back(), (Range{30.0, 90.0}));
    for (std::size_t i = 1; i < frames.size(); ++i) EXPECT_LT(frames[i - 1].lower, frames[i].lower);
    EXPECT_EQ(zoomFrames({0, 1}, {2, 3}, 0).size(), 1u);
}

TEST(Zoom, UndoReturnsTheRangesFromBeforeTheFirstZoomOnce)
{
    ZoomUndo undo;
    EXPECT_FALSE(undo.undo().has_value());
    const AxisRanges before{Range{0, 10}, Range{1, 2}, Range{1, 2}, Range{0, 10}};
    const AxisRanges later{Range{2, 8}, Range{1, 1.5}, Range{1, 1.5}, Range{2, 8}};
    undo.beginZoom(before);
    undo.beginZoom(later);
    EXPECT_TRUE(undo.zoomed());
    const auto restored = undo.undo();
    ASSERT_TRUE(restored.has_value());
    EXPECT_EQ(*restored, before);
    EXPECT_FALSE(undo.zoomed());
    EXPECT_FALSE(undo.undo().has_value());
}

TEST(LabelStep, ThinsLabelsToWhatFitsInNiceSteps)
{
    // 100 points over 1000 pixels: 10 pixels a point; an 80-pixel label needs 100.
    EXPECT_EQ(labelStep(100, 1000, 80), 10);
    EXPECT_EQ(labelStep(10, 1000, 80), 1);
    EXPECT_EQ(labelStep(32000, 700, 110), 10000);
    EXPECT_EQ(labelStep(300, 600, 60), 50);
    EXPECT_EQ(labelStep(0, 600, 60), 1);
    EXPECT_EQ(labelStep(100, 0, 60), 1);
}

TEST(Oblique3D, RibbonsShareTheDepthWithTheFirstCurveInFront)
{
    const Oblique3D view{40};
    EXPECT_EQ(view.ribbon(0, 4), (std::pair<double, double>{40.0, 30.0}));
    EXPECT_EQ(view.ribbon(3, 4), (std::pair<double, double>{10.0, 0.0}));
    EXPECT_EQ(view.shift(10), QPointF(-10, 10));
    EXPECT_GT(obliqueDepth({800, 400}, 4, 103), obliqueDepth({400, 200}, 4, 103));
    EXPECT_EQ(obliqueDepth({0, 0}, 4, 103), 4);
}

TEST(ThinToPixelColumns, KeepsTheExtremesOfEachPixelColumnInOrder)
{
    std::vector<QPointF> line;
    for (int i = 0; i < 100; ++i)
        line.emplace_back(10.0 + i * 0.01, (i == 30) ? 0.0 : (i == 70 ? 50.0 : 20.0 + (i % 3)));
    line.emplace_back(11.5, 7.0);
    const auto thin = thinToPixelColumns(line);
    ASSERT_EQ(thin.size(), 5u);
    EXPECT_EQ(thin[0], line.front());
    EXPECT_EQ(thin[1].y(), 0.0);
    EXPECT_EQ(thin[2].y(), 50.0);
    EXPECT_EQ(thin[3], line[99]);
    EXPECT_EQ(thin[4], QPointF(11.5, 7.0));
    EXPECT_TRUE(thinToPixelColumns({}).empty());
}

TEST(ThinToPixelColumns, DrawableRunsBreakAtMissingValuesAndBoundHugeOnes)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const auto runs =
        drawableRuns({{0, 10}, {1, nan}, {2, 20}, {3, -1e38}, {4, 1e38}, {5, -inf}, {6, 30}, {7, 40}}, 0.0, 100.0);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0], (std::vector<QPointF>{{0, 10}}));
    EXPECT_EQ(runs[1], (std::vector<QPointF>{{2, 20}, {3, -1.0e6}, {4, 100 + 1.0e6}}));
    EXPECT_EQ(runs[2], (std::vector<QPointF>{{6, 30}, {7, 40}}));
    EXPECT_TRUE(drawableRuns({{1, nan}}, 0.0, 100.0).empty());
}

TEST(ChartMargins, TwoPercentAroundAndFivePercentBelow)
{
    EXPECT_EQ(chartMargins({1000, 400}), QMargins(20, 8, 20, 20));
}

TEST(PrintLayout, KeepsTheAspectRatioWithFifteenPercentMargins)
{
    const QRect page(0, 0, 1000, 1400);
    const QRect wide = proportionalPrintRect(page, {800, 400});
    EXPECT_EQ(wide, QRect(150, 525, 700, 350));
    const QRect tall = proportionalPrintRect(page, {300, 600});
    EXPECT_EQ(tall.height(), 980);
    EXPECT_EQ(tall.top(), 210);
    EXPECT_EQ(tall.width(), 490);
    EXPECT_EQ(tall.left(), 255);
    // A very wide page: the chart shrinks to the page height and stays centred.
    const QRect flat = proportionalPrintRect(QRect(0, 0, 2000, 100), {400, 300});
    EXPECT_LE(flat.height(), 100);
    EXPECT_EQ(flat.center().x(), 999);
}

TEST(DragIntent, LowerRightZoomsUpperLeftUndoesSmallMovesClick)
{
    EXPECT_EQ(dragIntent({10, 10}, {50, 60}), DragIntent::Zoom);
    EXPECT_EQ(dragIntent({50, 60}, {10, 10}), DragIntent::Undo);
    EXPECT_EQ(dragIntent({10, 60}, {50, 10}), DragIntent::Undo);
    EXPECT_EQ(dragIntent({10, 10}, {12, 13}), DragIntent::Click);
}

TEST(CommandLine, ArgumentsAreJoinedWithOneTrailingBlankRemoved)
{
    EXPECT_EQ(fileNameFromArguments({"wizor"}), "wiznow.dan");
    EXPECT_EQ(fileNameFromArguments({"/usr/bin/wizor", "/home/u/Dane pomiarowe/a.txt"}),
              "/home/u/Dane pomiarowe/a.txt");
    EXPECT_EQ(fileNameFromArguments({"wizor", "/home/u/Dane", "pomiarowe/a.txt"}), "/home/u/Dane pomiarowe/a.txt");
    EXPECT_EQ(fileNameFromArguments({"wizor", "a.txt "}), "a.txt");
    EXPECT_EQ(fileNameFromArguments({"wizor", "a.txt", ""}), "a.txt");
    EXPECT_EQ(fileNameFromArguments({"wizor", "a.txt  "}), "a.txt ");
}

// The overview's window of actual points: centred on what is visible, never past either
// end of the file, and none while more lines are visible than a window holds.
TEST(OverviewWindow, CentredWithinTheFile)
{
    EXPECT_EQ(detailWindowStart({50000, 60000}, 100000, 32000), std::optional<std::size_t>(39000));
    EXPECT_EQ(detailWindowStart({-500, 1000}, 100000, 32000), std::optional<std::size_t>(0));
    EXPECT_EQ(detailWindowStart({99000, 100400}, 100000, 32000), std::optional<std::size_t>(68000));
    EXPECT_EQ(detailWindowStart({0, 1000}, 600, 32000), std::optional<std::size_t>(0));
    EXPECT_EQ(detailWindowStart({0, 32000}, 100000, 32000), std::nullopt);
    EXPECT_EQ(detailWindowStart({0, 10}, 0, 32000), std::nullopt);
    EXPECT_TRUE(windowCovers(39000, 32000, {50000, 60000}, 100000));
    EXPECT_FALSE(windowCovers(39000, 32000, {30000, 40000}, 100000));
    EXPECT_TRUE(windowCovers(68000, 32000, {99000, 100400}, 100000));
}

TEST(ClickText, FifteenSignificantDigitsOfTheFloatWithAPoint)
{
    EXPECT_EQ(clickValueText(double(1.5f)), "Y= 1.5");
    EXPECT_EQ(clickValueText(double(23.45f)), "Y= 23.4500007629395");
    EXPECT_EQ(clickValueText(double(-0.001f)), "Y= -0.00100000004749745");
    // The readout shows the shortest text of the same float.
    for (const auto& [value, text] :
         {std::pair{23.45f, "23.45"}, {1.5f, "1.5"}, {-0.001f, "-0.001"}, {100.0f, "100"}, {1.0e-7f, "1e-07"}})
        EXPECT_EQ(readoutValueText(double(value)), text);
    // A decimal-comma locale changes nothing.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Polish));
    std::setlocale(LC_NUMERIC, "pl_PL.UTF-8");
    EXPECT_EQ(clickValueText(2.25), "Y= 2.25");
    EXPECT_EQ(readoutValueText(2.25), "2.25");
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(saved);
}

TEST(PrintTitle, FileFirstPointAndPage)
{
    EXPECT_EQ(printTitle("a.txt", " 12:00:00.000", 1, 3, false), "a.txt   12:00:00.000   [2/3]");
    EXPECT_EQ(printTitle("a.txt", "05-03-17 12:00:05", 0, 1, false), "a.txt   05-03-17 12:00:05");
    EXPECT_EQ(printTitle("a.txt", "", 0, 3, true), QString::fromUtf8("a.txt   Cały plik"));
}

}  // namespace
}  // namespace wizor
