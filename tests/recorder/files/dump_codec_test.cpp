// The dump's sample characters, one codec for the recorder program and its simulator.

#include "dump_codec.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(DumpCodec, CodesAndTimeStampsAsTheRecorderSendsThem)
{
    EXPECT_EQ(dumpcodec::decodeCode("1043"), 308);
    EXPECT_EQ(dumpcodec::decodeCode("????"), 65535);
    EXPECT_EQ(dumpcodec::decodeTimeStamp("21436587"), 0x12345678u);
    for (unsigned v = 0; v <= 0xFFFF; ++v) {
        std::string text;
        dumpcodec::appendCode(text, static_cast<std::uint16_t>(v));
        ASSERT_EQ(text.size(), 4u);
        ASSERT_TRUE(std::all_of(text.begin(), text.end(), dumpcodec::carriesNibble)) << text;
        ASSERT_EQ(dumpcodec::decodeCode(text.c_str()), v) << text;
    }
    for (std::uint32_t units : {0u, 1u, 0x12345678u, 43199999u, 0xFFFFFFFFu}) {
        std::string text;
        dumpcodec::appendTimeStamp(text, units);
        ASSERT_EQ(text.size(), 8u);
        EXPECT_EQ(dumpcodec::decodeTimeStamp(text.c_str()), units);
    }
    for (const char c : {'/', '@', '\0', '\r', 'x'}) EXPECT_FALSE(dumpcodec::carriesNibble(c)) << int(c);
}

}  // namespace
