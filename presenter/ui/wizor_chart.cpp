#include "wizor_chart.h"

#include "measurement_loader.h"
#include "oblique_layer.h"

#include <QFontInfo>
#include <QRubberBand>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

namespace wizor {

namespace {

const QColor kPanelColour(202, 202, 183);

const std::array<QColor, WizorChart::kCurves> kCurveColours = {
    QColor(255, 0, 0),     QColor(0, 128, 255),   QColor(255, 255, 0),   QColor(0, 128, 64),
    QColor(54, 205, 134),  QColor(255, 128, 192), QColor(128, 0, 64),    QColor(255, 0, 255),
    QColor(0, 255, 128),   QColor(0, 255, 255),   QColor(192, 192, 192), QColor(255, 128, 128),
    QColor(128, 128, 128), QColor(64, 0, 128),    QColor(255, 128, 0),   QColor(255, 128, 0),
};
const QColor kLowerCurve16(128, 128, 192);

constexpr int kHorizontalOffset3D = 4;
constexpr int kZoom3D = 103;
constexpr int kAnimationIntervalMs = 25;

// Sets an axis range so that the axis never holds a maximum below its minimum on
// the way: minimum far down first, then the maximum, then the minimum. The axis
// would swap a maximum below its minimum, so the first minimum is never above the new one.
void setRangeOrdered(QCPAxis* axis, Range range)
{
    axis->setRangeLower(std::min(-999999999.0, range.lower));
    axis->setRangeUpper(range.upper);
    axis->setRangeLower(range.lower);
}

Range toRange(const QCPRange& r)
{
    return {r.lower, r.upper};
}

}  // namespace

// Bottom-axis ticks at whole key numbers, labelled with the points' date and time, as
// far apart as the labels need. Ticks fall on multiples of `unit` keys (the overview's
// run length), where a label is known.
class PointLabelTicker : public QCPAxisTicker {
public:
    explicit PointLabelTicker(QCPAxisRect* rect) : rect_(rect) {}

    void setSource(std::function<QString(long long)> labelOf, long long count, long long unit, int labelPixels)
    {
        labelOf_ = std::move(labelOf);
        count_ = count;
        unit_ = std::max(1LL, unit);
        labelPixels_ = labelPixels;
    }

protected:
    double getTickStep(const QCPRange& range) override
    {
        return double(unit_) * labelStep(range.size() / double(unit_), rect_->width(), labelPixels_);
    }

    int getSubTickCount(double) override { return 0; }

    QString getTickLabel(double tick, const QLocale&, QChar, int) override
    {
        const long long key = std::llround(tick);
        if (!labelOf_ || key < 0 || key >= count_) return {};
        return labelOf_(key);
    }

    QVector<double> createTickVector(double step, const QCPRange& range) override
    {
        QVector<double> ticks;
        if (count_ <= 0 || step <= 0) return ticks;
        const double last = std::min(range.upper, double(count_ - 1));
        for (double t = std::max(0.0, std::ceil(range.lower / step) * step); t <= last; t += step) ticks.append(t);
        return ticks;
    }

private:
    QCPAxisRect* rect_;
    std::function<QString(long long)> labelOf_;
    long long count_ = 0;
    long long unit_ = 1;
    int labelPixels_ = 0;
};

WizorChart::WizorChart(QWidget* parent) : QCustomPlot(parent)
{
    setLocale(QLocale::c());
    setBackground(kPanelColour);
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
    legendShown_ = false;
    setLegendShown(true);

    animation_.setInterval(kAnimationIntervalMs);
    connect(&animation_, &QTimer::timeout, this, &WizorChart::animationStep);
}

WizorChart::~WizorChart()
{
    // The legend column is owned by the layout only while it is shown.
    if (!legendShown_) delete legendColumn_;
}

QColor WizorChart::curveColour(int index, bool lowerChart)
{
    if (lowerChart && index == kCurves - 1) return kLowerCurve16;
    return kCurveColours[std::size_t(index)];
}

void WizorChart::clearCurves()
{
    for (int i = 0; i < kCurves; ++i) {
        graph(i)->data()->clear();
        graph(i)->setVisible(false);
    }
    legend->clearItems();
    ticker_->setSource({}, 0, 1, 0);
    pointCount_ = 0;
}

void WizorChart::activateCurve(int index, const MeasurementData& data, int column, bool lowerChart)
{
    QCPGraph* g = graph(index);
    g->setPen(QPen(curveColour(index, lowerChart), 1));
    g->setName(data.channelName(column));
    g->setVisible(true);
    g->addToLegend();
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
        const std::size_t n = std::min(column.values.size(), kMaxPoints);
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
    const int labelledCount = int(std::min(labelled.labelIndex.size(), kMaxPoints));
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
    int count = 0;
    for (int i = 0; i < kCurves; ++i) count += graph(i)->visible() ? 1 : 0;
    return count;
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

void WizorChart::zoomIn(bool animated)
{
    finishZoomAnimation();
    const AxisRanges now = axisRanges();
    zoomUndo_.beginZoom(now);
    for (int slot = 0; slot < 4; ++slot) {
        const Range from = now[std::size_t(slot)];
        frames_[std::size_t(slot)] = zoomFrames(from, zoomedIn(from), animated ? kZoomAnimationSteps : 1);
    }
    frame_ = 0;
    if (animated)
        animation_.start();
    else
        finishZoomAnimation();
}

void WizorChart::animationStep()
{
    if (frames_[0].empty()) {
        animation_.stop();
        return;
    }
    for (int slot = 0; slot < 4; ++slot) setRangeOrdered(axisAt(slot), frames_[std::size_t(slot)][frame_]);
    ++frame_;
    if (frame_ >= frames_[0].size()) {
        animation_.stop();
        for (auto& f : frames_) f.clear();
    }
    replot(rpQueuedReplot);
}

void WizorChart::finishZoomAnimation()
{
    if (frames_[0].empty()) return;
    frame_ = frames_[0].size() - 1;
    animationStep();
}

void WizorChart::zoomToPixels(QRect area)
{
    finishZoomAnimation();
    zoomUndo_.beginZoom(axisRanges());
    const Range keys{xAxis->pixelToCoord(area.left()), xAxis->pixelToCoord(area.right())};
    const Range values{yAxis->pixelToCoord(area.bottom()), yAxis->pixelToCoord(area.top())};
    setRangeOrdered(xAxis, drawableRange(keys));
    setRangeOrdered(xAxis2, drawableRange(keys));
    setValueRange(values);
    replot(rpQueuedReplot);
}

bool WizorChart::undoZoom()
{
    finishZoomAnimation();
    const std::optional<AxisRanges> saved = zoomUndo_.undo();
    if (!saved) return false;
    setAxisRanges(*saved);
    // The bottom axis is automatic again once the zoom is undone.
    rescaleKeys();
    replot(rpQueuedReplot);
    return true;
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
        plotLayout()->insertColumn(0);
        plotLayout()->addElement(0, 0, legendColumn_);
        plotLayout()->setColumnStretchFactor(0, 0.001);
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

QImage WizorChart::renderOnWhite()
{
    setBackground(QBrush(Qt::white));
    QImage image = toPixmap(width(), height(), 1.0).toImage().convertToFormat(QImage::Format_RGB32);
    setBackground(kPanelColour);
    replot(rpQueuedReplot);
    return image;
}

namespace {

// While a chart is drawn for print, its fonts carry the pixel sizes they have on screen.
// A size in points would be resolved at the printer's resolution, many times larger than
// the layout measured it, while a pixel size scales with the painter like the lines do.
class ScreenSizedFonts {
public:
    explicit ScreenSizedFonts(QCustomPlot* plot)
    {
        for (QCPAxis* axis : plot->axisRect()->axes()) {
            pin(axis->tickLabelFont(), [axis](const QFont& f) { axis->setTickLabelFont(f); });
            pin(axis->labelFont(), [axis](const QFont& f) { axis->setLabelFont(f); });
        }
        QCPLegend* legend = plot->legend;
        pin(legend->font(), [legend](const QFont& f) { legend->setFont(f); });
        for (int i = 0; i < legend->itemCount(); ++i) {
            QCPAbstractLegendItem* item = legend->item(i);
            pin(item->font(), [item](const QFont& f) { item->setFont(f); });
        }
    }
    ~ScreenSizedFonts()
    {
        for (auto& [font, set] : saved_) set(font);
    }
    ScreenSizedFonts(const ScreenSizedFonts&) = delete;
    ScreenSizedFonts& operator=(const ScreenSizedFonts&) = delete;

private:
    void pin(const QFont& font, std::function<void(const QFont&)> set)
    {
        if (font.pixelSize() > 0) return;
        QFont pixels(font);
        pixels.setPixelSize(QFontInfo(font).pixelSize());
        set(pixels);
        saved_.emplace_back(font, std::move(set));
    }

    std::vector<std::pair<QFont, std::function<void(const QFont&)>>> saved_;
};

}  // namespace

void WizorChart::drawInto(QCPPainter& painter, const QRect& target)
{
    if (width() <= 0 || height() <= 0) return;
    const ScreenSizedFonts fonts(this);
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(double(target.width()) / width(), double(target.height()) / height());
    toPainter(&painter, width(), height());
    painter.restore();
}

bool WizorChart::pointAt(const QPointF& pos, QString* title, double* value) const
{
    double best = selectionTolerance();
    bool found = false;
    for (int i = 0; i < kCurves; ++i) {
        QCPGraph* g = graph(i);
        if (!g->visible()) continue;
        QVariant details;
        const double distance = g->selectTest(pos, false, &details);
        if (distance < 0 || distance >= best) continue;
        const QCPDataSelection selection = details.value<QCPDataSelection>();
        if (selection.isEmpty()) continue;
        best = distance;
        found = true;
        *title = g->name();
        *value = g->data()->at(selection.dataRange().begin())->value;
    }
    return found;
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
    QCustomPlot::resizeEvent(event);
}

void WizorChart::mousePressEvent(QMouseEvent* event)
{
    dragStart_ = event->pos();
    if (event->button() == Qt::LeftButton) {
        drag_ = Drag::Rectangle;
    } else if (event->button() == Qt::RightButton) {
        drag_ = Drag::Scroll;
        finishZoomAnimation();
        dragRanges_ = axisRanges();
    }
    event->accept();
}

void WizorChart::mouseMoveEvent(QMouseEvent* event)
{
    if (drag_ == Drag::Rectangle) {
        if (!rubberBand_) rubberBand_ = new QRubberBand(QRubberBand::Rectangle, this);
        rubberBand_->setGeometry(QRect(dragStart_, event->pos()).normalized());
        rubberBand_->show();
    } else if (drag_ == Drag::Scroll) {
        zoomUndo_.beginZoom(dragRanges_);
        const QPoint moved = event->pos() - dragStart_;
        const QRect area = axisRect()->rect();
        AxisRanges ranges = dragRanges_;
        for (int slot : {Bottom, Top}) {
            Range& r = ranges[std::size_t(slot)];
            const double shift = -moved.x() * r.size() / std::max(1, area.width());
            r = {r.lower + shift, r.upper + shift};
        }
        for (int slot : {Left, Right}) {
            Range& r = ranges[std::size_t(slot)];
            const double shift = moved.y() * r.size() / std::max(1, area.height());
            r = {r.lower + shift, r.upper + shift};
        }
        setAxisRanges(ranges);
        replot(rpQueuedReplot);
    }
    event->accept();
}

void WizorChart::mouseReleaseEvent(QMouseEvent* event)
{
    const Drag finished = std::exchange(drag_, Drag::None);
    if (rubberBand_) rubberBand_->hide();
    if (finished == Drag::Rectangle) {
        switch (dragIntent(dragStart_, event->pos())) {
        case DragIntent::Click: {
            QString title;
            double value = 0.0;
            if (pointAt(event->position(), &title, &value)) emit curveClicked(title, value);
            break;
        }
        case DragIntent::Zoom:
            zoomToPixels(QRect(dragStart_, event->pos()));
            break;
        case DragIntent::Undo:
            undoZoom();
            break;
        }
    }
    event->accept();
}

void WizorChart::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a quick double click arrives as this event.
    mousePressEvent(event);
}

void WizorChart::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}

}  // namespace wizor
