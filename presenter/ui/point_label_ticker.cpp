#include "point_label_ticker.h"

#include "chart_math.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace wizor {

void PointLabelTicker::setSource(std::function<QString(long long)> labelOf, long long count, long long unit,
                                 int labelPixels)
{
    labelOf_ = std::move(labelOf);
    count_ = count;
    unit_ = std::max(1LL, unit);
    labelPixels_ = labelPixels;
}

double PointLabelTicker::getTickStep(const QCPRange& range)
{
    return double(unit_) * labelStep(range.size() / double(unit_), rect_->width(), labelPixels_);
}

QString PointLabelTicker::getTickLabel(double tick, const QLocale&, QChar, int)
{
    const long long key = std::llround(tick);
    if (!labelOf_ || key < 0 || key >= count_) return {};
    return labelOf_(key);
}

QString PointLabelTicker::labelNear(double key) const
{
    const long long k = std::llround(key) / unit_ * unit_;
    if (!labelOf_ || k < 0 || k >= count_) return {};
    return labelOf_(k);
}

QVector<double> PointLabelTicker::createTickVector(double step, const QCPRange& range)
{
    QVector<double> ticks;
    if (count_ <= 0 || step <= 0) return ticks;
    const double last = std::min(range.upper, double(count_ - 1));
    for (double t = std::max(0.0, std::ceil(range.lower / step) * step); t <= last; t += step) ticks.append(t);
    return ticks;
}

}  // namespace wizor
