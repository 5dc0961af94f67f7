#pragma once
// Wizor's command line beyond the file to show: `wizor --export OUT [--page K |
// --overview] [--size WxH] FILE` writes what the window would show for that page (or the
// whole-file overview) to OUT, in the format its extension names, without a window on
// the screen; `wizor --help` says how.

#include <QSize>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <optional>
#include <variant>

class QTextStream;

namespace wizor {

struct ExportRequest {
    QString output;
    QString file;
    std::optional<std::size_t> page;  // counted from 1
    bool overview = false;
    std::optional<QSize> size;
};
struct HelpRequest {};

// The request of the program's arguments (without the program itself): an export, help,
// or none when the arguments only name the file to show. An error text for arguments
// that ask for an export the wrong way.
using CommandRequest = std::variant<std::monostate, ExportRequest, HelpRequest, QString>;
CommandRequest parseCommandLine(const QStringList& arguments);

QString commandLineHelp();

// Writes the export (a QApplication exists); the program's exit code. Failures go to
// `errors`, and no output file is left behind then.
int runExport(const ExportRequest& request, QTextStream& errors);

}  // namespace wizor
