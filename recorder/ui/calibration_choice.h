#pragma once
// CalibrationChoiceDialog, "Kalibracja / Zerowanie": the choice between two-point calibration (result 1)
// and one-point zeroing (result 6); "Rezygnuj" cancels, "Pomoc" asks for the help.

#include <QDialog>

class QPushButton;

namespace vorda {

class CalibrationChoiceDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCalibration = 1;
    static constexpr int kZeroing = 6;

    explicit CalibrationChoiceDialog(QWidget* parent = nullptr);

    QPushButton* calibrationButton() const { return calibrationButton_; }
    QPushButton* zeroingButton() const { return zeroingButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

signals:
    void helpClicked();

private:
    QPushButton* calibrationButton_ = nullptr;  // "Kalibracja"
    QPushButton* zeroingButton_ = nullptr;      // "Zerowanie"
    QPushButton* cancelButton_ = nullptr;       // "Rezygnuj"
    QPushButton* helpButton_ = nullptr;         // "Pomoc"
};

}  // namespace vorda
