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

PropertiesWindow::PropertiesWindow(const Settings& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), settings_(settings)
{
    setWindowTitle(QStringLiteral(" Właściwości"));

    heading_ = new QLabel(this);
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette menuColoured = text_->palette();
    menuColoured.setColor(QPalette::Base, menuColoured.color(QPalette::Window));
    text_->setPalette(menuColoured);

    reportButton_ = new QPushButton(QStringLiteral("Pokaż &raport transmisji"), this);
    scanButton_ = new QPushButton(QStringLiteral("S&kanuj system"), this);
    constantsButton_ = new QPushButton(QStringLiteral("S&tałe kalibracji."), this);
    helpButton_ = new QPushButton(QStringLiteral("Pomoc"), this);
    closeButton_ = new QPushButton(QStringLiteral("&Zamknij"), this);
    closeButton_->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    historyButton_ = new QPushButton(QStringLiteral("&Historia kalibracji"), this);
    connect(historyButton_, &QPushButton::clicked, this, &PropertiesWindow::historyRequested);

    connect(reportButton_, &QPushButton::clicked, this, &PropertiesWindow::reportRequested);
    connect(scanButton_, &QPushButton::clicked, this, &PropertiesWindow::startScan);
    connect(constantsButton_, &QPushButton::clicked, this, &PropertiesWindow::showConstants);
    connect(helpButton_, &QPushButton::clicked, this, &PropertiesWindow::helpClicked);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {reportButton_, scanButton_, constantsButton_, historyButton_, helpButton_, closeButton_})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
    resize(534, 407);
    showConstantsHeading();
}

void PropertiesWindow::showConstantsHeading()
{
    scanButton_->setEnabled(true);
    constantsButton_->setEnabled(false);
    heading_->setText(QStringLiteral("Stałe kalibracji"));
}

void PropertiesWindow::showConstants()
{
    showConstantsHeading();
    fillConstants();
}

void PropertiesWindow::fillConstants()
{
    show();
    raise();
    text_->clear();
    for (const QString& line : constantsReportLines(settings_)) text_->appendPlainText(line);
}

void PropertiesWindow::showSettingsCheck()
{
    show();
    raise();
    clear();
    constantsButton_->setEnabled(true);
    scanButton_->setEnabled(false);
    heading_->setText(QStringLiteral("Sprawdź ustawienia: (skanuj system pomiarowy)"));
}

void PropertiesWindow::startScan()
{
    constantsButton_->setEnabled(true);
    scanButton_->setEnabled(false);
    heading_->setText(QStringLiteral("Skanuj system pomiarowy"));
    emit scanRequested();
}

void PropertiesWindow::scanFailed()
{
    scanButton_->setEnabled(true);
}

void PropertiesWindow::showHistory(const QStringList& lines)
{
    // Both other contents are a switch away.
    scanButton_->setEnabled(true);
    constantsButton_->setEnabled(true);
    heading_->setText(QStringLiteral("Historia kalibracji"));
    show();
    raise();
    text_->clear();
    if (lines.isEmpty()) text_->appendPlainText(QStringLiteral("Brak zapisanych kalibracji."));
    for (const QString& line : lines) text_->appendPlainText(line);
}

QString PropertiesWindow::heading() const
{
    return heading_->text();
}

QStringList PropertiesWindow::lines() const
{
    const QString text = text_->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

bool PropertiesWindow::scanEnabled() const
{
    return scanButton_->isEnabled();
}
bool PropertiesWindow::constantsEnabled() const
{
    return constantsButton_->isEnabled();
}

void PropertiesWindow::clear()
{
    text_->clear();
    if (blockList_) blockList_->clear();
}

void PropertiesWindow::reportLine(const QString& line)
{
    text_->appendPlainText(line);
}

void PropertiesWindow::blockItem(const QString& item)
{
    if (blockList_) blockList_->blockItem(item);
}

}  // namespace vorda
