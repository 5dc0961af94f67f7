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
        err(VordaCli::tr("vorda-cli settings: przyjmowane jest tylko --send\n"));
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
    if (outcome.command->capped) err(VordaCli::tr("vorda-cli settings: kod wyzwalania ograniczono do 4294967295\n"));
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
        err(VordaCli::tr("vorda-cli settings: nie wysłano (nie można było użyć %1)\n").arg(link->device()));
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
            text += QStringLiteral("%1 %2\n").arg(i + 1, 2).arg(presetCaption(presets[i]));
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
        err(VordaCli::tr("vorda-cli preset: --list albo N (1-%1) [--channel C (1-16)]\n").arg(presets.size()));
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
    out(VordaCli::tr("zastosowano %1; kanał %2 pokazuje S_B %3, S_C %4, nazwę \"%5\"\n")
            .arg(presetCaption(preset))
            .arg(fields.channel)
            .arg(fields.sb, fields.sc, fields.name));
    return kExitOk;
}

int runParams(const GlobalOptions&, const QStringList& args)
{
    if (args.size() != 1) {
        err(VordaCli::tr("vorda-cli params: oczekiwano jednego PLIKU\n"));
        return kExitUsage;
    }
    Configuration config;
    if (!config.changeable()) return kExitFailed;
    ConstantsEditorFields fields;
    loadChannelFields(config.settings, fields);
    const ParameterSetOutcome outcome = applyParameterFile(config.settings, fields, args.first());
    if (!outcome.found) {
        err(VordaCli::tr("vorda-cli params: nie można odczytać %1\n").arg(QDir::toNativeSeparators(args.first())));
        return kExitFailed;
    }
    out(VordaCli::tr("%1\nustawione kanały: %2\npominięte wiersze: %3\n")
            .arg(outcome.title, QString::number(outcome.channelsSet), QString::number(outcome.linesSkipped)));
    if (outcome.truncated)
        err(VordaCli::tr("vorda-cli params: %1: przeczytano tylko pierwsze %2 wierszy\n")
                .arg(QDir::toNativeSeparators(args.first()))
                .arg(kMaxParameterLines));
    // The lines before a bad number stay applied, as in the editor.
    const bool saved = config.save();
    if (outcome.error) {
        err(VordaCli::tr("vorda-cli params: %1: wiersz %2: %3\n")
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
        err(VordaCli::tr("vorda-cli program: save PLIK albo load PLIK\n"));
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
        {"settings", "[--send]",
         QT_TRANSLATE_NOOP("VordaCli", "polecenie ustawień z \"Ustaw zaznaczone\"; z --send także wysłane"),
         QT_TRANSLATE_NOOP("VordaCli",
                           "Wypisuje w cudzysłowie polecenie, które \"Ustaw zaznaczone\" buduje ze znaczników\n"
                           "wysyłania i wartości konfiguracji, z bieżącym zegarem. Z --send jest ono także\n"
                           "wysyłane (na --port albo na ustawiony port), a konfiguracja jest zapisywana\n"
                           "tak, jak zapisuje ją okno ustawień."),
         runSettings},
        {"preset", "--list | N [--channel C]",
         QT_TRANSLATE_NOOP("VordaCli", "wypisz gotowe ustawienia czujników albo zastosuj jedno do dimconfig.aoln"),
         QT_TRANSLATE_NOOP("VordaCli",
                           "--list wypisuje jedenaście gotowych ustawień z ich numerami. N stosuje ustawienie N\n"
                           "do dimconfig.aoln tak, jak edytor stałych po zatwierdzeniu przyciskiem OK; C\n"
                           "(domyślnie 1) to kanał pokazany w edytorze, który ustawia \"0-1000mV.\"."),
         runPreset},
        {"params", QT_TRANSLATE_NOOP("VordaCli", "PLIK"),
         QT_TRANSLATE_NOOP("VordaCli", "zastosuj plik parametrów użytkownika do dimconfig.aoln"),
         QT_TRANSLATE_NOOP("VordaCli",
                           "Stosuje plik parametrów użytkownika (wiersz tytułu, potem wiersze\n"
                           "\"kanał S_B S_C format nazwa\" z przecinkami dziesiętnymi) i wypisuje tytuł,\n"
                           "ustawione kanały i pominięte wiersze."),
         runParams},
        {"program", QT_TRANSLATE_NOOP("VordaCli", "save PLIK | load PLIK"),
         QT_TRANSLATE_NOOP("VordaCli", "zapisz albo wczytaj program ustawień (*.roln)"),
         QT_TRANSLATE_NOOP("VordaCli",
                           "save zapisuje 2200-bajtowy rekord konfiguracji do PLIKU. load stawia PLIK\n"
                           "w miejsce dimconfig.aoln, tylko gdy ma on dokładnie 2200 bajtów."),
         runProgram},
    };
}

}  // namespace vorda::cli
