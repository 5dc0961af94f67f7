// Vorda: the recorder-service program.

#include "core/program_state.h"
#include "core/settings_record.h"
#include "core/user_configuration.h"
#include "link/serial_link.h"
#include "link/serial_transport.h"
#include "screen_fit.h"
#include "ui/application.h"
#include "ui/desktop_shell.h"
#include "ui/main_window.h"
#include "ui/message_dialogs.h"
#include "ui/window_set.h"
#include "ui_language.h"

#include <QDir>

int main(int argc, char* argv[])
{
    vorda::VordaApplication app(argc, argv);
    language::install(app, language::current(vorda::userConfiguration()), QStringLiteral("vorda"));
    widgets::keepWindowsOnScreen(app);

    vorda::Settings settings{};
    vorda::ProgramState state;
    vorda::SerialLink link(settings, vorda::makeSerialPortTransport(), QDir::currentPath());
    vorda::MessageBoxDialogs dialogs;
    vorda::SystemLauncher launcher;
    const QString programDir = QCoreApplication::applicationDirPath();
    vorda::DesktopShell shell(launcher, programDir, QDir(programDir).filePath(QStringLiteral("../share/vorda")));

    vorda::WindowSet windows(settings, state, link, dialogs, shell);
    windows.mainWindow().show();
    return app.exec();
}
