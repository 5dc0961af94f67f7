#pragma once

#include "sim_options.h"

namespace recsim {

// Opens the pseudo-terminal, prints its path, serves the recorder until SIGINT,
// SIGTERM or SIGHUP, then cleans up. Returns the process exit code.
int runPtyLoop(const SimOptions& options);

}  // namespace recsim
