#include "core/range_note.h"

#include <QCoreApplication>
#include <algorithm>

namespace vorda {

namespace {

// The context of this file's texts in the catalogue.
struct RangeNotes {
    Q_DECLARE_TR_FUNCTIONS(RangeNotes)
};

}  // namespace

QString RangeNote::text() const
{
    return RangeNotes::tr("%1: %2 jest poza zakresem %3–%4; zostanie użyta wartość %5.")
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
