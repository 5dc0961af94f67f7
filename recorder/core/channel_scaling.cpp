#include "core/channel_scaling.h"

#include "core/number_text.h"
#include "core/settings_record.h"

namespace vorda {

namespace {
constexpr long double kMilli = 0.001L;  // an extended constant, not a double widened
}

float scaleGeneral(const ChannelSettings& ch, std::uint16_t code)
{
    long double v = static_cast<long double>(code) * static_cast<long double>(ch.slopeSB);
    v = v * kMilli;
    v = v + static_cast<long double>(ch.offsetSC);
    return static_cast<float>(v);
}

float scaleOlder(const ChannelSettings& ch, std::uint16_t code)
{
    const std::int64_t diff = static_cast<std::int64_t>(code) - ch.rawPoint1;
    long double v = static_cast<long double>(diff) * static_cast<long double>(ch.slopeSB);
    v = v * kMilli;
    return static_cast<float>(v);
}

float scaleForRecordType(const ChannelSettings& ch, char recordType, std::uint16_t code)
{
    return (recordType == '1' || recordType == '2') ? scaleOlder(ch, code) : scaleGeneral(ch, code);
}

std::string monitorText(float value, int numberFormat)
{
    const int decimals = (numberFormat >= 0 && numberFormat <= 4) ? numberFormat : 0;
    char buf[kFixedTextMax];
    std::string text(buf, writeFixed(buf, value, decimals));
    constexpr std::size_t kWidth = 5;
    if (text.size() < kWidth) text.insert(0, kWidth - text.size(), ' ');
    text += '\t';
    return text;
}

}  // namespace vorda
