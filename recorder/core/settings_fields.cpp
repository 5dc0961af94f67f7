#include "core/settings_fields.h"

#include "core/text_codec.h"

#include <QCoreApplication>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace vorda {

namespace {

// The context of this file's texts in the catalogue.
struct SettingsFields {
    Q_DECLARE_TR_FUNCTIONS(SettingsFields)
};

struct FieldInfo {
    const char* name;
    std::size_t offset;
    FieldType type;
    std::size_t width;
};

#define VORDA_FIELD(Type, member, kind)                                        \
    FieldInfo                                                                  \
    {                                                                          \
#member, offsetof(Type, member), FieldType::kind, sizeof(Type::member) \
    }

constexpr FieldInfo kChannelFields[] = {
    VORDA_FIELD(ChannelSettings, name, Text),          VORDA_FIELD(ChannelSettings, rawPoint1, Int32),
    VORDA_FIELD(ChannelSettings, rawPoint2, Int32),    VORDA_FIELD(ChannelSettings, numberFormat, Int32),
    VORDA_FIELD(ChannelSettings, valuePoint2, Double), VORDA_FIELD(ChannelSettings, valuePoint1, Double),
    VORDA_FIELD(ChannelSettings, slopeSB, Double),     VORDA_FIELD(ChannelSettings, offsetSC, Double),
    VORDA_FIELD(ChannelSettings, linearSA, Double),
};

constexpr FieldInfo kStatusFields[] = {
    VORDA_FIELD(RecorderStatus, tag, Text),
    VORDA_FIELD(RecorderStatus, date, Text),
    VORDA_FIELD(RecorderStatus, time, Text),
    VORDA_FIELD(RecorderStatus, blockNumber, Int32),
    VORDA_FIELD(RecorderStatus, sampleCount, Int32),
    VORDA_FIELD(RecorderStatus, samplingMs, Int32),
    VORDA_FIELD(RecorderStatus, channelCount, Int32),
    VORDA_FIELD(RecorderStatus, freeMemory, Int32),
    VORDA_FIELD(RecorderStatus, blockCount, Int32),
    VORDA_FIELD(RecorderStatus, triggerOn, Int32),
    VORDA_FIELD(RecorderStatus, triggerStartRaw, UInt32),
    VORDA_FIELD(RecorderStatus, triggerStopRaw, UInt32),
    VORDA_FIELD(RecorderStatus, recorderSB, Double),
    VORDA_FIELD(RecorderStatus, recorderSC, Double),
};

// The record's own fields; "channels" and "status" stand for the groups above.
constexpr FieldInfo kRecordFields[] = {
    VORDA_FIELD(Settings, portNumber, Int32),      VORDA_FIELD(Settings, portOpen, Byte),
    VORDA_FIELD(Settings, portParams, Text),       VORDA_FIELD(Settings, baudRate, UInt32),
    VORDA_FIELD(Settings, channels, Text),         VORDA_FIELD(Settings, status, Text),
    VORDA_FIELD(Settings, currentChannel, Int32),  VORDA_FIELD(Settings, samplingTimeMs, UInt32),
    VORDA_FIELD(Settings, sampleCount, UInt32),    VORDA_FIELD(Settings, sendSamplingTime, Byte),
    VORDA_FIELD(Settings, sendSampleCount, Byte),  VORDA_FIELD(Settings, sendDateTime, Byte),
    VORDA_FIELD(Settings, firstColumn, Int32),     VORDA_FIELD(Settings, lastFile, Text),
    VORDA_FIELD(Settings, dataDirectory, Text),    VORDA_FIELD(Settings, showFiles, Byte),
    VORDA_FIELD(Settings, channelsUsed, Int32),    VORDA_FIELD(Settings, sendTriggerLevels, Byte),
    VORDA_FIELD(Settings, sendConstants, Byte),    VORDA_FIELD(Settings, sendChannelCount, Byte),
    VORDA_FIELD(Settings, chartParameters, Text),  VORDA_FIELD(Settings, mainWidth, Int32),
    VORDA_FIELD(Settings, mainHeight, Int32),      VORDA_FIELD(Settings, mainLeft, Int32),
    VORDA_FIELD(Settings, mainTop, Int32),         VORDA_FIELD(Settings, monitorWidth, Int32),
    VORDA_FIELD(Settings, monitorHeight, Int32),   VORDA_FIELD(Settings, monitorLeft, Int32),
    VORDA_FIELD(Settings, monitorTop, Int32),      VORDA_FIELD(Settings, sendTriggerMode, Byte),
    VORDA_FIELD(Settings, triggerStartText, Text), VORDA_FIELD(Settings, triggerStopText, Text),
    VORDA_FIELD(Settings, triggerEnabled, Byte),
};

#undef VORDA_FIELD

std::vector<SettingsField> buildTable()
{
    std::vector<SettingsField> table;
    for (const FieldInfo& f : kRecordFields) {
        const std::string name = f.name;
        if (name == "channels") {
            for (int c = 1; c <= kMaxChannels; ++c) {
                const std::size_t slot = f.offset + static_cast<std::size_t>(c) * sizeof(ChannelSettings);
                const std::string prefix = "channels[" + std::to_string(c) + "].";
                for (const FieldInfo& g : kChannelFields)
                    table.push_back({prefix + g.name, slot + g.offset, g.type, g.width});
            }
        } else if (name == "status") {
            for (const FieldInfo& g : kStatusFields)
                table.push_back({std::string("status.") + g.name, f.offset + g.offset, g.type, g.width});
        } else {
            table.push_back({name, f.offset, f.type, f.width});
        }
    }
    return table;
}

const unsigned char* bytesOf(const Settings& s)
{
    return reinterpret_cast<const unsigned char*>(&s);
}
unsigned char* bytesOf(Settings& s)
{
    return reinterpret_cast<unsigned char*>(&s);
}

template <typename T>
T load(const Settings& s, std::size_t offset)
{
    T value;
    std::memcpy(&value, bytesOf(s) + offset, sizeof value);
    return value;
}

template <typename T>
void store(Settings& s, std::size_t offset, T value)
{
    std::memcpy(bytesOf(s) + offset, &value, sizeof value);
}

template <typename T>
QString numberText(T value)
{
    char buf[64];
    std::to_chars_result r;
    if constexpr (std::is_floating_point_v<T>)
        r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 17);
    else
        r = std::to_chars(buf, buf + sizeof buf, value);
    return QString::fromLatin1(buf, r.ptr - buf);
}

// Control characters would break the one-line-per-field listing or be taken by a terminal
// as commands (the C1 controls that the code page's undefined bytes decode to); they show
// as \xHH.
QString printableText(const QString& text)
{
    QString shown;
    for (const QChar ch : text) {
        if (ch.unicode() < 0x20 || (ch.unicode() >= 0x7F && ch.unicode() <= 0x9F))
            shown += QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += ch;
    }
    return shown;
}

// Parses the whole of `text` as a T (an optional leading '+' allowed for numbers).
template <typename T>
QString parseNumber(const QString& text, T& value)
{
    std::string s = text.toStdString();
    if (s.size() > 1 && s[0] == '+' && s[1] != '-') s.erase(0, 1);
    const char* end = s.data() + s.size();
    std::from_chars_result r;
    if constexpr (std::is_floating_point_v<T>)
        r = std::from_chars(s.data(), end, value, std::chars_format::general);
    else
        r = std::from_chars(s.data(), end, value, 10);
    if (r.ec == std::errc::result_out_of_range) return SettingsFields::tr("poza zakresem");
    if (s.empty() || r.ec != std::errc() || r.ptr != end) return SettingsFields::tr("to nie jest liczba");
    if constexpr (std::is_floating_point_v<T>)
        if (!std::isfinite(value)) return SettingsFields::tr("to nie jest liczba skończona");
    return {};
}

// Parses `value` as Parsed and stores it as Stored (a byte is parsed wider, then checked);
// a refusal says what the field takes.
template <typename Stored, typename Parsed = Stored>
QString storeNumber(Settings& s, const SettingsField& field, const QString& value, const QString& expected)
{
    Parsed v{};
    QString problem = parseNumber(value, v);
    if constexpr (!std::is_same_v<Stored, Parsed>)
        if (problem.isEmpty() && v > std::numeric_limits<Stored>::max()) problem = SettingsFields::tr("poza zakresem");
    if (!problem.isEmpty()) return problem + QLatin1String(": ") + expected;
    store(s, field.offset, static_cast<Stored>(v));
    return {};
}

}  // namespace

const std::vector<SettingsField>& settingsFields()
{
    static const std::vector<SettingsField> table = buildTable();
    return table;
}

const SettingsField* findSettingsField(std::string_view name)
{
    for (const SettingsField& f : settingsFields())
        if (f.name == name) return &f;
    return nullptr;
}

QString fieldValueText(const Settings& settings, const SettingsField& field)
{
    switch (field.type) {
    case FieldType::Int32:
        return numberText(load<std::int32_t>(settings, field.offset));
    case FieldType::UInt32:
        return numberText(load<std::uint32_t>(settings, field.offset));
    case FieldType::Byte:
        return numberText(unsigned{load<std::uint8_t>(settings, field.offset)});
    case FieldType::Double:
        return numberText(load<double>(settings, field.offset));
    case FieldType::Text: {
        const char* text = reinterpret_cast<const char*>(bytesOf(settings) + field.offset);
        std::size_t len = 0;
        while (len + 1 < field.width && text[len] != '\0') ++len;
        return printableText(fromWin1250({text, len}));
    }
    }
    return {};
}

QString setFieldValue(Settings& settings, const SettingsField& field, const QString& value)
{
    switch (field.type) {
    case FieldType::Int32:
        return storeNumber<std::int32_t>(settings, field, value,
                                         SettingsFields::tr("oczekiwano liczby całkowitej, -2147483648..2147483647"));
    case FieldType::UInt32:
        return storeNumber<std::uint32_t>(settings, field, value,
                                          SettingsFields::tr("oczekiwano liczby całkowitej bez znaku, 0..4294967295"));
    case FieldType::Byte:
        return storeNumber<std::uint8_t, std::uint32_t>(settings, field, value,
                                                        SettingsFields::tr("oczekiwano bajtu, 0..255"));
    case FieldType::Double:
        return storeNumber<double>(settings, field, value, SettingsFields::tr("oczekiwano liczby dziesiętnej z '.'"));
    case FieldType::Text: {
        QString problem;
        const std::optional<std::string> bytes = toWin1250(value);
        const std::size_t room = field.width - 1;
        if (!bytes)
            problem = SettingsFields::tr("tekst ma znaki, których Windows-1250 nie zapisze");
        else if (bytes->find('\0') != std::string::npos)
            problem = SettingsFields::tr("tekst zawiera znak NUL");
        else if (bytes->size() > room)
            problem = SettingsFields::tr("tekst za długi: %1 znaków, najwyżej %2").arg(bytes->size()).arg(room);
        if (problem.isEmpty()) {
            unsigned char* dest = bytesOf(settings) + field.offset;
            std::memcpy(dest, bytes->data(), bytes->size());
            dest[bytes->size()] = '\0';
        }
        return problem;
    }
    }
    return {};
}

}  // namespace vorda
