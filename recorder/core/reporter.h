#pragma once
// How the core speaks to the user. The main window binds it to its status bar, message
// boxes and the transfer memo; vorda-cli to its terminal; tests record what it is told.
// Every method has a quiet default so a caller overrides only what it shows.

#include <QCoreApplication>
#include <QString>

namespace vorda {

// The three panels of the main window's status bar.
enum class StatusPanel { Port = 0, Link = 1, Message = 2 };

enum class MessageIcon { None, Information, Warning, Error };

// Whether an exchange holds the port, as status bar panel 1 shows it.
enum class LinkState { Connected, Disconnected };

inline QString linkStateText(LinkState state)
{
    return state == LinkState::Connected ? QCoreApplication::translate("Reporter", "Polączony")
                                         : QCoreApplication::translate("Reporter", "Rozlączony");
}

class Reporter {
public:
    virtual ~Reporter() = default;

    // Replaces the text of one status bar panel.
    virtual void setStatus(StatusPanel, const QString&) {}
    // An exchange took or released the port: its text on the link panel.
    virtual void setLinkState(LinkState state) { setStatus(StatusPanel::Link, linkStateText(state)); }
    // A note on the message panel that lasts while long work runs ("Czytam pamięć"), and
    // the blank that ends it.
    virtual void setActivity(const QString& text) { setStatus(StatusPanel::Message, text); }
    // The port could not be opened for an exchange: `text` names the port, its device and
    // the system's reason. It stays on the message panel until the next note.
    virtual void portUnavailable(const QString& text) { setStatus(StatusPanel::Message, text); }
    // The recorder answered an exchange with a reply it cannot use (garbled, or missing
    // values the command needs); `text` names the port and says which. Quiet by default:
    // the caller reports the failed exchange as it reports silence.
    virtual void replyUnusable(const QString&) {}
    // The hourglass cursor while an exchange with the recorder is in progress.
    virtual void setBusy(bool) {}
    // One line added to the transfer report ("Komunikaty transmisji").
    virtual void transferMessage(const QString&) {}
    // A message box with an OK button.
    virtual void showMessage(const QString& /*text*/, const QString& /*caption*/, MessageIcon = MessageIcon::None) {}
    // A question with OK and Cancel; true for OK.
    virtual bool confirm(const QString& /*text*/, const QString& /*caption*/) { return false; }
    // The same question where OK destroys data (a wipe, a delete): Cancel is the default
    // button, so Enter alone does not destroy anything.
    virtual bool confirmDestructive(const QString& text, const QString& caption) { return confirm(text, caption); }
    // The data directory's files changed (a conversion wrote a file).
    virtual void filesChanged() {}
    // Lets pending window events run during a long operation (download, scan).
    virtual void processEvents() {}
};

}  // namespace vorda
