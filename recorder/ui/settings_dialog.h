#pragma once
// TForm2, "Ustawienia": the recorder's measurement parameters (sent with "Ustaw
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
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace vorda {

class Dialogs;
struct Settings;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2(Settings& settings, ProgramState& state, Reporter& reporter, Dialogs& dialogs, QWidget* parent = nullptr);

    // The opening steps of "&Ustawianie": the controls from the settings, the trigger items
    // disabled for a model-5 recorder. The caller shows the dialog.
    void fillFromSettings();
    // ZapamietajUstawieniaExecute: every control into the settings; false (after the
    // message) when a field is not a number.
    bool ZapamietajUstawieniaExecute();
    // "Domyślne": the controls to their defaults, the settings untouched.
    void DoyslneUstawExecute();
    // "Ustaw zaznaczone": builds the command, stores the controls, asks for the send.
    void Button4Click();
    // The sample count corrected when its field is left.
    void Edit2Exit();
    // The two "..." buttons of settings programs.
    void ZapiszUstawieniaClick();
    void Button7Click();

    // The housekeeping timer's date and time.
    void setClock(const QString& date, const QString& time);
    // Channel 1's S_B and S_C texts, after the constants editor was confirmed on channel 1.
    void setConstantLabels(const QString& sb, const QString& sc);

    // The pending command (hidden Label4) that the send action transmits.
    QByteArray pendingCommand() const;
    void setPendingCommand(const QByteArray& text);

    // The controls as the rules see them, and back.
    SettingsControls controls() const;
    void setControls(const SettingsControls& controls);

    // --- For tests and screenshots ---
    QTabWidget* pages() const { return PageControl1; }
    QLineEdit* sampleCountEdit() const { return Edit2; }
    QComboBox* portParamsBox() const { return ComboBox1; }
    QString shownCommand() const;
    bool checkEnabled() const;

signals:
    void sendRequested();          // WyslijUstawieniaExecute with the pending command
    void checkRequested();         // "Sprawdź ustawienia": the system scan in the properties window
    void advancedRequested();      // "Zaawansowane": the constants editor
    void settingsProgramLoaded();  // "dimconfig.aoln" was replaced: re-run the start-up load
    void helpClicked();            // "Pomoc", "#Ust"

private:
    QWidget* buildRecorderPage();
    QWidget* buildGeneralPage();
    void showError(const FieldError& error);
    void comboBoxChosen();

    Settings& settings_;
    ProgramState& state_;
    Reporter& reporter_;
    Dialogs& dialogs_;
    bool triggerItemsDisabled_ = false;
    bool inEdit2Exit_ = false;

    QTabWidget* PageControl1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QSpinBox* Edit1 = nullptr;  // with its spin UpDown1
    QCheckBox* CheckBox2 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QSpinBox* Edit3 = nullptr;  // with its spin UpDown2
    QCheckBox* CheckBox3 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QCheckBox* CheckBox8 = nullptr;
    QCheckBox* CheckBox7 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button8 = nullptr;
    QButtonGroup* RadioGroup2 = nullptr;
    QButtonGroup* RadioGroup1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label4 = nullptr;
};

}  // namespace vorda
