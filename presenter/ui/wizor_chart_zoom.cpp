// A chart's zoom (animated steps, rectangle, undo) and its mouse: the rectangle drag, the
// scroll with the right button and the click on a curve.
#include "wizor_chart.h"

#include "point_label_ticker.h"

#include <QRubberBand>

#include <algorithm>
#include <cmath>
#include <utility>

namespace wizor {

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

void WizorChart::mousePressEvent(QMouseEvent* event)
{
    readout_->hide();
    dragStart_ = event->pos();
    if (event->button() == Qt::LeftButton) {
        const std::optional<int> cursor = cursorMode_ ? cursorNear(event->pos()) : std::nullopt;
        drag_ = cursor ? Drag::Cursor : Drag::Rectangle;
        draggedCursor_ = cursor.value_or(0);
    } else if (event->button() == Qt::RightButton) {
        drag_ = Drag::Scroll;
        finishZoomAnimation();
        dragRanges_ = axisRanges();
    }
    event->accept();
}

namespace {

// The index of the point of `data` whose key is nearest to `key`; the data is not empty.
int nearestPoint(const QCPGraphDataContainer& data, double key)
{
    auto after = data.findBegin(key, false);
    if (after == data.constEnd()) return data.size() - 1;
    if (after == data.constBegin()) return 0;
    const auto before = after - 1;
    return int((key - before->key <= after->key - key ? before : after) - data.constBegin());
}

}  // namespace

std::optional<Readout> WizorChart::readoutAt(double x) const
{
    const double mouseKey = xAxis->pixelToCoord(x);
    std::optional<Readout> readout;
    for (int i = 0; i < kCurves; ++i) {
        const QCPGraph* g = graph(i);
        if (!g->visible() || g->data()->isEmpty()) continue;
        const QCPGraphDataContainer& data = *g->data();
        if (!readout) {
            readout.emplace();
            readout->key = data.at(nearestPoint(data, mouseKey))->key;
            readout->label = ticker_->labelNear(readout->key);
        }
        const double value = data.at(nearestPoint(data, readout->key))->value;
        readout->rows.push_back({g->name(), g->pen().color(), std::isfinite(value) ? readoutValueText(value) : "-"});
    }
    return readout;
}

std::optional<int> WizorChart::cursorNear(QPoint pos) const
{
    if (!axisRect()->rect().contains(pos)) return std::nullopt;
    std::optional<int> nearest;
    double nearestDistance = kCursorGrabPixels + 0.5;
    for (std::size_t k = 0; k < cursorLines_.size(); ++k) {
        if (!cursorLines_[k] || !cursorLines_[k]->visible()) continue;
        const double distance = std::abs(xAxis->coordToPixel(cursorLines_[k]->point1->key()) - pos.x());
        if (distance < nearestDistance) {
            nearest = int(k);
            nearestDistance = distance;
        }
    }
    return nearest;
}

void WizorChart::dragCursorTo(double x)
{
    // Held within the plot, so a cursor dragged past the edge stops at the last key shown.
    const QRect area = axisRect()->rect();
    emit cursorDragged(draggedCursor_, xAxis->pixelToCoord(std::clamp(x, double(area.left()), double(area.right()))));
}

void WizorChart::setCursorKeys(std::optional<double> a, std::optional<double> b)
{
    const std::optional<double> keys[] = {a, b};
    for (std::size_t k = 0; k < cursorLines_.size(); ++k) {
        if (!cursorLines_[k]) {
            cursorLines_[k] = new QCPItemStraightLine(this);
            cursorLines_[k]->setPen(QPen(k == 0 ? QColor(0, 0, 160) : QColor(160, 0, 0), 1, Qt::DashLine));
            cursorLines_[k]->setClipToAxisRect(true);
        }
        cursorLines_[k]->setVisible(keys[k].has_value());
        if (keys[k]) {
            cursorLines_[k]->point1->setCoords(*keys[k], 0);
            cursorLines_[k]->point2->setCoords(*keys[k], 1);
        }
    }
    replot(rpQueuedReplot);
}

std::vector<double> WizorChart::valuesBetween(int index, double from, double to) const
{
    std::vector<double> values;
    const QCPGraphDataContainer& data = *graph(index)->data();
    for (auto it = data.findBegin(std::min(from, to), false); it != data.constEnd() && it->key <= std::max(from, to);
         ++it)
        if (std::isfinite(it->value)) values.push_back(it->value);
    return values;
}

QString WizorChart::labelAt(double key) const
{
    return ticker_->labelNear(key);
}

QString WizorChart::readoutText() const
{
    return readout_->visible() ? readout_->text() : QString();
}

void WizorChart::updateReadout(QPoint pos)
{
    const QRect area = axisRect()->rect();
    const std::optional<Readout> readout = area.contains(pos) && !view3D_ ? readoutAt(pos.x()) : std::nullopt;
    if (!readout) {
        readout_->hide();
        return;
    }
    readout_->show(*readout, int(std::lround(xAxis->coordToPixel(readout->key))), area.top(), area.bottom());
}

void WizorChart::leaveEvent(QEvent* event)
{
    readout_->hide();
    QCustomPlot::leaveEvent(event);
}

void WizorChart::mouseMoveEvent(QMouseEvent* event)
{
    if (drag_ == Drag::None) {
        updateReadout(event->pos());
        if (cursorMode_) setCursor(cursorNear(event->pos()) ? Qt::SizeHorCursor : Qt::CrossCursor);
    }
    if (drag_ == Drag::Cursor) {
        dragCursorTo(event->position().x());
    } else if (drag_ == Drag::Rectangle) {
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
    if (finished == Drag::Cursor) dragCursorTo(event->position().x());
    if (finished == Drag::Rectangle) {
        switch (dragIntent(dragStart_, event->pos())) {
        case DragIntent::Click: {
            if (const std::optional<int> column = legendColumnAt(event->position())) {
                emit legendEntryClicked(*column);
                break;
            }
            if (cursorMode_) {
                emit cursorClicked(xAxis->pixelToCoord(event->position().x()));
                break;
            }
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
