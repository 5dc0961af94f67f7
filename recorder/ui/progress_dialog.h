#pragma once
// ProgressDialog: the memory-read dialog. While reading it shows the block being read, a bar
// of the share of the block received, under it the count and the estimated seconds left
// (counted down by the main window's timer), and the transfer messages, with an abort
// button; afterwards it serves as the transfer report. Its check
// box "Tylko nowe bloki", kept in the user's configuration, makes the next memory read
// skip the blocks already home.

#include "core/progress_views.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace vorda {

class ProgressDialog : public QDialog, public DownloadView {
    Q_OBJECT
public:
    enum class Mode { Abort, Report };

    explicit ProgressDialog(QWidget* parent = nullptr);

    // Abort mode: caption "Czytaj pamięć", button "&Przerwij" aborts. Report mode: caption
    // "Raport przeczytanej pamięci", the button says OK and hides the dialog.
    void setMode(Mode mode);
    Mode mode() const { return mode_; }
    // Shows the dialog centred over `owner`, without blocking.
    void showOver(QWidget* owner);

    void addMessage(const QString& line);
    QStringList messages() const;
    QString valueText(int row) const;  // rows of the label pairs, 0..4; 5 time, 6 date

    // The bar: the received share of the block, 0..TransferProgress::kBarMaximum.
    int receivedShare() const;
    // The estimate's start, as the download set it; barPosition() is what is left of it.
    int estimateMaximum() const { return estimateMaximum_; }
    // "Odebrano: X z Y znaków, pozostało ok. N s": the current block's sample characters
    // so far, of those its header announces, and the seconds the estimate has left.
    QString receivedText() const;

    // DownloadView; the bar methods of ProgressBarView keep the time estimate.
    void readStarted() override;
    void valuesChanged(const DownloadValues& values) override;
    void setBarMaximum(int maximum) override;
    void setBarPosition(int position) override;
    int barPosition() const override;
    void blockStarted(std::int32_t block, std::int64_t expectedBytes) override;
    void sampleCharactersReceived(std::int64_t received) override;

    QPushButton* actionButton() const { return actionButton_; }
    QCheckBox* newOnlyBox() const { return newOnlyBox_; }
    // Whether "&Czytanie pamięci" reads only the blocks not yet home.
    bool newBlocksOnly() const;

signals:
    void abortClicked();
    void helpClicked();

private:
    void actionClicked();
    void showProgress();

    Mode mode_ = Mode::Abort;
    QLabel* values_[7] = {};
    QProgressBar* bar_ = nullptr;
    QLabel* received_ = nullptr;
    TransferProgress progress_;
    int estimateMaximum_ = 0;
    QPlainTextEdit* messageView_ = nullptr;
    QPushButton* actionButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QCheckBox* newOnlyBox_ = nullptr;
};

}  // namespace vorda
