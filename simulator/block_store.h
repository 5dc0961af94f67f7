#pragma once
// Stored measurement blocks of the simulated recorder and their dump encoding.

#include <cstdint>
#include <string>
#include <vector>

namespace recsim {

// One measurement block as the recorder keeps it.
struct Block {
    std::string date;  // "yyyy-mm-dd"
    std::string time;  // "HH:mm:ss", the start of the measurement
    int sampleCount = 0;
    int samplingMs = 0;
    int channelCount = 0;
    int optionWord = 0;  // bit 0: the block was measured with triggering on
    // Explicit slot values, sample after sample, reused cyclically; empty means generated.
    // For record type 1 the last slot holds the digital inputs (bit 0 input 1, bit 1 input 2).
    std::vector<std::uint16_t> values;
};

// The value of slot `slot` of sample `sample` of block `number` (1-based).
std::uint16_t slotValue(const Block& block, int number, int sample, int slot);

// Deterministic, smoothly varying test signal used when a block has no explicit values.
std::uint16_t generatedValue(int number, int sample, int slot);

// Time of day of a sample in 2 ms units since midnight (record type 5 time stamps).
std::uint32_t timeStampUnits(const Block& block, int sample);

// The characters of a digital pair (codes and time stamps: common/dump_codec.h).
void appendDigitalPair(std::string& out, bool input1, bool input2);

// Measurements (samples times channels) the block occupies in memory.
long long blockSize(const Block& block);

// The full answer to " ?MEM n &": the header line ended by CR, then the samples.
std::string blockDump(const Block& block, int number, char modelDigit);

// The same answer made piece by piece, so that a block of any size starts going out at
// once and is never held whole in memory. `nulAt` inserts a NUL byte at that offset of
// the dump, `cutAt` ends the answer after that many bytes (both -1: no such fault);
// `trailer` follows the samples.
class DumpStream {
public:
    DumpStream(Block block, int number, char modelDigit, long nulAt = -1, long cutAt = -1, std::string trailer = {});

    // Appends the next piece to `out`: whole samples, at least `bytes` of them unless the
    // answer ends first.
    void appendNext(std::string& out, std::size_t bytes);
    bool done() const;

private:
    void appendSample(std::string& out, int sample) const;

    Block block_;
    int number_;
    char model_;
    long nulAt_;
    long cutAt_;
    std::string header_;
    std::string trailer_;
    bool headerSent_ = false;
    int nextSample_ = 0;
    long long rawSent_ = 0;  // bytes of the answer before the faults
    long long sent_ = 0;     // bytes handed out
    bool nulPending_;
};

// Blocks made by the generator: `count` blocks with start times one hour, one minute
// and one second apart, so that each block has its own date and time.
std::vector<Block> generateBlocks(int count, int samples, int channels, int periodMs, int optionWord);

}  // namespace recsim
