#include "core/unsaved_changes.h"

#include <algorithm>
#include <cstring>

namespace vorda {
namespace {

template <typename T>
void copyField(T& to, const T& from)
{
    std::memcpy(&to, &from, sizeof(T));
}

// `settings` with every field the program records itself taken from `reference`.
Settings withProgramRecords(Settings settings, const Settings& reference)
{
    copyField(settings.reserved4, reference.reserved4);
    settings.portOpen = reference.portOpen;
    copyField(settings.reserved22, reference.reserved22);
    copyField(settings.status, reference.status);
    settings.currentChannel = reference.currentChannel;
    settings.padding1391 = reference.padding1391;
    copyField(settings.lastFile, reference.lastFile);
    copyField(settings.dataDirectory, reference.dataDirectory);
    settings.showFiles = reference.showFiles;
    copyField(settings.padding1917, reference.padding1917);
    settings.padding1927 = reference.padding1927;
    settings.reserved1928 = reference.reserved1928;
    settings.mainWidth = reference.mainWidth;
    settings.mainHeight = reference.mainHeight;
    settings.mainLeft = reference.mainLeft;
    settings.mainTop = reference.mainTop;
    settings.monitorWidth = reference.monitorWidth;
    settings.monitorHeight = reference.monitorHeight;
    settings.monitorLeft = reference.monitorLeft;
    settings.monitorTop = reference.monitorTop;
    copyField(settings.reserved2048, reference.reserved2048);
    copyField(settings.reserved2195, reference.reserved2195);
    copyField(settings.channels[0], reference.channels[0]);  // slot 0 is no channel
    return settings;
}

// A text's bytes after its end, which editing may leave behind, are no change.
template <std::size_t N>
void clearAfterEnd(char (&field)[N])
{
    const std::size_t len = fieldText(field).size();
    std::fill(field + len, field + N, '\0');
}

Settings withTextsEnded(Settings settings)
{
    clearAfterEnd(settings.portParams);
    for (ChannelSettings& channel : settings.channels) clearAfterEnd(channel.name);
    clearAfterEnd(settings.chartParameters);
    clearAfterEnd(settings.triggerStartText);
    clearAfterEnd(settings.triggerStopText);
    return settings;
}

}  // namespace

bool SettingsSnapshot::differs(const Settings& settings) const
{
    const Settings::Image now = withTextsEnded(withProgramRecords(settings, saved_)).toImage();
    const Settings::Image saved = withTextsEnded(saved_).toImage();
    return !std::equal(now.begin(), now.end(), saved.begin());
}

void SettingsSnapshot::adoptRecorderSampleCount(std::uint32_t before, std::uint32_t now)
{
    if (saved_.sampleCount == before) saved_.sampleCount = now;
}

}  // namespace vorda
