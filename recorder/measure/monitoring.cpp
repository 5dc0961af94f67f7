#include "measure/monitoring.h"

#include "core/channel_scaling.h"
#include "core/safe_file.h"
#include "core/settings_record.h"
#include "link/recorder_protocol.h"

#include <algorithm>

namespace vorda {

void MonitorSchedule::setMonitoring(bool on)
{
    monitoring_ = on;
    timerRunning_ = on;
    if (on) intervalMs_ = kFirstPollDelayMs;
}

void MonitorSchedule::setPreview(bool on)
{
    preview_ = on;
    if (!on && !monitoring_) timerRunning_ = false;
}

PollKind MonitorSchedule::tick()
{
    if (!monitoring_) {
        timerRunning_ = false;
        return PollKind::None;
    }
    if (intervalMs_ == kFirstPollDelayMs) {
        intervalMs_ = kPollIntervalMs;
        return PollKind::Single;
    }
    return PollKind::Averaged;
}

std::int64_t nextPollDueMs(std::int64_t lastStartMs, std::int64_t nowMs, int intervalMs)
{
    const std::int64_t interval = std::max(1, intervalMs);
    const std::int64_t due = lastStartMs + interval;
    if (nowMs <= due) return due;
    return due + (nowMs - due + interval - 1) / interval * interval;
}

long runPolls(MonitorSchedule& schedule, const PollRun& run, long count)
{
    schedule.setMonitoring(true);
    long polls = 0;
    std::int64_t due = run.nowMs() + schedule.intervalMs();
    while (count == 0 || polls < count) {
        const std::int64_t wait = due - run.nowMs();
        if (!run.waitMs(std::max<std::int64_t>(0, wait))) break;
        const std::int64_t start = run.nowMs();
        const PollKind kind = schedule.tick();
        if (kind == PollKind::None) break;
        ++polls;
        if (!run.poll(kind)) break;
        due = nextPollDueMs(start, run.nowMs(), schedule.intervalMs());
    }
    return polls;
}

float monitoredValue(const ChannelSettings& channel, std::int32_t reading)
{
    const long double value =
        static_cast<long double>(reading) * channel.slopeSB * 0.001L + static_cast<long double>(channel.offsetSC);
    return static_cast<float>(value);
}

namespace {
// Channels 1..channelsUsed, at most 16 and none for 0 or less: the channels the averaged
// read refreshes, so a line never shows a reading this poll did not take.
int shownChannels(const Settings& settings)
{
    return std::clamp<std::int32_t>(settings.channelsUsed, 0, kMaxChannels);
}
}  // namespace

std::string monitoringLine(const QDateTime& when, const Settings& settings, const ReadingsRow& readings)
{
    std::string line = when.toString(QStringLiteral("yy-MM-dd HH:mm:ss")).toStdString();
    line += '\t';
    const int channels = shownChannels(settings);
    for (int c = 1; c <= channels; ++c) {
        const ChannelSettings& channel = settings.channel(c);
        line += monitorText(monitoredValue(channel, readings[static_cast<std::size_t>(c)]), channel.numberFormat);
    }
    return line;
}

std::string monitoringHeader(const Settings& settings)
{
    std::string line = "Czas\t";
    const int channels = shownChannels(settings);
    for (int c = 1; c <= channels; ++c) {
        std::string name(fieldText(settings.channel(c).name));
        // One token per channel: the presenter splits the line at white space.
        for (char& ch : name)
            if (ch == ' ' || (ch >= '\t' && ch <= '\r')) ch = '_';
        line += name.empty() ? "k" + std::to_string(c) : name;
        line += '\t';
    }
    return line;
}

std::vector<float> monitoredValues(const Settings& settings, const ReadingsRow& readings)
{
    std::vector<float> values;
    for (int c = 1; c <= shownChannels(settings); ++c)
        values.push_back(monitoredValue(settings.channel(c), readings[static_cast<std::size_t>(c)]));
    return values;
}

PollResult pollRecorder(RecorderProtocol& protocol, const Settings& settings, PollKind kind, const QDateTime& when)
{
    PollResult result;
    if (kind == PollKind::None) return result;
    SerialLink& link = protocol.link();
    if (link.exchangeInProgress()) {
        result.outcome = PollOutcome::LinkBusy;
        return result;
    }
    const QByteArray reply = kind == PollKind::Single ? protocol.readCurrentData() : protocol.readCurrentDataAveraged();
    // An empty text: no whole reply came (link.noReplyReason() says what came instead).
    if (reply.isEmpty()) return result;
    result.outcome = PollOutcome::Line;
    result.line = monitoringLine(when, settings, link.readings[0]);
    result.values = monitoredValues(settings, link.readings[0]);
    return result;
}

bool MonitoringLog::save(const QString& path, QString* error) const
{
    QByteArray text;
    if (!header_.empty()) text.append(header_.data(), static_cast<qsizetype>(header_.size())).append("\r\n");
    for (const std::string& line : lines_) text.append(line.data(), static_cast<qsizetype>(line.size())).append("\r\n");
    return writeFileWhole(path, text, error);
}

}  // namespace vorda
