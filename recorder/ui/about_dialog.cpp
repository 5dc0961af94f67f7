#include "ui/about_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorda {
namespace {

// The box's picture: a stylised recorder trace.
QPixmap aboutPicture()
{
    QPixmap picture(64, 64);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    p.drawRect(2, 2, 59, 59);
    const QPointF trace[] = {{6, 44}, {16, 30}, {24, 38}, {34, 14}, {44, 34}, {52, 24}, {58, 28}};
    p.setPen(QPen(QColor(0xC0, 0x10, 0x10), 2));
    p.drawPolyline(trace, 7);
    return picture;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Informacje o programie"));
    setModal(false);

    auto* picture = new QLabel(this);
    picture->setPixmap(aboutPicture());

    auto* maker = new QLabel(QStringLiteral("OLUN"), this);
    QFont makerFont(QStringLiteral("Arial"));
    makerFont.setPixelSize(24);
    makerFont.setBold(true);
    maker->setFont(makerFont);
    maker->setStyleSheet(QStringLiteral("color: red;"));

    newestVersion_ = new QPushButton(tr("Sprawdź najnowszą wersję"), this);
    newestVersion_->setFlat(true);
    newestVersion_->setToolTip(tr("Sprawdź w internecie najnowszą wersję."));
    connect(newestVersion_, &QPushButton::clicked, this, &AboutDialog::newestVersionRequested);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::hide);

    auto* texts = new QVBoxLayout;
    texts->addWidget(maker);
    texts->addWidget(new QLabel(tr("wersja 2.6.3"), this));
    texts->addWidget(new QLabel(tr("Rejestrator DL03"), this));
    texts->addWidget(new QLabel(tr("Program obsługi systemów pomiarowych:"), this));
    texts->addWidget(newestVersion_, 0, Qt::AlignLeft);

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

}  // namespace vorda
