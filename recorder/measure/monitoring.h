#pragma once
// Live monitoring without a window: the two check boxes' states and the poll timer's
// schedule, one poll of the recorder's current readings, the time-stamped line it
// makes, and the log of the lines with its save.

#include "core/message_captions.h"
#include "link/serial_link.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vorda {

class RecorderProtocol;
struct ChannelSettings;
struct Settings;

inline constexpr int kFirstPollDelayMs = 100;
inline constexpr int kPollIntervalMs = 3000;

// The message shown when a poll gets no answer, and its caption.
inline constexpr char kMonitorNoAnswerText[] =
    QT_TRANSLATE_NOOP("Monitoring", "Brak komunikacji z systemem,\n\rSprawdź połączenia?,\n\rSprawdź zasilanie?");
inline constexpr const char* kMonitorNoAnswerCaption = kErrorCaption;

// The message above in the language installed (its caption is errorCaption()).
inline QString monitorNoAnswerText()
{
    return QCoreApplication::translate("Monitoring", kMonitorNoAnswerText);
}

// What a tick of the poll timer asks for.
enum class PollKind {
    None,      // monitoring is off: the timer stops
    Single,    // the first tick after switching on: one current-data read
    Averaged,  // every later tick: five reads, the mean of the middle three
};

// "Monitorowanie." and "Podgląd." and the poll timer they drive. The monitoring view
// (memo shown, guarded buttons disabled, "&Zapisz" shown) is on while either box is.
class MonitorSchedule {
public:
    bool monitoring() const { return monitoring_; }
    bool preview() const { return preview_; }
    bool viewOn() const { return monitoring_ || preview_; }
    bool timerRunning() const { return timerRunning_; }
    int intervalMs() const { return intervalMs_; }

    // "Monitorowanie." checked: the timer runs, first after 100 ms. Cleared: the timer stops.
    void setMonitoring(bool on);
    // "Podgląd." checked or cleared; cleared with monitoring off also stops the timer.
    void setPreview(bool on);
    // One timer tick: what to read. The first tick after switching on turns the interval
    // to 3000 ms; a tick with monitoring off stops the timer.
    PollKind tick();

private:
    bool monitoring_ = false;
    bool preview_ = false;
    bool timerRunning_ = false;
    int intervalMs_ = kPollIntervalMs;
};

// When the next poll is due, in milliseconds of a monotonic clock, `nowMs` being the end
// of the poll that began at `lastStartMs`: `intervalMs` after that start, so that the time
// a poll takes does not stretch the period. A poll whose time passed while the previous
// one still ran is skipped; the next is due at the first later multiple of the interval.
std::int64_t nextPollDueMs(std::int64_t lastStartMs, std::int64_t nowMs, int intervalMs);

// What a run of polls without a window needs from outside (vorda-cli monitor): a clock, a
// wait, and the poll itself. Tests give a clock that only the polls move.
struct PollRun {
    std::function<std::int64_t()> nowMs;       // monotonic milliseconds
    std::function<bool(std::int64_t)> waitMs;  // waits that long; false: the run is to stop
    std::function<bool(PollKind)> poll;        // one poll; false ends the run
};

// Switches monitoring on in `schedule` and polls on its timing (the first poll after
// 100 ms, then every 3000 ms from the start of the previous one, see nextPollDueMs) until
// `count` polls have run (0: no limit) or the wait or a poll ends the run. Returns the
// number of polls that ran.
long runPolls(MonitorSchedule& schedule, const PollRun& run, long count);

// The physical value of a monitored reading: reading x slopeSB x 0.001 + offsetSC in
// extended precision, rounded once to single precision. The reading is signed: an
// averaged reading may be negative.
float monitoredValue(const ChannelSettings& channel, std::int32_t reading);

// One monitoring line: "yy-MM-dd HH:mm:ss" and a tab, then for channels 1..channelsUsed
// (at most 16, none for 0 or less) the value in the channel's monitoring format ("%5.Nf"
// and a tab). Independent of the desktop's locale.
std::string monitoringLine(const QDateTime& when, const Settings& settings, const ReadingsRow& readings);

// The first line of a saved monitoring log, which the presenter takes as the channel
// names: "Czas" over the date and time, then for channels 1..channelsUsed the channel's
// name as stored (Windows-1250), blanks in it as '_', an empty name as "k" and the channel
// number; a tab after each, as in the data lines.
std::string monitoringHeader(const Settings& settings);

// The values of such a line, channels 1..channelsUsed.
std::vector<float> monitoredValues(const Settings& settings, const ReadingsRow& readings);

enum class PollOutcome {
    Line,      // the recorder answered: `line` holds the new line
    NoAnswer,  // no whole reply (silence, or a garbled or incomplete one): monitoring is to stop
    LinkBusy,  // another exchange holds the link: nothing was read, try at the next tick
};

struct PollResult {
    PollOutcome outcome = PollOutcome::NoAnswer;
    std::string line;
    std::vector<float> values;  // the line's values, channels 1..channelsUsed
};

// One poll: the read `kind` asks for into the readings' row 0, then the line made at `when`.
PollResult pollRecorder(RecorderProtocol& protocol, const Settings& settings, PollKind kind, const QDateTime& when);

// The monitoring lines of the run, kept in memory; views only show them.
class MonitoringLog {
public:
    void append(std::string line) { lines_.push_back(std::move(line)); }
    const std::vector<std::string>& lines() const { return lines_; }
    std::size_t size() const { return lines_.size(); }

    // The line written before the others (monitoringHeader); none when empty.
    void setHeader(std::string header) { header_ = std::move(header); }

    // Writes the header and every line, each ended by CR-LF, into `path`, replacing the
    // file only when the whole text is written. On failure `error` says why and the file
    // is untouched.
    bool save(const QString& path, QString* error = nullptr) const;

private:
    std::string header_;
    std::vector<std::string> lines_;
};

}  // namespace vorda
