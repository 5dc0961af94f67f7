#pragma once
// Loading and saving the settings record: the start-up load, the shutdown save and the
// settings-program save.

#include "core/reporter.h"
#include "core/settings_record.h"

#include <QString>

namespace vorda {

inline constexpr char kConfigFileName[] = "dimconfig.aoln";
inline constexpr char kFactoryFileName[] = "Factoryseting.aoln";

// Sets the start-up defaults over the record's current content (nothing else changes).
void applyStartupDefaults(Settings& settings, const QString& startDir);

// Corrects currentChannel (outside 1..16 -> 0) and then the numberFormat of the slot it
// selects (outside 0..3 -> 0). Only that one slot is checked.
void correctLoadedSettings(Settings& settings);

struct LoadOutcome {
    bool fromFile = false;   // false: the defaults stand (defaultsUsed)
    QString path;            // the file that was tried
};

// The start-up load in `dir`: clears the record first when `clearFirst` (program start;
// a re-run for a settings program sets the defaults over the current content), sets the
// defaults, reads "dimconfig.aoln" or, when that does not exist, "Factoryseting.aoln",
// when it is exactly 2200 bytes, clears portOpen and applies correctLoadedSettings().
// Reports "Ustawiono domyślne parametry" or "Parametry ustawione z pliku" in panel 2.
LoadOutcome loadStartupSettings(Settings& settings, const QString& dir, Reporter& reporter,
                                bool clearFirst = true);

// Writes the 2200-byte image to `path` atomically (a temporary file renamed over the
// target), so a failure leaves the old file intact. On failure shows the three-line
// message with caption "Błąd..." and returns false.
bool saveSettingsFile(const Settings& settings, const QString& path, Reporter& reporter);

}  // namespace vorda
