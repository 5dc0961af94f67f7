#pragma once
// Conversion of a downloaded block ("__m.mem") into one measurement text file in the
// data directory. The dump is streamed in large chunks, so memory use does not grow with
// the block.

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorda {

class Reporter;
struct Settings;

inline constexpr char kDumpFileName[] = "__m.mem";

// The most samples a recorder can be set to take in one block.
inline constexpr std::int64_t kMaxBlockSamples = 1564670;

// The header line of a dump: the first eight blank-separated tokens before the CR.
struct DumpHeader {
    std::string tag;  // 'R' and the record type digit
    std::string date;
    std::string time;
    std::int64_t blockNumber = 0;
    std::int64_t sampleCount = 0;
    std::int64_t samplingMs = 0;
    std::int64_t channelCount = 0;
    std::int64_t extra = 0;

    // Second character of the tag; '\0' for a one-character tag.
    char recordType() const { return tag.size() > 1 ? tag[1] : '\0'; }
};

// Parses the header line (without its CR). nullopt when it is over 199 characters, has
// fewer than eight tokens, a token too long for its field (tag 3, date and time 19), a
// number that is not one, a channel count outside 1..16 or a sample count outside
// 0..kMaxBlockSamples.
std::optional<DumpHeader> parseDumpHeader(std::string_view line);

// Sample characters: each carries one nibble as '0' + value.
inline unsigned dumpNibble(char c)
{
    return static_cast<unsigned>(static_cast<unsigned char>(c) - '0') & 0xFu;
}

// A 4-character code: the high byte first, each byte low nibble first.
inline std::uint16_t decodeDumpCode(const char* c)
{
    return static_cast<std::uint16_t>((dumpNibble(c[0]) << 8) | (dumpNibble(c[1]) << 12) | dumpNibble(c[2]) |
                                      (dumpNibble(c[3]) << 4));
}

// An 8-character time stamp: a count of 2 ms units since midnight, same byte order.
inline std::uint32_t decodeDumpTimeStamp(const char* c)
{
    return (dumpNibble(c[0]) << 24) | (dumpNibble(c[1]) << 28) | (dumpNibble(c[2]) << 16) | (dumpNibble(c[3]) << 20) |
           (dumpNibble(c[4]) << 8) | (dumpNibble(c[5]) << 12) | dumpNibble(c[6]) | (dumpNibble(c[7]) << 4);
}

// The start time of a block for first-column mode 3, in ms since midnight: "H:MM:SS"
// (hours 0-23, minutes and seconds 0-59, one or two digits each; the seconds may be left
// out and may carry ".zzz" milliseconds). nullopt when the token is not such a time.
std::optional<std::int64_t> parseStartTime(std::string_view token);

enum class ConversionOutcome {
    Written,           // the file was written (complete or not, see completeSamples)
    DumpMissing,       // "Plik nie istnieje '__m.mem'"
    InvalidDump,       // header unusable: nothing written
    InvalidStartTime,  // first-column mode 3 and a time token that is not a time
    CannotCreate,      // "Błąd otwarcia pliku.."
    WriteFailed,       // the file could not be written to the end; the old file is kept
};

struct ConversionResult {
    ConversionOutcome outcome = ConversionOutcome::DumpMissing;
    QString filePath;                  // full path of the measurement file
    std::int64_t sampleCount = 0;      // sample lines announced by the header (and written)
    std::int64_t completeSamples = 0;  // samples wholly present in the dump
    QString message;                   // the failure text that was reported

    bool ok() const { return outcome == ConversionOutcome::Written; }
    bool complete() const { return ok() && completeSamples == sampleCount; }
};

// Converts the dump at dumpPath into "<date>_<time>.txt" in settings.dataDirectory (the
// current directory when that is not usable), with the trigger bit of
// settings.status.triggerOn. Reports through `reporter`: the entry "o długości N pomiarów
// zapisany \r\ndo pliku NAME" as one transfer message, a further message when the dump
// ended early, and each failure where the main window shows it. Never changes the
// process's working directory.
ConversionResult convertDump(const QString& dumpPath, const Settings& settings, Reporter& reporter);

// The same conversion of a whole dump held in memory: fileText receives the bytes
// convertDump would write (cleared first), result.filePath only the file's name. Touches
// no file.
ConversionResult convertDumpInMemory(std::string_view dump, const Settings& settings, Reporter& reporter,
                                     std::string& fileText);

}  // namespace vorda
