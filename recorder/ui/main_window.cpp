#include "ui/main_window.h"

#include "core/settings_files.h"
#include "core/settings_record.h"
#include "core/text_codec.h"
#include "files/file_operations.h"
#include "files/presenter_handoff.h"
#include "files/spreadsheet_export.h"
#include "ui/list_keys.h"
#include "ui/message_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QToolButton>
#include <QVBoxLayout>

namespace vorda {
namespace {

const QString kWarning = QStringLiteral("Uwaga!");
constexpr int kNameRole = Qt::UserRole;
constexpr int kIsDirectoryRole = Qt::UserRole + 1;

QPushButton* makeButton(QWidget* parent, const QString& caption, const QString& hint, QStyle::StandardPixmap glyph)
{
    auto* button = new QPushButton(parent->style()->standardIcon(glyph), caption, parent);
    button->setToolTip(hint);
    button->setMinimumHeight(34);
    return button;
}

}  // namespace

MainWindow::MainWindow(Settings& settings, ProgramState& state, Reporter& reporter, Dialogs& dialogs,
                       DesktopShell& shell, QWidget* parent)
    : QMainWindow(parent), settings_(settings), state_(state), reporter_(reporter), dialogs_(dialogs), shell_(shell),
      terminate_([] { QCoreApplication::quit(); })
{
    setWindowTitle(QStringLiteral("OLUN Rejestrator DL03"));
    setMinimumSize(358, 420);
    resize(389, 366 + 48);
    buildStatusBar();
    buildMenus();
    buildPanels();
    buildFileListMenu();

    housekeepingTimer_.setInterval(200);
    connect(&housekeepingTimer_, &QTimer::timeout, this, &MainWindow::timerTick);
    housekeepingTimer_.start();
}

void MainWindow::buildStatusBar()
{
    const int widths[] = {48, 70, 50};
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(statusBar());
        panels_[i]->setFixedWidth(widths[i]);
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        panels_[i]->installEventFilter(this);
        statusBar()->addWidget(panels_[i]);
    }
    statusBar()->setSizeGripEnabled(true);
    statusBar()->installEventFilter(this);
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Plik"));
    saveMonitoringAction_ =
        file->addAction(QStringLiteral("&saveMonitoringAction_"), this, &MainWindow::saveMonitoringRequested);
    saveMonitoringAction_->setVisible(false);
    openAction_ = file->addAction(QStringLiteral("&Otwórz"), this, &MainWindow::chooseAndOpenFile);
    editorAction_ = file->addAction(QStringLiteral("&editorAction_"), this, &MainWindow::openInEditor);
    file->addSeparator();
    exitAction_ = file->addAction(QStringLiteral("&exitAction_"), this, &MainWindow::saveAndExit);
    file->addSeparator();
    showFilesAction_ = file->addAction(QStringLiteral("&Pokaż pliki"), this, &MainWindow::toggleFileList);
    showFilesAction_->setCheckable(true);

    QMenu* system = menuBar()->addMenu(QStringLiteral("&System"));
    guardedMenu_ = {system->addAction(QStringLiteral("&Czytaj pamięć"), this, &MainWindow::memoryReadRequested),
                    system->addAction(QStringLiteral("&Pomiay"), this, &MainWindow::measurementsRequested),
                    system->addAction(QStringLiteral("&Ustaw"), this, &MainWindow::settingsRequested),
                    system->addAction(QStringLiteral("&Kalibracja"), this, &MainWindow::calibrationRequested)};
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

    readMemoryButton_ = makeButton(central, QStringLiteral("&Czytanie pamięci"),
                                   QStringLiteral("Czytaj wszystkie bloki pamięci."), QStyle::SP_ArrowDown);
    settingsButton_ =
        makeButton(central, QStringLiteral("&Ustawianie"), QStringLiteral("Ustawienia rejestratora i programu."),
                   QStyle::SP_FileDialogDetailedView);
    calibrationButton_ = makeButton(central, QStringLiteral("K&alibrowanie"),
                                    QStringLiteral("Kalibrowanie i wyłączanie czujników, ustawianie formatu pomiarów."),
                                    QStyle::SP_DialogApplyButton);
    wipeButton_ = makeButton(central, QStringLiteral("&Zerowanie pamięci"),
                             QStringLiteral("Zerowanie wszystkich bloków pamięci."), QStyle::SP_TrashIcon);
    measurementsButton_ =
        makeButton(central, QStringLiteral("&Pomiary"),
                   QStringLiteral("Start pomiaru, czytanie wybranego bloku pamięci."), QStyle::SP_MediaPlay);
    exitButton_ =
        makeButton(central, QStringLiteral("&exitAction_"),
                   QStringLiteral("Zapisanie parametrów i zamknięcie programu."), QStyle::SP_DialogCloseButton);
    connect(readMemoryButton_, &QPushButton::clicked, this, &MainWindow::memoryReadRequested);
    connect(settingsButton_, &QPushButton::clicked, this, &MainWindow::settingsRequested);
    connect(calibrationButton_, &QPushButton::clicked, this, &MainWindow::calibrationRequested);
    connect(wipeButton_, &QPushButton::clicked, this, &MainWindow::wipeRequested);
    connect(measurementsButton_, &QPushButton::clicked, this, &MainWindow::measurementsRequested);
    connect(exitButton_, &QPushButton::clicked, exitAction_, &QAction::trigger);

    auto* group = new QGroupBox(QStringLiteral("Monitorowanie"), central);
    auto* groupLayout = new QVBoxLayout(group);
    previewBox_ = new QCheckBox(QStringLiteral("Podgląd."), group);
    previewBox_->setToolTip(QStringLiteral("Pokaż wyniki monitorowania."));
    monitoringBox_ = new QCheckBox(QStringLiteral("Monitorowanie."), group);
    monitoringBox_->setToolTip(QStringLiteral("Monitorowanie przy podłączonym rejestratorze."));
    appendBox_ = new QCheckBox(QStringLiteral("Dopisz do pliku."), group);
    appendBox_->setVisible(false);
    auto* monitorButton = new QPushButton(QStringLiteral("M"), group);
    auto* monitorSpeedButton = new QToolButton(group);
    monitorSpeedButton->setText(QStringLiteral("M"));
    monitorButton->setVisible(false);
    monitorSpeedButton->setVisible(false);
    for (QWidget* w :
         {static_cast<QWidget*>(previewBox_), static_cast<QWidget*>(monitoringBox_), static_cast<QWidget*>(appendBox_),
          static_cast<QWidget*>(monitorButton), static_cast<QWidget*>(monitorSpeedButton)})
        groupLayout->addWidget(w);
    connect(previewBox_, &QCheckBox::clicked, this, &MainWindow::previewToggled);
    connect(monitoringBox_, &QCheckBox::clicked, this, &MainWindow::monitoringToggled);
    connect(monitorButton, &QPushButton::clicked, this, &MainWindow::monitoringWindowRequested);
    connect(monitorSpeedButton, &QToolButton::clicked, this, &MainWindow::monitoringWindowRequested);
    // The "M" controls are hidden; Ctrl+M reaches the monitoring window all the same.
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
    fileList_ = new QListWidget(central);
    fileList_->setToolTip(QStringLiteral("Użyj klawisza myszy."));
    fileList_->setContextMenuPolicy(Qt::CustomContextMenu);
    // A click or a move of the selection by keyboard; not the list's own refill.
    connect(fileList_, &QListWidget::itemClicked, this, &MainWindow::entrySelected);
    connect(fileList_, &QListWidget::currentItemChanged, this, &MainWindow::entrySelected);
    connect(fileList_, &QListWidget::itemDoubleClicked, this, &MainWindow::openCurrentEntry);
    monitoringMemo_ = new QPlainTextEdit(central);
    monitoringMemo_->setVisible(false);
    fileNameEdit_ = new QLineEdit(QString::fromLatin1(kMeasurementMask), central);
    fileNameEdit_->setVisible(false);
    grid->addWidget(monitoringMemo_, 0, 0, row + 2, 1);
    grid->addWidget(fileList_, 0, 0, row + 2, 1);

    setCentralWidget(central);
}

void MainWindow::buildFileListMenu()
{
    fileListMenu_ = new QMenu(this);
    fileListMenu_->addAction(openAction_);
    fileListMenu_->addAction(QStringLiteral("&Wykres"), this, &MainWindow::showChart);
    fileListMenu_->addAction(QStringLiteral("&Wykres 'maksymalizuj'"), this, &MainWindow::showChartMaximized);
    editorPopupAction_ = fileListMenu_->addAction(QStringLiteral("&editorAction_"), this, &MainWindow::openInEditor);
    fileListMenu_->addSeparator();
    fileListMenu_->addAction(QStringLiteral("MS Explorer"), this, &MainWindow::exploreDataDirectory);
    fileListMenu_->addAction(QStringLiteral("Wstaw do MS Excel"), this, &MainWindow::exportToSpreadsheet);
    fileListMenu_->addSeparator();
    fileListMenu_->addAction(QStringLiteral("Usuń"), this, &MainWindow::deleteSelectedFile);
    connect(fileList_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { fileListMenu_->popup(fileList_->viewport()->mapToGlobal(at)); });
    addListKeys(
        fileList_, [this] { openCurrentEntry(); }, fileListMenu_);
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
    fileList_->setVisible(show);
    editorAction_->setEnabled(show);

    const QString dataDir = dataDirectoryText();
    setListDirectory(QFileInfo(dataDir).isDir() ? dataDir : QDir::currentPath());

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
    housekeepingTimer_.setInterval(1000);
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
    // The close box ends the program without saving; only "&exitAction_" saves.
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

// --- File browser ---

QString MainWindow::dataDirectoryText() const
{
    return QDir::fromNativeSeparators(fromWin1250(fieldText(settings_.dataDirectory)));
}

QString MainWindow::selectedFilePath() const
{
    return resolveFileName(listDir_, fileNameEdit_->text());
}

void MainWindow::setListDirectory(const QString& dir)
{
    listDir_ = QDir(dir).absolutePath();
    QDir::setCurrent(listDir_);
    refreshFileList();
}

void MainWindow::showDataDirectory()
{
    const QString dataDir = dataDirectoryText();
    if (QFileInfo(dataDir).isDir())
        setListDirectory(dataDir);
    else
        refreshFileList();
}

void MainWindow::refreshFileList()
{
    const QListWidgetItem* current = fileList_->currentItem();
    const QString selected = current ? current->data(kNameRole).toString() : QString();
    const QSignalBlocker quiet(fileList_);
    fileList_->clear();
    for (const DirectoryEntry& entry : vorda::listDirectory(listDir_)) {
        auto* item = new QListWidgetItem(entry.isDirectory ? QStringLiteral("[%1]").arg(entry.name) : entry.name);
        item->setData(kNameRole, entry.name);
        item->setData(kIsDirectoryRole, entry.isDirectory);
        item->setIcon(style()->standardIcon(entry.isDirectory ? QStyle::SP_DirIcon : QStyle::SP_FileIcon));
        fileList_->addItem(item);
        if (entry.name == selected) fileList_->setCurrentItem(item);
    }
}

void MainWindow::entrySelected()
{
    const QListWidgetItem* item = fileList_->currentItem();
    const bool isFile = item && !item->data(kIsDirectoryRole).toBool();
    fileNameEdit_->setText(isFile ? item->data(kNameRole).toString() : QString::fromLatin1(kMeasurementMask));
    reporter_.setStatus(StatusPanel::Message, QDir::toNativeSeparators(listDir_));
}

void MainWindow::openCurrentEntry()
{
    const QListWidgetItem* item = fileList_->currentItem();
    if (item && item->data(kIsDirectoryRole).toBool()) {
        fileNameEdit_->setText(QString::fromLatin1(kMeasurementMask));
        setListDirectory(QDir(listDir_).filePath(item->data(kNameRole).toString()));
        return;
    }
    openInEditor();
}

void MainWindow::toggleFileList()
{
    const bool show = showFilesAction_->isChecked();
    fileList_->setVisible(show);
    if (show) fileList_->raise();
    editorAction_->setEnabled(show);
    settings_.showFiles = show ? 1 : 0;
}

void MainWindow::openInEditor()
{
    if (!shell_.openDocument(selectedFilePath()))
        reporter_.showMessage(QStringLiteral("Błąd ładowania pliku"), QStringLiteral("Błąd"), MessageIcon::None);
}

void MainWindow::chooseAndOpenFile()
{
    QString dataDir = dataDirectoryText();
    QDir::setCurrent(dataDir);
    const QString chosen =
        dialogs_.openFileName(this, dataDir, QStringLiteral("RRRR_MM_DD_gg_mm_ss"),
                              QStringLiteral("Pliki tekstowe *.txt (*.txt);;Wszystkie pliki *.* (*)"));
    // Cancelled, the list stays where it is; the working directory goes back there too.
    QString listed = listDir_;
    if (!chosen.isEmpty()) {
        const QFileInfo info(chosen);
        if (info.isFile()) {
            rememberPath(settings_.lastFile, info.absoluteFilePath());
            fileNameEdit_->setText(info.absoluteFilePath());
            openInEditor();
        }
        rememberPath(settings_.dataDirectory, info.absolutePath());
        dataDir = info.absolutePath();
        listed = dataDir;
    }
    reporter_.setStatus(StatusPanel::Message, QDir::toNativeSeparators(dataDir));
    setListDirectory(listed);
}

void MainWindow::deleteSelectedFile()
{
    const QString question =
        QStringLiteral("Wciskając OK! usuniesz plik ") + QDir::toNativeSeparators(fileNameEdit_->text());
    if (!reporter_.confirmDestructive(question, QStringLiteral("Uwaga !"))) return;
    deleteFileIfExists(selectedFilePath());
    refreshFileList();
}

void MainWindow::exploreDataDirectory()
{
    if (!shell_.exploreFolder(dataDirectoryText()))
        reporter_.showMessage(QStringLiteral("Dostęp zabroniony!"), kWarning, MessageIcon::None);
}

void MainWindow::exportToSpreadsheet()
{
    const QString target = QDir(listDir_).filePath(QString::fromLatin1(kSpreadsheetCopyName));
    reporter_.setStatus(StatusPanel::Message, QStringLiteral("Wstaw do MS Excel"));
    switch (exportForSpreadsheet(selectedFilePath(), target)) {
    case ExportResult::SourceUnreadable:
        reporter_.showMessage(QStringLiteral("Błąd otwarcia pliku"), QStringLiteral("Bląd"), MessageIcon::None);
        break;
    case ExportResult::TargetUnwritable:
        reporter_.showMessage(QStringLiteral("Błąd konwersji, Zmiń nazwę lub zamknij plik w Excelu"),
                              QStringLiteral("Bląd"), MessageIcon::None);
        break;
    case ExportResult::Ok:
        shell_.openSpreadsheet(target);
        break;
    }
    refreshFileList();
}

void MainWindow::showChart()
{
    presenterShowMode_ = ShowMode::Normal;
    startPresenter();
}

void MainWindow::showChartMaximized()
{
    presenterShowMode_ = ShowMode::Maximized;
    startPresenter();
}

void MainWindow::startPresenter()
{
    // Neither a failed copy nor a failed start is reported: the presenter falls back to
    // the previous hand-off file, and the user sees whether it started.
    writeHandoffCopy(selectedFilePath(), state_.startDir);
    shell_.startPresenter(presenterArgument(listDir_, fileNameEdit_->text()), state_.startDir, presenterShowMode_);
}

template <std::size_t N>
void MainWindow::rememberPath(char (&field)[N], const QString& path)
{
    // Stored only when it fits whole, so a path is never cut into one that names another place.
    const auto bytes = toWin1250(QDir::toNativeSeparators(path));
    if (bytes && bytes->size() <= N - 1) {
        setFieldText(field, *bytes);
        return;
    }
    reporter_.showMessage(QStringLiteral("Ścieżka nie zostanie zapamiętana w ustawieniach: jest dłuższa niż %1 znaków "
                                         "lub zawiera znaki spoza strony kodowej Windows-1250.\n%2")
                              .arg(N - 1)
                              .arg(QDir::toNativeSeparators(path)),
                          kWarning, MessageIcon::Warning);
}

// --- Help, web pages ---

void MainWindow::showProgramHelp()
{
    emit helpRequested({});
}

void MainWindow::openSupportPage()
{
    if (!shell_.openWebAddress(QString::fromLatin1(web::kSupport)))
        reporter_.showMessage(QStringLiteral("Nie można uruchomić przeglądarki internetowej"), kWarning,
                              MessageIcon::None);
}

void MainWindow::openHomePage()
{
    shell_.openWebAddress(QString::fromLatin1(web::kHomePage));
}

void MainWindow::setStatusText(StatusPanel panel, const QString& text)
{
    panels_[static_cast<int>(panel)]->setText(text);
    statusBar()->repaint();
}

// --- Inspection ---

QString MainWindow::statusText(StatusPanel panel) const
{
    return panels_[static_cast<int>(panel)]->text();
}
QString MainWindow::statusHint() const
{
    return statusBar()->toolTip();
}
QString MainWindow::fileNameText() const
{
    return fileNameEdit_->text();
}
bool MainWindow::filesShown() const
{
    return showFilesAction_->isChecked();
}
bool MainWindow::editorMenuEnabled() const
{
    return editorAction_->isEnabled();
}

bool MainWindow::saveMenuVisible() const
{
    return saveMonitoringAction_->isVisible();
}

QStringList MainWindow::listedNames() const
{
    QStringList names;
    for (int i = 0; i < fileList_->count(); ++i) names << fileList_->item(i)->text();
    return names;
}

bool MainWindow::selectEntry(const QString& text)
{
    const auto found = fileList_->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) return false;
    fileList_->setCurrentItem(found.first());
    entrySelected();
    return true;
}

}  // namespace vorda
