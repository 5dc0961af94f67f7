#include "chart_math.h"

#include "handoff_file.h"

#include <QCoreApplication>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace wizor {

Range fitRange(float maxValue, float minValue)
{
    if (!(maxValue >= minValue)) return {15.0, 30.0};
    // The spread in single precision, unless it overflows there (limits near the
    // float's largest values); the double then keeps the range drawable.
    const float spread = std::fabs(maxValue - minValue);
    const double margin =
        0.02 * (std::isfinite(spread) ? double(spread) : std::fabs(double(maxValue) - double(minValue)));
    return {double(minValue) - margin, double(maxValue) + margin};
}

Range drawableRange(Range r)
{
    if (r.upper > r.lower) return r;
    return {r.lower - 1.0, r.lower + 1.0};
}

Range zoomedIn(Range r)
{
    const double quarter = r.size() / 4.0;
    return {r.lower + quarter, r.upper - quarter};
}

std::vector<Range> zoomFrames(Range from, Range to, int steps)
{
    std::vector<Range> frames;
    steps = std::max(steps, 1);
    frames.reserve(std::size_t(steps));
    for (int i = 1; i < steps; ++i) {
        const double t = double(i) / steps;
        frames.push_back({from.lower + (to.lower - from.lower) * t, from.upper + (to.upper - from.upper) * t});
    }
    frames.push_back(to);
    return frames;
}

void ZoomUndo::beginZoom(const AxisRanges& current)
{
    if (!saved_) saved_ = current;
}

std::optional<AxisRanges> ZoomUndo::undo()
{
    std::optional<AxisRanges> ranges;
    ranges.swap(saved_);
    return ranges;
}

int labelStep(double visiblePoints, double axisPixels, double labelPixels)
{
    if (visiblePoints <= 0.0 || axisPixels <= 0.0) return 1;
    // A label needs its own width and a quarter of it as the gap to the next one.
    const double pointsPerLabel = labelPixels * 1.25 * visiblePoints / axisPixels;
    for (int decade = 1; decade <= 100000000; decade *= 10) {
        for (int factor : {1, 2, 5}) {
            if (double(decade * factor) >= pointsPerLabel) return decade * factor;
        }
    }
    return 1000000000;
}

std::pair<double, double> Oblique3D::ribbon(int index, int count) const
{
    if (count <= 0) return {double(depth), 0.0};
    const double width = double(depth) / count;
    const double front = depth - index * width;
    return {front, front - width};
}

std::vector<QPointF> thinToPixelColumns(const std::vector<QPointF>& points)
{
    std::vector<QPointF> out;
    out.reserve(std::min<std::size_t>(points.size(), 4096));
    std::size_t i = 0;
    while (i < points.size()) {
        const double column = std::floor(points[i].x());
        std::size_t end = i + 1;
        std::size_t low = i;
        std::size_t high = i;
        while (end < points.size() && std::floor(points[end].x()) == column) {
            if (points[end].y() < points[low].y()) low = end;
            if (points[end].y() > points[high].y()) high = end;
            ++end;
        }
        // Keep the extremes in their original order between the first and last.
        const std::size_t first = std::min(low, high);
        const std::size_t second = std::max(low, high);
        out.push_back(points[i]);
        if (first != i && first != end - 1) out.push_back(points[first]);
        if (second != first && second != i && second != end - 1) out.push_back(points[second]);
        if (end - 1 != i) out.push_back(points[end - 1]);
        i = end;
    }
    return out;
}

std::vector<std::vector<QPointF>> drawableRuns(const std::vector<QPointF>& points, double top, double bottom)
{
    constexpr double kReach = 1.0e6;
    std::vector<std::vector<QPointF>> runs;
    bool inRun = false;
    for (const QPointF& p : points) {
        if (!std::isfinite(p.x()) || !std::isfinite(p.y())) {
            inRun = false;
            continue;
        }
        if (!inRun) runs.emplace_back();
        inRun = true;
        runs.back().emplace_back(p.x(), std::clamp(p.y(), top - kReach, bottom + kReach));
    }
    return runs;
}

int obliqueDepth(QSize plotArea, int horizontalOffset, int zoomPercent)
{
    const int side = std::max(0, std::min(plotArea.width(), plotArea.height()));
    return int(std::lround(side * 0.12 * zoomPercent / 100.0)) + horizontalOffset;
}

QMargins chartMargins(QSize size)
{
    const int side = int(std::lround(size.width() * 0.02));
    return {side, int(std::lround(size.height() * 0.02)), side, int(std::lround(size.height() * 0.05))};
}

QRect proportionalPrintRect(QRect page, QSize chart)
{
    if (chart.isEmpty() || page.isEmpty()) return page;
    const double aspect = double(chart.height()) / chart.width();
    double width;
    double height;
    if (chart.width() > chart.height()) {
        width = page.width() * 0.7;
        height = width * aspect;
    } else {
        height = page.height() * 0.7;
        width = height / aspect;
    }
    // A page of unusual shape may not hold the chart at that width: shrink it.
    const double shrink = std::min({1.0, page.width() / width, page.height() / height});
    width *= shrink;
    height *= shrink;
    const int w = int(std::lround(width));
    const int h = int(std::lround(height));
    return {page.left() + (page.width() - w) / 2, page.top() + (page.height() - h) / 2, w, h};
}

DragIntent dragIntent(QPoint from, QPoint to)
{
    const QPoint d = to - from;
    if (std::abs(d.x()) <= 3 && std::abs(d.y()) <= 3) return DragIntent::Click;
    return (d.x() > 0 && d.y() > 0) ? DragIntent::Zoom : DragIntent::Undo;
}

QString fileNameFromArguments(const QStringList& arguments)
{
    if (arguments.size() <= 1) return QString::fromLatin1(handoff::kFileName);
    QString name = arguments.mid(1).join(QLatin1Char(' '));
    if (name.endsWith(QLatin1Char(' '))) name.chop(1);
    return name;
}

QString clickValueText(double value)
{
    // to_chars with a precision formats like "%.15g" but never uses the locale's comma.
    char text[40] = "Y= ";
    const auto end = std::to_chars(text + 3, text + sizeof text, value, std::chars_format::general, 15).ptr;
    return QString::fromLatin1(text, end - text);
}

QRect reportPrintRect(QRect page, QSize chart, int tableLines)
{
    return proportionalPrintRect(
        page.adjusted(0, printTitleHeight(page), 0, -tableLines * printTableLineHeight(page)), chart);
}

QString printTitle(const QString& fileName, const QString& firstLabel, std::size_t page, std::size_t pages,
                   bool overview)
{
    QString title = fileName;
    if (!firstLabel.trimmed().isEmpty()) title += QStringLiteral("   ") + firstLabel.trimmed();
    if (overview)
        title += QStringLiteral("   ") + QCoreApplication::translate("wizor::ChartWindow", "Cały plik");
    else if (pages > 1)
        title += QStringLiteral("   [%1/%2]").arg(page + 1).arg(pages);
    return title;
}

QString readoutValueText(double value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, float(value)).ptr;
    return QString::fromLatin1(text, end - text);
}

QString filePanelText(const QString& name, std::size_t page, std::size_t pages, bool overview)
{
    if (pages <= 1 || overview) return name;
    return QStringLiteral("%1 [%2/%3]").arg(name).arg(page + 1).arg(pages);
}

namespace {

// The lines a visible key range touches, within a file of `lines` data lines.
std::pair<double, double> visibleLines(Range visible, std::size_t lines)
{
    const double last = double(lines) - 1.0;
    return {std::clamp(std::floor(visible.lower), 0.0, last), std::clamp(std::ceil(visible.upper), 0.0, last)};
}

}  // namespace

std::optional<std::size_t> detailWindowStart(Range visible, std::size_t lines, std::size_t window)
{
    if (lines == 0 || window == 0) return std::nullopt;
    const auto [first, last] = visibleLines(visible, lines);
    if (last - first + 1.0 > double(window)) return std::nullopt;
    const double centre = (first + last) / 2.0;
    const double latest = lines > window ? double(lines - window) : 0.0;
    return std::size_t(std::clamp(std::floor(centre - double(window) / 2.0), 0.0, latest));
}

bool windowCovers(std::size_t first, std::size_t window, Range visible, std::size_t lines)
{
    if (lines == 0) return false;
    const auto [from, to] = visibleLines(visible, lines);
    return from >= double(first) && to < double(first) + double(window);
}

}  // namespace wizor
