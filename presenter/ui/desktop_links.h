#pragma once
// Where the presenter sends the user outside itself: the maker's web pages and the
// help page, and the message shown when the desktop refuses to open one of them.

#include "ui_language.h"

#include <QString>
#include <QUrl>

class QWidget;

namespace wizor {

class WizorDialogs;

inline constexpr char kNewestVersionUrl[] = "https://olun.example/wizor/najnowsza-wersja.html";
inline constexpr char kSupportUrl[] = "https://olun.example/wizor/pomoc-techniczna.html";

// Opens `url` through the desktop; a refusal is reported in the error box.
void openWebPage(WizorDialogs& dialogs, QWidget* parent, const QUrl& url);

// The help page: Help/wizor.html in the start-up directory, else the copy beside the
// program in the build (bin/../Help) or installed (bin/../share/vorda/Help). In English
// the page Help/en/wizor.html is looked for at those places first. Empty when none exists.
QString helpFilePath(const QString& startDirectory, const QString& applicationDirectory,
                     language::Language language = language::Language::Polish);

// The help page's address at `anchor`.
QUrl helpUrl(const QString& helpFile, const QString& anchor);

}  // namespace wizor
