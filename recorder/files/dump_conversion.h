#pragma once
// Conversion of a downloaded block ("__m.mem") into one measurement text file in the
// data directory. The dump is streamed in large chunks, so memory use does not grow with
// the block.

#include "dump_codec.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vorda {

class Reporter;
struct Settings;

inline constexpr char kDumpFileName[] = "__m.mem";

using dumpcodec::kMaxBlockSamples;

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

// The start time of a block for first-column mode 3, in ms since midnight: "H:MM:SS"
// (hours 0-23, minutes and seconds 0-59, one or two digits each; the seconds may be left
// out and may carry ".zzz" milliseconds). nullopt when the token is not such a time.
std::optional<std::int64_t> parseStartTime(std::string_view token);

enum class ConversionOutcome {
    Written,           // the file was written (complete or not, see completeSamples)
    DumpMissing,       // "Plik nie istnieje '__m.mem'"
    InvalidDump,       // header unusable: nothing written
    InvalidStartTime,  // first-column mode 3 and a time token that is not a time
    NoDataDirectory,   // the data directory does not exist: nothing written
    CannotCreate,      // "Błąd otwarcia pliku.."
    WriteFailed,       // the file could not be written to the end; the old file is kept
    Refused,           // a symbolic link or no regular file stands at the name: left alone
};

struct ConversionResult {
    ConversionOutcome outcome = ConversionOutcome::DumpMissing;
    QString filePath;                    // full path of the measurement file
    std::int64_t sampleCount = 0;        // samples announced by the header
    std::int64_t completeSamples = 0;    // samples wholly present in the dump: the lines written
    std::int64_t receivedBytes = 0;      // length of the dump
    std::int64_t expectedBytes = 0;      // length the header implies: its line and the samples
    std::int64_t trailerBytes = 0;       // 2 for the CR LF a recorder may send after the samples
    std::int64_t foreignCharacters = 0;  // characters of the whole samples that carry no nibble
    QString message;                     // the failure text that was reported
    std::optional<DumpHeader> header;    // the dump's header line, once read
    QString keptFile;                    // the file under the block's name that was kept, if any

    bool ok() const { return outcome == ConversionOutcome::Written; }
    bool complete() const { return ok() && completeSamples == sampleCount; }
    // Written, whole, and nothing in the dump that does not belong to the block: only
    // such a block gets the regular file name.
    bool clean() const
    {
        return complete() && receivedBytes == expectedBytes + trailerBytes && foreignCharacters == 0;
    }
};

// The report lines of a written file whose block was short, of another length than its
// header implies, or held characters that are no sample data; empty for a clean one.
QStringList conversionWarnings(const ConversionResult& result, const QString& dumpName);

// Converts the dump at dumpPath into "<date>_<time>.txt" in the data directory, with the
// trigger bit of settings.status.triggerOn. Only whole samples become lines, and none
// from the first character that carries no nibble on. A block that did not arrive whole
// and clean (short, longer than its header says but for a CR LF, or with foreign
// characters) never takes the regular name nor replaces a file: it is written as
// "<date>_<time>_niepelny.txt" (then "..._niepelny_2.txt" and on). No file is written
// through a symbolic link. Reports through `reporter`: the entry "o długości N pomiarów
// zapisany \r\ndo pliku NAME" once the file is in place, further messages when the dump
// ended early, its length differs from the header's, or it holds characters that are no
// sample data, and each failure where the main window shows it. Never changes the
// process's working directory.
struct ConversionOptions {
    // Whether a whole block may replace the file of that name in the data directory;
    // when not, it goes beside as "<date>_<time>_2.txt" (then _3, ...). Unset: always.
    std::function<bool(const QString& fileName, const DumpHeader& header)> mayReplace;
};

ConversionResult convertDump(const QString& dumpPath, const Settings& settings, Reporter& reporter,
                             const ConversionOptions& options = {});

// The same conversion of a whole dump held in memory: fileText receives the bytes
// convertDump would write (cleared first), result.filePath only the file's name. Touches
// no file.
ConversionResult convertDumpInMemory(std::string_view dump, const Settings& settings, Reporter& reporter,
                                     std::string& fileText);

}  // namespace vorda
