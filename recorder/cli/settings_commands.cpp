// vorda-cli settings | preset | params | program: what the settings dialog and the channel
// constants editor do, on the configuration of the current directory. Every change of
// "dimconfig.aoln" goes through the one atomic save.

#include "calibration/channel_constants.h"
#include "calibration/settings_command.h"
#include "calibration/user_parameters.h"
#include "cli/cli_command.h"
#include "cli/cli_session.h"
#include "core/program_state.h"
#include "core/reporter.h"
#include "core/settings_files.h"
#include "core/settings_record.h"
#include "link/recorder_protocol.h"
#include "link/serial_link.h"
#include "measure/measurement_control.h"

#include <QDate>
#include <QDir>
#include <QTime>

namespace vorda::cli {
namespace {

struct Configuration {
    Settings settings{};
    Settings::Image base{};
    QString dir = QDir::currentPath();
    MessageReporter reporter;

    Configuration()
    {
        Reporter quiet;
        loadStartupSettings(settings, dir, quiet);
        base = settings.toImage();
    }
    QString path() const { return QDir(dir).filePath(QLatin1String(kConfigFileName)); }
    // A "dimconfig.aoln" that does not load is not replaced by defaults plus one change.
    bool changeable() { return settingsFileChangeable(path(), reporter); }
    bool save() { return saveSettingsChanges(settings, base, path(), reporter); }
};

int fieldFailure(const QString& command, const FieldError& error)
{
    err(QStringLiteral("vorda-cli %1: %2\n").arg(command, error.message()));
    return kExitUsage;
}

int runSettings(const GlobalOptions& options, const QStringList& args)
{
    const bool send = args == QStringList{QStringLiteral("--send")};
    if (!args.isEmpty() && !send) {
        err(QStringLiteral("vorda-cli settings: only --send is accepted\n"));
        return kExitUsage;
    }
    Configuration config;
    if (send && !config.changeable()) return kExitFailed;
    SettingsControls controls = controlsFromSettings(config.settings);
    controls.dateText = recorderDateText(QDate::currentDate());
    controls.timeText = recorderTimeText(QTime::currentTime());
    const CommandOutcome outcome = buildSettingsCommand(controls);
    if (outcome.error) return fieldFailure(QStringLiteral("settings"), *outcome.error);
    out(QStringLiteral("\"%1\"\n").arg(QString::fromLatin1(outcome.command->text)));
    if (outcome.command->capped) err(QStringLiteral("vorda-cli settings: a trigger code was limited to 4294967295\n"));
    if (!send) return kExitOk;

    const std::uint32_t baudBefore = config.settings.baudRate;
    if (const auto error = storeControls(controls, config.settings))
        return fieldFailure(QStringLiteral("settings"), *error);
    ProgramState state;
    state.setStartDir(config.dir);
    const auto link = makeLink(config.settings, config.dir, options);
    RecorderProtocol protocol(*link, config.settings, state, config.reporter);
    protocol.sendPlainCommand(outcome.command->text.left(kPendingCommandMax));
    const bool sent = link->openStatus == 0 && link->writeStatus == 0;
    // The rate of a send that failed is not known to work.
    if (!sent) config.settings.baudRate = baudBefore;
    config.settings.portOpen = 0;
    if (!config.save()) return kExitFailed;
    if (!sent) {
        err(QStringLiteral("vorda-cli settings: not sent (%1 could not be used)\n").arg(link->device()));
        return kExitFailed;
    }
    return kExitOk;
}

int runPreset(const GlobalOptions&, const QStringList& args)
{
    const auto& presets = sensorPresets();
    if (args == QStringList{QStringLiteral("--list")}) {
        QString text;
        for (std::size_t i = 0; i < presets.size(); ++i)
            text += QStringLiteral("%1 %2\n").arg(i + 1, 2).arg(QString::fromUtf8(presets[i].caption));
        out(text);
        return kExitOk;
    }
    bool ok = false;
    const int number = args.value(0).toInt(&ok);
    int channel = 1;
    bool channelOk = args.size() == 1;
    if (args.size() == 2 && args[1] == QLatin1String("--channel")) {
        lacksValue(QStringLiteral("vorda-cli preset"), args, 1);
        return kExitUsage;
    }
    if (args.size() == 3 && args[1] == QLatin1String("--channel")) channel = args[2].toInt(&channelOk);
    if (!ok || number < 1 || number > static_cast<int>(presets.size()) || !channelOk || channel < 1 ||
        channel > kMaxChannels) {
        err(QStringLiteral("vorda-cli preset: --list, or N (1-%1) [--channel C (1-16)]\n").arg(presets.size()));
        return kExitUsage;
    }
    Configuration config;
    if (!config.changeable()) return kExitFailed;
    ConstantsEditorFields fields;
    fields.channel = channel;
    loadChannelFields(config.settings, fields);
    const SensorPreset& preset = presets[static_cast<std::size_t>(number - 1)];
    if (const auto error = applyPreset(config.settings, fields, preset))
        return fieldFailure(QStringLiteral("preset"), *error);
    // Confirmed with OK: the fields shown go into the channel shown.
    if (const auto error = storeChannelFields(config.settings, fields))
        return fieldFailure(QStringLiteral("preset"), *error);
    if (!config.save()) return kExitFailed;
    out(QStringLiteral("%1 applied; channel %2 shows S_B %3, S_C %4, name \"%5\"\n")
            .arg(QString::fromUtf8(preset.caption))
            .arg(fields.channel)
            .arg(fields.sb, fields.sc, fields.name));
    return kExitOk;
}

int runParams(const GlobalOptions&, const QStringList& args)
{
    if (args.size() != 1) {
        err(QStringLiteral("vorda-cli params: one FILE expected\n"));
        return kExitUsage;
    }
    Configuration config;
    if (!config.changeable()) return kExitFailed;
    ConstantsEditorFields fields;
    loadChannelFields(config.settings, fields);
    const ParameterSetOutcome outcome = applyParameterFile(config.settings, fields, args.first());
    if (!outcome.found) {
        err(QStringLiteral("vorda-cli params: %1 cannot be read\n").arg(QDir::toNativeSeparators(args.first())));
        return kExitFailed;
    }
    out(QStringLiteral("%1\nchannels set: %2\nlines skipped: %3\n")
            .arg(outcome.title)
            .arg(outcome.channelsSet)
            .arg(outcome.linesSkipped));
    if (outcome.truncated)
        err(QStringLiteral("vorda-cli params: %1: only the first %2 lines were read\n")
                .arg(QDir::toNativeSeparators(args.first()))
                .arg(kMaxParameterLines));
    // The lines before a bad number stay applied, as in the editor.
    const bool saved = config.save();
    if (outcome.error) {
        err(QStringLiteral("vorda-cli params: %1: line %2: %3\n")
                .arg(QDir::toNativeSeparators(args.first()))
                .arg(outcome.errorLine)
                .arg(outcome.error->message()));
        return kExitFailed;
    }
    return saved ? kExitOk : kExitFailed;
}

int runProgram(const GlobalOptions&, const QStringList& args)
{
    if (args.size() != 2 || (args[0] != QLatin1String("save") && args[0] != QLatin1String("load"))) {
        err(QStringLiteral("vorda-cli program: save FILE or load FILE\n"));
        return kExitUsage;
    }
    Configuration config;
    if (args[0] == QLatin1String("save"))
        return saveSettingsProgram(config.settings, args[1], config.reporter) ? kExitOk : kExitFailed;
    return installSettingsProgram(args[1], config.dir, config.reporter) ? kExitOk : kExitFailed;
}

}  // namespace

std::vector<Command> settingsCommands()
{
    return {
        {"settings", "[--send]", "the settings command of \"Ustaw zaznaczone\"; with --send also sent",
         "Prints, between quotes, the command that \"Ustaw zaznaczone\" builds from the\n"
         "configuration's send flags and values, with the clock of now. With --send it is\n"
         "also sent (on --port or the configured port) and the configuration is stored as\n"
         "the dialog stores it.",
         runSettings},
        {"preset", "--list | N [--channel C]", "list the sensor presets, or apply one to dimconfig.aoln",
         "--list prints the eleven presets with their numbers. N applies preset N to\n"
         "dimconfig.aoln as the constants editor does when confirmed with OK; C (default 1)\n"
         "is the channel shown in the editor, which \"0-1000mV.\" sets.",
         runPreset},
        {"params", "FILE", "apply a user parameter file to dimconfig.aoln",
         "Applies a user parameter file (title line, then \"channel S_B S_C format name\"\n"
         "lines with decimal commas) and prints the title, the channels set and the lines\n"
         "skipped.",
         runParams},
        {"program", "save FILE | load FILE", "save or load a settings program (*.roln)",
         "save writes the configuration's 2200-byte record to FILE. load puts FILE in place\n"
         "of dimconfig.aoln, only when it is exactly 2200 bytes.",
         runProgram},
    };
}

}  // namespace vorda::cli
