#pragma once
// What the settings dialog does with its controls, without the widgets: the command that
// "Ustaw zaznaczone" sends, the trigger-level codes, the sample-count correction, the
// controls <-> Settings copies, "Domyślne", and settings programs ("*.roln").

#include "calibration/comma_number.h"
#include "core/program_state.h"
#include "core/reporter.h"
#include "core/settings_record.h"
#include "dump_codec.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace vorda {

// The line parameters the dialog's list shows before it is filled from the record.
inline constexpr char kInitialPortParams[] = ":38400,n,8,2,p";
inline constexpr int kMaxSampleCount = static_cast<int>(dumpcodec::kMaxBlockSamples);
inline constexpr std::uint32_t kMaxTriggerCode = 4294967295u;

// The settings dialog's controls, as texts and states (one member per control).
struct SettingsControls {
    bool sendSamplingTime = true;                           // "Czas próbkowania" ticked
    QString samplingTimeText = QStringLiteral("10");        // as typed
    int samplingTimePosition = 10;                          // the sampling time spin
    bool sendSampleCount = true;                            // "Liczba próbek" ticked
    QString sampleCountText = QStringLiteral("500");        // as typed
    bool sendChannelCount = true;                           // "Kanały od 1 do" ticked
    QString channelCountText = QStringLiteral("1");         // as typed
    int channelCountPosition = 1;                           // the channel count spin
    bool sendDateTime = true;                               // "Data Godz." ticked
    QString dateText;                                       // "yyyy-MM-dd"
    QString timeText;                                       // "HH:mm:ss"
    bool sendTriggerMode = false;                           // "Wyzwalanie:" ticked
    bool triggerEnabled = false;                            // "Włączone" ticked
    bool sendTriggerLevels = false;                         // "Start/Stop:" ticked
    bool sendConstants = false;                             // "Stałe S_B/S_C:" ticked (follows "Start/Stop:")
    QString triggerStartText = QStringLiteral("10");        // the start level as typed
    QString triggerStopText = QStringLiteral("100");        // the stop level as typed
    QString sbText;                                         // channel 1's S_B, or "..."
    QString scText;                                         // channel 1's S_C, or "..."
    bool triggerItemsDisabled = false;                      // model '5': levels and constants off
    int firstColumn = 2;                                    // the first column choice
    int portIndex = 1;                                      // the port choice, 0 = "com1"
    QString portParams = QString::fromLatin1(kInitialPortParams);
};

// The dialog opened over `settings`: every control from its field; for a recorder whose
// status tag has '5' as model digit the trigger items are disabled and the S_B/S_C labels
// show "...", otherwise they show channel 1's constants with a decimal comma. The date and
// time labels are left empty (the clock tick fills them).
SettingsControls controlsFromSettings(const Settings& settings);

// "Domyślne": resets the controls (not the record); the first-column choice and the
// S_B/S_C labels stay as they are.
void applyDialogDefaults(SettingsControls& controls);

// The sample count as corrected when its field is left: above 1564670 -> "1564670", then
// 0 or less -> "1"; any other whole number keeps its text. nullopt when not a whole number.
std::optional<QString> correctSampleCount(const QString& text);

// A trigger level (physical value in channel 1's units, decimal comma) as the raw code the
// recorder compares: single-precision level and constants, q = (A - S_C) / S_B * 1000 in
// extended precision rounded to single; 65535 when S_B is 0, 0 when q <= 0, else q
// truncated, at most 4294967295.
struct TriggerCode {
    std::uint32_t code = 0;
    bool capped = false;  // q was past 4294967295
};
TriggerCode triggerCode(float level, float sb, float sc);

struct SettingsCommand {
    QByteArray text;                     // the command, ending with "     &"
    bool statusRead = false;             // both sample count and channel count sent
    std::optional<int> expectedSamples;  // channels x samples, when statusRead
    bool capped = false;                 // a trigger code was limited to 4294967295
};

// The command "Ustaw zaznaczone" builds from the checked items, in their order. A field
// that must be read as a number and is not one gives its FieldError, and nothing is built.
// With triggerItemsDisabled the level and constants items are left out (their labels hold
// "...", not numbers). The level and constants items are refused while channel 1's S_B
// is 0 (noSlopeText()): the codes would be 65535 and the recorder's own constants
// overwritten with zeros.
struct CommandOutcome {
    std::optional<SettingsCommand> command;
    std::optional<FieldError> error;
};
CommandOutcome buildSettingsCommand(const SettingsControls& controls);

// Why the level and constants items cannot be sent while channel 1 has no S_B.
QString noSlopeText();

// ZapamietajUstawieniaExecute: the controls into `settings`, in the fixed order, stopping
// at the first field that is not a number (the fields before it stay stored).
std::optional<FieldError> storeControls(const SettingsControls& controls, Settings& settings);

// The baud rate of a mode text: the number between its first character and the first ","
// (":38400,n,8,2,p" -> 38400).
std::optional<std::uint32_t> baudRateOf(const QString& portParams);

// --- Settings programs ---

inline constexpr char kSettingsProgramFilter[] =
    QT_TRANSLATE_NOOP("SettingsCommand", "Pliki  *.roln (*.roln);;Wszystkie pliki *.* (*)");
inline constexpr char kSaveProgramTitle[] = QT_TRANSLATE_NOOP("SettingsCommand", "Zapisz bieżące ustawienia jako..");
inline constexpr char kLoadProgramTitle[] = QT_TRANSLATE_NOOP("SettingsCommand", "Czytaj nowe ustawienia");
// The three above in the language installed.
QString settingsProgramFilter();
QString saveProgramTitle();
QString loadProgramTitle();

// Writes the record as it stands to `path` (atomic; "Brak miejsca na dysku..." on failure).
bool saveSettingsProgram(const Settings& settings, const QString& path, Reporter& reporter);

// Puts the settings program at `path` in place of "dimconfig.aoln" in `startDir`, by the
// one atomic save, only when it is exactly a 2200-byte record; otherwise the configuration
// stays as it is and a message says why. The caller then re-runs the start-up load.
bool installSettingsProgram(const QString& path, const QString& startDir, Reporter& reporter);

}  // namespace vorda
