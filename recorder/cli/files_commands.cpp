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
        err(VordaCli::tr("vorda-cli convert: najwyżej jeden zrzut; zobacz `vorda-cli convert --help`\n"));
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
        {"convert", QT_TRANSLATE_NOOP("VordaCli", "[ZRZUT]"),
         QT_TRANSLATE_NOOP("VordaCli", "zamień zrzut pamięci na plik pomiarowy"),
         QT_TRANSLATE_NOOP("VordaCli",
                           "Zamienia ZRZUT (domyślnie \"__m.mem\" w katalogu bieżącym) na jeden plik\n"
                           "pomiarowy w katalogu danych, z ustawieniami, które program wczytałby tutaj\n"
                           "(\"dimconfig.aoln\", inaczej \"Factoryseting.aoln\", inaczej domyślne): nazwy\n"
                           "kanałów, formaty i stałe, pierwsza kolumna, parametry wykresu i bit wyzwalania\n"
                           "z ostatniej odpowiedzi rejestru. Wypisuje wpis raportu i ścieżkę zapisanego\n"
                           "pliku. Nic nie jest zapisywane do konfiguracji.\n\n"
                           "Kod wyjścia: 0, gdy plik zapisano z pełnego zrzutu; 1, gdy zrzutu brakuje lub\n"
                           "jest nieprawidłowy, pliku nie można zapisać albo zrzut był krótszy lub dłuższy,\n"
                           "niż zapowiada jego nagłówek, lub zawiera znaki niebędące danymi pomiarów (plik\n"
                           "jest zapisywany, tylko z całymi pomiarami); 2 przy błędnych argumentach."),
         runConvert},
    };
}

}  // namespace vorda::cli
