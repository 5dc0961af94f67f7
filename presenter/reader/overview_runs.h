#pragma once
// The whole-file overview gathered while the loader reads: the smallest and the largest
// value of each column over runs of data lines. Internal to the loader.

#include "measurement_loader.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace wizor {

// Takes the finite values among the first `count` of `values` into the running largest and
// smallest value of each column.
void addToStatistics(const float* values, int count, float* high, float* low) noexcept;

// Stores a parser's point label (at most 2 * kMaxStampLength + 1 characters).
void appendLabel(std::vector<PointLabel>& labels, std::string_view label);

// Min and max per run of data lines, the runs aligned to multiples of the run length in the
// whole file. When the runs are used up, neighbours merge and the runs become twice as long,
// so the whole file always fits. A collector for a later part of the file starts at the run
// of its first line and is merged into the one before it.
class OverviewCollector {
public:
    explicit OverviewCollector(Overview& out) : out_(out) { clear(0, 0); }

    void clear(std::size_t firstLine, int shift)
    {
        shift_ = shift;
        firstRun_ = firstLine >> shift;
        out_.runLength = std::size_t(1) << shift;
        out_.runs.clear();
        out_.labels.clear();
    }

    template <typename LabelOf>
    void add(std::size_t line, const float* values, int used, LabelOf&& labelOf)
    {
        std::size_t run = (line >> shift_) - firstRun_;
        if (run == kOverviewRuns) {
            coarsen();
            run = (line >> shift_) - firstRun_;
        }
        if (run == out_.runs.size()) {
            Overview::Run& fresh = out_.runs.emplace_back();
            fresh.low.fill(std::numeric_limits<float>::infinity());
            fresh.high.fill(-std::numeric_limits<float>::infinity());
            appendLabel(out_.labels, labelOf());
        }
        Overview::Run& r = out_.runs[run];
        addToStatistics(values, used, r.high.data(), r.low.data());
    }

    // Takes in `later`, whose lines follow this collector's.
    void merge(OverviewCollector& later)
    {
        while (later.shift_ < shift_) later.coarsen();
        while (shift_ < later.shift_) coarsen();
        for (std::size_t k = 0; k < later.out_.runs.size(); ++k) {
            const std::size_t run = later.firstRun_ + k - firstRun_;
            if (run < out_.runs.size()) {
                mergeRun(out_.runs[run], later.out_.runs[k]);
            } else {
                out_.runs.push_back(later.out_.runs[k]);
                out_.labels.push_back(later.out_.labels[k]);
            }
        }
        while (out_.runs.size() > kOverviewRuns) coarsen();
    }

    // Takes one more value of `column` in the run of `line` (already collected).
    void include(std::size_t line, int column, float value) noexcept
    {
        if (!std::isfinite(value)) return;
        Overview::Run& r = out_.runs[(line >> shift_) - firstRun_];
        r.low[std::size_t(column)] = std::min(r.low[std::size_t(column)], value);
        r.high[std::size_t(column)] = std::max(r.high[std::size_t(column)], value);
    }

    int shift() const noexcept { return shift_; }

private:
    static void mergeRun(Overview::Run& into, const Overview::Run& from) noexcept
    {
        for (std::size_t c = 0; c < std::size_t(kMaxColumns); ++c) {
            into.low[c] = std::min(into.low[c], from.low[c]);
            into.high[c] = std::max(into.high[c], from.high[c]);
        }
    }

    // Runs twice as long: run r goes into run r / 2 and keeps the label of its first line.
    void coarsen()
    {
        std::size_t kept = 0;
        const std::size_t newFirst = firstRun_ >> 1;
        for (std::size_t k = 0; k < out_.runs.size(); ++k) {
            const std::size_t target = ((firstRun_ + k) >> 1) - newFirst;
            if (target < kept) {
                mergeRun(out_.runs[target], out_.runs[k]);
            } else {
                out_.runs[target] = out_.runs[k];
                out_.labels[target] = out_.labels[k];
                kept = target + 1;
            }
        }
        out_.runs.resize(kept);
        out_.labels.resize(kept);
        firstRun_ = newFirst;
        ++shift_;
        out_.runLength = std::size_t(1) << shift_;
    }

    Overview& out_;
    int shift_ = 0;
    std::size_t firstRun_ = 0;
};

}  // namespace wizor
