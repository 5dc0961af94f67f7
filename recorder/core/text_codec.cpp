#include "core/text_codec.h"

#include "win1250.h"

#include <QList>

namespace vorda {

namespace {

// The Windows-1250 byte of a code point, or -1 when it has none.
int encodeOne(char32_t cp)
{
    if (cp < 0x80) return static_cast<int>(cp);
    if (cp > 0xFFFF) return -1;
    for (std::size_t i = 0; i < win1250::kHighHalf.size(); ++i)
        if (win1250::kHighHalf[i] == cp) return static_cast<int>(0x80 + i);
    return -1;
}

}  // namespace

QString fromWin1250(std::string_view bytes)
{
    return win1250::decode(bytes);
}

std::optional<std::string> toWin1250(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t cp : text.toUcs4()) {
        const int b = encodeOne(cp);
        if (b < 0) return std::nullopt;
        bytes.push_back(static_cast<char>(b));
    }
    return bytes;
}

std::string toWin1250Lossy(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t cp : text.toUcs4()) {
        const int b = encodeOne(cp);
        bytes.push_back(b < 0 ? '?' : static_cast<char>(b));
    }
    return bytes;
}

QString withPlainLineBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    return text;
}

}  // namespace vorda
