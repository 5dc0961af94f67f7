#include "files/block_index.h"

#include "core/safe_file.h"
#include "core/settings_record.h"
#include "core/text_codec.h"
#include "files/dump_conversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>

namespace vorda {

namespace {

constexpr qint64 kReadChunk = 1 << 20;

bool parseNumber(std::string_view text, std::int64_t& value)
{
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && ptr == text.data() + text.size() && !text.empty();
}

std::vector<std::string_view> split(std::string_view line, char separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = line.find(separator, start);
        parts.push_back(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// An identity token holds no blank and no tab, so the line splits back.
bool isToken(const std::string& text)
{
    return !text.empty() && text.find_first_of(" \t\r\n") == std::string::npos;
}

std::optional<BlockIndex::Entry> parseEntry(std::string_view line)
{
    const std::vector<std::string_view> fields = split(line, '\t');
    if (fields.size() != 4) return std::nullopt;
    const std::vector<std::string_view> id = split(fields[0], ' ');
    BlockIndex::Entry e;
    if (id.size() != 6 || !parseNumber(id[2], e.identity.sampleCount) || !parseNumber(id[3], e.identity.samplingMs) ||
        !parseNumber(id[4], e.identity.channelCount) || !parseNumber(id[5], e.identity.option) ||
        !parseNumber(fields[2], e.stamp.size) || fields[3].size() != 16)
        return std::nullopt;
    const auto [ptr, ec] = std::from_chars(fields[3].data(), fields[3].data() + 16, e.stamp.checksum, 16);
    if (ec != std::errc() || ptr != fields[3].data() + 16) return std::nullopt;
    e.identity.date = id[0];
    e.identity.time = id[1];
    e.fileName = QString::fromUtf8(fields[1].data(), static_cast<qsizetype>(fields[1].size()));
    // A name that leads out of the directory is no entry of it.
    if (!isToken(e.identity.date) || !isToken(e.identity.time) || e.fileName.isEmpty() ||
        e.fileName.contains(QLatin1Char('/')) || e.fileName.startsWith(QLatin1Char('.')))
        return std::nullopt;
    return e;
}

// Feeds a file through `take` in large chunks; false when it cannot be read.
template <typename Take>
bool readChunks(const QString& path, Take take)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return false;
    std::unique_ptr<char[]> buffer(new char[kReadChunk]);
    for (;;) {
        const qint64 got = file.read(buffer.get(), kReadChunk);
        if (got < 0) return false;
        if (got == 0) return true;
        take(buffer.get(), static_cast<std::size_t>(got));
    }
}

}  // namespace

QString BlockIdentity::fileName() const
{
    std::string name = date + '_' + time + ".txt";
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '-' || c == ':' || c == '/' || c == '\\'; }, '_');
    return fromWin1250(name);
}

BlockIdentity identityOf(const RecorderStatus& status)
{
    BlockIdentity id;
    id.date = std::string(status.date, strnlen(status.date, sizeof status.date));
    id.time = std::string(status.time, strnlen(status.time, sizeof status.time));
    id.sampleCount = status.sampleCount;
    id.samplingMs = status.samplingMs;
    id.channelCount = status.channelCount;
    id.option = status.triggerOn;
    return id;
}

BlockIdentity identityOf(const DumpHeader& header)
{
    return {header.date,        header.time,         header.sampleCount,
            header.samplingMs,  header.channelCount, header.extra};
}

std::optional<FileStamp> stampOf(const QString& path)
{
    // FNV-1a over 8-byte words, then the tail byte by byte: fast enough for the largest
    // block's file (over 100 MB) in a fraction of a second.
    constexpr std::uint64_t kPrime = 0x100000001b3ull;
    FileStamp stamp;
    stamp.size = 0;
    stamp.checksum = 0xcbf29ce484222325ull;
    const bool read = readChunks(path, [&](const char* data, std::size_t n) {
        stamp.size += static_cast<std::int64_t>(n);
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            std::uint64_t word;
            std::memcpy(&word, data + i, 8);
            stamp.checksum = (stamp.checksum ^ word) * kPrime;
        }
        for (; i < n; ++i) stamp.checksum = (stamp.checksum ^ static_cast<unsigned char>(data[i])) * kPrime;
    });
    if (!read) return std::nullopt;
    return stamp;
}

std::int64_t dataLineCount(const QString& path)
{
    std::int64_t lines = 0;
    char last[2] = {0, 0};
    bool brokenLine = false;
    const bool read = readChunks(path, [&](const char* data, std::size_t n) {
        for (const char* p = data; (p = static_cast<const char*>(std::memchr(p, '\n', data + n - p))); ++p) {
            const char before = p > data ? p[-1] : last[1];
            if (before != '\r') brokenLine = true;
            ++lines;
        }
        last[0] = n > 1 ? data[n - 2] : last[1];
        last[1] = data[n - 1];
    });
    if (!read || brokenLine || last[0] != '\r' || last[1] != '\n') return -1;
    return lines - 1;
}

BlockIndex BlockIndex::load(const QString& dataDirectory)
{
    BlockIndex index;
    index.directory_ = dataDirectory;
    QFile file(QDir(dataDirectory).filePath(QString::fromLatin1(kBlockIndexFileName)));
    if (!file.open(QIODevice::ReadOnly)) return index;
    const QByteArray text = file.readAll();
    for (const QByteArray& line : text.split('\n')) {
        const std::optional<Entry> entry = parseEntry(std::string_view(line.constData(), line.size()));
        if (entry && !index.find(entry->identity)) index.entries_.push_back(*entry);
    }
    return index;
}

bool BlockIndex::save(QString& error) const
{
    QByteArray text;
    for (const Entry& e : entries_) {
        char checksum[17];
        std::snprintf(checksum, sizeof checksum, "%016llx", static_cast<unsigned long long>(e.stamp.checksum));
        const BlockIdentity& id = e.identity;
        text += QByteArray::fromStdString(id.date + ' ' + id.time + ' ' + std::to_string(id.sampleCount) + ' ' +
                                          std::to_string(id.samplingMs) + ' ' + std::to_string(id.channelCount) + ' ' +
                                          std::to_string(id.option));
        text += '\t' + e.fileName.toUtf8() + '\t' + QByteArray::number(e.stamp.size) + '\t' + checksum + '\n';
    }
    return writeFileWhole(QDir(directory_).filePath(QString::fromLatin1(kBlockIndexFileName)), text, &error);
}

BlockIndex::Entry* BlockIndex::find(const BlockIdentity& identity)
{
    const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.identity == identity; });
    return it == entries_.end() ? nullptr : &*it;
}

const BlockIndex::Entry* BlockIndex::find(const BlockIdentity& identity) const
{
    return const_cast<BlockIndex*>(this)->find(identity);
}

const BlockIndex::Entry* BlockIndex::findFile(const QString& fileName) const
{
    const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.fileName == fileName; });
    return it == entries_.end() ? nullptr : &*it;
}

std::optional<QString> BlockIndex::homeFile(const BlockIdentity& identity)
{
    const QDir dir(directory_);
    if (const Entry* e = find(identity)) {
        const QString path = dir.filePath(e->fileName);
        // The size first: most changed files give themselves away without a read.
        if (QFileInfo(path).size() != e->stamp.size || !QFileInfo(path).isFile()) return std::nullopt;
        if (stampOf(path) != std::optional<FileStamp>(e->stamp)) return std::nullopt;
        return e->fileName;
    }
    const QString name = identity.fileName();
    if (findFile(name)) return std::nullopt;  // another block's file
    const QString path = dir.filePath(name);
    if (!QFileInfo(path).isFile() || dataLineCount(path) != identity.sampleCount) return std::nullopt;
    record(identity, name);
    return name;
}

bool BlockIndex::mayReplace(const BlockIdentity& identity, const QString& fileName) const
{
    const QString path = QDir(directory_).filePath(fileName);
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) return true;
    const Entry* e = find(identity);
    return e && e->fileName == fileName && stampOf(path) == std::optional<FileStamp>(e->stamp);
}

void BlockIndex::record(const BlockIdentity& identity, const QString& fileName)
{
    const std::optional<FileStamp> stamp = stampOf(QDir(directory_).filePath(fileName));
    if (!stamp) return;
    // A file belongs to one block: an entry of another block that named it is stale.
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [&](const Entry& e) { return e.fileName == fileName || e.identity == identity; }),
                   entries_.end());
    entries_.push_back({identity, fileName, *stamp});
}

}  // namespace vorda
