// The presenter window's file handling: opening (dialog or drop), the load that reads
// the whole file once, and which part of it the charts show: a page of kPageLines data
// lines, or the whole-file overview with actual points once zoomed in far enough.
#include "chart_math.h"
#include "wizor_chart.h"
#include "wizor_dialogs.h"
#include "wizor_form.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QSplitter>

#include <utility>

namespace wizor {

namespace {

// The first local file among dropped items, or empty.
QString droppedFile(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls()) return {};
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile()) return url.toLocalFile();
    }
    return {};
}

}  // namespace

void TWizorForm1::ToolButton1Click()
{
    const QString chosen = dialogs_.openDataFile(this, dialogFolder());
    if (!chosen.isEmpty()) openFile(chosen);
}

void TWizorForm1::openFile(const QString& path)
{
    fileName_ = path;
    page_ = 0;
    const bool leavingOverview = std::exchange(overview_, false);
    New2chart1Execute();
    if (leavingOverview) {
        upper_->resetZoom();
        lower_->resetZoom();
    }
    if (fitOn_) Dopasuj1Execute();
}

std::string TWizorForm1::localPath() const
{
    return QFile::encodeName(fileName_).toStdString();
}

void TWizorForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TWizorForm1::dropEvent(QDropEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    openFile(path);
}

void TWizorForm1::New2chart1Execute()
{
    // One pass over the file also gathers the points of the page (or the overview's
    // window of actual points) being shown, so a reload stays where the user was.
    if (overview_)
        loadMeasurementFile(localPath(), parser_, data_, detailFirst_ ? kPageLines : 0, detailFirst_.value_or(0));
    else
        loadMeasurementFile(localPath(), parser_, data_, WizorChart::kMaxPoints, page_ * kPageLines);
    if (!overview_ && page_ >= data_.pageCount()) {
        page_ = data_.pageCount() - 1;
        loadDataLines(localPath(), data_, page_ * kPageLines, kPageLines);
    }
    twoCharts_ = data_.twoCharts();
    if (twoCharts_) {
        if (lower_->isHidden()) {
            lower_->show();
            splitter_->handle(1)->setEnabled(true);
        }
        setLowerPanelHeight();
    } else {
        lower_->clearCurves();
        lower_->hide();
        splitter_->handle(1)->setEnabled(false);
    }
    showView();
}

void TWizorForm1::showView()
{
    detailShown_ = {};
    if (overview_) {
        upper_->showOverview(data_, 0, false);
        if (twoCharts_) lower_->showOverview(data_, kTwoChartColumns, true);
        showOverviewDetail();
    } else {
        upper_->showColumns(data_, 0, false);
        if (twoCharts_) lower_->showColumns(data_, kTwoChartColumns, true);
    }
    updatePageState();
    upper_->replot(QCustomPlot::rpQueuedReplot);
    lower_->replot(QCustomPlot::rpQueuedReplot);
}

void TWizorForm1::showOverviewDetail()
{
    if (!overview_) return;
    WizorChart* const charts[] = {upper_, lower_};
    const int shown = twoCharts_ ? 2 : 1;
    // A window of actual points is read for the first chart that needs one it lacks.
    for (int k = 0; k < shown; ++k) {
        const Range visible = charts[k]->keyRange();
        const auto start = detailWindowStart(visible, data_.dataLines, kPageLines);
        if (start && !(detailFirst_ && windowCovers(*detailFirst_, kPageLines, visible, data_.dataLines))) {
            loadDataLines(localPath(), data_, *start, kPageLines);
            detailFirst_ = start;
            detailShown_ = {};
            break;
        }
    }
    for (int k = 0; k < shown; ++k) {
        WizorChart* chart = charts[k];
        const Range visible = chart->keyRange();
        const bool detail = detailFirst_ && detailWindowStart(visible, data_.dataLines, kPageLines) &&
                            windowCovers(*detailFirst_, kPageLines, visible, data_.dataLines);
        if (detail == detailShown_[std::size_t(k)]) continue;
        const int column = k == 0 ? 0 : kTwoChartColumns;
        if (detail)
            chart->showColumns(data_, column, k == 1, WizorChart::Keys::FileLine);
        else
            chart->showOverview(data_, column, k == 1);
        detailShown_[std::size_t(k)] = detail;
        chart->replot(QCustomPlot::rpQueuedReplot);
    }
}

void TWizorForm1::updatePageState()
{
    const std::size_t pages = data_.pageCount();
    setPanel(3, filePanelText(QFileInfo(fileName_).fileName(), page_, pages, overview_));
    actions_[PreviousPage]->setEnabled(overview_ || page_ > 0);
    actions_[FirstPage]->setEnabled(overview_ || page_ > 0);
    actions_[NextPage]->setEnabled(overview_ || page_ + 1 < pages);
    actions_[LastPage]->setEnabled(overview_ || page_ + 1 < pages);
    actions_[WholeFile]->setChecked(overview_);
}

void TWizorForm1::showPage(std::size_t page)
{
    page_ = std::min(page, data_.pageCount() - 1);
    const bool leavingOverview = std::exchange(overview_, false);
    loadDataLines(localPath(), data_, page_ * kPageLines, kPageLines);
    if (leavingOverview) {
        upper_->clearCurves();
        lower_->clearCurves();
        upper_->resetZoom();
        lower_->resetZoom();
    }
    showView();
}

void TWizorForm1::NastepnaStronaExecute()
{
    if (overview_ || page_ + 1 < data_.pageCount()) showPage(overview_ ? page_ : page_ + 1);
}

void TWizorForm1::PoprzedniaStronaExecute()
{
    if (overview_ || page_ > 0) showPage(overview_ || page_ == 0 ? page_ : page_ - 1);
}

void TWizorForm1::PierwszaStronaExecute()
{
    showPage(0);
}

void TWizorForm1::OstatniaStronaExecute()
{
    showPage(data_.pageCount() - 1);
}

void TWizorForm1::CalyPlikExecute()
{
    if (overview_) {
        showPage(page_);
        return;
    }
    overview_ = true;
    detailFirst_.reset();
    upper_->clearCurves();
    lower_->clearCurves();
    upper_->resetZoom();
    lower_->resetZoom();
    showView();
    // The envelope's key span is known only now; the charts start showing all of it.
    upper_->resetZoom();
    lower_->resetZoom();
    showOverviewDetail();
}

}  // namespace wizor
