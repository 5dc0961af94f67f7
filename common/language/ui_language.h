#pragma once
// The language both programs and vorda-cli talk to the user in. Polish is the source
// language of every text and the default; English comes from a compiled catalogue
// embedded in each program (":/i18n/<catalogue>_en.qm").

#include <QString>

#include <functional>

class QCoreApplication;
class QSettings;

namespace language {

enum class Language { Polish, English };

// The language the locale asks for: the first of LANGUAGE, LC_ALL, LC_MESSAGES and LANG
// that is set and not empty decides; English when it names English ("en", "en_GB.UTF-8",
// "en_US:pl"), Polish for anything else ("pl_PL.UTF-8", "C", "de_DE").
Language fromEnvironment(const std::function<QString(const char*)>& variable);
Language fromEnvironment();

// A choice the user saved ("pl" or "en") wins over the locale; anything else is no choice.
Language choose(const QString& savedChoice, Language locale);

// "pl" or "en": the saved form of a choice.
QString code(Language language);

// The choice saved in a program's user configuration (key "language"), empty when none.
QString savedChoice(const QSettings& configuration);
void saveChoice(QSettings& configuration, Language language);

// The language for this process: the saved choice, else the locale.
Language current(const QSettings& configuration);

// Installs the texts of `language` in `app`: for English the program's catalogue, for
// Polish Qt's own Polish texts (qtbase_pl, so the standard dialogs speak Polish). False
// when a catalogue it needs is missing; the source texts (Polish) then stay.
bool install(QCoreApplication& app, Language language, const QString& catalogue);

// The language whose texts install() put in place: English only after its catalogue
// loaded, Polish before any install and otherwise (pages beside the texts, such as the
// help, follow it).
Language installed();

}  // namespace language
