// A chart drawn for output: on white for the bitmap file, scaled onto a printer page.
#include "wizor_chart.h"

#include <QFontInfo>

#include <functional>
#include <utility>
#include <vector>

namespace wizor {

QImage WizorChart::renderOnWhite()
{
    setBackground(QBrush(Qt::white));
    QImage image = toPixmap(width(), height(), 1.0).toImage().convertToFormat(QImage::Format_RGB32);
    setBackground(panelColour());
    replot(rpQueuedReplot);
    return image;
}

namespace {

// While a chart is drawn for print, its fonts carry the pixel sizes they have on screen.
// A size in points would be resolved at the printer's resolution, many times larger than
// the layout measured it, while a pixel size scales with the painter like the lines do.
class ScreenSizedFonts {
public:
    explicit ScreenSizedFonts(QCustomPlot* plot)
    {
        for (QCPAxis* axis : plot->axisRect()->axes()) {
            pin(axis->tickLabelFont(), [axis](const QFont& f) { axis->setTickLabelFont(f); });
            pin(axis->labelFont(), [axis](const QFont& f) { axis->setLabelFont(f); });
        }
        QCPLegend* legend = plot->legend;
        pin(legend->font(), [legend](const QFont& f) { legend->setFont(f); });
        for (int i = 0; i < legend->itemCount(); ++i) {
            QCPAbstractLegendItem* item = legend->item(i);
            pin(item->font(), [item](const QFont& f) { item->setFont(f); });
        }
    }
    ~ScreenSizedFonts()
    {
        for (auto& [font, set] : saved_) set(font);
    }
    ScreenSizedFonts(const ScreenSizedFonts&) = delete;
    ScreenSizedFonts& operator=(const ScreenSizedFonts&) = delete;

private:
    void pin(const QFont& font, std::function<void(const QFont&)> set)
    {
        if (font.pixelSize() > 0) return;
        QFont pixels(font);
        pixels.setPixelSize(QFontInfo(font).pixelSize());
        set(pixels);
        saved_.emplace_back(font, std::move(set));
    }

    std::vector<std::pair<QFont, std::function<void(const QFont&)>>> saved_;
};

}  // namespace

void WizorChart::drawInto(QCPPainter& painter, const QRect& target, bool onWhite)
{
    if (width() <= 0 || height() <= 0) return;
    if (onWhite) setBackground(QBrush(Qt::white));
    const ScreenSizedFonts fonts(this);
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(double(target.width()) / width(), double(target.height()) / height());
    toPainter(&painter, width(), height());
    painter.restore();
    if (onWhite) setBackground(panelColour());
}

}  // namespace wizor
