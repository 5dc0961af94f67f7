#include "ui/file_browser.h"

#include "ui/core_texts.h"
#include "core/settings_record.h"
#include "core/text_codec.h"
#include "files/file_operations.h"
#include "files/presenter_handoff.h"
#include "files/spreadsheet_export.h"
#include "ui/list_keys.h"
#include "ui/message_dialogs.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSignalBlocker>
#include <QStyle>

namespace vorda {
namespace {

constexpr int kNameRole = Qt::UserRole;
constexpr int kIsDirectoryRole = Qt::UserRole + 1;

}  // namespace

FileBrowser::FileBrowser(Settings& settings, ProgramState& state, Reporter& reporter, Dialogs& dialogs,
                         DesktopShell& shell, QWidget* parent)
    : QListWidget(parent), settings_(settings), state_(state), reporter_(reporter), dialogs_(dialogs), shell_(shell),
      fileName_(QString::fromLatin1(kMeasurementMask))
{
    setObjectName(QStringLiteral("fileBrowser"));
    setToolTip(tr("Użyj klawisza myszy."));
    setContextMenuPolicy(Qt::CustomContextMenu);
    // A click or a move of the selection by keyboard; not the list's own refill.
    connect(this, &QListWidget::itemClicked, this, &FileBrowser::entrySelected);
    connect(this, &QListWidget::currentItemChanged, this, &FileBrowser::entrySelected);
    connect(this, &QListWidget::itemDoubleClicked, this, &FileBrowser::openCurrentEntry);

    openAction_ = new QAction(tr("&Otwórz"), this);
    connect(openAction_, &QAction::triggered, this, &FileBrowser::chooseAndOpenFile);
    editorAction_ = new QAction(tr("&Edytor"), this);
    connect(editorAction_, &QAction::triggered, this, &FileBrowser::openInEditor);

    menu_ = new QMenu(this);
    menu_->addAction(openAction_);
    menu_->addAction(tr("&Wykres"), this, &FileBrowser::showChart);
    menu_->addAction(tr("&Wykres 'maksymalizuj'"), this, &FileBrowser::showChartMaximized);
    // The menu's own "&Edytor" stays enabled while the "&Plik" item follows the list.
    menu_->addAction(tr("&Edytor"), this, &FileBrowser::openInEditor);
    menu_->addSeparator();
    menu_->addAction(tr("MS Explorer"), this, &FileBrowser::exploreDataDirectory);
    menu_->addAction(tr("Wstaw do MS Excel"), this, &FileBrowser::exportToSpreadsheet);
    menu_->addSeparator();
    menu_->addAction(tr("Usuń"), this, &FileBrowser::deleteSelectedFile);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(viewport()->mapToGlobal(at)); });
    addListKeys(
        this, [this] { openCurrentEntry(); }, menu_);
}

QString FileBrowser::dataDirectoryText() const
{
    return dataDirectoryPath(settings_);
}

QString FileBrowser::selectedFilePath() const
{
    return resolveFileName(dir_, fileName_);
}

void FileBrowser::setDirectory(const QString& dir)
{
    dir_ = QDir(dir).absolutePath();
    QDir::setCurrent(dir_);
    refresh();
}

void FileBrowser::showStartDirectory()
{
    const QString dataDir = dataDirectoryText();
    setDirectory(QFileInfo(dataDir).isDir() ? dataDir : QDir::currentPath());
}

void FileBrowser::showDataDirectory()
{
    const QString dataDir = dataDirectoryText();
    if (QFileInfo(dataDir).isDir())
        setDirectory(dataDir);
    else
        refresh();
}

void FileBrowser::refresh()
{
    const QListWidgetItem* current = currentItem();
    const QString selected = current ? current->data(kNameRole).toString() : QString();
    const QSignalBlocker quiet(this);
    clear();
    for (const DirectoryEntry& entry : vorda::listDirectory(dir_)) {
        auto* item = new QListWidgetItem(entry.isDirectory ? QStringLiteral("[%1]").arg(entry.name) : entry.name);
        item->setData(kNameRole, entry.name);
        item->setData(kIsDirectoryRole, entry.isDirectory);
        item->setIcon(style()->standardIcon(entry.isDirectory ? QStyle::SP_DirIcon : QStyle::SP_FileIcon));
        addItem(item);
        if (entry.name == selected) setCurrentItem(item);
    }
}

QStringList FileBrowser::entries() const
{
    QStringList names;
    for (int i = 0; i < count(); ++i) names << item(i)->text();
    return names;
}

bool FileBrowser::select(const QString& text)
{
    const auto found = findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) return false;
    setCurrentItem(found.first());
    entrySelected();
    return true;
}

void FileBrowser::entrySelected()
{
    const QListWidgetItem* item = currentItem();
    const bool isFile = item && !item->data(kIsDirectoryRole).toBool();
    fileName_ = isFile ? item->data(kNameRole).toString() : QString::fromLatin1(kMeasurementMask);
    reporter_.setStatus(StatusPanel::Message, QDir::toNativeSeparators(dir_));
}

void FileBrowser::openCurrentEntry()
{
    const QListWidgetItem* item = currentItem();
    if (item && item->data(kIsDirectoryRole).toBool()) {
        fileName_ = QString::fromLatin1(kMeasurementMask);
        setDirectory(QDir(dir_).filePath(item->data(kNameRole).toString()));
        return;
    }
    openInEditor();
}

void FileBrowser::openInEditor()
{
    if (!shell_.openDocument(selectedFilePath()))
        reporter_.showMessage(tr("Błąd ładowania pliku"), tr("Błąd"), MessageIcon::None);
}

void FileBrowser::chooseAndOpenFile()
{
    QString dataDir = dataDirectoryText();
    QDir::setCurrent(dataDir);
    const QString chosen =
        dialogs_.openFileName(window(), dataDir, QStringLiteral("RRRR_MM_DD_gg_mm_ss"),
                              tr("Pliki tekstowe *.txt (*.txt);;Wszystkie pliki *.* (*)"));
    // Cancelled, the list stays where it is; the working directory goes back there too.
    QString listed = dir_;
    if (!chosen.isEmpty()) {
        const QFileInfo info(chosen);
        if (info.isFile()) {
            rememberPath(settings_.lastFile, info.absoluteFilePath());
            fileName_ = info.absoluteFilePath();
            openInEditor();
        }
        rememberPath(settings_.dataDirectory, info.absolutePath());
        dataDir = info.absolutePath();
        listed = dataDir;
    }
    reporter_.setStatus(StatusPanel::Message, QDir::toNativeSeparators(dataDir));
    setDirectory(listed);
}

void FileBrowser::deleteSelectedFile()
{
    const QString question = tr("Wciskając OK! usuniesz plik %1").arg(QDir::toNativeSeparators(fileName_));
    if (!reporter_.confirmDestructive(question, tr("Uwaga !"))) return;
    deleteFileIfExists(selectedFilePath());
    refresh();
}

void FileBrowser::exploreDataDirectory()
{
    if (!shell_.exploreFolder(dataDirectoryText()))
        reporter_.showMessage(tr("Dostęp zabroniony!"), warningCaption(),
                              MessageIcon::None);
}

void FileBrowser::exportToSpreadsheet()
{
    const QString target = QDir(dir_).filePath(QString::fromLatin1(kSpreadsheetCopyName));
    reporter_.setStatus(StatusPanel::Message, tr("Wstaw do MS Excel"));
    switch (exportForSpreadsheet(selectedFilePath(), target)) {
    case ExportResult::SourceUnreadable:
        reporter_.showMessage(tr("Błąd otwarcia pliku"), tr("Bląd"), MessageIcon::None);
        break;
    case ExportResult::TargetUnwritable:
        reporter_.showMessage(tr("Błąd konwersji, Zmiń nazwę lub zamknij plik w Excelu"),
                              tr("Bląd"), MessageIcon::None);
        break;
    case ExportResult::Ok:
        shell_.openSpreadsheet(target);
        break;
    }
    refresh();
}

void FileBrowser::showChart()
{
    startPresenter(ShowMode::Normal);
}

void FileBrowser::showChartMaximized()
{
    startPresenter(ShowMode::Maximized);
}

void FileBrowser::startPresenter(ShowMode mode)
{
    // A refused copy of a chosen file is reported (the presenter then falls back to the
    // previous hand-off file); without a chosen file nothing is copied or said. A failed
    // start is not reported: the user sees whether it started.
    const QString source = selectedFilePath();
    QString problem;
    if (!writeHandoffCopy(source, state_.startDir, &problem) && QFileInfo(source).isFile())
        reporter_.showMessage(problem, errorCaption(), MessageIcon::Error);
    shell_.startPresenter(presenterArgument(dir_, fileName_), state_.startDir, mode);
}

template <std::size_t N>
void FileBrowser::rememberPath(char (&field)[N], const QString& path)
{
    // Stored only when it fits whole, so a path is never cut into one that names another place.
    const auto bytes = toWin1250(QDir::toNativeSeparators(path));
    if (bytes && bytes->size() <= N - 1) {
        setFieldText(field, *bytes);
        return;
    }
    reporter_.showMessage(tr("Ścieżka nie zostanie zapamiętana w ustawieniach: jest dłuższa niż %1 znaków "
                             "lub zawiera znaki spoza strony kodowej Windows-1250.\n%2")
                              .arg(N - 1)
                              .arg(QDir::toNativeSeparators(path)),
                          warningCaption(), MessageIcon::Warning);
}

}  // namespace vorda
