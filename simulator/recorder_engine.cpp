#include "recorder_engine.h"

#include "recorder_clock.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <utility>

namespace recsim {

namespace {

constexpr std::size_t maxCommandLength = 4096;
constexpr std::size_t fillerChunk = 256;
// The size of one piece of a streamed dump: small enough to be made in well under a
// millisecond, large enough to keep the line busy between two pieces.
constexpr std::size_t kStreamPiece = 16 * 1024;

std::vector<std::string> tokenize(const std::string& command)
{
    std::vector<std::string> tokens;
    std::string current;
    auto flush = [&] {
        if (!current.empty()) tokens.push_back(std::move(current));
        current.clear();
    };
    for (char c : command) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '&') {
            flush();
        } else {
            current.push_back(c);
        }
    }
    flush();
    return tokens;
}

template <typename T>
std::optional<T> number(std::string_view text)
{
    T value{};
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

std::string floatText(float value)
{
    char buffer[32];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, ptr) : std::string("0");
}

// The reply cut after its first `count` blank-separated tokens, as a recorder that stops
// talking half-way would send it; its line end stays. count < 0 keeps it whole.
std::string firstTokens(std::string text, int count)
{
    if (count < 0) return text;
    std::size_t end = 0;
    for (int i = 0; i < count && end < text.size(); ++i) {
        end = text.find_first_not_of(' ', end);
        end = end == std::string::npos ? text.size() : text.find_first_of(" \r", end);
        if (end == std::string::npos) end = text.size();
    }
    const bool lineEnd = !text.empty() && text.back() == '\r';
    text.resize(std::min(end, text.size()));
    if (lineEnd && (text.empty() || text.back() != '\r')) text += '\r';
    return text;
}

bool isStopCommand(std::string_view command)
{
    // "$ $_END &": the "$" is followed (after blanks) by "$_END".
    const auto rest = command.substr(1);
    const auto start = rest.find_first_not_of(' ');
    return start != std::string_view::npos && rest.substr(start).starts_with("$_END");
}

}  // namespace

RecorderEngine::RecorderEngine(SimConfig config, QDateTime wallAtZero)
    : model_(config.modelDigit), capacity_(config.memoryCapacity), blocks_(std::move(config.blocks)),
      settings_(config.settings), faults_(std::move(config.faults)), wallAtZero_(std::move(wallAtZero)),
      wrongBlockNumbersLeft_(faults_.wrongBlockNumberTimes), dat_(config.dat), garbageLeft_(faults_.garbageTimes)
{
}

void RecorderEngine::receive(std::string_view bytes, std::int64_t nowMs)
{
    advance(nowMs);
    for (char c : bytes) {
        // A lone "$" while a transfer runs aborts it at once; otherwise it starts a command.
        if (c == '$' && input_.empty() && transferring()) {
            if (onCommand) onCommand("$");
            abortTransfer();
            continue;
        }
        input_.push_back(c);
        if (c == '&') {
            std::string command;
            command.swap(input_);
            // A "$" that arrives after the transfer has already ended is an abort with
            // nothing to abort; it must not spoil the command that follows it.
            while (!command.empty() && command.front() == '$' && !isStopCommand(command)) {
                if (onCommand) onCommand("$");
                command.erase(0, 1);
            }
            if (onCommand) onCommand(command);
            discard_ = true;
            execute(command, nowMs);
        } else if (input_.size() > maxCommandLength) {
            if (onCommand) onCommand(input_);
            input_.clear();
        }
    }
}

void RecorderEngine::advance(std::int64_t nowMs)
{
    if (!measurement_) return;
    const auto& m = *measurement_;
    const std::int64_t planned = static_cast<std::int64_t>(m.settings.samplingMs) * m.settings.sampleCount;
    if (nowMs - m.startMs >= planned) {
        finishMeasurement(m.startMs + planned);
    }
}

std::optional<std::int64_t> RecorderEngine::nextEventMs() const
{
    if (!measurement_) return std::nullopt;
    return measurement_->startMs +
           static_cast<std::int64_t>(measurement_->settings.samplingMs) * measurement_->settings.sampleCount;
}

std::string_view RecorderEngine::pendingOutput()
{
    if (sent_ >= output_.size()) refill();
    if (sent_ >= output_.size() && filler_) {
        output_.assign(fillerChunk, '0');
        sent_ = 0;
    }
    return std::string_view(output_).substr(sent_);
}

void RecorderEngine::markSent(std::size_t count)
{
    sent_ = std::min(output_.size(), sent_ + count);
    if (sent_ == output_.size()) {
        output_.clear();
        sent_ = 0;
    }
}

std::string RecorderEngine::takeOutput()
{
    std::string out(pendingOutput());
    output_.clear();
    sent_ = 0;
    for (refill(); !output_.empty(); refill()) {
        out += output_;
        output_.clear();
    }
    return out;
}

void RecorderEngine::refill()
{
    output_.clear();
    sent_ = 0;
    if (stream_ && !stream_->done()) {
        stream_->appendNext(output_, kStreamPiece);
        return;
    }
    stream_.reset();
    output_.swap(afterStream_);
}

bool RecorderEngine::transferring() const
{
    return sent_ < output_.size() || filler_ || (stream_ && !stream_->done()) || !afterStream_.empty();
}

bool RecorderEngine::takeDiscardRequest()
{
    return std::exchange(discard_, false);
}

long long RecorderEngine::freeMemory() const
{
    long long used = 0;
    for (const auto& b : blocks_) used += blockSize(b);
    return std::max(0LL, capacity_ - used);
}

QDateTime RecorderEngine::clockAt(std::int64_t nowMs) const
{
    return wallAtZero_.addMSecs(nowMs + clockOffsetMs_);
}

std::string RecorderEngine::registerReply(int n, std::int64_t nowMs, std::optional<int> reportedNumber) const
{
    std::string date, time;
    int blockNumber = 0;
    int samples = settings_.sampleCount;
    int period = settings_.samplingMs;
    int channels = settings_.channelCount;
    int option = settings_.optionWord;
    if (n >= 1 && n <= static_cast<int>(blocks_.size())) {
        const Block& b = blocks_[static_cast<std::size_t>(n - 1)];
        date = b.date;
        time = b.time;
        blockNumber = n;
        samples = b.sampleCount;
        period = b.samplingMs;
        channels = b.channelCount;
        option = b.optionWord;
    } else {
        // Register 0, and any register past the stored blocks, describe the recorder itself.
        const QDateTime clock = clockAt(nowMs);
        date = clockDateText(clock);
        time = clockTimeText(clock);
    }
    char text[256];
    std::snprintf(text, sizeof text, "R%c %s %s %d %d %d %d %lld %d %d %u %u %s %s\r", model_, date.c_str(),
                  time.c_str(), reportedNumber.value_or(blockNumber), samples, period, channels, freeMemory(),
                  static_cast<int>(blocks_.size()), option, settings_.triggerStartRaw, settings_.triggerStopRaw,
                  floatText(settings_.sb).c_str(), floatText(settings_.sc).c_str());
    return text;
}

std::string RecorderEngine::dataReply(std::int64_t nowMs) const
{
    // Each channel drifts slowly around its own level with a period of two minutes,
    // plus a few units of deterministic jitter.
    std::string text = "DAT";
    const double t = static_cast<double>(nowMs) / 1000.0;
    const auto tick = static_cast<std::uint32_t>(nowMs / 250);
    // While a measurement runs, the channels read what the block being recorded holds now.
    if (measurement_) {
        const auto& m = *measurement_;
        const auto sample = static_cast<int>((nowMs - m.startMs) / std::max(1, m.settings.samplingMs));
        const int number = static_cast<int>(blocks_.size()) + 1;
        for (int ch = 1; ch <= 16; ++ch) text += ' ' + std::to_string(generatedValue(number, sample, ch - 1));
        return text + '\r';
    }
    for (int ch = 1; ch <= 16; ++ch) {
        const double wave = 3000.0 * std::sin(2.0 * std::numbers::pi * (t / 120.0 + ch / 16.0));
        const auto hash = (tick + static_cast<std::uint32_t>(ch) * 97u) * 2654435761u;
        const int jitter = static_cast<int>(hash >> 28) - 8;
        int value = 20000 + ch * 2500 + static_cast<int>(std::lround(wave)) + jitter;
        const bool later = dat_.afterReplies >= 0 && datReplies_ >= dat_.afterReplies;
        const std::vector<int>& set = later ? dat_.laterValues : dat_.values;
        if (static_cast<std::size_t>(ch) <= set.size()) {
            value = set[static_cast<std::size_t>(ch - 1)];
            if (dat_.noise > 0) {
                const auto h =
                    (static_cast<std::uint32_t>(datReplies_) * 31u + static_cast<std::uint32_t>(ch)) * 2654435761u;
                value += static_cast<int>((h >> 16) % static_cast<std::uint32_t>(2 * dat_.noise + 1)) - dat_.noise;
            }
            value = std::clamp(value, 0, 65535);
        }
        text += ' ';
        text += std::to_string(value);
    }
    text += '\r';
    return text;
}

void RecorderEngine::execute(const std::string& command, std::int64_t nowMs)
{
    const auto tokens = tokenize(command);
    if (tokens.empty()) return;
    const std::string& head = tokens.front();

    if (head.starts_with("?R_")) {
        const auto n = number<int>(std::string_view(head).substr(3));
        if (!n || *n < 0 || faults_.silentRegisters.count(*n)) return;
        const bool counts = *n >= 1 && (faults_.wrongBlockNumberRegister < 0 || faults_.wrongBlockNumberRegister == *n);
        const bool spoil = counts && wrongBlockNumbersLeft_ > 0;
        if (spoil) --wrongBlockNumbersLeft_;
        std::string text = registerReply(*n, nowMs, spoil ? std::optional<int>(0) : std::nullopt);
        reply(firstTokens(std::move(text), faults_.registerTokens));
    } else if (head == "?DAT") {
        // The first token is the reply's name, then the values.
        reply(firstTokens(dataReply(nowMs), faults_.datValues < 0 ? -1 : faults_.datValues + 1));
        ++datReplies_;
    } else if (head == "?MEM") {
        const auto n = tokens.size() > 1 ? number<int>(tokens[1]) : std::nullopt;
        if (!n || *n < 1 || *n > static_cast<int>(blocks_.size())) return;
        // The dump is made as it goes out: preparing a large block whole would keep the
        // line silent past the PC's read time-out.
        const auto cut = faults_.cutBlocks.find(*n);
        DumpStream dump(blocks_[static_cast<std::size_t>(*n - 1)], *n, model_, faults_.nulInDumpAt,
                        cut == faults_.cutBlocks.end() ? -1L : std::max(0L, cut->second), faults_.dumpTrailer);
        if (stream_) {
            // Asked again while a dump still goes out: this one follows it, made at once.
            std::string whole;
            while (!dump.done()) dump.appendNext(whole, kStreamPiece);
            reply(std::move(whole));
        } else {
            reply(std::string());
            stream_.emplace(std::move(dump));
        }
        if (faults_.neverSilent) filler_ = true;
    } else if (head == "CLR_M") {
        blocks_.clear();
    } else if (head == "START") {
        if (!measurement_) measurement_ = Measurement{nowMs, clockAt(nowMs), settings_};
    } else if (head == "$" && tokens.size() > 1 && tokens[1] == "$_END") {
        if (measurement_ && measurement_->settings.samplingMs > 0) {
            const std::int64_t elapsed = nowMs - measurement_->startMs;
            finishMeasurement(measurement_->startMs +
                              elapsed / measurement_->settings.samplingMs * measurement_->settings.samplingMs);
        }
        measurement_.reset();
    } else {
        applyClauses(tokens, nowMs);
    }
}

void RecorderEngine::applyClauses(const std::vector<std::string>& tokens, std::int64_t nowMs)
{
    std::optional<QTime> newTime;
    std::optional<QDate> newDate;
    auto next = [&](std::size_t& i) -> std::string_view {
        return i + 1 < tokens.size() ? std::string_view(tokens[++i]) : std::string_view();
    };
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const std::string& t = tokens[i];
        if (t == "M_S") {
            if (auto v = number<int>(next(i)); v && *v > 0) settings_.samplingMs = *v;
        } else if (t == "M_C") {
            if (auto v = number<int>(next(i)); v && *v > 0) settings_.sampleCount = *v;
        } else if (t.size() > 1 && t[0] == 'k') {
            if (auto v = number<int>(std::string_view(t).substr(1)); v && *v >= 1 && *v <= 16) {
                settings_.channelCount = *v;
            }
        } else if (t == "TIME") {
            const QTime tm = QTime::fromString(QString::fromStdString(std::string(next(i))), QStringLiteral("H:mm:ss"));
            if (tm.isValid()) newTime = tm;
        } else if (t == "DATE") {
            const QDate d =
                QDate::fromString(QString::fromStdString(std::string(next(i))), QStringLiteral("yyyy-MM-dd"));
            if (d.isValid()) newDate = d;
        } else if (t == "L_D") {
            if (auto v = number<unsigned>(next(i))) settings_.triggerStartRaw = *v;
        } else if (t == "L_U") {
            if (auto v = number<unsigned>(next(i))) settings_.triggerStopRaw = *v;
        } else if (t == "O_T") {
            settings_.optionWord |= 1;
        } else if (t == "O_N") {
            settings_.optionWord &= ~1;
        } else if (t == "S_B") {
            if (auto v = number<float>(next(i))) settings_.sb = *v;
        } else if (t == "S_C") {
            if (auto v = number<float>(next(i))) settings_.sc = *v;
        }
        // Anything else is ignored, as a recorder ignores what it does not understand.
    }
    if (newTime || newDate) {
        const QDateTime current = clockAt(nowMs);
        const QDateTime target(newDate.value_or(current.date()), newTime.value_or(current.time()));
        clockOffsetMs_ = wallAtZero_.msecsTo(target) - nowMs;
    }
}

void RecorderEngine::reply(std::string text)
{
    // Behind a dump still going out, a reply waits for the dump's end.
    std::string& queue = stream_ ? afterStream_ : output_;
    if (faults_.garbageBytes > 0 && garbageLeft_ != 0) {
        if (garbageLeft_ > 0) --garbageLeft_;
        static constexpr char noise[] = "#~*%";
        for (int i = 0; i < faults_.garbageBytes; ++i) queue.push_back(noise[i % 4]);
    }
    queue += text;
}

void RecorderEngine::abortTransfer()
{
    stream_.reset();
    afterStream_.clear();
    output_.clear();
    sent_ = 0;
    filler_ = false;
    discard_ = true;
}

void RecorderEngine::finishMeasurement(std::int64_t endMs)
{
    const Measurement m = *measurement_;
    measurement_.reset();
    long long samples = m.settings.samplingMs > 0 ? (endMs - m.startMs) / m.settings.samplingMs : 0;
    samples = std::min<long long>(samples, m.settings.sampleCount);
    // A full memory keeps what fits.
    samples = std::min(samples, freeMemory() / std::max(1, m.settings.channelCount));
    if (samples <= 0) return;
    Block b;
    b.date = clockDateText(m.start);
    b.time = clockTimeText(m.start);
    b.sampleCount = static_cast<int>(samples);
    b.samplingMs = m.settings.samplingMs;
    b.channelCount = m.settings.channelCount;
    b.optionWord = m.settings.optionWord;
    blocks_.push_back(std::move(b));
}

}  // namespace recsim
