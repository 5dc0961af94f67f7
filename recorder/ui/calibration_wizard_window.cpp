#include "ui/calibration_wizard_window.h"

#include <QApplication>
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

std::optional<std::int32_t> WatchedCalibrationDevice::averagedCode(int channel)
{
    if (readingStarted) readingStarted(channel);
    const std::optional<std::int32_t> code = device_.averagedCode(channel);
    if (readingEnded) readingEnded(channel, code);
    return code;
}

CalibrationWizardWindow::CalibrationWizardWindow(CalibrationWizard& wizard, QWidget* parent)
    : QDialog(parent), wizard_(wizard)
{
    setModal(true);

    // The intro text, covered by the group when the group is shown.
    intro_ = new QWidget(this);
    auto* introLayout = new QVBoxLayout(intro_);
    introHeading_ = new QLabel(intro_);
    introLayout->addWidget(introHeading_);
    for (const char* line :
         {QT_TR_NOOP("- zasilanie rejestratora;"), QT_TR_NOOP("- podłączenie kabla  transmisji RS232;"),
          QT_TR_NOOP("- zgodność parametrów transmisji."), "", QT_TR_NOOP("Wciśnij klawisz  'Dalej '.")})
        introLayout->addWidget(new QLabel(*line ? tr(line) : QString(), intro_));
    introLayout->addStretch();

    pointsGroup_ = new QGroupBox(this);
    titleLabel_ = new QLabel(pointsGroup_);
    promptLabel_ = new QLabel(pointsGroup_);
    channelCaption_ = new QLabel(tr("Kanał"), pointsGroup_);
    channelSpin_ = new QSpinBox(pointsGroup_);
    channelSpin_->setRange(1, kMaxChannels);
    fieldCaption_ = new QLabel(pointsGroup_);
    fieldEdit_ = new QLineEdit(pointsGroup_);
    fieldEdit_->setMaxLength(9);
    formatCaption_ = new QLabel(tr("Format"), pointsGroup_);
    formatBox_ = new QComboBox(pointsGroup_);
    formatBox_->addItems({QStringLiteral("0"), QStringLiteral("0.0"), QStringLiteral("0.00"), QStringLiteral("0.000")});
    formatBox_->setToolTip(tr("Format pomiarów zapisywanych do pliku"));
    constantsCaption_ = new QLabel(pointsGroup_);
    constantsLabel_ = new QLabel(pointsGroup_);
    backButton_ = new QPushButton(tr("&Cofnij"), pointsGroup_);
    backButton_->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));

    auto* grid = new QGridLayout(pointsGroup_);
    grid->addWidget(titleLabel_, 0, 0, 1, 3);
    grid->addWidget(promptLabel_, 1, 0, 1, 3);
    grid->addWidget(channelCaption_, 2, 0);
    grid->addWidget(fieldCaption_, 2, 1);
    grid->addWidget(formatCaption_, 2, 2);
    grid->addWidget(channelSpin_, 3, 0);
    grid->addWidget(fieldEdit_, 3, 1);
    grid->addWidget(formatBox_, 3, 2);
    grid->addWidget(constantsCaption_, 4, 0, 1, 3);
    grid->addWidget(constantsLabel_, 5, 0, 1, 3);
    grid->setRowStretch(6, 1);
    grid->addWidget(backButton_, 7, 0);

    auto* pages = new QStackedLayout;
    pages->setStackingMode(QStackedLayout::StackAll);
    pages->addWidget(intro_);
    pages->addWidget(pointsGroup_);

    nextButton_ = new QPushButton(tr("Dalej >>"), this);
    nextButton_->setDefault(true);
    finishButton_ = new QPushButton(tr("&Zakończ"), this);
    finishButton_->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    helpButton_ = new QPushButton(tr("Pomoc"), this);
    helpButton_->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(nextButton_);
    buttons->addWidget(finishButton_);
    buttons->addWidget(helpButton_);

    readingLabel_ = new QLabel(this);
    readingLabel_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pages, 1);
    layout->addWidget(readingLabel_);
    layout->addLayout(buttons);
    resize(287, 277);

    connect(nextButton_, &QPushButton::clicked, this, [this] { press(WizardButton::Next); });
    connect(backButton_, &QPushButton::clicked, this, [this] { press(WizardButton::Back); });
    connect(finishButton_, &QPushButton::clicked, this, [this] { press(WizardButton::Finish); });
    connect(helpButton_, &QPushButton::clicked, this, &CalibrationWizardWindow::helpClicked);
    // Arrows and a typed number alike: the fields go to the channel left, the new
    // channel's name and format come in.
    connect(channelSpin_, &QSpinBox::valueChanged, this, [this](int channel) {
        wizard_.setChannel(channel);
        refresh();
    });
    connect(fieldEdit_, &QLineEdit::textEdited, this, [this](const QString& text) { wizard_.setField(text); });
    connect(formatBox_, &QComboBox::activated, this, [this](int index) { wizard_.setFormatIndex(index); });
}

void CalibrationWizardWindow::begin(WizardRole role)
{
    wizard_.start(role);
    readingLabel_->clear();
    refresh();
    show();
    raise();
    activateWindow();
}

void CalibrationWizardWindow::watchReadings(WatchedCalibrationDevice& device)
{
    device.readingStarted = [this](int channel) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        readingLabel_->setText(tr("Odczyt kanału %1…").arg(channel));
        readingLabel_->repaint();
    };
    device.readingEnded = [this](int channel, std::optional<std::int32_t> code) {
        QApplication::restoreOverrideCursor();
        readingLabel_->setText(
            code ? tr("Kanał %1: kod %2, wartość %3").arg(channel).arg(*code).arg(pointValue_)
                 : tr("Kanał %1: brak odczytu").arg(channel));
    };
}

void CalibrationWizardWindow::press(WizardButton button)
{
    wizard_.setField(fieldEdit_->text());
    pointValue_ = fieldEdit_->text();
    readingLabel_->clear();
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

void CalibrationWizardWindow::closeEvent(QCloseEvent* event)
{
    if (ending_ || !isVisible()) {
        event->accept();
        return;
    }
    // Closing otherwise returns to the intro page; only "&Zakończ" ends the wizard.
    event->ignore();
    press(WizardButton::Close);
}

void CalibrationWizardWindow::reject()
{
    press(WizardButton::Close);
}

void CalibrationWizardWindow::refresh()
{
    const WizardView& v = wizard_.view();
    setWindowTitle(v.caption);
    introHeading_->setText(v.introHeading);
    pointsGroup_->setVisible(v.stepsVisible);
    intro_->setVisible(!v.stepsVisible);
    titleLabel_->setText(v.prompt);
    promptLabel_->setText(v.subPrompt);
    fieldCaption_->setText(v.fieldCaption);
    fieldCaption_->setVisible(v.fieldCaptionVisible);
    channelCaption_->setText(v.channelCaption);
    constantsCaption_->setText(v.constantsCaption);
    constantsCaption_->setVisible(v.constantsCaptionVisible);
    constantsLabel_->setText(v.constants);
    constantsLabel_->setVisible(v.constantsVisible);
    fieldEdit_->setVisible(v.fieldVisible);
    fieldEdit_->setEnabled(v.fieldEnabled);
    fieldEdit_->setText(v.field);
    channelSpin_->setEnabled(v.channelEnabled);
    {
        const QSignalBlocker block(channelSpin_);
        channelSpin_->setValue(v.channel);
    }
    formatBox_->setVisible(v.formatVisible);
    formatCaption_->setVisible(v.formatVisible);
    formatBox_->setCurrentIndex(v.formatIndex >= 0 && v.formatIndex < formatBox_->count() ? v.formatIndex : -1);
    finishButton_->setEnabled(v.finishEnabled);
}

bool CalibrationWizardWindow::groupShown() const
{
    return !pointsGroup_->isHidden();
}

}  // namespace vorda
