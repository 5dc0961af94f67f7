#include "wizor_dialogs.h"

#include "about_box.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>

namespace wizor {

QString QtWizorDialogs::openDataFile(QWidget* parent, const QString& folder)
{
    QFileDialog dialog(parent, QCoreApplication::translate("WizorDialogs", "Nowy wykres"), folder,
                       QCoreApplication::translate("WizorDialogs",
                                                   "Pliki danych (*.dan);;Plik tekstowy (*.txt);;Wszystkie pliki (*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QString QtWizorDialogs::saveBitmapFile(QWidget* parent, const QString& folder)
{
    QFileDialog dialog(parent, QString(), folder, QCoreApplication::translate("WizorDialogs", "Bitmaps (*.bmp)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QString QtWizorDialogs::exportFile(QWidget* parent, const QString& folder)
{
    QFileDialog dialog(parent, QCoreApplication::translate("WizorDialogs", "Eksport"), folder,
                       QCoreApplication::translate(
                           "WizorDialogs", "Obraz PNG (*.png);;Rysunek SVG (*.svg);;Dokument PDF (*.pdf);;Dane CSV (*.csv)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    // A name typed without an extension gets the one of the chosen type.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter.section(QStringLiteral("*."), 1).chopped(1));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

std::optional<QColor> QtWizorDialogs::chooseColour(QWidget* parent, const QColor& initial)
{
    const QColor colour = QColorDialog::getColor(initial, parent);
    if (!colour.isValid()) return std::nullopt;
    return colour;
}

bool QtWizorDialogs::setUpPrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtWizorDialogs::showAbout(QWidget* parent)
{
    AboutBox about(*this, parent);
    about.exec();
}

void QtWizorDialogs::showError(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox::critical(parent, title, text);
}

void QtWizorDialogs::showInformation(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox::information(parent, title, text);
}

bool QtWizorDialogs::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

}  // namespace wizor
