#pragma once
// The loader's block reader: the bytes of a file (or of a buffer) read in large blocks and
// handed on as runs of whole lines, each line cut to kMaxLineLength characters. Internal
// to the loader.

#include "byte_source.h"
#include "line_parser.h"
#include "portable_bits.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <thread>

namespace wizor {

// An unfinished line kept from one block for the next: one character more than a line may
// hold, so that a carriage return after a full line still fits.
inline constexpr std::size_t kCarryLimit = kMaxLineLength + 1;

// Hands one line to onLine(text, offset): a carriage return before the line feed removed
// (as in a text-mode read), cut to kMaxLineLength characters (counted in `cut`). Lines lie
// in a reading buffer, with kLinePadding bytes of it after them.
template <typename OnLine>
bool deliverLine(const char* text, std::size_t length, std::uint64_t offset, std::size_t& cut, OnLine& onLine)
{
    std::string_view line(text, length);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > std::size_t(kMaxLineLength)) {
        ++cut;
        line = line.substr(0, kMaxLineLength);
    }
    return onLine(line, offset);
}

// Every line of [begin, end), where each line ends with a line feed; `offset` is where
// `begin` lies in the file. False when onLine asked to stop.
template <typename OnLine>
bool forEachLine(const char* begin, const char* end, std::uint64_t offset, std::size_t& cut, OnLine& onLine)
{
    for (const char* p = begin; p < end;) {
        const char* newline = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
        if (!deliverLine(p, std::size_t(newline - p), offset + std::uint64_t(p - begin), cut, onLine)) return false;
        p = newline + 1;
    }
    return true;
}

// The blocks of a source in one or two buffers. Each buffer has room before its block for
// the unfinished line of the block before, and after it for the parser's reads past a
// line's end.
class BlockBuffers {
public:
    BlockBuffers(ByteSource& source, std::uint64_t start, std::size_t blockSize, bool two)
        : source_(source), position_(start), blockSize_(blockSize), bufferSize_(kCarryLimit + blockSize + kLinePadding),
          memory_(new char[two ? 2 * bufferSize_ : bufferSize_]), two_(two)
    {
    }

    char* block(int buffer) const noexcept { return memory_.get() + (two_ ? buffer * bufferSize_ : 0) + kCarryLimit; }
    int other(int buffer) const noexcept { return two_ ? 1 - buffer : buffer; }

    // Reads the next block into `buffer`; returns its size, 0 at the end.
    std::size_t read(int buffer)
    {
        char* into = block(buffer);
        const std::size_t got = source_.readAt(into, blockSize_, position_);
        position_ += got;
        std::memset(into + got, 0, kLinePadding);
        return got;
    }

    // The first block: nothing can be parsed before it is in, so with two buffers of a
    // large block from a file, two threads read half of it each.
    std::size_t readFirst(int buffer)
    {
        constexpr std::size_t kSharedRead = std::size_t(1) << 20;
        if (!two_ || blockSize_ < kSharedRead || !source_.isFile()) return read(buffer);
        char* into = block(buffer);
        const std::size_t half = blockSize_ / 2;
        std::size_t second = 0;
        std::thread other([&] { second = source_.readAt(into + half, half, position_ + half); });
        const std::size_t first = source_.readAt(into, half, position_);
        other.join();
        const std::size_t got = first < half ? first : first + second;
        position_ += got;
        std::memset(into + got, 0, kLinePadding);
        return got;
    }

private:
    ByteSource& source_;
    std::uint64_t position_;
    std::size_t blockSize_;
    std::size_t bufferSize_;
    std::unique_ptr<char[]> memory_;
    bool two_;
};

// Reads `source` from byte `start` in blocks of `blockSize` and hands every run of whole
// lines in a block to onRegion(begin, end, offset, readNext); a line that does not fit a
// block is cut and handed to onLine(text, offset), as is a last line without a line feed.
// Stops when either returns false. With `readEarly` the blocks take turns in two buffers,
// and onRegion may call readNext() to read the next block while it waits for another core;
// otherwise the next block is read after the region.
template <typename OnRegion, typename OnLine>
void readLines(ByteSource& source, std::uint64_t start, std::size_t blockSize, std::size_t& cut, OnRegion&& onRegion,
               OnLine&& onLine, bool readEarly = false)
{
    BlockBuffers buffers(source, start, blockSize, readEarly);
    int current = 0;
    std::size_t next = buffers.readFirst(current);
    std::size_t carried = 0;  // bytes of an unfinished line before the block
    std::uint64_t base = start;
    bool skipping = false;  // the rest of a cut line, up to its line feed
    while (const std::size_t got = next) {
        char* const block = buffers.block(current);
        const int following = buffers.other(current);
        bool mayRead = readEarly;  // with one buffer, only once the block is handled
        bool read = false;
        const auto readNext = [&] {
            if (!mayRead || read) return;
            next = buffers.read(following);
            read = true;
        };
        const auto advance = [&] {
            mayRead = true;
            readNext();
            current = following;
        };

        char* const buf = block - carried;
        const char* const end = block + got;
        const char* p = buf;
        const char* scan = block;
        if (skipping) {
            const char* newline = static_cast<const char*>(std::memchr(scan, '\n', std::size_t(end - scan)));
            if (!newline) {
                base += std::uint64_t(end - buf);
                carried = 0;
                advance();
                continue;
            }
            skipping = false;
            p = scan = newline + 1;
        }
        if (const char* last = lastLineFeed(scan, end)) {
            if (!onRegion(p, last + 1, base + std::uint64_t(p - buf), readNext)) return;
            p = last + 1;
        }
        const std::size_t rest = std::size_t(end - p);
        if (rest > kCarryLimit) {
            // Too long to be kept whole: it is cut anyway, so it is parsed now.
            if (!deliverLine(p, rest, base + std::uint64_t(p - buf), cut, onLine)) return;
            skipping = true;
            base += std::uint64_t(end - buf);
            carried = 0;
        } else {
            // Just before the next block, which is read into the memory after it.
            std::memmove(buffers.block(following) - rest, p, rest);
            base += std::uint64_t(p - buf);
            carried = rest;
        }
        advance();
    }
    // The last line counts also without a line feed.
    if (!skipping && carried > 0) deliverLine(buffers.block(current) - carried, carried, base, cut, onLine);
}

// The same, every line to onLine.
template <typename OnLine>
void readLines(ByteSource& source, std::uint64_t start, std::size_t blockSize, std::size_t& cut, OnLine&& onLine)
{
    readLines(
        source, start, blockSize, cut,
        [&](const char* begin, const char* end, std::uint64_t offset, auto&&) {
            return forEachLine(begin, end, offset, cut, onLine);
        },
        onLine);
}

}  // namespace wizor
