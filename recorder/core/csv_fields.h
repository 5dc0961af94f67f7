#pragma once
// One line of a ";"-separated text file, as a spreadsheet reads it: a field in double
// quotes may hold the separator, and "" inside it is one quote.

#include <QString>
#include <QStringList>

namespace vorda {

QStringList splitCsvFields(const QString& line, QChar separator = QLatin1Char(';'));

}  // namespace vorda
