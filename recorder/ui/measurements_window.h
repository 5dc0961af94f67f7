#pragma once
// MeasurementsWindow, "Pomiary": starts and aborts a measurement in the recorder, lists the stored
// blocks, each marked as on disk or not, and downloads the one chosen by a double click or
// with "Czytaj nowe" those not yet on disk. The window handles its own button states; the
// exchanges are requests that the window set carries out.

#include "core/progress_views.h"
#include "files/block_index.h"
#include "measure/system_scan.h"

#include <QWidget>

#include <functional>
#include <map>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace vorda {

struct ProgramState;

class MeasurementsWindow : public QWidget, public ScanSink, public ProgressBarView {
    Q_OBJECT
public:
    explicit MeasurementsWindow(ProgramState& state, QWidget* parent = nullptr);

    // "&Pomiary" and "&Pomiay": the free memory when known, then the window in front.
    void present();
    // "&Start pomiaru": asks for the start; on success the settings and list buttons
    // wait for the post-measurement poll.
    void startClicked();
    // "&Pokaż pomiary": the system scan with the three command buttons disabled.
    void listBlocks();
    // Double click in the block list: the block named by the first selected line.
    void readChosenBlock();

    // "Czytaj nowe": the blocks of the list that are not on disk.
    void readNewBlocks();

    // How the list learns what is on disk: `listedBlock` gives the identity of the block
    // whose line is being listed (the register just read); `homeCheck` makes a check of
    // whether a block is home, over the data directory as it is now (one index load per
    // marking, however many lines it marks).
    using IsHome = std::function<bool(const BlockIdentity&)>;
    void setHomeCheck(std::function<BlockIdentity()> listedBlock, std::function<IsHome()> homeCheck);
    // Marks every listed block again (after a read).
    void refreshHomeMarks();

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
    // The blocks of the list marked as on disk.
    QList<std::int32_t> homeBlocks() const;
    QPushButton* readNewButton() const { return readNewButton_; }
    bool blockListShown() const;
    int barMaximum() const;
    // Selects the list items at these rows (the rest unselected).
    void selectRows(const QList<int>& rows);
    QPushButton* startButton() const { return startButton_; }
    QPushButton* abortButton() const { return abortButton_; }
    QPushButton* settingsButton() const { return settingsButton_; }
    QPushButton* listButton() const { return listButton_; }
    QPushButton* helpButton() const { return helpButton_; }

signals:
    // Each returns through `accepted` whether it went ahead (a direct connection).
    void startRequested(bool* accepted);  // memory checks, then "  START &"
    void abortRequested();                // "$ $_END &", " &"
    void scanRequested();                 // the system scan
    void blockReadRequested();            // the single-block read of state.selectedBlock
    void newBlocksReadRequested();        // the read of the blocks not yet home
    void settingsRequested();             // "&Ustawianie": the settings dialog
    void helpClicked();

private:
    void showFreeMemory();
    void markItem(int row, const IsHome& isHome);
    void setReadButtonsEnabled(bool enabled);

    ProgramState& state_;
    void abortClicked();

    bool placed_ = false;
    bool measuring_ = false;  // started here and not yet ended by the rescan or the abort
    QPushButton* startButton_ = nullptr;
    QPushButton* abortButton_ = nullptr;
    QPushButton* settingsButton_ = nullptr;
    QPushButton* listButton_ = nullptr;
    QPushButton* readNewButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QLabel* freeMemoryLabel_ = nullptr;
    QListWidget* blockList_ = nullptr;
    std::function<BlockIdentity()> listedBlock_;
    std::function<IsHome()> homeCheck_;
    std::map<std::int32_t, BlockIdentity> identities_;  // of the listed blocks
};

}  // namespace vorda
