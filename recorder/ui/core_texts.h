#pragma once
// Texts the widget-free core defines and the windows show as well (message-box captions,
// file-dialog titles, fixed labels), in the user's language. The core marks them for
// translation in the context of its module (QT_TRANSLATE_NOOP); these look them up there.
// The message captions are errorCaption() and warningCaption() of core/message_captions.h.

#include "core/message_captions.h"

#include <QCoreApplication>
#include <QString>

namespace vorda {

// `text` of the core module whose translation context is `context` ("SettingsCommand", ...).
inline QString coreText(const char* context, const char* text)
{
    return QCoreApplication::translate(context, text);
}

}  // namespace vorda
