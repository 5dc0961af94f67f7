#pragma once

#include "core/message_captions.h"
// Numbers as the settings dialog and the constants editor show and read them: the decimal
// comma of the Polish locale, whatever the desktop's locale. Files and protocol text never
// come here.

#include <QString>
#include <optional>

namespace vorda {

// A floating-point number typed with a decimal comma ("15,259", "-42,09", "1e3"); blanks
// around it are allowed, a decimal point or a group separator is not, nor a value that is
// not finite ("nan", "inf", "1e400"); "1e-50" is a number.
std::optional<double> readCommaNumber(const QString& text);

// A whole decimal number ("500", "-5", blanks around it allowed).
std::optional<long long> readWholeNumber(const QString& text);

// A double in the general format with 15 significant digits and a decimal comma:
// 15.259 -> "15,259", -42.09 -> "-42,09", 10 -> "10".
QString commaText(double value);

// A field whose text is not a number: which field, what it held.
struct FieldError {
    QString field;  // the field's label as the window shows it
    QString text;
    QString reason = {};  // when set, the message itself (a number that is one but cannot be used)

    // The one message shown for it (caption kNumberErrorCaption).
    QString message() const;
};

inline constexpr const char* kNumberErrorCaption = kErrorCaption;

}  // namespace vorda
