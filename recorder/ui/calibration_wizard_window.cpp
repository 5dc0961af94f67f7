#include "ui/calibration_wizard_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedLayout>
#include <QStyle>
#include <QVBoxLayout>

namespace vorda {

TForm3::TForm3(CalibrationWizard& wizard, QWidget* parent) : QDialog(parent), wizard_(wizard)
{
    setModal(true);

    // The intro text, covered by the group when the group is shown.
    intro_ = new QWidget(this);
    auto* introLayout = new QVBoxLayout(intro_);
    Label4 = new QLabel(intro_);
    introLayout->addWidget(Label4);
    for (const char* line : {"- zasilanie rejestratora;", "- podłączenie kabla  transmisji RS232;",
                             "- zgodność parametrów transmisji.", "", "Wciśnij klawisz  'Dalej '."})
        introLayout->addWidget(new QLabel(QString::fromUtf8(line), intro_));
    introLayout->addStretch();

    GroupBox1 = new QGroupBox(this);
    Label1 = new QLabel(GroupBox1);
    Label2 = new QLabel(GroupBox1);
    Label9 = new QLabel(QStringLiteral("Kanał"), GroupBox1);
    UpDown1 = new QSpinBox(GroupBox1);
    UpDown1->setRange(1, kMaxChannels);
    Label3 = new QLabel(GroupBox1);
    Edit2 = new QLineEdit(GroupBox1);
    Edit2->setMaxLength(9);
    Label10 = new QLabel(QStringLiteral("Format"), GroupBox1);
    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->addItems({QStringLiteral("0"), QStringLiteral("0.0"), QStringLiteral("0.00"), QStringLiteral("0.000")});
    ComboBox1->setToolTip(QStringLiteral("Format pomiarów zapisywanych do pliku"));
    Label11 = new QLabel(GroupBox1);
    Label12 = new QLabel(GroupBox1);
    BitBtn4 = new QPushButton(QStringLiteral("&Cofnij"), GroupBox1);
    BitBtn4->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));

    auto* grid = new QGridLayout(GroupBox1);
    grid->addWidget(Label1, 0, 0, 1, 3);
    grid->addWidget(Label2, 1, 0, 1, 3);
    grid->addWidget(Label9, 2, 0);
    grid->addWidget(Label3, 2, 1);
    grid->addWidget(Label10, 2, 2);
    grid->addWidget(UpDown1, 3, 0);
    grid->addWidget(Edit2, 3, 1);
    grid->addWidget(ComboBox1, 3, 2);
    grid->addWidget(Label11, 4, 0, 1, 3);
    grid->addWidget(Label12, 5, 0, 1, 3);
    grid->setRowStretch(6, 1);
    grid->addWidget(BitBtn4, 7, 0);

    auto* pages = new QStackedLayout;
    pages->setStackingMode(QStackedLayout::StackAll);
    pages->addWidget(intro_);
    pages->addWidget(GroupBox1);

    BitBtn1 = new QPushButton(QStringLiteral("Dalej >>"), this);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("&Zakończ"), this);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    Button1 = new QPushButton(QStringLiteral("Pomoc"), this);
    Button1->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(Button1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pages, 1);
    layout->addLayout(buttons);
    resize(287, 277);

    connect(BitBtn1, &QPushButton::clicked, this, [this] { press(WizardButton::Next); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { press(WizardButton::Back); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { press(WizardButton::Finish); });
    connect(Button1, &QPushButton::clicked, this, &TForm3::helpClicked);
    // Arrows and a typed number alike: the fields go to the channel left, the new
    // channel's name and format come in.
    connect(UpDown1, &QSpinBox::valueChanged, this, [this](int channel) {
        wizard_.setChannel(channel);
        refresh();
    });
    connect(Edit2, &QLineEdit::textEdited, this, [this](const QString& text) { wizard_.setField(text); });
    connect(ComboBox1, &QComboBox::activated, this, [this](int index) { wizard_.setFormatIndex(index); });
}

void TForm3::begin(WizardRole role)
{
    wizard_.start(role);
    refresh();
    show();
    raise();
    activateWindow();
}

void TForm3::press(WizardButton button)
{
    wizard_.setField(Edit2->text());
    // The window stays painted but takes no input while the exchanges run.
    setEnabled(false);
    repaint();
    const bool ended = wizard_.press(button);
    setEnabled(true);
    refresh();
    if (ended) {
        ending_ = true;
        hide();
        ending_ = false;
        emit wizardEnded();
    }
}

void TForm3::closeEvent(QCloseEvent* event)
{
    if (ending_ || !isVisible()) {
        event->accept();
        return;
    }
    // Closing otherwise returns to the intro page; only "&Zakończ" ends the wizard.
    event->ignore();
    press(WizardButton::Close);
}

void TForm3::reject()
{
    press(WizardButton::Close);
}

void TForm3::refresh()
{
    const WizardView& v = wizard_.view();
    setWindowTitle(v.caption);
    Label4->setText(v.introHeading);
    GroupBox1->setVisible(v.stepsVisible);
    intro_->setVisible(!v.stepsVisible);
    Label1->setText(v.prompt);
    Label2->setText(v.subPrompt);
    Label3->setText(v.fieldCaption);
    Label3->setVisible(v.fieldCaptionVisible);
    Label9->setText(v.channelCaption);
    Label11->setText(v.constantsCaption);
    Label11->setVisible(v.constantsCaptionVisible);
    Label12->setText(v.constants);
    Label12->setVisible(v.constantsVisible);
    Edit2->setVisible(v.fieldVisible);
    Edit2->setEnabled(v.fieldEnabled);
    Edit2->setText(v.field);
    UpDown1->setEnabled(v.channelEnabled);
    {
        const QSignalBlocker block(UpDown1);
        UpDown1->setValue(v.channel);
    }
    ComboBox1->setVisible(v.formatVisible);
    Label10->setVisible(v.formatVisible);
    ComboBox1->setCurrentIndex(v.formatIndex >= 0 && v.formatIndex < ComboBox1->count() ? v.formatIndex : -1);
    BitBtn2->setEnabled(v.finishEnabled);
}

QLabel* TForm3::label(int number) const
{
    switch (number) {
    case 1:
        return Label1;
    case 2:
        return Label2;
    case 3:
        return Label3;
    case 4:
        return Label4;
    case 9:
        return Label9;
    case 10:
        return Label10;
    case 11:
        return Label11;
    case 12:
        return Label12;
    default:
        return nullptr;
    }
}

bool TForm3::groupShown() const
{
    return !GroupBox1->isHidden();
}

}  // namespace vorda
