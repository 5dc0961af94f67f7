#pragma once
// The application object of Vorda. An exception that escapes an event handler is shown
// in a message box and the event loop goes on, instead of ending the program.

#include <QApplication>

#include <functional>

namespace vorda {

class VordaApplication : public QApplication {
    Q_OBJECT
public:
    VordaApplication(int& argc, char** argv);

    // What shows an escaped exception's text; a critical message box by default.
    void setExceptionHandler(std::function<void(const QString&)> handler) { showException_ = std::move(handler); }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::function<void(const QString&)> showException_;
};

}  // namespace vorda
