#include "ui/application.h"

#include <QMessageBox>

#include <exception>

namespace vorda {

VordaApplication::VordaApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // The application name is also the name of the user's configuration: never translated.
    setApplicationName(QStringLiteral("Rejestrator DL03"));
    showException_ = [](const QString& text) {
        QMessageBox::critical(QApplication::activeWindow(), tr("Rejestrator DL03"), text);
    };
}

bool VordaApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showException_(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        showException_(tr("Nieznany błąd programu."));
    }
    return false;
}

}  // namespace vorda
