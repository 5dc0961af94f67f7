// What the memory-read dialog's bar and its label show of the block coming in.

#include "core/progress_views.h"

#include <gtest/gtest.h>

namespace vorda {
namespace {

TEST(TransferProgress, TheBarShowsTheReceivedShareAndTheLabelTheEstimateLeft)
{
    struct Case {
        std::int64_t expected;
        std::int64_t received;
        int secondsLeft;
        int bar;
        const char* label;
    };
    const Case cases[] = {
        // The bar's meaning in the issue: 3962 of 32 000 is an eighth, whatever the estimate;
        // the Polish digit grouping starts at five digits.
        {32000, 3962, 80, 123, "Odebrano: 3962 z 32\u00a0000 znaków, pozostało ok. 80 s"},
        {32000, 0, 2, 0, "Odebrano: 0 z 32\u00a0000 znaków, pozostało ok. 2 s"},
        // An estimate that has run out says nothing of time; the characters keep coming.
        {32000, 31999, 0, 999, "Odebrano: 31\u00a0999 z 32\u00a0000 znaków"},
        {32000, 32000, -3, 1000, "Odebrano: 32\u00a0000 z 32\u00a0000 znaków"},
        // A trailer beyond the announced size keeps the bar full.
        {320, 322, 0, 1000, "Odebrano: 322 z 320 znaków"},
        // A block whose size is not known shows the count alone and an empty bar.
        {0, 1500, 5, 0, "Odebrano: 1500 znaków, pozostało ok. 5 s"},
        // The largest block a header can announce does not overflow the share.
        {std::int64_t{72} * 0x7fffffff, std::int64_t{36} * 0x7fffffff, 0, 500, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.received);
        TransferProgress progress;
        progress.setReceived(99);  // a new block starts from nothing received
        progress.startBlock(c.expected);
        progress.setReceived(c.received);
        progress.setSecondsLeft(c.secondsLeft);
        EXPECT_EQ(progress.barValue(), c.bar);
        if (c.label) EXPECT_EQ(progress.labelText(), QString::fromUtf8(c.label));
    }
}

}  // namespace
}  // namespace vorda
