#pragma once
// The channel constants editor without its widgets: the fields it shows for one channel,
// their load and store, the channel change, and the eleven sensor presets as one table.

#include "calibration/comma_number.h"
#include "core/settings_record.h"

#include <QString>
#include <optional>
#include <vector>

namespace vorda {

// What the editor shows: the channel spin and the fields of that channel.
struct ConstantsEditorFields {
    int channel = 1;                       // spin position
    int channelMax = kMaxChannels;         // spin maximum (8 after two of the presets)
    QString sb = QStringLiteral("10,00");  // S_B
    QString sc = QStringLiteral("0");      // S_C
    QString sa = QStringLiteral("0");      // S_A (not shown)
    QString name;                          // the channel name
    int format = 1;                        // the format index: "0", "0.0", "0.00", "0.000"
    QString chart;                         // the one chart text of the settings
};

inline constexpr int kChartTextMax = 79;

// StaleDomyslneExecute: the fields of channel `fields.channel` from the record.
void loadChannelFields(const Settings& settings, ConstantsEditorFields& fields);

// StaleDomyslneCzytajExecute: the fields into channel `fields.channel` and the chart text,
// in the order S_B, S_C, S_A, name, format, chart. A number field that is not a number
// stops the store there (the fields before it stay stored).
std::optional<FieldError> storeChannelFields(Settings& settings, const ConstantsEditorFields& fields);

// The spin moved to `channel` by the user: the channel left is stored first, then the new
// one loaded. When the store fails the spin stays where it was.
std::optional<FieldError> changeChannel(Settings& settings, ConstantsEditorFields& fields, int channel);

// --- Sensor presets ---

// Channels from..to that a preset writes alike. The name is "k%" for "k" + channel number,
// "T%" for "T" + channel number, "T%even" for that on even channels and empty on odd ones,
// else the text itself. Channel 0 in `from` means the channel shown.
struct PresetRow {
    int from;
    int to;
    const char* sb;
    const char* sc;
    int format;
    const char* name;
};

// What the fields show for channel 1 after the preset (nullptr / -1: as left by the stores).
struct PresetShown {
    const char* sb = nullptr;
    const char* sc = nullptr;
    int format = -1;
    const char* name = nullptr;
};

struct SensorPreset {
    const char* button;           // the editor's button
    const char* caption;          // its caption, exactly
    bool shown;                   // a visible button (the others are offered under "Inne czujniki")
    const char* chart;            // chart text written with every store; nullptr: unchanged
    bool limitsTo8;               // sets the spin maximum to 8 first
    bool staysOnChannel;          // leaves the spin on the channel shown (else it returns to 1)
    std::vector<PresetRow> rows;  // stored in this order
    PresetShown after;
};

// The eleven presets in the editor's order.
const std::vector<SensorPreset>& sensorPresets();

// The preset's caption in the language installed.
QString presetCaption(const SensorPreset& preset);

// Applies a preset as its button does: the chart text, every row stored through the
// editor's fields (S_A as the field showed it), the spin back to 1 without events and the
// fields refilled for channel 1 where the preset says so. Stops at a store that fails.
std::optional<FieldError> applyPreset(Settings& settings, ConstantsEditorFields& fields, const SensorPreset& preset);

}  // namespace vorda
