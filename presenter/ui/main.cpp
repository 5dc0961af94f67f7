// Wizor: shows a measurement file as charts. The file comes from the command line,
// else "wiznow.dan" in the current directory; the show mode from WIZOR_SHOW_MODE.

#include "about_box.h"
#include "chart_math.h"
#include "chart_window.h"
#include "qt_translations.h"
#include "screen_fit.h"
#include "wizor_dialogs.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wizor"));
    QApplication::setWindowIcon(wizor::wizorIcon());
    widgets::installQtTranslations(app);
    widgets::keepWindowsOnScreen(app);

    wizor::QtWizorDialogs dialogs;
    wizor::ChartWindow window(dialogs);
    if (qEnvironmentVariable("WIZOR_SHOW_MODE") == QLatin1String("maximized"))
        window.showMaximized();
    else
        window.show();
    window.start(wizor::fileNameFromArguments(QCoreApplication::arguments()), QDir::currentPath(),
                 QCoreApplication::applicationDirPath());
    return QApplication::exec();
}
