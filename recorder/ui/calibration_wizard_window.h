#pragma once
// CalibrationWizardWindow: the window of the calibration and zeroing wizards. It shows the page the
// CalibrationWizard describes and hands it the buttons and edits; the pages, readings
// and arithmetic are the wizard's.

#include "calibration/calibration_wizard.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;

namespace vorda {

// A CalibrationDevice that says when a channel's reading starts and how it ended, so the
// window can show that it is busy.
class WatchedCalibrationDevice final : public CalibrationDevice {
public:
    explicit WatchedCalibrationDevice(CalibrationDevice& device) : device_(device) {}
    std::function<void(int channel)> readingStarted;
    std::function<void(int channel, std::optional<std::int32_t> code)> readingEnded;

    bool readStatus() override { return device_.readStatus(); }
    std::optional<std::int32_t> averagedCode(int channel) override;

private:
    CalibrationDevice& device_;
};

class CalibrationWizardWindow : public QDialog {
    Q_OBJECT
public:
    explicit CalibrationWizardWindow(CalibrationWizard& wizard, QWidget* parent = nullptr);

    // Starts the wizard in `role` on
    // its intro page and shows the window (modal, returns at once).
    void begin(WizardRole role);
    // While `device` reads a channel: the busy cursor and "Odczyt kanału N…"; then the
    // code read and the point's value.
    void watchReadings(WatchedCalibrationDevice& device);

    // The controls, for tests and screenshots.
    QPushButton* nextButton() const { return nextButton_; }
    QPushButton* backButton() const { return backButton_; }
    QPushButton* finishButton() const { return finishButton_; }
    QSpinBox* channelSpin() const { return channelSpin_; }
    QLineEdit* field() const { return fieldEdit_; }
    QComboBox* formatList() const { return formatBox_; }
    QLabel* introHeading() const { return introHeading_; }
    QLabel* titleLabel() const { return titleLabel_; }
    QLabel* fieldCaption() const { return fieldCaption_; }
    QLabel* constantsLabel() const { return constantsLabel_; }
    QLabel* readingLabel() const { return readingLabel_; }
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
    QLabel* introHeading_ = nullptr;
    QGroupBox* pointsGroup_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QLabel* promptLabel_ = nullptr;
    QLabel* fieldCaption_ = nullptr;
    QLabel* channelCaption_ = nullptr;
    QLabel* formatCaption_ = nullptr;
    QLabel* constantsCaption_ = nullptr;
    QLabel* constantsLabel_ = nullptr;
    QSpinBox* channelSpin_ = nullptr;  // the channel field and its spin in one control
    QLineEdit* fieldEdit_ = nullptr;
    QComboBox* formatBox_ = nullptr;
    QPushButton* backButton_ = nullptr;    // "&Cofnij"
    QPushButton* nextButton_ = nullptr;    // "Dalej >>"
    QPushButton* finishButton_ = nullptr;  // "&Zakończ"
    QPushButton* helpButton_ = nullptr;    // "Pomoc"
    QLabel* readingLabel_ = nullptr;
    QString pointValue_;  // the value typed for the point being read
    bool ending_ = false;
};

}  // namespace vorda
