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
    // A channel the recorder uses but without a sensor name gets no column in the files.
    for (const int c : namelessUsedChannels(settings))
        text += VordaCli::tr("# kanał %1 nie ma nazwy: nie trafia do plików pomiarowych (channels[%1].name)\n").arg(c);
    out(text);
}

int runShow(const GlobalOptions&, const QStringList& args)
{
    if (args.size() > 1) {
        err(VordaCli::tr("vorda-cli config show: najwyżej jeden PLIK\n"));
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
            out(VordaCli::tr("# ustawienia z pliku %1\n").arg(path));
        else if (QFileInfo(outcome.path).fileName() == QLatin1String(kFactoryFileName))
            out(VordaCli::tr("# obowiązują ustawienia domyślne: brak pliku %1, a %2 %3\n")
                    .arg(QLatin1String(kConfigFileName), path, outcome.problem));
        else
            out(VordaCli::tr("# obowiązują ustawienia domyślne: %1 %2\n").arg(path, outcome.problem));
    }
    printFields(settings);
    return kExitOk;
}

int runSet(const GlobalOptions&, const QStringList& args)
{
    if (args.size() < 2) {
        err(VordaCli::tr("vorda-cli config set: oczekiwano PLIKU i co najmniej jednego POLE=WARTOŚĆ\n"));
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
            problem = VordaCli::tr("oczekiwano POLE=WARTOŚĆ");
        else if (!field)
            problem = VordaCli::tr("nie ma takiego pola (wymienia je `vorda-cli config show`)");
        else
            problem = setFieldValue(settings, *field, assignment.mid(eq + 1));
        if (!problem.isEmpty()) {
            err(VordaCli::tr("vorda-cli config set: %1: %2; plik %3 pozostaje bez zmian\n")
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
    err(VordaCli::tr("vorda-cli config: oczekiwano `show` albo `set` (vorda-cli config --help)\n"));
    return kExitUsage;
}

}  // namespace

std::vector<Command> configCommands()
{
    return {
        {"config", QT_TRANSLATE_NOOP("VordaCli", "show [PLIK] | set PLIK POLE=WARTOŚĆ..."),
         QT_TRANSLATE_NOOP("VordaCli", "pokaż albo zmień nazwane pola rekordu ustawień"),
         QT_TRANSLATE_NOOP(
             "VordaCli",
             "config show [PLIK]\n"
             "  Wypisuje każde nazwane pole rekordu ustawień (2200-bajtowego dimconfig.aoln,\n"
             "  Factoryseting.aoln albo *.roln), po jednym wierszu `nazwa=wartość`, w kolejności\n"
             "  rekordu. Pola kanałów nazywają się channels[C].name dla C = 1..16, pola stanu\n"
             "  status.tag. Teksty są dekodowane z Windows-1250 (znaki sterujące jako \\xHH);\n"
             "  liczby całkowite i znaczniki dziesiętnie, jak zapisane; liczby double jako %.17g.\n"
             "  Bajty zarezerwowane i wypełnienia nie są pokazywane. Po polach wiersz\n"
             "  zaczynający się od \"#\" wymienia każdy kanał do channelsUsed bez nazwy, który\n"
             "  przez to nie trafia do plików pomiarowych.\n"
             "  Bez PLIKU wypisuje rekord, z którym program wystartowałby w katalogu bieżącym;\n"
             "  pierwszy wiersz podaje plik, z którego pochodzi, albo mówi, że obowiązują\n"
             "  ustawienia domyślne, i dlaczego.\n\n"
             "config set PLIK POLE=WARTOŚĆ...\n"
             "  Zmienia nazwane pola PLIKU i zapisuje go atomowo; każdy inny bajt pozostaje\n"
             "  bez zmian. Brakujący PLIK powstaje z ustawień startowych (katalogiem danych\n"
             "  jest katalog bieżący).\n"
             "  Nieznane pola, teksty za długie dla swojego pola albo niezapisywalne\n"
             "  w Windows-1250 oraz wartości, które nie są liczbami lub wykraczają poza zakres\n"
             "  swojego typu, są odrzucane z kodem wyjścia 2, a PLIK pozostaje nietknięty.\n"
             "  Liczby double mają '.' jako separator dziesiętny.\n"
             "  Przykład: vorda-cli config set dimconfig.aoln channelsUsed=8 'channels[1].name=Pt1000'\n\n"
             "Kod wyjścia: 0 wykonano, 1 nie można było odczytać lub zapisać pliku, 2 odmowa."),
         runConfig},
    };
}

}  // namespace vorda::cli
