#pragma once
// TForm7, "Pomiary": starts and aborts a measurement in the recorder, lists the stored
// blocks and downloads the one chosen by a double click. The window handles its own
// button states; the exchanges are requests that the window set carries out.

#include "core/progress_views.h"
#include "measure/system_scan.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace vorda {

struct ProgramState;

class TForm7 : public QWidget, public ScanSink, public ProgressBarView {
    Q_OBJECT
public:
    explicit TForm7(ProgramState& state, QWidget* parent = nullptr);

    // "&Pomiary" and "&Pomiay": the free memory when known, then the window in front.
    void BitBtn6Click();
    // "&Start pomiaru": asks for the start; on success the settings and list buttons
    // wait for the post-measurement poll.
    void Button4Click();
    // "&Pokaż pomiary": the system scan with the three command buttons disabled.
    void Button2Click();
    // Double click in the block list: the block named by the first selected line.
    void ListBox1DblClick();

    // The housekeeping timer's poll after a measurement has run.
    void rescanFinished();
    // The recorder's memory was wiped: the list and the free memory are unknown.
    void memoryWiped();

    // ScanSink: the block list.
    void clear() override;
    void blockItem(const QString& item) override;
    // ProgressBarView: the measurement's or the block download's bar.
    void setBarMaximum(int maximum) override;
    void setBarPosition(int position) override;
    int barPosition() const override;

    // --- Inspection, for tests ---
    QString freeMemoryText() const;
    QStringList blockItems() const;
    bool blockListShown() const;
    int barMaximum() const;
    // Selects the list items at these rows (the rest unselected).
    void selectRows(const QList<int>& rows);
    QPushButton* startButton() const { return Button4; }
    QPushButton* abortButton() const { return Button5; }
    QPushButton* settingsButton() const { return Button1; }
    QPushButton* listButton() const { return Button2; }
    QPushButton* helpButton() const { return Button3; }

signals:
    // Each returns through `accepted` whether it went ahead (a direct connection).
    void startRequested(bool* accepted);  // memory checks, then "  START &"
    void abortRequested();                // "$ $_END &", " &"
    void scanRequested();                 // the system scan
    void blockReadRequested();            // the single-block read of state.selectedBlock
    void settingsRequested();             // "&Ustawianie": the settings dialog
    void helpClicked();

private:
    void showFreeMemory();

    ProgramState& state_;
    bool placed_ = false;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* ListBox1 = nullptr;
};

}  // namespace vorda
