#pragma once
// The main window's file list: the measurement files and folders of one directory, the
// name of the file chosen, its context menu, and what the menu does with the file (the
// editor, the presenter, the spreadsheet, the file manager, deletion). The data directory
// of the settings is where it starts and what the open dialog moves.

#include "core/program_state.h"
#include "core/reporter.h"
#include "ui/desktop_shell.h"

#include <QListWidget>

class QAction;
class QMenu;

namespace vorda {

class Dialogs;
struct Settings;

class FileBrowser : public QListWidget {
    Q_OBJECT
public:
    FileBrowser(Settings& settings, ProgramState& state, Reporter& reporter, Dialogs& dialogs, DesktopShell& shell,
                QWidget* parent = nullptr);

    // "&Otwórz" and "&Edytor", which the main window's "&Plik" menu shows as well.
    QAction* openAction() const { return openAction_; }
    QAction* editorAction() const { return editorAction_; }

    // The list on `dir`; the working directory follows, so relative names resolve there.
    void setDirectory(const QString& dir);
    QString directory() const { return dir_; }
    // The data directory when it exists, else the current directory.
    void showStartDirectory();
    // The data directory when it exists, else the same directory refreshed.
    void showDataDirectory();
    // The entries again from the disk; the selection stays on the same name.
    void refresh();

    // The file the commands act on: the selected file's name, a full path after the open
    // dialog, or the mask "*.txt" when no file is chosen.
    QString fileName() const { return fileName_; }
    // The shown texts ("[name]" for a folder).
    QStringList entries() const;
    // Selects the entry shown as `text`, as a click would; false if absent.
    bool select(const QString& text);

    // A folder is entered, a file goes to the editor.
    void openCurrentEntry();
    void openInEditor();
    // The open dialog in the data directory; a file chosen opens in the editor and moves
    // the data directory to its folder.
    void chooseAndOpenFile();
    void deleteSelectedFile();
    void exploreDataDirectory();
    void exportToSpreadsheet();
    void showChart();
    void showChartMaximized();

private:
    void entrySelected();
    void startPresenter(ShowMode mode);
    QString dataDirectoryText() const;
    QString selectedFilePath() const;
    // Stores `path` into a Windows-1250 field of the settings, or says why it cannot.
    template <std::size_t N>
    void rememberPath(char (&field)[N], const QString& path);

    Settings& settings_;
    ProgramState& state_;
    Reporter& reporter_;
    Dialogs& dialogs_;
    DesktopShell& shell_;
    QString dir_;
    QString fileName_;
    QMenu* menu_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* editorAction_ = nullptr;
};

}  // namespace vorda
