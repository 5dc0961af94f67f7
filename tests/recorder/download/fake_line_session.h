#pragma once
// A session whose link talks to the simulator's engine through a FakeTransport: the same
// recorder as recorder-sim, with no pseudo-terminal, no second process and no real time.

#include "recorder/download/recorder_session.h"
#include "support/simulated_line.h"

namespace vorda::test {

class FakeLineSession : public SessionBase {
public:
    explicit FakeLineSession(const QStringList& simArguments) : line(simArguments)
    {
        if (line.valid()) connect(line.takeTransport());
    }

    SimulatedLine line;
};

}  // namespace vorda::test
