#pragma once
// AboutDialog, "Informacje o programie": the about box, shown without blocking.

#include <QDialog>

class QPushButton;

namespace vorda {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    QPushButton* newestVersionButton() const { return newestVersion_; }

signals:
    // "Sprawdź najnowszą wersję": the owner opens the newest-version page.
    void newestVersionRequested();

private:
    QPushButton* newestVersion_ = nullptr;
};

}  // namespace vorda
