#include "qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace widgets {

bool installQtTranslations(QCoreApplication& app)
{
    return installQtTranslations(app, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

bool installQtTranslations(QCoreApplication& app, const QString& directory)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"), directory)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace widgets
