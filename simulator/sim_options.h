#pragma once
// Command line of recorder-sim.

#include "recorder_engine.h"

#include <optional>
#include <string>
#include <vector>

namespace recsim {

// The pace of endless filler (--never-silent) when no --baud is given.
inline constexpr long kFillerBaud = 38400;

struct SimOptions {
    SimConfig config;
    long baud = 0;  // 0: no pacing
    std::string linkPath;
    std::string logPath;
    bool verbose = false;
    bool help = false;
};

// Parses the arguments (without the program name); on failure returns nothing and says why.
std::optional<SimOptions> parseOptions(const std::vector<std::string>& args, std::string& error);

std::string helpText();

}  // namespace recsim
