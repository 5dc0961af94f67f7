#include "ui/properties_window.h"

#include "calibration/constants_report.h"
#include "core/settings_record.h"

#include "core/csv_fields.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vorda {

PropertiesWindow::PropertiesWindow(const Settings& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), settings_(settings)
{
    home_ = parent;
    setWindowTitle(tr(" Właściwości"));

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

    history_ = new QTableWidget(this);
    history_->setObjectName(QStringLiteral("historyTable"));
    history_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    history_->setSelectionBehavior(QAbstractItemView::SelectRows);
    history_->verticalHeader()->setVisible(false);
    history_->setVisible(false);
    spreadsheetButton_ = new QPushButton(tr("Otwórz w arkuszu kalkulacyjnym"), this);
    spreadsheetButton_->setVisible(false);
    connect(spreadsheetButton_, &QPushButton::clicked, this, &PropertiesWindow::historySpreadsheetRequested);

    reportButton_ = new QPushButton(tr("Pokaż &raport transmisji"), this);
    scanButton_ = new QPushButton(tr("S&kanuj system"), this);
    constantsButton_ = new QPushButton(tr("S&tałe kalibracji."), this);
    helpButton_ = new QPushButton(tr("Pomoc"), this);
    closeButton_ = new QPushButton(tr("&Zamknij"), this);
    closeButton_->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    historyButton_ = new QPushButton(tr("&Historia kalibracji"), this);
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
    layout->addWidget(history_, 1);
    layout->addWidget(spreadsheetButton_, 0, Qt::AlignLeft);
    layout->addLayout(buttons);
    resize(534, 407);
    showConstantsHeading();
}

void PropertiesWindow::setContent(Content content)
{
    content_ = content;
    text_->setVisible(content != Content::History);
    history_->setVisible(content == Content::History);
    spreadsheetButton_->setVisible(content == Content::History);
}

void PropertiesWindow::showConstantsHeading()
{
    scanButton_->setEnabled(true);
    constantsButton_->setEnabled(false);
    heading_->setText(tr("Stałe kalibracji"));
}

void PropertiesWindow::showConstants()
{
    showConstantsHeading();
    fillConstants();
    showOver(nullptr);
}

void PropertiesWindow::showOver(QWidget* owner)
{
    // A window shown from a modal dialog is that dialog's child, so that it stands in
    // front of it and takes input; from elsewhere it belongs to its first parent again.
    if (!owner) owner = home_;
    if (owner && parentWidget() != owner) {
        const QRect placed = geometry();
        setParent(owner, Qt::Window);
        if (placed.isValid()) setGeometry(placed);
    }
    show();
    raise();
    activateWindow();
}

void PropertiesWindow::recordChanged()
{
    if (content_ == Content::Constants && isVisible()) fillConstants();
}

void PropertiesWindow::fillConstants()
{
    setContent(Content::Constants);
    text_->clear();
    for (const QString& line : constantsReportLines(settings_)) text_->appendPlainText(line);
}

void PropertiesWindow::showSettingsCheck(QWidget* owner)
{
    setContent(Content::Scan);
    showOver(owner);
    clear();
    constantsButton_->setEnabled(true);
    scanButton_->setEnabled(false);
    heading_->setText(tr("Sprawdź ustawienia: (skanuj system pomiarowy)"));
}

void PropertiesWindow::startScan()
{
    constantsButton_->setEnabled(true);
    scanButton_->setEnabled(false);
    setContent(Content::Scan);
    heading_->setText(tr("Skanuj system pomiarowy"));
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
    heading_->setText(tr("Historia kalibracji"));
    setContent(Content::History);
    fillHistory(lines);
    showOver(nullptr);
}

void PropertiesWindow::fillHistory(const QStringList& lines)
{
    constexpr int kChannelColumn = 2;
    history_->setSortingEnabled(false);
    history_->clear();
    const QStringList headings = lines.isEmpty() ? QStringList() : splitCsvFields(lines.first());
    history_->setColumnCount(static_cast<int>(headings.size()));
    history_->setHorizontalHeaderLabels(headings);
    history_->setRowCount(lines.size() > 1 ? static_cast<int>(lines.size() - 1) : 0);
    for (int row = 0; row + 1 < lines.size(); ++row) {
        const QStringList fields = splitCsvFields(lines[row + 1]);
        for (int column = 0; column < fields.size() && column < history_->columnCount(); ++column) {
            auto* item = new QTableWidgetItem;
            bool isNumber = false;
            const int channel = fields[column].toInt(&isNumber);
            // The channel sorts as a number; the dates sort as written (year first).
            if (column == kChannelColumn && isNumber)
                item->setData(Qt::DisplayRole, channel);
            else
                item->setText(fields[column]);
            history_->setItem(row, column, item);
        }
    }
    history_->setSortingEnabled(true);
    history_->sortByColumn(0, Qt::AscendingOrder);
    history_->resizeColumnsToContents();
    if (lines.size() <= 1) {
        history_->setColumnCount(1);
        history_->setHorizontalHeaderLabels({tr("Brak zapisanych kalibracji.")});
        history_->horizontalHeader()->setStretchLastSection(true);
    }
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
