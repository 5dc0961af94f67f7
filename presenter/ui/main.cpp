// Wizor: shows a measurement file as charts. The file comes from the command line,
// else "wiznow.dan" in the current directory; the show mode from WIZOR_SHOW_MODE.
// With --export it writes a chart or the data to a file instead (export_command.h).

#include "about_box.h"
#include "chart_math.h"
#include "chart_window.h"
#include "export_command.h"
#include "screen_fit.h"
#include "ui_language.h"
#include "wizor_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTextStream>
#include <QTimer>

#include <optional>
#include <variant>

namespace {

// WIZOR_QUIT_WHEN_IDLE (the start-up benchmark sets it): the program ends at its first idle
// moment after the window has painted the loaded file, that is, at the first zero-timer
// after a paint during whose pending events nothing was painted again. Unset, nothing
// changes.
class QuitWhenIdle : public QObject {
public:
    explicit QuitWhenIdle(QWidget* window) : window_(window)
    {
        idle_.setSingleShot(true);
        idle_.setInterval(0);
        connect(&idle_, &QTimer::timeout, this, [this] {
            const int paintsBefore = paints_;
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            if (paints_ == paintsBefore) QCoreApplication::quit();
        });
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == window_) {
            ++paints_;
            idle_.start();
        }
        return false;
    }

private:
    QWidget* window_;
    QTimer idle_;
    int paints_ = 0;
};

}  // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    // The user's choice in the language menu, else the locale's language.
    const language::Language chosen = wizor::ChartWindow::chosenLanguage();
    wizor::CommandRequest request = wizor::parseCommandLine(arguments);
    if (std::holds_alternative<wizor::HelpRequest>(request) || std::holds_alternative<QString>(request)) {
        QCoreApplication app(argc, argv);
        language::install(app, chosen, QStringLiteral("wizor"));
        // Parsed again now that the messages speak the user's language.
        request = wizor::parseCommandLine(arguments);
        if (const QString* error = std::get_if<QString>(&request)) {
            QTextStream(stderr) << "wizor: " << *error << "\n" << wizor::commandLineHelp();
            return 2;
        }
        QTextStream(stdout) << wizor::commandLineHelp();
        return 0;
    }
    const auto* exportRequest = std::get_if<wizor::ExportRequest>(&request);
    // An export needs no display.
    if (exportRequest && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wizor"));
    QApplication::setWindowIcon(wizor::wizorIcon());
    // Without its catalogue the program speaks its source language, Polish.
    const bool installed = language::install(app, chosen, QStringLiteral("wizor"));
    const language::Language shown = installed ? chosen : language::Language::Polish;
    widgets::keepWindowsOnScreen(app);
    if (exportRequest) {
        QTextStream errors(stderr);
        return wizor::runExport(*exportRequest, errors);
    }

    wizor::QtWizorDialogs dialogs;
    wizor::ChartWindow window(dialogs);
    window.setLanguage(shown);
    std::optional<QuitWhenIdle> quitWhenIdle;
    if (!qEnvironmentVariableIsEmpty("WIZOR_QUIT_WHEN_IDLE")) quitWhenIdle.emplace(&window);
    if (qEnvironmentVariable("WIZOR_SHOW_MODE") == QLatin1String("maximized"))
        window.showMaximized();
    else
        window.show();
    window.start(wizor::fileNameFromArguments(QCoreApplication::arguments()), QDir::currentPath(),
                 QCoreApplication::applicationDirPath());
    return QApplication::exec();
}
