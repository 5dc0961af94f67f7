#include "ui/calibration_choice.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vorda {
namespace {

QLabel* lines(QWidget* parent, const QString& first, const QString& second, const QString& third)
{
    return new QLabel(first + QLatin1Char('\n') + second + QLatin1Char('\n') + third, parent);
}

}  // namespace

CalibrationChoiceDialog::CalibrationChoiceDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Kalibracja / Zerowanie"));
    setModal(true);

    auto* heading = new QLabel(QStringLiteral("Wybierz:"), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);

    calibrationButton_ = new QPushButton(QStringLiteral("Kalibracja"), this);
    zeroingButton_ = new QPushButton(QStringLiteral("Zerowanie"), this);
    cancelButton_ = new QPushButton(QStringLiteral("Rezygnuj"), this);
    cancelButton_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    helpButton_ = new QPushButton(QStringLiteral("Pomoc"), this);
    helpButton_->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    for (QPushButton* b : {calibrationButton_, zeroingButton_}) b->setMinimumWidth(110);

    auto* choices = new QGridLayout;
    choices->addWidget(lines(this, QStringLiteral("Dwupunktowa kalibracja czujnika:"),
                             QStringLiteral("Ustawienie nachylenia i przesunięcia"),
                             QStringLiteral("charakterystyki czujnika pomiarowego.")),
                       0, 0);
    choices->addWidget(calibrationButton_, 0, 1, Qt::AlignVCenter);
    choices->addWidget(
        lines(this, QStringLiteral("Jednopunktowe zerowanie."),
              QStringLiteral("Ustawienie przesunięcia charakterystyki,"), QStringLiteral("nachylenia bez zmian.")),
        1, 0);
    choices->addWidget(zeroingButton_, 1, 1, Qt::AlignVCenter);
    choices->setVerticalSpacing(16);
    choices->setHorizontalSpacing(20);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancelButton_);
    buttons->addWidget(helpButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(choices);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(calibrationButton_, &QPushButton::clicked, this, [this] { done(kCalibration); });
    connect(zeroingButton_, &QPushButton::clicked, this, [this] { done(kZeroing); });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton_, &QPushButton::clicked, this, &CalibrationChoiceDialog::helpClicked);
}

}  // namespace vorda
