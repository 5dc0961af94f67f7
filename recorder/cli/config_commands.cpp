// vorda-cli config: show and edit settings records field by field.

#include "cli/cli_command.h"
#include "cli/cli_session.h"

#include "core/reporter.h"
#include "core/safe_file.h"
#include "core/settings_fields.h"
#include "core/settings_files.h"
#include "files/measurement_file.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

namespace vorda::cli {

namespace {

QString fileProblem(const QString& command, const QString& path, const QString& problem)
{
    return QStringLiteral("vorda-cli config %1: %2 %3\n").arg(command, QDir::toNativeSeparators(path), problem);
}

void printFields(const Settings& settings)
{
    QString text;
    for (const SettingsField& field : settingsFields())
        text +=
            QString::fromStdString(field.name) + QLatin1Char('=') + fieldValueText(settings, field) + QLatin1Char('\n');
    for (const int c : namelessUsedChannels(settings))
        text += QStringLiteral("# channel %1 has no name: it is left out of measurement files (channels[%1].name)\n")
                    .arg(c);
    out(text);
}

int runShow(const GlobalOptions&, const QStringList& args)
{
    if (args.size() > 1) {
        err(QStringLiteral("vorda-cli config show: one FILE at most\n"));
        return kExitUsage;
    }
    Settings settings;
    if (args.size() == 1) {
        QString problem;
        const auto image = readSettingsImage(args.first(), &problem);
        if (!image) {
            err(fileProblem(QStringLiteral("show"), args.first(), problem));
            return kExitFailed;
        }
        settings.fromImage(*image);
    } else {
        Reporter quiet;
        const QString dir = QDir::currentPath();
        const LoadOutcome outcome = loadStartupSettings(settings, dir, quiet);
        const QString path = QDir::toNativeSeparators(QFileInfo(outcome.path).absoluteFilePath());
        if (outcome.fromFile)
            out(QStringLiteral("# settings from %1\n").arg(path));
        else if (QFileInfo(outcome.path).fileName() == QLatin1String(kFactoryFileName))
            out(QStringLiteral("# defaults apply: no %1, and %2 %3\n")
                    .arg(QLatin1String(kConfigFileName), path, outcome.problem));
        else
            out(QStringLiteral("# defaults apply: %1 %2\n").arg(path, outcome.problem));
    }
    printFields(settings);
    return kExitOk;
}

int runSet(const GlobalOptions&, const QStringList& args)
{
    if (args.size() < 2) {
        err(QStringLiteral("vorda-cli config set: FILE and at least one FIELD=VALUE expected\n"));
        return kExitUsage;
    }
    const QString path = args.first();
    if (const QString refusal = notRegularFileProblem(path); !refusal.isEmpty()) {
        err(QStringLiteral("vorda-cli config set: %1\n").arg(refusal));
        return kExitFailed;
    }
    Settings settings;
    Settings::Image base{};
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        QString problem;
        const auto image = readSettingsImage(path, &problem);
        if (!image) {
            err(fileProblem(QStringLiteral("set"), path, problem));
            return kExitFailed;
        }
        settings.fromImage(*image);
    } else {
        std::memset(static_cast<void*>(&settings), 0, sizeof settings);
        applyStartupDefaults(settings, QDir::currentPath());
    }
    base = settings.toImage();

    // Every assignment is checked before anything is written: one refusal leaves the file as it was.
    for (const QString& assignment : args.mid(1)) {
        const qsizetype eq = assignment.indexOf(QLatin1Char('='));
        const QString name = eq < 0 ? assignment : assignment.left(eq);
        const SettingsField* field = findSettingsField(name.toStdString());
        QString problem;
        if (eq < 0)
            problem = QStringLiteral("FIELD=VALUE expected");
        else if (!field)
            problem = QStringLiteral("no such field (`vorda-cli config show` lists them)");
        else
            problem = setFieldValue(settings, *field, assignment.mid(eq + 1));
        if (!problem.isEmpty()) {
            err(QStringLiteral("vorda-cli config set: %1: %2; %3 left unchanged\n")
                    .arg(name, problem, QDir::toNativeSeparators(path)));
            return kExitUsage;
        }
    }
    // Under the file's lock only the named fields are written over what is stored then.
    MessageReporter reporter;
    return saveSettingsChanges(settings, base, path, reporter) ? kExitOk : kExitFailed;
}

int runConfig(const GlobalOptions& options, const QStringList& args)
{
    const QString sub = args.value(0);
    if (sub == QLatin1String("show")) return runShow(options, args.mid(1));
    if (sub == QLatin1String("set")) return runSet(options, args.mid(1));
    err(QStringLiteral("vorda-cli config: `show` or `set` expected (vorda-cli config --help)\n"));
    return kExitUsage;
}

}  // namespace

std::vector<Command> configCommands()
{
    return {
        {"config", "show [FILE] | set FILE FIELD=VALUE...", "list or change the named fields of a settings record",
         "config show [FILE]\n"
         "  Lists every named field of a settings record (a 2200-byte dimconfig.aoln,\n"
         "  Factoryseting.aoln or *.roln), one `name=value` line each, in record order.\n"
         "  Channel fields are named channels[C].name for C = 1..16, status fields\n"
         "  status.tag. Texts are decoded from Windows-1250 (control characters shown as\n"
         "  \\xHH); integers and flags in decimal as stored; doubles as %.17g. Reserved\n"
         "  and padding bytes are not shown. After the fields, a line starting with \"#\"\n"
         "  names each channel up to channelsUsed that has no name, which leaves it out of\n"
         "  the measurement files.\n"
         "  Without FILE, lists the record the program would start with in the current\n"
         "  directory; the first line names the file it came from, or says the defaults\n"
         "  apply and why.\n\n"
         "config set FILE FIELD=VALUE...\n"
         "  Changes the named fields of FILE and writes it back atomically; every other\n"
         "  byte stays as it was. A missing FILE is created from the start-up defaults\n"
         "  (the data directory being the current directory).\n"
         "  Unknown fields, texts too long for their field or not writable in\n"
         "  Windows-1250, and values that are not numbers or out of their type's range\n"
         "  are refused with exit status 2, leaving FILE untouched. Doubles take '.' as\n"
         "  the decimal point.\n"
         "  Example: vorda-cli config set dimconfig.aoln channelsUsed=8 'channels[1].name=Pt1000'\n\n"
         "Exit status: 0 done, 1 the file could not be read or written, 2 refused.",
         runConfig},
    };
}

}  // namespace vorda::cli
