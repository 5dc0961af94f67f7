#include "core/progress_views.h"

#include "core/settings_record.h"
#include "core/text_codec.h"

#include <QLocale>

#include <algorithm>

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

void TransferProgress::startBlock(std::int64_t expected)
{
    expected_ = expected > 0 ? expected : 0;
    received_ = 0;
}

int TransferProgress::barValue() const
{
    if (expected_ <= 0 || received_ <= 0) return 0;
    // Characters past the announced size (a trailer) keep the bar full, no further.
    const std::int64_t received = std::min(received_, expected_);
    return static_cast<int>(received * kBarMaximum / expected_);
}

QString TransferProgress::labelText() const
{
    // Digits grouped as the user reads them; no number here is ever read back.
    const QLocale polish(QLocale::Polish);
    QString text = expected_ > 0
                       ? QString::fromUtf8("Odebrano: %1 z %2 znaków")
                             .arg(polish.toString(qlonglong(received_)), polish.toString(qlonglong(expected_)))
                       : QString::fromUtf8("Odebrano: %1 znaków").arg(polish.toString(qlonglong(received_)));
    if (secondsLeft_ > 0) text += QString::fromUtf8(", pozostało ok. %1 s").arg(secondsLeft_);
    return text;
}

}  // namespace vorda
