#include "pty_loop.h"
#include "sim_options.h"

#include <cstdio>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto options = recsim::parseOptions(args, error);
    if (!options) {
        std::fprintf(stderr, "recorder-sim: %s\n", error.c_str());
        return 2;
    }
    if (options->help) {
        std::fputs(recsim::helpText().c_str(), stdout);
        return 0;
    }
    return recsim::runPtyLoop(*options);
}
