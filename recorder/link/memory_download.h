#pragma once
// The memory download: the memory read (every stored block in turn), the single-block
// read, the download of one block into the dump "__m.mem" and the memory wipe.
//
// Each downloaded block is converted into a measurement file at once. The progress
// dialog follows the work through a DownloadView; transfer messages, message boxes and
// the file-list refresh go through the Reporter.

#include <QString>

#include "files/block_index.h"
#include "files/dump_conversion.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vorda {

class DownloadView;
class ExchangeGuard;
class ProgressBarView;
class Reporter;
class SerialLink;
struct ProgramState;
struct RecorderStatus;
struct Settings;

inline constexpr char kNoBlocksText[] = QT_TRANSLATE_NOOP("MemoryDownload", "Brak pomiarów do przeczytania");
inline constexpr char kBadRecordText[] = QT_TRANSLATE_NOOP("MemoryDownload", "Błędny typ czytanego rekordu");

// How a memory read ended.
enum class ReadOutcome {
    Completed,        // every block read
    NoBlocks,         // the recorder answered and holds no block
    NoCommunication,  // no answer to register 0 ("Brak pomiarów do przeczytania" all the same)
    Aborted,          // the user aborted
    TooManyFailures,  // seven invalid block headers in a row
    LinkBusy,         // another exchange holds the link: nothing was done
    NoDataDirectory,  // the data directory does not exist: nothing was asked for
};

// How one block download ended.
struct BlockDownload {
    bool dumpCreated = false;  // false: "__m.mem" could not be created
    bool commandSent = false;  // false: the command could not be written
    bool aborted = false;
    bool overrun = false;     // stopped at downloadLimit: the recorder kept sending
    bool linkFailed = false;  // a read from the port failed
    std::int64_t bytes = 0;   // bytes written to the dump
};

// A block that did not become a whole, clean measurement file, and why (the text the
// transfer messages gave).
struct BlockProblem {
    std::int32_t block = 0;
    QString reason;
};

// What became of the blocks a read asked for.
struct SkippedBlock {
    std::int32_t block = 0;
    QString fileName;  // the file that holds it
};

// Which blocks a memory read downloads.
enum class ReadSelection {
    All,      // every stored block
    NewOnly,  // those not yet home in the data directory (see BlockIndex)
};

// A stored block as the recorder reports it and where it stands in the data directory.
struct StoredBlock {
    std::int32_t block = 0;
    BlockIdentity identity;
    QString fileName;  // the file that holds it when home, else the name it would get
    bool home = false;
};

struct ReadTally {
    int whole = 0;                        // written whole and clean under their names
    std::vector<std::int32_t> partial;    // written as "..._niepelny.txt"
    std::vector<std::int32_t> unwritten;  // no file at all
    std::vector<SkippedBlock> skipped;    // home already, not asked for
};

// --- Pure pieces ---

// A baudRate of 0 is taken as 38400, and stored back.
std::uint32_t effectiveBaudRate(std::uint32_t& baudRate);

// channels x samples x 42 / baud, unsigned integer arithmetic: seconds the block takes.
std::uint32_t transferSeconds(std::int32_t channelCount, std::int32_t sampleCount, std::uint32_t baudRate);

// The memory read's bar maximum: t x 3.06 + 2, truncated.
int memoryReadBarMaximum(std::uint32_t transferSeconds);
// The single-block read's bar maximum: t x 1.47 + 2, truncated.
int singleBlockBarMaximum(std::uint32_t transferSeconds);

// A register reply that answers block q: block number q and tag 'R1'..'R5'.
bool isValidBlockHeader(const RecorderStatus& status, std::int32_t q);

// The number of sample characters a block of this header holds, as the sample layout of
// its record type and the trigger bit make it (the header line itself not counted); 0
// for no channel or no sample. More than 16 channels count as the 16 the conversion reads.
std::int64_t blockSampleBytes(char recordType, std::int32_t channelCount, std::int32_t sampleCount, bool triggerOn);

// What the status bar says after a memory read: "Przeczytano N bloków", "Przerwano:
// zapisano N bloków", each followed by the blocks written incomplete and those not
// written, if any; "Pamięć rejestratora jest pusta", ...; empty for a read that never
// started.
// "Pominięto 1 blok już zapisany", "… 3 bloki już zapisane", "… 5 bloków już zapisanych".
QString skippedBlocksText(int n);

QString readOutcomeText(ReadOutcome outcome, const ReadTally& tally);

// The most a download of a block of blockBytes (header line and samples) takes before
// it stops as an abort would: twice the size and 64 KiB more.
std::int64_t downloadLimit(std::int64_t blockBytes);

// How much a block's download may take: from the register reply's size at first, from
// the dump's own header line once it has arrived, whichever is larger.
class DownloadBound {
public:
    DownloadBound(std::int64_t registerSampleBytes, bool triggerOn);
    // Takes the next chunk of the dump; the header line, once whole, may raise the bound.
    void take(const QByteArray& chunk);
    bool exceeded(std::int64_t bytes) const { return bytes > limit_; }

private:
    std::int64_t limit_;
    bool triggerOn_;
    bool headerDone_ = false;
    QByteArray head_;
};

// Where a block's dump goes and how it becomes a measurement file: by default the file
// "__m.mem" in the start-up directory, converted into the data directory.
class DumpStore {
public:
    virtual ~DumpStore() = default;
    // Starts an empty dump; false (and why) when it cannot be had.
    virtual bool create(QString& error) = 0;
    virtual bool append(const QByteArray& bytes) = 0;
    // Ends the dump; false (and why) when it could not be stored whole.
    virtual bool finish(QString& error) = 0;
    virtual ConversionResult convert(const Settings& settings, Reporter& reporter,
                                     const ConversionOptions& options) = 0;
    // Names the dump in reports.
    virtual QString name() const = 0;
};

// The default store: "__m.mem" at the path the function gives, never written through a link.
std::unique_ptr<DumpStore> makeFileDumpStore(std::function<QString()> path);

// A dump kept in memory and converted without a file (tests, fuzzing).
class MemoryDumpStore : public DumpStore {
public:
    QByteArray dump;
    std::string fileText;  // what the conversion would have written

    bool create(QString&) override;
    bool append(const QByteArray& bytes) override;
    bool finish(QString&) override { return true; }
    ConversionResult convert(const Settings& settings, Reporter& reporter, const ConversionOptions&) override;
    QString name() const override;
};

// --- The operations ---

class MemoryDownload {
public:
    MemoryDownload(Settings& settings, ProgramState& state, SerialLink& link, Reporter& reporter,
                   DownloadView* view = nullptr);
    // The file store refers to this object.
    MemoryDownload(const MemoryDownload&) = delete;
    MemoryDownload& operator=(const MemoryDownload&) = delete;

    // Register 0 three times, then every block: header, download, conversion, file-list
    // refresh. With NewOnly a block that is home is only named ("Blok nr N już zapisany:
    // NAME") and not asked for; the closing line then says "Pominięto N bloków już
    // zapisanych". Either way no file that is not home for the block being written is
    // replaced: the block goes beside it as "NAME_2.txt", and a block that arrives whole
    // removes the "NAME_niepelny" files an earlier read left.
    ReadOutcome readMemory(ReadSelection selection = ReadSelection::All);

    // Register 0, then every block's register: what the recorder holds and which blocks
    // are home. Empty when the recorder does not answer (outcome says why).
    std::vector<StoredBlock> listBlocks(ReadOutcome& outcome);

    // Downloads and converts state.selectedBlock, with the bar
    // estimate of the single-block read shown on `bar` (the measurements window's).
    // Returns false when the block could not be fetched.
    bool readSelectedBlock(ProgressBarView* bar = nullptr);

    // One block chosen by number, as the memory read takes it: its register read (and
    // retried as the memory read retries it), then the download and the conversion.
    // Completed when a file was written, whole or not (see tally()).
    ReadOutcome readBlock(std::int32_t block);

    // DownloadBlock: " ?MEM n &" into "__m.mem" in the start-up directory, every byte as
    // received, until the recorder falls silent, a read fails or the user aborts.
    BlockDownload downloadBlock(std::int32_t block);

    // For the abort button: asks the transfer to stop. The "$"
    // goes out and "Przerwano transmije." is reported at the download's next event
    // check, on the link the download holds. Outside a transfer it is sent at once.
    void requestAbort();

    // After the confirmation "Wybranie klawisza OK usunie wszystkie
    // pomiary z rejestratora!" sends "CLR_M &" and clears statusRead. Returns true when
    // the wipe was sent; the caller then empties the block list and resets the
    // free-memory label.
    bool wipeMemory();

    // The dump's full path in the start-up directory.
    QString dumpPath() const;
    // Dumps go to `store` instead of the file (nullptr: the file again).
    void setDumpStore(DumpStore* store);

    // The blocks of the last read that did not become whole, clean files.
    const std::vector<BlockProblem>& problems() const { return problems_; }
    // What became of each block of the last read.
    const ReadTally& tally() const { return tally_; }

private:
    void startRead();
    bool dataDirectoryMissing();
    bool awaitBlockHeader(std::int32_t q, const ExchangeGuard& guard);
    void readHeaderedBlock(std::int32_t q, const ExchangeGuard& guard);
    ReadOutcome readBlocks(const ExchangeGuard& guard, ReadSelection selection);
    ReadOutcome readBlockCount(const ExchangeGuard& guard);
    void recordHome(std::int32_t block, const ConversionResult& result);
    BlockDownload fetchBlock(std::int32_t block, const ExchangeGuard& guard);
    void receiveBlock(std::int32_t block, BlockDownload& result);
    void dumpFailed(std::int32_t block, const QString& why);
    void convertBlock(std::int32_t block, const BlockDownload& download);
    void serviceAbort();
    void letEventsRun();
    void finishTransfer();

    Settings& settings_;
    ProgramState& state_;
    SerialLink& link_;
    Reporter& reporter_;
    DownloadView* view_;
    const ExchangeGuard* guard_ = nullptr;  // held while a transfer runs
    ReadTally tally_;
    BlockIndex index_;
    std::optional<BlockIdentity> identity_;  // of the block being read, from its register
    std::unique_ptr<DumpStore> fileStore_;
    DumpStore* store_;
    bool abortHandled_ = false;  // the "$" for the current abort request has gone out
    std::vector<BlockProblem> problems_;
};

}  // namespace vorda
