#pragma once
// What every command that talks to the recorder starts from: the current directory as
// the start-up directory, the settings of its start-up load, and the link, on --port
// when it was given.

#include "cli/cli_command.h"
#include "core/program_state.h"
#include "core/reporter.h"
#include "core/settings_record.h"
#include "link/serial_link.h"

#include <memory>

namespace vorda::cli {

struct RecorderSession {
    Settings settings{};
    Settings::Image base{};  // the record as loaded, for saveChanges()
    ProgramState state;
    std::unique_ptr<SerialLink> link;

    explicit RecorderSession(const GlobalOptions& options);
    // Whether "dimconfig.aoln" may be changed: missing or loadable (else says why).
    bool configChangeable(Reporter& reporter) const;
    // Saves what this command changed in the record into "dimconfig.aoln" (under its
    // lock, over what other processes saved meanwhile).
    bool saveChanges(Reporter& reporter);
};

// A message the core would show in a box goes to standard error as "caption text", on
// one line. Why the port could not be opened, or why a reply was unusable, goes there
// too, once.
class MessageReporter : public Reporter {
public:
    void showMessage(const QString& text, const QString& caption, MessageIcon) override;
    void portUnavailable(const QString& text) override;
    void replyUnusable(const QString& text) override { portUnavailable(text); }

private:
    QString lastPortFailure_;
};

// What a MessageReporter has not said of why the last exchange failed: " (REASON)" when
// the port opened and the recorder kept silent, else nothing.
QString silenceReason(const SerialLink& link);

// Says that `command` got wrong arguments and where its help is; returns kExitUsage.
int wrongArguments(const char* command);

// Reads the answer to a yes/no question from standard input: true for one starting with
// "t" or "y" (the Polish and the English yes).
bool yesAnswered();

// What `start` and `measure start` print once the recorder was told to start.
QString measurementStartedText(int seconds);

// A link for `settings` in `dir`, on --port when it was given.
std::unique_ptr<SerialLink> makeLink(Settings& settings, const QString& dir, const GlobalOptions& options);

}  // namespace vorda::cli
