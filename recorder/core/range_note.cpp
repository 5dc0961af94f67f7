#include "core/range_note.h"

#include <algorithm>

namespace vorda {

QString RangeNote::text() const
{
    return QStringLiteral("%1: %2 jest poza zakresem %3–%4; zostanie użyta wartość %5.")
        .arg(field, typed)
        .arg(minimum)
        .arg(maximum)
        .arg(used);
}

std::optional<RangeNote> rangeNote(const QString& field, const QString& typed, int minimum, int maximum)
{
    bool ok = false;
    const qlonglong value = typed.trimmed().toLongLong(&ok);
    if (!ok || (value >= minimum && value <= maximum)) return std::nullopt;
    const int used = static_cast<int>(std::clamp<qlonglong>(value, minimum, maximum));
    return RangeNote{field, minimum, maximum, typed.trimmed(), used};
}

}  // namespace vorda
