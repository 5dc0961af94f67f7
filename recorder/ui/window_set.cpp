#include "ui/window_set.h"
#include "ui/core_texts.h"

#include "calibration/calibration_history.h"
#include "calibration/calibration_wizard.h"
#include "files/block_index.h"
#include "files/file_operations.h"
#include "help_window.h"
#include "link/memory_download.h"
#include "link/recorder_protocol.h"
#include "measure/housekeeping.h"
#include "measure/measurement_control.h"
#include "measure/system_scan.h"
#include "ui/about_dialog.h"
#include "ui/calibration_choice.h"
#include "ui/calibration_wizard_window.h"
#include "ui/constants_editor.h"
#include "ui/desktop_shell.h"
#include "ui/file_browser.h"
#include "ui/live_monitoring.h"
#include "ui/main_window.h"
#include "ui/measurements_window.h"
#include "ui/monitoring_window.h"
#include "ui/progress_dialog.h"
#include "ui/properties_window.h"
#include "ui/settings_dialog.h"
#include "ui/window_reporter.h"

namespace vorda {

WindowSet::WindowSet(Settings& settings, ProgramState& state, SerialLink& link, Dialogs& dialogs, DesktopShell& shell)
    : settings_(settings), state_(state), link_(link), dialogs_(dialogs), shell_(shell),
      reporter_(std::make_unique<WindowReporter>(dialogs))
{
    // The main window first: its creation loads the settings, with the status texts in
    // its own status bar.
    main_ = std::make_unique<MainWindow>(settings_, state_, *reporter_, dialogs, shell_);
    reporter_->setMessageParent(main_.get());
    connect(reporter_.get(), &WindowReporter::statusChanged, main_.get(), &MainWindow::setStatusText);
    connect(reporter_.get(), &WindowReporter::filesChangedSignal, &main_->fileBrowser(), &FileBrowser::refresh);
    main_->startUp();
    snapshot_.take(settings_);
    main_->setUnsavedCheck([this] { return snapshot_.differs(settings_); });

    constantsEditor_ = new ConstantsEditor(settings_, state_, *reporter_, main_.get());
    settingsDialog_ = new SettingsDialog(settings_, state_, *reporter_, dialogs, main_.get());
    calibrationProtocol_ = std::make_unique<RecorderProtocol>(link_, settings_, state_, *reporter_);
    calibrationDevice_ = std::make_unique<ProtocolCalibrationDevice>(*calibrationProtocol_);
    watchedDevice_ = std::make_unique<WatchedCalibrationDevice>(*calibrationDevice_);
    calibrationWizard_ = std::make_unique<CalibrationWizard>(settings_, *watchedDevice_, *reporter_, state_.startDir);
    // A history line is written only once the record holding its results is saved.
    calibrationWizard_->setHistorySink(
        [this](const HistoryEntry& entry, const QDateTime& when) { pendingHistory_.add(entry, when); });
    connect(main_.get(), &MainWindow::recordSaved, this,
            [this] { pendingHistory_.flush(state_.startDir, *reporter_); });
    wizardWindow_ = new CalibrationWizardWindow(*calibrationWizard_, main_.get());
    wizardWindow_->watchReadings(*watchedDevice_);
    progressDialog_ = std::make_unique<ProgressDialog>();
    connect(reporter_.get(), &WindowReporter::transferMessageAdded, progressDialog_.get(), &ProgressDialog::addMessage);
    properties_ = new PropertiesWindow(settings_, main_.get());
    measurements_ = new MeasurementsWindow(state_, main_.get());
    calibrationChoice_ = new CalibrationChoiceDialog(main_.get());
    about_ = new AboutDialog(main_.get());
    download_ = std::make_unique<MemoryDownload>(settings_, state_, link_, *reporter_, progressDialog_.get());
    measurement_ = std::make_unique<MeasurementControl>(settings_, state_, link_, *reporter_, measurements_);

    connect(progressDialog_.get(), &ProgressDialog::abortClicked, this, [this] { download_->requestAbort(); });
    connect(progressDialog_.get(), &ProgressDialog::helpClicked, this, [this] { showHelp(QStringLiteral("#czyt")); });
    connect(properties_, &PropertiesWindow::reportRequested, this, [this] {
        progressDialog_->setMode(ProgressDialog::Mode::Report);
        progressDialog_->showOver(main_.get());
    });
    connect(properties_, &PropertiesWindow::helpClicked, this, [this] { showHelp(QStringLiteral("#konf")); });
    connect(properties_, &PropertiesWindow::scanRequested, this, &WindowSet::runSystemScan);
    connect(about_, &AboutDialog::newestVersionRequested, this, [this] {
        if (!shell_.openWebAddress(QString::fromLatin1(web::kNewestVersion)))
            reporter_->showMessage(tr("Nie znaleziono przeglądarki internetowej.."),
                                   tr("Error"), MessageIcon::Error);
    });
    wireMainWindow();
    wireSettingsDialog();
    wireCalibration();
    wireMeasurementsWindow();
    wireMonitoring();
}

WindowSet::~WindowSet() = default;

void WindowSet::wireMeasurementsWindow()
{
    setMeasurementBar(measurements_);
    setBlockList(measurements_);
    connect(main_.get(), &MainWindow::measurementsRequested, measurements_, &MeasurementsWindow::present);
    connect(measurements_, &MeasurementsWindow::startRequested, this,
            [this](bool* accepted) { *accepted = measurement_->startMeasurement(); });
    connect(measurements_, &MeasurementsWindow::abortRequested, this, [this] { measurement_->stopMeasurement(); });
    connect(measurements_, &MeasurementsWindow::scanRequested, this, &WindowSet::runSystemScan);
    connect(measurements_, &MeasurementsWindow::newBlocksReadRequested, this, &WindowSet::readNewBlocks);
    // Each block line is listed right after its register was read into settings.status.
    measurements_->setHomeCheck([this] { return identityOf(settings_.status); },
                                [this]() -> MeasurementsWindow::IsHome {
                                    return [index = BlockIndex::load(dataDirectoryPath(settings_))](
                                               const BlockIdentity& identity) mutable {
                                        return index.homeFile(identity).has_value();
                                    };
                                });
    connect(measurements_, &MeasurementsWindow::blockReadRequested, this, [this] {
        download_->readSelectedBlock(measurements_);
        main_->fileBrowser().refresh();
    });
    // "&Ustawianie" here opens what the main window's "&Ustawianie" opens.
    connect(measurements_, &MeasurementsWindow::settingsRequested, main_.get(), &MainWindow::settingsRequested);
    connect(measurements_, &MeasurementsWindow::helpClicked, this, [this] { showHelp(QStringLiteral("#PomiCzyt")); });
    connect(this, &WindowSet::rescanFinished, measurements_, &MeasurementsWindow::rescanFinished);
    connect(this, &WindowSet::memoryWiped, measurements_, &MeasurementsWindow::memoryWiped);
}

void WindowSet::wireMonitoring()
{
    monitoring_ = std::make_unique<LiveMonitoring>(settings_, state_, link_, *reporter_, dialogs_);
    LiveMonitoring* m = monitoring_.get();
    MainWindow* w = main_.get();
    connect(w, &MainWindow::monitoringToggled, m, &LiveMonitoring::setMonitoring);
    connect(w, &MainWindow::previewToggled, m, &LiveMonitoring::setPreview);
    connect(w, &MainWindow::saveMonitoringRequested, m, [m, w] { m->saveLog(w); });
    connect(w, &MainWindow::monitoringWindowRequested, this, &WindowSet::openMonitoringWindow);
    connect(m, &LiveMonitoring::viewChanged, w, &MainWindow::setMonitoringViewOn);
    connect(m, &LiveMonitoring::monitoringStopped, w, &MainWindow::uncheckMonitoring);
    connect(m, &LiveMonitoring::lineAdded, w, &MainWindow::appendMonitoringLine);
    connect(m, &LiveMonitoring::logSaved, &w->fileBrowser(), &FileBrowser::refresh);
}

MonitoringWindow* WindowSet::monitoringWindow() const
{
    return monitoringWindow_.data();
}

void WindowSet::openMonitoringWindow()
{
    if (!monitoringWindow_) {
        monitoringWindow_ = new MonitoringWindow(settings_, main_.get());
        monitoringWindow_->setSamples(monitoring_->samples());
        connect(monitoring_.get(), &LiveMonitoring::sampleAdded, monitoringWindow_.data(),
                &MonitoringWindow::addSample);
        connect(monitoringWindow_.data(), &MonitoringWindow::closed, main_.get(),
                [this] { main_->setMonitoringWindowOpen(false); });
        main_->setMonitoringWindowOpen(true);
    }
    monitoringWindow_->show();
    monitoringWindow_->raise();
}

void WindowSet::wireMainWindow()
{
    MainWindow* w = main_.get();
    connect(w, &MainWindow::memoryReadRequested, this, &WindowSet::readMemory);
    connect(w, &MainWindow::newBlocksReadRequested, this, &WindowSet::readNewBlocks);
    connect(w, &MainWindow::wipeRequested, this, [this] {
        if (download_->wipeMemory()) emit memoryWiped();
    });
    connect(w, &MainWindow::propertiesRequested, properties_, &PropertiesWindow::showConstants);
    connect(w, &MainWindow::aboutRequested, this, [this] {
        about_->show();
        about_->raise();
    });
    connect(w, &MainWindow::helpRequested, this, &WindowSet::showHelp);
    connect(w, &MainWindow::housekeepingTicked, this, &WindowSet::housekeepingTick);
}

void WindowSet::wireSettingsDialog()
{
    connect(main_.get(), &MainWindow::settingsRequested, this, &WindowSet::openSettings);
    connect(main_.get(), &MainWindow::clockTicked, settingsDialog_, &SettingsDialog::setClock);
    connect(main_.get(), &MainWindow::defaultsActivation, this, [this] {
        // The set the program applies is no change of the user's, unless the user had
        // already changed something.
        const bool unchanged = !snapshot_.differs(settings_);
        settingsDialog_->applyDefaults();
        constantsEditor_->applyStartupParameters(shell_.installedDataDir());
        if (unchanged) snapshot_.take(settings_);
        properties_->recordChanged();
    });
    connect(settingsDialog_, &SettingsDialog::sendRequested, this,
            [this] { measurement_->sendPendingCommand(settingsDialog_->pendingCommand()); });
    connect(settingsDialog_, &SettingsDialog::checkRequested, this, [this] {
        properties_->showSettingsCheck(settingsDialog_);
        runSystemScan();
    });
    connect(settingsDialog_, &SettingsDialog::advancedRequested, this, &WindowSet::openConstantsEditor);
    connect(settingsDialog_, &SettingsDialog::settingsProgramLoaded, this, [this] {
        main_->startUp(false);
        pendingHistory_.discard();  // the results they tell of were replaced
        snapshot_.take(settings_);
        properties_->recordChanged();
    });
    connect(settingsDialog_, &SettingsDialog::helpClicked, this, [this] { showHelp(QStringLiteral("#Ust")); });
    connect(constantsEditor_, &ConstantsEditor::helpClicked, this, [this] { showHelp(QStringLiteral("#ust_zaaw")); });
}

void WindowSet::openSettings()
{
    settingsDialog_->fillFromSettings();
    if (settingsDialog_->exec() == QDialog::Accepted) {
        settingsDialog_->storeIntoSettings();
        main_->showPortStatus();
        properties_->recordChanged();
    }
    main_->fileBrowser().showDataDirectory();
}

void WindowSet::openConstantsEditor()
{
    constantsEditor_->prepareOpening();
    if (constantsEditor_->exec() != QDialog::Accepted) return;
    if (constantsEditor_->shownChannel() == 1)
        settingsDialog_->setConstantLabels(constantsEditor_->sbText(), constantsEditor_->scText());
    properties_->recordChanged();
}

void WindowSet::wireCalibration()
{
    connect(wizardWindow_, &CalibrationWizardWindow::wizardEnded, properties_, &PropertiesWindow::recordChanged);
    connect(main_.get(), &MainWindow::calibrationRequested, this, &WindowSet::chooseCalibration);
    connect(calibrationChoice_, &CalibrationChoiceDialog::helpClicked, this,
            [this] { showHelp(QStringLiteral("#kal")); });
    connect(wizardWindow_, &CalibrationWizardWindow::helpClicked, this, [this] { showHelp(QStringLiteral("#kal")); });
    connect(properties_, &PropertiesWindow::historyRequested, this,
            [this] { properties_->showHistory(readHistory(state_.startDir)); });
    connect(properties_, &PropertiesWindow::historySpreadsheetRequested, this,
            [this] { shell_.openSpreadsheet(historyFilePath(state_.startDir)); });
}

void WindowSet::chooseCalibration()
{
    const int choice = calibrationChoice_->exec();
    if (choice == CalibrationChoiceDialog::kCalibration)
        wizardWindow_->begin(WizardRole::Calibration);
    else if (choice == CalibrationChoiceDialog::kZeroing)
        wizardWindow_->begin(WizardRole::Zeroing);
}

void WindowSet::readMemory()
{
    runMemoryRead(progressDialog_->newBlocksOnly() ? ReadSelection::NewOnly : ReadSelection::All);
}

void WindowSet::readNewBlocks()
{
    runMemoryRead(ReadSelection::NewOnly);
}

void WindowSet::runMemoryRead(ReadSelection selection)
{
    main_->setTransferRunning(true);
    progressDialog_->setMode(ProgressDialog::Mode::Abort);
    progressDialog_->showOver(main_.get());
    // The register reads block; let the dialog and the disabled window paint first.
    reporter_->processEvents();
    download_->readMemory(selection);
    progressDialog_->hide();
    main_->setTransferRunning(false);
    measurements_->refreshHomeMarks();
}

void WindowSet::runSystemScan()
{
    const std::uint32_t sampleCount = settings_.sampleCount;
    if (scanSystem(settings_, state_, link_, *reporter_, *properties_) == ScanOutcome::NoCommunication)
        properties_->scanFailed();
    snapshot_.adoptRecorderSampleCount(sampleCount, settings_.sampleCount);
}

void WindowSet::showHelp(const QString& anchor)
{
    if (!help_) help_ = new widgets::HelpWindow(main_.get());
    if (!help_->showPage(shell_.helpFile(state_.startDir), anchor))
        reporter_->showMessage(tr("Nie odnaleziono pliku pomocy!"), warningCaption(), MessageIcon::None);
}

void WindowSet::housekeepingTick()
{
    if (vorda::housekeepingTick(progressDialog_.get(), measurementBar_, state_.rescanCountdown)) rescanNewestBlock();
}

void WindowSet::rescanNewestBlock()
{
    for (int i = 0; i < 2; ++i) pollNewestBlock(settings_, state_, link_, *reporter_, *properties_);
    emit rescanFinished();
}

void WindowSet::setBlockList(ScanSink* blockList)
{
    properties_->setBlockList(blockList);
}

}  // namespace vorda
