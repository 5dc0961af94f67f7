#include "ui/message_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace vorda {
namespace {

// The texts keep the recorder program's "\n\r" pairs; each pair is one line break.
QString displayText(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    return shown;
}

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void MessageBoxDialogs::message(QWidget* parent, const QString& text, const QString& caption, MessageIcon icon)
{
    QMessageBox box(boxIcon(icon), caption, displayText(text), QMessageBox::Ok, parent);
    box.exec();
}

bool MessageBoxDialogs::confirm(QWidget* parent, const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Warning, caption, displayText(text), QMessageBox::Ok | QMessageBox::Cancel, parent);
    return box.exec() == QMessageBox::Ok;
}

QString MessageBoxDialogs::openFileName(QWidget* parent, const QString& dir, const QString& initialName,
                                        const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), QDir(dir).filePath(initialName), filter);
}

QString MessageBoxDialogs::saveFileName(QWidget* parent, const QString& dir, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, QString(), dir, filter);
}

}  // namespace vorda
