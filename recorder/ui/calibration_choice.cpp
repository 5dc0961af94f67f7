#include "ui/calibration_choice.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vorda {

CalibrationChoiceDialog::CalibrationChoiceDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Kalibracja / Zerowanie"));
    setModal(true);

    auto* heading = new QLabel(tr("Wybierz:"), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);

    calibrationButton_ = new QPushButton(tr("Kalibracja"), this);
    zeroingButton_ = new QPushButton(tr("Zerowanie"), this);
    cancelButton_ = new QPushButton(tr("Rezygnuj"), this);
    cancelButton_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    helpButton_ = new QPushButton(tr("Pomoc"), this);
    helpButton_->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    for (QPushButton* b : {calibrationButton_, zeroingButton_}) b->setMinimumWidth(110);

    auto* choices = new QGridLayout;
    choices->addWidget(new QLabel(tr("Dwupunktowa kalibracja czujnika:\nUstawienie nachylenia i przesunięcia\n"
                                     "charakterystyki czujnika pomiarowego."),
                                  this),
                       0, 0);
    choices->addWidget(calibrationButton_, 0, 1, Qt::AlignVCenter);
    choices->addWidget(new QLabel(tr("Jednopunktowe zerowanie.\nUstawienie przesunięcia charakterystyki,\n"
                                     "nachylenia bez zmian."),
                                  this),
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
