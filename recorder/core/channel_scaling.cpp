#include "core/channel_scaling.h"

#include <cstdio>

namespace vorda {

namespace {
constexpr long double kMilli = 0.001L;  // an extended constant, not a double widened
}

float scaleGeneral(const ChannelSettings& ch, std::uint16_t code) {
    long double v = static_cast<long double>(code) * static_cast<long double>(ch.slopeSB);
    v = v * kMilli;
    v = v + static_cast<long double>(ch.offsetSC);
    return static_cast<float>(v);
}

float scaleOlder(const ChannelSettings& ch, std::uint16_t code) {
    const std::int64_t diff = static_cast<std::int64_t>(code) - ch.rawPoint1;
    long double v = static_cast<long double>(diff) * static_cast<long double>(ch.slopeSB);
    v = v * kMilli;
    return static_cast<float>(v);
}

float scaleForRecordType(const ChannelSettings& ch, char recordType, std::uint16_t code) {
    return (recordType == '1' || recordType == '2') ? scaleOlder(ch, code) : scaleGeneral(ch, code);
}

std::string fileText(float value, int numberFormat) {
    char buf[400];
    const int decimals = numberFormat < 0 ? 0 : numberFormat;
    const int n = std::snprintf(buf, sizeof buf, "%.*f", decimals, static_cast<double>(value));
    return std::string(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
}

std::string monitorText(float value, int numberFormat) {
    static const char* const formats[] = {"%5.0f\t", "%5.1f\t", "%5.2f\t", "%5.3f\t", "%5.4f\t"};
    const char* format = (numberFormat >= 0 && numberFormat <= 4) ? formats[numberFormat] : formats[0];
    char buf[400];
    const int n = std::snprintf(buf, sizeof buf, format, static_cast<double>(value));
    return std::string(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
}

}  // namespace vorda
