#pragma once
// MainWindow, the main window of Vorda: the status bar, the buttons and menus that start every
// function, the file list, the monitoring memo and the housekeeping timer. It holds the
// enabling rules other windows change; the window set creates it and the other windows
// and wires their requests.

#include "core/program_state.h"
#include "core/reporter.h"
#include "ui/desktop_shell.h"

#include <QMainWindow>
#include <QTimer>

#include <functional>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace vorda {

class Dialogs;
struct Settings;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Builds the controls; startUp then loads the settings. Status texts and messages go
    // through `reporter`, whose status texts the window set routes back to setStatusText.
    MainWindow(Settings& settings, ProgramState& state, Reporter& reporter, Dialogs& dialogs, DesktopShell& shell,
               QWidget* parent = nullptr);

    // Start-up: paths, settings load, status bar, file list. Runs again (clearFirst false)
    // when a settings program is loaded.
    void startUp(bool clearFirst = true);
    // The port ("com%d ") and the link state in the status bar, from the settings.
    void showPortStatus();
    // The housekeeping timer's tick (200 ms after creation, then every second).
    void timerTick();
    // Shutdown: the settings saved with the window geometry, then the program ends.
    void saveAndExit();

    // File browser.
    void entrySelected();
    void openCurrentEntry();
    void toggleFileList();
    void openInEditor();
    void chooseAndOpenFile();
    void deleteSelectedFile();
    void exploreDataDirectory();
    void exportToSpreadsheet();
    void showChart();
    void showChartMaximized();
    void startPresenter();
    void refreshFileList();
    // After the settings dialog: the file list on the data directory when it exists.
    void showDataDirectory();

    // Help menu, status bar.
    void showProgramHelp();
    void openSupportPage();
    void openHomePage();
    void copyMessageToHint();

    // Replaces one status bar panel's text and repaints the bar at once.
    void setStatusText(StatusPanel panel, const QString& text);

    // --- Enabling rules that other windows change ---
    // A memory download: the transfer controls and the whole window are disabled.
    void setTransferRunning(bool running);
    // The monitoring view: the transfer buttons are disabled and "&saveMonitoringAction_" is shown.
    void setMonitoringViewOn(bool on);
    // The monitoring window: "&exitAction_" is disabled while it is open.
    void setMonitoringWindowOpen(bool open);

    QPlainTextEdit* monitoringMemo() const { return monitoringMemo_; }
    QTimer& housekeepingTimer() { return housekeepingTimer_; }
    // What ends the program (the application's quit by default).
    void setTerminate(std::function<void()> terminate) { terminate_ = std::move(terminate); }

    // --- Inspection, for tests ---
    QString statusText(StatusPanel panel) const;
    QString statusHint() const;
    QString fileNameText() const;
    QString listDirectory() const { return listDir_; }
    QStringList listedNames() const;
    // Selects a listed entry by its shown text as a click would; false if absent.
    bool selectEntry(const QString& text);
    bool filesShown() const;
    bool editorMenuEnabled() const;
    bool saveMenuVisible() const;
    QPushButton* readButton() const { return readMemoryButton_; }
    QPushButton* measurementsButton() const { return measurementsButton_; }
    QPushButton* wipeButton() const { return wipeButton_; }
    QPushButton* settingsButton() const { return settingsButton_; }
    QPushButton* calibrationButton() const { return calibrationButton_; }
    QPushButton* exitButton() const { return exitButton_; }
    QCheckBox* monitoringCheckBox() const { return monitoringBox_; }
    QCheckBox* previewCheckBox() const { return previewBox_; }
    // The "&System" items of the guarded functions ("&Czytaj pamięć", "&Pomiay", "&Ustaw", "&Kalibracja").
    QList<QAction*> guardedMenuItems() const { return guardedMenu_; }

signals:
    void memoryReadRequested();                 // "&Czytanie pamięci", "&Czytaj pamięć"
    void wipeRequested();                       // "&Zerowanie pamięci"
    void measurementsRequested();               // "&Pomiary", "&Pomiay"
    void settingsRequested();                   // "&Ustawianie", "&Ustaw"
    void calibrationRequested();                // "K&alibrowanie", "&Kalibracja"
    void propertiesRequested();                 // " Właściwości"
    void aboutRequested();                      // "O programie"
    void helpRequested(const QString& anchor);  // "Opis programu": the help page, no anchor
    void previewToggled(bool on);               // "Podgląd."
    void monitoringToggled(bool on);            // "Monitorowanie."
    void monitoringWindowRequested();           // the hidden "M" controls
    void saveMonitoringRequested();             // "&saveMonitoringAction_"
    // Every tick: today's date "yyyy-MM-dd" and the time "HH:mm:ss" for the settings dialog.
    void clockTicked(const QString& date, const QString& time);
    // Every tick, after the clock: the progress bars and the rescan countdown are due.
    void housekeepingTicked();
    // The window became active in a run that started from defaults (user parameter set).
    void defaultsActivation();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildPanels();
    void buildStatusBar();
    void buildFileListMenu();
    void applyEnablingRules();
    void setListDirectory(const QString& dir);
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
    std::function<void()> terminate_;

    QString listDir_;
    ShowMode presenterShowMode_ = ShowMode::Normal;
    bool transferRunning_ = false;
    bool monitoringViewOn_ = false;
    bool monitoringWindowOpen_ = false;

    QTimer housekeepingTimer_;
    QLabel* panels_[3] = {};

    QPushButton* readMemoryButton_ = nullptr;
    QPushButton* measurementsButton_ = nullptr;
    QPushButton* wipeButton_ = nullptr;
    QPushButton* settingsButton_ = nullptr;
    QPushButton* calibrationButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QCheckBox* monitoringBox_ = nullptr;
    QCheckBox* previewBox_ = nullptr;
    QCheckBox* appendBox_ = nullptr;
    QListWidget* fileList_ = nullptr;
    QLineEdit* fileNameEdit_ = nullptr;
    QPlainTextEdit* monitoringMemo_ = nullptr;
    QMenu* fileListMenu_ = nullptr;

    QAction* saveMonitoringAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* editorAction_ = nullptr;
    QAction* editorPopupAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* showFilesAction_ = nullptr;
    QList<QAction*> guardedMenu_;
};

}  // namespace vorda
