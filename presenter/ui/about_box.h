#pragma once
// The about box: program name, version and a link to the newest version.

#include <QDialog>
#include <QIcon>

namespace wizor {

class WizorDialogs;

// The program's icon, drawn: a small chart with two curves.
QIcon wizorIcon();

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(WizorDialogs& dialogs, QWidget* parent = nullptr);

private:
    void openNewestVersionPage();

    WizorDialogs& dialogs_;
};

}  // namespace wizor
