#pragma once
// Everything of the window that waits for the user or leaves the program: file,
// colour and printer dialogs, the about box, message boxes and the desktop's
// handlers. The window reaches them only through this interface, so tests can
// answer in place of the user.

#include <QColor>
#include <QString>
#include <QUrl>

#include <optional>

class QPrinter;
class QWidget;

namespace wizor {

class WizorDialogs {
public:
    virtual ~WizorDialogs() = default;

    // The chosen file, or an empty text on cancel.
    virtual QString openDataFile(QWidget* parent, const QString& folder) = 0;
    virtual QString saveBitmapFile(QWidget* parent, const QString& folder) = 0;
    // The file to export to (its extension names the format), or empty on cancel.
    virtual QString exportFile(QWidget*, const QString&) { return {}; }
    virtual std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial) = 0;
    // Lets the user set up the printer; false on cancel.
    virtual bool setUpPrinter(QWidget* parent, QPrinter& printer) = 0;
    virtual void showAbout(QWidget* parent) = 0;
    virtual void showError(QWidget* parent, const QString& text, const QString& title) = 0;
    // A message that needs no answer; unseen where no dialog is ever shown.
    virtual void showInformation(QWidget*, const QString&, const QString&) {}
    // Hands an address to the desktop; false when it was refused.
    virtual bool openUrl(const QUrl& url) = 0;
};

// No dialog is ever shown: every question is cancelled (exports with no window, benchmarks).
class NoDialogs : public WizorDialogs {
public:
    QString openDataFile(QWidget*, const QString&) override { return {}; }
    QString saveBitmapFile(QWidget*, const QString&) override { return {}; }
    std::optional<QColor> chooseColour(QWidget*, const QColor&) override { return std::nullopt; }
    bool setUpPrinter(QWidget*, QPrinter&) override { return false; }
    void showAbout(QWidget*) override {}
    void showError(QWidget*, const QString&, const QString&) override {}
    bool openUrl(const QUrl&) override { return false; }
};

// The real dialogs.
class QtWizorDialogs : public WizorDialogs {
public:
    QString openDataFile(QWidget* parent, const QString& folder) override;
    QString saveBitmapFile(QWidget* parent, const QString& folder) override;
    QString exportFile(QWidget* parent, const QString& folder) override;
    std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial) override;
    bool setUpPrinter(QWidget* parent, QPrinter& printer) override;
    void showAbout(QWidget* parent) override;
    void showError(QWidget* parent, const QString& text, const QString& title) override;
    void showInformation(QWidget* parent, const QString& text, const QString& title) override;
    bool openUrl(const QUrl& url) override;
};

}  // namespace wizor
