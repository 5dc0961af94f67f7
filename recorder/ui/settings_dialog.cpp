#include "ui/settings_dialog.h"

#include "core/range_note.h"
#include "core/settings_record.h"
#include "core/text_codec.h"
#include "measure/measurement_control.h"
#include "ui/bounded_spin_box.h"
#include "ui/core_texts.h"
#include "ui/message_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTime>
#include <QVBoxLayout>
#include <algorithm>

namespace vorda {
namespace {

QCheckBox* sendBox(const QString& caption, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setToolTip(SettingsDialog::tr("Wysyła gdy zaznaczone."));
    return box;
}

// A radio group of `items` in two columns, as the dialog's radio groups are drawn.
QGroupBox* radioGroup(const QString& caption, const QStringList& items, QButtonGroup*& group, QWidget* parent)
{
    auto* box = new QGroupBox(caption, parent);
    auto* grid = new QGridLayout(box);
    group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], box);
        group->addButton(radio, i);
        grid->addWidget(radio, i / 2, i % 2);
    }
    return box;
}

// The length limits hold for typing; a longer value from the settings is shown whole.
void showText(QLineEdit* edit, const QString& text, int typingLimit)
{
    edit->setMaxLength(std::max(typingLimit, static_cast<int>(text.size())));
    edit->setText(text);
}

void checkRadio(QButtonGroup* group, int index)
{
    if (QAbstractButton* b = group->button(index)) {
        b->setChecked(true);
        return;
    }
    // No item: every radio off.
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons()) b->setChecked(false);
    group->setExclusive(true);
}

}  // namespace

SettingsDialog::SettingsDialog(Settings& settings, ProgramState& state, Reporter& reporter, Dialogs& dialogs,
                               QWidget* parent)
    : QDialog(parent), settings_(settings), state_(state), reporter_(reporter), dialogs_(dialogs)
{
    setWindowTitle(tr("Ustawienia"));
    setModal(true);
    setMaximumSize(350, 450);

    pages_ = new QTabWidget(this);
    pages_->setTabPosition(QTabWidget::East);
    pages_->addTab(buildRecorderPage(), tr("Rejestratora"));
    pages_->addTab(buildGeneralPage(), tr("Ogólne"));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* help = new QPushButton(tr("Pomoc"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, &SettingsDialog::helpClicked);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(pages_);
    layout->addLayout(buttons);

    setClock(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")),
             QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

QWidget* SettingsDialog::buildRecorderPage()
{
    auto* page = new QWidget;
    QGroupBox* recorder = buildRecorderGroup(page);
    QGroupBox* trigger = buildTriggerGroup(page);

    sendButton_ = new QPushButton(tr("Ustaw zaznaczone"), page);
    QFont bold = sendButton_->font();
    bold.setBold(true);
    sendButton_->setFont(bold);
    sendButton_->setToolTip(tr("Wyślij do rejestratora zaznaczone ustawienia."));
    checkButton_ = new QPushButton(tr("Sprawdź ustawienia"), page);
    checkButton_->setObjectName(QStringLiteral("checkButton"));
    sendButton_->setObjectName(QStringLiteral("sendButton"));
    checkButton_->setToolTip(tr("Czytaj ustawienia z rejestratora."));
    connect(sendButton_, &QPushButton::clicked, this, &SettingsDialog::sendChecked);
    connect(checkButton_, &QPushButton::clicked, this, &SettingsDialog::checkRequested);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(recorder);
    layout->addWidget(trigger);
    layout->addWidget(sendButton_);
    layout->addWidget(checkButton_);
    layout->addStretch();
    return page;
}

QGroupBox* SettingsDialog::buildRecorderGroup(QWidget* page)
{
    auto* recorder = new QGroupBox(tr("Ustawienia rejestratora "), page);
    auto* grid = new QGridLayout(recorder);

    sendSamplingTimeBox_ = sendBox(tr("Czas próbkowania"), recorder);
    samplingTimeSpin_ = new BoundedSpinBox(1, 32000, recorder);
    samplingTimeSpin_->setValue(10);
    grid->addWidget(sendSamplingTimeBox_, 0, 0);
    grid->addWidget(samplingTimeSpin_, 0, 1);
    grid->addWidget(new QLabel(tr("ms."), recorder), 0, 2);

    sendSampleCountBox_ = sendBox(tr("     Liczba próbek"), recorder);
    sampleCountEdit_ = new QLineEdit(QStringLiteral("500"), recorder);
    sampleCountEdit_->setMaxLength(7);
    connect(sampleCountEdit_, &QLineEdit::editingFinished, this, &SettingsDialog::correctSampleCountField);
    grid->addWidget(sendSampleCountBox_, 1, 0);
    grid->addWidget(sampleCountEdit_, 1, 1);

    sendChannelCountBox_ = sendBox(tr("   Kanały od 1 do"), recorder);
    channelCountSpin_ = new BoundedSpinBox(1, kMaxChannels, recorder);
    grid->addWidget(sendChannelCountBox_, 2, 0);
    grid->addWidget(channelCountSpin_, 2, 1);
    grid->addWidget(new QLabel(tr("włączone. "), recorder), 2, 2);

    sendDateTimeBox_ = sendBox(tr("  Data Godz."), recorder);
    dateLabel_ = new QLabel(recorder);
    timeLabel_ = new QLabel(recorder);
    grid->addWidget(sendDateTimeBox_, 3, 0);
    grid->addWidget(dateLabel_, 3, 1);
    grid->addWidget(timeLabel_, 3, 2);
    for (QCheckBox* b : {sendSamplingTimeBox_, sendSampleCountBox_, sendChannelCountBox_, sendDateTimeBox_})
        b->setChecked(true);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(4);
    return recorder;
}

QGroupBox* SettingsDialog::buildTriggerGroup(QWidget* page)
{
    auto* trigger = new QGroupBox(tr("Parametry wyzwalania  (k1) "), page);
    auto* tgrid = new QGridLayout(trigger);
    sendTriggerModeBox_ = sendBox(tr("Wyzwalanie:"), trigger);
    triggerEnabledBox_ = new QCheckBox(tr("Włączone"), trigger);
    triggerEnabledBox_->setToolTip(tr("Opcje: [v]-Trigger, [ ]-Normal"));
    tgrid->addWidget(sendTriggerModeBox_, 0, 0);
    tgrid->addWidget(triggerEnabledBox_, 0, 1, 1, 3);

    sendTriggerLevelsBox_ = sendBox(tr("Start/Stop:"), trigger);
    const QString commaHint = tr("Używaj przecinka jako znaku dziesiętnego.");
    triggerStartEdit_ = new QLineEdit(QStringLiteral("10"), trigger);
    triggerStopEdit_ = new QLineEdit(QStringLiteral("100"), trigger);
    for (QLineEdit* e : {triggerStartEdit_, triggerStopEdit_}) {
        e->setMaxLength(8);
        e->setToolTip(commaHint);
    }
    tgrid->addWidget(sendTriggerLevelsBox_, 1, 0);
    tgrid->addWidget(triggerStartEdit_, 1, 1);
    tgrid->addWidget(new QLabel(QStringLiteral("/"), trigger), 1, 2);
    tgrid->addWidget(triggerStopEdit_, 1, 3);

    sendConstantsBox_ = sendBox(tr("Stałe S_B/S_C:"), trigger);
    sendConstantsBox_->hide();
    sbLabel_ = new QLabel(trigger);
    scLabel_ = new QLabel(trigger);
    tgrid->addWidget(new QLabel(tr("Stałe S_B/S_C "), trigger), 2, 0);
    tgrid->addWidget(sbLabel_, 2, 1);
    tgrid->addWidget(new QLabel(QStringLiteral("/"), trigger), 2, 2);
    tgrid->addWidget(scLabel_, 2, 3);
    // sendConstantsBox_ decides whether the constants are sent; the user sets it through sendTriggerLevelsBox_.
    connect(sendTriggerLevelsBox_, &QCheckBox::clicked, sendConstantsBox_, &QCheckBox::setChecked);
    tgrid->setContentsMargins(6, 6, 6, 6);
    tgrid->setHorizontalSpacing(4);
    return trigger;
}

QWidget* SettingsDialog::buildGeneralPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(radioGroup(tr("Pierwsza kolumna pliku danych to:"),
                                 {tr("Nie występuje"), tr("Numer pomiaru"),
                                  tr("Czas pomiaru"), tr("Godz.pomiaru")},
                                 firstColumnGroup_, page));
    checkRadio(firstColumnGroup_, 2);
    // The first column's choice is stored at once.
    connect(firstColumnGroup_, &QButtonGroup::idClicked, this, [this](int id) { settings_.firstColumn = id; });

    auto* advanced = new QPushButton(tr("Zaawansowane"), page);
    auto* defaults = new QPushButton(tr("Domyślne"), page);
    connect(advanced, &QPushButton::clicked, this, &SettingsDialog::advancedRequested);
    connect(defaults, &QPushButton::clicked, this, &SettingsDialog::applyDefaults);
    auto* row = new QHBoxLayout;
    row->addWidget(advanced);
    row->addWidget(defaults);
    layout->addLayout(row);

    commandLabel_ = new QLabel(tr("Ustawienia"), page);
    commandLabel_->setWordWrap(true);
    commandLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(commandLabel_);

    auto* transfer = new QGroupBox(tr("Transmisji"), page);
    auto* tlayout = new QVBoxLayout(transfer);
    tlayout->addWidget(radioGroup(
        QString(), {QStringLiteral("com1"), QStringLiteral("com2"), QStringLiteral("com3"), QStringLiteral("com4")},
        portGroup_, transfer));
    checkRadio(portGroup_, 1);
    portParamsBox_ = new QComboBox(transfer);
    portParamsBox_->setEditable(true);
    for (const char* rate : {"2400", "4800", "9600", "19200", "38400", "57600", "115200", "230400"})
        portParamsBox_->addItem(QStringLiteral(":%1,n,8,2,p").arg(QLatin1String(rate)));
    portParamsBox_->setCurrentText(QString::fromLatin1(kInitialPortParams));
    connect(portParamsBox_, &QComboBox::activated, this, &SettingsDialog::portParamsChosen);
    auto* params = new QHBoxLayout;
    params->addWidget(new QLabel(tr("Parametry com:"), transfer));
    params->addWidget(portParamsBox_, 1);
    tlayout->addLayout(params);
    layout->addWidget(transfer);

    auto* programs = new QGridLayout;
    auto* save = new QPushButton(QStringLiteral("..."), page);
    auto* load = new QPushButton(QStringLiteral("..."), page);
    for (QPushButton* b : {save, load}) b->setFixedWidth(32);
    auto* saveLabel = new QLabel(tr("Zapisz bieżące ustawienia jako nowy program."), page);
    auto* loadLabel = new QLabel(tr("Otwórz nowy program z zapisanych ustawień:"), page);
    for (QLabel* l : {saveLabel, loadLabel}) l->setWordWrap(true);
    programs->addWidget(saveLabel, 0, 0);
    programs->addWidget(save, 0, 1);
    programs->addWidget(loadLabel, 1, 0);
    programs->addWidget(load, 1, 1);
    connect(save, &QPushButton::clicked, this, &SettingsDialog::saveProgram);
    connect(load, &QPushButton::clicked, this, &SettingsDialog::loadProgram);
    layout->addLayout(programs);
    layout->addStretch();
    return page;
}

SettingsControls SettingsDialog::controls() const
{
    SettingsControls c;
    c.sendSamplingTime = sendSamplingTimeBox_->isChecked();
    c.samplingTimeText = samplingTimeSpin_->text();
    c.samplingTimePosition = samplingTimeSpin_->value();
    c.sendSampleCount = sendSampleCountBox_->isChecked();
    c.sampleCountText = sampleCountEdit_->text();
    c.sendChannelCount = sendChannelCountBox_->isChecked();
    c.channelCountText = channelCountSpin_->text();
    c.channelCountPosition = channelCountSpin_->value();
    c.sendDateTime = sendDateTimeBox_->isChecked();
    c.dateText = dateLabel_->text();
    c.timeText = timeLabel_->text();
    c.sendTriggerMode = sendTriggerModeBox_->isChecked();
    c.triggerEnabled = triggerEnabledBox_->isChecked();
    c.sendTriggerLevels = sendTriggerLevelsBox_->isChecked();
    c.sendConstants = sendConstantsBox_->isChecked();
    c.triggerStartText = triggerStartEdit_->text();
    c.triggerStopText = triggerStopEdit_->text();
    c.sbText = sbLabel_->text();
    c.scText = scLabel_->text();
    c.triggerItemsDisabled = triggerItemsDisabled_;
    c.firstColumn = firstColumnGroup_->checkedId();
    c.portIndex = portGroup_->checkedId();
    c.portParams = portParamsBox_->currentText();
    return c;
}

void SettingsDialog::setControls(const SettingsControls& c)
{
    sendSamplingTimeBox_->setChecked(c.sendSamplingTime);
    samplingTimeSpin_->setValue(c.samplingTimePosition);
    sendSampleCountBox_->setChecked(c.sendSampleCount);
    showText(sampleCountEdit_, c.sampleCountText, 7);
    sendChannelCountBox_->setChecked(c.sendChannelCount);
    channelCountSpin_->setValue(c.channelCountPosition);
    sendDateTimeBox_->setChecked(c.sendDateTime);
    sendTriggerModeBox_->setChecked(c.sendTriggerMode);
    triggerEnabledBox_->setChecked(c.triggerEnabled);
    sendTriggerLevelsBox_->setChecked(c.sendTriggerLevels);
    sendConstantsBox_->setChecked(c.sendConstants);
    showText(triggerStartEdit_, c.triggerStartText, 8);
    showText(triggerStopEdit_, c.triggerStopText, 8);
    sbLabel_->setText(c.sbText);
    scLabel_->setText(c.scText);
    checkRadio(firstColumnGroup_, c.firstColumn);
    checkRadio(portGroup_, c.portIndex);
    portParamsBox_->setCurrentText(c.portParams);
}

void SettingsDialog::fillFromSettings()
{
    SettingsControls c = controlsFromSettings(settings_);
    // The clock labels belong to the timer, not to the settings.
    c.dateText = dateLabel_->text();
    c.timeText = timeLabel_->text();
    setControls(c);
    triggerItemsDisabled_ = c.triggerItemsDisabled;
    // A model-5 recorder takes no trigger levels: their controls are off, and on again
    // for any other model.
    for (QWidget* w : {static_cast<QWidget*>(sendTriggerLevelsBox_), static_cast<QWidget*>(sendConstantsBox_),
                       static_cast<QWidget*>(triggerStartEdit_), static_cast<QWidget*>(triggerStopEdit_)})
        w->setEnabled(!triggerItemsDisabled_);
}

bool SettingsDialog::noteValuesOutOfRange()
{
    QStringList notes;
    const auto check = [&notes](BoundedSpinBox* spin, const QString& field) {
        if (const auto note = rangeNote(field, spin->text(), spin->boundMinimum(), spin->boundMaximum())) {
            notes << note->text();
            spin->setValue(note->used);
        }
    };
    check(samplingTimeSpin_, tr("Czas próbkowania"));
    if (const auto note = rangeNote(tr("Liczba próbek"), sampleCountEdit_->text(), 1, kMaxSampleCount)) {
        notes << note->text();
        sampleCountEdit_->setText(QString::number(note->used));
    }
    check(channelCountSpin_, tr("Kanały od 1 do"));
    if (notes.isEmpty()) return false;
    reporter_.showMessage(notes.join(QLatin1Char('\n')), warningCaption(), MessageIcon::Warning);
    return true;
}

bool SettingsDialog::storeIntoSettings()
{
    noteValuesOutOfRange();
    if (const auto error = storeControls(controls(), settings_)) {
        showError(*error);
        return false;
    }
    return true;
}

void SettingsDialog::applyDefaults()
{
    SettingsControls c = controls();
    applyDialogDefaults(c);
    setControls(c);
}

void SettingsDialog::sendChecked()
{
    checkButton_->setEnabled(false);
    noteValuesOutOfRange();
    const CommandOutcome outcome = buildSettingsCommand(controls());
    if (outcome.error) {
        showError(*outcome.error);
        checkButton_->setEnabled(true);
        return;
    }
    const SettingsCommand& command = *outcome.command;
    state_.statusRead = command.statusRead;
    if (command.expectedSamples) state_.expectedSamples = *command.expectedSamples;
    setPendingCommand(command.text);
    commandLabel_->setText(QString::fromLatin1(command.text));
    if (storeIntoSettings()) emit sendRequested();
    checkButton_->setEnabled(true);
}

void SettingsDialog::correctSampleCountField()
{
    // The message box takes the focus and would end the editing a second time.
    if (correctingSampleCount_) return;
    correctingSampleCount_ = true;
    const QString typed = sampleCountEdit_->text();
    if (const auto corrected = correctSampleCount(typed)) {
        sampleCountEdit_->setText(*corrected);
        if (const auto note = rangeNote(tr("Liczba próbek"), typed, 1, kMaxSampleCount))
            reporter_.showMessage(note->text(), warningCaption(), MessageIcon::Warning);
    } else
        showError(FieldError{tr("Liczba próbek"), sampleCountEdit_->text()});
    correctingSampleCount_ = false;
}

void SettingsDialog::portParamsChosen()
{
    // The port and its parameters take effect with the next
    // exchange; the baud rate is stored only when the dialog is confirmed.
    setFieldText(settings_.portParams, toWin1250Lossy(portParamsBox_->currentText()));
    settings_.portNumber = portGroup_->checkedId() + 1;
    reporter_.setStatus(StatusPanel::Message, portParamsBox_->currentText());
    reporter_.processEvents();
}

void SettingsDialog::saveProgram()
{
    const QString path =
        dialogs_.saveFileName(this, coreText("SettingsCommand", kSaveProgramTitle), QString(),
                              coreText("SettingsCommand", kSettingsProgramFilter), QStringLiteral("roln"));
    if (path.isEmpty()) return;
    state_.settingsProgramPath = path;
    saveSettingsProgram(settings_, path, reporter_);
}

void SettingsDialog::loadProgram()
{
    // The dialog ends as cancelled: nothing of its controls is stored.
    reject();
    const QString path = dialogs_.openFileNameTitled(this, coreText("SettingsCommand", kLoadProgramTitle),
                                                     coreText("SettingsCommand", kSettingsProgramFilter));
    if (path.isEmpty()) return;
    state_.settingsProgramPath = path;
    if (installSettingsProgram(path, state_.startDir, reporter_)) emit settingsProgramLoaded();
}

void SettingsDialog::setClock(const QString& date, const QString& time)
{
    dateLabel_->setText(date);
    timeLabel_->setText(time);
}

void SettingsDialog::setConstantLabels(const QString& sb, const QString& sc)
{
    sbLabel_->setText(sb);
    scLabel_->setText(sc);
}

QByteArray SettingsDialog::pendingCommand() const
{
    return pendingCommand_.left(kPendingCommandMax);
}

void SettingsDialog::setPendingCommand(const QByteArray& text)
{
    pendingCommand_ = text;
}

QString SettingsDialog::shownCommand() const
{
    return commandLabel_->text();
}

bool SettingsDialog::checkEnabled() const
{
    return checkButton_->isEnabled();
}

void SettingsDialog::showError(const FieldError& error)
{
    reporter_.showMessage(error.message(), errorCaption(), MessageIcon::Error);
}

}  // namespace vorda
