#pragma once
// Windows-1250 text, as the settings record and the measurement files hold it, to and
// from Unicode. Only the edges (windows, vorda-cli) convert; the core keeps bytes.

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace vorda {

QString fromWin1250(std::string_view bytes);

// Encodes text in Windows-1250; nullopt when a character has no Windows-1250 form.
std::optional<std::string> toWin1250(const QString& text);

// Encodes text in Windows-1250, replacing what has no form with '?'.
std::string toWin1250Lossy(const QString& text);

// The message texts break their lines with "\n\r" pairs, the transfer messages with
// "\r\n"; each pair becomes a single "\n" for a message box or a terminal.
QString withPlainLineBreaks(QString text);

}  // namespace vorda
