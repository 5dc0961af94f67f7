#pragma once
// A whole number typed outside the range a field allows: which field, the range, what was
// typed and the value that will be used instead, said before anything is sent or stored.

#include <QString>

#include <optional>

namespace vorda {

struct RangeNote {
    QString field;
    int minimum = 0;
    int maximum = 0;
    QString typed;
    int used = 0;

    // "Czas próbkowania: 0 jest poza zakresem 1–32000; zostanie użyta wartość 1."
    QString text() const;
};

// The note for `typed` in [minimum, maximum], the value used being the nearest end of the
// range; nothing for a number within the range or a text that is no whole number (that
// has its own message).
std::optional<RangeNote> rangeNote(const QString& field, const QString& typed, int minimum, int maximum);

}  // namespace vorda
