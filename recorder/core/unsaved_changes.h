#pragma once
// What the user changed in the record since it was last loaded or saved: channel
// constants, names and formats, calibration and zeroing results, the settings dialog's
// values and the port. What the program records on its own (the recorder's last register
// reply, the link's open flag, window geometry, the file browser's places and view, the
// channel the wizard last showed) does not count.

#include "core/settings_record.h"

namespace vorda {

class SettingsSnapshot {
public:
    // The record as it now stands counts as saved.
    void take(const Settings& settings) { saved_ = settings; }
    // True when a field the user sets differs from the snapshot.
    bool differs(const Settings& settings) const;
    // The sample count a scan read from the recorder becomes part of the snapshot, when
    // the user had not changed it meanwhile.
    void adoptRecorderSampleCount(std::uint32_t before, std::uint32_t now);

private:
    Settings saved_{};
};

}  // namespace vorda
