// The download's pure figures: the time estimates behind the bars, the block header's
// validity and the size of a block's samples.

#include "core/settings_record.h"
#include "link/memory_download.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace vorda {
namespace {

TEST(DownloadEstimates, BarMaximaAndBaudRateDefault)
{
    std::uint32_t baud = 0;
    EXPECT_EQ(effectiveBaudRate(baud), 38400u);
    EXPECT_EQ(baud, 38400u);
    EXPECT_EQ(transferSeconds(4, 500, baud), 2u);
    EXPECT_EQ(memoryReadBarMaximum(2), 8);
    EXPECT_EQ(transferSeconds(16, 65000, 230400), 189u);
    EXPECT_EQ(memoryReadBarMaximum(189), 580);
    EXPECT_EQ(transferSeconds(4, 1000, 38400), 4u);
    EXPECT_EQ(singleBlockBarMaximum(4), 7);
    EXPECT_EQ(memoryReadBarMaximum(0), 2);
    EXPECT_EQ(transferSeconds(4, 1000, 0), 0u);
    // A one-baud line from a damaged configuration: the bar stays at the largest int.
    EXPECT_EQ(memoryReadBarMaximum(transferSeconds(16, 1564670, 1)), std::numeric_limits<int>::max());
    EXPECT_EQ(singleBlockBarMaximum(0xFFFFFFFFu), std::numeric_limits<int>::max());
}

TEST(DownloadEstimates, HeaderValidityAndBlockSize)
{
    RecorderStatus status{};
    std::memcpy(status.tag, "R3", 3);
    status.blockNumber = 2;
    EXPECT_TRUE(isValidBlockHeader(status, 2));
    EXPECT_FALSE(isValidBlockHeader(status, 3));
    for (const char* tag : {"R0", "R6", "X3", "r3", "-3", "R"}) {
        std::memcpy(status.tag, tag, std::strlen(tag) + 1);
        EXPECT_FALSE(isValidBlockHeader(status, 2)) << tag;
    }
    std::memcpy(status.tag, "R1", 3);
    EXPECT_TRUE(isValidBlockHeader(status, 2));

    EXPECT_EQ(blockSampleBytes('1', 4, 10, false), 160);
    EXPECT_EQ(blockSampleBytes('3', 4, 500, true), 8000);
    EXPECT_EQ(blockSampleBytes('5', 4, 500, true), 12000);
    EXPECT_EQ(blockSampleBytes('5', 4, 500, false), 8000);
    EXPECT_EQ(blockSampleBytes('7', 4, 500, false), 0);
    EXPECT_EQ(blockSampleBytes('3', 0, 500, false), 0);
}

}  // namespace
}  // namespace vorda
