#include "cli/cli_command.h"

namespace vorda::cli {

std::vector<Command> configCommands() { return {}; }

}  // namespace vorda::cli
