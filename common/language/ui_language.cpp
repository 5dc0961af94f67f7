#include "ui_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

namespace language {

namespace {

constexpr char kKey[] = "language";

Language installedLanguage = Language::Polish;

bool namesEnglish(const QString& value)
{
    // LANGUAGE may list several languages ("en_US:pl"); the first is the one asked for.
    const QString first = value.section(QLatin1Char(':'), 0, 0);
    return first == QLatin1String("en") || first.startsWith(QLatin1String("en_")) ||
           first.startsWith(QLatin1String("en."));
}

bool installTranslator(QCoreApplication& app, const QString& name, const QString& directory)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(name, directory)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace

Language fromEnvironment(const std::function<QString(const char*)>& variable)
{
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = variable(name);
        if (!value.isEmpty()) return namesEnglish(value) ? Language::English : Language::Polish;
    }
    return Language::Polish;
}

Language fromEnvironment()
{
    return fromEnvironment([](const char* name) { return qEnvironmentVariable(name); });
}

Language choose(const QString& savedChoice, Language locale)
{
    if (savedChoice == QLatin1String("en")) return Language::English;
    if (savedChoice == QLatin1String("pl")) return Language::Polish;
    return locale;
}

QString code(Language language)
{
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("pl");
}

QString savedChoice(const QSettings& configuration)
{
    return configuration.value(QLatin1String(kKey)).toString();
}

void saveChoice(QSettings& configuration, Language language)
{
    configuration.setValue(QLatin1String(kKey), code(language));
}

Language current(const QSettings& configuration)
{
    return choose(savedChoice(configuration), fromEnvironment());
}

bool install(QCoreApplication& app, Language language, const QString& catalogue)
{
    if (language == Language::English) {
        if (!installTranslator(app, catalogue + QStringLiteral("_en"), QStringLiteral(":/i18n"))) return false;
        installedLanguage = Language::English;
        return true;
    }
    return installTranslator(app, QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

Language installed()
{
    return installedLanguage;
}

}  // namespace language
