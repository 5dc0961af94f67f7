// The pure pieces of the memory download: the transfer estimates, the bound on a
// block's size and the closing line of a read.

#include "link/memory_download.h"

#include "core/sample_layout.h"
#include "core/settings_record.h"
#include "files/dump_conversion.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>

namespace vorda {

namespace {

// The context of this file's texts in the catalogue.
struct DownloadFigures {
    Q_DECLARE_TR_FUNCTIONS(DownloadFigures)
};

constexpr std::uint32_t kDefaultBaudRate = 38400;
// Bits on the line per sample character of a code, with the reserve the estimate keeps.
constexpr std::uint64_t kEstimateBitsPerCode = 42;
constexpr std::int64_t kDownloadMargin = 64 * 1024;
// The longest header line a dump may start with.
constexpr int kHeaderLineMax = 200;

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
// Which of the three Polish forms the numeral n wants: 0 "blok", 1 "bloki", 2 "bloków".
int polishForm(int n)
{
    const int tens = n % 100;
    const int units = n % 10;
    return n == 1 ? 0 : (units >= 2 && units <= 4 && (tens < 12 || tens > 14)) ? 1 : 2;
}

// "n blok(i/ów)": one text for each Polish form, so that a translation has its own.
QString blocksPhrase(int n)
{
    static const char* const kPhrases[] = {QT_TRANSLATE_NOOP("DownloadFigures", "%1 blok"),
                                           QT_TRANSLATE_NOOP("DownloadFigures", "%1 bloki"),
                                           QT_TRANSLATE_NOOP("DownloadFigures", "%1 bloków")};
    return DownloadFigures::tr(kPhrases[polishForm(n)]).arg(n);
}
}  // namespace

QString skippedBlocksText(int n)
{
    static const char* const kTexts[] = {QT_TRANSLATE_NOOP("DownloadFigures", "Pominięto %1 blok już zapisany"),
                                         QT_TRANSLATE_NOOP("DownloadFigures", "Pominięto %1 bloki już zapisane"),
                                         QT_TRANSLATE_NOOP("DownloadFigures", "Pominięto %1 bloków już zapisanych")};
    return DownloadFigures::tr(kTexts[polishForm(n)]).arg(n);
}

namespace {
// ", niepełne: 2, 5" for a label and its blocks; empty for none.
QString blockList(const char* label, const std::vector<std::int32_t>& blocks)
{
    if (blocks.empty()) return QString();
    QStringList numbers;
    for (const std::int32_t n : blocks) numbers << QString::number(n);
    return QStringLiteral(", %1: %2").arg(DownloadFigures::tr(label), numbers.join(QStringLiteral(", ")));
}
}  // namespace

QString readOutcomeText(ReadOutcome outcome, const ReadTally& tally)
{
    QString rest = blockList(QT_TRANSLATE_NOOP("DownloadFigures", "niepełne"), tally.partial) +
                   blockList(QT_TRANSLATE_NOOP("DownloadFigures", "bez pliku"), tally.unwritten);
    if (!tally.skipped.empty())
        rest += QStringLiteral(". ") + skippedBlocksText(static_cast<int>(tally.skipped.size()));
    switch (outcome) {
    case ReadOutcome::Completed:
        return DownloadFigures::tr("Przeczytano %1").arg(blocksPhrase(tally.whole)) + rest;
    case ReadOutcome::NoBlocks:
        return DownloadFigures::tr("Pamięć rejestratora jest pusta");
    case ReadOutcome::NoCommunication:
        return QCoreApplication::translate("MemoryDownload", kNoBlocksText);
    case ReadOutcome::Aborted:
        return DownloadFigures::tr("Przerwano: zapisano %1").arg(blocksPhrase(tally.whole)) + rest;
    case ReadOutcome::TooManyFailures:
        return DownloadFigures::tr("%1; przeczytano %2")
                   .arg(QCoreApplication::translate("MemoryDownload", kBadRecordText), blocksPhrase(tally.whole)) +
               rest;
    case ReadOutcome::NoDataDirectory:
    case ReadOutcome::LinkBusy:
        break;
    }
    return QString();
}

DownloadBound::DownloadBound(std::int64_t registerSampleBytes, bool triggerOn)
    : limit_(downloadLimit(registerSampleBytes + kHeaderLineMax)), triggerOn_(triggerOn)
{
}

void DownloadBound::take(const QByteArray& chunk)
{
    if (headerDone_) return;
    head_ += chunk.left(kHeaderLineMax - head_.size());
    const qsizetype cr = head_.indexOf('\r');
    if (cr < 0 && head_.size() < kHeaderLineMax) return;
    headerDone_ = true;
    const auto header = cr < 0 ? std::nullopt : parseDumpHeader(std::string_view(head_.constData(), cr));
    if (!header) return;
    const std::int64_t samples = blockSampleBytes(header->recordType(), static_cast<std::int32_t>(header->channelCount),
                                                  static_cast<std::int32_t>(header->sampleCount), triggerOn_);
    limit_ = std::max(limit_, downloadLimit(cr + 1 + samples));
}

}  // namespace vorda
