#include "about_box.h"

#include "desktop_links.h"
#include "wizor_dialogs.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace wizor {

QIcon wizorIcon()
{
    QPixmap pixmap(33, 33);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setPen(QPen(Qt::darkGray, 1));
    p.drawRect(0, 0, 32, 32);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 0, 0), 2));
    p.drawPolyline(QPolygon({QPoint(3, 26), QPoint(10, 14), QPoint(17, 20), QPoint(24, 6), QPoint(30, 10)}));
    p.setPen(QPen(QColor(0, 128, 255), 2));
    p.drawPolyline(QPolygon({QPoint(3, 18), QPoint(11, 24), QPoint(19, 12), QPoint(30, 22)}));
    return QIcon(pixmap);
}

namespace {
QLabel* redLabel(const QString& text, bool bold)
{
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    return label;
}
}  // namespace

AboutBox::AboutBox(WizorDialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), dialogs_(dialogs)
{
    setWindowTitle(tr("O programie"));
    setModal(true);

    auto* panel = new QFrame;
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    QPalette silver = panel->palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    panel->setPalette(silver);

    auto* icon = new QLabel;
    icon->setPixmap(wizorIcon().pixmap(33, 33));
    icon->setFixedSize(33, 33);

    auto* names = new QVBoxLayout;
    names->addWidget(redLabel(QStringLiteral("OLUN"), true));
    names->addWidget(new QLabel(tr("Program")));
    names->addWidget(redLabel(QStringLiteral("OLUN Wizor"), false));
    auto* version = new QHBoxLayout;
    version->addWidget(new QLabel(tr("wer. ")));
    version->addWidget(new QLabel(QStringLiteral(" 2.5.0.14 ")));
    version->addStretch();
    names->addLayout(version);
    names->addWidget(new QLabel(tr("Program wizualizacji danych")));

    auto* newest = new QToolButton;
    newest->setText(tr("Najnowsza wersja"));
    newest->setToolTip(tr("Sprawdź w internecie najnowszą wersję programu."));
    newest->setAutoRaise(true);
    connect(newest, &QToolButton::clicked, this, &AboutBox::openNewestVersionPage);
    names->addWidget(newest, 0, Qt::AlignLeft);

    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->addWidget(icon, 0, Qt::AlignTop);
    panelLayout->addLayout(names);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    if (parent) {
        adjustSize();
        move(parent->geometry().center() - rect().center());
    }
}

void AboutBox::openNewestVersionPage()
{
    openWebPage(dialogs_, this, QUrl(QString::fromLatin1(kNewestVersionUrl)));
}

}  // namespace wizor
