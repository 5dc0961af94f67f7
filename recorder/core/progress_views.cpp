#include "core/progress_views.h"

#include "core/settings_record.h"
#include "core/text_codec.h"

namespace vorda {

DownloadValues DownloadValues::fromStatus(const RecorderStatus& status)
{
    DownloadValues v;
    v.blockCount = status.blockCount;
    v.blockNumber = status.blockNumber;
    v.sampleCount = status.sampleCount;
    v.samplingMs = status.samplingMs;
    v.channelCount = status.channelCount;
    v.time = fromWin1250(fieldText(status.time));
    v.date = fromWin1250(fieldText(status.date));
    return v;
}

}  // namespace vorda
