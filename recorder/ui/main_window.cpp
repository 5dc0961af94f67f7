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

TForm1::TForm1(Settings& settings, ProgramState& state, Reporter& reporter, Dialogs& dialogs, DesktopShell& shell,
               QWidget* parent)
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

    Timer1.setInterval(200);
    connect(&Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer1.start();
}

void TForm1::buildStatusBar()
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

void TForm1::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Plik"));
    Zapisz = file->addAction(QStringLiteral("&Zapisz"), this, &TForm1::saveMonitoringRequested);
    Zapisz->setVisible(false);
    Otworz = file->addAction(QStringLiteral("&Otwórz"), this, &TForm1::OtworzExecute);
    Edytor = file->addAction(QStringLiteral("&Edytor"), this, &TForm1::EdytorExecute);
    file->addSeparator();
    Koniec = file->addAction(QStringLiteral("&Koniec"), this, &TForm1::KoniecExecute);
    file->addSeparator();
    PokazPliki = file->addAction(QStringLiteral("&Pokaż pliki"), this, &TForm1::PokazPlikiClick);
    PokazPliki->setCheckable(true);

    QMenu* system = menuBar()->addMenu(QStringLiteral("&System"));
    guardedMenu_ = {system->addAction(QStringLiteral("&Czytaj pamięć"), this, &TForm1::memoryReadRequested),
                    system->addAction(QStringLiteral("&Pomiay"), this, &TForm1::measurementsRequested),
                    system->addAction(QStringLiteral("&Ustaw"), this, &TForm1::settingsRequested),
                    system->addAction(QStringLiteral("&Kalibracja"), this, &TForm1::calibrationRequested)};
    system->addSeparator();
    system->addAction(QStringLiteral(" Właściwości"), this, &TForm1::propertiesRequested);

    QMenu* help = menuBar()->addMenu(QStringLiteral("Pomoc"));
    QAction* description = help->addAction(QStringLiteral("Opis programu"), this, &TForm1::Opisprogramu1Click);
    description->setShortcut(QKeySequence(Qt::Key_F1));
    help->addAction(QStringLiteral("Internetowa pomoc techniczna."), this, &TForm1::SupportDl03Click);
    help->addAction(QStringLiteral("&Strona domowa OLUN"), this, &TForm1::StronadomowaOLUN1Click);
    help->addSeparator();
    help->addAction(QStringLiteral("O programie"), this, &TForm1::aboutRequested);
}

void TForm1::buildPanels()
{
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->setColumnStretch(0, 1);

    BitBtn1 = makeButton(central, QStringLiteral("&Czytanie pamięci"),
                         QStringLiteral("Czytaj wszystkie bloki pamięci."), QStyle::SP_ArrowDown);
    BitBtn2 = makeButton(central, QStringLiteral("&Ustawianie"), QStringLiteral("Ustawienia rejestratora i programu."),
                         QStyle::SP_FileDialogDetailedView);
    BitBtn3 = makeButton(central, QStringLiteral("K&alibrowanie"),
                         QStringLiteral("Kalibrowanie i wyłączanie czujników, ustawianie formatu pomiarów."),
                         QStyle::SP_DialogApplyButton);
    BitBtn5 = makeButton(central, QStringLiteral("&Zerowanie pamięci"),
                         QStringLiteral("Zerowanie wszystkich bloków pamięci."), QStyle::SP_TrashIcon);
    BitBtn6 = makeButton(central, QStringLiteral("&Pomiary"),
                         QStringLiteral("Start pomiaru, czytanie wybranego bloku pamięci."), QStyle::SP_MediaPlay);
    BitBtn4 = makeButton(central, QStringLiteral("&Koniec"),
                         QStringLiteral("Zapisanie parametrów i zamknięcie programu."), QStyle::SP_DialogCloseButton);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm1::memoryReadRequested);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm1::settingsRequested);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm1::calibrationRequested);
    connect(BitBtn5, &QPushButton::clicked, this, &TForm1::wipeRequested);
    connect(BitBtn6, &QPushButton::clicked, this, &TForm1::measurementsRequested);
    connect(BitBtn4, &QPushButton::clicked, Koniec, &QAction::trigger);

    auto* group = new QGroupBox(QStringLiteral("Monitorowanie"), central);
    auto* groupLayout = new QVBoxLayout(group);
    CheckBox2 = new QCheckBox(QStringLiteral("Podgląd."), group);
    CheckBox2->setToolTip(QStringLiteral("Pokaż wyniki monitorowania."));
    CheckBox1 = new QCheckBox(QStringLiteral("Monitorowanie."), group);
    CheckBox1->setToolTip(QStringLiteral("Monitorowanie przy podłączonym rejestratorze."));
    CheckBox3 = new QCheckBox(QStringLiteral("Dopisz do pliku."), group);
    CheckBox3->setVisible(false);
    auto* monitorButton = new QPushButton(QStringLiteral("M"), group);
    auto* monitorSpeedButton = new QToolButton(group);
    monitorSpeedButton->setText(QStringLiteral("M"));
    monitorButton->setVisible(false);
    monitorSpeedButton->setVisible(false);
    for (QWidget* w :
         {static_cast<QWidget*>(CheckBox2), static_cast<QWidget*>(CheckBox1), static_cast<QWidget*>(CheckBox3),
          static_cast<QWidget*>(monitorButton), static_cast<QWidget*>(monitorSpeedButton)})
        groupLayout->addWidget(w);
    connect(CheckBox2, &QCheckBox::clicked, this, &TForm1::previewToggled);
    connect(CheckBox1, &QCheckBox::clicked, this, &TForm1::monitoringToggled);
    connect(monitorButton, &QPushButton::clicked, this, &TForm1::monitoringWindowRequested);
    connect(monitorSpeedButton, &QToolButton::clicked, this, &TForm1::monitoringWindowRequested);
    // The "M" controls are hidden; Ctrl+M reaches the monitoring window all the same.
    auto* monitorShortcut = new QAction(this);
    monitorShortcut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    connect(monitorShortcut, &QAction::triggered, this, &TForm1::monitoringWindowRequested);
    addAction(monitorShortcut);

    // Each descriptive label pair stands beside the button it describes.
    struct Row {
        QWidget* control;
        const char* first;
        const char* second;
    };
    const Row rows[] = {
        {BitBtn1, "Czytanie całej pamięci blok po bloku", "i zapisywanie do kolejnych plików. "},
        {BitBtn2, "Ustawianie parametrów transmisji i pomiaru:", "czasu próbkowania, liczby próbek itd.."},
        {BitBtn3, "Kalibrowanie poszczególnych czujników", "pomiarowych."},
        {BitBtn5, "Wymazanie całej pamięci rejestratora.", nullptr},
        {BitBtn6, "Zdalne uruchamianie pomiarów, Czytanie", "wybranych bloków pomiarowych"},
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
    grid->addWidget(BitBtn4, row + 1, 1);

    // The file list and the monitoring memo lie over the labels, in the same place.
    FileListBox1 = new QListWidget(central);
    FileListBox1->setToolTip(QStringLiteral("Użyj klawisza myszy."));
    FileListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    // A click or a move of the selection by keyboard; not the list's own refill.
    connect(FileListBox1, &QListWidget::itemClicked, this, &TForm1::FileListBox1Click);
    connect(FileListBox1, &QListWidget::currentItemChanged, this, &TForm1::FileListBox1Click);
    connect(FileListBox1, &QListWidget::itemDoubleClicked, this, &TForm1::FileListBox1DblClick);
    Memo1 = new QPlainTextEdit(central);
    Memo1->setVisible(false);
    Edit1 = new QLineEdit(QString::fromLatin1(kMeasurementMask), central);
    Edit1->setVisible(false);
    grid->addWidget(Memo1, 0, 0, row + 2, 1);
    grid->addWidget(FileListBox1, 0, 0, row + 2, 1);

    setCentralWidget(central);
}

void TForm1::buildFileListMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->addAction(Otworz);
    PopupMenu1->addAction(QStringLiteral("&Wykres"), this, &TForm1::Wykres1Click);
    PopupMenu1->addAction(QStringLiteral("&Wykres 'maksymalizuj'"), this, &TForm1::WykresMaxClick);
    EdytorPopup = PopupMenu1->addAction(QStringLiteral("&Edytor"), this, &TForm1::EdytorExecute);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(QStringLiteral("MS Explorer"), this, &TForm1::MSExplorerClick);
    PopupMenu1->addAction(QStringLiteral("Wstaw do MS Excel"), this, &TForm1::MSExcelClick);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(QStringLiteral("Usuń"), this, &TForm1::UsunPlikClick);
    connect(FileListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(FileListBox1->viewport()->mapToGlobal(at)); });
    addListKeys(
        FileListBox1, [this] { FileListBox1DblClick(); }, PopupMenu1);
}

void TForm1::FormCreate(bool clearFirst)
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
    PokazPliki->setChecked(show);
    FileListBox1->setVisible(show);
    Edytor->setEnabled(show);

    const QString dataDir = dataDirectoryText();
    setListDirectory(QFileInfo(dataDir).isDir() ? dataDir : QDir::currentPath());

    state_.statusRead = false;
    state_.rescanCountdown = -1;
}

void TForm1::showPortStatus()
{
    reporter_.setStatus(StatusPanel::Port, QStringLiteral("com%1 ").arg(settings_.portNumber));
    reporter_.setLinkState(settings_.portOpen == 1 ? LinkState::Connected : LinkState::Disconnected);
}

void TForm1::Timer1Timer()
{
    Timer1.setInterval(1000);
    emit clockTicked(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")),
                     QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    emit housekeepingTicked();
}

void TForm1::setTransferRunning(bool running)
{
    transferRunning_ = running;
    applyEnablingRules();
}

void TForm1::setMonitoringViewOn(bool on)
{
    monitoringViewOn_ = on;
    applyEnablingRules();
}

void TForm1::setMonitoringWindowOpen(bool open)
{
    monitoringWindowOpen_ = open;
    applyEnablingRules();
}

void TForm1::applyEnablingRules()
{
    const bool transfersAllowed = !transferRunning_ && !monitoringViewOn_;
    for (QPushButton* b : {BitBtn1, BitBtn6, BitBtn5, BitBtn2, BitBtn3}) b->setEnabled(transfersAllowed);
    // The menu items of the same functions too, so no second exchange starts from there.
    for (QAction* item : guardedMenu_) item->setEnabled(transfersAllowed);
    Memo1->setVisible(monitoringViewOn_);
    if (monitoringViewOn_) Memo1->raise();
    CheckBox1->setEnabled(!transferRunning_);
    setEnabled(!transferRunning_);
    Koniec->setEnabled(!monitoringWindowOpen_);
    BitBtn4->setEnabled(!monitoringWindowOpen_);
    Zapisz->setVisible(monitoringViewOn_);
}

void TForm1::KoniecExecute()
{
    settings_.mainWidth = width();
    settings_.mainHeight = height();
    settings_.mainLeft = x();
    settings_.mainTop = y();
    QDir::setCurrent(state_.startDir);
    saveStartupSettings(settings_, state_.startDir, reporter_);
    terminate_();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // The close box ends the program without saving; only "&Koniec" saves.
    event->accept();
    terminate_();
}

void TForm1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && state_.defaultsUsed) emit defaultsActivation();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == statusBar() || watched == panels_[0] || watched == panels_[1] || watched == panels_[2]))
        StatusBarClick();
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::StatusBarClick()
{
    statusBar()->setToolTip(panels_[2]->text());
}

// --- File browser ---

QString TForm1::dataDirectoryText() const
{
    return QDir::fromNativeSeparators(fromWin1250(fieldText(settings_.dataDirectory)));
}

QString TForm1::selectedFilePath() const
{
    return resolveFileName(listDir_, Edit1->text());
}

void TForm1::setListDirectory(const QString& dir)
{
    listDir_ = QDir(dir).absolutePath();
    QDir::setCurrent(listDir_);
    refreshFileList();
}

void TForm1::showDataDirectory()
{
    const QString dataDir = dataDirectoryText();
    if (QFileInfo(dataDir).isDir())
        setListDirectory(dataDir);
    else
        refreshFileList();
}

void TForm1::refreshFileList()
{
    const QListWidgetItem* current = FileListBox1->currentItem();
    const QString selected = current ? current->data(kNameRole).toString() : QString();
    const QSignalBlocker quiet(FileListBox1);
    FileListBox1->clear();
    for (const DirectoryEntry& entry : vorda::listDirectory(listDir_)) {
        auto* item = new QListWidgetItem(entry.isDirectory ? QStringLiteral("[%1]").arg(entry.name) : entry.name);
        item->setData(kNameRole, entry.name);
        item->setData(kIsDirectoryRole, entry.isDirectory);
        item->setIcon(style()->standardIcon(entry.isDirectory ? QStyle::SP_DirIcon : QStyle::SP_FileIcon));
        FileListBox1->addItem(item);
        if (entry.name == selected) FileListBox1->setCurrentItem(item);
    }
}

void TForm1::FileListBox1Click()
{
    const QListWidgetItem* item = FileListBox1->currentItem();
    const bool isFile = item && !item->data(kIsDirectoryRole).toBool();
    Edit1->setText(isFile ? item->data(kNameRole).toString() : QString::fromLatin1(kMeasurementMask));
    reporter_.setStatus(StatusPanel::Message, QDir::toNativeSeparators(listDir_));
}

void TForm1::FileListBox1DblClick()
{
    const QListWidgetItem* item = FileListBox1->currentItem();
    if (item && item->data(kIsDirectoryRole).toBool()) {
        Edit1->setText(QString::fromLatin1(kMeasurementMask));
        setListDirectory(QDir(listDir_).filePath(item->data(kNameRole).toString()));
        return;
    }
    EdytorExecute();
}

void TForm1::PokazPlikiClick()
{
    const bool show = PokazPliki->isChecked();
    FileListBox1->setVisible(show);
    if (show) FileListBox1->raise();
    Edytor->setEnabled(show);
    settings_.showFiles = show ? 1 : 0;
}

void TForm1::EdytorExecute()
{
    if (!shell_.openDocument(selectedFilePath()))
        reporter_.showMessage(QStringLiteral("Błąd ładowania pliku"), QStringLiteral("Błąd"), MessageIcon::None);
}

void TForm1::OtworzExecute()
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
            Edit1->setText(info.absoluteFilePath());
            EdytorExecute();
        }
        rememberPath(settings_.dataDirectory, info.absolutePath());
        dataDir = info.absolutePath();
        listed = dataDir;
    }
    reporter_.setStatus(StatusPanel::Message, QDir::toNativeSeparators(dataDir));
    setListDirectory(listed);
}

void TForm1::UsunPlikClick()
{
    const QString question = QStringLiteral("Wciskając OK! usuniesz plik ") + QDir::toNativeSeparators(Edit1->text());
    if (!reporter_.confirmDestructive(question, QStringLiteral("Uwaga !"))) return;
    deleteFileIfExists(selectedFilePath());
    refreshFileList();
}

void TForm1::MSExplorerClick()
{
    if (!shell_.exploreFolder(dataDirectoryText()))
        reporter_.showMessage(QStringLiteral("Dostęp zabroniony!"), kWarning, MessageIcon::None);
}

void TForm1::MSExcelClick()
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

void TForm1::Wykres1Click()
{
    presenterShowMode_ = ShowMode::Normal;
    WizorExecute();
}

void TForm1::WykresMaxClick()
{
    presenterShowMode_ = ShowMode::Maximized;
    WizorExecute();
}

void TForm1::WizorExecute()
{
    // Neither a failed copy nor a failed start is reported: the presenter falls back to
    // the previous hand-off file, and the user sees whether it started.
    writeHandoffCopy(selectedFilePath(), state_.startDir);
    shell_.startPresenter(presenterArgument(listDir_, Edit1->text()), state_.startDir, presenterShowMode_);
}

template <std::size_t N>
void TForm1::rememberPath(char (&field)[N], const QString& path)
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

void TForm1::Opisprogramu1Click()
{
    emit helpRequested({});
}

void TForm1::SupportDl03Click()
{
    if (!shell_.openWebAddress(QString::fromLatin1(web::kSupport)))
        reporter_.showMessage(QStringLiteral("Nie można uruchomić przeglądarki internetowej"), kWarning,
                              MessageIcon::None);
}

void TForm1::StronadomowaOLUN1Click()
{
    shell_.openWebAddress(QString::fromLatin1(web::kHomePage));
}

void TForm1::setStatusText(StatusPanel panel, const QString& text)
{
    panels_[static_cast<int>(panel)]->setText(text);
    statusBar()->repaint();
}

// --- Inspection ---

QString TForm1::statusText(StatusPanel panel) const
{
    return panels_[static_cast<int>(panel)]->text();
}
QString TForm1::statusHint() const
{
    return statusBar()->toolTip();
}
QString TForm1::fileNameText() const
{
    return Edit1->text();
}
bool TForm1::filesShown() const
{
    return PokazPliki->isChecked();
}
bool TForm1::editorMenuEnabled() const
{
    return Edytor->isEnabled();
}

bool TForm1::saveMenuVisible() const
{
    return Zapisz->isVisible();
}

QStringList TForm1::listedNames() const
{
    QStringList names;
    for (int i = 0; i < FileListBox1->count(); ++i) names << FileListBox1->item(i)->text();
    return names;
}

bool TForm1::selectEntry(const QString& text)
{
    const auto found = FileListBox1->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) return false;
    FileListBox1->setCurrentItem(found.first());
    FileListBox1Click();
    return true;
}

}  // namespace vorda
