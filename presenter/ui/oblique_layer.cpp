#include "oblique_layer.h"

#include "chart_math.h"

namespace wizor {

namespace {
const QColor kWallBorder(192, 192, 192);
}

ObliqueLayer::ObliqueLayer(QCustomPlot* plot) : QCPLayerable(plot, QStringLiteral("main")) {}

void ObliqueLayer::applyDefaultAntialiasingHint(QCPPainter* painter) const
{
    applyAntialiasingHint(painter, false, QCP::aePlottables);
}

QRect ObliqueLayer::clipRect() const
{
    return mParentPlot->viewport();
}

void ObliqueLayer::draw(QCPPainter* painter)
{
    const QRectF back = mParentPlot->axisRect()->rect();
    const Oblique3D view{depth_};
    const QPointF front = view.shift(depth_);

    painter->setPen(QPen(kWallBorder, 1));
    painter->setBrush(Qt::white);
    painter->drawPolygon(
        QPolygonF({back.topLeft(), back.bottomLeft(), back.bottomLeft() + front, back.topLeft() + front}));
    painter->drawPolygon(
        QPolygonF({back.bottomLeft(), back.bottomRight(), back.bottomRight() + front, back.bottomLeft() + front}));

    QList<QCPGraph*> shown;
    for (int i = 0; i < mParentPlot->graphCount(); ++i) {
        if (mParentPlot->graph(i)->visible()) shown.append(mParentPlot->graph(i));
    }
    // Back to front, so that nearer ribbons cover farther ones.
    painter->save();
    // Ribbons stay inside the box spanned by the back and the front plane.
    QPainterPath box;
    box.addPolygon(QPolygonF({back.topLeft(), back.topRight(), back.bottomRight(), back.bottomRight() + front,
                              back.bottomLeft() + front, back.topLeft() + front}));
    box.closeSubpath();
    painter->setClipPath(box, Qt::IntersectClip);
    for (int k = int(shown.size()) - 1; k >= 0; --k) {
        const auto [nearDepth, farDepth] = view.ribbon(k, int(shown.size()));
        drawRibbon(painter, shown[k], nearDepth, farDepth);
    }
    painter->restore();
}

void ObliqueLayer::drawRibbon(QCPPainter* painter, QCPGraph* curve, double front, double back) const
{
    QCPAxis* keys = curve->keyAxis();
    QCPAxis* values = curve->valueAxis();
    const auto data = curve->data();
    auto begin = data->findBegin(keys->range().lower);
    auto end = data->findEnd(keys->range().upper);
    std::vector<QPointF> line;
    line.reserve(std::size_t(end - begin));
    for (auto it = begin; it != end; ++it)
        line.emplace_back(keys->coordToPixel(it->key), values->coordToPixel(it->value));
    const QRect area = mParentPlot->axisRect()->rect();
    for (const std::vector<QPointF>& run : drawableRuns(line, area.top(), area.bottom()))
        drawRibbonPiece(painter, thinToPixelColumns(run), curve->pen().color(), front, back);
}

void ObliqueLayer::drawRibbonPiece(QCPPainter* painter, const std::vector<QPointF>& line, const QColor& colour,
                                   double front, double back) const
{
    if (line.empty()) return;
    const Oblique3D view{depth_};
    const QPointF nearShift = view.shift(front);
    const QPointF farShift = view.shift(back);
    if (line.size() == 1) {
        painter->setPen(QPen(colour, 1));
        painter->drawLine(line[0] + farShift, line[0] + nearShift);
        return;
    }
    // The ribbon's faces in the curve's colour, outlined in the same colour so that
    // neighbouring faces leave no gap; then its front edge a little darker.
    painter->setPen(QPen(colour, 1));
    painter->setBrush(colour);
    QPointF quad[4];
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        quad[0] = line[i] + farShift;
        quad[1] = line[i + 1] + farShift;
        quad[2] = line[i + 1] + nearShift;
        quad[3] = line[i] + nearShift;
        painter->drawPolygon(quad, 4);
    }
    QPolygonF edge(qsizetype(line.size()));
    for (std::size_t i = 0; i < line.size(); ++i) edge[qsizetype(i)] = line[i] + nearShift;
    painter->setPen(QPen(colour.darker(140), 1));
    painter->drawPolyline(edge);
}

}  // namespace wizor
