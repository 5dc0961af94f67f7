#pragma once
// SettingsDialog, "Ustawienia": the recorder's measurement parameters (sent with "Ustaw
// zaznaczone"), the port, the first column of the data files, settings programs, and the
// holder of the pending command that the main window's send action transmits. The rules
// live in calibration/settings_command.h; this window copies between its controls and them.

#include "calibration/settings_command.h"
#include "core/program_state.h"
#include "core/reporter.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace vorda {

class Dialogs;
struct Settings;

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    SettingsDialog(Settings& settings, ProgramState& state, Reporter& reporter, Dialogs& dialogs,
                   QWidget* parent = nullptr);

    // The opening steps of "&Ustawianie": the controls from the settings, the trigger items
    // disabled for a model-5 recorder. The caller shows the dialog.
    void fillFromSettings();
    // Every control into the settings; false (after the
    // message) when a field is not a number.
    bool storeIntoSettings();
    // "Domyślne": the controls to their defaults, the settings untouched.
    void applyDefaults();
    // "Ustaw zaznaczone": builds the command, stores the controls, asks for the send.
    void sendChecked();
    // The sample count corrected when its field is left.
    void correctSampleCountField();
    // The two "..." buttons of settings programs.
    void saveProgram();
    void loadProgram();

    // The housekeeping timer's date and time.
    void setClock(const QString& date, const QString& time);
    // Channel 1's S_B and S_C texts, after the constants editor was confirmed on channel 1.
    void setConstantLabels(const QString& sb, const QString& sc);

    // The pending command that the send action transmits.
    QByteArray pendingCommand() const;
    void setPendingCommand(const QByteArray& text);

    // The controls as the rules see them, and back.
    SettingsControls controls() const;
    void setControls(const SettingsControls& controls);

    // --- For tests and screenshots ---
    QTabWidget* pages() const { return pages_; }
    QLineEdit* sampleCountEdit() const { return sampleCountEdit_; }
    QComboBox* portParamsBox() const { return portParamsBox_; }
    QString shownCommand() const;
    bool checkEnabled() const;

signals:
    void sendRequested();          // send the pending command
    void checkRequested();         // "Sprawdź ustawienia": the system scan in the properties window
    void advancedRequested();      // "Zaawansowane": the constants editor
    void settingsProgramLoaded();  // "dimconfig.aoln" was replaced: re-run the start-up load
    void helpClicked();            // "Pomoc", "#Ust"

private:
    QWidget* buildRecorderPage();
    QGroupBox* buildRecorderGroup(QWidget* page);
    QGroupBox* buildTriggerGroup(QWidget* page);
    QWidget* buildGeneralPage();
    void showError(const FieldError& error);
    // Numbers typed outside their fields' ranges: one message naming each field, its range
    // and the value used, which then stands in the field. False when there was none.
    bool noteValuesOutOfRange();
    void portParamsChosen();

    Settings& settings_;
    ProgramState& state_;
    Reporter& reporter_;
    Dialogs& dialogs_;
    bool triggerItemsDisabled_ = false;
    bool correctingSampleCount_ = false;

    QTabWidget* pages_ = nullptr;
    QCheckBox* sendSamplingTimeBox_ = nullptr;
    QSpinBox* samplingTimeSpin_ = nullptr;
    QCheckBox* sendSampleCountBox_ = nullptr;
    QLineEdit* sampleCountEdit_ = nullptr;
    QCheckBox* sendChannelCountBox_ = nullptr;
    QSpinBox* channelCountSpin_ = nullptr;
    QCheckBox* sendDateTimeBox_ = nullptr;
    QLabel* dateLabel_ = nullptr;
    QLabel* timeLabel_ = nullptr;
    QCheckBox* sendTriggerModeBox_ = nullptr;
    QCheckBox* triggerEnabledBox_ = nullptr;
    QCheckBox* sendTriggerLevelsBox_ = nullptr;
    QCheckBox* sendConstantsBox_ = nullptr;
    QLineEdit* triggerStartEdit_ = nullptr;
    QLineEdit* triggerStopEdit_ = nullptr;
    QLabel* sbLabel_ = nullptr;
    QLabel* scLabel_ = nullptr;
    QPushButton* sendButton_ = nullptr;
    QPushButton* checkButton_ = nullptr;
    QButtonGroup* firstColumnGroup_ = nullptr;
    QButtonGroup* portGroup_ = nullptr;
    QComboBox* portParamsBox_ = nullptr;
    QLabel* commandLabel_ = nullptr;
    QByteArray pendingCommand_;
};

}  // namespace vorda
