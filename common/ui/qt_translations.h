#pragma once
// Qt's own texts (the standard dialogs' buttons and labels: "Anuluj", "Otwórz", ...) in
// Polish, both programs talking to the user in Polish.

class QCoreApplication;
class QString;

namespace widgets {

// Installs Qt's Polish translation ("qtbase_pl.qm") from `directory`, by default the
// installed Qt's translations folder. False when it is not there: the texts stay English.
bool installQtTranslations(QCoreApplication& app);
bool installQtTranslations(QCoreApplication& app, const QString& directory);

}  // namespace widgets
