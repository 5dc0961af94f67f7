#pragma once
// What the cursors' panel shows: for each shown channel the values at cursors A and B,
// B - A, and the minimum, maximum, mean and RMS of the points between them; the time
// between the cursors from the points' labels. Pure functions, tested directly.

#include <QString>

#include <optional>
#include <vector>

namespace wizor {

struct RangeStatistics {
    double atA = 0.0;
    double atB = 0.0;
    double minimum = 0.0;
    double maximum = 0.0;
    double mean = 0.0;
    double rms = 0.0;
    std::size_t count = 0;
};

// The statistics of `values` (the points from cursor A to cursor B, in order; not empty):
// A is the first, B the last.
RangeStatistics statisticsOf(const std::vector<double>& values);

// The time of a point label in seconds: "hh:mm:ss[.mmm]" or "mm:ss[.mmm]", after an
// optional date "yy-mm-dd" or "yyyy-mm-dd" (whose days count too); none for other text.
std::optional<double> labelSeconds(const QString& label);

// The seconds from label `a` to label `b`. Labels without a date that go back in time
// crossed midnight (or the hour, for "mm:ss" labels).
std::optional<double> secondsBetween(const QString& a, const QString& b);

}  // namespace wizor
