#pragma once
// vorda-cli's commands. Each area of the program keeps its commands in a table of its
// own (config_commands.cpp, link_commands.cpp, ...); main.cpp joins the tables.

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <vector>

namespace vorda::cli {

// The context of vorda-cli's texts in the catalogue: VordaCli::tr("...") translates a
// Polish source text into the language installed at start.
class VordaCli {
    Q_DECLARE_TR_FUNCTIONS(VordaCli)
};

// Options that come before the command name.
struct GlobalOptions {
    QString port;  // --port DEVICE: the serial device to use instead of the configured port
};

struct Command {
    const char* name;
    const char* usage;    // arguments, e.g. "show [PLIK]" (a source text of VordaCli)
    const char* summary;  // one line for the command list (a source text of VordaCli)
    const char* help;     // the full text of `vorda-cli NAME --help` (a source text of VordaCli)
    int (*run)(const GlobalOptions& options, const QStringList& args);
};

// Exit statuses shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the operation ran and failed (no answer, ...)
inline constexpr int kExitUsage = 2;   // refused: bad arguments, unknown field, bad value

std::vector<Command> calibrationCommands();
std::vector<Command> configCommands();
std::vector<Command> downloadCommands();
std::vector<Command> filesCommands();
std::vector<Command> linkCommands();
std::vector<Command> settingsCommands();
std::vector<Command> measureCommands();

// Prints UTF-8 text to standard output or standard error.
void out(const QString& text);
void err(const QString& text);

// True, after "WHO: OPTION needs a value" on standard error, when no value follows the
// option at args[at].
bool lacksValue(const QString& who, const QStringList& args, qsizetype at);

}  // namespace vorda::cli
