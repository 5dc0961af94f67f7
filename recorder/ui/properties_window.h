#pragma once
// PropertiesWindow, " Właściwości": a read-only text window that shows either the calibration
// constants report or the report of a system scan, and switches between the two.

#include "measure/system_scan.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
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
    // "Sprawdź ustawienia" of the settings dialog: shown and emptied, with the scan's
    // heading; the caller runs the scan.
    void showSettingsCheck();
    // A scan that got no answer leaves "S&kanuj system" enabled, so the user can retry.
    void scanFailed();
    // "&Historia kalibracji" shows the history file's lines (historyRequested).
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
    void historyRequested();  // "&Historia kalibracji"

private:
    void showConstantsHeading();
    // Shows the window with the constants report.
    void fillConstants();

    const Settings& settings_;
    ScanSink* blockList_ = nullptr;
    QLabel* heading_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QPushButton* reportButton_ = nullptr;
    QPushButton* scanButton_ = nullptr;
    QPushButton* constantsButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* historyButton_ = nullptr;  // "&Historia kalibracji"
};

}  // namespace vorda
