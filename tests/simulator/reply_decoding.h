#pragma once
// Decoding of the recorder's replies with the formats the PC reads them with.

#include "dump_codec.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace simtest {

// The one codec of common/dump_codec.h on the pieces the tests cut out of a dump.
inline std::uint16_t decodeCode(std::string_view c)
{
    return dumpcodec::decodeCode(c.data());
}

inline std::uint32_t decodeTimeStamp(std::string_view c)
{
    return dumpcodec::decodeTimeStamp(c.data());
}

// The register reply read with the format the PC uses.
struct RegisterReply {
    int converted = 0;
    char tag[8] = {};
    char date[16] = {};
    char time[16] = {};
    int blockNumber = 0;
    long sampleCount = 0;
    int samplingMs = 0;
    int channelCount = 0;
    long freeMemory = 0;
    int blockCount = 0;
    int optionWord = 0;
    unsigned triggerStartRaw = 0;
    unsigned triggerStopRaw = 0;
    float sb = 0;
    float sc = 0;
};

inline RegisterReply parseRegister(const std::string& text)
{
    RegisterReply r;
    r.converted = std::sscanf(text.c_str(), "%7s %15s %15s %d %ld %d %d %ld %d %d %u %u %f %f ", r.tag, r.date, r.time,
                              &r.blockNumber, &r.sampleCount, &r.samplingMs, &r.channelCount, &r.freeMemory,
                              &r.blockCount, &r.optionWord, &r.triggerStartRaw, &r.triggerStopRaw, &r.sb, &r.sc);
    return r;
}

// The header line of a block dump and where its samples start.
struct DumpHeader {
    int converted = 0;
    char tag[8] = {};
    char date[24] = {};
    char time[24] = {};
    int blockNumber = 0;
    long sampleCount = 0;
    int samplingMs = 0;
    int channelCount = 0;
    long further = 0;
    std::size_t samplesAt = std::string::npos;
};

inline DumpHeader parseDumpHeader(const std::string& dump)
{
    DumpHeader h;
    const auto cr = dump.find('\r');
    if (cr == std::string::npos) return h;
    h.samplesAt = cr + 1;
    const std::string line = dump.substr(0, cr);
    h.converted = std::sscanf(line.c_str(), "%7s %23s %23s %d %ld %d %d %ld", h.tag, h.date, h.time, &h.blockNumber,
                              &h.sampleCount, &h.samplingMs, &h.channelCount, &h.further);
    return h;
}

}  // namespace simtest
