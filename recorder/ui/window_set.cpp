#include "ui/window_set.h"

#include "calibration/calibration_history.h"
#include "calibration/calibration_wizard.h"
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
#include "ui/live_monitoring.h"
#include "ui/main_window.h"
#include "ui/measurements_window.h"
#include "ui/progress_dialog.h"
#include "ui/properties_window.h"
#include "ui/settings_dialog.h"
#include "ui/window_reporter.h"

namespace vorda {
namespace {

const QString kWarning = QStringLiteral("Uwaga!");

}  // namespace

WindowSet::WindowSet(Settings& settings, ProgramState& state, SerialLink& link, Dialogs& dialogs, DesktopShell& shell)
    : settings_(settings), state_(state), link_(link), dialogs_(dialogs), shell_(shell),
      reporter_(std::make_unique<WindowReporter>(dialogs))
{
    // The main window first: its creation loads the settings, with the status texts in
    // its own status bar.
    main_ = std::make_unique<TForm1>(settings_, state_, *reporter_, dialogs, shell_);
    reporter_->setMessageParent(main_.get());
    connect(reporter_.get(), &WindowReporter::statusChanged, main_.get(), &TForm1::setStatusText);
    connect(reporter_.get(), &WindowReporter::filesChangedSignal, main_.get(), &TForm1::refreshFileList);
    main_->FormCreate();

    form8_ = new TForm8(settings_, state_, *reporter_, main_.get());
    form2_ = new TForm2(settings_, state_, *reporter_, dialogs, main_.get());
    calibrationProtocol_ = std::make_unique<RecorderProtocol>(link_, settings_, state_, *reporter_);
    calibrationDevice_ = std::make_unique<ProtocolCalibrationDevice>(*calibrationProtocol_);
    calibrationWizard_ =
        std::make_unique<CalibrationWizard>(settings_, *calibrationDevice_, *reporter_, state_.startDir);
    form3_ = new TForm3(*calibrationWizard_, main_.get());
    form4_ = std::make_unique<TForm4>();
    connect(reporter_.get(), &WindowReporter::transferMessageAdded, form4_.get(), &TForm4::addMessage);
    form5_ = new TForm5(settings_, main_.get());
    form7_ = new TForm7(state_, main_.get());
    form9_ = new TForm9(main_.get());
    about_ = new TOKBottomDlg(main_.get());
    download_ = std::make_unique<MemoryDownload>(settings_, state_, link_, *reporter_, form4_.get());

    connect(form4_.get(), &TForm4::abortClicked, this, [this] { download_->requestAbort(); });
    connect(form4_.get(), &TForm4::helpClicked, this, [this] { showHelp(QStringLiteral("#czyt")); });
    connect(form5_, &TForm5::reportRequested, this, [this] {
        form4_->setMode(TForm4::Mode::Report);
        form4_->showOver(main_.get());
    });
    connect(form5_, &TForm5::helpClicked, this, [this] { showHelp(QStringLiteral("#konf")); });
    connect(form5_, &TForm5::scanRequested, this, &WindowSet::runSystemScan);
    connect(about_, &TOKBottomDlg::newestVersionRequested, this, [this] {
        if (!shell_.openWebAddress(QString::fromLatin1(web::kNewestVersion)))
            reporter_->showMessage(QStringLiteral("Nie znaleziono przeglądarki internetowej.."),
                                   QStringLiteral("Error"), MessageIcon::Error);
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
    measurement_ = std::make_unique<MeasurementControl>(settings_, state_, link_, *reporter_, form7_);
    setMeasurementBar(form7_);
    setBlockList(form7_);
    connect(main_.get(), &TForm1::measurementsRequested, form7_, &TForm7::BitBtn6Click);
    connect(form7_, &TForm7::startRequested, this,
            [this](bool* accepted) { *accepted = measurement_->startMeasurement(); });
    connect(form7_, &TForm7::abortRequested, this, [this] { measurement_->stopMeasurement(); });
    connect(form7_, &TForm7::scanRequested, this, &WindowSet::runSystemScan);
    connect(form7_, &TForm7::blockReadRequested, this, [this] {
        download_->readSelectedBlock(form7_);
        main_->refreshFileList();
    });
    // "&Ustawianie" here opens what the main window's "&Ustawianie" opens.
    connect(form7_, &TForm7::settingsRequested, main_.get(), &TForm1::settingsRequested);
    connect(form7_, &TForm7::helpClicked, this, [this] { showHelp(QStringLiteral("#PomiCzyt")); });
    connect(this, &WindowSet::rescanFinished, form7_, &TForm7::rescanFinished);
    connect(this, &WindowSet::memoryWiped, form7_, &TForm7::memoryWiped);
}

void WindowSet::wireMonitoring()
{
    monitoring_ = std::make_unique<LiveMonitoring>(settings_, state_, link_, *reporter_, dialogs_, *main_);
    LiveMonitoring* m = monitoring_.get();
    connect(main_.get(), &TForm1::monitoringToggled, m, &LiveMonitoring::CheckBox1Click);
    connect(main_.get(), &TForm1::previewToggled, m, &LiveMonitoring::CheckBox2Click);
    connect(main_.get(), &TForm1::saveMonitoringRequested, m, &LiveMonitoring::ZapiszExecute);
    connect(main_.get(), &TForm1::monitoringWindowRequested, m, &LiveMonitoring::openMonitoringWindow);
}

void WindowSet::wireMainWindow()
{
    TForm1* w = main_.get();
    connect(w, &TForm1::memoryReadRequested, this, &WindowSet::readMemory);
    connect(w, &TForm1::wipeRequested, this, [this] {
        if (download_->wipeMemory()) emit memoryWiped();
    });
    connect(w, &TForm1::propertiesRequested, form5_, &TForm5::PUstawieniaClick);
    connect(w, &TForm1::aboutRequested, this, [this] {
        about_->show();
        about_->raise();
    });
    connect(w, &TForm1::helpRequested, this, &WindowSet::showHelp);
    connect(w, &TForm1::housekeepingTicked, this, &WindowSet::housekeepingTick);
}

void WindowSet::wireSettingsDialog()
{
    connect(main_.get(), &TForm1::settingsRequested, this, &WindowSet::openSettings);
    connect(main_.get(), &TForm1::clockTicked, form2_, &TForm2::setClock);
    connect(main_.get(), &TForm1::defaultsActivation, this, [this] {
        form2_->DoyslneUstawExecute();
        form8_->applyStartupParameters();
    });
    connect(form2_, &TForm2::sendRequested, this, [this] {
        MeasurementControl(settings_, state_, link_, *reporter_, measurementBar_)
            .sendPendingCommand(form2_->pendingCommand());
    });
    connect(form2_, &TForm2::checkRequested, this, [this] {
        form5_->showSettingsCheck();
        runSystemScan();
    });
    connect(form2_, &TForm2::advancedRequested, this, &WindowSet::openConstantsEditor);
    connect(form2_, &TForm2::settingsProgramLoaded, this, [this] { main_->FormCreate(false); });
    connect(form2_, &TForm2::helpClicked, this, [this] { showHelp(QStringLiteral("#Ust")); });
    connect(form8_, &TForm8::helpClicked, this, [this] { showHelp(QStringLiteral("#ust_zaaw")); });
}

void WindowSet::openSettings()
{
    form2_->fillFromSettings();
    if (form2_->exec() == QDialog::Accepted) {
        form2_->ZapamietajUstawieniaExecute();
        main_->showPortStatus();
    }
    main_->showDataDirectory();
}

void WindowSet::openConstantsEditor()
{
    form8_->prepareOpening();
    if (form8_->exec() == QDialog::Accepted && form8_->shownChannel() == 1)
        form2_->setConstantLabels(form8_->sbText(), form8_->scText());
}

void WindowSet::wireCalibration()
{
    connect(main_.get(), &TForm1::calibrationRequested, this, &WindowSet::chooseCalibration);
    connect(form9_, &TForm9::helpClicked, this, [this] { showHelp(QStringLiteral("#kal")); });
    connect(form3_, &TForm3::helpClicked, this, [this] { showHelp(QStringLiteral("#kal")); });
    connect(form5_, &TForm5::historyRequested, this, [this] { form5_->showHistory(readHistory(state_.startDir)); });
}

void WindowSet::chooseCalibration()
{
    const int choice = form9_->exec();
    if (choice == TForm9::kCalibration)
        form3_->begin(WizardRole::Calibration);
    else if (choice == TForm9::kZeroing)
        form3_->begin(WizardRole::Zeroing);
}

void WindowSet::readMemory()
{
    main_->setTransferRunning(true);
    form4_->setMode(TForm4::Mode::Abort);
    form4_->showOver(main_.get());
    // The register reads block; let the dialog and the disabled window paint first.
    reporter_->processEvents();
    download_->readMemory();
    form4_->hide();
    main_->setTransferRunning(false);
}

void WindowSet::runSystemScan()
{
    if (scanSystem(settings_, state_, link_, *reporter_, *form5_) == ScanOutcome::NoCommunication) form5_->scanFailed();
}

void WindowSet::showHelp(const QString& anchor)
{
    if (!help_) help_ = new widgets::HelpWindow(main_.get());
    if (!help_->showPage(shell_.helpFile(state_.startDir), anchor))
        reporter_->showMessage(QStringLiteral("Nie odnaleziono pliku pomocy!"), kWarning, MessageIcon::None);
}

void WindowSet::housekeepingTick()
{
    if (vorda::housekeepingTick(form4_.get(), measurementBar_, state_.rescanCountdown)) rescanNewestBlock();
}

void WindowSet::rescanNewestBlock()
{
    for (int i = 0; i < 2; ++i) pollNewestBlock(settings_, state_, link_, *reporter_, *form5_);
    emit rescanFinished();
}

void WindowSet::setBlockList(ScanSink* blockList)
{
    form5_->setBlockList(blockList);
}

}  // namespace vorda
