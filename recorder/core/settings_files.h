#pragma once
// Loading and saving the settings record: the start-up load, the shutdown save and the
// settings-program save.

#include "core/message_captions.h"
#include "core/settings_record.h"

#include <QString>
#include <optional>

namespace vorda {

class Reporter;

inline constexpr char kConfigFileName[] = "dimconfig.aoln";
inline constexpr char kFactoryFileName[] = "Factoryseting.aoln";

// The status texts of the start-up load (status bar panel 2).
inline constexpr char kDefaultsStatusText[] = QT_TRANSLATE_NOOP("SettingsFiles", "Ustawiono domyślne parametry");
inline constexpr char kFromFileStatusText[] = QT_TRANSLATE_NOOP("SettingsFiles", "Parametry ustawione z pliku");

// The message shown when a save fails, with its caption: three lines, each break a
// single "\n".
inline constexpr char kSaveFailedText[] =
    QT_TRANSLATE_NOOP("SettingsFiles", "Brak miejsca na dysku,\nUszkodzony plik,\nNieprawidłowe zamknięcie");
inline constexpr const char* kSaveFailedCaption = kErrorCaption;

// Sets the start-up defaults over the record's current content (nothing else changes).
void applyStartupDefaults(Settings& settings, const QString& startDir);

// Writes the start-up directory into dataDirectory (Windows-1250, '?' for what the code
// page lacks, cut to the field).
void setDataDirectory(Settings& settings, const QString& dir);

// Corrects currentChannel (outside 1..16 -> 0) and then the numberFormat of the slot it
// selects (outside 0..3 -> 0). Only that one slot is checked.
void correctLoadedSettings(Settings& settings);

// Reads a raw record image. Fails unless the file is a regular file that can be read and
// is exactly 2200 bytes;
// `problem` then says why in a few English words (for vorda-cli and logs).
std::optional<Settings::Image> readSettingsImage(const QString& path, QString* problem = nullptr);

// A raw record image from bytes in memory: exactly 2200 of them, or nothing.
std::optional<Settings::Image> settingsImageFromBytes(const char* data, std::size_t size);

struct LoadOutcome {
    bool fromFile = false;  // false: the defaults stand (defaultsUsed)
    QString path;           // the file that was tried
    QString problem;        // why it was not used, when fromFile is false
};

// The file the start-up load reads in `dir`: "dimconfig.aoln" when a file of that name
// exists there, otherwise "Factoryseting.aoln" (even when "dimconfig.aoln" is unusable).
QString startupSettingsPath(const QString& dir);

// The start-up load in `dir`: clears the record first when `clearFirst` (program start;
// a re-run for a settings program sets the defaults over the current content), sets the
// defaults, removes the temporary files of killed saves of "dimconfig.aoln", reads
// startupSettingsPath(dir) when it is exactly 2200 bytes, clears portOpen
// and applies correctLoadedSettings(). Reports "Ustawiono domyślne parametry" or
// "Parametry ustawione z pliku" in panel 2. The window geometry is the caller's to apply.
// Reserved bytes, the date-time at 1928 included, keep what the file held.
LoadOutcome loadStartupSettings(Settings& settings, const QString& dir, Reporter& reporter, bool clearFirst = true);

// The steps of the start-up load after the file was read, for an image (or none: the
// defaults stand) already in memory; the `path` and `problem` of the outcome stay empty.
LoadOutcome applyStartupImage(Settings& settings, const std::optional<Settings::Image>& image, const QString& dir,
                              Reporter& reporter, bool clearFirst = true);

// The record a writer saves: `stored` (what the file holds now) with every field in which
// `mine` differs from `base` (what the writer loaded) taken from `mine`. Fields are taken
// whole, and so is each run of reserved bytes between them.
Settings::Image mergeSettingsChanges(const Settings::Image& stored, const Settings::Image& base,
                                     const Settings::Image& mine);

// Writes the 2200-byte image to `path` as a whole (safe_file.h): a failure or a kill
// leaves the old file intact, and temporary files left by killed saves are removed. A
// target that is not a regular file (a link included) is refused with "... nie jest
// zwykłym plikiem". On a failed write shows the three-line message, then the file's path
// and the system's reason, with caption "Błąd..."; returns false on either.
bool saveSettingsFile(const Settings& settings, const QString& path, Reporter& reporter);

// The lock every writer of a settings file holds while it re-reads and saves it: flock on
// "PATH.lock" beside the file. A second writer waits at most `waitMs`.
inline constexpr int kSettingsLockWaitMs = 5000;
QString settingsLockPath(const QString& path);

struct SaveChangesOptions {
    // A file that exists but cannot be loaded (wrong size, unreadable) is replaced by
    // this writer's record; otherwise it is refused and left as it is.
    bool replaceDamaged = false;
    int lockWaitMs = kSettingsLockWaitMs;
};

// Saves what this writer changed: under the file's lock the record at `path` is re-read,
// and only the fields in which `settings` differs from `base` (the record as this writer
// loaded it) are written over it, so that a change another process saved meanwhile stays.
// A missing file is written from `settings` as it is. Reports a refusal (a damaged file,
// "Plik ... jest używany przez inny program" when the lock is not had in time) or a failed
// write with caption "Błąd..." and returns false, the file untouched. On success
// `settings` and `base` both hold the record as saved.
bool saveSettingsChanges(Settings& settings, Settings::Image& base, const QString& path, Reporter& reporter,
                         const SaveChangesOptions& options = {});

// Whether the settings file at `path` may be changed by a writer that does not replace a
// damaged file: true when it is missing or loads; otherwise reports why and returns false.
bool settingsFileChangeable(const QString& path, Reporter& reporter);

// The shutdown save: "dimconfig.aoln" in the start-up directory, written by path (the
// process's current directory is not changed), under the file's lock. The caller stores
// the window geometry first. With `base`, only what changed since then is written
// (saveSettingsChanges with replaceDamaged); without it the whole record.
bool saveStartupSettings(const Settings& settings, const QString& startDir, Reporter& reporter);
bool saveStartupSettings(Settings& settings, Settings::Image& base, const QString& startDir, Reporter& reporter);

}  // namespace vorda
