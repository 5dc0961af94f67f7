#pragma once
// Raw 16-bit recorder codes into physical values, and those values into monitoring text.
// Measurement files write their values with writeFixed (core/number_text.h).

#include <cstdint>
#include <string>

namespace vorda {

struct ChannelSettings;

// Record types '3', '4', '5' and the monitoring view:
// code * slopeSB * 0.001 + offsetSC, in extended precision, rounded once to float.
float scaleGeneral(const ChannelSettings& ch, std::uint16_t code);

// Record types '1' and '2': (code - rawPoint1) * slopeSB * 0.001; offsetSC takes no part.
float scaleOlder(const ChannelSettings& ch, std::uint16_t code);

// The formula that applies to a block of the given record type ('1'..'5').
float scaleForRecordType(const ChannelSettings& ch, char recordType, std::uint16_t code);

// Monitoring text: "%5.Nf\t" for numberFormat 0..4, "%5.0f\t" otherwise; "." as decimal
// point whatever the locale.
std::string monitorText(float value, int numberFormat);

}  // namespace vorda
