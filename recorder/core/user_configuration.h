#pragma once
// Vorda's user configuration: the user's own choices (the language, whether a memory read
// takes only new blocks), kept in the user's configuration folder, beside the settings
// record but never in it.

#include <QSettings>

namespace vorda {

// The configuration file of the running program (organisation "Vorda", the application's
// name), in INI form.
QSettings userConfiguration();

}  // namespace vorda
