#include "link/recorder_protocol.h"

#include "core/program_state.h"
#include "core/reporter.h"
#include "core/settings_record.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace vorda {

QByteArray registerCommand(int n)
{
    char text[32];
    std::snprintf(text, sizeof text, " ?R_%1d &", n);
    return QByteArray(text);
}

QByteArray memoryCommand(int block)
{
    char text[32];
    std::snprintf(text, sizeof text, " ?MEM %d &", block);
    return QByteArray(text);
}

namespace {

// Reads conversions from reply text the way sscanf does: each conversion skips leading
// white space, consumes the longest run that fits it and stores only when it converted.
class ReplyScanner {
public:
    explicit ReplyScanner(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}

    // %Ns into a char[N+1] field.
    template <std::size_t N>
    bool word(char (&field)[N])
    {
        const std::string_view token = takeWord(N - 1);
        if (token.empty()) return false;
        setFieldText(field, token);
        return true;
    }

    // %s whose text is not kept.
    bool skipWord() { return !takeWord(std::string_view::npos).empty(); }

    // %d and %ld into an int32; values beyond its range are clamped.
    bool integer(std::int32_t& out)
    {
        bool negative = false;
        std::uint64_t magnitude = 0;
        if (!digits(negative, magnitude)) return false;
        constexpr std::uint64_t kMaxPositive = std::numeric_limits<std::int32_t>::max();
        if (negative) {
            out = magnitude > kMaxPositive + 1 ? std::numeric_limits<std::int32_t>::min()
                                               : static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
        } else {
            out = static_cast<std::int32_t>(std::min(magnitude, kMaxPositive));
        }
        return true;
    }

    // %u into a uint32: a minus sign negates modulo 2^32 as C does ("-1" is all ones);
    // magnitudes beyond the range are clamped.
    bool unsignedInteger(std::uint32_t& out)
    {
        bool negative = false;
        std::uint64_t magnitude = 0;
        if (!digits(negative, magnitude)) return false;
        constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
        if (magnitude > kMax)
            out = static_cast<std::uint32_t>(kMax);
        else
            out = static_cast<std::uint32_t>(negative ? (0 - magnitude) : magnitude);
        return true;
    }

    // %f: a single-precision value, widened.
    bool real(double& out)
    {
        skipSpace();
        const std::size_t start = pos_;
        bool negative = false;
        if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) negative = text_[pos_++] == '-';
        const std::size_t body = pos_;
        float value = 0;
        if (matchWord("infinity") || matchWord("inf")) {
            value = std::numeric_limits<float>::infinity();
        } else if (matchWord("nan")) {
            value = std::numeric_limits<float>::quiet_NaN();
        } else {
            std::size_t digitsSeen = skipDigits();
            if (pos_ < text_.size() && text_[pos_] == '.') {
                ++pos_;
                digitsSeen += skipDigits();
            }
            if (digitsSeen == 0) {
                pos_ = start;
                return false;
            }
            bool negativeExponent = false;
            if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
                std::size_t p = pos_ + 1;
                if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) negativeExponent = text_[p++] == '-';
                if (p < text_.size() && isDigit(text_[p])) {
                    pos_ = p;
                    skipDigits();
                }
            }
            const char* first = text_.data() + body;
            const char* last = text_.data() + pos_;
            const auto result = std::from_chars(first, last, value);
            if (result.ec == std::errc::result_out_of_range) {
                double wide = 0;
                const auto r = std::from_chars(first, last, wide);
                const bool huge = r.ec == std::errc{} ? std::fabs(wide) > 1 : !negativeExponent;
                value = huge ? std::numeric_limits<float>::infinity() : 0.0f;
            }
        }
        out = negative ? -static_cast<double>(value) : static_cast<double>(value);
        return true;
    }

private:
    static bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    void skipSpace()
    {
        while (pos_ < text_.size() && isSpace(text_[pos_])) ++pos_;
    }

    std::size_t skipDigits()
    {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && isDigit(text_[pos_])) ++pos_;
        return pos_ - start;
    }

    bool matchWord(std::string_view word)
    {
        if (text_.size() - pos_ < word.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i)
            if ((text_[pos_ + i] | 0x20) != word[i]) return false;
        pos_ += word.size();
        return true;
    }

    std::string_view takeWord(std::size_t width)
    {
        skipSpace();
        const std::size_t start = pos_;
        while (pos_ < text_.size() && pos_ - start < width && !isSpace(text_[pos_])) ++pos_;
        return text_.substr(start, pos_ - start);
    }

    // An optional sign and decimal digits; the magnitude saturates.
    bool digits(bool& negative, std::uint64_t& magnitude)
    {
        skipSpace();
        const std::size_t start = pos_;
        negative = false;
        if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) negative = text_[pos_++] == '-';
        magnitude = 0;
        const std::size_t first = pos_;
        constexpr std::uint64_t kCap = std::uint64_t{1} << 40;
        for (; pos_ < text_.size() && isDigit(text_[pos_]); ++pos_)
            magnitude = std::min(kCap, magnitude * 10 + static_cast<unsigned>(text_[pos_] - '0'));
        if (pos_ == first) {
            pos_ = start;
            return false;
        }
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

int parseRegisterReply(std::string_view text, RecorderStatus& status, std::int32_t& optionWord)
{
    ReplyScanner scan(text);
    int stored = 0;
    const auto step = [&stored](bool converted) {
        if (converted) ++stored;
        return converted;
    };
    step(scan.word(status.tag)) && step(scan.word(status.date)) && step(scan.word(status.time)) &&
        step(scan.integer(status.blockNumber)) && step(scan.integer(status.sampleCount)) &&
        step(scan.integer(status.samplingMs)) && step(scan.integer(status.channelCount)) &&
        step(scan.integer(status.freeMemory)) && step(scan.integer(status.blockCount)) &&
        step(scan.integer(optionWord)) && step(scan.unsignedInteger(status.triggerStartRaw)) &&
        step(scan.unsignedInteger(status.triggerStopRaw)) && step(scan.real(status.recorderSB)) &&
        step(scan.real(status.recorderSC));
    return stored;
}

int parseDataReply(std::string_view text, ReadingsRow& row)
{
    ReplyScanner scan(text);
    if (!scan.skipWord()) return 0;
    int stored = 0;
    while (stored < kMaxChannels && scan.integer(row[stored + 1])) ++stored;
    return stored;
}

namespace {
bool onlyWhiteSpace(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); });
}
}  // namespace

ReplyFault registerReplyFault(std::string_view text)
{
    if (onlyWhiteSpace(text)) return ReplyFault::Silent;
    RecorderStatus status{};
    std::int32_t optionWord = 0;
    const int stored = parseRegisterReply(text, status, optionWord);
    if (stored == 0 || status.tag[0] != 'R') return ReplyFault::Garbled;
    return stored < kRegisterReplyTokens ? ReplyFault::Incomplete : ReplyFault::None;
}

ReplyFault dataReplyFault(std::string_view text)
{
    if (onlyWhiteSpace(text)) return ReplyFault::Silent;
    ReadingsRow row{};
    return parseDataReply(text, row) < kDataReplyValues ? ReplyFault::Incomplete : ReplyFault::None;
}

std::int32_t trimmedMean(const std::array<std::int32_t, 5>& values)
{
    std::int64_t sum = 0;
    for (const std::int32_t v : values) sum += v;
    const auto [smallest, largest] = std::minmax_element(values.begin(), values.end());
    return static_cast<std::int32_t>((sum - *largest - *smallest) / 3);
}

RecorderProtocol::RecorderProtocol(SerialLink& link, Settings& settings, ProgramState& state, Reporter& reporter)
    : link_(link), settings_(settings), state_(state), reporter_(reporter)
{
}

QByteArray RecorderProtocol::readRegister(int n)
{
    const ExchangeGuard guard(link_);
    if (!guard) return {};
    return registerExchange(n);
}

QByteArray RecorderProtocol::readRegister(int n, const ExchangeGuard& held)
{
    if (!held.holds(link_)) return {};
    return registerExchange(n);
}

QByteArray RecorderProtocol::registerExchange(int n)
{
    reporter_.setBusy(true);
    link_.command = registerCommand(n);
    link_.mode = kDataMode;
    reporter_.setLinkState(LinkState::Connected);
    link_.open();
    reportOpenFailure();
    link_.send();
    link_.readChunk();
    reporter_.setLinkState(LinkState::Disconnected);

    const QByteArray reply = link_.replyText();
    const std::string_view text(reply.constData(), static_cast<std::size_t>(reply.size()));
    const bool whole = acceptReply(registerReplyFault(text));
    if (whole) parseRegisterReply(text, settings_.status, state_.optionWord);
    finishExchange();
    if (!whole) {
        reporter_.setBusy(false);
        return {};
    }

    RecorderStatus& status = settings_.status;
    status.triggerOn = state_.optionWord & 1;
    state_.freeMemory = status.freeMemory;
    if (n == 0) {
        const std::int64_t expected = std::int64_t{status.sampleCount} * status.channelCount;
        state_.expectedSamples = static_cast<std::int32_t>(std::clamp<std::int64_t>(
            expected, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    }
    state_.statusRead = true;
    reporter_.setBusy(false);
    return reply;
}

QByteArray RecorderProtocol::dataRead()
{
    link_.open();
    reportOpenFailure();
    link_.send();
    link_.readChunk();
    return link_.replyText();
}

QByteArray RecorderProtocol::readCurrentData()
{
    const ExchangeGuard guard(link_);
    if (!guard) return {};
    link_.command = kDataCommand;
    link_.mode = kCommandMode;
    reporter_.setLinkState(LinkState::Connected);
    const QByteArray reply = dataRead();
    reporter_.setLinkState(LinkState::Disconnected);
    const std::string_view text(reply.constData(), static_cast<std::size_t>(reply.size()));
    const bool whole = acceptReply(dataReplyFault(text));
    if (whole) parseDataReply(text, link_.readings[0]);
    finishExchange();
    return whole ? reply : QByteArray();
}

QByteArray RecorderProtocol::readCurrentDataAveraged()
{
    const ExchangeGuard guard(link_);
    if (!guard) return {};
    reporter_.setBusy(true);
    link_.command = kDataCommand;
    link_.mode = kCommandMode;
    reporter_.setLinkState(LinkState::Connected);
    std::array<QByteArray, 5> replies;
    ReplyFault fault = ReplyFault::None;
    for (QByteArray& reply : replies) {
        reply = dataRead();
        // The first reply that is not whole fails the read; the rest are still taken
        // off the line so that none is left for the next exchange.
        if (fault == ReplyFault::None)
            fault = dataReplyFault(std::string_view(reply.constData(), static_cast<std::size_t>(reply.size())));
        link_.command = kDataCommand;
        link_.mode = kCommandMode;
    }
    reporter_.setLinkState(LinkState::Disconnected);

    const bool whole = acceptReply(fault);
    if (whole) {
        Readings& readings = link_.readings;
        for (std::size_t k = 0; k < replies.size(); ++k)
            parseDataReply(std::string_view(replies[k].constData(), static_cast<std::size_t>(replies[k].size())),
                           readings[k + 1]);
        // Channels 1..channelsUsed, never beyond 16; none when the count is 0 or less.
        const int channels = std::min<int>(settings_.channelsUsed, kMaxChannels);
        for (int c = 1; c <= channels; ++c)
            readings[0][c] =
                trimmedMean({readings[1][c], readings[2][c], readings[3][c], readings[4][c], readings[5][c]});
    }
    finishExchange();
    reporter_.setBusy(false);
    return whole ? replies[0] : QByteArray();
}

bool RecorderProtocol::sendPlainCommand(const QByteArray& text)
{
    const ExchangeGuard guard(link_);
    if (!guard) return false;
    plainExchange(text);
    return true;
}

bool RecorderProtocol::sendPlainCommand(const QByteArray& text, const ExchangeGuard& held)
{
    if (!held.holds(link_)) return false;
    plainExchange(text);
    return true;
}

void RecorderProtocol::plainExchange(const QByteArray& text)
{
    link_.command = text;
    link_.mode = kCommandMode;
    link_.replyFault = ReplyFault::None;
    reporter_.setLinkState(LinkState::Connected);
    link_.open();
    reportOpenFailure();
    link_.send();
    finishExchange();
    reporter_.setLinkState(LinkState::Disconnected);
}

bool RecorderProtocol::acceptReply(ReplyFault fault)
{
    link_.replyFault = fault;
    if (fault == ReplyFault::Garbled || fault == ReplyFault::Incomplete) reporter_.replyUnusable(link_.noReplyReason());
    return fault == ReplyFault::None;
}

void RecorderProtocol::reportOpenFailure()
{
    if (link_.openStatus != 0) reporter_.portUnavailable(link_.openFailureText());
}

void RecorderProtocol::finishExchange()
{
    link_.close();
    link_.receiving = false;
    settings_.portOpen = 0;
}

}  // namespace vorda
