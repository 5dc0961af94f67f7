#include "calibration/comma_number.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>

namespace vorda {
namespace {

const QLocale& commaLocale()
{
    static const QLocale locale = [] {
        QLocale l(QLocale::Polish, QLocale::Poland);
        l.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
        return l;
    }();
    return locale;
}

}  // namespace

std::optional<double> readCommaNumber(const QString& text)
{
    bool ok = false;
    const double value = commaLocale().toDouble(text.trimmed(), &ok);
    // "nan" and "inf" read as numbers, but no constant or level can be one.
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<long long> readWholeNumber(const QString& text)
{
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok, 10);
    if (!ok) return std::nullopt;
    return value;
}

QString commaText(double value)
{
    return commaLocale().toString(value, 'g', 15);
}

QString FieldError::message() const
{
    if (!reason.isEmpty()) return reason;
    return QCoreApplication::translate("CommaNumber", "\"%1\" nie jest prawidłową liczbą (pole \"%2\").")
        .arg(text, field);
}

}  // namespace vorda
