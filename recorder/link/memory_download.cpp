#include "link/memory_download.h"

#include "core/message_captions.h"
#include "core/program_state.h"
#include "core/progress_views.h"
#include "core/reporter.h"
#include "core/sample_layout.h"
#include "core/settings_record.h"
#include "files/dump_conversion.h"
#include "files/file_operations.h"
#include "link/recorder_protocol.h"
#include "link/serial_link.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <QCoreApplication>
#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>

namespace vorda {

namespace {

constexpr int kMaxHeaderFailures = 7;

constexpr char kReadingBlockText[] = QT_TRANSLATE_NOOP("MemoryDownload", "Czytane pomiary z bloku nr. ");
constexpr char kRetryText[] = QT_TRANSLATE_NOOP("MemoryDownload", "Błąd, powtórz=");
constexpr char kTransferBrokenText[] = QT_TRANSLATE_NOOP("MemoryDownload", "Przerwana transmisja!");
constexpr char kAbortedText[] = QT_TRANSLATE_NOOP("MemoryDownload", "Przerwano transmije.");
constexpr char kReadingMemoryText[] = QT_TRANSLATE_NOOP("MemoryDownload", "Czytam pamięć");
constexpr char kDumpFailedText[] =
    QT_TRANSLATE_NOOP("MemoryDownload", "Brak miejsca na dysku,\n\rUszkodzony plik,\n\rNieprawidłowe zamknięcie");
constexpr char kDumpFailedCaption[] = QT_TRANSLATE_NOOP("MemoryDownload", "Błąd otwarcia pliku");
constexpr char kWipeQuestion[] =
    QT_TRANSLATE_NOOP("MemoryDownload", "Wybranie klawisza OK usunie wszystkie pomiary z rejestratora!");
constexpr char kNeverSilentText[] =
    QT_TRANSLATE_NOOP("MemoryDownload", "Rejestrator nie przestaje nadawać: przerwano po %1 znakach");
constexpr char kNotSentText[] = QT_TRANSLATE_NOOP("MemoryDownload", "Nie wysłano polecenia odczytu bloku");

// A text of this file in the language installed.
QString text(const char* source)
{
    return QCoreApplication::translate("MemoryDownload", source);
}

bool isAnswer(const QByteArray& reply)
{
    return !reply.isEmpty() && reply.front() == 'R';
}

}  // namespace

MemoryDownload::MemoryDownload(Settings& settings, ProgramState& state, SerialLink& link, Reporter& reporter,
                               DownloadView* view)
    : settings_(settings), state_(state), link_(link), reporter_(reporter), view_(view),
      fileStore_(makeFileDumpStore([this] { return dumpPath(); })), store_(fileStore_.get())
{
}

void MemoryDownload::setDumpStore(DumpStore* store)
{
    store_ = store ? store : fileStore_.get();
}

QString MemoryDownload::dumpPath() const
{
    const QString dir = state_.startDir.isEmpty() ? QDir::currentPath() : state_.startDir;
    return QDir(dir).filePath(QString::fromLatin1(kDumpFileName));
}

ReadOutcome MemoryDownload::readMemory(ReadSelection selection)
{
    ExchangeGuard guard(link_);
    if (!guard) return ReadOutcome::LinkBusy;
    guard_ = &guard;
    startRead();
    const ReadOutcome outcome = dataDirectoryMissing() ? ReadOutcome::NoDataDirectory : readBlocks(guard, selection);
    if (!tally_.skipped.empty()) reporter_.transferMessage(skippedBlocksText(static_cast<int>(tally_.skipped.size())));
    finishTransfer();
    const QString summary =
        outcome == ReadOutcome::NoCommunication ? link_.noReplyReason() : readOutcomeText(outcome, tally_);
    if (!summary.isEmpty()) reporter_.setStatus(StatusPanel::Message, summary);
    return outcome;
}

void MemoryDownload::startRead()
{
    tally_ = {};
    identity_.reset();
    index_ = BlockIndex::load(dataDirectoryPath(settings_));
    state_.abortRequested = false;
    abortHandled_ = false;
    problems_.clear();
}

bool MemoryDownload::dataDirectoryMissing()
{
    const QString directory = dataDirectoryPath(settings_);
    if (QFileInfo(directory).isDir()) return false;
    const QString why = missingDataDirectoryText(directory);
    problems_.push_back({0, why});
    reporter_.transferMessage(why);
    reporter_.showMessage(why, errorCaption(), MessageIcon::Error);
    return true;
}

bool MemoryDownload::awaitBlockHeader(std::int32_t q, const ExchangeGuard& guard)
{
    RecorderProtocol protocol(link_, settings_, state_, reporter_);
    RecorderStatus& status = settings_.status;
    for (int failures = 0;;) {
        protocol.readRegister(q, guard);
        if (isValidBlockHeader(status, q)) {
            identity_ = identityOf(status);
            return true;
        }
        reporter_.transferMessage(text(kRetryText) + QString::number(failures + 1));
        status.blockNumber = 0;
        if (++failures == kMaxHeaderFailures) {
            problems_.push_back({q, text(kBadRecordText)});
            reporter_.showMessage(text(kBadRecordText), errorCaption(), MessageIcon::Error);
            return false;
        }
    }
}

ReadOutcome MemoryDownload::readBlockCount(const ExchangeGuard& guard)
{
    RecorderProtocol protocol(link_, settings_, state_, reporter_);
    RecorderStatus& status = settings_.status;
    // Register 0 is read three times; only the last reply counts.
    QByteArray reply;
    for (int i = 0; i < 3; ++i) reply = protocol.readRegister(0, guard);
    if (status.tag[0] == 'R' && (status.tag[1] == '1' || status.tag[1] == '2')) {
        if (view_) view_->valuesChanged(DownloadValues::fromStatus(status));
        letEventsRun();
    }
    // Without an answer the count is an old one: say why, and read nothing.
    if (!isAnswer(reply)) reporter_.transferMessage(link_.noReplyReason());
    if (status.blockCount == 0 || !isAnswer(reply)) {
        reporter_.transferMessage(text(kNoBlocksText));
        return isAnswer(reply) ? ReadOutcome::NoBlocks : ReadOutcome::NoCommunication;
    }
    return ReadOutcome::Completed;
}

ReadOutcome MemoryDownload::readBlocks(const ExchangeGuard& guard, ReadSelection selection)
{
    if (view_) view_->readStarted();
    const ReadOutcome counted = readBlockCount(guard);
    if (counted != ReadOutcome::Completed) return counted;
    RecorderStatus& status = settings_.status;

    std::int32_t q = 1;
    do {
        if (!awaitBlockHeader(q, guard)) return ReadOutcome::TooManyFailures;
        letEventsRun();
        if (state_.abortRequested) return ReadOutcome::Aborted;
        const std::optional<QString> home = index_.homeFile(*identity_);
        if (selection == ReadSelection::NewOnly && home) {
            reporter_.transferMessage(
                text(QT_TRANSLATE_NOOP("MemoryDownload", "Blok nr %1 już zapisany: %2")).arg(q).arg(*home));
            tally_.skipped.push_back({q, *home});
            ++q;
            continue;
        }
        // The values head the dialog, and its report afterwards, only for a block that is
        // read: a header looked at after an abort, or a block skipped, leaves them as the
        // last block read left them.
        if (view_) view_->valuesChanged(DownloadValues::fromStatus(status));
        reporter_.transferMessage(text(kReadingBlockText) + QString::number(status.blockNumber));
        const std::uint32_t baud = effectiveBaudRate(settings_.baudRate);
        const int barMax = memoryReadBarMaximum(transferSeconds(status.channelCount, status.sampleCount, baud));
        if (view_) {
            view_->setBarMaximum(barMax);
            view_->setBarPosition(barMax);
        }
        if (state_.abortRequested) {
            reporter_.transferMessage(text(kTransferBrokenText));
            return ReadOutcome::Aborted;
        }
        readHeaderedBlock(q, guard);
        ++q;
    } while (status.blockNumber < status.blockCount);
    // An abort that came after the last block had arrived whole cut nothing short.
    const bool everyBlockWhole = tally_.partial.empty() && tally_.unwritten.empty();
    return state_.abortRequested && !everyBlockWhole ? ReadOutcome::Aborted : ReadOutcome::Completed;
}

std::vector<StoredBlock> MemoryDownload::listBlocks(ReadOutcome& outcome)
{
    std::vector<StoredBlock> blocks;
    ExchangeGuard guard(link_);
    if (!guard) {
        outcome = ReadOutcome::LinkBusy;
        return blocks;
    }
    guard_ = &guard;
    startRead();
    outcome = readBlockCount(guard);
    const RecorderStatus& status = settings_.status;
    for (std::int32_t q = 1; outcome == ReadOutcome::Completed && q <= status.blockCount; ++q) {
        if (!awaitBlockHeader(q, guard)) {
            outcome = ReadOutcome::TooManyFailures;
            break;
        }
        const std::optional<QString> home = index_.homeFile(*identity_);
        blocks.push_back({q, *identity_, home.value_or(identity_->fileName()), home.has_value()});
    }
    finishTransfer();
    return blocks;
}

void MemoryDownload::readHeaderedBlock(std::int32_t q, const ExchangeGuard& guard)
{
    const BlockDownload block = fetchBlock(q, guard);
    convertBlock(q, block);
    if (view_) view_->setBarPosition(0);
    reporter_.filesChanged();
}

ReadOutcome MemoryDownload::readBlock(std::int32_t block)
{
    ExchangeGuard guard(link_);
    if (!guard) return ReadOutcome::LinkBusy;
    guard_ = &guard;
    startRead();
    ReadOutcome outcome = ReadOutcome::NoDataDirectory;
    if (!dataDirectoryMissing()) {
        outcome = awaitBlockHeader(block, guard) ? ReadOutcome::Completed : ReadOutcome::TooManyFailures;
        if (outcome == ReadOutcome::Completed) readHeaderedBlock(block, guard);
    }
    finishTransfer();
    return outcome;
}

bool MemoryDownload::readSelectedBlock(ProgressBarView* bar)
{
    ExchangeGuard guard(link_);
    if (!guard) return false;
    guard_ = &guard;
    startRead();
    if (dataDirectoryMissing()) {
        finishTransfer();
        return false;
    }
    // The estimate uses the register read last (the block list's), not the block's own.
    const RecorderStatus& status = settings_.status;
    const std::uint32_t baud = effectiveBaudRate(settings_.baudRate);
    const int barMax = singleBlockBarMaximum(transferSeconds(status.channelCount, status.sampleCount, baud));
    if (bar) {
        bar->setBarMaximum(barMax);
        bar->setBarPosition(barMax);
    }
    const BlockDownload block = fetchBlock(state_.selectedBlock, guard);
    convertBlock(state_.selectedBlock, block);
    if (block.dumpCreated) reporter_.filesChanged();
    finishTransfer();
    return block.dumpCreated && block.commandSent;
}

BlockDownload MemoryDownload::downloadBlock(std::int32_t block)
{
    ExchangeGuard guard(link_);
    if (!guard) return {};
    guard_ = &guard;
    const BlockDownload result = fetchBlock(block, guard);
    finishTransfer();
    return result;
}

BlockDownload MemoryDownload::fetchBlock(std::int32_t block, const ExchangeGuard& /*guard*/)
{
    BlockDownload result;
    QString why;
    result.dumpCreated = store_->create(why);
    if (!result.dumpCreated) {
        // Asking for the block with nowhere to put it would leave the recorder streaming
        // into the next exchange; the block is skipped instead.
        dumpFailed(block, why);
        tally_.unwritten.push_back(block);
        return result;
    }

    link_.mode = kDataMode;
    link_.open();
    const bool opened = link_.openStatus == 0;
    if (opened) reporter_.setLinkState(LinkState::Connected);
    reporter_.setActivity(text(kReadingMemoryText));
    link_.command = memoryCommand(block);
    link_.send();
    result.commandSent = link_.writeStatus == 0;
    if (result.commandSent) receiveBlock(block, result);

    reporter_.setLinkState(LinkState::Disconnected);
    reporter_.setActivity(QStringLiteral(" "));
    if (!opened) reporter_.portUnavailable(link_.openFailureText());
    if (!store_->finish(why) && result.commandSent) dumpFailed(block, why);
    if (result.overrun) {
        // As an abort: "$" and the port closed.
        RecorderProtocol(link_, settings_, state_, reporter_).sendPlainCommand(QByteArray(kAbortCommand), *guard_);
        reporter_.transferMessage(text(kNeverSilentText).arg(result.bytes));
    }
    return result;
}

void MemoryDownload::dumpFailed(std::int32_t block, const QString& why)
{
    problems_.push_back({block, text(kDumpFailedCaption) + QStringLiteral(" '%1': %2").arg(store_->name(), why)});
    reporter_.showMessage(text(kDumpFailedText), text(kDumpFailedCaption), MessageIcon::Error);
}

void MemoryDownload::receiveBlock(std::int32_t block, BlockDownload& result)
{
    const RecorderStatus& status = settings_.status;
    const std::int64_t expected =
        status.blockNumber == block
            ? blockSampleBytes(status.tag[1], status.channelCount, status.sampleCount, status.triggerOn & 1)
            : 0;
    if (view_) view_->blockStarted(block, expected);
    DownloadBound bound(expected, (status.triggerOn & 1) != 0);
    bool writeFailed = false;
    std::int64_t headerEnd = -1;  // bytes up to and with the header's CR, once seen
    link_.receiving = true;
    do {
        link_.reply.clear();
        link_.readChunk();
        // Every byte goes to the dump, NUL bytes included.
        if (link_.readStatus == 0 && !link_.reply.isEmpty()) {
            if (!store_->append(link_.reply)) writeFailed = true;
            if (headerEnd < 0 && link_.reply.contains('\r')) headerEnd = result.bytes + link_.reply.indexOf('\r') + 1;
            result.bytes += link_.reply.size();
            bound.take(link_.reply);
            if (view_) {
                view_->bytesReceived(result.bytes);
                view_->sampleCharactersReceived(headerEnd < 0 ? 0 : result.bytes - headerEnd);
            }
        }
        letEventsRun();
        if (state_.abortRequested) {
            result.aborted = true;
            break;
        }
        letEventsRun();
        // A failed read leaves `receiving` set, and a device that is gone (an adapter
        // pulled out) fails every read at once: the block ends here instead of spinning
        // until the user aborts.
        if (link_.readFailed) {
            result.linkFailed = true;
            break;
        }
        // A recorder that keeps sending past any size its header allows is stopped.
        if (bound.exceeded(result.bytes)) {
            result.overrun = true;
            break;
        }
    } while (link_.receiving);
    if (writeFailed) dumpFailed(block, text(QT_TRANSLATE_NOOP("MemoryDownload", "zapis nie powiódł się")));
}

void MemoryDownload::convertBlock(std::int32_t block, const BlockDownload& download)
{
    if (!download.dumpCreated) return;
    ConversionOptions options;
    options.mayReplace = [&](const QString& fileName, const DumpHeader& header) {
        // The register's identity of the block, else the one its dump's header gives.
        const BlockIdentity identity = identity_ ? *identity_ : identityOf(header);
        index_.homeFile(identity);  // adopts a file written before the index
        return index_.mayReplace(identity, fileName);
    };
    const ConversionResult result = store_->convert(settings_, reporter_, options);
    // An abort or a line lost after the last byte of a whole block took nothing from it.
    const bool whole = result.clean();
    if (!download.commandSent) problems_.push_back({block, text(kNotSentText)});
    if (download.aborted && !whole) problems_.push_back({block, text(kAbortedText)});
    if (download.overrun) problems_.push_back({block, text(kNeverSilentText).arg(download.bytes)});
    if (download.linkFailed && !whole) problems_.push_back({block, text(kTransferBrokenText)});
    if (!result.ok()) problems_.push_back({block, result.message});
    for (const QString& line : conversionWarnings(result, QString::fromLatin1(kDumpFileName)))
        problems_.push_back({block, line});
    if (whole && download.commandSent) {
        ++tally_.whole;
        recordHome(block, result);
    } else if (result.ok())
        tally_.partial.push_back(block);
    else
        tally_.unwritten.push_back(block);
}

void MemoryDownload::recordHome(std::int32_t block, const ConversionResult& result)
{
    if (!result.header || result.filePath.isEmpty() || store_ != fileStore_.get()) return;
    const BlockIdentity identity = identity_ ? *identity_ : identityOf(*result.header);
    const QFileInfo written(result.filePath);
    index_.record(identity, written.fileName());
    // What an earlier read left of this block cut short is superseded now.
    const QString base = identity.fileName().chopped(4) + QStringLiteral("_niepelny");
    QDir dir(index_.directory());
    for (const QString& name :
         dir.entryList({base + QStringLiteral(".txt"), base + QStringLiteral("_*.txt")}, QDir::Files))
        dir.remove(name);
    QString why;
    if (!index_.save(why))
        problems_.push_back({block, text(QT_TRANSLATE_NOOP("MemoryDownload", "Nie zapisano spisu bloków %1: %2"))
                                        .arg(QString::fromLatin1(kBlockIndexFileName), why)});
}

void MemoryDownload::requestAbort()
{
    state_.abortRequested = true;
    // During a transfer the download sends the "$" on the link it holds, as soon as the
    // window events that brought this request have run.
    if (!guard_) serviceAbort();
}

void MemoryDownload::serviceAbort()
{
    if (!state_.abortRequested || abortHandled_) return;
    abortHandled_ = true;
    RecorderProtocol protocol(link_, settings_, state_, reporter_);
    const QByteArray abort(kAbortCommand);
    if (guard_)
        protocol.sendPlainCommand(abort, *guard_);
    else
        protocol.sendPlainCommand(abort);
    reporter_.transferMessage(text(kAbortedText));
}

void MemoryDownload::letEventsRun()
{
    reporter_.processEvents();
    serviceAbort();
}

void MemoryDownload::finishTransfer()
{
    // The port is not held open beyond the transfer: the next exchange opens it again.
    if (settings_.portOpen) link_.close();
    guard_ = nullptr;
}

bool MemoryDownload::wipeMemory()
{
    if (!reporter_.confirmDestructive(text(kWipeQuestion), warningCaption())) return false;
    RecorderProtocol protocol(link_, settings_, state_, reporter_);
    if (!protocol.sendPlainCommand(QByteArray(kClearMemoryCommand))) return false;
    state_.statusRead = false;
    return true;
}

}  // namespace vorda
