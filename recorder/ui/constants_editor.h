#pragma once
// TForm8, "Ustawienia zaawansowane.": the constants, name and format of one channel at a
// time, the chart text, the sensor presets and the user parameter files of Config/. The
// rules live in calibration/channel_constants.h and calibration/user_parameters.h.

#include "calibration/channel_constants.h"
#include "calibration/user_parameters.h"
#include "core/program_state.h"
#include "core/reporter.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace vorda {

struct Settings;

class TForm8 : public QDialog {
    Q_OBJECT
public:
    TForm8(Settings& settings, const ProgramState& state, Reporter& reporter, QWidget* parent = nullptr);

    // Before every opening: the spin to channel 1 (no events), channel 1 loaded, the list
    // of user parameter files refreshed.
    void prepareOpening();
    // StaleDomyslneExecute and StaleDomyslneCzytajExecute for the channel shown; the store
    // shows the message of a field that is not a number and returns false.
    void StaleDomyslneExecute();
    bool StaleDomyslneCzytajExecute();
    // A preset button, by its index in sensorPresets().
    void presetClicked(int index);
    // UserParam1Execute: applies the file named in Edit7 from the configuration directory.
    // `quiet` (the start-up case) puts a number error into the status bar instead of a box.
    void UserParam1Execute(bool quiet = false);
    // The start-up case: "userparameter1.txt" from Config/, when it is there.
    void applyStartupParameters();
    // The user moved the spin: the channel left is stored, the new one loaded.
    void channelChanged(int channel);
    // OK: the fields stored into the channel shown, then the editor closes; a field that
    // is not a number keeps it open.
    void okClicked();

    int shownChannel() const { return fields_.channel; }
    QString sbText() const;
    QString scText() const;

    // --- For tests and screenshots ---
    QSpinBox* channelSpin() const { return Edit1; }
    QLineEdit* sbEdit() const { return Edit2; }
    QLineEdit* scEdit() const { return Edit3; }
    QLineEdit* nameEdit() const { return Edit4; }
    QComboBox* formatBox() const { return ComboBox1; }
    QListWidget* fileList() const { return FileListBox1; }
    QToolButton* otherSensorsButton() const { return otherSensors_; }
    QString titleText() const;
    bool titleShown() const;
    void setParameterFileName(const QString& name) { Edit7 = name; }

signals:
    void helpClicked();  // "Pomoc", "#ust_zaaw"

private:
    ConstantsEditorFields readFields() const;
    void showFields(const ConstantsEditorFields& fields);
    void refreshFileList();
    void showError(const FieldError& error);

    Settings& settings_;
    const ProgramState& state_;
    Reporter& reporter_;
    ConstantsEditorFields fields_;

    QSpinBox* Edit1 = nullptr;  // with its spin UpDown1
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QListWidget* FileListBox1 = nullptr;
    QString Edit7 = QStringLiteral("*.txt");
    QLabel* Label9 = nullptr;
    QToolButton* otherSensors_ = nullptr;
};

}  // namespace vorda
