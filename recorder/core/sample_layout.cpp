#include "core/sample_layout.h"

#include "core/settings_record.h"

#include <algorithm>

namespace vorda {

SampleShape sampleShape(char recordType, bool triggerOn, int channelCount)
{
    const int cc = std::clamp(channelCount, 1, kMaxChannels);
    switch (recordType) {
    case '1':
        return {cc - 1, true, false};
    case '2':
    case '3':
    case '4':
        return {cc, false, false};
    case '5':
        return {cc, false, triggerOn};
    default:
        return {};
    }
}

}  // namespace vorda
