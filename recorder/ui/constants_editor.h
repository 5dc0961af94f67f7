#pragma once
// ConstantsEditor, "Ustawienia zaawansowane.": the constants, name and format of one channel at a
// time, the chart text, the sensor presets and the user parameter files of Config/. The
// rules live in calibration/channel_constants.h and calibration/user_parameters.h.

#include "calibration/channel_constants.h"
#include "calibration/user_parameters.h"
#include "core/program_state.h"
#include "core/reporter.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace vorda {

struct Settings;

class ConstantsEditor : public QDialog {
    Q_OBJECT
public:
    ConstantsEditor(Settings& settings, const ProgramState& state, Reporter& reporter, QWidget* parent = nullptr);

    // Before every opening: the spin to channel 1 (no events), channel 1 loaded, the list
    // of user parameter files refreshed.
    void prepareOpening();
    // loadShownChannel and storeShownChannel for the channel shown; the store
    // shows the message of a field that is not a number and returns false.
    void loadShownChannel();
    bool storeShownChannel();
    // A preset button, by its index in sensorPresets().
    void presetClicked(int index);
    // applyChosenParameterFile: applies the file named in parameterFileName_ from the configuration directory.
    // `quiet` (the start-up case) puts a number error into the status bar instead of a box.
    void applyChosenParameterFile(bool quiet = false);
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
    QSpinBox* channelSpin() const { return channelSpin_; }
    QLineEdit* sbEdit() const { return sbEdit_; }
    QLineEdit* scEdit() const { return scEdit_; }
    QLineEdit* nameEdit() const { return nameEdit_; }
    QComboBox* formatBox() const { return formatBox_; }
    QListWidget* fileList() const { return parameterFiles_; }
    QToolButton* otherSensorsButton() const { return otherSensors_; }
    QString titleText() const;
    bool titleShown() const;
    void setParameterFileName(const QString& name) { parameterFileName_ = name; }

signals:
    void helpClicked();  // "Pomoc", "#ust_zaaw"

private:
    QGroupBox* buildChannelGroup();
    QLayout* buildPresets();
    QLayout* buildParameterFiles();
    QLayout* buildButtons();
    ConstantsEditorFields readFields() const;
    void showFields(const ConstantsEditorFields& fields);
    void refreshFileList();
    void showError(const FieldError& error);

    Settings& settings_;
    const ProgramState& state_;
    Reporter& reporter_;
    ConstantsEditorFields fields_;  // also carries S_A, which is kept but not shown

    QSpinBox* channelSpin_ = nullptr;
    QLineEdit* sbEdit_ = nullptr;
    QLineEdit* scEdit_ = nullptr;
    QLineEdit* nameEdit_ = nullptr;
    QComboBox* formatBox_ = nullptr;
    QLineEdit* chartEdit_ = nullptr;
    QListWidget* parameterFiles_ = nullptr;
    QString parameterFileName_ = QStringLiteral("*.txt");
    QLabel* parameterTitle_ = nullptr;
    QToolButton* otherSensors_ = nullptr;
};

}  // namespace vorda
