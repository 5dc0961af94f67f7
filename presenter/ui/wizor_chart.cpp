#include "wizor_chart.h"

#include "curve_palette.h"
#include "measurement_loader.h"
#include "oblique_layer.h"
#include "point_label_ticker.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

namespace wizor {

namespace {

constexpr int kHorizontalOffset3D = 4;
constexpr int kZoom3D = 103;

// The legend's column goes left of the plot, as narrow as its entries allow.
void insertLegendColumn(QCPLayoutGrid* layout, QCPLayoutGrid* legendColumn)
{
    layout->insertColumn(0);
    layout->addElement(0, 0, legendColumn);
    layout->setColumnStretchFactor(0, 0.001);
}

Range toRange(const QCPRange& r)
{
    return {r.lower, r.upper};
}

}  // namespace

// Sets an axis range so that the axis never holds a maximum below its minimum on
// the way: minimum far down first, then the maximum, then the minimum. The axis
// would swap a maximum below its minimum, so the first minimum is never above the new one.
void WizorChart::setRangeOrdered(QCPAxis* axis, Range range)
{
    axis->setRangeLower(std::min(-999999999.0, range.lower));
    axis->setRangeUpper(range.upper);
    axis->setRangeLower(range.lower);
}

WizorChart::WizorChart(QWidget* parent) : QCustomPlot(parent)
{
    setLocale(QLocale::c());
    setBackground(panelColour());
    setCursor(Qt::CrossCursor);
    // Points on the edge of the plot area are clickable too.
    setInteraction(QCP::iSelectPlottablesBeyondAxisRect, true);
    setNotAntialiasedElements(QCP::aePlottables);
    setPlottingHint(QCP::phFastPolylines, true);
    axisRect()->setBackground(QBrush(backWall_));

    const QPen dashDotDot(Qt::black, 1, Qt::DashDotDotLine);
    xAxis->setBasePen(dashDotDot);
    xAxis->setTickLength(0, 1);
    xAxis->setSubTicks(false);
    auto ticker = QSharedPointer<PointLabelTicker>::create(axisRect());
    ticker_ = ticker.data();
    xAxis->setTicker(ticker);

    yAxis->setTickLabels(false);
    yAxis->setTickLength(0, 5);
    yAxis->setSubTicks(false);
    yAxis->setBasePen(QPen(Qt::black, 1));
    yAxis2->setVisible(true);
    yAxis2->setTickLabels(true);
    yAxis2->setBasePen(dashDotDot);
    yAxis2->setTickLength(0, 5);
    yAxis2->setSubTickLength(0, 8);
    setValueRange({-5000.0, 5000.0});

    addLayer(QStringLiteral("curves"), layer(QStringLiteral("main")), QCustomPlot::limAbove);
    for (int i = 0; i < kCurves; ++i) {
        QCPGraph* g = addGraph(xAxis, yAxis);
        g->setLayer(QStringLiteral("curves"));
        g->setPen(QPen(curveColour(i, false), 1));
        g->setAntialiased(false);
        g->setAdaptiveSampling(true);
        g->setVisible(false);
        g->removeFromLegend();
    }

    oblique_ = new ObliqueLayer(this);
    oblique_->setVisible(false);

    // The legend stands in its own column left of the plot, its top at 8 % of the height.
    legend->setVisible(true);
    legend->setBorderPen(Qt::NoPen);
    legend->setBrush(Qt::NoBrush);
    legend->setIconSize(24, 14);
    legend->setRowSpacing(-2);
    QFont legendFont = font();
    legendFont.setPixelSize(11);
    legend->setFont(legendFont);
    axisRect()->insetLayout()->take(legend);
    legendColumn_ = new QCPLayoutGrid;
    legendColumn_->addElement(0, 0, new QCPLayoutElement(this));
    legendColumn_->addElement(1, 0, legend);
    legendColumn_->addElement(2, 0, new QCPLayoutElement(this));
    legendColumn_->setRowStretchFactors({8.0, 0.001, 92.0});
    // Shown from the start; drawn with everything else once there is something to draw.
    insertLegendColumn(plotLayout(), legendColumn_);

    readout_ = std::make_unique<ReadoutOverlay>(this);
    setMouseTracking(true);

    animation_.setInterval(kZoomAnimationIntervalMs);
    connect(&animation_, &QTimer::timeout, this, &WizorChart::animationStep);
}

WizorChart::~WizorChart()
{
    // The legend column is owned by the layout only while it is shown.
    if (!legendShown_) delete legendColumn_;
}

QColor WizorChart::curveColour(int index, bool lowerChart)
{
    const curves::Rgb rgb = curves::colour(index, lowerChart);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QColor WizorChart::panelColour()
{
    return QColor(202, 202, 183);
}

void WizorChart::clearCurves()
{
    for (int i = 0; i < kCurves; ++i) {
        graph(i)->data()->clear();
        graph(i)->setVisible(false);
    }
    legend->clearItems();
    ticker_->setSource({}, 0, 1, 0);
    readout_->hide();
    pointCount_ = 0;
}

void WizorChart::activateCurve(int index, const MeasurementData& data, int column, bool lowerChart)
{
    QCPGraph* g = graph(index);
    g->setPen(QPen(curveColour(index, lowerChart), 1));
    g->setName(data.channelName(column));
    g->addToLegend();
    firstColumn_ = column - index;
    applyHidden(index);
}

void WizorChart::applyHidden(int index)
{
    QCPGraph* g = graph(index);
    QCPPlottableLegendItem* entry = legend->itemWithPlottable(g);
    if (!entry) return;
    const bool hidden = hidden_.test(std::size_t(firstColumn_ + index));
    g->setVisible(!hidden);
    entry->setTextColor(hidden ? QColor(160, 160, 160) : Qt::black);
}

void WizorChart::setHiddenColumns(const std::bitset<kMaxColumns>& hidden)
{
    hidden_ = hidden;
    for (int i = 0; i < kCurves; ++i) applyHidden(i);
    readout_->hide();
    replot(rpQueuedReplot);
}

std::optional<int> WizorChart::legendColumnAt(const QPointF& pos) const
{
    if (!legendShown_) return std::nullopt;
    for (int i = 0; i < kCurves; ++i) {
        const QCPPlottableLegendItem* entry = legend->itemWithPlottable(graph(i));
        if (entry && entry->selectTest(pos, false) >= 0) return firstColumn_ + i;
    }
    return std::nullopt;
}

int WizorChart::labelWidth(const QString& first, const QString& last) const
{
    const QFontMetrics metrics(xAxis->tickLabelFont());
    return std::max(metrics.horizontalAdvance(first), metrics.horizontalAdvance(last));
}

void WizorChart::showColumns(const MeasurementData& data, int firstColumn, bool lowerChart, Keys keys)
{
    clearCurves();
    QVector<QCPGraphData> points;
    for (int i = 0; i < kCurves; ++i) {
        const ColumnPoints& column = data.columns[std::size_t(firstColumn + i)];
        if (!column.active()) continue;
        const std::size_t n = std::min(column.values.size(), kPageLines);
        points.resize(qsizetype(n));
        for (std::size_t j = 0; j < n; ++j) {
            const double key = keys == Keys::PerCurve ? double(j) : double(data.firstLine + column.labelIndex[j]);
            points[qsizetype(j)] = QCPGraphData(key, double(column.values[j]));
        }
        graph(i)->data()->set(points, true);
        activateCurve(i, data, firstColumn + i, lowerChart);
        pointCount_ = std::max(pointCount_, int(n));
    }

    if (keys == Keys::FileLine) {
        // Keys are data line numbers of the whole file; labels of the lines read.
        const MeasurementData* source = &data;
        pointCount_ = int(data.dataLines);
        ticker_->setSource(
            [source](long long key) {
                const auto index = std::uint64_t(key) - source->firstLine;
                return index < source->labels.size() ? source->label(std::uint32_t(index)) : QString();
            },
            pointCount_, 1,
            data.labels.empty() ? 0 : labelWidth(data.label(0), data.label(std::uint32_t(data.labels.size() - 1))));
        if (!zoomUndo_.zoomed()) rescaleKeys();
        return;
    }

    // A line never has values in later columns without the earlier ones, so the
    // chart's first column holds a point at every position and carries the labels.
    const ColumnPoints& labelled = data.columns[std::size_t(firstColumn)];
    const int labelledCount = int(std::min(labelled.labelIndex.size(), kPageLines));
    int labelPixels = 0;
    if (labelledCount > 0)
        labelPixels = labelWidth(data.label(labelled.labelIndex.front()),
                                 data.label(labelled.labelIndex[std::size_t(labelledCount - 1)]));
    const MeasurementData* source = &data;
    ticker_->setSource(
        [source, firstColumn](long long point) {
            return source->label(source->columns[std::size_t(firstColumn)].labelIndex[std::size_t(point)]);
        },
        labelledCount, 1, labelPixels);
    if (!zoomUndo_.zoomed()) rescaleKeys();
}

void WizorChart::showOverview(const MeasurementData& data, int firstColumn, bool lowerChart)
{
    clearCurves();
    const Overview& overview = data.overview;
    const double half = double(overview.runLength) / 2.0;
    QVector<QCPGraphData> points;
    for (int i = 0; i < kCurves; ++i) {
        const int column = firstColumn + i;
        if (!data.columns[std::size_t(column)].active()) continue;
        // Each run is drawn from its smallest to its largest value, so the line sweeps the
        // whole band; a run without a value leaves a gap.
        points.resize(qsizetype(2 * overview.runs.size()));
        for (std::size_t r = 0; r < overview.runs.size(); ++r) {
            const double key = double(r * overview.runLength);
            const bool empty = overview.empty(r, column);
            const double nan = std::numeric_limits<double>::quiet_NaN();
            points[qsizetype(2 * r)] = QCPGraphData(key, empty ? nan : overview.runs[r].low[std::size_t(column)]);
            points[qsizetype(2 * r + 1)] =
                QCPGraphData(key + half, empty ? nan : overview.runs[r].high[std::size_t(column)]);
        }
        graph(i)->data()->set(points, true);
        activateCurve(i, data, column, lowerChart);
    }
    pointCount_ = int(data.dataLines);
    const MeasurementData* source = &data;
    const long long unit = (long long)overview.runLength;
    ticker_->setSource(
        [source, unit](long long key) {
            const auto run = std::size_t(key / unit);
            return key % unit == 0 && run < source->overview.labels.size()
                       ? fromWindows1250(source->overview.labels[run].view())
                       : QString();
        },
        pointCount_, unit,
        overview.labels.empty() ? 0
                                : labelWidth(fromWindows1250(overview.labels.front().view()),
                                             fromWindows1250(overview.labels.back().view())));
    if (!zoomUndo_.zoomed()) rescaleKeys();
}

void WizorChart::resetZoom()
{
    finishZoomAnimation();
    zoomUndo_ = ZoomUndo();
    rescaleKeys();
}

int WizorChart::activeCurveCount() const
{
    return legend->itemCount();
}

void WizorChart::rescaleKeys()
{
    if (pointCount_ == 0) return;
    const Range keys = drawableRange({0.0, double(pointCount_ - 1)});
    setRangeOrdered(xAxis, keys);
    setRangeOrdered(xAxis2, keys);
}

QCPAxis* WizorChart::axisAt(int slot) const
{
    switch (slot) {
    case Bottom:
        return xAxis;
    case Left:
        return yAxis;
    case Right:
        return yAxis2;
    default:
        return xAxis2;
    }
}

void WizorChart::setValueRange(Range range)
{
    const Range drawable = drawableRange(range);
    setRangeOrdered(yAxis2, drawable);
    setRangeOrdered(yAxis, drawable);
}

Range WizorChart::valueRange() const
{
    return toRange(yAxis2->range());
}

Range WizorChart::keyRange() const
{
    return toRange(xAxis->range());
}

AxisRanges WizorChart::axisRanges() const
{
    AxisRanges ranges;
    for (int slot = 0; slot < 4; ++slot) ranges[std::size_t(slot)] = toRange(axisAt(slot)->range());
    return ranges;
}

void WizorChart::setAxisRanges(const AxisRanges& ranges)
{
    for (int slot = 0; slot < 4; ++slot) setRangeOrdered(axisAt(slot), drawableRange(ranges[std::size_t(slot)]));
}

void WizorChart::setView3D(bool on)
{
    view3D_ = on;
    layer(QStringLiteral("curves"))->setVisible(!on);
    oblique_->setVisible(on);
    applyLayoutSizes(size());
    replot(rpQueuedReplot);
}

void WizorChart::setLegendShown(bool on)
{
    if (on == legendShown_) return;
    legendShown_ = on;
    if (on) {
        insertLegendColumn(plotLayout(), legendColumn_);
    } else {
        plotLayout()->take(legendColumn_);
        plotLayout()->simplify();
    }
    legend->setVisible(on);
    replot(rpQueuedReplot);
}

void WizorChart::setBackWallColour(const QColor& colour)
{
    backWall_ = colour;
    axisRect()->setBackground(QBrush(colour));
    replot(rpQueuedReplot);
}

void WizorChart::setBackgroundPicture(const QPixmap& picture)
{
    axisRect()->setBackground(picture, true, Qt::IgnoreAspectRatio);
    replot(rpQueuedReplot);
}

void WizorChart::applyLayoutSizes(QSize size)
{
    plotLayout()->setMargins(chartMargins(size));
    const int depth = view3D_ ? obliqueDepth(size, kHorizontalOffset3D, kZoom3D) : 0;
    oblique_->setDepth(depth);
    xAxis->setOffset(depth);
    yAxis->setOffset(depth);
}

void WizorChart::resizeEvent(QResizeEvent* event)
{
    applyLayoutSizes(event->size());
    // The size a chart gets while its window is being shown comes before the file is
    // loaded: the drawing waits for the event loop, where it joins the load's replot.
    if (!isVisible()) {
        setViewport(rect());
        replot(rpQueuedReplot);
        return;
    }
    QCustomPlot::resizeEvent(event);
}

}  // namespace wizor
