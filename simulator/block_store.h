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

// Characters of one encoded item, appended to `out`.
void appendCode(std::string& out, std::uint16_t code);
void appendDigitalPair(std::string& out, bool input1, bool input2);
void appendTimeStamp(std::string& out, std::uint32_t units);

// Measurements (samples times channels) the block occupies in memory.
long long blockSize(const Block& block);

// The full answer to " ?MEM n &": the header line ended by CR, then the samples.
std::string blockDump(const Block& block, int number, char modelDigit);

// Blocks made by the generator: `count` blocks with start times one hour, one minute
// and one second apart, so that each block has its own date and time.
std::vector<Block> generateBlocks(int count, int samples, int channels, int periodMs, int optionWord);

}  // namespace recsim
