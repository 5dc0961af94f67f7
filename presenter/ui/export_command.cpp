#include "export_command.h"

#include "chart_export.h"
#include "chart_window.h"
#include "wizor_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

namespace wizor {

namespace {

std::optional<QSize> parseSize(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch()) return std::nullopt;
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    if (size.width() < 50 || size.height() < 50 || size.width() > 20000 || size.height() > 20000) return std::nullopt;
    return size;
}

}  // namespace

CommandRequest parseCommandLine(const QStringList& arguments)
{
    if (arguments.size() == 1 && (arguments[0] == QLatin1String("--help") || arguments[0] == QLatin1String("-h")))
        return HelpRequest{};
    if (!arguments.contains(QStringLiteral("--export"))) return std::monostate{};
    ExportRequest request;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == QLatin1String("--export") && hasValue) {
            request.output = arguments[++i];
        } else if (a == QLatin1String("--page") && hasValue) {
            bool ok = false;
            const qulonglong page = arguments[++i].toULongLong(&ok);
            if (!ok || page == 0)
                return QCoreApplication::translate("ExportCommand", "zły numer strony: %1").arg(arguments[i]);
            request.page = std::size_t(page);
        } else if (a == QLatin1String("--overview")) {
            request.overview = true;
        } else if (a == QLatin1String("--size") && hasValue) {
            request.size = parseSize(arguments[++i]);
            if (!request.size)
                return QCoreApplication::translate("ExportCommand", "zły rozmiar: %1 (SZERxWYS, np. 1200x800)")
                    .arg(arguments[i]);
        } else if (a.startsWith(QLatin1String("--")) || !request.file.isEmpty()) {
            return QCoreApplication::translate("ExportCommand", "nieznany argument: %1").arg(a);
        } else {
            request.file = a;
        }
    }
    if (request.output.isEmpty() || request.file.isEmpty())
        return QCoreApplication::translate("ExportCommand", "brak pliku wyjściowego lub pliku danych");
    if (request.page && request.overview)
        return QCoreApplication::translate("ExportCommand", "--page i --overview wykluczają się");
    return request;
}

QString commandLineHelp()
{
    return QCoreApplication::translate(
        "ExportCommand",
        "Użycie: wizor [PLIK]\n"
        "       wizor --export WYJŚCIE [--page K | --overview] [--size SZERxWYS] PLIK\n"
        "\n"
        "Bez argumentu pokazuje plik wiznow.dan z bieżącego katalogu.\n"
        "--export WYJŚCIE  zapisuje wykres strony K (od 1; domyślnie pierwszej) lub całego pliku\n"
        "                  (--overview) bez okna, w formacie z rozszerzenia: png, svg, pdf, csv\n"
        "                  (csv: widoczny zakres kanałów, nagłówek z nazwami)\n"
        "--page K          strona K pliku dzielonego na strony po 32000 linii\n"
        "--overview        cały plik, jak \"Cały plik\" w oknie\n"
        "--size SZERxWYS   rozmiar wykresów w pikselach (domyślnie jak w oknie)\n"
        "--help            ten opis\n");
}

int runExport(const ExportRequest& request, QTextStream& errors)
{
    const auto fail = [&errors](const QString& text) {
        errors << "wizor: " << text << '\n';
        errors.flush();
        return 1;
    };
    const std::optional<ExportFormat> format = exportFormatOf(request.output);
    if (!format)
        return fail(QCoreApplication::translate("ExportCommand", "nieznany format pliku %1 (png, svg, pdf, csv)")
                        .arg(request.output));
    const QFileInfo input(request.file);
    if (!input.isFile() || !input.isReadable())
        return fail(QCoreApplication::translate("ExportCommand", "nie można odczytać pliku %1").arg(request.file));

    NoDialogs dialogs;
    ChartWindow window(dialogs);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    window.start(request.file, QDir::currentPath(), QCoreApplication::applicationDirPath());
    if (!window.data().opened)
        return fail(QCoreApplication::translate("ExportCommand", "nie można odczytać pliku %1").arg(request.file));
    if (request.page) {
        if (*request.page > window.document().pageCount())
            return fail(QCoreApplication::translate("ExportCommand", "plik ma %1 stron(y), nie ma strony %2")
                            .arg(window.document().pageCount())
                            .arg(*request.page));
        window.goToPage(*request.page - 1);
    }
    if (request.overview) window.toggleWholeFile();
    QString error;
    if (!exportView(window, request.output, *format, request.size, &error)) return fail(error);
    return 0;
}

}  // namespace wizor
