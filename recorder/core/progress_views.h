#pragma once
// What the windows that follow long work implement: a countdown of estimated seconds (a
// measurement's planned duration, a download's transfer time) and the progress dialog of
// a memory read, with what that dialog shows of the block coming in.
// Every method has a quiet default so a view overrides only what it shows.

#include <QString>
#include <cstdint>

namespace vorda {

struct RecorderStatus;

// The values the progress dialog shows, all from the register reply read for the block.
struct DownloadValues {
    std::int32_t blockCount = 0;    // "Bloków do przeczytania:"
    std::int32_t blockNumber = 0;   // "Czytany  blok pomiarowy:"
    std::int32_t sampleCount = 0;   // "Ilość pomiarów w bloku:"
    std::int32_t samplingMs = 0;    // "Częstość próbkowania:"
    std::int32_t channelCount = 0;  // "Ilość kanałów pomiarowych:"
    QString time;                   // "Pomiar wykonano:" time, then date
    QString date;

    static DownloadValues fromStatus(const RecorderStatus& status);
};

// Estimated seconds that some window shows, counted down by the main window's timer: the
// measurements window as its bar, the memory-read dialog in the label under its bar.
class ProgressBarView {
public:
    virtual ~ProgressBarView() = default;
    virtual void setBarMaximum(int) {}
    virtual void setBarPosition(int) {}
    virtual int barPosition() const { return 0; }
};

// The progress dialog's side of a memory read.
class DownloadView : public ProgressBarView {
public:
    // A memory read starts: the memo "Komunikaty transmisji" is emptied, and no block
    // values and no received characters are shown until a block is read.
    virtual void readStarted() {}
    virtual void valuesChanged(const DownloadValues&) {}
    // A block download started; `expectedBytes` is what the header announces (0: unknown).
    virtual void blockStarted(std::int32_t /*block*/, std::int64_t /*expectedBytes*/) {}
    // Bytes of the current block written to the dump so far.
    virtual void bytesReceived(std::int64_t) {}
    // Of those, the sample characters after the header line: what `expectedBytes` counts.
    virtual void sampleCharactersReceived(std::int64_t) {}
};

// The memory-read dialog's bar and its label for the block coming in: the bar shows the
// received share of the block's sample characters, the label the count and the seconds
// the transfer estimate has left.
class TransferProgress {
public:
    static constexpr int kBarMaximum = 1000;

    // A block starts; `expected` sample characters as its header announces (0: unknown).
    void startBlock(std::int64_t expected);
    void setReceived(std::int64_t received) { received_ = received; }
    void setSecondsLeft(int seconds) { secondsLeft_ = seconds > 0 ? seconds : 0; }
    int secondsLeft() const { return secondsLeft_; }

    // 0..kBarMaximum: the received share of the expected characters; 0 when unknown.
    int barValue() const;
    // "Odebrano: 3 962 z 32 000 znaków, pozostało ok. 12 s"; without "z ..." when the
    // size is unknown, without the time once the estimate has run out.
    QString labelText() const;

private:
    std::int64_t expected_ = 0;
    std::int64_t received_ = 0;
    int secondsLeft_ = 0;
};

}  // namespace vorda
