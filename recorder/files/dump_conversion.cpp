#include "files/dump_conversion.h"
#include "core/message_captions.h"

#include "core/channel_scaling.h"
#include "core/reporter.h"
#include "core/settings_record.h"
#include "core/text_codec.h"
#include "files/measurement_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <optional>

namespace vorda {

namespace {

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

// Where the measurement text goes once the header has named the file.
class TextTarget {
public:
    virtual ~TextTarget() = default;
    // The device for the file called fileName, or for one beside it when a short block
    // would replace an existing file (its full path into result.filePath); nullptr when
    // it cannot be created.
    virtual QIODevice* open(const QString& fileName, bool shortBlock, ConversionResult& result) = 0;
    // Makes the written text final; false when it could not be.
    virtual bool commit() = 0;
};

// Characters that carry no nibble: anything but '0'..'?'.
std::int64_t countForeign(const char* d, std::size_t n)
{
    std::int64_t count = 0;
    for (std::size_t i = 0; i < n; ++i) count += static_cast<unsigned char>(d[i] - '0') > 0xF;
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

QDir outputDirectory(const Settings& settings)
{
    const QString dir = fromWin1250(fieldText(settings.dataDirectory));
    if (!dir.isEmpty() && QFileInfo(dir).isDir()) return QDir(dir);
    return QDir::current();
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

// The one conversion of a dump, wherever its bytes come from and its text goes.
ConversionResult convert(DumpReader& reader, std::int64_t dumpSize, const QString& dumpName, const Settings& settings,
                         Reporter& reporter, TextTarget& target)
{
    const auto statusFailure = [&](ConversionOutcome outcome, const QString& text) {
        reporter.setStatus(StatusPanel::Link, text);
        return fail(outcome, text);
    };

    const std::size_t headAvailable = reader.require(kHeaderBuffer);
    if (headAvailable == 0)
        return statusFailure(ConversionOutcome::InvalidDump, QStringLiteral("Pusty plik '%1'").arg(dumpName));
    const char* head = reader.data();
    const char* cr = static_cast<const char*>(std::memchr(head, '\r', headAvailable));
    const std::optional<DumpHeader> header =
        cr ? parseDumpHeader(std::string_view(head, static_cast<std::size_t>(cr - head))) : std::nullopt;
    if (!header)
        return statusFailure(ConversionOutcome::InvalidDump,
                             QStringLiteral("Błędny nagłówek pliku '%1'").arg(dumpName));
    reader.consume(static_cast<std::size_t>(cr - head) + 1);

    BlockLayout layout;
    layout.recordType = header->recordType();
    layout.triggerOn = (settings.status.triggerOn & 1) != 0;
    layout.channelCount = static_cast<int>(header->channelCount);
    layout.samplingMs = header->samplingMs;
    if (settings.firstColumn == 3) {
        const std::optional<std::int64_t> start = parseStartTime(header->time);
        if (!start) {
            const QString text =
                QStringLiteral("Błędny czas pomiaru '%1' w pliku '%2'.\nPlik pomiarowy nie został zapisany.")
                    .arg(fromWin1250(header->time), dumpName);
            reporter.showMessage(text, QString::fromUtf8(kErrorCaption), MessageIcon::Error);
            return fail(ConversionOutcome::InvalidStartTime, text);
        }
        layout.startTimeMs = *start;
    }

    const SampleShape shape = sampleShape(layout.recordType, layout.triggerOn, layout.channelCount);
    const auto sampleSize = static_cast<std::size_t>(shape.characters());
    const auto headerBytes = static_cast<std::int64_t>(cr - head) + 1;

    ConversionResult result;
    const QString fileName = fileNameFor(*header);
    result.sampleCount = header->sampleCount;
    result.receivedBytes = dumpSize;
    result.expectedBytes = headerBytes + header->sampleCount * static_cast<std::int64_t>(sampleSize);
    // Only whole samples are written: a line of a sample cut short would stand for
    // values that never arrived.
    result.completeSamples = sampleSize == 0
                                 ? header->sampleCount
                                 : std::min(header->sampleCount, std::max<std::int64_t>(0, dumpSize - headerBytes) /
                                                                     static_cast<std::int64_t>(sampleSize));

    QIODevice* out = target.open(fileName, result.completeSamples < result.sampleCount, result);
    if (!out) {
        const QString text = QStringLiteral("Błąd otwarcia pliku..");
        reporter.showMessage(text, QString::fromUtf8(kErrorCaption), MessageIcon::Error);
        result.outcome = ConversionOutcome::CannotCreate;
        result.message = text;
        return result;
    }
    const QString writtenName = QFileInfo(result.filePath).fileName();
    reporter.transferMessage(
        QStringLiteral("o długości %1 pomiarów zapisany \r\ndo pliku %2").arg(result.completeSamples).arg(writtenName));

    MeasurementFileWriter writer(settings, layout, *out);
    writer.writeHeaderLine();

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
    for (std::int64_t i = 0; i < result.completeSamples && !writer.failed(); ++i) {
        if (reader.require(sampleSize) < sampleSize) {
            result.completeSamples = i;  // the dump shrank while it was read
            break;
        }
        const char* d = reader.data();
        result.foreignCharacters += countForeign(d, sampleSize);
        for (int k = 0; k < shape.codes; ++k) {
            // Unnamed channels are not written, but their codes are still consumed.
            if (!named[k]) continue;
            const std::uint16_t code = decodeDumpCode(d + 4 * k);
            items.values[k] = scaleForRecordType(*channels[k], layout.recordType, code);
        }
        if (shape.digitalPair) {
            items.digital1 = static_cast<unsigned char>(d[tail]) - '0';
            items.digital2 = static_cast<unsigned char>(d[tail + 2]) - '0';
        }
        if (shape.timeStamp) items.timeStamp = decodeDumpTimeStamp(d + tail);
        reader.consume(sampleSize);
        writer.writeSampleLine(i, items);
    }
    // What follows the whole samples (a cut sample, bytes after the block) is not read:
    // the length comparison reports it.

    if (!writer.flush() || !target.commit()) {
        const QString text = QStringLiteral("Błąd zapisu pliku %1").arg(writtenName);
        reporter.showMessage(text, QString::fromUtf8(kErrorCaption), MessageIcon::Error);
        result.outcome = ConversionOutcome::WriteFailed;
        result.message = text;
        return result;
    }
    result.outcome = ConversionOutcome::Written;
    for (const QString& line : conversionWarnings(result, dumpName)) reporter.transferMessage(line);
    return result;
}

// The file beside the target is renamed over it at the end, so a failed write never
// leaves a truncated measurement file behind.
class FileTarget : public TextTarget {
public:
    explicit FileTarget(const Settings& settings) : settings_(settings) {}
    QIODevice* open(const QString& fileName, bool shortBlock, ConversionResult& result) override
    {
        const QDir dir = outputDirectory(settings_);
        result.filePath = dir.absoluteFilePath(fileName);
        if (shortBlock && QFileInfo::exists(result.filePath)) {
            // A short block never replaces a file: "NAME_niepelny.txt", then "..._2.txt".
            const QString base = fileName.chopped(4) + QStringLiteral("_niepelny");
            result.filePath = dir.absoluteFilePath(base + QStringLiteral(".txt"));
            for (int n = 2; QFileInfo::exists(result.filePath); ++n) {
                if (n > kMaxBesideNumber) return nullptr;
                result.filePath = dir.absoluteFilePath(base + QLatin1Char('_') + QString::number(n) + ".txt");
            }
        }
        file_.emplace(result.filePath);
        return file_->open(QIODevice::WriteOnly) ? &*file_ : nullptr;
    }
    bool commit() override { return file_->commit(); }

private:
    static constexpr int kMaxBesideNumber = 9999;
    const Settings& settings_;
    std::optional<QSaveFile> file_;
};

class MemoryTarget : public TextTarget {
public:
    explicit MemoryTarget(std::string& text) : text_(text) {}
    QIODevice* open(const QString& fileName, bool, ConversionResult& result) override
    {
        result.filePath = fileName;
        buffer_.setBuffer(&bytes_);
        return buffer_.open(QIODevice::WriteOnly) ? &buffer_ : nullptr;
    }
    bool commit() override
    {
        text_.assign(bytes_.constData(), static_cast<std::size_t>(bytes_.size()));
        return true;
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
        lines << QStringLiteral("Blok niepełny: plik '%1' zawiera %2 z %3 pomiarów")
                     .arg(dumpName)
                     .arg(result.completeSamples)
                     .arg(result.sampleCount);
    if (result.receivedBytes != result.expectedBytes)
        lines << QStringLiteral("Długość bloku niezgodna z nagłówkiem: odebrano %1 znaków, oczekiwano %2")
                     .arg(result.receivedBytes)
                     .arg(result.expectedBytes);
    if (result.foreignCharacters > 0)
        lines << QStringLiteral("%1 znaków spoza zakresu danych").arg(result.foreignCharacters);
    return lines;
}

ConversionResult convertDump(const QString& dumpPath, const Settings& settings, Reporter& reporter)
{
    const QString dumpName = QFileInfo(dumpPath).fileName();
    QFile dump(dumpPath);
    if (!dump.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        const QString text = QStringLiteral("Plik nie istnieje '%1'").arg(dumpName);
        reporter.setStatus(StatusPanel::Link, text);
        return fail(ConversionOutcome::DumpMissing, text);
    }
    DumpReader reader(dump);
    FileTarget target(settings);
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
