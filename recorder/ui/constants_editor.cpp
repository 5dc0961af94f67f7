#include "ui/constants_editor.h"

#include "core/settings_record.h"
#include "ui/core_texts.h"

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

ConstantsEditor::ConstantsEditor(Settings& settings, const ProgramState& state, Reporter& reporter, QWidget* parent)
    : QDialog(parent), settings_(settings), state_(state), reporter_(reporter)
{
    setWindowTitle(tr("Ustawienia zaawansowane."));
    setModal(true);

    auto* upper = new QHBoxLayout;
    upper->addWidget(buildChannelGroup(), 3);
    upper->addLayout(buildParameterFiles(), 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper);
    layout->addLayout(buildPresets());
    layout->addLayout(buildButtons());

    fields_.channel = 1;
}

QGroupBox* ConstantsEditor::buildChannelGroup()
{
    auto* manual = new QGroupBox(tr("Ręczne ustawienie kanałów (bez kalibracji)"), this);
    auto* grid = new QGridLayout(manual);

    channelSpin_ = new QSpinBox(manual);
    channelSpin_->setRange(1, kMaxChannels);
    channelSpin_->setLayoutDirection(Qt::RightToLeft);  // the arrows on the left
    channelSpin_->setKeyboardTracking(false);           // a typed number counts when it is complete
    connect(channelSpin_, &QSpinBox::valueChanged, this, &ConstantsEditor::channelChanged);
    grid->addWidget(new QLabel(tr("Ustawienia dla kanału "), manual), 0, 0);
    grid->addWidget(channelSpin_, 0, 1);

    scEdit_ = new QLineEdit(QStringLiteral("0"), manual);
    scEdit_->setMaxLength(6);
    scEdit_->setToolTip(tr("Liczba całkowita <0-65535>"));
    grid->addWidget(new QLabel(tr("Stała S_C,  Zero."), manual), 1, 0);
    grid->addWidget(scEdit_, 1, 1);

    sbEdit_ = new QLineEdit(QStringLiteral("10,00"), manual);
    sbEdit_->setMaxLength(9);
    sbEdit_->setToolTip(tr("Liczba zmiennoprzecinkowa, używaj przecinka jako znaku dziesiętnego."));
    grid->addWidget(new QLabel(tr("Stała S_B, wzmocnienie."), manual), 2, 0);
    grid->addWidget(sbEdit_, 2, 1);

    nameEdit_ = new QLineEdit(manual);
    nameEdit_->setMaxLength(13);
    nameEdit_->setToolTip(tr("Tekst , gdy pusty usuwa kanał z pliku."));
    grid->addWidget(new QLabel(tr("Nazwa czujnika"), manual), 3, 0);
    grid->addWidget(nameEdit_, 3, 1);

    formatBox_ = new QComboBox(manual);
    formatBox_->addItems({QStringLiteral("0"), QStringLiteral("0.0"), QStringLiteral("0.00"), QStringLiteral("0.000")});
    formatBox_->setCurrentIndex(1);
    formatBox_->setToolTip(tr("Format pomiarów zapisywanych do pliku"));
    grid->addWidget(new QLabel(tr("Format pomiarów"), manual), 4, 0);
    grid->addWidget(formatBox_, 4, 1);

    chartEdit_ = new QLineEdit(manual);
    grid->addWidget(new QLabel(tr("Parametry \nwykresu:"), manual), 5, 0);
    grid->addWidget(chartEdit_, 5, 1);
    return manual;
}

QLayout* ConstantsEditor::buildPresets()
{
    // The presets: two buttons, the nine others under "Inne czujniki".
    auto* presets = new QVBoxLayout;
    otherSensors_ = new QToolButton(this);
    otherSensors_->setText(tr("Inne czujniki"));
    otherSensors_->setPopupMode(QToolButton::InstantPopup);
    otherSensors_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    otherSensors_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto* menu = new QMenu(otherSensors_);
    otherSensors_->setMenu(menu);
    const auto& table = sensorPresets();
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        const QString caption = coreText("ChannelConstants", table[static_cast<std::size_t>(i)].caption);
        if (table[static_cast<std::size_t>(i)].shown) {
            auto* button = new QPushButton(caption, this);
            if (i == 0) button->setToolTip(tr("Dla wybranego kanału."));
            connect(button, &QPushButton::clicked, this, [this, i] { presetClicked(i); });
            presets->addWidget(button);
        } else {
            menu->addAction(caption, this, [this, i] { presetClicked(i); });
        }
    }
    presets->addWidget(otherSensors_);
    return presets;
}

QLayout* ConstantsEditor::buildParameterFiles()
{
    auto* userBox = new QVBoxLayout;
    userBox->addWidget(new QLabel(tr("Ustawienia użytkownika"), this));
    parameterFiles_ = new QListWidget(this);
    parameterFiles_->setToolTip(tr("Kliknij 2 razy na wybrane ustawienia. "));
    connect(parameterFiles_, &QListWidget::currentTextChanged, this, [this](const QString& name) {
        if (!name.isEmpty()) parameterFileName_ = name;
    });
    connect(parameterFiles_, &QListWidget::itemDoubleClicked, this, [this] { applyChosenParameterFile(); });
    userBox->addWidget(parameterFiles_);
    parameterTitle_ = new QLabel(QStringLiteral("..."), this);
    parameterTitle_->setAlignment(Qt::AlignCenter);
    parameterTitle_->setWordWrap(true);
    userBox->addWidget(parameterTitle_);
    return userBox;
}

QLayout* ConstantsEditor::buildButtons()
{
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Rezygnuj"), this);
    auto* help = new QPushButton(tr("Pomoc"), this);
    connect(ok, &QPushButton::clicked, this, &ConstantsEditor::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &ConstantsEditor::helpClicked);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    return buttons;
}

ConstantsEditorFields ConstantsEditor::readFields() const
{
    ConstantsEditorFields f = fields_;
    f.sb = sbEdit_->text();
    f.sc = scEdit_->text();
    f.name = nameEdit_->text();
    f.format = formatBox_->currentIndex();
    f.chart = chartEdit_->text();
    return f;
}

void ConstantsEditor::showFields(const ConstantsEditorFields& f)
{
    fields_ = f;
    // Positions set here raise no spin events.
    const QSignalBlocker quiet(channelSpin_);
    channelSpin_->setMaximum(f.channelMax);
    channelSpin_->setValue(f.channel);
    showText(sbEdit_, f.sb, 9);
    showText(scEdit_, f.sc, 6);
    showText(nameEdit_, f.name, 13);
    formatBox_->setCurrentIndex(f.format);
    chartEdit_->setText(f.chart);
}

void ConstantsEditor::loadShownChannel()
{
    ConstantsEditorFields f = readFields();
    loadChannelFields(settings_, f);
    showFields(f);
}

bool ConstantsEditor::storeShownChannel()
{
    if (const auto error = storeChannelFields(settings_, readFields())) {
        showError(*error);
        return false;
    }
    return true;
}

void ConstantsEditor::channelChanged(int channel)
{
    ConstantsEditorFields f = readFields();
    const auto error = changeChannel(settings_, f, channel);
    showFields(f);  // on failure the spin goes back to the channel it left
    if (error) showError(*error);
}

void ConstantsEditor::presetClicked(int index)
{
    ConstantsEditorFields f = readFields();
    const auto error = applyPreset(settings_, f, sensorPresets().at(static_cast<std::size_t>(index)));
    showFields(f);
    if (error) showError(*error);
}

void ConstantsEditor::prepareOpening()
{
    fields_.channel = 1;
    loadShownChannel();
    refreshFileList();
}

void ConstantsEditor::refreshFileList()
{
    const QString current = parameterFiles_->currentItem() ? parameterFiles_->currentItem()->text() : QString();
    parameterFiles_->clear();
    const QDir dir(state_.configDir);
    const QStringList names = dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    parameterFiles_->addItems(names);
    const auto found = parameterFiles_->findItems(current, Qt::MatchExactly);
    if (!found.isEmpty()) parameterFiles_->setCurrentItem(found.first());
}

void ConstantsEditor::applyChosenParameterFile(bool quiet)
{
    applyParameterFileAt(QDir(state_.configDir).filePath(parameterFileName_), quiet);
}

void ConstantsEditor::applyParameterFileAt(const QString& path, bool quiet)
{
    if (!QFileInfo(path).isFile()) {
        parameterTitle_->hide();
        return;
    }
    ConstantsEditorFields f = readFields();
    const ParameterSetOutcome outcome = applyParameterFile(settings_, f, path);
    if (!outcome.found) {
        parameterTitle_->hide();
        return;
    }
    parameterTitle_->setText(outcome.titleText());
    parameterTitle_->show();
    showFields(f);
    if (outcome.error) {
        const QString text = QStringLiteral("%1: %2").arg(parameterFileName_).arg(outcome.errorLine);
        if (quiet)
            reporter_.setStatus(StatusPanel::Message, text + QStringLiteral(" - ") + outcome.error->message());
        else
            showError(*outcome.error);
    }
}

void ConstantsEditor::applyStartupParameters(const QString& installedDataDir)
{
    const QString path = startupParameterFile(state_.configDir, installedDataDir);
    if (path.isEmpty()) return;
    parameterFileName_ = QString::fromLatin1(kStartupParameterFile);
    applyParameterFileAt(path, true);
}

void ConstantsEditor::okClicked()
{
    // A field that is not a number keeps the editor open, so it can be corrected.
    if (storeShownChannel()) accept();
}

QString ConstantsEditor::sbText() const
{
    return sbEdit_->text();
}

QString ConstantsEditor::scText() const
{
    return scEdit_->text();
}

QString ConstantsEditor::titleText() const
{
    return parameterTitle_->text();
}

bool ConstantsEditor::titleShown() const
{
    return !parameterTitle_->isHidden();
}

void ConstantsEditor::showError(const FieldError& error)
{
    reporter_.showMessage(error.message(), errorCaption(), MessageIcon::Error);
}

}  // namespace vorda
