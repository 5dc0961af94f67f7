#pragma once
// Export of what the chart window shows: the charts as PNG, SVG or PDF (both charts when two
// are shown), and the visible range of the shown channels as CSV. The window's
// "Plik -> Eksport..." and `wizor --export` both write through here.

#include "chart_math.h"

#include <QByteArray>
#include <QSize>
#include <QString>

#include <optional>

namespace wizor {

class ChartDocument;
class ChartWindow;

enum class ExportFormat { Png, Svg, Pdf, Csv };

// The format a file name's extension names (png, svg, pdf, csv, in any case), else none.
std::optional<ExportFormat> exportFormatOf(const QString& path);

// The lines of the key range `keys` of the charts as CSV: a header row with the time
// column's label and the names of the shown channels, then one row per data line with
// its label and each shown channel's value (empty where the line has none); decimal
// points, UTF-8, "\r\n" line ends.
QByteArray visibleRangeCsv(const ChartDocument& document, Range keys);

// Writes the window's charts (or the CSV of the upper chart's visible range) to `path`
// in `format`; the charts are drawn at `size` (the size they have when none is given).
// False with `error` set when the file cannot be written; nothing is left behind then.
bool exportView(ChartWindow& window, const QString& path, ExportFormat format, std::optional<QSize> size,
                QString* error);

}  // namespace wizor
