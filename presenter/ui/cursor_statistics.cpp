#include "cursor_statistics.h"

#include <QDate>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace wizor {

RangeStatistics statisticsOf(const std::vector<double>& values)
{
    RangeStatistics s;
    s.count = values.size();
    if (values.empty()) return s;
    s.atA = values.front();
    s.atB = values.back();
    s.minimum = *std::min_element(values.begin(), values.end());
    s.maximum = *std::max_element(values.begin(), values.end());
    double sum = 0.0;
    double squares = 0.0;
    for (const double v : values) {
        sum += v;
        squares += v * v;
    }
    s.mean = sum / double(values.size());
    s.rms = std::sqrt(squares / double(values.size()));
    return s;
}

namespace {

struct LabelTime {
    std::optional<QDate> date;
    bool hours = false;
    double seconds = 0.0;
};

std::optional<LabelTime> parseLabel(const QString& label)
{
    static const QRegularExpression shape(QStringLiteral(
        "^\\s*(?:(\\d{2}|\\d{4})-(\\d{2})-(\\d{2})\\s+)?(?:(\\d{1,2}):)?(\\d{1,2}):(\\d{1,2}(?:\\.\\d+)?)\\s*$"));
    const QRegularExpressionMatch m = shape.match(label);
    if (!m.hasMatch()) return std::nullopt;
    LabelTime t;
    if (m.hasCaptured(1)) {
        int year = m.captured(1).toInt();
        if (m.captured(1).size() == 2) year += 2000;
        const QDate date(year, m.captured(2).toInt(), m.captured(3).toInt());
        if (!date.isValid()) return std::nullopt;
        t.date = date;
    }
    t.hours = m.hasCaptured(4);
    t.seconds =
        (t.hours ? m.captured(4).toInt() * 3600.0 : 0.0) + m.captured(5).toInt() * 60.0 + m.captured(6).toDouble();
    return t;
}

}  // namespace

std::optional<double> labelSeconds(const QString& label)
{
    const std::optional<LabelTime> t = parseLabel(label);
    if (!t) return std::nullopt;
    return (t->date ? double(t->date->toJulianDay()) * 86400.0 : 0.0) + t->seconds;
}

std::optional<double> secondsBetween(const QString& a, const QString& b)
{
    const std::optional<LabelTime> from = parseLabel(a);
    const std::optional<LabelTime> to = parseLabel(b);
    if (!from || !to || from->date.has_value() != to->date.has_value()) return std::nullopt;
    double dt = *labelSeconds(b) - *labelSeconds(a);
    if (!from->date && dt < 0) dt += from->hours ? 86400.0 : 3600.0;
    return dt;
}

}  // namespace wizor
