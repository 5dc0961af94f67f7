#pragma once
// The housekeeping timer's rule for the progress bars and the block rescan, without a
// window: each tick lowers the transfer bar, then the measurement bar, and only when the
// measurement bar has run out does the rescan countdown move.

#include <cstdint>

namespace vorda {

class ProgressBarView;

// One tick. Either bar may be null (its window does not exist). Returns true when the
// countdown has just reached 0: the newest block is to be scanned again now, and the
// countdown is idle (-1) again.
bool housekeepingTick(ProgressBarView* transferBar, ProgressBarView* measurementBar, std::int32_t& rescanCountdown);

}  // namespace vorda
