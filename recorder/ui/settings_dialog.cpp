#include "ui/settings_dialog.h"

#include "core/settings_record.h"
#include "core/text_codec.h"
#include "measure/measurement_control.h"
#include "ui/message_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
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

const QString kSentWhenChecked = QStringLiteral("Wysyła gdy zaznaczone.");

QCheckBox* sendBox(const QString& caption, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setToolTip(kSentWhenChecked);
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

TForm2::TForm2(Settings& settings, ProgramState& state, Reporter& reporter, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), settings_(settings), state_(state), reporter_(reporter), dialogs_(dialogs)
{
    setWindowTitle(QStringLiteral("Ustawienia"));
    setModal(true);
    setMaximumSize(350, 450);

    PageControl1 = new QTabWidget(this);
    PageControl1->setTabPosition(QTabWidget::East);
    PageControl1->addTab(buildRecorderPage(), QStringLiteral("Rejestratora"));
    PageControl1->addTab(buildGeneralPage(), QStringLiteral("Ogólne"));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* help = new QPushButton(QStringLiteral("Pomoc"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, &TForm2::helpClicked);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);

    setClock(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")),
             QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

QWidget* TForm2::buildRecorderPage()
{
    auto* page = new QWidget;
    auto* recorder = new QGroupBox(QStringLiteral("Ustawienia rejestratora "), page);
    auto* grid = new QGridLayout(recorder);

    CheckBox1 = sendBox(QStringLiteral("Czas próbkowania"), recorder);
    Edit1 = new QSpinBox(recorder);
    Edit1->setRange(1, 32000);
    Edit1->setValue(10);
    grid->addWidget(CheckBox1, 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("ms."), recorder), 0, 2);

    CheckBox2 = sendBox(QStringLiteral("     Liczba próbek"), recorder);
    Edit2 = new QLineEdit(QStringLiteral("500"), recorder);
    Edit2->setMaxLength(7);
    connect(Edit2, &QLineEdit::editingFinished, this, &TForm2::Edit2Exit);
    grid->addWidget(CheckBox2, 1, 0);
    grid->addWidget(Edit2, 1, 1);

    CheckBox4 = sendBox(QStringLiteral("   Kanały od 1 do"), recorder);
    Edit3 = new QSpinBox(recorder);
    Edit3->setRange(1, kMaxChannels);
    grid->addWidget(CheckBox4, 2, 0);
    grid->addWidget(Edit3, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("włączone. "), recorder), 2, 2);

    CheckBox3 = sendBox(QStringLiteral("  Data Godz."), recorder);
    Label2 = new QLabel(recorder);
    Label3 = new QLabel(recorder);
    grid->addWidget(CheckBox3, 3, 0);
    grid->addWidget(Label2, 3, 1);
    grid->addWidget(Label3, 3, 2);
    for (QCheckBox* b : {CheckBox1, CheckBox2, CheckBox4, CheckBox3}) b->setChecked(true);

    auto* trigger = new QGroupBox(QStringLiteral("Parametry wyzwalania  (k1) "), page);
    auto* tgrid = new QGridLayout(trigger);
    CheckBox8 = sendBox(QStringLiteral("Wyzwalanie:"), trigger);
    CheckBox7 = new QCheckBox(QStringLiteral("Włączone"), trigger);
    CheckBox7->setToolTip(QStringLiteral("Opcje: [v]-Trigger, [ ]-Normal"));
    tgrid->addWidget(CheckBox8, 0, 0);
    tgrid->addWidget(CheckBox7, 0, 1, 1, 3);

    CheckBox6 = sendBox(QStringLiteral("Start/Stop:"), trigger);
    const QString commaHint = QStringLiteral("Używaj przecinka jako znaku dziesiętnego.");
    Edit4 = new QLineEdit(QStringLiteral("10"), trigger);
    Edit5 = new QLineEdit(QStringLiteral("100"), trigger);
    for (QLineEdit* e : {Edit4, Edit5}) {
        e->setMaxLength(8);
        e->setToolTip(commaHint);
    }
    tgrid->addWidget(CheckBox6, 1, 0);
    tgrid->addWidget(Edit4, 1, 1);
    tgrid->addWidget(new QLabel(QStringLiteral("/"), trigger), 1, 2);
    tgrid->addWidget(Edit5, 1, 3);

    CheckBox5 = sendBox(QStringLiteral("Stałe S_B/S_C:"), trigger);
    CheckBox5->hide();
    Label9 = new QLabel(trigger);
    Label8 = new QLabel(trigger);
    tgrid->addWidget(new QLabel(QStringLiteral("Stałe S_B/S_C "), trigger), 2, 0);
    tgrid->addWidget(Label9, 2, 1);
    tgrid->addWidget(new QLabel(QStringLiteral("/"), trigger), 2, 2);
    tgrid->addWidget(Label8, 2, 3);
    // CheckBox5 decides whether the constants are sent; the user sets it through CheckBox6.
    connect(CheckBox6, &QCheckBox::clicked, CheckBox5, &QCheckBox::setChecked);

    Button4 = new QPushButton(QStringLiteral("Ustaw zaznaczone"), page);
    QFont bold = Button4->font();
    bold.setBold(true);
    Button4->setFont(bold);
    Button4->setToolTip(QStringLiteral("Wyślij do rejestratora zaznaczone ustawienia."));
    Button8 = new QPushButton(QStringLiteral("Sprawdź ustawienia"), page);
    Button8->setToolTip(QStringLiteral("Czytaj ustawienia z rejestratora."));
    connect(Button4, &QPushButton::clicked, this, &TForm2::Button4Click);
    connect(Button8, &QPushButton::clicked, this, &TForm2::checkRequested);

    for (QGridLayout* g : {grid, tgrid}) {
        g->setContentsMargins(6, 6, 6, 6);
        g->setHorizontalSpacing(4);
    }
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(recorder);
    layout->addWidget(trigger);
    layout->addWidget(Button4);
    layout->addWidget(Button8);
    layout->addStretch();
    return page;
}

QWidget* TForm2::buildGeneralPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(radioGroup(QStringLiteral("Pierwsza kolumna pliku danych to:"),
                                 {QStringLiteral("Nie występuje"), QStringLiteral("Numer pomiaru"),
                                  QStringLiteral("Czas pomiaru"), QStringLiteral("Godz.pomiaru")},
                                 RadioGroup2, page));
    checkRadio(RadioGroup2, 2);
    // Odswierz1kolumnaExecute: the choice is stored at once.
    connect(RadioGroup2, &QButtonGroup::idClicked, this, [this](int id) { settings_.firstColumn = id; });

    auto* advanced = new QPushButton(QStringLiteral("Zaawansowane"), page);
    auto* defaults = new QPushButton(QStringLiteral("Domyślne"), page);
    connect(advanced, &QPushButton::clicked, this, &TForm2::advancedRequested);
    connect(defaults, &QPushButton::clicked, this, &TForm2::DoyslneUstawExecute);
    auto* row = new QHBoxLayout;
    row->addWidget(advanced);
    row->addWidget(defaults);
    layout->addLayout(row);

    Label10 = new QLabel(QStringLiteral("Ustawienia"), page);
    Label10->setWordWrap(true);
    Label10->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label4 = new QLabel(page);
    Label4->hide();
    layout->addWidget(Label10);

    auto* transfer = new QGroupBox(QStringLiteral("Transmisji"), page);
    auto* tlayout = new QVBoxLayout(transfer);
    tlayout->addWidget(radioGroup(
        QString(), {QStringLiteral("com1"), QStringLiteral("com2"), QStringLiteral("com3"), QStringLiteral("com4")},
        RadioGroup1, transfer));
    checkRadio(RadioGroup1, 1);
    ComboBox1 = new QComboBox(transfer);
    ComboBox1->setEditable(true);
    for (const char* rate : {"2400", "4800", "9600", "19200", "38400", "57600", "115200", "230400"})
        ComboBox1->addItem(QStringLiteral(":%1,n,8,2,p").arg(QLatin1String(rate)));
    ComboBox1->setCurrentText(QStringLiteral(":38400,n,8,2,p"));
    connect(ComboBox1, &QComboBox::activated, this, &TForm2::comboBoxChosen);
    auto* params = new QHBoxLayout;
    params->addWidget(new QLabel(QStringLiteral("Parametry com:"), transfer));
    params->addWidget(ComboBox1, 1);
    tlayout->addLayout(params);
    layout->addWidget(transfer);

    auto* programs = new QGridLayout;
    auto* save = new QPushButton(QStringLiteral("..."), page);
    auto* load = new QPushButton(QStringLiteral("..."), page);
    for (QPushButton* b : {save, load}) b->setFixedWidth(32);
    auto* saveLabel = new QLabel(QStringLiteral("Zapisz bieżące ustawienia jako nowy program."), page);
    auto* loadLabel = new QLabel(QStringLiteral("Otwórz nowy program z zapisanych ustawień:"), page);
    for (QLabel* l : {saveLabel, loadLabel}) l->setWordWrap(true);
    programs->addWidget(saveLabel, 0, 0);
    programs->addWidget(save, 0, 1);
    programs->addWidget(loadLabel, 1, 0);
    programs->addWidget(load, 1, 1);
    connect(save, &QPushButton::clicked, this, &TForm2::ZapiszUstawieniaClick);
    connect(load, &QPushButton::clicked, this, &TForm2::Button7Click);
    layout->addLayout(programs);
    layout->addStretch();
    return page;
}

SettingsControls TForm2::controls() const
{
    SettingsControls c;
    c.sendSamplingTime = CheckBox1->isChecked();
    c.samplingTimeText = Edit1->text();
    c.samplingTimePosition = Edit1->value();
    c.sendSampleCount = CheckBox2->isChecked();
    c.sampleCountText = Edit2->text();
    c.sendChannelCount = CheckBox4->isChecked();
    c.channelCountText = Edit3->text();
    c.channelCountPosition = Edit3->value();
    c.sendDateTime = CheckBox3->isChecked();
    c.dateText = Label2->text();
    c.timeText = Label3->text();
    c.sendTriggerMode = CheckBox8->isChecked();
    c.triggerEnabled = CheckBox7->isChecked();
    c.sendTriggerLevels = CheckBox6->isChecked();
    c.sendConstants = CheckBox5->isChecked();
    c.triggerStartText = Edit4->text();
    c.triggerStopText = Edit5->text();
    c.sbText = Label9->text();
    c.scText = Label8->text();
    c.triggerItemsDisabled = triggerItemsDisabled_;
    c.firstColumn = RadioGroup2->checkedId();
    c.portIndex = RadioGroup1->checkedId();
    c.portParams = ComboBox1->currentText();
    return c;
}

void TForm2::setControls(const SettingsControls& c)
{
    CheckBox1->setChecked(c.sendSamplingTime);
    Edit1->setValue(c.samplingTimePosition);
    CheckBox2->setChecked(c.sendSampleCount);
    showText(Edit2, c.sampleCountText, 7);
    CheckBox4->setChecked(c.sendChannelCount);
    Edit3->setValue(c.channelCountPosition);
    CheckBox3->setChecked(c.sendDateTime);
    CheckBox8->setChecked(c.sendTriggerMode);
    CheckBox7->setChecked(c.triggerEnabled);
    CheckBox6->setChecked(c.sendTriggerLevels);
    CheckBox5->setChecked(c.sendConstants);
    showText(Edit4, c.triggerStartText, 8);
    showText(Edit5, c.triggerStopText, 8);
    Label9->setText(c.sbText);
    Label8->setText(c.scText);
    checkRadio(RadioGroup2, c.firstColumn);
    checkRadio(RadioGroup1, c.portIndex);
    ComboBox1->setCurrentText(c.portParams);
}

void TForm2::fillFromSettings()
{
    SettingsControls c = controlsFromSettings(settings_);
    // The clock labels belong to the timer, not to the settings.
    c.dateText = Label2->text();
    c.timeText = Label3->text();
    setControls(c);
    triggerItemsDisabled_ = c.triggerItemsDisabled;
    // A model-5 recorder takes no trigger levels: their controls are off, and on again
    // for any other model.
    for (QWidget* w : {static_cast<QWidget*>(CheckBox6), static_cast<QWidget*>(CheckBox5), static_cast<QWidget*>(Edit4),
                       static_cast<QWidget*>(Edit5)})
        w->setEnabled(!triggerItemsDisabled_);
}

bool TForm2::ZapamietajUstawieniaExecute()
{
    if (const auto error = storeControls(controls(), settings_)) {
        showError(*error);
        return false;
    }
    return true;
}

void TForm2::DoyslneUstawExecute()
{
    SettingsControls c = controls();
    applyDialogDefaults(c);
    setControls(c);
}

void TForm2::Button4Click()
{
    Button8->setEnabled(false);
    const CommandOutcome outcome = buildSettingsCommand(controls());
    if (outcome.error) {
        showError(*outcome.error);
        Button8->setEnabled(true);
        return;
    }
    const SettingsCommand& command = *outcome.command;
    state_.statusRead = command.statusRead;
    if (command.expectedSamples) state_.expectedSamples = *command.expectedSamples;
    setPendingCommand(command.text);
    Label10->setText(QString::fromLatin1(command.text));
    if (ZapamietajUstawieniaExecute()) emit sendRequested();
    Button8->setEnabled(true);
}

void TForm2::Edit2Exit()
{
    // The message box takes the focus and would end the editing a second time.
    if (inEdit2Exit_) return;
    inEdit2Exit_ = true;
    if (const auto corrected = correctSampleCount(Edit2->text()))
        Edit2->setText(*corrected);
    else
        showError(FieldError{QStringLiteral("Liczba próbek"), Edit2->text()});
    inEdit2Exit_ = false;
}

void TForm2::comboBoxChosen()
{
    // OswierzUstawieniaComExecute: the port and its parameters take effect with the next
    // exchange; the baud rate is stored only when the dialog is confirmed.
    setFieldText(settings_.portParams, toWin1250Lossy(ComboBox1->currentText()));
    settings_.portNumber = RadioGroup1->checkedId() + 1;
    reporter_.setStatus(StatusPanel::Message, ComboBox1->currentText());
    reporter_.processEvents();
}

void TForm2::ZapiszUstawieniaClick()
{
    const QString path = dialogs_.saveFileName(this, QString::fromUtf8(kSaveProgramTitle), QString(),
                                               QString::fromUtf8(kSettingsProgramFilter), QStringLiteral("roln"));
    if (path.isEmpty()) return;
    state_.settingsProgramPath = path;
    saveSettingsProgram(settings_, path, reporter_);
}

void TForm2::Button7Click()
{
    // The dialog ends as cancelled: nothing of its controls is stored.
    reject();
    const QString path = dialogs_.openFileNameTitled(this, QString::fromUtf8(kLoadProgramTitle),
                                                     QString::fromUtf8(kSettingsProgramFilter));
    if (path.isEmpty()) return;
    state_.settingsProgramPath = path;
    if (installSettingsProgram(path, state_.startDir, reporter_)) emit settingsProgramLoaded();
}

void TForm2::setClock(const QString& date, const QString& time)
{
    Label2->setText(date);
    Label3->setText(time);
}

void TForm2::setConstantLabels(const QString& sb, const QString& sc)
{
    Label9->setText(sb);
    Label8->setText(sc);
}

QByteArray TForm2::pendingCommand() const
{
    return Label4->text().toLatin1().left(kPendingCommandMax);
}

void TForm2::setPendingCommand(const QByteArray& text)
{
    Label4->setText(QString::fromLatin1(text));
}

QString TForm2::shownCommand() const
{
    return Label10->text();
}

bool TForm2::checkEnabled() const
{
    return Button8->isEnabled();
}

void TForm2::showError(const FieldError& error)
{
    reporter_.showMessage(error.message(), QString::fromUtf8(kNumberErrorCaption), MessageIcon::Error);
}

}  // namespace vorda
