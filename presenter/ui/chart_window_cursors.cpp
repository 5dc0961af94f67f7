// The chart window's cursors A and B and the panel of the statistics between them.
#include "chart_math.h"
#include "chart_window.h"
#include "cursor_statistics.h"
#include "wizor_chart.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace wizor {

namespace {

QString number(double value)
{
    return readoutValueText(value);
}

}  // namespace

void ChartWindow::buildCursorPanel()
{
    cursorDock_ = new QDockWidget(tr("Kursory"), this);
    cursorDock_->setFeatures(QDockWidget::NoDockWidgetFeatures);
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(2, 2, 2, 2);
    cursorPanel_ = new QPlainTextEdit;
    cursorPanel_->setReadOnly(true);
    cursorPanel_->setLineWrapMode(QPlainTextEdit::NoWrap);
    cursorPanel_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    cursorPanel_->setMaximumHeight(140);
    auto* copy = new QPushButton(tr("Kopiuj tabelę"));
    connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(cursorPanelText()); });
    layout->addWidget(cursorPanel_);
    layout->addWidget(copy, 0, Qt::AlignLeft);
    cursorDock_->setWidget(box);
    addDockWidget(Qt::BottomDockWidgetArea, cursorDock_);
    cursorDock_->hide();
    for (WizorChart* chart : {upper_, lower_})
        connect(chart, &WizorChart::cursorDragged, this, &ChartWindow::moveCursor);
}

void ChartWindow::toggleCursors()
{
    const bool on = cursorDock_->isHidden();
    cursorDock_->setVisible(on);
    actions_[Cursors]->setChecked(on);
    if (!on) {
        cursorA_.reset();
        cursorB_.reset();
    }
    for (WizorChart* chart : {upper_, lower_}) chart->setCursorMode(on);
    showCursors();
}

void ChartWindow::placeCursor(double key)
{
    key = std::round(key);
    // A first, then B; later clicks move the nearer one.
    if (!cursorA_)
        cursorA_ = key;
    else if (!cursorB_)
        cursorB_ = key;
    else if (std::abs(key - *cursorA_) <= std::abs(key - *cursorB_))
        cursorA_ = key;
    else
        cursorB_ = key;
    showCursors();
}

void ChartWindow::moveCursor(int cursor, double key)
{
    std::optional<double>& moved = cursor == 0 ? cursorA_ : cursorB_;
    if (moved == std::round(key)) return;
    moved = std::round(key);
    showCursors();
}

QString ChartWindow::cursorPanelText(const WizorChart* only) const
{
    const bool both = cursorA_ && cursorB_;
    const Range visible = upper_->keyRange();
    const double from = both ? *cursorA_ : std::ceil(visible.lower);
    const double to = both ? *cursorB_ : std::floor(visible.upper);
    QString text = tr("Kanał\tA\tB\tB-A\tmin\tmax\tśrednia\tRMS") + QLatin1Char('\n');
    for (WizorChart* chart : {upper_, lower_}) {
        if (chart == lower_ && !twoCharts_) break;
        if (only && chart != only) continue;
        for (int i = 0; i < WizorChart::kCurves; ++i) {
            if (!chart->curve(i)->visible()) continue;
            std::vector<double> values = chart->valuesBetween(i, from, to);
            if (values.empty()) continue;
            if (from > to) std::reverse(values.begin(), values.end());
            const RangeStatistics s = statisticsOf(values);
            text += QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7\t%8\n")
                        .arg(chart->curve(i)->name(), number(s.atA), number(s.atB), number(s.atB - s.atA),
                             number(s.minimum), number(s.maximum), number(s.mean), number(s.rms));
        }
    }
    const std::optional<double> dt = secondsBetween(upper_->labelAt(from), upper_->labelAt(to));
    text += QStringLiteral("Δt [s]\t%1\n").arg(dt ? QString::number(*dt, 'f', 3) : QStringLiteral("-"));
    if (!both) text += tr("(widoczny zakres; kliknij wykres, aby postawić kursory A i B)") + QLatin1Char('\n');
    return text;
}

void ChartWindow::showCursors()
{
    for (WizorChart* chart : {upper_, lower_}) chart->setCursorKeys(cursorA_, cursorB_);
    updateCursorPanel();
}

void ChartWindow::updateCursorPanel()
{
    if (cursorDock_->isVisible()) cursorPanel_->setPlainText(cursorPanelText());
}

}  // namespace wizor
