#pragma once
// The main window of Vorda: the status bar, the buttons and menus that start every
// function, the file browser, the monitoring memo and the housekeeping timer. It holds the
// enabling rules other windows change; the window set creates it and the other windows
// and wires their requests.

#include "core/program_state.h"
#include "core/reporter.h"
#include "core/settings_record.h"
#include "ui/desktop_shell.h"
#include "ui_language.h"

#include <QMainWindow>

#include <functional>
#include <string>

class QAction;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace vorda {

class Dialogs;
class FileBrowser;
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
    // "&Koniec": the settings saved with the window geometry, then the program ends.
    void saveAndExit();

    FileBrowser& fileBrowser() const { return *files_; }

    // Help menu, status bar.
    void showProgramHelp();
    void openSupportPage();
    void openHomePage();
    void copyMessageToHint();

    // Replaces one status bar panel's text and repaints the bar at once.
    void setStatusText(StatusPanel panel, const QString& text);

    // --- Enabling rules and views that other windows change ---
    // A memory download: the transfer controls and the whole window are disabled.
    void setTransferRunning(bool running);
    // The monitoring view: the transfer buttons are disabled and "&Zapisz" is shown.
    void setMonitoringViewOn(bool on);
    // The monitoring window: "&Koniec" is disabled while it is open.
    void setMonitoringWindowOpen(bool open);
    // "Monitorowanie." unticked by the program (the recorder stopped answering).
    void uncheckMonitoring();
    // One line at the end of the monitoring memo; the text already there is never rebuilt.
    void appendMonitoringLine(const std::string& line);

    // What ends the program (the application's quit by default).
    void setTerminate(std::function<void()> terminate) { terminate_ = std::move(terminate); }
    // Whether the user changed the record since it was loaded or saved; the close box
    // then asks whether to save first.
    void setUnsavedCheck(std::function<bool()> unsaved) { unsaved_ = std::move(unsaved); }

signals:
    void memoryReadRequested();                 // "&Czytanie pamięci", "&Czytaj pamięć"
    void newBlocksReadRequested();              // "Czytanie nowych bloków"
    void wipeRequested();                       // "&Zerowanie pamięci"
    void measurementsRequested();               // "&Pomiary", "&Pomiay"
    void settingsRequested();                   // "&Ustawianie", "&Ustaw"
    void calibrationRequested();                // "K&alibrowanie", "&Kalibracja"
    void propertiesRequested();                 // " Właściwości"
    void aboutRequested();                      // "O programie"
    void helpRequested(const QString& anchor);  // "Opis programu": the help page, no anchor
    void previewToggled(bool on);               // "Podgląd."
    void monitoringToggled(bool on);            // "Monitorowanie."
    void monitoringWindowRequested();           // Ctrl+M
    void saveMonitoringRequested();             // "&Zapisz"
    // Every tick: today's date "yyyy-MM-dd" and the time "HH:mm:ss" for the settings dialog.
    void clockTicked(const QString& date, const QString& time);
    // Every tick, after the clock: the progress bars and the rescan countdown are due.
    void housekeepingTicked();
    // The window became active in a run that started from defaults (user parameter set).
    void defaultsActivation();
    // "&Koniec" saved the record in the start-up directory.
    void recordSaved();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildLanguageMenu();
    void chooseLanguage(language::Language choice);
    void buildPanels();
    QWidget* buildMonitoringGroup(QWidget* parent);
    void buildStatusBar();
    void applyEnablingRules();
    void toggleFileList();

    Settings& settings_;
    ProgramState& state_;
    Reporter& reporter_;
    DesktopShell& shell_;
    Dialogs& dialogs_;
    std::function<void()> terminate_;
    std::function<bool()> unsaved_;
    // The record as last loaded or saved: "&Koniec" writes only what differs from it, so
    // a change another program saved meanwhile stays.
    Settings::Image savedImage_{};

    bool transferRunning_ = false;
    bool monitoringViewOn_ = false;
    bool monitoringWindowOpen_ = false;

    QTimer* housekeepingTimer_ = nullptr;
    QLabel* panels_[3] = {};

    QPushButton* readMemoryButton_ = nullptr;
    QPushButton* measurementsButton_ = nullptr;
    QPushButton* wipeButton_ = nullptr;
    QPushButton* settingsButton_ = nullptr;
    QPushButton* calibrationButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QCheckBox* monitoringBox_ = nullptr;
    QCheckBox* previewBox_ = nullptr;
    FileBrowser* files_ = nullptr;
    QPlainTextEdit* monitoringMemo_ = nullptr;

    QAction* saveMonitoringAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* showFilesAction_ = nullptr;
    QList<QAction*> guardedMenu_;
};

}  // namespace vorda
