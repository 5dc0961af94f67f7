// A user parameter file: whatever it holds, only channels 1..channelMax and the chart
// text change, no more channels change than the set reports, every channel stored holds a
// format of 0..3 and a NUL-ended name, and the counts add up to the file's lines.

#include "fuzz_check.h"

#include "calibration/channel_constants.h"
#include "calibration/user_parameters.h"
#include "core/settings_record.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

using namespace vorda;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputReader in(data, size);
    ConstantsEditorFields fields;
    fields.channelMax = (in.byte() & 1) ? 8 : kMaxChannels;
    const std::string_view text = in.remaining();

    Settings settings{};
    for (int c = 1; c <= kMaxChannels; ++c) {
        setFieldText(settings.channels[c].name, "K" + std::to_string(c));
        settings.channels[c].slopeSB = 1000.0;
        settings.channels[c].numberFormat = 1;
    }
    const Settings before = settings;

    const ParameterSetOutcome outcome =
        applyParameterSet(settings, fields, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    FUZZ_CHECK(outcome.found);

    const std::size_t lines = std::size_t(std::count(text.begin(), text.end(), '\n')) + 1;
    FUZZ_CHECK(outcome.linesApplied >= 0 && outcome.linesSkipped >= 0);
    FUZZ_CHECK(std::size_t(outcome.linesApplied + outcome.linesSkipped) < lines);
    FUZZ_CHECK(outcome.channelsSet <= outcome.linesApplied && outcome.channelsSet <= fields.channelMax);
    if (outcome.error) FUZZ_CHECK(outcome.errorLine >= 2 && std::size_t(outcome.errorLine) <= lines);

    // Outside the channel slots only the chart text may change.
    Settings masked = settings;
    std::memcpy(masked.channels, before.channels, sizeof masked.channels);
    std::memcpy(masked.chartParameters, before.chartParameters, sizeof masked.chartParameters);
    FUZZ_CHECK(std::memcmp(&masked, &before, kRecordSize) == 0);
    FUZZ_CHECK(std::memchr(settings.chartParameters, '\0', sizeof settings.chartParameters) != nullptr);

    int changed = 0;
    for (int c = 0; c <= kMaxChannels; ++c) {
        const ChannelSettings& now = settings.channels[c];
        if (std::memcmp(&now, &before.channels[c], sizeof now) == 0) continue;
        ++changed;
        FUZZ_CHECK(c >= 1 && c <= fields.channelMax);
        FUZZ_CHECK(now.numberFormat >= 0 && now.numberFormat <= 3);
        FUZZ_CHECK(std::memchr(now.name, '\0', sizeof now.name) != nullptr);
    }
    // A channel may be stored unchanged, never changed without being stored.
    FUZZ_CHECK(changed <= outcome.channelsSet + (outcome.error ? 1 : 0));
    return 0;
}
