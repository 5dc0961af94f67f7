#include "files/spreadsheet_export.h"

#include "core/safe_file.h"

#include <QFile>

namespace vorda {

void SpreadsheetConverter::feed(std::string_view chunk, std::string& out)
{
    out.reserve(out.size() + chunk.size());
    for (const char c : chunk) {
        if (pendingCr_) {
            pendingCr_ = false;
            if (c != '\n') out.push_back('\r');
        }
        if (c == ' ') {
            if (!inSpaces_) out.push_back('\t');
            inSpaces_ = true;
            continue;
        }
        inSpaces_ = false;
        if (c == '\r') {
            pendingCr_ = true;
        } else {
            out.push_back(c == '.' ? ',' : c);
        }
    }
}

void SpreadsheetConverter::finish(std::string& out)
{
    if (pendingCr_) out.push_back('\r');
    pendingCr_ = false;
    inSpaces_ = false;
}

std::string toSpreadsheetText(std::string_view text)
{
    SpreadsheetConverter converter;
    std::string out;
    converter.feed(text, out);
    converter.finish(out);
    return out;
}

ExportResult exportForSpreadsheet(const QString& sourcePath, const QString& targetPath)
{
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) return ExportResult::SourceUnreadable;
    return exportForSpreadsheet(source, targetPath);
}

ExportResult exportForSpreadsheet(QIODevice& source, const QString& targetPath)
{
    // Written beside the target and renamed over it only at the end: a failure leaves
    // the previous copy whole instead of a truncated one, and what is not a regular file
    // (a link, a FIFO) stays as it is.
    SafeFile safe(targetPath);
    if (!safe.open()) return ExportResult::TargetUnwritable;
    QIODevice& target = safe.device();

    SpreadsheetConverter converter;
    std::string out;
    char buffer[1 << 16];
    for (;;) {
        const qint64 n = source.read(buffer, sizeof buffer);
        if (n < 0) return ExportResult::SourceUnreadable;
        if (n == 0) break;
        out.clear();
        converter.feed(std::string_view(buffer, static_cast<std::size_t>(n)), out);
        if (target.write(out.data(), static_cast<qint64>(out.size())) != static_cast<qint64>(out.size()))
            return ExportResult::TargetUnwritable;
    }
    out.clear();
    converter.finish(out);
    if (target.write(out.data(), static_cast<qint64>(out.size())) != static_cast<qint64>(out.size()))
        return ExportResult::TargetUnwritable;
    return safe.commit() ? ExportResult::Ok : ExportResult::TargetUnwritable;
}

}  // namespace vorda
