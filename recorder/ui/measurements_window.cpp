#include "ui/measurements_window.h"

#include "core/program_state.h"
#include "measure/measurement_start.h"

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

TForm7::TForm7(ProgramState& state, QWidget* parent) : QWidget(parent, Qt::Window), state_(state)
{
    setWindowTitle(QStringLiteral("Pomiary"));

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    Button4 = new QPushButton(QStringLiteral("&Start pomiaru"), frame);
    Button5 = new QPushButton(QStringLiteral("P&rzerwij"), frame);
    Button1 = new QPushButton(QStringLiteral("&Ustawianie"), frame);
    auto* frameLayout = new QHBoxLayout(frame);
    for (QPushButton* b : {Button4, Button5, Button1}) frameLayout->addWidget(b);

    Button2 = new QPushButton(QStringLiteral("&Pokaż pomiary"), this);
    Button3 = new QPushButton(QStringLiteral("Pomoc"), this);
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Zakończ"), this);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    Label1 = new QLabel(QString::fromUtf8(kFreeMemoryUnknownText), this);

    ListBox1 = new QListWidget(this);
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    ListBox1->setFont(fixed);
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox1->setToolTip(QStringLiteral("Czytaj blok pomiarowy, kliknij dwa razy."));
    ListBox1->setMinimumHeight(160);
    ListBox1->setVisible(false);

    connect(Button4, &QPushButton::clicked, this, &TForm7::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm7::abortRequested);
    connect(Button1, &QPushButton::clicked, this, &TForm7::settingsRequested);
    connect(Button2, &QPushButton::clicked, this, &TForm7::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm7::helpClicked);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TForm7::ListBox1DblClick);

    auto* commands = new QHBoxLayout;
    commands->addWidget(frame);
    commands->addWidget(Button2);
    commands->addWidget(Button3);
    commands->addWidget(BitBtn1);
    auto* memory = new QHBoxLayout;
    memory->addWidget(new QLabel(QStringLiteral("Wielkość wolnej pamięci -"), this));
    memory->addWidget(Label1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(commands);
    layout->addWidget(ProgressBar1);
    layout->addLayout(memory);
    layout->addWidget(ListBox1, 1);
}

void TForm7::showFreeMemory()
{
    if (state_.statusRead) Label1->setText(vorda::freeMemoryText(state_.freeMemory));
}

void TForm7::BitBtn6Click()
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

void TForm7::Button4Click()
{
    bool accepted = false;
    emit startRequested(&accepted);
    if (!accepted) return;
    Button1->setEnabled(false);
    Button2->setEnabled(false);
}

void TForm7::Button2Click()
{
    for (QPushButton* b : {Button4, Button2, Button1}) b->setEnabled(false);
    ListBox1->setVisible(true);
    adjustSize();
    emit scanRequested();
    for (QPushButton* b : {Button4, Button2, Button1}) b->setEnabled(true);
    showFreeMemory();
}

void TForm7::ListBox1DblClick()
{
    int first = -1;
    for (int row = 0; row < ListBox1->count(); ++row) {
        if (ListBox1->item(row)->isSelected()) {
            first = row;
            break;
        }
    }
    if (first < 0) return;
    const auto block = blockOfListItem(first, ListBox1->item(first)->text());
    if (!block) return;
    Button4->setEnabled(false);
    Button2->setEnabled(false);
    state_.selectedBlock = *block;
    emit blockReadRequested();
    Button2->setEnabled(true);
    Button4->setEnabled(true);
}

void TForm7::rescanFinished()
{
    Label1->setText(vorda::freeMemoryText(state_.freeMemory));
    Button1->setEnabled(true);
    Button2->setEnabled(true);
}

void TForm7::memoryWiped()
{
    ListBox1->clear();
    Label1->setText(QString::fromUtf8(kFreeMemoryWipedText));
}

void TForm7::clear()
{
    ListBox1->clear();
}

void TForm7::blockItem(const QString& item)
{
    ListBox1->addItem(item);
}

void TForm7::setBarMaximum(int maximum)
{
    // A range of 0..0 would turn the bar into a busy indicator.
    ProgressBar1->setMaximum(maximum > 1 ? maximum : 1);
}

void TForm7::setBarPosition(int position)
{
    ProgressBar1->setValue(std::clamp(position, 0, ProgressBar1->maximum()));
}

int TForm7::barPosition() const
{
    return ProgressBar1->value();
}

QString TForm7::freeMemoryText() const
{
    return Label1->text();
}

QStringList TForm7::blockItems() const
{
    QStringList items;
    for (int row = 0; row < ListBox1->count(); ++row) items << ListBox1->item(row)->text();
    return items;
}

bool TForm7::blockListShown() const
{
    return !ListBox1->isHidden();
}

int TForm7::barMaximum() const
{
    return ProgressBar1->maximum();
}

void TForm7::selectRows(const QList<int>& rows)
{
    ListBox1->clearSelection();
    for (int row : rows)
        if (QListWidgetItem* item = ListBox1->item(row)) item->setSelected(true);
}

}  // namespace vorda
