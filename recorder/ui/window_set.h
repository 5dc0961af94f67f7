#pragma once
// The composition root of Vorda: creates the program-wide windows in their fixed order
// (the main window, whose creation loads the settings, then the dialogs), owns the
// reporter that routes status texts to them, and wires every request between windows
// and the core. A new window is added here and in its own files.

#include "core/program_state.h"
#include "core/unsaved_changes.h"

#include <QObject>
#include <QPointer>

#include <memory>

namespace widgets {
class HelpWindow;
}

namespace vorda {

class CalibrationWizard;
class DesktopShell;
class ProtocolCalibrationDevice;
class RecorderProtocol;
class Dialogs;
class LiveMonitoring;
class MeasurementControl;
class MemoryDownload;
class ProgressBarView;
class ScanSink;
class SerialLink;
class MainWindow;
class SettingsDialog;
class CalibrationWizardWindow;
class ProgressDialog;
class PropertiesWindow;
class MeasurementsWindow;
class MonitoringWindow;
class ConstantsEditor;
class CalibrationChoiceDialog;
class AboutDialog;
class WatchedCalibrationDevice;
class WindowReporter;
struct Settings;

class WindowSet : public QObject {
    Q_OBJECT
public:
    WindowSet(Settings& settings, ProgramState& state, SerialLink& link, Dialogs& dialogs, DesktopShell& shell);
    ~WindowSet() override;

    MainWindow& mainWindow() { return *main_; }
    SettingsDialog& settingsDialog() { return *settingsDialog_; }
    ConstantsEditor& constantsEditor() { return *constantsEditor_; }
    ProgressDialog& progressDialog() { return *progressDialog_; }
    PropertiesWindow& propertiesWindow() { return *properties_; }
    MeasurementsWindow& measurementsWindow() { return *measurements_; }
    LiveMonitoring& monitoring() { return *monitoring_; }
    // The monitoring window while it is open, else null.
    MonitoringWindow* monitoringWindow() const;
    MeasurementControl& measurement() { return *measurement_; }
    AboutDialog& aboutBox() { return *about_; }
    CalibrationWizardWindow& calibrationWindow() { return *wizardWindow_; }
    CalibrationChoiceDialog& calibrationChoice() { return *calibrationChoice_; }
    MemoryDownload& download() { return *download_; }
    WindowReporter& reporter() { return *reporter_; }

    // The memory read of "&Czytanie pamięci": the main window disabled and the progress
    // dialog shown while it runs.
    void readMemory();
    // The help page at `anchor` in the program's help window; "Nie odnaleziono pliku
    // pomocy!" when the page is missing. Every window's "Pomoc" comes here.
    void showHelp(const QString& anchor);
    // The system scan into the properties window (and the block list); "S&kanuj system"
    // stays enabled after a scan without an answer.
    void runSystemScan();
    // The help window once help has been shown, else null.
    widgets::HelpWindow* helpWindow() const { return help_; }
    // "K&alibrowanie": the choice dialog, then the calibration or zeroing wizard.
    void chooseCalibration();
    // One housekeeping tick over the progress bars and the rescan countdown.
    void housekeepingTick();
    // "&Ustawianie": the settings dialog filled from the settings and shown modally; OK
    // stores it. Then the file list follows the data directory.
    void openSettings();
    // "Zaawansowane": the constants editor on channel 1, shown modally.
    void openConstantsEditor();
    // Ctrl+M: the monitoring window, fed with the polls so far and each new one.
    void openMonitoringWindow();

    // The measurements window's progress bar, counted down by the housekeeping timer.
    void setMeasurementBar(ProgressBarView* bar) { measurementBar_ = bar; }
    // The measurements window's block list, filled by scans.
    void setBlockList(ScanSink* blockList);

signals:
    // The newest block was scanned again after a measurement start.
    void rescanFinished();
    // The memory was wiped: the block list and the free-memory label are stale.
    void memoryWiped();

private:
    void wireMainWindow();
    void wireSettingsDialog();
    void wireCalibration();
    void wireMeasurementsWindow();
    void wireMonitoring();
    void rescanNewestBlock();

    Settings& settings_;
    ProgramState& state_;
    SerialLink& link_;
    Dialogs& dialogs_;
    DesktopShell& shell_;

    std::unique_ptr<WindowReporter> reporter_;
    std::unique_ptr<MainWindow> main_;  // owns the windows made with it as their parent
    ConstantsEditor* constantsEditor_ = nullptr;
    SettingsDialog* settingsDialog_ = nullptr;
    std::unique_ptr<ProgressDialog> progressDialog_;
    PropertiesWindow* properties_ = nullptr;
    MeasurementsWindow* measurements_ = nullptr;
    std::unique_ptr<MeasurementControl> measurement_;
    std::unique_ptr<LiveMonitoring> monitoring_;
    QPointer<MonitoringWindow> monitoringWindow_;
    AboutDialog* about_ = nullptr;
    std::unique_ptr<RecorderProtocol> calibrationProtocol_;
    std::unique_ptr<ProtocolCalibrationDevice> calibrationDevice_;
    std::unique_ptr<WatchedCalibrationDevice> watchedDevice_;
    std::unique_ptr<CalibrationWizard> calibrationWizard_;
    CalibrationWizardWindow* wizardWindow_ = nullptr;
    CalibrationChoiceDialog* calibrationChoice_ = nullptr;
    std::unique_ptr<MemoryDownload> download_;
    ProgressBarView* measurementBar_ = nullptr;
    widgets::HelpWindow* help_ = nullptr;  // owned by the main window
    SettingsSnapshot snapshot_;            // the record as last loaded or saved
};

}  // namespace vorda
