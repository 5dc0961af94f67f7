#pragma once
// Scenario files: the recorder's model, memory and stored blocks in a small text format.
//
//   # comment
//   model R5
//   memory 200000
//   block 2024-03-15 08:00:00 500 10 4 1
//   block 2024-03-15 09:00:00 3 100 2 0  100 200 300 400 65535 0
//   dat 1000 2000 3000
//   dat-after 5 11000 2000 3000
//   dat-noise 3
//
// A block line holds date, time, sample count, sampling period in ms, channel count
// and option word (bit 0: measured with triggering on), then optionally explicit slot
// values, sample after sample, reused cyclically; without them the values are generated.
// The dat lines set what " ?DAT &" answers (DatValues).

#include "recorder_engine.h"

#include <optional>
#include <string>

namespace recsim {

struct Scenario {
    std::optional<char> modelDigit;
    std::optional<long long> memoryCapacity;
    std::vector<Block> blocks;
    DatValues dat;
};

// Parses scenario text; on failure returns nothing and says why (with the line number).
std::optional<Scenario> parseScenario(const std::string& text, std::string& error);
// Refuses what is not a regular file and a file over kMaxScenarioBytes.
inline constexpr std::size_t kMaxScenarioBytes = 1024 * 1024;
std::optional<Scenario> loadScenario(const std::string& path, std::string& error);

}  // namespace recsim
