#pragma once
// TForm9, "Kalibracja / Zerowanie": the choice between two-point calibration (result 1)
// and one-point zeroing (result 6); "Rezygnuj" cancels, "Pomoc" asks for the help.

#include <QDialog>

class QPushButton;

namespace vorda {

class TForm9 : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCalibration = 1;
    static constexpr int kZeroing = 6;

    explicit TForm9(QWidget* parent = nullptr);

    QPushButton* calibrationButton() const { return BitBtn1; }
    QPushButton* zeroingButton() const { return BitBtn2; }
    QPushButton* cancelButton() const { return BitBtn3; }

signals:
    void helpClicked();

private:
    QPushButton* BitBtn1 = nullptr;  // "Kalibracja"
    QPushButton* BitBtn2 = nullptr;  // "Zerowanie"
    QPushButton* BitBtn3 = nullptr;  // "Rezygnuj"
    QPushButton* Button1 = nullptr;  // "Pomoc"
};

}  // namespace vorda
