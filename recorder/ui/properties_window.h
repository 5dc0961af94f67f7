#pragma once
// TForm5, " Właściwości": a read-only text window that shows either the calibration
// constants report or the report of a system scan, and switches between the two.

#include "measure/system_scan.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vorda {

struct Settings;

class TForm5 : public QWidget, public ScanSink {
    Q_OBJECT
public:
    explicit TForm5(const Settings& settings, QWidget* parent = nullptr);

    // Menu " Właściwości" and "S&tałe kalibracji.": the constants report.
    void PUstawieniaClick();
    void Button1Click();
    // Shows the window with the constants report.
    void PokazUstawieniaExecute();
    // "S&kanuj system": the heading of the scan, then the scan itself (scanRequested).
    void BitBtn3Click();
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

    const Settings& settings_;
    ScanSink* blockList_ = nullptr;
    QLabel* Label1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* Button3 = nullptr;  // "&Historia kalibracji"
};

}  // namespace vorda
