#include "chart_document.h"

#include <QFile>

#include <algorithm>
#include <utility>

namespace wizor {

std::string ChartDocument::localPath() const
{
    return QFile::encodeName(fileName_).toStdString();
}

bool ChartDocument::open(const QString& fileName)
{
    if (fileName != fileName_) hidden_.reset();
    fileName_ = fileName;
    page_ = 0;
    const bool leftOverview = std::exchange(overview_, false);
    load();
    return leftOverview;
}

void ChartDocument::load()
{
    if (overview_)
        loadMeasurementFile(localPath(), parser_, data_, detailFirst_ ? kPageLines : 0, detailFirst_.value_or(0));
    else
        loadMeasurementFile(localPath(), parser_, data_, kPageLines, page_ * kPageLines);
    if (!overview_ && page_ >= data_.pageCount()) {
        page_ = data_.pageCount() - 1;
        loadDataLines(localPath(), data_, page_ * kPageLines, kPageLines);
    }
}

bool ChartDocument::showPage(std::size_t page)
{
    page_ = std::min(page, data_.pageCount() - 1);
    const bool leftOverview = std::exchange(overview_, false);
    loadDataLines(localPath(), data_, page_ * kPageLines, kPageLines);
    return leftOverview;
}

std::optional<std::size_t> ChartDocument::nextPage() const
{
    if (overview_) return page_;
    if (page_ + 1 < data_.pageCount()) return page_ + 1;
    return std::nullopt;
}

std::optional<std::size_t> ChartDocument::previousPage() const
{
    if (overview_) return page_;
    if (page_ > 0) return page_ - 1;
    return std::nullopt;
}

void ChartDocument::enterOverview()
{
    overview_ = true;
    detailFirst_.reset();
}

MeasurementData ChartDocument::readLines(std::size_t first, std::size_t count) const
{
    MeasurementData lines = data_;
    loadDataLines(localPath(), lines, first, count);
    return lines;
}

Range ChartDocument::fitRangeOfShown() const
{
    if (hidden_.none()) return fitRange(data_.maxValue, data_.minValue);
    // The overview's runs hold every data line's smallest and largest value per column.
    float high = MeasurementData::kInitialMaxValue;
    float low = MeasurementData::kInitialMinValue;
    for (const Overview::Run& run : data_.overview.runs) {
        for (std::size_t c = 0; c < std::size_t(kMaxColumns); ++c) {
            if (hidden_.test(c)) continue;
            high = std::max(high, run.high[c]);
            low = std::min(low, run.low[c]);
        }
    }
    return fitRange(high, low);
}

bool ChartDocument::readDetailFor(Range visible)
{
    const auto start = detailWindowStart(visible, data_.dataLines, kPageLines);
    if (!start || (detailFirst_ && windowCovers(*detailFirst_, kPageLines, visible, data_.dataLines))) return false;
    loadDataLines(localPath(), data_, *start, kPageLines);
    detailFirst_ = start;
    return true;
}

bool ChartDocument::detailCovers(Range visible) const
{
    return detailFirst_ && detailWindowStart(visible, data_.dataLines, kPageLines) &&
           windowCovers(*detailFirst_, kPageLines, visible, data_.dataLines);
}

}  // namespace wizor
