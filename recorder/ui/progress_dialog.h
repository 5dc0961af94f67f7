#pragma once
// ProgressDialog: the memory-read dialog. While reading it shows the block being read, an
// estimated time bar (counted down by the main window's timer) and the transfer
// messages, with an abort button; afterwards it serves as the transfer report. Its check
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

    int barMaximum() const;
    // "Odebrano: X z Y znaków": the current block's sample characters so far, of those its
    // header announces.
    QString receivedText() const;

    // DownloadView
    void clearMessages() override;
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

    Mode mode_ = Mode::Abort;
    QLabel* values_[7] = {};
    QProgressBar* bar_ = nullptr;
    QLabel* received_ = nullptr;
    std::int64_t expected_ = 0;
    QPlainTextEdit* messageView_ = nullptr;
    QPushButton* actionButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QCheckBox* newOnlyBox_ = nullptr;
};

}  // namespace vorda
