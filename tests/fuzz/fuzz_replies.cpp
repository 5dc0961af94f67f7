// The register and data replies of the recorder: whatever the reply holds, the parsers
// store only what converted, keep every other field as it was, end the text fields with a
// NUL, and agree with the C library's formatted input on the replies both read alike; a
// reply is judged whole exactly when every field converted.

#include "fuzz_check.h"

#include "core/settings_record.h"
#include "link/recorder_protocol.h"
#include "link/serial_link.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace vorda;

namespace {

// Replies on which formatted input and the parsers may differ by design are left out of
// the comparison: hexadecimal, nan/inf and exponent forms of %f (the library's one-
// character push-back), and numbers beyond 32 bits (the library's overflow is undefined).
bool comparable(std::string_view text)
{
    std::size_t run = 0;
    for (const char c : text) {
        if (std::strchr("xXiInNeE(", c) != nullptr && c != '\0') return false;
        run = (c >= '0' && c <= '9') ? run + 1 : 0;
        if (run > 9) return false;
    }
    return true;
}

template <std::size_t N>
bool nulEnded(const char (&field)[N])
{
    return std::memchr(field, '\0', N) != nullptr;
}

void checkRegisterReply(std::string_view text)
{
    RecorderStatus status;
    std::memset(&status, 0x5A, sizeof status);
    const RecorderStatus before = status;
    std::int32_t optionWord = 0x5A5A5A5A;
    const int stored = parseRegisterReply(text, status, optionWord);
    FUZZ_CHECK(stored >= 0 && stored <= 14);

    // A NUL ends the reply: what follows it changes nothing.
    const std::string_view upToNul = text.substr(0, text.find('\0'));
    RecorderStatus again = before;
    std::int32_t optionAgain = 0x5A5A5A5A;
    FUZZ_CHECK(parseRegisterReply(upToNul, again, optionAgain) == stored);
    FUZZ_CHECK(std::memcmp(&again, &status, sizeof status) == 0 && optionAgain == optionWord);

    // Text fields that were stored end within the field; fields of tokens that did not
    // convert keep their bytes.
    if (stored >= 1) FUZZ_CHECK(nulEnded(status.tag));
    if (stored >= 2) FUZZ_CHECK(nulEnded(status.date));
    if (stored >= 3) FUZZ_CHECK(nulEnded(status.time));
    if (stored < 1) FUZZ_CHECK(std::memcmp(status.tag, before.tag, sizeof status.tag) == 0);
    if (stored < 4) FUZZ_CHECK(std::memcmp(&status.blockNumber, &before.blockNumber, 4) == 0);
    if (stored < 10) FUZZ_CHECK(optionWord == 0x5A5A5A5A);
    if (stored < 13) FUZZ_CHECK(std::memcmp(&status.recorderSB, &before.recorderSB, 8) == 0);
    if (stored < 14) FUZZ_CHECK(std::memcmp(&status.recorderSC, &before.recorderSC, 8) == 0);

    const ReplyFault fault = registerReplyFault(text);
    const bool blank = upToNul.find_first_not_of(" \t\n\v\f\r") == std::string_view::npos;
    FUZZ_CHECK((fault == ReplyFault::Silent) == blank);
    FUZZ_CHECK((fault == ReplyFault::None) == (stored == kRegisterReplyTokens && status.tag[0] == 'R'));
    FUZZ_CHECK(fault != ReplyFault::Incomplete || (stored < kRegisterReplyTokens && status.tag[0] == 'R'));

    if (!comparable(upToNul)) return;
    const std::string line(upToNul);
    char tag[4], date[12], time[12];
    int ints[7];
    unsigned uints[2];
    float reals[2];
    int n =
        std::sscanf(line.c_str(), "%3s %11s %11s %d %d %d %d %d %d %d %u %u %f %f", tag, date, time, &ints[0], &ints[1],
                    &ints[2], &ints[3], &ints[4], &ints[5], &ints[6], &uints[0], &uints[1], &reals[0], &reals[1]);
    if (n < 0) n = 0;
    FUZZ_CHECK(n == stored);
    if (n >= 1) FUZZ_CHECK(std::strcmp(tag, status.tag) == 0);
    if (n >= 2) FUZZ_CHECK(std::strcmp(date, status.date) == 0);
    if (n >= 3) FUZZ_CHECK(std::strcmp(time, status.time) == 0);
    const std::int32_t parsed[7] = {status.blockNumber, status.sampleCount, status.samplingMs, status.channelCount,
                                    status.freeMemory,  status.blockCount,  optionWord};
    for (int i = 0; i < 7 && i + 3 < n; ++i) FUZZ_CHECK(ints[i] == parsed[i]);
    if (n >= 11) FUZZ_CHECK(uints[0] == status.triggerStartRaw);
    if (n >= 12) FUZZ_CHECK(uints[1] == status.triggerStopRaw);
    if (n >= 13) FUZZ_CHECK(static_cast<double>(reals[0]) == status.recorderSB);
    if (n >= 14) FUZZ_CHECK(static_cast<double>(reals[1]) == status.recorderSC);
}

void checkDataReply(std::string_view text)
{
    ReadingsRow row;
    row.fill(0x5A5A5A5A);
    const int stored = parseDataReply(text, row);
    FUZZ_CHECK(stored >= 0 && stored <= kMaxChannels);
    // Index 0 is never written, nor any channel after the last value the reply held.
    FUZZ_CHECK(row[0] == 0x5A5A5A5A);
    for (int c = stored + 1; c <= kMaxChannels; ++c) FUZZ_CHECK(row[std::size_t(c)] == 0x5A5A5A5A);
    const ReplyFault fault = dataReplyFault(text);
    FUZZ_CHECK((fault == ReplyFault::None) == (stored == kDataReplyValues));
    FUZZ_CHECK(fault != ReplyFault::Garbled);

    const std::string_view upToNul = text.substr(0, text.find('\0'));
    if (!comparable(upToNul)) return;
    const std::string line(upToNul);
    char word[512];
    if (line.size() >= sizeof word) return;
    int v[16];
    int n =
        std::sscanf(line.c_str(), "%s %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d", word, &v[0], &v[1], &v[2],
                    &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10], &v[11], &v[12], &v[13], &v[14], &v[15]);
    n = n <= 0 ? 0 : n - 1;
    FUZZ_CHECK(n == stored);
    for (int c = 1; c <= n; ++c) FUZZ_CHECK(v[c - 1] == row[std::size_t(c)]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkRegisterReply(text);
    checkDataReply(text);
    return 0;
}
