#include "ui/message_dialogs.h"

#include "core/text_codec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace vorda {
namespace {

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
    QMessageBox box(boxIcon(icon), caption, withPlainLineBreaks(text), QMessageBox::Ok, parent);
    box.exec();
}

bool MessageBoxDialogs::confirm(QWidget* parent, const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Warning, caption, withPlainLineBreaks(text), QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    return box.exec() == QMessageBox::Ok;
}

bool MessageBoxDialogs::confirmDestructive(QWidget* parent, const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Warning, caption, withPlainLineBreaks(text), QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

SaveChoice MessageBoxDialogs::askToSave(QWidget* parent, const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
    const auto label = [](const char* source) { return QCoreApplication::translate("MessageBoxDialogs", source); };
    QPushButton* save = box.addButton(label(QT_TRANSLATE_NOOP("MessageBoxDialogs", "Zapisz")), QMessageBox::AcceptRole);
    QPushButton* discard =
        box.addButton(label(QT_TRANSLATE_NOOP("MessageBoxDialogs", "Nie zapisuj")), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(label(QT_TRANSLATE_NOOP("MessageBoxDialogs", "Anuluj")), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return SaveChoice::Save;
    if (box.clickedButton() == discard) return SaveChoice::Discard;
    return SaveChoice::Cancel;
}

QString MessageBoxDialogs::openFileName(QWidget* parent, const QString& dir, const QString& initialName,
                                        const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), QDir(dir).filePath(initialName), filter);
}

QString MessageBoxDialogs::openFileNameTitled(QWidget* parent, const QString& title, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

QString MessageBoxDialogs::saveFileName(QWidget* parent, const QString& title, const QString& dir,
                                        const QString& filter, const QString& defaultSuffix)
{
    QFileDialog dialog(parent, title, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (!defaultSuffix.isEmpty()) dialog.setDefaultSuffix(defaultSuffix);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                   : QString();
}

}  // namespace vorda
