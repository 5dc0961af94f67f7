#include "ui/measurements_window.h"

#include "core/program_state.h"
#include "measure/measurement_start.h"
#include "ui/core_texts.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace vorda {

namespace {

// Item data: the line as the scan gave it, and whether its block is on disk.
constexpr int kListedTextRole = Qt::UserRole;
constexpr int kHomeRole = Qt::UserRole + 1;

}  // namespace

MeasurementsWindow::MeasurementsWindow(ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state)
{
    setWindowTitle(tr("Pomiary"));

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    startButton_ = new QPushButton(tr("&Start pomiaru"), frame);
    abortButton_ = new QPushButton(tr("P&rzerwij"), frame);
    settingsButton_ = new QPushButton(tr("&Ustawianie"), frame);
    auto* frameLayout = new QHBoxLayout(frame);
    for (QPushButton* b : {startButton_, abortButton_, settingsButton_}) frameLayout->addWidget(b);

    listButton_ = new QPushButton(tr("&Pokaż pomiary"), this);
    readNewButton_ = new QPushButton(tr("Czytaj nowe"), this);
    readNewButton_->setObjectName(QStringLiteral("readNewButton"));
    readNewButton_->setToolTip(tr("Czytaj bloki, których nie ma jeszcze na dysku."));
    helpButton_ = new QPushButton(tr("Pomoc"), this);
    closeButton_ =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), tr("&Zakończ"), this);

    bar_ = new QProgressBar(this);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);

    freeMemoryLabel_ = new QLabel(coreText("MeasurementStart", kFreeMemoryUnknownText), this);

    blockList_ = new QListWidget(this);
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    blockList_->setFont(fixed);
    blockList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    blockList_->setToolTip(tr("Czytaj blok pomiarowy, kliknij dwa razy."));
    blockList_->setMinimumHeight(160);
    blockList_->setVisible(false);

    connect(startButton_, &QPushButton::clicked, this, &MeasurementsWindow::startClicked);
    connect(abortButton_, &QPushButton::clicked, this, &MeasurementsWindow::abortClicked);
    connect(settingsButton_, &QPushButton::clicked, this, &MeasurementsWindow::settingsRequested);
    connect(listButton_, &QPushButton::clicked, this, &MeasurementsWindow::listBlocks);
    connect(readNewButton_, &QPushButton::clicked, this, &MeasurementsWindow::readNewBlocks);
    connect(helpButton_, &QPushButton::clicked, this, &MeasurementsWindow::helpClicked);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(blockList_, &QListWidget::itemDoubleClicked, this, &MeasurementsWindow::readChosenBlock);

    auto* commands = new QHBoxLayout;
    commands->addWidget(frame);
    commands->addWidget(listButton_);
    commands->addWidget(readNewButton_);
    commands->addWidget(helpButton_);
    commands->addWidget(closeButton_);
    auto* memory = new QHBoxLayout;
    memory->addWidget(new QLabel(tr("Wielkość wolnej pamięci -"), this));
    memory->addWidget(freeMemoryLabel_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(commands);
    layout->addWidget(bar_);
    layout->addLayout(memory);
    layout->addWidget(blockList_, 1);
}

void MeasurementsWindow::showFreeMemory()
{
    if (state_.statusRead) freeMemoryLabel_->setText(vorda::freeMemoryText(state_.freeMemory));
}

void MeasurementsWindow::present()
{
    showFreeMemory();
    adjustSize();
    if (!placed_ && parentWidget()) {
        // Centred on the main window the first time it is shown.
        move(parentWidget()->geometry().center() - rect().center());
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
}

void MeasurementsWindow::startClicked()
{
    bool accepted = false;
    emit startRequested(&accepted);
    if (!accepted) return;
    // No second start while this measurement runs; the rescan after it or the abort ends it.
    measuring_ = true;
    for (QPushButton* b : {startButton_, settingsButton_, listButton_, readNewButton_}) b->setEnabled(false);
}

void MeasurementsWindow::abortClicked()
{
    emit abortRequested();
    measuring_ = false;
    startButton_->setEnabled(true);
}

void MeasurementsWindow::listBlocks()
{
    for (QPushButton* b : {startButton_, listButton_, settingsButton_, readNewButton_}) b->setEnabled(false);
    blockList_->setVisible(true);
    adjustSize();
    emit scanRequested();
    for (QPushButton* b : {startButton_, listButton_, settingsButton_, readNewButton_}) b->setEnabled(true);
    startButton_->setEnabled(!measuring_);
    showFreeMemory();
}

void MeasurementsWindow::readChosenBlock()
{
    int first = -1;
    for (int row = 0; row < blockList_->count(); ++row) {
        if (blockList_->item(row)->isSelected()) {
            first = row;
            break;
        }
    }
    if (first < 0) return;
    const auto block = blockOfListItem(first, blockList_->item(first)->text());
    if (!block) return;
    setReadButtonsEnabled(false);
    state_.selectedBlock = *block;
    emit blockReadRequested();
    setReadButtonsEnabled(true);
    refreshHomeMarks();
}

void MeasurementsWindow::readNewBlocks()
{
    setReadButtonsEnabled(false);
    emit newBlocksReadRequested();
    setReadButtonsEnabled(true);
    refreshHomeMarks();
}

void MeasurementsWindow::setReadButtonsEnabled(bool enabled)
{
    listButton_->setEnabled(enabled);
    readNewButton_->setEnabled(enabled);
    startButton_->setEnabled(enabled && !measuring_);
}

void MeasurementsWindow::setHomeCheck(std::function<BlockIdentity()> listedBlock, std::function<IsHome()> homeCheck)
{
    listedBlock_ = std::move(listedBlock);
    homeCheck_ = std::move(homeCheck);
}

void MeasurementsWindow::markItem(int row, const IsHome& isHome)
{
    QListWidgetItem* item = blockList_->item(row);
    const QString listed = item->data(kListedTextRole).toString();
    const auto block = blockOfListItem(0, listed);
    const auto identity = block ? identities_.find(*block) : identities_.end();
    if (identity == identities_.end() || !isHome) {
        item->setText(listed);
        return;
    }
    const bool home = isHome(identity->second);
    item->setData(kHomeRole, home);
    item->setText(listed + (home ? tr("  [na dysku]") : tr("  [nowy]")));
}

void MeasurementsWindow::refreshHomeMarks()
{
    const IsHome isHome = homeCheck_ ? homeCheck_() : IsHome();
    for (int row = 0; row < blockList_->count(); ++row) markItem(row, isHome);
}

void MeasurementsWindow::rescanFinished()
{
    freeMemoryLabel_->setText(vorda::freeMemoryText(state_.freeMemory));
    measuring_ = false;
    startButton_->setEnabled(true);
    settingsButton_->setEnabled(true);
    listButton_->setEnabled(true);
    readNewButton_->setEnabled(true);
}

void MeasurementsWindow::memoryWiped()
{
    blockList_->clear();
    identities_.clear();
    freeMemoryLabel_->setText(coreText("MeasurementStart", kFreeMemoryWipedText));
}

void MeasurementsWindow::clear()
{
    blockList_->clear();
    identities_.clear();
}

void MeasurementsWindow::blockItem(const QString& item)
{
    // A block listed again (the rescan polls the newest block twice) replaces its line.
    const auto block = blockOfListItem(0, item);
    if (block && listedBlock_) identities_[*block] = listedBlock_();
    int row = 0;
    while (row < blockList_->count() &&
           !(block && blockOfListItem(0, blockList_->item(row)->data(kListedTextRole).toString()) == block))
        ++row;
    if (row == blockList_->count()) blockList_->addItem(QString());
    blockList_->item(row)->setData(kListedTextRole, item);
    markItem(row, homeCheck_ ? homeCheck_() : IsHome());
}

void MeasurementsWindow::setBarMaximum(int maximum)
{
    // A range of 0..0 would turn the bar into a busy indicator.
    bar_->setMaximum(maximum > 1 ? maximum : 1);
}

void MeasurementsWindow::setBarPosition(int position)
{
    bar_->setValue(std::clamp(position, 0, bar_->maximum()));
}

int MeasurementsWindow::barPosition() const
{
    return bar_->value();
}

QString MeasurementsWindow::freeMemoryText() const
{
    return freeMemoryLabel_->text();
}

QStringList MeasurementsWindow::blockItems() const
{
    QStringList items;
    for (int row = 0; row < blockList_->count(); ++row) items << blockList_->item(row)->text();
    return items;
}

QList<std::int32_t> MeasurementsWindow::homeBlocks() const
{
    QList<std::int32_t> blocks;
    for (int row = 0; row < blockList_->count(); ++row) {
        const QListWidgetItem* item = blockList_->item(row);
        const auto block = blockOfListItem(0, item->data(kListedTextRole).toString());
        if (block && item->data(kHomeRole).toBool()) blocks << *block;
    }
    return blocks;
}

bool MeasurementsWindow::blockListShown() const
{
    return !blockList_->isHidden();
}

int MeasurementsWindow::barMaximum() const
{
    return bar_->maximum();
}

void MeasurementsWindow::selectRows(const QList<int>& rows)
{
    blockList_->clearSelection();
    for (int row : rows)
        if (QListWidgetItem* item = blockList_->item(row)) item->setSelected(true);
}

}  // namespace vorda
