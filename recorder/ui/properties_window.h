#pragma once
// PropertiesWindow, " Właściwości": a read-only text window that shows either the calibration
// constants report or the report of a system scan, and switches between the two.

#include "measure/system_scan.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QTableWidget;
class QPushButton;

namespace vorda {

struct Settings;

class PropertiesWindow : public QWidget, public ScanSink {
    Q_OBJECT
public:
    explicit PropertiesWindow(const Settings& settings, QWidget* parent = nullptr);

    // Menu " Właściwości" and "S&tałe kalibracji.": the constants report.
    void showConstants();
    // "S&kanuj system": the heading of the scan, then the scan itself (scanRequested).
    void startScan();
    // "Sprawdź ustawienia" of the settings dialog: shown in front of `owner` (the dialog)
    // and emptied, with the scan's heading; the caller runs the scan.
    void showSettingsCheck(QWidget* owner);
    // The record changed: the constants report, when shown, is made again.
    void recordChanged();
    // A scan that got no answer leaves "S&kanuj system" enabled, so the user can retry.
    void scanFailed();
    // "&Historia kalibracji" shows the history file's lines (historyRequested) as a table
    // under the first line's headings, sortable by each column.
    void showHistory(const QStringList& lines);

    QString heading() const;
    QStringList lines() const;
    bool scanEnabled() const;
    bool constantsEnabled() const;

    // Where the scan's block items go (the measurements window's list); may be null.
    void setBlockList(ScanSink* blockList) { blockList_ = blockList; }

    // ScanSink: the report lines fill this window's text.
    void clear() override;
    void reportLine(const QString& line) override;
    void blockItem(const QString& item) override;

signals:
    void reportRequested();  // "Pokaż &raport transmisji"
    void scanRequested();    // run the system scan into this window
    void helpClicked();
    void historyRequested();             // "&Historia kalibracji"
    void historySpreadsheetRequested();  // the history file in the spreadsheet

private:
    enum class Content { Constants, Scan, History };
    void setContent(Content content);
    void fillHistory(const QStringList& lines);
    void showConstantsHeading();
    // Shown and raised; a null `owner` keeps the window's parent.
    void showOver(QWidget* owner);
    // The constants report into the text.
    void fillConstants();

    const Settings& settings_;
    ScanSink* blockList_ = nullptr;
    Content content_ = Content::Constants;
    QWidget* home_ = nullptr;  // the parent it was made with
    QLabel* heading_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QPushButton* reportButton_ = nullptr;
    QPushButton* scanButton_ = nullptr;
    QPushButton* constantsButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* historyButton_ = nullptr;  // "&Historia kalibracji"
    QPushButton* spreadsheetButton_ = nullptr;
    QTableWidget* history_ = nullptr;
};

}  // namespace vorda
