#pragma once
// One chart of the presenter window: 16 line curves against a bottom axis labelled
// with the points' date and time and two vertical axes that always share a range
// (left without labels, right labelled), a legend at the left, zoom with undo,
// scrolling and the oblique 3D view.

#include "chart_math.h"
#include "chart_readout.h"
#include "line_parser.h"

#include <qcustomplot.h>

#include <QColor>
#include <QTimer>

#include <array>
#include <bitset>
#include <memory>
#include <optional>
#include <vector>

class QRubberBand;

namespace wizor {

struct MeasurementData;
class ObliqueLayer;
class ReadoutOverlay;
class PointLabelTicker;

class WizorChart : public QCustomPlot {
    Q_OBJECT
public:
    static constexpr int kCurves = kColumnsPerChart;

    explicit WizorChart(QWidget* parent = nullptr);
    ~WizorChart() override;

    // The colour of curve `index` (0-15) on the upper or the lower chart.
    static QColor curveColour(int index, bool lowerChart);
    // The chart panel around the plot area.
    static QColor panelColour();

    // Where the points of a curve stand: at their number within the curve (a page), or
    // at the number of their data line in the whole file (the overview).
    enum class Keys { PerCurve, FileLine };

    // Shows value columns firstColumn .. firstColumn+15 of `data` as curves 1-16.
    // `data` must outlive the chart's next load (the axis labels read from it).
    void showColumns(const MeasurementData& data, int firstColumn, bool lowerChart, Keys keys = Keys::PerCurve);
    // The same columns as the overview of the whole file: each curve sweeps from the
    // smallest to the largest value of every run of lines, keys being data line numbers.
    void showOverview(const MeasurementData& data, int firstColumn, bool lowerChart);
    void clearCurves();
    // Columns whose curves are hidden (their legend entries greyed), kept across loads.
    void setHiddenColumns(const std::bitset<kMaxColumns>& hidden);
    // The column of the legend entry at `pos`, if any.
    std::optional<int> legendColumnAt(const QPointF& pos) const;
    // Forgets any zoom and spans the keys of what is shown.
    void resetZoom();
    // Curves with points, shown or hidden: the legend's entries.
    int activeCurveCount() const;
    QCPGraph* curve(int index) const { return graph(index); }

    // Both vertical axes get the range; a zero-height range is opened to be drawable.
    void setValueRange(Range range);
    Range valueRange() const;
    Range keyRange() const;
    AxisRanges axisRanges() const;
    void setAxisRanges(const AxisRanges& ranges);

    // Halves every axis about its centre, animated in six steps unless told otherwise.
    void zoomIn(bool animated = true);
    void zoomToPixels(QRect area);
    void finishZoomAnimation();
    // Back to the ranges saved when zooming began; false when there was nothing to undo.
    bool undoZoom();
    bool zoomed() const { return zoomUndo_.zoomed(); }

    bool view3D() const { return view3D_; }
    void setView3D(bool on);
    bool legendShown() const { return legendShown_; }
    void setLegendShown(bool on);

    QColor backWallColour() const { return backWall_; }
    void setBackWallColour(const QColor& colour);
    void setBackgroundPicture(const QPixmap& picture);

    // The chart at its current size on a white background.
    QImage renderOnWhite();
    // Draws the chart scaled into `target` of a painter (a printer page).
    void drawInto(QCPPainter& painter, const QRect& target, bool onWhite = false);

    // Cursor mode: a click places a cursor (cursorClicked) instead of asking for a curve,
    // and a left-button drag that starts on a cursor's line moves it (cursorDragged).
    void setCursorMode(bool on)
    {
        cursorMode_ = on;
        if (!on) setCursor(Qt::CrossCursor);
    }
    // Vertical lines at the keys of cursors A and B, where set.
    void setCursorKeys(std::optional<double> a, std::optional<double> b);
    // The values of curve `index` at the points with keys from `from` to `to`.
    std::vector<double> valuesBetween(int index, double from, double to) const;
    // The label of the point at or before `key`.
    QString labelAt(double key) const;

    // The readout under the mouse at horizontal pixel `x` of the plot: the point of the
    // first shown curve nearest to it and every shown curve's value at that key; none
    // without a shown point.
    std::optional<Readout> readoutAt(double x) const;
    // The readout box as it stands (for the tests); empty while hidden.
    QString readoutText() const;

    // The curve name and value the status bar shows for a click at `pos`; false when
    // no point of a shown curve is near.
    bool pointAt(const QPointF& pos, QString* title, double* value) const;

signals:
    void curveClicked(const QString& title, double value);
    void legendEntryClicked(int column);
    void cursorClicked(double key);
    // Cursor `cursor` (0: A, 1: B) dragged to `key`, within the plot's key range.
    void cursorDragged(int cursor, double key);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static constexpr int kZoomAnimationIntervalMs = 25;
    // Sets an axis range so that the axis never holds a maximum below its minimum on the way.
    static void setRangeOrdered(QCPAxis* axis, Range range);
    QCPAxis* axisAt(int slot) const;
    void applyLayoutSizes(QSize size);
    void rescaleKeys();
    void animationStep();
    void activateCurve(int index, const MeasurementData& data, int column, bool lowerChart);
    void updateReadout(QPoint pos);
    void applyHidden(int index);
    int labelWidth(const QString& first, const QString& last) const;
    // The cursor whose line lies within a few pixels of `pos` in the plot area, if any.
    std::optional<int> cursorNear(QPoint pos) const;
    void dragCursorTo(double x);

    PointLabelTicker* ticker_ = nullptr;  // owned by the bottom axis
    ObliqueLayer* oblique_ = nullptr;     // owned by the plot
    std::unique_ptr<ReadoutOverlay> readout_;
    QCPLayoutGrid* legendColumn_ = nullptr;
    QColor backWall_ = Qt::white;
    bool view3D_ = false;
    bool legendShown_ = true;
    int pointCount_ = 0;
    int firstColumn_ = 0;  // the column of curve 1
    bool cursorMode_ = false;
    std::array<QCPItemStraightLine*, 2> cursorLines_{};
    std::bitset<kMaxColumns> hidden_;

    ZoomUndo zoomUndo_;
    QTimer animation_;
    std::array<std::vector<Range>, 4> frames_;
    std::size_t frame_ = 0;

    static constexpr int kCursorGrabPixels = 5;
    enum class Drag { None, Rectangle, Scroll, Cursor };
    Drag drag_ = Drag::None;
    int draggedCursor_ = 0;
    QPoint dragStart_;
    AxisRanges dragRanges_{};
    QRubberBand* rubberBand_ = nullptr;
};

}  // namespace wizor
