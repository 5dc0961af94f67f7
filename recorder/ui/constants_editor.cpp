#include "ui/constants_editor.h"

#include "core/settings_record.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace vorda {
namespace {

// The length limits hold for typing; a longer value from the settings or a parameter file
// is shown whole, so confirming the editor never cuts it.
void showText(QLineEdit* edit, const QString& text, int typingLimit)
{
    edit->setMaxLength(std::max(typingLimit, static_cast<int>(text.size())));
    edit->setText(text);
}

}  // namespace

TForm8::TForm8(Settings& settings, const ProgramState& state, Reporter& reporter, QWidget* parent)
    : QDialog(parent), settings_(settings), state_(state), reporter_(reporter)
{
    setWindowTitle(QStringLiteral("Ustawienia zaawansowane."));
    setModal(true);

    auto* manual = new QGroupBox(QStringLiteral("Ręczne ustawienie kanałów (bez kalibracji)"), this);
    auto* grid = new QGridLayout(manual);

    Edit1 = new QSpinBox(manual);
    Edit1->setRange(1, kMaxChannels);
    Edit1->setLayoutDirection(Qt::RightToLeft);  // the arrows on the left
    Edit1->setKeyboardTracking(false);           // a typed number counts when it is complete
    connect(Edit1, &QSpinBox::valueChanged, this, &TForm8::channelChanged);
    grid->addWidget(new QLabel(QStringLiteral("Ustawienia dla kanału "), manual), 0, 0);
    grid->addWidget(Edit1, 0, 1);

    Edit3 = new QLineEdit(QStringLiteral("0"), manual);
    Edit3->setMaxLength(6);
    Edit3->setToolTip(QStringLiteral("Liczba całkowita <0-65535>"));
    grid->addWidget(new QLabel(QStringLiteral("Stała S_C,  Zero."), manual), 1, 0);
    grid->addWidget(Edit3, 1, 1);

    Edit2 = new QLineEdit(QStringLiteral("10,00"), manual);
    Edit2->setMaxLength(9);
    Edit2->setToolTip(QStringLiteral("Liczba zmiennoprzecinkowa, używaj przecinka jako znaku dziesiętnego."));
    grid->addWidget(new QLabel(QStringLiteral("Stała S_B, wzmocnienie."), manual), 2, 0);
    grid->addWidget(Edit2, 2, 1);

    // S_A is kept and stored but not shown.
    Edit5 = new QLineEdit(QStringLiteral("0"), manual);
    Edit5->hide();

    Edit4 = new QLineEdit(manual);
    Edit4->setMaxLength(13);
    Edit4->setToolTip(QStringLiteral("Tekst , gdy pusty usuwa kanał z pliku."));
    grid->addWidget(new QLabel(QStringLiteral("Nazwa czujnika"), manual), 3, 0);
    grid->addWidget(Edit4, 3, 1);

    ComboBox1 = new QComboBox(manual);
    ComboBox1->addItems({QStringLiteral("0"), QStringLiteral("0.0"), QStringLiteral("0.00"), QStringLiteral("0.000")});
    ComboBox1->setCurrentIndex(1);
    ComboBox1->setToolTip(QStringLiteral("Format pomiarów zapisywanych do pliku"));
    grid->addWidget(new QLabel(QStringLiteral("Format pomiarów"), manual), 4, 0);
    grid->addWidget(ComboBox1, 4, 1);

    Edit6 = new QLineEdit(manual);
    grid->addWidget(new QLabel(QStringLiteral("Parametry \nwykresu:"), manual), 5, 0);
    grid->addWidget(Edit6, 5, 1);

    // The presets: two buttons, the nine others under "Inne czujniki".
    auto* presets = new QVBoxLayout;
    otherSensors_ = new QToolButton(this);
    otherSensors_->setText(QStringLiteral("Inne czujniki"));
    otherSensors_->setPopupMode(QToolButton::InstantPopup);
    otherSensors_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    otherSensors_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto* menu = new QMenu(otherSensors_);
    otherSensors_->setMenu(menu);
    const auto& table = sensorPresets();
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        const QString caption = QString::fromUtf8(table[static_cast<std::size_t>(i)].caption);
        if (table[static_cast<std::size_t>(i)].shown) {
            auto* button = new QPushButton(caption, this);
            if (i == 0) button->setToolTip(QStringLiteral("Dla wybranego kanału."));
            connect(button, &QPushButton::clicked, this, [this, i] { presetClicked(i); });
            presets->addWidget(button);
        } else {
            menu->addAction(caption, this, [this, i] { presetClicked(i); });
        }
    }
    presets->addWidget(otherSensors_);

    auto* userBox = new QVBoxLayout;
    userBox->addWidget(new QLabel(QStringLiteral("Ustawienia użytkownika"), this));
    FileListBox1 = new QListWidget(this);
    FileListBox1->setToolTip(QStringLiteral("Kliknij 2 razy na wybrane ustawienia. "));
    connect(FileListBox1, &QListWidget::currentTextChanged, this, [this](const QString& name) {
        if (!name.isEmpty()) Edit7 = name;
    });
    connect(FileListBox1, &QListWidget::itemDoubleClicked, this, [this] { UserParam1Execute(); });
    userBox->addWidget(FileListBox1);
    Label9 = new QLabel(QStringLiteral("..."), this);
    Label9->setAlignment(Qt::AlignCenter);
    Label9->setWordWrap(true);
    userBox->addWidget(Label9);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Rezygnuj"), this);
    auto* help = new QPushButton(QStringLiteral("Pomoc"), this);
    connect(ok, &QPushButton::clicked, this, &TForm8::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &TForm8::helpClicked);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    auto* upper = new QHBoxLayout;
    upper->addWidget(manual, 3);
    upper->addLayout(userBox, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper);
    layout->addLayout(presets);
    layout->addLayout(buttons);

    fields_.channel = 1;
}

ConstantsEditorFields TForm8::readFields() const
{
    ConstantsEditorFields f = fields_;
    f.sb = Edit2->text();
    f.sc = Edit3->text();
    f.sa = Edit5->text();
    f.name = Edit4->text();
    f.format = ComboBox1->currentIndex();
    f.chart = Edit6->text();
    return f;
}

void TForm8::showFields(const ConstantsEditorFields& f)
{
    fields_ = f;
    // Positions set here raise no spin events.
    const QSignalBlocker quiet(Edit1);
    Edit1->setMaximum(f.channelMax);
    Edit1->setValue(f.channel);
    showText(Edit2, f.sb, 9);
    showText(Edit3, f.sc, 6);
    Edit5->setText(f.sa);
    showText(Edit4, f.name, 13);
    ComboBox1->setCurrentIndex(f.format);
    Edit6->setText(f.chart);
}

void TForm8::StaleDomyslneExecute()
{
    ConstantsEditorFields f = readFields();
    loadChannelFields(settings_, f);
    showFields(f);
}

bool TForm8::StaleDomyslneCzytajExecute()
{
    if (const auto error = storeChannelFields(settings_, readFields())) {
        showError(*error);
        return false;
    }
    return true;
}

void TForm8::channelChanged(int channel)
{
    ConstantsEditorFields f = readFields();
    const auto error = changeChannel(settings_, f, channel);
    showFields(f);  // on failure the spin goes back to the channel it left
    if (error) showError(*error);
}

void TForm8::presetClicked(int index)
{
    ConstantsEditorFields f = readFields();
    const auto error = applyPreset(settings_, f, sensorPresets().at(static_cast<std::size_t>(index)));
    showFields(f);
    if (error) showError(*error);
}

void TForm8::prepareOpening()
{
    fields_.channel = 1;
    StaleDomyslneExecute();
    refreshFileList();
}

void TForm8::refreshFileList()
{
    const QString current = FileListBox1->currentItem() ? FileListBox1->currentItem()->text() : QString();
    FileListBox1->clear();
    const QDir dir(state_.configDir);
    const QStringList names = dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    FileListBox1->addItems(names);
    const auto found = FileListBox1->findItems(current, Qt::MatchExactly);
    if (!found.isEmpty()) FileListBox1->setCurrentItem(found.first());
}

void TForm8::UserParam1Execute(bool quiet)
{
    const QString path = QDir(state_.configDir).filePath(Edit7);
    if (!QFileInfo(path).isFile()) {
        Label9->hide();
        return;
    }
    ConstantsEditorFields f = readFields();
    const ParameterSetOutcome outcome = applyParameterFile(settings_, f, path);
    if (!outcome.found) {
        Label9->hide();
        return;
    }
    Label9->setText(outcome.titleText());
    Label9->show();
    showFields(f);
    if (outcome.error) {
        const QString text = QStringLiteral("%1: %2").arg(Edit7).arg(outcome.errorLine);
        if (quiet)
            reporter_.setStatus(StatusPanel::Message, text + QStringLiteral(" - ") + outcome.error->message());
        else
            showError(*outcome.error);
    }
}

void TForm8::applyStartupParameters()
{
    if (!QFileInfo(QDir(state_.configDir).filePath(QString::fromLatin1(kStartupParameterFile))).isFile()) return;
    Edit7 = QString::fromLatin1(kStartupParameterFile);
    UserParam1Execute(true);
}

void TForm8::okClicked()
{
    // A field that is not a number keeps the editor open, so it can be corrected.
    if (StaleDomyslneCzytajExecute()) accept();
}

QString TForm8::sbText() const
{
    return Edit2->text();
}

QString TForm8::scText() const
{
    return Edit3->text();
}

QString TForm8::titleText() const
{
    return Label9->text();
}

bool TForm8::titleShown() const
{
    return !Label9->isHidden();
}

void TForm8::showError(const FieldError& error)
{
    reporter_.showMessage(error.message(), QString::fromUtf8(kNumberErrorCaption), MessageIcon::Error);
}

}  // namespace vorda
