#include "ui/window_set.h"

#include "link/memory_download.h"
#include "measure/housekeeping.h"
#include "measure/measurement_control.h"
#include "measure/system_scan.h"
#include "ui/about_dialog.h"
#include "ui/desktop_shell.h"
#include "ui/live_monitoring.h"
#include "ui/main_window.h"
#include "ui/measurements_window.h"
#include "ui/progress_dialog.h"
#include "ui/properties_window.h"
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

    form4_ = std::make_unique<TForm4>();
    connect(reporter_.get(), &WindowReporter::transferMessageAdded, form4_.get(), &TForm4::addMessage);
    form5_ = new TForm5(settings_, main_.get());
    form7_ = new TForm7(state_, main_.get());
    about_ = new TOKBottomDlg(main_.get());
    download_ = std::make_unique<MemoryDownload>(settings_, state_, link_, *reporter_, form4_.get());

    connect(form4_.get(), &TForm4::abortClicked, this, [this] { download_->requestAbort(); });
    connect(form4_.get(), &TForm4::helpClicked, this, [this] { showHelp(QStringLiteral("#czyt")); });
    connect(form5_, &TForm5::reportRequested, this, [this] {
        form4_->setMode(TForm4::Mode::Report);
        form4_->showOver(main_.get());
    });
    connect(form5_, &TForm5::helpClicked, this, [this] { showHelp(QStringLiteral("#konf")); });
    connect(form5_, &TForm5::scanRequested, this,
            [this] { scanSystem(settings_, state_, link_, *reporter_, *form5_); });
    connect(about_, &TOKBottomDlg::newestVersionRequested, this, [this] {
        if (!shell_.openWebAddress(QString::fromLatin1(web::kNewestVersion)))
            reporter_->showMessage(QStringLiteral("Nie znaleziono przeglądarki internetowej.."),
                                   QStringLiteral("Error"), MessageIcon::Error);
    });
    wireMainWindow();
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
    connect(form7_, &TForm7::scanRequested, this,
            [this] { scanSystem(settings_, state_, link_, *reporter_, *form5_); });
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

void WindowSet::showHelp(const QString& anchor)
{
    if (!shell_.openHelp(state_.startDir, anchor))
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
