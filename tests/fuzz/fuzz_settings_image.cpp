// The settings record as read from disk, of any length, in memory: only an image of
// exactly 2200 bytes is taken, and it is taken byte for byte but for the corrections of
// the load; every named field then reads back as text that sets the same bytes again; and
// a save's merge of its own changes over what is stored takes each field whole from one
// side, the writer's where it changed it.

#include "fuzz_check.h"

#include "core/reporter.h"
#include "core/settings_fields.h"
#include "core/settings_files.h"
#include "core/settings_record.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

using namespace vorda;

namespace {

bool printable(const unsigned char* text, std::size_t width)
{
    for (std::size_t i = 0; i < width && text[i] != 0; ++i)
        if (text[i] < 0x20 || text[i] > 0x7E) return false;
    return true;
}

void checkFieldsRoundTrip(const Settings& loaded)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(&loaded);
    for (const SettingsField& field : settingsFields()) {
        FUZZ_CHECK(field.offset + field.width <= kRecordSize);
        const QString text = fieldValueText(loaded, field);
        if (field.type == FieldType::Double) {
            double value;
            std::memcpy(&value, bytes + field.offset, sizeof value);
            if (std::isnan(value)) continue;  // one text for every NaN payload
        }
        if (field.type == FieldType::Text) {
            std::size_t len = 0;
            while (len + 1 < field.width && bytes[field.offset + len] != 0) ++len;
            FUZZ_CHECK(len < field.width);
            // A field without its NUL reads as its first width-1 bytes; setting that text
            // back adds the NUL, so only NUL-ended printable texts come back byte for byte.
            if (len + 1 == field.width && bytes[field.offset + len] != 0) continue;
            if (!printable(bytes + field.offset, len)) continue;
        }
        Settings again = loaded;
        const QString refused = setFieldValue(again, field, text);
        if (!refused.isEmpty() || std::memcmp(&again, &loaded, kRecordSize) != 0)
            std::fprintf(stderr, "field %s: \"%s\" %s\n", field.name.c_str(), qPrintable(text), qPrintable(refused));
        FUZZ_CHECK(refused.isEmpty());
        FUZZ_CHECK(std::memcmp(&again, &loaded, kRecordSize) == 0);
    }
}

}  // namespace

// Every field of `merged` equals the same field of `stored` or of `mine`, the writer's
// where it differs from `base`; with nothing changed the stored record stays whole.
void checkMerge(const Settings::Image& stored, const Settings::Image& base, const Settings::Image& mine)
{
    const Settings::Image merged = mergeSettingsChanges(stored, base, mine);
    if (mine == base) FUZZ_CHECK(merged == stored);
    if (stored == base) FUZZ_CHECK(merged == mine);
    for (const SettingsField& f : settingsFields()) {
        const auto at = [&](const Settings::Image& i) { return std::memcmp(i.data() + f.offset, merged.data() + f.offset, f.width) == 0; };
        const bool changed = std::memcmp(mine.data() + f.offset, base.data() + f.offset, f.width) != 0;
        FUZZ_CHECK(changed ? at(mine) : at(stored));
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto image = settingsImageFromBytes(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(image.has_value() == (size == kRecordSize));
    if (image) FUZZ_CHECK(std::memcmp(image->data(), data, kRecordSize) == 0);
    const QString dir = QStringLiteral("/start");

    Reporter quiet;
    Settings settings{};
    const LoadOutcome outcome = applyStartupImage(settings, image, dir, quiet);
    FUZZ_CHECK(outcome.fromFile == (size == kRecordSize));
    FUZZ_CHECK(settings.currentChannel >= 0 && settings.currentChannel <= kMaxChannels);
    const std::int32_t format = settings.channels[settings.currentChannel].numberFormat;
    FUZZ_CHECK(format >= 0 && format <= 3);
    FUZZ_CHECK(settings.portOpen == 0);
    FUZZ_CHECK(settings.usedChannels() >= 1 && settings.usedChannels() <= kMaxChannels);

    if (outcome.fromFile) {
        // Byte for byte as the file held it, but for the load's corrections.
        Settings expected;
        std::memcpy(&expected, data, kRecordSize);
        expected.portOpen = 0;
        correctLoadedSettings(expected);
        FUZZ_CHECK(std::memcmp(&expected, &settings, kRecordSize) == 0);
    }

    // Text fields read as text never run past their field.
    FUZZ_CHECK(fieldText(settings.portParams).size() < sizeof settings.portParams);
    FUZZ_CHECK(fieldText(settings.lastFile).size() < sizeof settings.lastFile);
    FUZZ_CHECK(fieldText(settings.dataDirectory).size() < sizeof settings.dataDirectory);
    FUZZ_CHECK(fieldText(settings.chartParameters).size() < sizeof settings.chartParameters);
    FUZZ_CHECK(fieldText(settings.triggerStartText).size() < sizeof settings.triggerStartText);
    for (int c = 1; c <= kMaxChannels; ++c) FUZZ_CHECK(fieldText(settings.channels[c].name).size() < 20);

    checkFieldsRoundTrip(settings);

    // The input as what the file holds now, the defaults as what a writer loaded, and
    // bytes the input's first triples name (position, value) as that writer's changes.
    Settings defaults{};
    applyStartupImage(defaults, std::nullopt, dir, quiet);
    const Settings::Image base = defaults.toImage();
    Settings::Image stored = base;
    Settings::Image mine = base;
    if (size > 0) std::memcpy(stored.data(), data, std::min(size, kRecordSize));
    for (std::size_t i = 0; i + 2 < std::min<std::size_t>(size, 96); i += 3)
        mine[((std::size_t{data[i]} << 8) | data[i + 1]) % kRecordSize] = data[i + 2];
    checkMerge(stored, base, mine);
    checkMerge(stored, base, stored);
    return 0;
}
