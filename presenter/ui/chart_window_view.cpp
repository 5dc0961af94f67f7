// The chart window's view commands (fit, zoom, 3D view, legend, colours, the live view)
// and which part of the file the charts show: opening a file (dialog or drop), the load,
// the pages of kPageLines data lines and the whole-file overview.
#include "chart_math.h"
#include "chart_window.h"
#include "wizor_chart.h"
#include "wizor_dialogs.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QSplitter>
#include <QStatusBar>

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

void ChartWindow::fit()
{
    const Range range = document_.fitRangeOfShown();
    for (WizorChart* chart : {upper_, lower_}) {
        chart->setValueRange(range);
        // A hidden chart is drawn when it is shown again (showLoaded).
        if (!chart->isHidden()) chart->replot(QCustomPlot::rpQueuedReplot);
    }
    setLowerPanelHeight();
}

void ChartWindow::toggleFit()
{
    fitOn_ = !fitOn_;
    actions_[Fit]->setChecked(fitOn_);
    if (fitOn_) fit();
}

void ChartWindow::zoomIn()
{
    upper_->zoomIn();
    lower_->zoomIn();
}

void ChartWindow::undoZoom()
{
    upper_->undoZoom();
    lower_->undoZoom();
    if (fitOn_) fit();
}

void ChartWindow::toggle3DView()
{
    const bool on = !upper_->view3D();
    upper_->setView3D(on);
    lower_->setView3D(on);
    actions_[View3D]->setChecked(on);
}

void ChartWindow::toggleLegend()
{
    const bool on = !upper_->legendShown();
    upper_->setLegendShown(on);
    lower_->setLegendShown(on);
    actions_[Legend]->setChecked(on);
}

void ChartWindow::chooseBackgroundColour()
{
    if (const auto colour = dialogs_.chooseColour(this, upper_->backWallColour())) upper_->setBackWallColour(*colour);
}

void ChartWindow::showClickedPoint(const QString& title, double value)
{
    setPanel(1, title);
    setPanel(2, clickValueText(value));
}

void ChartWindow::showFullPathTip()
{
    statusBar()->setToolTip(document_.fileName());
}

void ChartWindow::showAbout()
{
    dialogs_.showAbout(this);
}

void ChartWindow::toggleLiveView()
{
    if (liveViewTimer_.isActive()) {
        liveViewTimer_.stop();
    } else {
        liveViewTimer_.start();
        refreshLiveView();
    }
    actions_[LiveView]->setChecked(liveViewTimer_.isActive());
}

void ChartWindow::refreshLiveView()
{
    if (QFileInfo::exists(document_.fileName())) reload();
    if (fitOn_) fit();
}

void ChartWindow::chooseFile()
{
    const QString chosen = dialogs_.openDataFile(this, dialogFolder());
    if (!chosen.isEmpty()) openFile(chosen);
}

void ChartWindow::openFile(const QString& path)
{
    const bool leftOverview = document_.open(path);
    applyHiddenChannels();
    showLoaded();
    if (leftOverview) resetZoom();
    if (fitOn_) fit();
}

void ChartWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void ChartWindow::dropEvent(QDropEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    openFile(path);
}

void ChartWindow::reload()
{
    document_.load();
    showLoaded();
}

void ChartWindow::showLoaded()
{
    twoCharts_ = document_.twoCharts();
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

void ChartWindow::toggleChannel(int column)
{
    document_.toggleColumn(column);
    applyHiddenChannels();
    if (fitOn_) fit();
}

void ChartWindow::showAllChannels()
{
    document_.showAllColumns();
    applyHiddenChannels();
    if (fitOn_) fit();
}

void ChartWindow::applyHiddenChannels()
{
    upper_->setHiddenColumns(document_.hiddenColumns());
    lower_->setHiddenColumns(document_.hiddenColumns());
}

void ChartWindow::resetZoom()
{
    upper_->resetZoom();
    lower_->resetZoom();
}

void ChartWindow::showView()
{
    detailShown_ = {};
    if (document_.overview()) {
        upper_->showOverview(data(), 0, false);
        if (twoCharts_) lower_->showOverview(data(), kColumnsPerChart, true);
        showOverviewDetail();
    } else {
        upper_->showColumns(data(), 0, false);
        if (twoCharts_) lower_->showColumns(data(), kColumnsPerChart, true);
    }
    updatePageState();
    updateCursorPanel();
    upper_->replot(QCustomPlot::rpQueuedReplot);
    if (!lower_->isHidden()) lower_->replot(QCustomPlot::rpQueuedReplot);
}

void ChartWindow::showOverviewDetail()
{
    if (!document_.overview()) return;
    WizorChart* const charts[] = {upper_, lower_};
    const int shown = twoCharts_ ? 2 : 1;
    // A window of actual points is read for the first chart that needs one it lacks.
    for (int k = 0; k < shown; ++k) {
        if (document_.readDetailFor(charts[k]->keyRange())) {
            detailShown_ = {};
            break;
        }
    }
    for (int k = 0; k < shown; ++k) {
        WizorChart* chart = charts[k];
        const bool detail = document_.detailCovers(chart->keyRange());
        if (detail == detailShown_[std::size_t(k)]) continue;
        const int column = k == 0 ? 0 : kColumnsPerChart;
        if (detail)
            chart->showColumns(data(), column, k == 1, WizorChart::Keys::FileLine);
        else
            chart->showOverview(data(), column, k == 1);
        detailShown_[std::size_t(k)] = detail;
        chart->replot(QCustomPlot::rpQueuedReplot);
    }
}

void ChartWindow::updatePageState()
{
    const bool overview = document_.overview();
    setPanel(3, filePanelText(QFileInfo(fileName()).fileName(), page(), document_.pageCount(), overview));
    const bool back = document_.previousPage().has_value();
    const bool forward = document_.nextPage().has_value();
    actions_[PreviousPage]->setEnabled(back);
    actions_[FirstPage]->setEnabled(back);
    actions_[NextPage]->setEnabled(forward);
    actions_[LastPage]->setEnabled(forward);
    actions_[WholeFile]->setChecked(overview);
}

void ChartWindow::showPage(std::size_t page)
{
    if (document_.showPage(page)) {
        upper_->clearCurves();
        lower_->clearCurves();
        resetZoom();
    }
    showView();
}

void ChartWindow::nextPage()
{
    if (const auto page = document_.nextPage()) showPage(*page);
}

void ChartWindow::previousPage()
{
    if (const auto page = document_.previousPage()) showPage(*page);
}

void ChartWindow::firstPage()
{
    showPage(0);
}

void ChartWindow::lastPage()
{
    showPage(document_.pageCount() - 1);
}

void ChartWindow::toggleWholeFile()
{
    if (document_.overview()) {
        showPage(page());
        return;
    }
    document_.enterOverview();
    upper_->clearCurves();
    lower_->clearCurves();
    resetZoom();
    showView();
    // The envelope's key span is known only now; the charts start showing all of it.
    resetZoom();
    showOverviewDetail();
}

}  // namespace wizor
