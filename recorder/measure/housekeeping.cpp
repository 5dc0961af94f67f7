#include "measure/housekeeping.h"

#include "core/progress_views.h"

namespace vorda {
namespace {

// Lowers the bar by one; false when it was already at 0 (or absent).
bool countDown(ProgressBarView* bar)
{
    if (!bar || bar->barPosition() <= 0) return false;
    bar->setBarPosition(bar->barPosition() - 1);
    return true;
}

}  // namespace

bool housekeepingTick(ProgressBarView* transferBar, ProgressBarView* measurementBar, std::int32_t& rescanCountdown)
{
    countDown(transferBar);
    if (!countDown(measurementBar) && rescanCountdown > 0) --rescanCountdown;
    if (rescanCountdown != 0) return false;
    rescanCountdown = -1;
    return true;
}

}  // namespace vorda
