// vorda-cli convert: converts a saved dump into a measurement file with the settings in
// force, as the memory read does after every block.

#include "cli/cli_command.h"
#include "core/reporter.h"
#include "core/settings_files.h"
#include "core/settings_record.h"
#include "core/text_codec.h"
#include "files/dump_conversion.h"

#include <QDir>

namespace vorda::cli {

namespace {

// The report entry and its notes on standard output, failures on standard error; the
// settings load's own status texts are not the command's business.
class ConvertReporter : public Reporter {
public:
    void setStatus(StatusPanel panel, const QString& text) override
    {
        if (panel == StatusPanel::Link) err(text + QLatin1Char('\n'));
    }
    void transferMessage(const QString& line) override { out(withPlainLineBreaks(line) + QLatin1Char('\n')); }
    void showMessage(const QString& text, const QString& caption, MessageIcon) override
    {
        err(caption + QLatin1Char(' ') + withPlainLineBreaks(text) + QLatin1Char('\n'));
    }
};

int runConvert(const GlobalOptions&, const QStringList& args)
{
    if (args.size() > 1) {
        err(QStringLiteral("vorda-cli convert: one dump at most, see `vorda-cli convert --help`\n"));
        return kExitUsage;
    }
    const QString dump = args.isEmpty() ? QString::fromLatin1(kDumpFileName) : args.first();

    ConvertReporter reporter;
    Settings settings{};
    loadStartupSettings(settings, QDir::currentPath(), reporter);
    const ConversionResult result = convertDump(dump, settings, reporter);
    if (!result.ok()) return kExitFailed;
    out(QDir::toNativeSeparators(result.filePath) + QLatin1Char('\n'));
    return result.clean() ? kExitOk : kExitFailed;
}

}  // namespace

std::vector<Command> filesCommands()
{
    return {
        {"convert", "[DUMP]", "convert a memory dump into a measurement file",
         "Converts DUMP (default \"__m.mem\" in the current directory) into one measurement\n"
         "file in the data directory, with the settings the program would load here\n"
         "(\"dimconfig.aoln\", else \"Factoryseting.aoln\", else the defaults): channel\n"
         "names, formats and constants, the first column, the chart parameters and the\n"
         "trigger bit of the last register reply. Prints the report entry and the path of\n"
         "the file written. Nothing is written to the configuration.\n\n"
         "Exit status: 0 when the file was written from a complete dump; 1 when the dump\n"
         "is missing or invalid, the file cannot be written, or the dump was shorter or\n"
         "longer than its header announces or holds characters that are no sample data\n"
         "(the file is written, with the whole samples only); 2 for bad arguments.",
         runConvert},
    };
}

}  // namespace vorda::cli
