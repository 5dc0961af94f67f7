#include "ui/monitoring_window.h"

#include "core/channel_scaling.h"
#include "core/settings_record.h"
#include "core/text_codec.h"
#include "ui/live_monitoring.h"
#include "curve_palette.h"

#include <qcustomplot.h>

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vorda {

MonitoringWindow::MonitoringWindow(Settings& settings, QWidget* parent)
    // A tool window of its parent: above Vorda's main window, not above other programs.
    : QWidget(parent, Qt::Tool), settings_(settings)
{
    setWindowTitle(tr("Monitorowanie1"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* panel = new QWidget(this);
    panel->setFixedWidth(90);
    closeButton_ = new QPushButton(tr("&Close"), panel);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(closeButton_);
    panelLayout->addStretch(1);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);

    pages_ = new QTabWidget(this);
    auto* first = new QWidget(pages_);
    text_ = new QPlainTextEdit(first);
    text_->setReadOnly(true);
    text_->setMaximumWidth(180);
    QPalette pale = text_->palette();
    pale.setColor(QPalette::Base, QToolTip::palette().color(QPalette::ToolTipBase));
    pale.setColor(QPalette::Text, QToolTip::palette().color(QPalette::ToolTipText));
    text_->setPalette(pale);
    chart_ = new QCustomPlot(first);
    auto ticker = QSharedPointer<QCPAxisTickerDateTime>::create();
    ticker->setDateTimeFormat(QStringLiteral("HH:mm:ss"));
    chart_->xAxis->setTicker(ticker);
    chart_->legend->setVisible(true);
    chart_->legend->setFont(QFont(font().family(), 8));
    auto* firstLayout = new QHBoxLayout(first);
    firstLayout->addWidget(text_);
    firstLayout->addWidget(chart_, 1);
    pages_->addTab(first, tr("TabSheet1"));
    pages_->addTab(new QWidget(pages_), tr("TabSheet2"));
    pages_->addTab(new QWidget(pages_), tr("TabSheet3"));

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(pages_, 1);

    if (settings_.monitorWidth > 0 && settings_.monitorHeight > 0) {
        resize(settings_.monitorWidth, settings_.monitorHeight);
        move(settings_.monitorLeft, settings_.monitorTop);
    } else {
        resize(640, 400);
    }
}

QString MonitoringWindow::channelName(int c) const
{
    const QString name = fromWin1250(fieldText(settings_.channel(c).name)).trimmed();
    return name.isEmpty() ? QStringLiteral("k%1").arg(c) : name;
}

void MonitoringWindow::ensureCurves(int count)
{
    count = std::min(count, curves::kCurvesPerChart);
    for (int i = chart_->graphCount(); i < count; ++i) {
        QCPGraph* graph = chart_->addGraph();
        const curves::Rgb rgb = curves::colour(i);
        graph->setPen(QPen(QColor(rgb.red, rgb.green, rgb.blue), 2));
        graph->setName(channelName(i + 1));
    }
}

void MonitoringWindow::addPoints(const MonitorSample& sample)
{
    ensureCurves(static_cast<int>(sample.values.size()));
    const double x = static_cast<double>(sample.when.toMSecsSinceEpoch()) / 1000.0;
    for (std::size_t i = 0; i < sample.values.size() && i < std::size_t(chart_->graphCount()); ++i)
        chart_->graph(static_cast<int>(i))->addData(x, sample.values[i]);
}

void MonitoringWindow::setSamples(const std::vector<MonitorSample>& samples)
{
    chart_->clearGraphs();
    for (const MonitorSample& sample : samples) addPoints(sample);
    if (!samples.empty()) showValues(samples.back());
    rescaleChart();
    chart_->replot();
}

void MonitoringWindow::addSample(const MonitorSample& sample)
{
    addPoints(sample);
    showValues(sample);
    rescaleChart();
    chart_->replot();
}

void MonitoringWindow::rescaleChart()
{
    chart_->rescaleAxes();
    // A margin above and below the values, so that a curve at the range's edge (a flat
    // curve at 0 above all) is not hidden under an axis.
    const QCPRange range = chart_->yAxis->range();
    const double margin = range.size() > 0.0 ? range.size() * 0.05 : std::max(1.0, std::abs(range.center()) * 0.05);
    chart_->yAxis->setRange(range.lower - margin, range.upper + margin);
}

void MonitoringWindow::showValues(const MonitorSample& sample)
{
    QStringList lines;
    for (std::size_t i = 0; i < sample.values.size(); ++i) {
        const int c = static_cast<int>(i) + 1;
        const std::string value = monitorText(sample.values[i], settings_.channel(c).numberFormat);
        lines << QStringLiteral("%1: %2").arg(channelName(c), QString::fromStdString(value).trimmed());
    }
    text_->setPlainText(lines.join(QLatin1Char('\n')));
}

QString MonitoringWindow::valuesText() const
{
    return text_->toPlainText();
}

void MonitoringWindow::closeEvent(QCloseEvent* event)
{
    settings_.monitorWidth = width();
    settings_.monitorHeight = height();
    settings_.monitorLeft = x();
    settings_.monitorTop = y();
    emit closed();
    event->accept();
}

}  // namespace vorda
