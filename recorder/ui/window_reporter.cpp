#include "ui/window_reporter.h"

#include "ui/message_dialogs.h"

#include <QApplication>

namespace vorda {

WindowReporter::WindowReporter(Dialogs& dialogs, QObject* parent) : QObject(parent), dialogs_(dialogs) {}

WindowReporter::~WindowReporter()
{
    setBusy(false);
}

void WindowReporter::setStatus(StatusPanel panel, const QString& text)
{
    emit statusChanged(panel, text);
}

void WindowReporter::setBusy(bool busy)
{
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void WindowReporter::transferMessage(const QString& line)
{
    emit transferMessageAdded(line);
}

QWidget* WindowReporter::askingWindow() const
{
    // The window the user works in: a modal dialog, else the active window, else the
    // main window.
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return messageParent_;
}

void WindowReporter::showMessage(const QString& text, const QString& caption, MessageIcon icon)
{
    dialogs_.message(askingWindow(), text, caption, icon);
}

bool WindowReporter::confirm(const QString& text, const QString& caption)
{
    return dialogs_.confirm(askingWindow(), text, caption);
}

bool WindowReporter::confirmDestructive(const QString& text, const QString& caption)
{
    return dialogs_.confirmDestructive(askingWindow(), text, caption);
}

void WindowReporter::filesChanged()
{
    emit filesChangedSignal();
}

void WindowReporter::processEvents()
{
    QCoreApplication::processEvents();
}

}  // namespace vorda
