#pragma once
// What the windows that follow long work implement: a progress bar (the download's time
// estimate, a measurement's planned duration) and the progress dialog of a memory read.
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

// A progress bar that some window shows, counted down by the main window's timer.
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
    // The memo "Komunikaty transmisji" is emptied when a memory read starts.
    virtual void clearMessages() {}
    virtual void valuesChanged(const DownloadValues&) {}
    // A block download started; `expectedBytes` is what the header announces (0: unknown).
    virtual void blockStarted(std::int32_t /*block*/, std::int64_t /*expectedBytes*/) {}
    // Bytes of the current block written to the dump so far.
    virtual void bytesReceived(std::int64_t) {}
    // Of those, the sample characters after the header line: what `expectedBytes` counts.
    virtual void sampleCharactersReceived(std::int64_t) {}
};

}  // namespace vorda
