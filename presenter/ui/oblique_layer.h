#pragma once
// The oblique 3D picture of a chart: the left wall and the floor with depth, and
// every shown curve as a ribbon at its own depth, curve 1 in front. The flat
// curves are hidden meanwhile; the axes and the grid stay on the back wall.

#include <qcustomplot.h>

namespace wizor {

class ObliqueLayer : public QCPLayerable {
public:
    explicit ObliqueLayer(QCustomPlot* plot);

    void setDepth(int depth) { depth_ = depth; }
    int depth() const { return depth_; }

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    void draw(QCPPainter* painter) override;
    QRect clipRect() const override;

private:
    void drawRibbon(QCPPainter* painter, QCPGraph* curve, double front, double back) const;
    void drawRibbonPiece(QCPPainter* painter, const std::vector<QPointF>& line, const QColor& colour, double front,
                         double back) const;

    int depth_ = 0;
};

}  // namespace wizor
