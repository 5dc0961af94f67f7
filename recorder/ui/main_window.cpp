#include "ui/main_window.h"

#include "core/message_captions.h"
#include "core/settings_files.h"
#include "core/settings_record.h"
#include "ui/file_browser.h"
#include "ui/live_monitoring.h"
#include "ui/message_dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

namespace vorda {
namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& hint,
                        QStyle::StandardPixmap glyph)
{
    auto* button = new QPushButton(parent->style()->standardIcon(glyph), caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setMinimumHeight(34);
    return button;
}

}  // namespace

MainWindow::MainWindow(Settings& settings, ProgramState& state, Reporter& reporter, Dialogs& dialogs,
                       DesktopShell& shell, QWidget* parent)
    : QMainWindow(parent), settings_(settings), state_(state), reporter_(reporter), shell_(shell), dialogs_(dialogs),
      terminate_([] { QCoreApplication::quit(); })
{
    setWindowTitle(QStringLiteral("OLUN Rejestrator DL03"));
    setMinimumSize(358, 420);
    resize(389, 366 + 48);
    files_ = new FileBrowser(settings, state, reporter, dialogs, shell, this);
    buildStatusBar();
    buildMenus();
    buildPanels();

    housekeepingTimer_ = new QTimer(this);
    housekeepingTimer_->setObjectName(QStringLiteral("housekeepingTimer"));
    housekeepingTimer_->setInterval(200);
    connect(housekeepingTimer_, &QTimer::timeout, this, &MainWindow::timerTick);
    housekeepingTimer_->start();
}

void MainWindow::buildStatusBar()
{
    const int widths[] = {48, 70, 50};
    const char* names[] = {"portPanel", "linkPanel", "messagePanel"};
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(statusBar());
        panels_[i]->setObjectName(QString::fromLatin1(names[i]));
        // The designed widths are minimums: a panel grows to its text, and the message panel
        // takes the width the others leave.
        panels_[i]->setMinimumWidth(widths[i]);
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        panels_[i]->installEventFilter(this);
        if (i == 2) panels_[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        statusBar()->addWidget(panels_[i], i == 2 ? 1 : 0);
    }
    statusBar()->setSizeGripEnabled(true);
    statusBar()->installEventFilter(this);
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Plik"));
    saveMonitoringAction_ = file->addAction(QStringLiteral("&Zapisz"), this, &MainWindow::saveMonitoringRequested);
    saveMonitoringAction_->setObjectName(QStringLiteral("saveMonitoringAction"));
    saveMonitoringAction_->setVisible(false);
    file->addAction(files_->openAction());
    file->addAction(files_->editorAction());
    file->addSeparator();
    exitAction_ = file->addAction(QStringLiteral("&Koniec"), this, &MainWindow::saveAndExit);
    file->addSeparator();
    showFilesAction_ = file->addAction(QStringLiteral("&Pokaż pliki"), this, &MainWindow::toggleFileList);
    showFilesAction_->setCheckable(true);
    showFilesAction_->setObjectName(QStringLiteral("showFilesAction"));

    QMenu* system = menuBar()->addMenu(QStringLiteral("&System"));
    guardedMenu_ = {system->addAction(QStringLiteral("&Czytaj pamięć"), this, &MainWindow::memoryReadRequested),
                    system->addAction(QStringLiteral("&Pomiay"), this, &MainWindow::measurementsRequested),
                    system->addAction(QStringLiteral("&Ustaw"), this, &MainWindow::settingsRequested),
                    system->addAction(QStringLiteral("&Kalibracja"), this, &MainWindow::calibrationRequested)};
    for (QAction* item : guardedMenu_) item->setObjectName(QStringLiteral("guardedItem"));
    system->addSeparator();
    system->addAction(QStringLiteral(" Właściwości"), this, &MainWindow::propertiesRequested);

    QMenu* help = menuBar()->addMenu(QStringLiteral("Pomoc"));
    QAction* description = help->addAction(QStringLiteral("Opis programu"), this, &MainWindow::showProgramHelp);
    description->setShortcut(QKeySequence(Qt::Key_F1));
    help->addAction(QStringLiteral("Internetowa pomoc techniczna."), this, &MainWindow::openSupportPage);
    help->addAction(QStringLiteral("&Strona domowa OLUN"), this, &MainWindow::openHomePage);
    help->addSeparator();
    help->addAction(QStringLiteral("O programie"), this, &MainWindow::aboutRequested);
}

void MainWindow::buildPanels()
{
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->setColumnStretch(0, 1);

    readMemoryButton_ = makeButton(central, "readMemoryButton", QStringLiteral("&Czytanie pamięci"),
                                   QStringLiteral("Czytaj wszystkie bloki pamięci."), QStyle::SP_ArrowDown);
    settingsButton_ =
        makeButton(central, "settingsButton", QStringLiteral("&Ustawianie"),
                   QStringLiteral("Ustawienia rejestratora i programu."), QStyle::SP_FileDialogDetailedView);
    calibrationButton_ = makeButton(central, "calibrationButton", QStringLiteral("K&alibrowanie"),
                                    QStringLiteral("Kalibrowanie i wyłączanie czujników, ustawianie formatu pomiarów."),
                                    QStyle::SP_DialogApplyButton);
    wipeButton_ = makeButton(central, "wipeButton", QStringLiteral("&Zerowanie pamięci"),
                             QStringLiteral("Zerowanie wszystkich bloków pamięci."), QStyle::SP_TrashIcon);
    measurementsButton_ =
        makeButton(central, "measurementsButton", QStringLiteral("&Pomiary"),
                   QStringLiteral("Start pomiaru, czytanie wybranego bloku pamięci."), QStyle::SP_MediaPlay);
    exitButton_ =
        makeButton(central, "exitButton", QStringLiteral("&Koniec"),
                   QStringLiteral("Zapisanie parametrów i zamknięcie programu."), QStyle::SP_DialogCloseButton);
    connect(readMemoryButton_, &QPushButton::clicked, this, &MainWindow::memoryReadRequested);
    connect(settingsButton_, &QPushButton::clicked, this, &MainWindow::settingsRequested);
    connect(calibrationButton_, &QPushButton::clicked, this, &MainWindow::calibrationRequested);
    connect(wipeButton_, &QPushButton::clicked, this, &MainWindow::wipeRequested);
    connect(measurementsButton_, &QPushButton::clicked, this, &MainWindow::measurementsRequested);
    connect(exitButton_, &QPushButton::clicked, exitAction_, &QAction::trigger);

    QWidget* group = buildMonitoringGroup(central);
    // Ctrl+M opens the monitoring window.
    auto* monitorShortcut = new QAction(this);
    monitorShortcut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    connect(monitorShortcut, &QAction::triggered, this, &MainWindow::monitoringWindowRequested);
    addAction(monitorShortcut);

    // Each descriptive label pair stands beside the button it describes.
    struct Row {
        QWidget* control;
        const char* first;
        const char* second;
    };
    const Row rows[] = {
        {readMemoryButton_, "Czytanie całej pamięci blok po bloku", "i zapisywanie do kolejnych plików. "},
        {settingsButton_, "Ustawianie parametrów transmisji i pomiaru:", "czasu próbkowania, liczby próbek itd.."},
        {calibrationButton_, "Kalibrowanie poszczególnych czujników", "pomiarowych."},
        {wipeButton_, "Wymazanie całej pamięci rejestratora.", nullptr},
        {measurementsButton_, "Zdalne uruchamianie pomiarów, Czytanie", "wybranych bloków pomiarowych"},
        {group, "Monitorowanie bieżących pomiarów.", nullptr},
    };
    int row = 0;
    for (const Row& r : rows) {
        QString text = QString::fromUtf8(r.first);
        if (r.second) text += QLatin1Char('\n') + QString::fromUtf8(r.second);
        auto* label = new QLabel(text, central);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setWordWrap(true);  // the designed width is narrow for today's fonts
        grid->addWidget(label, row, 0);
        grid->addWidget(r.control, row, 1);
        ++row;
    }
    grid->setRowStretch(row, 1);
    grid->addWidget(exitButton_, row + 1, 1);

    // The file list and the monitoring memo lie over the labels, in the same place.
    files_->setParent(central);
    monitoringMemo_ = new QPlainTextEdit(central);
    monitoringMemo_->setObjectName(QStringLiteral("monitoringMemo"));
    configureMonitoringMemo(*monitoringMemo_);
    monitoringMemo_->setVisible(false);
    grid->addWidget(monitoringMemo_, 0, 0, row + 2, 1);
    grid->addWidget(files_, 0, 0, row + 2, 1);

    setCentralWidget(central);
}

QWidget* MainWindow::buildMonitoringGroup(QWidget* parent)
{
    auto* group = new QGroupBox(QStringLiteral("Monitorowanie"), parent);
    auto* layout = new QVBoxLayout(group);
    previewBox_ = new QCheckBox(QStringLiteral("Podgląd."), group);
    previewBox_->setObjectName(QStringLiteral("previewBox"));
    previewBox_->setToolTip(QStringLiteral("Pokaż wyniki monitorowania."));
    monitoringBox_ = new QCheckBox(QStringLiteral("Monitorowanie."), group);
    monitoringBox_->setObjectName(QStringLiteral("monitoringBox"));
    monitoringBox_->setToolTip(QStringLiteral("Monitorowanie przy podłączonym rejestratorze."));
    layout->addWidget(previewBox_);
    layout->addWidget(monitoringBox_);
    connect(previewBox_, &QCheckBox::clicked, this, &MainWindow::previewToggled);
    connect(monitoringBox_, &QCheckBox::clicked, this, &MainWindow::monitoringToggled);
    return group;
}

void MainWindow::startUp(bool clearFirst)
{
    // A settings program is copied over the configuration in the start-up directory
    // before the re-run, so that directory stays the start-up directory.
    if (clearFirst || state_.startDir.isEmpty())
        state_.setStartDir(QDir::currentPath());
    else
        QDir::setCurrent(state_.startDir);

    const LoadOutcome outcome = loadStartupSettings(settings_, state_.startDir, reporter_, clearFirst);
    state_.defaultsUsed = !outcome.fromFile;
    if (outcome.fromFile && settings_.mainWidth > 0 && settings_.mainHeight > 0) {
        resize(settings_.mainWidth, settings_.mainHeight);
        move(settings_.mainLeft, settings_.mainTop);
    }

    showPortStatus();

    const bool show = settings_.showFiles != 0;
    showFilesAction_->setChecked(show);
    files_->setVisible(show);
    files_->editorAction()->setEnabled(show);
    files_->showStartDirectory();

    state_.statusRead = false;
    state_.rescanCountdown = -1;
}

void MainWindow::showPortStatus()
{
    reporter_.setStatus(StatusPanel::Port, QStringLiteral("com%1 ").arg(settings_.portNumber));
    reporter_.setLinkState(settings_.portOpen == 1 ? LinkState::Connected : LinkState::Disconnected);
}

void MainWindow::timerTick()
{
    housekeepingTimer_->setInterval(1000);
    emit clockTicked(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")),
                     QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    emit housekeepingTicked();
}

void MainWindow::setTransferRunning(bool running)
{
    transferRunning_ = running;
    applyEnablingRules();
}

void MainWindow::setMonitoringViewOn(bool on)
{
    monitoringViewOn_ = on;
    applyEnablingRules();
}

void MainWindow::setMonitoringWindowOpen(bool open)
{
    monitoringWindowOpen_ = open;
    applyEnablingRules();
}

void MainWindow::applyEnablingRules()
{
    const bool transfersAllowed = !transferRunning_ && !monitoringViewOn_;
    for (QPushButton* b : {readMemoryButton_, measurementsButton_, wipeButton_, settingsButton_, calibrationButton_})
        b->setEnabled(transfersAllowed);
    // The menu items of the same functions too, so no second exchange starts from there.
    for (QAction* item : guardedMenu_) item->setEnabled(transfersAllowed);
    monitoringMemo_->setVisible(monitoringViewOn_);
    if (monitoringViewOn_) monitoringMemo_->raise();
    monitoringBox_->setEnabled(!transferRunning_);
    setEnabled(!transferRunning_);
    exitAction_->setEnabled(!monitoringWindowOpen_);
    exitButton_->setEnabled(!monitoringWindowOpen_);
    saveMonitoringAction_->setVisible(monitoringViewOn_);
}

void MainWindow::uncheckMonitoring()
{
    monitoringBox_->setChecked(false);
}

void MainWindow::appendMonitoringLine(const std::string& line)
{
    vorda::appendMonitoringLine(*monitoringMemo_, line);
}

void MainWindow::toggleFileList()
{
    const bool show = showFilesAction_->isChecked();
    files_->setVisible(show);
    if (show) files_->raise();
    files_->editorAction()->setEnabled(show);
    settings_.showFiles = show ? 1 : 0;
}

void MainWindow::saveAndExit()
{
    settings_.mainWidth = width();
    settings_.mainHeight = height();
    settings_.mainLeft = x();
    settings_.mainTop = y();
    QDir::setCurrent(state_.startDir);
    saveStartupSettings(settings_, state_.startDir, reporter_);
    terminate_();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The close box ends the program without saving, unless the user changed the record
    // and chooses to save it or to stay.
    if (unsaved_ && unsaved_()) {
        switch (dialogs_.askToSave(this, QStringLiteral("Zapisać zmiany ustawień?"), windowTitle())) {
        case SaveChoice::Save:
            event->ignore();
            saveAndExit();
            return;
        case SaveChoice::Cancel:
            event->ignore();
            return;
        case SaveChoice::Discard:
            break;
        }
    }
    event->accept();
    terminate_();
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && state_.defaultsUsed) emit defaultsActivation();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == statusBar() || watched == panels_[0] || watched == panels_[1] || watched == panels_[2]))
        copyMessageToHint();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::copyMessageToHint()
{
    statusBar()->setToolTip(panels_[2]->text());
}

// --- Help, web pages ---

void MainWindow::showProgramHelp()
{
    emit helpRequested({});
}

void MainWindow::openSupportPage()
{
    if (!shell_.openWebAddress(QString::fromLatin1(web::kSupport)))
        reporter_.showMessage(QStringLiteral("Nie można uruchomić przeglądarki internetowej"),
                              QString::fromUtf8(kWarningCaption), MessageIcon::None);
}

void MainWindow::openHomePage()
{
    shell_.openWebAddress(QString::fromLatin1(web::kHomePage));
}

void MainWindow::setStatusText(StatusPanel panel, const QString& text)
{
    QLabel* label = panels_[static_cast<int>(panel)];
    label->setText(text);
    label->setToolTip(text);
    statusBar()->repaint();
}

}  // namespace vorda
