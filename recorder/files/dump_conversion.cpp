#include "files/dump_conversion.h"

#include "core/channel_scaling.h"
#include "core/message_captions.h"
#include "core/reporter.h"
#include "core/settings_record.h"
#include "core/text_codec.h"
#include "files/file_operations.h"
#include "files/measurement_file.h"
#include "files/new_file.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <optional>

namespace vorda {

namespace {

// The context of this file's texts in the catalogue.
struct DumpConversion {
    Q_DECLARE_TR_FUNCTIONS(DumpConversion)
};

constexpr std::size_t kHeaderBuffer = 200;  // the header and its NUL
constexpr std::size_t kChunkSize = 1 << 20;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A whole token as an integer with an optional sign, as "%d" reads a well-formed one.
bool parseInteger(std::string_view token, std::int64_t& value)
{
    if (token.size() > 1 && token[0] == '+' && token[1] != '-') token.remove_prefix(1);
    const char* end = token.data() + token.size();
    const auto [ptr, ec] = std::from_chars(token.data(), end, value);
    return ec == std::errc() && ptr == end && !token.empty();
}

// Hands out runs of consecutive dump bytes: read from a file in large chunks, or straight
// from a dump held in memory.
class DumpReader {
public:
    explicit DumpReader(QFile& file) : file_(&file), buffer_(new char[kChunkSize]) {}
    explicit DumpReader(std::string_view dump) : memory_(dump) {}

    // Makes up to n (<= kChunkSize) bytes available at data(); fewer only at the end.
    std::size_t require(std::size_t n)
    {
        if (!file_) return std::min(n, memory_.size() - pos_);
        if (end_ - pos_ < n && !atEnd_) {
            std::memmove(buffer_.get(), buffer_.get() + pos_, end_ - pos_);
            end_ -= pos_;
            pos_ = 0;
            while (end_ < n && !atEnd_) {
                const qint64 got = file_->read(buffer_.get() + end_, static_cast<qint64>(kChunkSize - end_));
                if (got <= 0)
                    atEnd_ = true;
                else
                    end_ += static_cast<std::size_t>(got);
            }
        }
        return std::min(n, end_ - pos_);
    }
    const char* data() const { return file_ ? buffer_.get() + pos_ : memory_.data() + pos_; }
    void consume(std::size_t n) { pos_ += n; }

private:
    QFile* file_ = nullptr;
    std::string_view memory_;
    std::unique_ptr<char[]> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
};

// Where the measurement text goes.
class TextTarget {
public:
    enum class Commit { Done, Refused, Failed };
    virtual ~TextTarget() = default;
    // The device the text is written to; nullptr when it cannot be had (`error` says why).
    virtual QIODevice* open(QString& error) = 0;
    // Makes the written text the file of the block named fileName, the regular one when
    // the block is whole (its full path into result.filePath).
    virtual Commit commit(const QString& fileName, bool whole, ConversionResult& result, QString& error) = 0;
};

// Characters that carry no nibble: anything but '0'..'?'.
std::int64_t countForeign(const char* d, std::size_t n)
{
    std::int64_t count = 0;
    for (std::size_t i = 0; i < n; ++i) count += !dumpcodec::carriesNibble(d[i]);
    return count;
}

// One or two digits at s[i] (i moves past them) as a number up to max; -1 otherwise.
int twoDigits(std::string_view s, std::size_t& i, int max)
{
    int value = -1;
    const std::size_t start = i;
    while (i < s.size() && i - start < 2 && s[i] >= '0' && s[i] <= '9')
        value = (value < 0 ? 0 : value * 10) + (s[i++] - '0');
    return value <= max ? value : -1;
}

QString fileNameFor(const DumpHeader& header)
{
    std::string name = header.date + '_' + header.time + ".txt";
    // '/' and '\' would lead out of the data directory; they go the way of '-' and ':'.
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '-' || c == ':' || c == '/' || c == '\\'; }, '_');
    return fromWin1250(name);
}

ConversionResult fail(ConversionOutcome outcome, const QString& message)
{
    ConversionResult result;
    result.outcome = outcome;
    result.message = message;
    return result;
}

}  // namespace

std::optional<DumpHeader> parseDumpHeader(std::string_view line)
{
    if (line.size() >= kHeaderBuffer) return std::nullopt;
    line = line.substr(0, line.find('\0'));
    std::string_view tokens[8];
    std::size_t count = 0;
    std::size_t i = 0;
    while (count < 8) {
        while (i < line.size() && isBlank(line[i])) ++i;
        if (i == line.size()) break;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i])) ++i;
        tokens[count++] = line.substr(start, i - start);
    }
    if (count < 8) return std::nullopt;

    DumpHeader h;
    if (tokens[0].size() > 3 || tokens[1].size() > 19 || tokens[2].size() > 19) return std::nullopt;
    h.tag = tokens[0];
    h.date = tokens[1];
    h.time = tokens[2];
    if (!parseInteger(tokens[3], h.blockNumber) || !parseInteger(tokens[4], h.sampleCount) ||
        !parseInteger(tokens[5], h.samplingMs) || !parseInteger(tokens[6], h.channelCount) ||
        !parseInteger(tokens[7], h.extra))
        return std::nullopt;
    if (h.channelCount < 1 || h.channelCount > kMaxChannels) return std::nullopt;
    if (h.sampleCount < 0 || h.sampleCount > kMaxBlockSamples) return std::nullopt;
    if (h.samplingMs < INT32_MIN || h.samplingMs > INT32_MAX) return std::nullopt;
    return h;
}

std::optional<std::int64_t> parseStartTime(std::string_view token)
{
    std::size_t i = 0;
    const int hours = twoDigits(token, i, 23);
    if (hours < 0 || i == token.size() || token[i++] != ':') return std::nullopt;
    const int minutes = twoDigits(token, i, 59);
    if (minutes < 0) return std::nullopt;
    int seconds = 0;
    int milli = 0;
    if (i < token.size()) {
        if (token[i++] != ':') return std::nullopt;
        seconds = twoDigits(token, i, 59);
        if (seconds < 0) return std::nullopt;
        if (i < token.size()) {
            if (token[i++] != '.' || i == token.size() || token.size() - i > 3) return std::nullopt;
            for (int scale = 100; i < token.size(); scale /= 10, ++i) {
                if (token[i] < '0' || token[i] > '9') return std::nullopt;
                milli += (token[i] - '0') * scale;
            }
        }
    }
    return ((hours * 60 + minutes) * 60 + seconds) * std::int64_t{1000} + milli;
}

namespace {

// The header line read from the start of the dump, and the bytes it takes with its CR.
struct DumpHead {
    DumpHeader header;
    std::int64_t bytes = 0;
};

std::optional<DumpHead> readHead(DumpReader& reader)
{
    const std::size_t available = reader.require(kHeaderBuffer);
    const char* head = reader.data();
    const char* cr = static_cast<const char*>(std::memchr(head, '\r', available));
    if (!cr) return std::nullopt;
    std::optional<DumpHeader> header = parseDumpHeader(std::string_view(head, static_cast<std::size_t>(cr - head)));
    if (!header) return std::nullopt;
    const auto bytes = static_cast<std::size_t>(cr - head) + 1;
    reader.consume(bytes);
    return DumpHead{std::move(*header), static_cast<std::int64_t>(bytes)};
}

// Writes the line of every sample that is in the dump whole and holds only sample
// characters, up to the first one that does not; the foreign characters of all the
// announced samples are counted. result.completeSamples: the lines written.
void writeSamples(DumpReader& reader, const Settings& settings, const BlockLayout& layout, std::int64_t available,
                  MeasurementFileWriter& writer, ConversionResult& result)
{
    const SampleShape shape = sampleShape(layout.recordType, layout.triggerOn, layout.channelCount);
    const auto sampleSize = static_cast<std::size_t>(shape.characters());
    if (sampleSize == 0) {
        for (std::int64_t i = 0; i < result.sampleCount && !writer.failed(); ++i) writer.writeSampleLine(i, {});
        result.completeSamples = result.sampleCount;
        return;
    }
    const ChannelSettings* channels[kMaxChannels];
    bool named[kMaxChannels];
    for (int k = 0; k < kMaxChannels; ++k) {
        channels[k] = &settings.channel(k + 1);
        named[k] = !fieldText(channels[k]->name).empty();
    }
    SampleItems items;
    items.codesPresent = shape.codes;
    items.digitalPresent = shape.digitalPair;
    items.timeStampPresent = shape.timeStamp;
    const std::size_t tail = static_cast<std::size_t>(shape.codes) * 4;
    const std::int64_t whole = std::min(result.sampleCount, available / static_cast<std::int64_t>(sampleSize));
    bool clean = true;
    std::int64_t i = 0;
    for (; i < whole && !writer.failed(); ++i) {
        if (reader.require(sampleSize) < sampleSize) break;  // the dump shrank while it was read
        const char* d = reader.data();
        const std::int64_t foreign = countForeign(d, sampleSize);
        result.foreignCharacters += foreign;
        // A character that carries no nibble (a NUL, noise) may have shifted every
        // later character: nothing from it on is taken as a value.
        if (foreign > 0 && clean) {
            clean = false;
            result.completeSamples = i;
        }
        if (clean) {
            for (int k = 0; k < shape.codes; ++k) {
                // Unnamed channels are not written, but their codes are still consumed.
                if (named[k])
                    items.values[k] =
                        scaleForRecordType(*channels[k], layout.recordType, dumpcodec::decodeCode(d + 4 * k));
            }
            if (shape.digitalPair) {
                items.digital1 = static_cast<unsigned char>(d[tail]) - '0';
                items.digital2 = static_cast<unsigned char>(d[tail + 2]) - '0';
            }
            if (shape.timeStamp) items.timeStamp = dumpcodec::decodeTimeStamp(d + tail);
            writer.writeSampleLine(i, items);
        }
        reader.consume(sampleSize);
    }
    if (clean) result.completeSamples = i;
}

// The recorder may end a block with CR LF: that is no part of the samples and no fault.
void acceptTrailer(DumpReader& reader, ConversionResult& result)
{
    if (result.completeSamples != result.sampleCount || result.receivedBytes != result.expectedBytes + 2) return;
    if (reader.require(2) == 2 && std::memcmp(reader.data(), "\r\n", 2) == 0) result.trailerBytes = 2;
}

// The one conversion of a dump, wherever its bytes come from and its text goes.
ConversionResult convert(DumpReader& reader, std::int64_t dumpSize, const QString& dumpName, const Settings& settings,
                         Reporter& reporter, TextTarget& target)
{
    const auto statusFailure = [&](ConversionOutcome outcome, const QString& text) {
        reporter.setStatus(StatusPanel::Link, text);
        return fail(outcome, text);
    };
    const auto messageFailure = [&](ConversionOutcome outcome, const QString& text, ConversionResult result) {
        reporter.showMessage(text, errorCaption(), MessageIcon::Error);
        result.outcome = outcome;
        result.message = text;
        return result;
    };

    if (dumpSize == 0)
        return statusFailure(ConversionOutcome::InvalidDump, DumpConversion::tr("Pusty plik '%1'").arg(dumpName));
    const std::optional<DumpHead> head = readHead(reader);
    if (!head)
        return statusFailure(ConversionOutcome::InvalidDump,
                             DumpConversion::tr("Błędny nagłówek pliku '%1'").arg(dumpName));
    const DumpHeader& header = head->header;

    BlockLayout layout;
    layout.recordType = header.recordType();
    layout.triggerOn = (settings.status.triggerOn & 1) != 0;
    layout.channelCount = static_cast<int>(header.channelCount);
    layout.samplingMs = header.samplingMs;
    if (settings.firstColumn == 3) {
        const std::optional<std::int64_t> start = parseStartTime(header.time);
        if (!start)
            return messageFailure(
                ConversionOutcome::InvalidStartTime,
                DumpConversion::tr("Błędny czas pomiaru '%1' w pliku '%2'.\nPlik pomiarowy nie został zapisany.")
                    .arg(fromWin1250(header.time), dumpName),
                {});
        layout.startTimeMs = *start;
    }

    ConversionResult result;
    result.header = header;
    result.sampleCount = header.sampleCount;
    result.receivedBytes = dumpSize;
    const int sampleSize = sampleShape(layout.recordType, layout.triggerOn, layout.channelCount).characters();
    result.expectedBytes = head->bytes + header.sampleCount * sampleSize;

    QString error;
    QIODevice* out = target.open(error);
    if (!out)
        return messageFailure(ConversionOutcome::CannotCreate, DumpConversion::tr("Błąd otwarcia pliku.."), result);
    MeasurementFileWriter writer(settings, layout, *out);
    writer.writeHeaderLine();
    writeSamples(reader, settings, layout, dumpSize - head->bytes, writer, result);
    acceptTrailer(reader, result);

    const QString fileName = fileNameFor(header);
    if (!writer.flush())
        return messageFailure(ConversionOutcome::WriteFailed, DumpConversion::tr("Błąd zapisu pliku %1").arg(fileName),
                              result);
    // Only a block that arrived whole and clean takes the regular name.
    result.outcome = ConversionOutcome::Written;
    const TextTarget::Commit commit = target.commit(fileName, result.clean(), result, error);
    if (commit != TextTarget::Commit::Done) {
        const ConversionOutcome outcome =
            commit == TextTarget::Commit::Refused ? ConversionOutcome::Refused : ConversionOutcome::WriteFailed;
        return messageFailure(outcome, DumpConversion::tr("Błąd zapisu pliku %1: %2").arg(fileName, error), result);
    }
    reporter.transferMessage(DumpConversion::tr("o długości %1 pomiarów zapisany \r\ndo pliku %2")
                                 .arg(result.completeSamples)
                                 .arg(QFileInfo(result.filePath).fileName()));
    if (!result.keptFile.isEmpty())
        reporter.transferMessage(
            DumpConversion::tr("Plik %1 nie jest plikiem tego bloku: pozostawiono go, blok zapisano obok")
                .arg(result.keptFile));
    for (const QString& line : conversionWarnings(result, dumpName)) reporter.transferMessage(line);
    return result;
}

// "NAME.txt" -> "NAME_2.txt" for n 2, ...
QString numberedName(const QString& fileName, int n)
{
    return n < 2 ? fileName : fileName.chopped(4) + QLatin1Char('_') + QString::number(n) + QStringLiteral(".txt");
}

// "NAME.txt" -> "NAME_niepelny.txt" (n 1), "NAME_niepelny_2.txt", ...
QString partialName(const QString& fileName, int n)
{
    QString name = fileName.chopped(4) + QStringLiteral("_niepelny");
    if (n > 1) name += QLatin1Char('_') + QString::number(n);
    return name + QStringLiteral(".txt");
}

// The text goes into a new file in the data directory, renamed to its name when
// complete: a failed write never leaves a truncated measurement file, and no write goes
// through a symbolic link at the name.
class FileTarget : public TextTarget {
public:
    FileTarget(QString directory, const ConversionOptions& options) : dir_(std::move(directory)), options_(options) {}
    QIODevice* open(QString& error) override { return file_.open(dir_.path(), error) ? &file_.device() : nullptr; }
    Commit commit(const QString& fileName, bool whole, ConversionResult& result, QString& error) override
    {
        if (whole) {
            result.filePath = dir_.absoluteFilePath(fileName);
            if (!options_.mayReplace || options_.mayReplace(fileName, *result.header))
                return place(file_.commit(result.filePath, NewFile::Placement::Replace, error));
            // Another file stands under the block's name: it stays, the block goes beside.
            result.keptFile = fileName;
            return placeBeside(
                fileName, [&](int n) { return numberedName(fileName, n); }, result, error);
        }
        // A block that did not arrive whole never replaces a file.
        return placeBeside(
            fileName, [&](int n) { return partialName(fileName, n); }, result, error);
    }

private:
    template <typename Name>
    Commit placeBeside(const QString& fileName, Name name, ConversionResult& result, QString& error)
    {
        for (int n = 1; n <= kMaxBesideNumber; ++n) {
            const QString candidate = name(n);
            if (candidate == fileName) continue;
            result.filePath = dir_.absoluteFilePath(candidate);
            const NewFile::Commit c = file_.commit(result.filePath, NewFile::Placement::NoReplace, error);
            if (c != NewFile::Commit::Exists) return place(c);
        }
        error = DumpConversion::tr("brak wolnej nazwy");
        return Commit::Failed;
    }

    static Commit place(NewFile::Commit c)
    {
        switch (c) {
        case NewFile::Commit::Done:
            return Commit::Done;
        case NewFile::Commit::Refused:
        case NewFile::Commit::Exists:
            return Commit::Refused;
        case NewFile::Commit::Failed:
            break;
        }
        return Commit::Failed;
    }
    static constexpr int kMaxBesideNumber = 9999;
    QDir dir_;
    const ConversionOptions& options_;
    NewFile file_;
};

class MemoryTarget : public TextTarget {
public:
    explicit MemoryTarget(std::string& text) : text_(text) {}
    QIODevice* open(QString&) override
    {
        buffer_.setBuffer(&bytes_);
        return buffer_.open(QIODevice::WriteOnly) ? &buffer_ : nullptr;
    }
    Commit commit(const QString& fileName, bool whole, ConversionResult& result, QString&) override
    {
        result.filePath = whole ? fileName : partialName(fileName, 1);
        text_.assign(bytes_.constData(), static_cast<std::size_t>(bytes_.size()));
        return Commit::Done;
    }

private:
    std::string& text_;
    QByteArray bytes_;
    QBuffer buffer_;
};

}  // namespace

QStringList conversionWarnings(const ConversionResult& result, const QString& dumpName)
{
    QStringList lines;
    if (!result.ok()) return lines;
    if (result.completeSamples < result.sampleCount)
        lines << DumpConversion::tr("Blok niepełny: plik '%1' zawiera %2 z %3 pomiarów")
                     .arg(dumpName)
                     .arg(result.completeSamples)
                     .arg(result.sampleCount);
    if (result.receivedBytes != result.expectedBytes + result.trailerBytes)
        lines << DumpConversion::tr("Długość bloku niezgodna z nagłówkiem: odebrano %1 znaków, oczekiwano %2")
                     .arg(result.receivedBytes)
                     .arg(result.expectedBytes);
    if (result.foreignCharacters > 0)
        lines << DumpConversion::tr("%1 znaków spoza zakresu danych").arg(result.foreignCharacters);
    return lines;
}

ConversionResult convertDump(const QString& dumpPath, const Settings& settings, Reporter& reporter,
                             const ConversionOptions& options)
{
    const QString dumpName = QFileInfo(dumpPath).fileName();
    QFile dump(dumpPath);
    if (!dump.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        const QString text = DumpConversion::tr("Plik nie istnieje '%1'").arg(dumpName);
        reporter.setStatus(StatusPanel::Link, text);
        return fail(ConversionOutcome::DumpMissing, text);
    }
    // Files never go elsewhere than the data directory: a missing one is said, not
    // replaced by whatever directory is current.
    const QString directory = dataDirectoryPath(settings);
    if (!QFileInfo(directory).isDir()) {
        const QString text = missingDataDirectoryText(directory);
        reporter.showMessage(text, errorCaption(), MessageIcon::Error);
        return fail(ConversionOutcome::NoDataDirectory, text);
    }
    DumpReader reader(dump);
    FileTarget target(directory, options);
    return convert(reader, dump.size(), dumpName, settings, reporter, target);
}

ConversionResult convertDumpInMemory(std::string_view dump, const Settings& settings, Reporter& reporter,
                                     std::string& fileText)
{
    fileText.clear();
    DumpReader reader(dump);
    MemoryTarget target(fileText);
    return convert(reader, static_cast<std::int64_t>(dump.size()), QString::fromLatin1(kDumpFileName), settings,
                   reporter, target);
}

}  // namespace vorda
