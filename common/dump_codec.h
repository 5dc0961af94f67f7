#pragma once
// The sample characters of a block dump, as the recorder sends them and the conversion
// reads them: every character carries one 4-bit nibble as '0' + value ('0'..'9', then
// ':' .. '?'), each byte goes low nibble first, the bytes of a value from the highest.
// The one codec of the recorder program, its simulator and the tests.

#include <cstdint>
#include <string>

namespace dumpcodec {

// The most samples a recorder can be set to take in one block.
inline constexpr std::int64_t kMaxBlockSamples = 1564670;

inline bool carriesNibble(char c)
{
    return static_cast<unsigned char>(c - '0') <= 0xF;
}

inline unsigned nibble(char c)
{
    return static_cast<unsigned>(static_cast<unsigned char>(c) - '0') & 0xFu;
}

// A 4-character code: an unsigned 16-bit raw value.
inline std::uint16_t decodeCode(const char* c)
{
    return static_cast<std::uint16_t>((nibble(c[0]) << 8) | (nibble(c[1]) << 12) | nibble(c[2]) | (nibble(c[3]) << 4));
}

// An 8-character time stamp: a count of 2 ms units since midnight.
inline std::uint32_t decodeTimeStamp(const char* c)
{
    return (nibble(c[0]) << 24) | (nibble(c[1]) << 28) | (nibble(c[2]) << 16) | (nibble(c[3]) << 20) |
           (nibble(c[4]) << 8) | (nibble(c[5]) << 12) | nibble(c[6]) | (nibble(c[7]) << 4);
}

inline void appendByte(std::string& out, unsigned byte)
{
    out.push_back(static_cast<char>('0' + (byte & 0xF)));
    out.push_back(static_cast<char>('0' + (byte >> 4 & 0xF)));
}

inline void appendCode(std::string& out, std::uint16_t code)
{
    appendByte(out, code >> 8);
    appendByte(out, code & 0xFF);
}

inline void appendTimeStamp(std::string& out, std::uint32_t units)
{
    for (int shift = 24; shift >= 0; shift -= 8) appendByte(out, units >> shift & 0xFF);
}

}  // namespace dumpcodec
