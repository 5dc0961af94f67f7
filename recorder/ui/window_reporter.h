#pragma once
// The Reporter of the windows: carries the core's status texts, transfer messages and
// questions to whichever window shows them. The window set connects its signals; message
// boxes go through Dialogs, over the window the user works in.

#include "core/reporter.h"

#include <QObject>

class QWidget;

namespace vorda {

class Dialogs;

class WindowReporter : public QObject, public Reporter {
    Q_OBJECT
public:
    explicit WindowReporter(Dialogs& dialogs, QObject* parent = nullptr);
    ~WindowReporter() override;

    // The window message boxes stand over when no window of the program is active or modal.
    void setMessageParent(QWidget* parent) { messageParent_ = parent; }
    // The window a message box stands over: the modal dialog, else the active window.
    QWidget* askingWindow() const;

    void setStatus(StatusPanel panel, const QString& text) override;
    void setBusy(bool busy) override;
    void transferMessage(const QString& line) override;
    void showMessage(const QString& text, const QString& caption, MessageIcon icon) override;
    bool confirm(const QString& text, const QString& caption) override;
    bool confirmDestructive(const QString& text, const QString& caption) override;
    void filesChanged() override;
    void processEvents() override;

signals:
    void statusChanged(vorda::StatusPanel panel, const QString& text);
    void transferMessageAdded(const QString& line);
    void filesChangedSignal();

private:
    Dialogs& dialogs_;
    QWidget* messageParent_ = nullptr;
    bool busy_ = false;
};

}  // namespace vorda
