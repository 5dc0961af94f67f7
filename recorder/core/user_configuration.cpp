#include "core/user_configuration.h"

#include <QCoreApplication>

namespace vorda {

QSettings userConfiguration()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Vorda"),
                     QCoreApplication::applicationName());
}

}  // namespace vorda
