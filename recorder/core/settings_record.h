#pragma once
// The persistent settings of Vorda: one 2200-byte record, stored on disk as its raw
// little-endian image ("dimconfig.aoln", "Factoryseting.aoln", "*.roln").
//
// The struct is laid out so that its in-memory image is the on-disk image byte for
// byte (every offset is checked below). Text fields hold Windows-1250 bytes ended by a
// NUL; the bytes after the NUL are kept as loaded. Read them with fieldText() and write
// them with setFieldText(), which never run past the field whatever the record holds.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vorda {

inline constexpr std::size_t kRecordSize = 2200;
inline constexpr int kMaxChannels = 16;
// The line parameters of a record set to defaults, also the "Domyślne" choice of the settings.
inline constexpr char kDefaultPortParams[] = ":230400,n,8,2,p";

struct ChannelSettings {
    char name[20];              // sensor name; empty leaves the channel out of measurement files
    std::int32_t rawPoint1;     // raw code at calibration point 1 (also the zeroing reference)
    std::int32_t rawPoint2;     // raw code at calibration point 2
    std::int32_t numberFormat;  // decimals in measurement files, 0..3
    double valuePoint2;         // physical value at point 2 (note: stored before point 1)
    double valuePoint1;         // physical value at point 1
    double slopeSB;             // S_B, change of value per 1000 codes
    double offsetSC;            // S_C, value at code 0
    double linearSA;            // S_A, kept and edited but used by no computation
};

// The reply to the last register read.
struct RecorderStatus {
    char tag[4];  // 'R' and the model digit
    char date[12];
    char time[12];
    std::int32_t blockNumber;
    std::int32_t sampleCount;
    std::int32_t samplingMs;
    std::int32_t channelCount;
    std::int32_t freeMemory;
    std::int32_t blockCount;
    std::int32_t triggerOn;
    std::uint32_t triggerStartRaw;
    std::uint32_t triggerStopRaw;
    double recorderSB;
    double recorderSC;
};

struct Settings {
    std::int32_t portNumber;
    std::uint8_t reserved4[17];
    std::uint8_t portOpen;
    std::uint8_t reserved22[16];
    char portParams[30];
    std::uint32_t baudRate;
    ChannelSettings channels[17];  // slot 0 unused; channel c is slot c
    RecorderStatus status;
    std::int32_t currentChannel;
    std::uint32_t samplingTimeMs;
    std::uint32_t sampleCount;
    std::uint8_t sendSamplingTime;
    std::uint8_t sendSampleCount;
    std::uint8_t sendDateTime;
    std::uint8_t padding1391;
    std::int32_t firstColumn;
    char lastFile[260];
    char dataDirectory[260];
    std::uint8_t showFiles;
    std::uint8_t padding1917[3];
    std::int32_t channelsUsed;
    std::uint8_t sendTriggerLevels;
    std::uint8_t sendConstants;
    std::uint8_t sendChannelCount;
    std::uint8_t padding1927;
    double reserved1928;  // a date-time nobody reads: zero from defaults, else as loaded
    char chartParameters[80];
    std::int32_t mainWidth;
    std::int32_t mainHeight;
    std::int32_t mainLeft;
    std::int32_t mainTop;
    std::int32_t monitorWidth;
    std::int32_t monitorHeight;
    std::int32_t monitorLeft;
    std::int32_t monitorTop;
    std::uint8_t reserved2048[65];
    std::uint8_t sendTriggerMode;
    char triggerStartText[40];
    char triggerStopText[40];
    std::uint8_t triggerEnabled;
    std::uint8_t reserved2195[5];

    // Channel slot c clamped to 1..16, for loops driven by values read from files or replies.
    ChannelSettings& channel(int c);
    const ChannelSettings& channel(int c) const;
    // channelsUsed clamped to 1..16.
    int usedChannels() const;

    using Image = std::array<std::uint8_t, kRecordSize>;
    Image toImage() const;
    void fromImage(const Image& image);
};

static_assert(sizeof(ChannelSettings) == 72);
static_assert(sizeof(RecorderStatus) == 80);
static_assert(sizeof(Settings) == kRecordSize);
static_assert(offsetof(Settings, portOpen) == 21);
static_assert(offsetof(Settings, portParams) == 38);
static_assert(offsetof(Settings, baudRate) == 68);
static_assert(offsetof(Settings, channels) == 72);
static_assert(offsetof(Settings, status) == 1296);
static_assert(offsetof(Settings, currentChannel) == 1376);
static_assert(offsetof(Settings, samplingTimeMs) == 1380);
static_assert(offsetof(Settings, sampleCount) == 1384);
static_assert(offsetof(Settings, sendSamplingTime) == 1388);
static_assert(offsetof(Settings, firstColumn) == 1392);
static_assert(offsetof(Settings, lastFile) == 1396);
static_assert(offsetof(Settings, dataDirectory) == 1656);
static_assert(offsetof(Settings, showFiles) == 1916);
static_assert(offsetof(Settings, channelsUsed) == 1920);
static_assert(offsetof(Settings, sendTriggerLevels) == 1924);
static_assert(offsetof(Settings, reserved1928) == 1928);
static_assert(offsetof(Settings, chartParameters) == 1936);
static_assert(offsetof(Settings, mainWidth) == 2016);
static_assert(offsetof(Settings, monitorTop) == 2044);
static_assert(offsetof(Settings, sendTriggerMode) == 2113);
static_assert(offsetof(Settings, triggerStartText) == 2114);
static_assert(offsetof(Settings, triggerStopText) == 2154);
static_assert(offsetof(Settings, triggerEnabled) == 2194);
static_assert(offsetof(RecorderStatus, blockNumber) == 28);
static_assert(offsetof(RecorderStatus, recorderSB) == 64);
static_assert(offsetof(ChannelSettings, valuePoint2) == 32);

// The text of a char[N] field: up to the first NUL, at most N-1 bytes even when the
// field holds no NUL. Windows-1250 bytes, not decoded.
template <std::size_t N>
std::string_view fieldText(const char (&field)[N])
{
    std::size_t len = 0;
    while (len < N - 1 && field[len] != '\0') ++len;
    return {field, len};
}

// Writes text and its NUL into a char[N] field, cut to N-1 bytes; the bytes after the
// NUL keep what they held. Returns false when the text had to be cut.
template <std::size_t N>
bool setFieldText(char (&field)[N], std::string_view text)
{
    const std::size_t len = text.size() < N - 1 ? text.size() : N - 1;
    for (std::size_t i = 0; i < len; ++i) field[i] = text[i];
    field[len] = '\0';
    return len == text.size();
}

}  // namespace vorda
