#include "ui/properties_window.h"

#include "calibration/constants_report.h"
#include "core/settings_record.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vorda {

TForm5::TForm5(const Settings& settings, QWidget* parent) : QWidget(parent, Qt::Window), settings_(settings)
{
    setWindowTitle(QStringLiteral(" Właściwości"));

    Label1 = new QLabel(this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette menuColoured = Memo1->palette();
    menuColoured.setColor(QPalette::Base, menuColoured.color(QPalette::Window));
    Memo1->setPalette(menuColoured);

    BitBtn1 = new QPushButton(QStringLiteral("Pokaż &raport transmisji"), this);
    BitBtn3 = new QPushButton(QStringLiteral("S&kanuj system"), this);
    Button1 = new QPushButton(QStringLiteral("S&tałe kalibracji."), this);
    Button2 = new QPushButton(QStringLiteral("Pomoc"), this);
    BitBtn2 = new QPushButton(QStringLiteral("&Zamknij"), this);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    Button3 = new QPushButton(QStringLiteral("&Historia kalibracji"), this);
    connect(Button3, &QPushButton::clicked, this, &TForm5::historyRequested);

    connect(BitBtn1, &QPushButton::clicked, this, &TForm5::reportRequested);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm5::BitBtn3Click);
    connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm5::helpClicked);
    connect(BitBtn2, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {BitBtn1, BitBtn3, Button1, Button3, Button2, BitBtn2}) buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Memo1, 1);
    layout->addLayout(buttons);
    resize(534, 407);
    showConstantsHeading();
}

void TForm5::showConstantsHeading()
{
    BitBtn3->setEnabled(true);
    Button1->setEnabled(false);
    Label1->setText(QStringLiteral("Stałe kalibracji"));
}

void TForm5::PUstawieniaClick()
{
    showConstantsHeading();
    PokazUstawieniaExecute();
}

void TForm5::Button1Click()
{
    showConstantsHeading();
    PokazUstawieniaExecute();
}

void TForm5::PokazUstawieniaExecute()
{
    show();
    raise();
    Memo1->clear();
    for (const QString& line : constantsReportLines(settings_)) Memo1->appendPlainText(line);
}

void TForm5::showSettingsCheck()
{
    show();
    raise();
    clear();
    Button1->setEnabled(true);
    BitBtn3->setEnabled(false);
    Label1->setText(QStringLiteral("Sprawdź ustawienia: (skanuj system pomiarowy)"));
}

void TForm5::BitBtn3Click()
{
    Button1->setEnabled(true);
    BitBtn3->setEnabled(false);
    Label1->setText(QStringLiteral("Skanuj system pomiarowy"));
    emit scanRequested();
}

void TForm5::scanFailed()
{
    BitBtn3->setEnabled(true);
}

void TForm5::showHistory(const QStringList& lines)
{
    // Both other contents are a switch away.
    BitBtn3->setEnabled(true);
    Button1->setEnabled(true);
    Label1->setText(QStringLiteral("Historia kalibracji"));
    show();
    raise();
    Memo1->clear();
    if (lines.isEmpty()) Memo1->appendPlainText(QStringLiteral("Brak zapisanych kalibracji."));
    for (const QString& line : lines) Memo1->appendPlainText(line);
}

QString TForm5::heading() const
{
    return Label1->text();
}

QStringList TForm5::lines() const
{
    const QString text = Memo1->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

bool TForm5::scanEnabled() const
{
    return BitBtn3->isEnabled();
}
bool TForm5::constantsEnabled() const
{
    return Button1->isEnabled();
}

void TForm5::clear()
{
    Memo1->clear();
    if (blockList_) blockList_->clear();
}

void TForm5::reportLine(const QString& line)
{
    Memo1->appendPlainText(line);
}

void TForm5::blockItem(const QString& item)
{
    if (blockList_) blockList_->blockItem(item);
}

}  // namespace vorda
