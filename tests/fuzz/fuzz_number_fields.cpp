// The numbers typed into the settings dialog, the constants editor and the calibration
// wizard, and read from user parameter files: whatever the text, a number taken is
// finite, the comma and the point read alike in a point value, a whole number reads back
// from its own text, and the settings command is built only from numbers it can use.

#include "fuzz_check.h"

#include "calibration/calibration_math.h"
#include "calibration/channel_constants.h"
#include "calibration/comma_number.h"
#include "calibration/settings_command.h"
#include "core/settings_record.h"

#include <cmath>
#include <string>

using namespace vorda;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputReader in(data, size);
    const std::uint8_t flags = in.byte();
    const std::string_view first = in.until('\n');
    const std::string_view second = in.until('\n');
    const QString text = QString::fromLatin1(first.data(), static_cast<qsizetype>(first.size()));

    if (const auto value = readCommaNumber(text)) {
        FUZZ_CHECK(std::isfinite(*value));
        // The text the editor shows for a constant reads back as that constant, nearly
        // (15 significant digits).
        const auto back = readCommaNumber(commaText(*value));
        FUZZ_CHECK(back && std::fabs(*back - *value) <= std::fabs(*value) * 1e-14);
    }
    if (const auto whole = readWholeNumber(text)) FUZZ_CHECK(readWholeNumber(QString::number(*whole)) == whole);

    const auto point = readPointValue(first);
    if (point) FUZZ_CHECK(std::isfinite(*point) && static_cast<double>(static_cast<float>(*point)) == *point);
    std::string swapped(first);
    for (char& c : swapped) {
        if (c == ',')
            c = '.';
        else if (c == '.')
            c = ',';
    }
    FUZZ_CHECK(readPointValue(swapped) == point);

    // The constants editor stores only what it can read, all three fields or none of the
    // two read first.
    Settings settings{};
    ConstantsEditorFields fields;
    fields.channel = 1 + flags % kMaxChannels;
    fields.sb = text;
    fields.sc = QString::fromLatin1(second.data(), static_cast<qsizetype>(second.size()));
    const bool stored = !storeChannelFields(settings, fields).has_value();
    const ChannelSettings& ch = settings.channel(fields.channel);
    FUZZ_CHECK(std::isfinite(ch.slopeSB) && std::isfinite(ch.offsetSC) && std::isfinite(ch.linearSA));
    if (stored) FUZZ_CHECK(readCommaNumber(fields.sb) == ch.slopeSB && readCommaNumber(fields.sc) == ch.offsetSC);

    // The settings command from these texts in its number fields.
    SettingsControls controls;
    controls.sendSamplingTime = flags & 1;
    controls.sendSampleCount = flags & 2;
    controls.sendChannelCount = flags & 4;
    controls.sendTriggerLevels = flags & 8;
    controls.sendConstants = flags & 16;
    controls.sendTriggerMode = flags & 32;
    controls.triggerItemsDisabled = flags & 64;
    controls.sampleCountText = text;
    controls.channelCountText = fields.sc;
    controls.triggerStartText = text;
    controls.triggerStopText = fields.sc;
    controls.sbText = (flags & 128) ? text : QStringLiteral("15,259");
    controls.scText = fields.sc;
    const CommandOutcome outcome = buildSettingsCommand(controls);
    FUZZ_CHECK(outcome.command.has_value() != outcome.error.has_value());
    if (outcome.command) {
        FUZZ_CHECK(outcome.command->text.endsWith("     &"));
        // No zero slope ever reaches the recorder.
        if ((controls.sendTriggerLevels || controls.sendConstants) && !controls.triggerItemsDisabled)
            FUZZ_CHECK(readCommaNumber(controls.sbText).value_or(1.0) != 0.0);
    }
    if (const auto corrected = correctSampleCount(text)) {
        const auto count = readWholeNumber(*corrected);
        FUZZ_CHECK(count && *count >= 1 && *count <= kMaxSampleCount);
    }
    return 0;
}
