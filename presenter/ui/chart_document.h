#pragma once
// What the chart window shows, without any widget: the file, what the loader read of it,
// and which part the charts show, a page of kPageLines data lines or the whole-file
// overview (with a window of actual points once zoomed in far enough).

#include "chart_math.h"
#include "line_parser.h"
#include "measurement_loader.h"

#include <QString>

#include <bitset>
#include <cstddef>
#include <optional>
#include <string>

namespace wizor {

class ChartDocument {
public:
    const QString& fileName() const { return fileName_; }
    void setFileName(const QString& fileName) { fileName_ = fileName; }
    const MeasurementData& data() const { return data_; }
    std::size_t page() const { return page_; }
    std::size_t pageCount() const { return data_.pageCount(); }
    bool overview() const { return overview_; }
    bool twoCharts() const { return data_.twoCharts(); }

    // Another file from its first page; true when the overview was left for it.
    bool open(const QString& fileName);
    // Reads the file again, whole, with the points of the page (or the overview's window of
    // actual points) shown, so that a reload stays where the user was.
    void load();
    // Shows page `page` (the last one when it lies beyond); true when the overview was left.
    bool showPage(std::size_t page);
    // The page the page keys lead to from here: from the overview, the page it was entered
    // from; none at either end of the file.
    std::optional<std::size_t> nextPage() const;
    std::optional<std::size_t> previousPage() const;
    void enterOverview();

    // Channels hidden by the user (by column); the choice holds until another file is
    // opened or every channel is shown again.
    const std::bitset<kMaxColumns>& hiddenColumns() const { return hidden_; }
    void toggleColumn(int column) { hidden_.flip(std::size_t(column)); }
    void showAllColumns() { hidden_.reset(); }
    // The range the fit gives for the shown columns' values over the whole file.
    Range fitRangeOfShown() const;

    // The points of `count` data lines from `first` on, read from the file beside what is
    // shown (the export of a range of the overview).
    MeasurementData readLines(std::size_t first, std::size_t count) const;

    // In the overview: reads a window of actual points for the key range `visible` when it
    // needs one that is not read yet; true when it did.
    bool readDetailFor(Range visible);
    // Whether the points read hold every line of `visible`, few enough to be shown.
    bool detailCovers(Range visible) const;
    // The first data line of the window of actual points, when one has been read.
    std::optional<std::size_t> detailFirst() const { return detailFirst_; }

private:
    std::string localPath() const;

    QString fileName_;
    Linia1MG parser_;
    MeasurementData data_;
    std::size_t page_ = 0;
    bool overview_ = false;
    std::optional<std::size_t> detailFirst_;
    std::bitset<kMaxColumns> hidden_;
};

}  // namespace wizor
