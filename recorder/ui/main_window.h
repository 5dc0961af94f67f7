#pragma once
// TForm1, the main window of Vorda: loads the settings at creation, shows the port, link
// and last message in its status bar, starts every function from its buttons and menus,
// lists the measurement files, runs the housekeeping timer and saves on "&Koniec".
// It is also the Reporter through which the core speaks to the user.

#include "core/program_state.h"
#include "core/reporter.h"
#include "core/settings_record.h"
#include "ui/desktop_shell.h"

#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace vorda {

class Dialogs;
class MemoryDownload;
class ScanSink;
class SerialLink;
class TForm4;
class TForm5;
class TOKBottomDlg;

class TForm1 : public QMainWindow, public Reporter {
    Q_OBJECT
public:
    // Runs FormCreate; the progress dialog, the properties window and the about box are
    // created after it, in that order.
    TForm1(Settings& settings, ProgramState& state, SerialLink& link, Dialogs& dialogs, DesktopShell& shell,
           QWidget* parent = nullptr);
    ~TForm1() override;

    // Start-up: paths, settings load, status bar, file list. Runs again (clearFirst false)
    // when a settings program is loaded.
    void FormCreate(bool clearFirst = true);
    // The housekeeping timer's tick (200 ms after creation, then every second).
    void Timer1Timer();

    // Memory read, wipe, shutdown.
    void BitBtn1Click();
    void BitBtn5Click();
    void KoniecExecute();

    // File browser.
    void FileListBox1Click();
    void FileListBox1DblClick();
    void PokazPlikiClick();
    void EdytorExecute();
    void OtworzExecute();
    void UsunPlikClick();
    void MSExplorerClick();
    void MSExcelClick();
    void Wykres1Click();
    void WykresMaxClick();
    void WizorExecute();
    void refreshFileList();

    // Help menu, properties, report, about box, status bar.
    void Opisprogramu1Click();
    void SupportDl03Click();
    void StronadomowaOLUN1Click();
    void Oprogramie1Click();
    void PUstawieniaClick();
    void PokazRaportClick();
    void StatusBarClick();
    // The help page at `anchor`; "Nie odnaleziono pliku pomocy!" when it cannot be opened.
    // Every dialog's "Pomoc" button comes here.
    void showHelp(const QString& anchor);

    // Reporter
    void setStatus(StatusPanel panel, const QString& text) override;
    void setBusy(bool busy) override;
    void transferMessage(const QString& line) override;
    void showMessage(const QString& text, const QString& caption, MessageIcon icon) override;
    bool confirm(const QString& text, const QString& caption) override;
    void filesChanged() override;
    void processEvents() override;

    // --- For the windows that later wire in, and for tests ---
    QString statusText(StatusPanel panel) const;
    QString statusHint() const;
    QString fileNameText() const;
    QString listDirectory() const { return listDir_; }
    QStringList listedNames() const;
    // Selects a listed entry by name as a click would (FileListBox1Click); false if absent.
    bool selectEntry(const QString& name);
    bool filesShown() const;
    bool editorMenuEnabled() const;

    TForm4& progressDialog() { return *form4_; }
    TForm5& propertiesWindow() { return *form5_; }
    TOKBottomDlg& aboutBox() { return *about_; }
    MemoryDownload& download() { return *download_; }
    QTimer& housekeepingTimer() { return Timer1; }

    QPushButton* readButton() const { return BitBtn1; }
    QPushButton* measurementsButton() const { return BitBtn6; }
    QPushButton* wipeButton() const { return BitBtn5; }
    QPushButton* settingsButton() const { return BitBtn2; }
    QPushButton* calibrationButton() const { return BitBtn3; }
    QPushButton* exitButton() const { return BitBtn4; }
    QCheckBox* previewCheckBox() const { return CheckBox2; }
    QCheckBox* monitoringCheckBox() const { return CheckBox1; }
    QPlainTextEdit* monitoringMemo() const { return Memo1; }
    QAction* exitAction() const { return Koniec; }
    QAction* saveAction() const { return Zapisz; }

    // The measurements window's progress bar, counted down by the timer (null until it exists).
    void setMeasurementBar(QProgressBar* bar) { measurementBar_ = bar; }
    // The measurements window's block list, filled by scans (null until it exists).
    void setBlockList(ScanSink* blockList);
    // What ends the program (the application's quit by default).
    void setTerminate(std::function<void()> terminate) { terminate_ = std::move(terminate); }

signals:
    void measurementsRequested();      // "&Pomiary", "&Pomiay"
    void settingsRequested();          // "&Ustawianie", "&Ustaw"
    void calibrationRequested();       // "K&alibrowanie", "&Kalibracja"
    void previewToggled(bool on);      // "Podgląd."
    void monitoringToggled(bool on);   // "Monitorowanie."
    void monitoringWindowRequested();  // the hidden "M" controls
    void saveMonitoringRequested();    // "&Zapisz"
    // Every tick: today's date "yyyy-MM-dd" and the time "HH:mm:ss" for the settings dialog.
    void clockTicked(const QString& date, const QString& time);
    // The newest block was scanned again after a measurement start.
    void rescanFinished();
    // The memory was wiped: the block list and the free-memory label are stale.
    void memoryWiped();
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
    void setTransferControlsEnabled(bool enabled);
    void setListDirectory(const QString& dir);
    QString dataDirectoryText() const;
    QString selectedFilePath() const;
    void rescanNewestBlock();

    Settings& settings_;
    ProgramState& state_;
    SerialLink& link_;
    Dialogs& dialogs_;
    DesktopShell& shell_;
    std::function<void()> terminate_;

    QString listDir_;
    ShowMode presenterShowMode_ = ShowMode::Normal;
    bool busy_ = false;
    QProgressBar* measurementBar_ = nullptr;

    QTimer Timer1;
    QLabel* panels_[3] = {};

    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn6 = nullptr;
    QPushButton* BitBtn5 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtn4 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QListWidget* FileListBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QMenu* PopupMenu1 = nullptr;

    QAction* Zapisz = nullptr;
    QAction* Otworz = nullptr;
    QAction* Edytor = nullptr;
    QAction* EdytorPopup = nullptr;
    QAction* Koniec = nullptr;
    QAction* PokazPliki = nullptr;

    std::unique_ptr<TForm4> form4_;
    TForm5* form5_ = nullptr;
    TOKBottomDlg* about_ = nullptr;
    std::unique_ptr<MemoryDownload> download_;
};

}  // namespace vorda
