#pragma once
// TForm3: the window of the calibration and zeroing wizards. It shows the page the
// CalibrationWizard describes and hands it the buttons and edits; the pages, readings
// and arithmetic are the wizard's.

#include "calibration/calibration_wizard.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;

namespace vorda {

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(CalibrationWizard& wizard, QWidget* parent = nullptr);

    // WybranoKalibracjeExecute / WybranoZerowanieExecute: starts the wizard in `role` on
    // its intro page and shows the window (modal, returns at once).
    void begin(WizardRole role);

    // The controls, for tests and screenshots.
    QPushButton* nextButton() const { return BitBtn1; }
    QPushButton* backButton() const { return BitBtn4; }
    QPushButton* finishButton() const { return BitBtn2; }
    QSpinBox* channelSpin() const { return UpDown1; }
    QLineEdit* field() const { return Edit2; }
    QComboBox* formatList() const { return ComboBox1; }
    QLabel* label(int number) const;
    bool groupShown() const;

signals:
    void helpClicked();
    // The wizard ended with "&Zakończ"; the window is hidden.
    void wizardEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void press(WizardButton button);
    void refresh();

    CalibrationWizard& wizard_;
    QWidget* intro_ = nullptr;
    QLabel* Label4 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QSpinBox* UpDown1 = nullptr;  // the channel field and its spin in one control
    QLineEdit* Edit2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* BitBtn4 = nullptr;  // "&Cofnij"
    QPushButton* BitBtn1 = nullptr;  // "Dalej >>"
    QPushButton* BitBtn2 = nullptr;  // "&Zakończ"
    QPushButton* Button1 = nullptr;  // "Pomoc"
    bool ending_ = false;
};

}  // namespace vorda
