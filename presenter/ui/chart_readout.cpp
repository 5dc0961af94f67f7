#include "chart_readout.h"

#include <QFrame>
#include <QLabel>

#include <algorithm>

namespace wizor {

namespace {

constexpr int kBoxGap = 6;

}  // namespace

ReadoutOverlay::ReadoutOverlay(QWidget* chart) : chart_(chart), line_(new QFrame(chart)), box_(new QLabel(chart))
{
    line_->setFrameShape(QFrame::NoFrame);
    line_->setAutoFillBackground(true);
    QPalette linePalette = line_->palette();
    linePalette.setColor(QPalette::Window, QColor(64, 64, 64));
    line_->setPalette(linePalette);
    box_->setTextFormat(Qt::RichText);
    box_->setStyleSheet(QStringLiteral(
        "QLabel { background: rgba(255, 255, 240, 230); border: 1px solid #808080; padding: 2px 4px; }"));
    for (QWidget* w : {static_cast<QWidget*>(line_), static_cast<QWidget*>(box_)}) {
        w->setAttribute(Qt::WA_TransparentForMouseEvents);
        w->hide();
    }
}

void ReadoutOverlay::show(const Readout& readout, int x, int top, int bottom)
{
    QString html = QStringLiteral("<b>%1</b>").arg(readout.label.toHtmlEscaped());
    for (const Readout::Row& row : readout.rows) {
        html += QStringLiteral("<br><span style=\"color:%1\">&#9632;</span> %2: <span style=\"color:%1\">%3</span>")
                    .arg(row.colour.name(), row.name.toHtmlEscaped(), row.value);
    }
    box_->setText(html);
    box_->adjustSize();
    line_->setGeometry(x, top, 1, std::max(1, bottom - top));
    // Right of the line, or left of it where the box would leave the chart.
    int left = x + kBoxGap;
    if (left + box_->width() > chart_->width()) left = std::max(0, x - kBoxGap - box_->width());
    box_->move(left, top);
    line_->show();
    box_->show();
    line_->raise();
    box_->raise();
}

void ReadoutOverlay::hide()
{
    line_->hide();
    box_->hide();
}

bool ReadoutOverlay::visible() const
{
    return box_->isVisible();
}

QString ReadoutOverlay::text() const
{
    return box_->text();
}

}  // namespace wizor
