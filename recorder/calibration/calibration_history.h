#pragma once
// The calibration history: one line per calibration or zeroing that reached its result,
// appended to "Config/historia_kalibracji.csv" in the start-up directory. Fields are
// separated by ";" and numbers use a decimal comma, so the file opens straight in a
// spreadsheet. Text is Windows-1250, like the sensor names in the settings record.

#include "core/reporter.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vorda {

inline constexpr char kHistoryFileName[] = "historia_kalibracji.csv";

struct HistoryEntry {
    enum class Kind { Calibration, Zeroing };
    Kind kind = Kind::Calibration;
    int channel = 0;
    std::string name;  // Windows-1250 bytes, as the record holds them
    std::int32_t raw1 = 0;
    double value1 = 0.0;
    std::optional<std::int32_t> raw2;  // none for a zeroing: its fields stay empty
    std::optional<double> value2;
    double slopeSB = 0.0;
    double offsetSC = 0.0;
};

// The path of the history file below `startDir`.
QString historyFilePath(const QString& startDir);

// The heading line and one entry's line, without the line end (Windows-1250 bytes).
std::string historyHeading();
std::string historyLine(const HistoryEntry& entry, const QDateTime& when);

// Appends the entry with the local time `when`, creating "Config/" and the file (with its
// heading) when missing; one write, flushed and closed. On failure shows one message
// and returns false; the calibration itself is never held up.
bool appendHistory(const QString& startDir, const HistoryEntry& entry, const QDateTime& when, Reporter& reporter);

// The lines of calibrations and zeroings whose results are not saved yet: a writer of the
// record adds them as the wizard completes and appends them only once the record holding
// those results is saved, so the history never tells of constants that were not stored.
class PendingHistory {
public:
    void add(const HistoryEntry& entry, const QDateTime& when) { entries_.push_back({entry, when}); }
    bool empty() const { return entries_.empty(); }
    // Appends every line in order and forgets them; false when one could not be written.
    bool flush(const QString& startDir, Reporter& reporter);
    // The record was not saved: the lines go.
    void discard() { entries_.clear(); }

private:
    std::vector<std::pair<HistoryEntry, QDateTime>> entries_;
};

// The file's lines, oldest first (none when the file is missing or empty).
QStringList readHistory(const QString& startDir);

}  // namespace vorda
