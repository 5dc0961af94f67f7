#pragma once
// Pure calculations behind the chart window: fit ranges, zoom steps, zoom undo,
// tick-label thinning, the oblique 3D layout, print layout and the start-up file
// rule. Nothing here paints or touches a widget, so all of it is tested directly.

#include <QMargins>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace wizor {

// A closed interval of an axis, lower first.
struct Range {
    double lower = 0.0;
    double upper = 0.0;
    double size() const { return upper - lower; }
    bool operator==(const Range&) const = default;
};

// The vertical range the fit gives for the file's statistics: 2 % of the value
// spread added on both sides, or 15 to 30 when the file gave no value (the
// reader's sentinels leave maxValue below minValue).
Range fitRange(float maxValue, float minValue);

// The range an axis can actually draw: a zero-height range (every value equal)
// is opened to one unit on either side, otherwise the range is returned as is.
Range drawableRange(Range r);

// One zoom-in step: a quarter of the width comes off both ends, so the visible
// range halves about its centre.
Range zoomedIn(Range r);

// The ranges an animated zoom passes through from `from` to `to`: `steps` frames,
// the last exactly `to`.
std::vector<Range> zoomFrames(Range from, Range to, int steps);

constexpr int kZoomAnimationSteps = 6;

// The four axes of one chart: bottom, left, right, top.
enum AxisSlot { Bottom = 0, Left = 1, Right = 2, Top = 3 };
using AxisRanges = std::array<Range, 4>;

// Remembers the axis ranges as they were when zooming began; undo hands them
// back once, and a second undo without a new zoom gives nothing.
class ZoomUndo {
public:
    // Called before any zoom or scroll changes the axes.
    void beginZoom(const AxisRanges& current);
    std::optional<AxisRanges> undo();
    bool zoomed() const { return saved_.has_value(); }

private:
    std::optional<AxisRanges> saved_;
};

// The distance in points between two labelled ticks of the bottom axis so that
// labels of `labelPixels` width (plus a gap) fit on an axis of `axisPixels`
// showing `visiblePoints` points: 1, 2, 5, 10, 20, 50, ...
int labelStep(double visiblePoints, double axisPixels, double labelPixels);

// Oblique 3D layout. Depth runs up and to the right; the back plane is the axis
// rectangle and the front plane is shifted by (-depth, +depth).
struct Oblique3D {
    int depth = 0;  // pixels between the back and the front plane along each axis

    // Screen shift of a plane `z` pixels in front of the back plane.
    QPointF shift(double z) const { return {-z, z}; }
    // The front and back depth of the ribbon of curve `index` (0 = frontmost) of
    // `count` curves: the depth is shared out evenly.
    std::pair<double, double> ribbon(int index, int count) const;
};

// Thins a screen polyline to at most four points per pixel column (first, lowest,
// highest, last), which draws the same picture as the full line.
std::vector<QPointF> thinToPixelColumns(const std::vector<QPointF>& points);

// The pieces of a screen polyline that can be drawn: split where a point is not
// finite (a value that is not a number or infinite leaves a gap, as in the flat
// view), vertical positions held within a million pixels of top..bottom so that the
// painter's fixed-point arithmetic cannot overflow on huge values.
std::vector<std::vector<QPointF>> drawableRuns(const std::vector<QPointF>& points, double top, double bottom);

// The depth of the 3D view for a plot area of the given size: the horizontal
// offset (percent of the smaller side) scaled by the zoom percentage.
int obliqueDepth(QSize plotArea, int horizontalOffset, int zoomPercent);

// The outer margins of a chart of `size`: 2 % left, right and top, 5 % bottom.
QMargins chartMargins(QSize size);

// The lower chart panel's height for a client area of the given height.
inline int lowerPanelHeight(int clientHeight)
{
    return clientHeight / 2;
}

// Where a chart of `chart` size goes on a page: aspect ratio kept, centred, 15 %
// of the page as the margin on the left and right for a wide chart, at the top
// and bottom otherwise.
QRect proportionalPrintRect(QRect page, QSize chart);

// A printed page for a report: a title line at the top (this high), at the bottom the
// cursors' table of `tableLines` lines (each this high) when the cursors are placed, the
// chart placed as proportionalPrintRect places it in the rest of the page.
inline int printTitleHeight(QRect page)
{
    return page.height() / 20;
}
inline int printTableLineHeight(QRect page)
{
    return page.height() / 48;
}
QRect reportPrintRect(QRect page, QSize chart, int tableLines = 0);
// The title line: the file's name, the date and time of the first point shown, and the
// page "[k/n]" of a file of several pages, or "Cały plik" for the overview.
QString printTitle(const QString& fileName, const QString& firstLabel, std::size_t page, std::size_t pages,
                   bool overview);

// What a left-button drag from `from` to `to` means: towards the lower right it
// zooms into the rectangle, towards the upper left it undoes the zoom; a move of
// a few pixels is a click.
enum class DragIntent { Click, Zoom, Undo };
DragIntent dragIntent(QPoint from, QPoint to);

// The file to show: every argument after the program joined by one blank, one
// trailing blank removed; "wiznow.dan" when there is none.
QString fileNameFromArguments(const QStringList& arguments);

// The file panel's text: the file name and, for a file of more than one page, the page
// shown as " [k/n]" (counted from 1).
QString filePanelText(const QString& name, std::size_t page, std::size_t pages, bool overview);

// The overview shows actual points once at most `window` data lines are visible. For
// a visible key range `visible` of a file of `lines` data lines: the first line of the
// window of `window` lines to read, centred on the visible range and within the file;
// none while more lines are visible.
std::optional<std::size_t> detailWindowStart(Range visible, std::size_t lines, std::size_t window);

// True when a window of `window` lines from `first` holds every line of `visible`.
bool windowCovers(std::size_t first, std::size_t window, Range visible, std::size_t lines);

// A value as the readout under the mouse shows it: the shortest text that reads back as the
// same single-precision value (23.45, not 23.4500007629395), with a decimal point.
QString readoutValueText(double value);

// The status bar text for a clicked point: "Y= " and the value with up to 15
// significant digits and a decimal point.
QString clickValueText(double value);

}  // namespace wizor
