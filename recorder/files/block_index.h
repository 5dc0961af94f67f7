#pragma once
// What of the recorder's memory is already home in the data directory. Each read records
// the blocks it brought home whole in a small index there ("vorda_bloki.idx", one line a
// block: its identity, its file's name, size and checksum as written). A block is home
// when the index lists its identity and that file still has that size and checksum, or,
// for a file the index does not know (written before the index, copied in), when the
// file under the block's name holds as many data lines as the block has samples.

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorda {

struct RecorderStatus;

inline constexpr char kBlockIndexFileName[] = "vorda_bloki.idx";

// What the register reply of a block says of it. Channel names and constants are not
// part of it: renaming a channel changes nothing.
struct BlockIdentity {
    std::string date;
    std::string time;
    std::int64_t sampleCount = 0;
    std::int64_t samplingMs = 0;
    std::int64_t channelCount = 0;
    std::int64_t option = 0;

    bool operator==(const BlockIdentity&) const = default;
    // The block's measurement file name, "<date>_<time>.txt" as the conversion forms it.
    QString fileName() const;
};

BlockIdentity identityOf(const RecorderStatus& status);
// The same from a dump's header line (its last number is the option word).
BlockIdentity identityOf(const struct DumpHeader& header);

// A file's size and checksum.
struct FileStamp {
    std::int64_t size = -1;
    std::uint64_t checksum = 0;
    bool operator==(const FileStamp&) const = default;
};
// nullopt when the file cannot be read.
std::optional<FileStamp> stampOf(const QString& path);

// The sample lines of a measurement file: its lines ended by CR LF but the column header
// line; -1 when the file cannot be read or does not end with CR LF.
std::int64_t dataLineCount(const QString& path);

class BlockIndex {
public:
    struct Entry {
        BlockIdentity identity;
        QString fileName;
        FileStamp stamp;
    };

    // The index of `dataDirectory`; damaged lines are left out (their blocks are new).
    static BlockIndex load(const QString& dataDirectory);
    // Writes the index whole; false (and why) when it could not be.
    bool save(QString& error) const;

    // The file that holds the block when it is home, else nullopt. An unindexed file
    // under the block's name that passes the line count is adopted into the index.
    std::optional<QString> homeFile(const BlockIdentity& identity);
    // True when `fileName` may be replaced by the block: nothing stands there, or it is
    // that block's file as recorded.
    bool mayReplace(const BlockIdentity& identity, const QString& fileName) const;
    // Records the block's file as just written.
    void record(const BlockIdentity& identity, const QString& fileName);

    const std::vector<Entry>& entries() const { return entries_; }
    const QString& directory() const { return directory_; }

private:
    Entry* find(const BlockIdentity& identity);
    const Entry* find(const BlockIdentity& identity) const;
    const Entry* findFile(const QString& fileName) const;

    QString directory_;
    std::vector<Entry> entries_;
};

}  // namespace vorda
