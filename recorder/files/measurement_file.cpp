#include "files/measurement_file.h"

#include "core/number_text.h"

#include <QIODevice>
#include <algorithm>
#include <cstring>

namespace vorda {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;
// Longest line: a first column and a time stamp, 16 slots of separator, value and two
// spaces, the digital pair; or the header's label, names and chart parameters.
constexpr std::size_t kMaxLine = 2 * 24 + kMaxChannels * (kFixedTextMax + 3) + 48;
static_assert(kMaxLine > 10 + kMaxChannels * 20 + 80 + 2);

constexpr std::int64_t kMsPerHour = 3600000;
constexpr std::int64_t kMsPerDay = 24 * kMsPerHour;

char* put(char* p, std::string_view text)
{
    std::memcpy(p, text.data(), text.size());
    return p + text.size();
}

char* putTwo(char* p, unsigned n)
{
    *p++ = static_cast<char>('0' + n / 10);
    *p++ = static_cast<char>('0' + n % 10);
    return p;
}

// "nn:ss.zzz " or, with hours, "hh:nn:ss.zzz " of ms within the hour or day.
char* putClock(char* p, std::int64_t ms, bool withHours)
{
    const auto t = static_cast<unsigned>(ms);
    if (withHours) {
        p = putTwo(p, t / 3600000u);
        *p++ = ':';
    }
    p = putTwo(p, t / 60000u % 60u);
    *p++ = ':';
    p = putTwo(p, t / 1000u % 60u);
    *p++ = '.';
    const unsigned milli = t % 1000u;
    *p++ = static_cast<char>('0' + milli / 100);
    p = putTwo(p, milli % 100);
    *p++ = ' ';
    return p;
}

std::int64_t wrap(std::int64_t ms, std::int64_t period)
{
    const std::int64_t r = ms % period;
    return r < 0 ? r + period : r;
}

}  // namespace

std::vector<int> namelessUsedChannels(const Settings& settings)
{
    std::vector<int> channels;
    for (int c = 1; c <= settings.usedChannels(); ++c)
        if (fieldText(settings.channel(c).name).empty()) channels.push_back(c);
    return channels;
}

MeasurementFileWriter::MeasurementFileWriter(const Settings& settings, const BlockLayout& layout, QIODevice& out)
    : out_(out), layout_(layout), shape_(sampleShape(layout.recordType, layout.triggerOn, layout.channelCount)),
      firstColumn_(settings.firstColumn), chartParameters_(fieldText(settings.chartParameters)),
      buffer_(new char[kBufferSize])
{
    layout_.channelCount = std::clamp(layout.channelCount, 1, kMaxChannels);
    for (int k = 0; k < kMaxChannels; ++k) {
        const ChannelSettings& ch = settings.channel(k + 1);
        names_[k] = fieldText(ch.name);
        decimals_[k] = ch.numberFormat;
    }
}

MeasurementFileWriter::~MeasurementFileWriter() = default;

char* MeasurementFileWriter::lineStart()
{
    if (kBufferSize - used_ < kMaxLine) flush();
    return buffer_.get() + used_;
}

void MeasurementFileWriter::lineEnd(char* end)
{
    *end++ = '\r';
    *end++ = '\n';
    used_ = static_cast<std::size_t>(end - buffer_.get());
}

bool MeasurementFileWriter::flush()
{
    if (used_ > 0 && !failed_) {
        failed_ = out_.write(buffer_.get(), static_cast<qint64>(used_)) != static_cast<qint64>(used_);
    }
    used_ = 0;
    return !failed_;
}

void MeasurementFileWriter::writeHeaderLine()
{
    char* p = lineStart();
    if (shape_.timeStamp) {
        p = put(p, "_HH:MM:SS ");
    } else {
        switch (firstColumn_) {
        case 1:
            p = put(p, "  Nr.: ");
            break;
        case 2:
            p = put(p, "MM:SS.mmm ");
            break;
        case 3:
            p = put(p, "Godzina:  ");
            break;
        default:
            break;
        }
    }
    for (int k = 0; k < layout_.channelCount; ++k) {
        p = put(p, names_[k]);
        *p++ = ' ';
    }
    p = put(p, layout_.recordType == '1' ? std::string_view("[1]  [2]") : chartParameters_);
    lineEnd(p);
}

char* MeasurementFileWriter::writeFirstColumn(char* p, std::int64_t index) const
{
    switch (firstColumn_) {
    case 1: {
        // "%3d " of the sample number
        char digits[24];
        char* end = writeDecimal(digits, index + 1);
        for (auto len = end - digits; len < 3; ++len) *p++ = ' ';
        p = put(p, std::string_view(digits, static_cast<std::size_t>(end - digits)));
        *p++ = ' ';
        return p;
    }
    case 2:
        return putClock(p, wrap(index * layout_.samplingMs, kMsPerHour), false);
    case 3:
        return putClock(p, wrap(layout_.startTimeMs + index * layout_.samplingMs, kMsPerDay), true);
    default:
        return p;
    }
}

void MeasurementFileWriter::writeSampleLine(std::int64_t index, const SampleItems& items)
{
    // A recorder time stamp is the first column, as the header line says: a chosen
    // first column before it would leave every value one column off its name.
    char* p = shape_.timeStamp ? lineStart() : writeFirstColumn(lineStart(), index);
    const int present = std::min(items.codesPresent, shape_.codes);
    if (shape_.timeStamp) {
        if (items.timeStampPresent)
            p = putClock(p, wrap(static_cast<std::int64_t>(items.timeStamp) * 2, kMsPerDay), true);
        for (int k = 0; k < shape_.codes; ++k) {
            if (k > 0) *p++ = ' ';
            if (k < present && !names_[k].empty()) {
                p = writeFixed(p, items.values[k], decimals_[k]);
                *p++ = ' ';
                *p++ = ' ';
            }
        }
    } else {
        for (int k = 0; k < shape_.codes; ++k) {
            if (k > 0) *p++ = ' ';
            if (k < present && !names_[k].empty()) p = writeFixed(p, items.values[k], decimals_[k]);
        }
        if (shape_.digitalPair && items.digitalPresent) {
            *p++ = ' ';
            *p++ = ' ';
            p = writeDecimal(p, items.digital1);
            *p++ = ' ';
            *p++ = ' ';
            p = writeDecimal(p, items.digital2);
        }
    }
    lineEnd(p);
}

}  // namespace vorda
