#pragma once
// The simulated recorder: takes the bytes the PC sends, keeps the recorder's state
// and queues the reply bytes. Time comes in from outside (milliseconds of a monotonic
// clock), so the engine runs the same under the pseudo-terminal loop and in tests.

#include "block_store.h"

#include <QDateTime>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace recsim {

// What register 0 reports and what a started measurement uses.
struct RecorderSettings {
    int samplingMs = 10;
    int sampleCount = 500;
    int channelCount = 4;
    int optionWord = 0;               // bit 0: triggering on
    unsigned triggerStartRaw = 1966;  // 30 and 70 in channel 1's units with the S_B below
    unsigned triggerStopRaw = 4587;
    float sb = 15.259f;
    float sc = 0.0f;
};

// Misbehaviour on request, for testing the PC side.
struct Faults {
    std::set<int> silentRegisters;      // registers that get no answer
    int wrongBlockNumberTimes = 0;      // first k block register replies report block number 0
    int wrongBlockNumberRegister = -1;  // only this register counts and is spoilt (-1: any n >= 1)
    int garbageBytes = 0;               // noise sent before a reply
    int garbageTimes = -1;              // ... for the first k replies only (-1: every reply)
    long nulInDumpAt = -1;              // a NUL byte inserted at this offset of every block dump
    std::map<int, long> cutBlocks;      // block number -> bytes sent before the transfer stops
    bool neverSilent = false;           // after a block dump keep sending filler until "$"
    std::string dumpTrailer;            // sent after the samples of every block dump
    int registerTokens = -1;            // register replies cut to their first N tokens (-1: whole)
    int datValues = -1;                 // " ?DAT &" replies cut to their first N values (-1: whole)
};

// The current raw values " ?DAT &" answers with, when set: channel c takes element c-1
// of the list in force (channels past the list keep the generated signal); from the
// reply numbered `afterReplies` on (0 = the first) `laterValues` replace `values`.
// Each value moves by up to +-noise codes, differently for every reply and channel.
struct DatValues {
    std::vector<int> values;
    long afterReplies = -1;  // -1: never
    std::vector<int> laterValues;
    int noise = 0;
};

struct SimConfig {
    char modelDigit = '3';
    DatValues dat;
    std::vector<Block> blocks;
    long long memoryCapacity = 1000000;  // measurements over all channels
    RecorderSettings settings;
    Faults faults;
};

class RecorderEngine {
public:
    // `wallAtZero` is the wall-clock time at monotonic time 0; the recorder's clock
    // starts there and runs with the monotonic time.
    RecorderEngine(SimConfig config, QDateTime wallAtZero);

    // Bytes from the PC, as they arrive.
    void receive(std::string_view bytes, std::int64_t nowMs);
    // Lets time-driven events happen (a running measurement ending).
    void advance(std::int64_t nowMs);
    // Monotonic time of the next time-driven event, if any.
    std::optional<std::int64_t> nextEventMs() const;

    // Reply bytes waiting to be sent; the caller sends a prefix and reports it.
    std::string_view pendingOutput();
    void markSent(std::size_t count);
    // Everything pending, taken at once (tests).
    std::string takeOutput();
    // A transfer is in progress: reply bytes are waiting or filler is running.
    bool transferring() const;
    // True once after each command received: reply bytes already handed to the line but
    // not read by the PC are stale and should be discarded, as a real port drops what
    // arrives while it is closed (the PC reads every reply before its next command).
    bool takeDiscardRequest();

    // Called with the exact bytes of every command received, "$" aborts included.
    std::function<void(std::string_view)> onCommand;

    // State, for tests and diagnostics.
    const std::vector<Block>& blocks() const { return blocks_; }
    const RecorderSettings& settings() const { return settings_; }
    char modelDigit() const { return model_; }
    bool measuring() const { return measurement_.has_value(); }
    long long freeMemory() const;
    QDateTime clockAt(std::int64_t nowMs) const;

    // The reply texts themselves.
    // `reportedNumber` replaces the block number in the reply (a fault on request).
    std::string registerReply(int n, std::int64_t nowMs, std::optional<int> reportedNumber = std::nullopt) const;
    std::string dataReply(std::int64_t nowMs) const;

private:
    struct Measurement {
        std::int64_t startMs = 0;
        QDateTime start;
        RecorderSettings settings;
    };

    void execute(const std::string& command, std::int64_t nowMs);
    void applyClauses(const std::vector<std::string>& tokens, std::int64_t nowMs);
    void reply(std::string text);
    // output_ is sent: the next piece of the dump going out, else what waited behind it.
    void refill();
    void abortTransfer();
    void finishMeasurement(std::int64_t endMs);

    char model_;
    long long capacity_;
    std::vector<Block> blocks_;
    RecorderSettings settings_;
    Faults faults_;
    QDateTime wallAtZero_;
    qint64 clockOffsetMs_ = 0;

    std::string input_;
    std::string output_;
    std::size_t sent_ = 0;
    std::optional<DumpStream> stream_;  // the block dump going out, made piece by piece
    std::string afterStream_;           // replies that follow the dump
    bool filler_ = false;
    bool discard_ = false;
    int wrongBlockNumbersLeft_;
    DatValues dat_;
    long datReplies_ = 0;  // " ?DAT &" replies sent so far
    int garbageLeft_;
    std::optional<Measurement> measurement_;
};

}  // namespace recsim
