#include "ui/progress_dialog.h"

#include "core/user_configuration.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace vorda {

namespace {

constexpr char kNewOnlyKey[] = "memoryRead/newBlocksOnly";

}  // namespace

ProgressDialog::ProgressDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Czytaj pamięć"));
    setModal(false);

    auto* grid = new QGridLayout;
    const QString captions[] = {
        tr("Bloków do przeczytania:"),    tr("Czytany  blok pomiarowy:"),
        tr("Ilość pomiarów w bloku:"),    tr("Częstość próbkowania:"),
        tr("Ilość kanałów pomiarowych:"),
    };
    int row = 0;
    for (const QString& caption : captions) {
        grid->addWidget(new QLabel(caption, this), row, 0);
        values_[row] = new QLabel(QStringLiteral("0"), this);
        grid->addWidget(values_[row], row, 1);
        ++row;
    }
    grid->addWidget(new QLabel(tr("Pomiar wykonano:"), this), row, 0);
    auto* when = new QHBoxLayout;
    values_[5] = new QLabel(tr("gg:mm:ss"), this);
    values_[6] = new QLabel(tr("20yy-mm-dd"), this);
    when->addWidget(values_[5]);
    when->addSpacing(12);
    when->addWidget(values_[6]);
    when->addStretch();
    grid->addLayout(when, row, 1);
    grid->setColumnStretch(1, 1);

    bar_ = new QProgressBar(this);
    bar_->setRange(0, TransferProgress::kBarMaximum);
    bar_->setValue(0);
    bar_->setTextVisible(false);

    received_ = new QLabel(this);
    showProgress();

    messageView_ = new QPlainTextEdit(this);
    messageView_->setReadOnly(true);
    messageView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Long lines (a file's full name, a block's damage) stay whole and scroll sideways.
    messageView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    messageView_->setLineWrapMode(QPlainTextEdit::NoWrap);

    actionButton_ = new QPushButton(this);
    helpButton_ = new QPushButton(tr("Pomoc"), this);
    connect(actionButton_, &QPushButton::clicked, this, &ProgressDialog::actionClicked);
    connect(helpButton_, &QPushButton::clicked, this, &ProgressDialog::helpClicked);

    newOnlyBox_ = new QCheckBox(tr("Tylko nowe bloki"), this);
    newOnlyBox_->setObjectName(QStringLiteral("newOnlyBox"));
    newOnlyBox_->setToolTip(tr("Czytanie pamięci pomija bloki już zapisane na dysku."));
    newOnlyBox_->setChecked(userConfiguration().value(QLatin1String(kNewOnlyKey), false).toBool());
    connect(newOnlyBox_, &QCheckBox::toggled, this,
            [](bool on) { userConfiguration().setValue(QLatin1String(kNewOnlyKey), on); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(actionButton_);
    buttons->addWidget(newOnlyBox_);
    buttons->addStretch();
    buttons->addWidget(helpButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(bar_);
    layout->addWidget(received_);
    layout->addWidget(new QLabel(tr("Komunikaty transmisji"), this));
    layout->addWidget(messageView_, 1);
    layout->addLayout(buttons);
    resize(360, 380);
    setMode(Mode::Abort);
}

void ProgressDialog::setMode(Mode mode)
{
    mode_ = mode;
    if (mode == Mode::Abort) {
        setWindowTitle(tr("Czytaj pamięć"));
        actionButton_->setText(tr("&Przerwij"));
        actionButton_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    } else {
        setWindowTitle(tr("Raport przeczytanej pamięci"));
        actionButton_->setText(QStringLiteral("OK"));
        actionButton_->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    }
}

void ProgressDialog::showOver(QWidget* owner)
{
    if (owner) {
        const QRect area = owner->frameGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    // The memory read blocks in its first exchanges right after this: the dialog paints
    // now rather than stand as an empty frame until the first events run.
    QTimer wake;
    wake.start(10);
    QElapsedTimer waited;
    waited.start();
    while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    repaint();
}

bool ProgressDialog::newBlocksOnly() const
{
    return newOnlyBox_->isChecked();
}

void ProgressDialog::actionClicked()
{
    if (mode_ == Mode::Abort)
        emit abortClicked();
    else
        hide();
}

void ProgressDialog::addMessage(const QString& line)
{
    messageView_->appendPlainText(line);
}

QStringList ProgressDialog::messages() const
{
    const QString text = messageView_->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

QString ProgressDialog::valueText(int row) const
{
    return row >= 0 && row < 7 ? values_[row]->text() : QString();
}

int ProgressDialog::barPosition() const
{
    return progress_.secondsLeft();
}

int ProgressDialog::receivedShare() const
{
    return bar_->value();
}

void ProgressDialog::readStarted()
{
    messageView_->clear();
    // The designed texts until a block is read.
    for (int i = 0; i < 5; ++i) values_[i]->setText(QStringLiteral("0"));
    values_[5]->setText(QStringLiteral("gg:mm:ss"));
    values_[6]->setText(QStringLiteral("20yy-mm-dd"));
    progress_ = {};
    estimateMaximum_ = 0;
    showProgress();
}

void ProgressDialog::valuesChanged(const DownloadValues& values)
{
    const std::int32_t numbers[] = {values.blockCount, values.blockNumber, values.sampleCount, values.samplingMs,
                                    values.channelCount};
    for (int i = 0; i < 5; ++i) values_[i]->setText(QString::number(numbers[i]));
    values_[5]->setText(values.time);
    values_[6]->setText(values.date);
}

void ProgressDialog::setBarMaximum(int maximum)
{
    estimateMaximum_ = maximum;
}

void ProgressDialog::setBarPosition(int position)
{
    progress_.setSecondsLeft(position);
    showProgress();
}

void ProgressDialog::blockStarted(std::int32_t, std::int64_t expectedBytes)
{
    progress_.startBlock(expectedBytes);
    showProgress();
}

void ProgressDialog::sampleCharactersReceived(std::int64_t received)
{
    progress_.setReceived(received);
    showProgress();
}

void ProgressDialog::showProgress()
{
    bar_->setValue(progress_.barValue());
    received_->setText(progress_.labelText());
}

QString ProgressDialog::receivedText() const
{
    return received_->text();
}

}  // namespace vorda
