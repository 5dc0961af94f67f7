#pragma once
// The calibration constants report of the properties window: two heading lines and one
// line per used channel with its name, calibration point values and constants.

#include <QStringList>

#include <string>

namespace vorda {

struct ChannelSettings;
struct Settings;

// One channel line, " %2d  %10s %8.3f %8.3f      %8.6f    %8.4f" of the channel number,
// its name (Windows-1250 bytes, right-aligned, longer names in full), Punkt1, Punkt2, S_B
// and S_C, always with a decimal point whatever the locale.
std::string constantsReportLine(int channel, const ChannelSettings& ch);

// The whole report: the two heading lines, then channels 1 to channelsUsed (at most 16).
QStringList constantsReportLines(const Settings& settings);

}  // namespace vorda
