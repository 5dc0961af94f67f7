// The pure pieces of the memory download: the transfer estimates, the bound on a
// block's size and the closing line of a read.

#include "link/memory_download.h"

#include "core/sample_layout.h"
#include "core/settings_record.h"

#include <QStringList>

#include <limits>

namespace vorda {

namespace {

constexpr std::uint32_t kDefaultBaudRate = 38400;
// Bits on the line per sample character of a code, with the reserve the estimate keeps.
constexpr std::uint64_t kEstimateBitsPerCode = 42;
constexpr std::int64_t kDownloadMargin = 64 * 1024;

}  // namespace

std::uint32_t effectiveBaudRate(std::uint32_t& baudRate)
{
    if (baudRate == 0) baudRate = kDefaultBaudRate;
    return baudRate;
}

std::uint32_t transferSeconds(std::int32_t channelCount, std::int32_t sampleCount, std::uint32_t baudRate)
{
    if (baudRate == 0) return 0;
    // The product is a 32-bit unsigned value and wraps, so a huge header gives the same
    // estimate in every build.
    const std::uint32_t bits = static_cast<std::uint32_t>(channelCount) * static_cast<std::uint32_t>(sampleCount) *
                               static_cast<std::uint32_t>(kEstimateBitsPerCode);
    return bits / baudRate;
}

namespace {
// Truncated to an int; a value beyond the int range (a slow line, a huge header) stays
// at the largest int rather than wrapping.
int truncatedBarMaximum(double value)
{
    return value >= double(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max() : static_cast<int>(value);
}
}  // namespace

int memoryReadBarMaximum(std::uint32_t seconds)
{
    return truncatedBarMaximum(seconds * 3.06 + 2);
}

int singleBlockBarMaximum(std::uint32_t seconds)
{
    return truncatedBarMaximum(seconds * 1.47 + 2);
}

std::int64_t downloadLimit(std::int64_t blockBytes)
{
    return 2 * blockBytes + kDownloadMargin;
}

bool isValidBlockHeader(const RecorderStatus& status, std::int32_t q)
{
    return status.blockNumber == q && status.tag[0] == 'R' && status.tag[1] >= '1' && status.tag[1] <= '5';
}

std::int64_t blockSampleBytes(char recordType, std::int32_t channelCount, std::int32_t sampleCount, bool triggerOn)
{
    if (channelCount <= 0 || sampleCount <= 0) return 0;
    return std::int64_t{sampleShape(recordType, triggerOn, channelCount).characters()} * sampleCount;
}

namespace {
// "blok", "bloki" or "bloków" as the Polish numeral n wants it.
QString blocksPhrase(int n)
{
    const int tens = n % 100;
    const int units = n % 10;
    const char* noun = n == 1 ? "blok" : (units >= 2 && units <= 4 && (tens < 12 || tens > 14)) ? "bloki" : "bloków";
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(noun);
}
}  // namespace

namespace {
// ", niepełne: 2, 5" for a label and its blocks; empty for none.
QString blockList(const char* label, const std::vector<std::int32_t>& blocks)
{
    if (blocks.empty()) return QString();
    QStringList numbers;
    for (const std::int32_t n : blocks) numbers << QString::number(n);
    return QStringLiteral(", %1: %2").arg(QString::fromUtf8(label), numbers.join(QStringLiteral(", ")));
}
}  // namespace

QString readOutcomeText(ReadOutcome outcome, const ReadTally& tally)
{
    QString rest = blockList("niepełne", tally.partial) + blockList("bez pliku", tally.unwritten);
    if (!tally.skipped.empty())
        rest += QString::fromUtf8(". Pominięto %1 bloków już zapisanych").arg(tally.skipped.size());
    switch (outcome) {
    case ReadOutcome::Completed:
        return QStringLiteral("Przeczytano ") + blocksPhrase(tally.whole) + rest;
    case ReadOutcome::NoBlocks:
        return QString::fromUtf8("Pamięć rejestratora jest pusta");
    case ReadOutcome::NoCommunication:
        return QString::fromUtf8(kNoBlocksText);
    case ReadOutcome::Aborted:
        return QStringLiteral("Przerwano: zapisano ") + blocksPhrase(tally.whole) + rest;
    case ReadOutcome::TooManyFailures:
        return QString::fromUtf8(kBadRecordText) + QStringLiteral("; przeczytano ") + blocksPhrase(tally.whole) + rest;
    case ReadOutcome::NoDataDirectory:
    case ReadOutcome::LinkBusy:
        break;
    }
    return QString();
}

}  // namespace vorda
