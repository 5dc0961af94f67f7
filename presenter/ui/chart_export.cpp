#include "chart_export.h"

#include "chart_document.h"
#include "chart_window.h"
#include "wizor_chart.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <charconv>
#include <cmath>
#include <vector>

namespace wizor {

namespace {

// The rows of `lines` whose label indices lie in [first, last], as CSV.
void appendRows(QByteArray& csv, const MeasurementData& lines, const std::bitset<kMaxColumns>& hidden,
                std::size_t first, std::size_t last)
{
    std::vector<std::size_t> next(kMaxColumns, 0);  // per column, its next point
    for (int c = 0; c < kMaxColumns; ++c) {
        const auto& index = lines.columns[std::size_t(c)].labelIndex;
        next[std::size_t(c)] = std::size_t(std::lower_bound(index.begin(), index.end(), first) - index.begin());
    }
    for (std::size_t i = first; i <= last && i < lines.labels.size(); ++i) {
        csv += lines.label(std::uint32_t(i)).trimmed().toUtf8();
        for (int c = 0; c < kMaxColumns; ++c) {
            const ColumnPoints& column = lines.columns[std::size_t(c)];
            if (!column.active() || hidden.test(std::size_t(c))) continue;
            csv += ',';
            std::size_t& k = next[std::size_t(c)];
            if (k < column.labelIndex.size() && column.labelIndex[k] == i) {
                char text[32];
                csv.append(text, std::to_chars(text, text + sizeof text, column.values[k]).ptr - text);
                ++k;
            }
        }
        csv += "\r\n";
    }
}

// A CSV field: quoted when it holds a comma, a quote or a line end.
QByteArray csvField(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\n') && !bytes.contains('\r')) return bytes;
    bytes.replace("\"", "\"\"");
    return '"' + bytes + '"';
}

// The charts shown, top to bottom, with their share of the height.
std::vector<WizorChart*> shownCharts(ChartWindow& window)
{
    std::vector<WizorChart*> charts{window.upperChart()};
    if (window.twoCharts()) charts.push_back(window.lowerChart());
    return charts;
}

// Draws `charts` one below the other from the top of `painter`, each `scale` times its
// size; a vector device gets lines and text as such, not as a picture.
void drawStacked(QCPPainter& painter, const std::vector<WizorChart*>& charts, double scale, bool vector = false)
{
    if (vector) {
        painter.setMode(QCPPainter::pmVectorized);
        painter.setMode(QCPPainter::pmNoCaching);
    }
    int top = 0;
    for (WizorChart* chart : charts) {
        const QSize scaled(int(chart->width() * scale), int(chart->height() * scale));
        chart->drawInto(painter, QRect(QPoint(0, top), scaled));
        top += scaled.height();
    }
}

}  // namespace

std::optional<ExportFormat> exportFormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) return ExportFormat::Png;
    if (suffix == QLatin1String("svg")) return ExportFormat::Svg;
    if (suffix == QLatin1String("pdf")) return ExportFormat::Pdf;
    if (suffix == QLatin1String("csv")) return ExportFormat::Csv;
    return std::nullopt;
}

QByteArray visibleRangeCsv(const ChartDocument& document, Range keys)
{
    const MeasurementData& data = document.data();
    QByteArray csv = csvField(data.timeLabel.empty() ? QStringLiteral("Czas") : fromWindows1250(data.timeLabel));
    for (int c = 0; c < kMaxColumns; ++c) {
        if (data.columns[std::size_t(c)].active() && !document.hiddenColumns().test(std::size_t(c)))
            csv += ',' + csvField(data.channelName(c));
    }
    csv += "\r\n";
    const double lower = std::max(0.0, std::ceil(keys.lower));
    const double upper = std::floor(keys.upper);
    if (upper < lower) return csv;
    if (document.overview()) {
        // Keys are data lines of the whole file: those lines are read.
        const auto first = std::size_t(lower);
        if (first >= data.dataLines) return csv;
        const std::size_t count = std::min(data.dataLines - first, std::size_t(upper - lower) + 1);
        const MeasurementData lines = document.readLines(first, count);
        appendRows(csv, lines, document.hiddenColumns(), 0, lines.labels.size() - 1);
        return csv;
    }
    // Keys are points of the first column, which every data line with a value has.
    const std::vector<std::uint32_t>& index = data.columns[0].labelIndex;
    if (index.empty() || std::size_t(lower) >= index.size()) return csv;
    const std::size_t last = std::min(index.size() - 1, std::size_t(upper));
    appendRows(csv, data, document.hiddenColumns(), index[std::size_t(lower)], index[last]);
    return csv;
}

bool exportView(ChartWindow& window, const QString& path, ExportFormat format, std::optional<QSize> size,
                QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QCoreApplication::translate("ChartExport", "Nie można zapisać pliku %1.").arg(path);
        return false;
    }
    const std::vector<WizorChart*> charts = shownCharts(window);
    if (size) window.resizeCharts(*size);
    bool written = true;
    if (format == ExportFormat::Csv) {
        written = file.write(visibleRangeCsv(window.document(), window.upperChart()->keyRange())) >= 0;
    } else if (format == ExportFormat::Png) {
        QImage image(window.chartsSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QCPPainter painter(&image);
        drawStacked(painter, charts, 1.0);
        painter.end();
        written = image.save(&file, "PNG");
    } else if (format == ExportFormat::Svg) {
        const QSize whole = window.chartsSize();
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(whole);
        svg.setViewBox(QRect(QPoint(0, 0), whole));
        svg.setTitle(QFileInfo(window.fileName()).fileName());
        QCPPainter painter(&svg);
        drawStacked(painter, charts, 1.0, true);
        written = painter.end();
    } else {
        const QSize whole = window.chartsSize();
        QPdfWriter pdf(&file);
        pdf.setResolution(96);
        pdf.setPageSize(QPageSize(QSizeF(whole), QPageSize::Point));
        pdf.setPageMargins(QMarginsF());
        QCPPainter painter(&pdf);
        drawStacked(painter, charts, pdf.width() / double(whole.width()), true);
        written = painter.end();
    }
    if (!written || !file.commit()) {
        file.cancelWriting();
        *error = QCoreApplication::translate("ChartExport", "Nie można zapisać pliku %1.").arg(path);
        return false;
    }
    return true;
}

}  // namespace wizor
