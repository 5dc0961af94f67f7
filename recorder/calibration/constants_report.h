#pragma once
// The calibration constants report of the properties window: two heading lines, one line
// per used channel with its name, calibration point values and constants, and a note on
// the channels the files leave out for want of a name.

#include <QStringList>

#include <string>

namespace vorda {

struct ChannelSettings;
struct Settings;

// One channel line, " %2d  %10s %8.3f %8.3f      %8.6f    %8.4f" of the channel number,
// its name (Windows-1250 bytes, right-aligned, longer names in full), Punkt1, Punkt2, S_B
// and S_C, always with a decimal point whatever the locale.
std::string constantsReportLine(int channel, const ChannelSettings& ch);

// The whole report: the two heading lines, then channels 1 to channelsUsed (at most 16),
// then namelessChannelsNote when it says anything.
QStringList constantsReportLines(const Settings& settings);

// The line that names the used channels without a sensor name, which the measurement files
// leave out ("Kanały 3, 5 nie mają nazwy czujnika ..."); empty when every one is named.
QString namelessChannelsNote(const Settings& settings);

}  // namespace vorda
