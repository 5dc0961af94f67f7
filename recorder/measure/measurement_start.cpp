#include "measure/measurement_start.h"

#include <charconv>
#include <limits>

namespace vorda {

std::optional<std::int32_t> blockOfListItem(int position, const QString& text)
{
    if (position < 0 || position >= kBlockListDownloadLimit) return std::nullopt;
    const QByteArray bytes = text.toLatin1();
    const char* p = bytes.constData();
    const char* end = p + bytes.size();
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f')) ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    if (p == end || *p < '0' || *p > '9') return std::nullopt;
    std::int64_t value = 0;
    const auto [next, ec] = std::from_chars(p, end, value);
    // A number past the int range is no block the recorder lists.
    if (ec != std::errc() || value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(negative ? -value : value);
}

QString freeMemoryText(std::int32_t freeMemory)
{
    return QString::number(freeMemory);
}

}  // namespace vorda
