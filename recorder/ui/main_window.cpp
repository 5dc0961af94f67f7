#include "ui/main_window.h"

#include "core/settings_files.h"
#include "core/settings_record.h"
#include "core/user_configuration.h"
#include "ui/core_texts.h"
#include "ui/file_browser.h"
#include "ui/live_monitoring.h"
#include "ui/message_dialogs.h"

#include <QAction>
#include <QActionGroup>
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
    setWindowTitle(tr("OLUN Rejestrator DL03"));
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
    QMenu* file = menuBar()->addMenu(tr("&Plik"));
    saveMonitoringAction_ = file->addAction(tr("&Zapisz"), this, &MainWindow::saveMonitoringRequested);
    saveMonitoringAction_->setObjectName(QStringLiteral("saveMonitoringAction"));
    saveMonitoringAction_->setVisible(false);
    file->addAction(files_->openAction());
    file->addAction(files_->editorAction());
    file->addSeparator();
    exitAction_ = file->addAction(tr("&Koniec"), this, &MainWindow::saveAndExit);
    file->addSeparator();
    showFilesAction_ = file->addAction(tr("&Pokaż pliki"), this, &MainWindow::toggleFileList);
    showFilesAction_->setCheckable(true);
    showFilesAction_->setObjectName(QStringLiteral("showFilesAction"));

    QMenu* system = menuBar()->addMenu(tr("&System"));
    guardedMenu_ = {system->addAction(tr("&Czytaj pamięć"), this, &MainWindow::memoryReadRequested),
                    system->addAction(tr("Czytanie nowych bloków"), this,
                                      &MainWindow::newBlocksReadRequested),
                    system->addAction(tr("&Pomiay"), this, &MainWindow::measurementsRequested),
                    system->addAction(tr("&Ustaw"), this, &MainWindow::settingsRequested),
                    system->addAction(tr("&Kalibracja"), this, &MainWindow::calibrationRequested)};
    for (QAction* item : guardedMenu_) item->setObjectName(QStringLiteral("guardedItem"));
    system->addSeparator();
    system->addAction(tr(" Właściwości"), this, &MainWindow::propertiesRequested);

    buildLanguageMenu();

    QMenu* help = menuBar()->addMenu(tr("Pomoc"));
    QAction* description = help->addAction(tr("Opis programu"), this, &MainWindow::showProgramHelp);
    description->setShortcut(QKeySequence(Qt::Key_F1));
    help->addAction(tr("Internetowa pomoc techniczna."), this, &MainWindow::openSupportPage);
    help->addAction(tr("&Strona domowa OLUN"), this, &MainWindow::openHomePage);
    help->addSeparator();
    help->addAction(tr("O programie"), this, &MainWindow::aboutRequested);
}

void MainWindow::buildLanguageMenu()
{
    // Each language by its own name; the choice is kept in the user's configuration and
    // takes effect at the next start.
    QMenu* menu = menuBar()->addMenu(tr("Język"));
    menu->setObjectName(QStringLiteral("languageMenu"));
    auto* choices = new QActionGroup(menu);
    const language::Language current = language::current(userConfiguration());
    for (const auto& [name, choice] : {std::pair{"Polski", language::Language::Polish},
                                        std::pair{"English", language::Language::English}}) {
        QAction* item = menu->addAction(QString::fromLatin1(name));
        item->setCheckable(true);
        item->setChecked(choice == current);
        choices->addAction(item);
        connect(item, &QAction::triggered, this, [this, choice] { chooseLanguage(choice); });
    }
}

void MainWindow::chooseLanguage(language::Language choice)
{
    QSettings configuration = userConfiguration();
    language::saveChoice(configuration, choice);
    dialogs_.message(this, tr("Język programu zmieni się przy następnym uruchomieniu."), tr("Język"),
                     MessageIcon::Information);
}

void MainWindow::buildPanels()
{
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->setColumnStretch(0, 1);

    readMemoryButton_ = makeButton(central, "readMemoryButton", tr("&Czytanie pamięci"),
                                   tr("Czytaj wszystkie bloki pamięci."), QStyle::SP_ArrowDown);
    settingsButton_ =
        makeButton(central, "settingsButton", tr("&Ustawianie"),
                   tr("Ustawienia rejestratora i programu."), QStyle::SP_FileDialogDetailedView);
    calibrationButton_ = makeButton(central, "calibrationButton", tr("K&alibrowanie"),
                                    tr("Kalibrowanie i wyłączanie czujników, ustawianie formatu pomiarów."),
                                    QStyle::SP_DialogApplyButton);
    wipeButton_ = makeButton(central, "wipeButton", tr("&Zerowanie pamięci"),
                             tr("Zerowanie wszystkich bloków pamięci."), QStyle::SP_TrashIcon);
    measurementsButton_ =
        makeButton(central, "measurementsButton", tr("&Pomiary"),
                   tr("Start pomiaru, czytanie wybranego bloku pamięci."), QStyle::SP_MediaPlay);
    exitButton_ =
        makeButton(central, "exitButton", tr("&Koniec"),
                   tr("Zapisanie parametrów i zamknięcie programu."), QStyle::SP_DialogCloseButton);
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

    // Each description stands beside the button it describes.
    struct Row {
        QWidget* control;
        QString text;
    };
    const Row rows[] = {
        {readMemoryButton_, tr("Czytanie całej pamięci blok po bloku\ni zapisywanie do kolejnych plików. ")},
        {settingsButton_, tr("Ustawianie parametrów transmisji i pomiaru:\nczasu próbkowania, liczby próbek itd..")},
        {calibrationButton_, tr("Kalibrowanie poszczególnych czujników\npomiarowych.")},
        {wipeButton_, tr("Wymazanie całej pamięci rejestratora.")},
        {measurementsButton_, tr("Zdalne uruchamianie pomiarów, Czytanie\nwybranych bloków pomiarowych")},
        {group, tr("Monitorowanie bieżących pomiarów.")},
    };
    int row = 0;
    for (const Row& r : rows) {
        auto* label = new QLabel(r.text, central);
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
    auto* group = new QGroupBox(tr("Monitorowanie"), parent);
    auto* layout = new QVBoxLayout(group);
    previewBox_ = new QCheckBox(tr("Podgląd."), group);
    previewBox_->setObjectName(QStringLiteral("previewBox"));
    previewBox_->setToolTip(tr("Pokaż wyniki monitorowania."));
    monitoringBox_ = new QCheckBox(tr("Monitorowanie."), group);
    monitoringBox_->setObjectName(QStringLiteral("monitoringBox"));
    monitoringBox_->setToolTip(tr("Monitorowanie przy podłączonym rejestratorze."));
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
    savedImage_ = settings_.toImage();
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
    if (saveStartupSettings(settings_, savedImage_, state_.startDir, reporter_)) emit recordSaved();
    terminate_();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The close box ends the program without saving, unless the user changed the record
    // and chooses to save it or to stay.
    if (unsaved_ && unsaved_()) {
        switch (dialogs_.askToSave(this, tr("Zapisać zmiany ustawień?"), windowTitle())) {
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
        reporter_.showMessage(tr("Nie można uruchomić przeglądarki internetowej"),
                              warningCaption(), MessageIcon::None);
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
