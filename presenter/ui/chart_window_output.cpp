// The chart window's output: printing, the bitmap file, the clipboard, help and the
// support page.
#include "chart_export.h"
#include "chart_math.h"
#include "chart_window.h"
#include "desktop_links.h"
#include "help_topics.h"
#include "help_window.h"
#include "wizor_chart.h"
#include "wizor_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPageLayout>

#include <QLayout>
#include <QPrinter>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <cmath>
#include <vector>

namespace wizor {

namespace {

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// Tab-separated `table` in `area`, one line per row, its columns aligned: names to the
// left, numbers to the right.
void printTable(QPainter& painter, const QRect& area, const QString& table)
{
    QStringList rows = table.split(QLatin1Char('\n'));
    if (rows.last().isEmpty()) rows.removeLast();
    if (rows.isEmpty()) return;
    const int lineHeight = area.height() / int(rows.size());
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(std::max(1, lineHeight * 3 / 4));
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetrics metrics = painter.fontMetrics();
    std::vector<QStringList> cells;
    std::vector<int> widths;
    for (const QString& row : rows) {
        cells.push_back(row.split(QLatin1Char('\t')));
        for (qsizetype c = 0; c < cells.back().size(); ++c) {
            if (std::size_t(c) >= widths.size()) widths.push_back(0);
            widths[std::size_t(c)] = std::max(widths[std::size_t(c)], metrics.horizontalAdvance(cells.back()[c]));
        }
    }
    const int gap = metrics.horizontalAdvance(QStringLiteral("MM"));
    int top = area.top();
    for (const QStringList& row : cells) {
        int left = area.left();
        for (qsizetype c = 0; c < row.size(); ++c) {
            const int width = widths[std::size_t(c)];
            painter.drawText(QRect(left, top, width, lineHeight),
                             Qt::AlignVCenter | (c == 0 ? Qt::AlignLeft : Qt::AlignRight), row[c]);
            left += width + gap;
        }
        top += lineHeight;
    }
    painter.restore();
}

}  // namespace

void ChartWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(upper_->width() > upper_->height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (!dialogs_.setUpPrinter(this, printer)) return;
    QCPPainter painter;
    if (!painter.begin(&printer)) {
        dialogs_.showError(this, tr("Nie można rozpocząć wydruku."), tr("Błąd..."));
        return;
    }
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    // Hairline pens would print one printer dot wide; they scale with the chart instead.
    painter.setMode(QCPPainter::pmNonCosmetic);
    printChart(printer, painter, upper_);
    if (twoCharts_) {
        printer.newPage();
        printChart(printer, painter, lower_);
    }
    painter.end();
}

void ChartWindow::printChart(QPrinter& printer, QCPPainter& painter, WizorChart* chart)
{
    setPanel(0, tr("Drukowanie..."));
    const QRect sheet(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    // With both cursors placed, their table for this chart's channels goes under the chart.
    const QString table = cursorA_ && cursorB_ ? cursorPanelText(chart) : QString();
    const int tableLines = int(table.count(QLatin1Char('\n')));
    const QRect target = reportPrintRect(sheet, chart->size(), tableLines);
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(std::max(1, printTitleHeight(sheet) / 2));
    painter.setFont(font);
    painter.setPen(Qt::black);
    const Range keys = chart->keyRange();
    const QString title =
        printTitle(QFileInfo(fileName()).fileName(), chart->labelAt(std::max(0.0, std::ceil(keys.lower))),
                   document_.page(), document_.pageCount(), document_.overview());
    painter.drawText(QRect(target.left(), 0, target.width(), printTitleHeight(sheet)), Qt::AlignLeft | Qt::AlignBottom,
                     title);
    painter.restore();
    chart->drawInto(painter, target, true);
    if (tableLines > 0) {
        const int lineHeight = printTableLineHeight(sheet);
        printTable(painter, QRect(target.left(), sheet.bottom() - tableLines * lineHeight, sheet.width() - target.left(),
                                  tableLines * lineHeight),
                   table);
    }
    setPanel(0, tr("Koniec wydruku"));
}

void ChartWindow::saveAsBitmap()
{
    QString name = dialogs_.saveBitmapFile(this, dialogFolder());
    if (name.isEmpty()) return;
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".bmp");
    if (!upper_->renderOnWhite().save(name, "BMP"))
        dialogs_.showError(this, tr("Nie można zapisać pliku %1.").arg(name), tr("Błąd..."));
}

void ChartWindow::exportCharts()
{
    const QString name = dialogs_.exportFile(this, dialogFolder());
    if (name.isEmpty()) return;
    const std::optional<ExportFormat> format = exportFormatOf(name);
    QString error;
    if (!format)
        dialogs_.showError(this, tr("Nieznany format pliku %1.").arg(name), tr("Błąd..."));
    else if (!exportView(*this, name, *format, std::nullopt, &error))
        dialogs_.showError(this, error, tr("Błąd..."));
}

QSize ChartWindow::chartsSize() const
{
    return QSize(upper_->width(), upper_->height() + (lower_->isVisible() ? lower_->height() : 0));
}

void ChartWindow::resizeCharts(QSize size)
{
    resize(this->size() + (size - centralWidget()->size()));
    layout()->activate();
    if (twoCharts_) {
        // The splitter's handle lies between the charts; the charts share the rest.
        splitter_->setSizes({size.height() - size.height() / 2, size.height() / 2 - kSplitterWidth});
    }
}

void ChartWindow::copyToClipboard()
{
    toolBar_->hide();
    statusBar()->hide();
    layout()->activate();
    // The charts redraw at their new size before the picture is taken.
    upper_->replot(QCustomPlot::rpImmediateRefresh);
    if (lower_->isVisible()) lower_->replot(QCustomPlot::rpImmediateRefresh);
    const QImage picture = centralWidget()->grab().toImage();
    QApplication::clipboard()->setImage(picture);
    toolBar_->show();
    statusBar()->show();
    layout()->activate();
}

void ChartWindow::openHelpAt(const QString& anchor)
{
    if (!helpWindow_) helpWindow_ = new widgets::HelpWindow(this);
    if (!helpWindow_->showPage(helpFile_, anchor))
        dialogs_.showError(this, tr("Nie odnaleziono pliku pomocy!"), tr("Uwaga!"));
}

void ChartWindow::showHelpContents()
{
    openHelpAt(latin1(kHelpContentsAnchor));
}

void ChartWindow::showHelpIndex()
{
    openHelpAt(latin1(kHelpIndexAnchor));
}

void ChartWindow::showContextHelp(int context)
{
    openHelpAt(latin1(helpAnchor(context)));
}

void ChartWindow::openSupportPage()
{
    openWebPage(dialogs_, this, QUrl(QString::fromLatin1(kSupportUrl)));
}

void ChartWindow::exitProgram()
{
    close();
}

}  // namespace wizor
