#include "ui/progress_dialog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace vorda {

TForm4::TForm4(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Czytaj pamięć"));
    setModal(false);

    auto* grid = new QGridLayout;
    const QString captions[] = {
        QStringLiteral("Bloków do przeczytania:"),    QStringLiteral("Czytany  blok pomiarowy:"),
        QStringLiteral("Ilość pomiarów w bloku:"),    QStringLiteral("Częstość próbkowania:"),
        QStringLiteral("Ilość kanałów pomiarowych:"),
    };
    int row = 0;
    for (const QString& caption : captions) {
        grid->addWidget(new QLabel(caption, this), row, 0);
        values_[row] = new QLabel(QStringLiteral("0"), this);
        grid->addWidget(values_[row], row, 1);
        ++row;
    }
    grid->addWidget(new QLabel(QStringLiteral("Pomiar wykonano:"), this), row, 0);
    auto* when = new QHBoxLayout;
    values_[5] = new QLabel(QStringLiteral("gg:mm:ss"), this);
    values_[6] = new QLabel(QStringLiteral("20yy-mm-dd"), this);
    when->addWidget(values_[5]);
    when->addSpacing(12);
    when->addWidget(values_[6]);
    when->addStretch();
    grid->addLayout(when, row, 1);
    grid->setColumnStretch(1, 1);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    received_ = new QLabel(this);
    sampleCharactersReceived(0);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);

    BitBtn1 = new QPushButton(this);
    Button1 = new QPushButton(QStringLiteral("Pomoc"), this);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm4::BitBtn1Click);
    connect(Button1, &QPushButton::clicked, this, &TForm4::helpClicked);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addStretch();
    buttons->addWidget(Button1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(ProgressBar1);
    layout->addWidget(received_);
    layout->addWidget(new QLabel(QStringLiteral("Komunikaty transmisji"), this));
    layout->addWidget(Memo1, 1);
    layout->addLayout(buttons);
    resize(360, 380);
    setMode(Mode::Abort);
}

void TForm4::setMode(Mode mode)
{
    mode_ = mode;
    if (mode == Mode::Abort) {
        setWindowTitle(QStringLiteral("Czytaj pamięć"));
        BitBtn1->setText(QStringLiteral("&Przerwij"));
        BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    } else {
        setWindowTitle(QStringLiteral("Raport przeczytanej pamięci"));
        BitBtn1->setText(QStringLiteral("OK"));
        BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    }
}

void TForm4::showOver(QWidget* owner)
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

void TForm4::BitBtn1Click()
{
    if (mode_ == Mode::Abort)
        emit abortClicked();
    else
        hide();
}

void TForm4::addMessage(const QString& line)
{
    Memo1->appendPlainText(line);
}

QStringList TForm4::messages() const
{
    const QString text = Memo1->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

QString TForm4::valueText(int row) const
{
    return row >= 0 && row < 7 ? values_[row]->text() : QString();
}

int TForm4::barPosition() const
{
    return ProgressBar1->value();
}
int TForm4::barMaximum() const
{
    return ProgressBar1->maximum();
}

void TForm4::clearMessages()
{
    Memo1->clear();
}

void TForm4::valuesChanged(const DownloadValues& values)
{
    const std::int32_t numbers[] = {values.blockCount, values.blockNumber, values.sampleCount, values.samplingMs,
                                    values.channelCount};
    for (int i = 0; i < 5; ++i) values_[i]->setText(QString::number(numbers[i]));
    values_[5]->setText(values.time);
    values_[6]->setText(values.date);
}

void TForm4::setBarMaximum(int maximum)
{
    // A range of 0..0 would turn the bar into a busy indicator.
    ProgressBar1->setMaximum(maximum > 1 ? maximum : 1);
}

void TForm4::blockStarted(std::int32_t, std::int64_t expectedBytes)
{
    expected_ = expectedBytes;
    sampleCharactersReceived(0);
}

void TForm4::sampleCharactersReceived(std::int64_t received)
{
    const QLocale polish(QLocale::Polish);
    if (expected_ > 0)
        received_->setText(QString::fromUtf8("Odebrano: %1 z %2 znaków")
                               .arg(polish.toString(qlonglong(received)), polish.toString(qlonglong(expected_))));
    else
        received_->setText(QString::fromUtf8("Odebrano: %1 znaków").arg(polish.toString(qlonglong(received))));
}

QString TForm4::receivedText() const
{
    return received_->text();
}

void TForm4::setBarPosition(int position)
{
    ProgressBar1->setValue(position);
}

}  // namespace vorda
