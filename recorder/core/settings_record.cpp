#include "core/settings_record.h"

#include <algorithm>
#include <cstring>

namespace vorda {

static int clampChannel(int c)
{
    return std::clamp(c, 1, kMaxChannels);
}

ChannelSettings& Settings::channel(int c)
{
    return channels[clampChannel(c)];
}
const ChannelSettings& Settings::channel(int c) const
{
    return channels[clampChannel(c)];
}

int Settings::usedChannels() const
{
    return clampChannel(channelsUsed);
}

Settings::Image Settings::toImage() const
{
    Image image;
    std::memcpy(image.data(), this, kRecordSize);
    return image;
}

void Settings::fromImage(const Image& image)
{
    std::memcpy(this, image.data(), kRecordSize);
}

}  // namespace vorda
