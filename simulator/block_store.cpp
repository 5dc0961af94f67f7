#include "block_store.h"

#include "dump_codec.h"
#include "recorder_clock.h"

#include <QDateTime>

#include <algorithm>
#include <cstdio>

namespace recsim {

namespace {

int secondsOfDay(const std::string& time)
{
    int h = 0, m = 0, s = 0;
    if (std::sscanf(time.c_str(), "%d:%d:%d", &h, &m, &s) != 3) return 0;
    return h * 3600 + m * 60 + s;
}

}  // namespace

std::uint16_t generatedValue(int number, int sample, int slot)
{
    // A triangle wave per channel, each channel on its own level and phase, so that
    // every nibble value (':' to '?' included) turns up in a long enough block.
    const int phase = (sample + slot * 37 + number * 11) % 400;
    const int triangle = phase < 200 ? phase : 400 - phase;
    const int level = 4000 + slot * 3900 + number * 97;
    return static_cast<std::uint16_t>((level + triangle * 25) & 0xFFFF);
}

std::uint16_t slotValue(const Block& block, int number, int sample, int slot)
{
    if (block.values.empty()) {
        return generatedValue(number, sample, slot);
    }
    const std::size_t index = static_cast<std::size_t>(sample) * block.channelCount + slot;
    return block.values[index % block.values.size()];
}

std::uint32_t timeStampUnits(const Block& block, int sample)
{
    constexpr std::uint64_t unitsPerDay = 24ull * 3600 * 1000 / 2;
    const std::uint64_t ms = static_cast<std::uint64_t>(secondsOfDay(block.time)) * 1000 +
                             static_cast<std::uint64_t>(sample) * block.samplingMs;
    return static_cast<std::uint32_t>((ms / 2) % unitsPerDay);
}

void appendDigitalPair(std::string& out, bool input1, bool input2)
{
    out.push_back(input1 ? '1' : '0');
    out.push_back('0');
    out.push_back(input2 ? '1' : '0');
    out.push_back('0');
}

long long blockSize(const Block& block)
{
    return static_cast<long long>(block.sampleCount) * block.channelCount;
}

std::string blockDump(const Block& block, int number, char modelDigit)
{
    DumpStream stream(block, number, modelDigit);
    std::string out;
    const std::size_t perSample = static_cast<std::size_t>(std::max(0, block.channelCount)) * 4 + 8;
    out.reserve(64 + perSample * static_cast<std::size_t>(std::max(0, block.sampleCount)));
    while (!stream.done()) stream.appendNext(out, 1 << 16);
    return out;
}

DumpStream::DumpStream(Block block, int number, char modelDigit, long nulAt, long cutAt, std::string trailer)
    : block_(std::move(block)), number_(number), model_(modelDigit), nulAt_(nulAt), cutAt_(cutAt),
      trailer_(std::move(trailer)), nulPending_(nulAt >= 0)
{
    char header[160];
    std::snprintf(header, sizeof header, "R%c %s %s %d %d %d %d %d\r", model_, block_.date.c_str(), block_.time.c_str(),
                  number_, block_.sampleCount, block_.samplingMs, block_.channelCount, block_.optionWord);
    header_ = header;
    // A model the recorder does not know sends the header alone.
    if (model_ < '1' || model_ > '5') nextSample_ = std::max(0, block_.sampleCount);
}

bool DumpStream::done() const
{
    if (cutAt_ >= 0 && sent_ >= cutAt_) return true;
    return headerSent_ && nextSample_ >= block_.sampleCount && !nulPending_ && trailer_.empty();
}

void DumpStream::appendSample(std::string& out, int sample) const
{
    const bool digitalLast = model_ == '1';
    const bool stamped = model_ == '5' && (block_.optionWord & 1);
    const int codesPerSample = digitalLast ? block_.channelCount - 1 : block_.channelCount;
    for (int k = 0; k < codesPerSample; ++k) dumpcodec::appendCode(out, slotValue(block_, number_, sample, k));
    if (digitalLast) {
        const std::uint16_t inputs = slotValue(block_, number_, sample, block_.channelCount - 1);
        appendDigitalPair(out, inputs & 1, inputs & 2);
    }
    if (stamped) dumpcodec::appendTimeStamp(out, timeStampUnits(block_, sample));
}

void DumpStream::appendNext(std::string& out, std::size_t bytes)
{
    if (done()) return;
    std::string piece;
    if (!headerSent_) {
        piece = header_;
        headerSent_ = true;
    }
    while (piece.size() < bytes && nextSample_ < block_.sampleCount) appendSample(piece, nextSample_++);
    if (nextSample_ >= block_.sampleCount) {
        piece += trailer_;
        trailer_.clear();
    }
    const long long rawEnd = rawSent_ + static_cast<long long>(piece.size());
    // The NUL goes in once, also when it falls just after the last byte.
    if (nulPending_ && nulAt_ <= rawEnd) {
        piece.insert(static_cast<std::size_t>(nulAt_ - rawSent_), 1, '\0');
        nulPending_ = false;
    } else if (nulPending_ && nextSample_ >= block_.sampleCount) {
        nulPending_ = false;  // beyond the end: no NUL
    }
    rawSent_ = rawEnd;
    if (cutAt_ >= 0 && sent_ + static_cast<long long>(piece.size()) > cutAt_)
        piece.resize(static_cast<std::size_t>(std::max(0LL, cutAt_ - sent_)));
    sent_ += static_cast<long long>(piece.size());
    out += piece;
}

std::vector<Block> generateBlocks(int count, int samples, int channels, int periodMs, int optionWord)
{
    const QDateTime base(QDate(2024, 3, 15), QTime(8, 0, 0));
    std::vector<Block> blocks;
    blocks.reserve(count > 0 ? count : 0);
    for (int i = 0; i < count; ++i) {
        const QDateTime start = base.addSecs(static_cast<qint64>(i) * 3661);
        Block b;
        b.date = clockDateText(start);
        b.time = clockTimeText(start);
        b.sampleCount = samples;
        b.samplingMs = periodMs;
        b.channelCount = channels;
        b.optionWord = optionWord;
        blocks.push_back(std::move(b));
    }
    return blocks;
}

}  // namespace recsim
