#include "calibration/calibration_history.h"
#include "core/message_captions.h"

#include "core/number_text.h"

#include "core/text_codec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <charconv>

namespace vorda {
namespace {

std::string number(double value, int decimals)
{
    std::string text = fixedText(value, decimals);
    for (char& c : text)
        if (c == '.') c = ',';
    return text;
}

std::string integer(std::int32_t value)
{
    char buffer[16];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// A name with a separator, a quote or a line break is quoted, its quotes doubled.
std::string csvText(const std::string& text)
{
    if (text.find_first_of(";\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace

QString historyFilePath(const QString& startDir)
{
    return startDir + QStringLiteral("/Config/") + QLatin1String(kHistoryFileName);
}

std::string historyHeading()
{
    return toWin1250Lossy(
        QStringLiteral("Data i czas;Rodzaj;Kanał;Nazwa;Kod punktu 1;Wartość punktu 1;Kod punktu 2;"
                       "Wartość punktu 2;S_B;S_C"));
}

std::string historyLine(const HistoryEntry& entry, const QDateTime& when)
{
    std::string line = when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
    line += entry.kind == HistoryEntry::Kind::Calibration ? ";kalibracja;" : ";zerowanie;";
    line += integer(entry.channel) + ';' + csvText(entry.name) + ';';
    line += integer(entry.raw1) + ';' + number(entry.value1, 4) + ';';
    line += (entry.raw2 ? integer(*entry.raw2) : std::string()) + ';';
    line += (entry.value2 ? number(*entry.value2, 4) : std::string()) + ';';
    line += number(entry.slopeSB, 6) + ';' + number(entry.offsetSC, 6);
    return line;
}

bool appendHistory(const QString& startDir, const HistoryEntry& entry, const QDateTime& when, Reporter& reporter)
{
    const QString path = historyFilePath(startDir);
    QDir().mkpath(startDir + QStringLiteral("/Config"));
    QFile file(path);
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Append);
    if (ok) {
        std::string text = file.size() == 0 ? historyHeading() + "\r\n" : std::string();
        text += historyLine(entry, when) + "\r\n";
        ok = file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) &&
             file.flush();
        file.close();
        ok = ok && file.error() == QFileDevice::NoError;
    }
    if (!ok)
        reporter.showMessage(
            QCoreApplication::translate("CalibrationHistory", "Nie można zapisać historii kalibracji do pliku\n%1")
                .arg(path),
            warningCaption(), MessageIcon::Warning);
    return ok;
}

bool PendingHistory::flush(const QString& startDir, Reporter& reporter)
{
    bool ok = true;
    for (const auto& [entry, when] : entries_) ok = appendHistory(startDir, entry, when, reporter) && ok;
    entries_.clear();
    return ok;
}

QStringList readHistory(const QString& startDir)
{
    QFile file(historyFilePath(startDir));
    QStringList lines;
    if (!file.open(QIODevice::ReadOnly)) return lines;
    const QByteArray bytes = file.readAll();
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        if (!line.isEmpty())
            lines << fromWin1250(std::string_view(line.constData(), static_cast<std::size_t>(line.size())));
    }
    return lines;
}

}  // namespace vorda
