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

TForm9::TForm9(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Kalibracja / Zerowanie"));
    setModal(true);

    auto* heading = new QLabel(QStringLiteral("Wybierz:"), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);

    BitBtn1 = new QPushButton(QStringLiteral("Kalibracja"), this);
    BitBtn2 = new QPushButton(QStringLiteral("Zerowanie"), this);
    BitBtn3 = new QPushButton(QStringLiteral("Rezygnuj"), this);
    BitBtn3->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    Button1 = new QPushButton(QStringLiteral("Pomoc"), this);
    Button1->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    for (QPushButton* b : {BitBtn1, BitBtn2}) b->setMinimumWidth(110);

    auto* choices = new QGridLayout;
    choices->addWidget(lines(this, QStringLiteral("Dwupunktowa kalibracja czujnika:"),
                             QStringLiteral("Ustawienie nachylenia i przesunięcia"),
                             QStringLiteral("charakterystyki czujnika pomiarowego.")),
                       0, 0);
    choices->addWidget(BitBtn1, 0, 1, Qt::AlignVCenter);
    choices->addWidget(
        lines(this, QStringLiteral("Jednopunktowe zerowanie."),
              QStringLiteral("Ustawienie przesunięcia charakterystyki,"), QStringLiteral("nachylenia bez zmian.")),
        1, 0);
    choices->addWidget(BitBtn2, 1, 1, Qt::AlignVCenter);
    choices->setVerticalSpacing(16);
    choices->setHorizontalSpacing(20);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn3);
    buttons->addWidget(Button1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(choices);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, [this] { done(kCalibration); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { done(kZeroing); });
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button1, &QPushButton::clicked, this, &TForm9::helpClicked);
}

}  // namespace vorda
