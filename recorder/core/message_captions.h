#pragma once
// The captions of the message boxes that many parts of the program raise. Each text is
// written once here; "Uwaga !" (with its space) and "Błąd" are other captions, kept where
// their one message is. The functions give them in the language installed.

#include <QCoreApplication>
#include <QString>

namespace vorda {

inline constexpr char kErrorCaption[] = QT_TRANSLATE_NOOP("MessageCaptions", "Błąd...");
inline constexpr char kWarningCaption[] = QT_TRANSLATE_NOOP("MessageCaptions", "Uwaga!");

inline QString errorCaption()
{
    return QCoreApplication::translate("MessageCaptions", kErrorCaption);
}

inline QString warningCaption()
{
    return QCoreApplication::translate("MessageCaptions", kWarningCaption);
}

}  // namespace vorda
