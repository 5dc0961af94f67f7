// vorda-cli: the recorder-service core from the command line, for scripts and automation.

#include "cli/cli_command.h"

#include "ui_language.h"

#include <QCoreApplication>
#include <cstdio>

namespace vorda::cli {

void out(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

void err(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
}

namespace {

std::vector<Command> allCommands()
{
    std::vector<Command> commands;
    for (auto table : {configCommands, downloadCommands, filesCommands, linkCommands, settingsCommands,
                       calibrationCommands, measureCommands}) {
        const auto part = table();
        commands.insert(commands.end(), part.begin(), part.end());
    }
    return commands;
}

QString usageText(const std::vector<Command>& commands)
{
    QString text = VordaCli::tr(
        "Użycie: vorda-cli [--port URZĄDZENIE] POLECENIE [ARGUMENTY]\n"
        "Katalog bieżący jest katalogiem startowym programu.\n\n"
        "Opcje:\n"
        "  --port URZĄDZENIE  użyj tego portu szeregowego zamiast ustawionego\n"
        "  --help             pokaż ten tekst; `vorda-cli POLECENIE --help` dla jednego polecenia\n\n"
        "Polecenia:\n");
    for (const Command& c : commands)
        text += QStringLiteral("  %1 %2\n      %3\n")
                    .arg(QString::fromUtf8(c.name), VordaCli::tr(c.usage), VordaCli::tr(c.summary));
    return text;
}

}  // namespace
}  // namespace vorda::cli

int main(int argc, char** argv)
{
    using namespace vorda::cli;
    QCoreApplication app(argc, argv);
    // The locale alone chooses the language: a script sets LANG or LANGUAGE.
    language::install(app, language::fromEnvironment(), QStringLiteral("vorda"));
    QStringList args = app.arguments().mid(1);
    const std::vector<Command> commands = allCommands();

    GlobalOptions options;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString opt = args.takeFirst();
        if (opt == QLatin1String("--help")) {
            out(usageText(commands));
            return kExitOk;
        }
        if (opt == QLatin1String("--port")) {
            if (args.isEmpty() || args.first().isEmpty()) {
                err(VordaCli::tr("vorda-cli: --port wymaga wartości (portu szeregowego, np. /dev/ttyUSB0)\n"));
                return kExitUsage;
            }
            options.port = args.takeFirst();
        } else if (opt.startsWith(QLatin1String("--port="))) {
            options.port = opt.mid(7);
        } else {
            err(VordaCli::tr("vorda-cli: nieznana opcja %1\n\n").arg(opt) + usageText(commands));
            return kExitUsage;
        }
    }
    if (args.isEmpty()) {
        err(usageText(commands));
        return kExitUsage;
    }
    const QString name = args.takeFirst();
    for (const Command& c : commands) {
        if (name != QLatin1String(c.name)) continue;
        if (args.contains(QLatin1String("--help"))) {
            out(VordaCli::tr("Użycie: vorda-cli %1 %2\n\n%3\n")
                    .arg(QString::fromUtf8(c.name), VordaCli::tr(c.usage), VordaCli::tr(c.help)));
            return kExitOk;
        }
        return c.run(options, args);
    }
    err(VordaCli::tr("vorda-cli: nieznane polecenie %1\n\n").arg(name) + usageText(commands));
    return kExitUsage;
}
