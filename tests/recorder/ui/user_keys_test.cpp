// What a user meets first: the file list from the keyboard, confirmations whose Enter
// destroys nothing, Qt's own texts in Polish, and windows that open on the screen.

#include "window_fixture.h"

#include "screenshots.h"

#include "qt_translations.h"
#include "screen_fit.h"
#include "ui/properties_window.h"

#include <QFileDialog>
#include <QLibraryInfo>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace vorda::test {
namespace {

class UserKeys : public WindowFixture {
protected:
    MainWindow& createWithFile(const QString& name)
    {
        writeFile(startPath(name), "  Nr.: k1\r\n 1 2.50\r\n");
        QDir(startDir_.path()).mkdir(QStringLiteral("archiwum"));
        MainWindow& w = createWindow();
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        return w;
    }
};

TEST_F(UserKeys, EnterOnAFileDoesWhatADoubleClickDoesAndShiftF10OpensTheMenu)
{
    const QString name = QStringLiteral("2024_05_01_10_00_00.txt");
    MainWindow& w = createWithFile(name);
    auto* list = &w.fileBrowser();
    ASSERT_NE(list, nullptr);
    list->setFocus();

    ASSERT_TRUE(w.fileBrowser().select(name));
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_EQ(launcher_.opened.size(), 1u);
    EXPECT_EQ(launcher_.opened[0].toLocalFile(), startPath(name));

    // Shift+F10 opens the list's menu, with the file's commands.
    QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (const QAction* a : menu->actions()) texts << a->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Usuń")));
    EXPECT_TRUE(texts.contains(QStringLiteral("&Wykres")));
    menu->close();

    // Enter on a folder enters it, as the double click does.
    ASSERT_TRUE(w.fileBrowser().select(QStringLiteral("[archiwum]")));
    QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(w.fileBrowser().directory(), startPath(QStringLiteral("archiwum")));
    EXPECT_EQ(launcher_.opened.size(), 1u);
}

// The real question box: Enter answers Cancel; its buttons speak Polish once Qt's
// translations are installed.
TEST(Confirmations, EnterDoesNotConfirmADestructiveQuestion)
{
    application();
    const bool polish = widgets::installQtTranslations(application());
    MessageBoxDialogs dialogs;
    QString cancelText;
    QTimer::singleShot(0, [&cancelText] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        cancelText = box->button(QMessageBox::Cancel)->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_FALSE(dialogs.confirmDestructive(
        nullptr, QStringLiteral("Wybranie klawisza OK usunie wszystkie pomiary z rejestratora!"),
        QStringLiteral("Uwaga!")));
    if (!polish)
        GTEST_SKIP() << "Qt's Polish translations (qt6-translations-l10n) are not installed in "
                     << QLibraryInfo::path(QLibraryInfo::TranslationsPath).toStdString();
    EXPECT_EQ(cancelText, QStringLiteral("Anuluj"));
}

// The question on closing with unsaved changes: Enter and Esc answer "Anuluj".
TEST_F(UserKeys, TheSaveQuestionDefaultsToCancel)
{
    MainWindow& w = createWithFile(QStringLiteral("a.txt"));
    w.resize(420, 460);
    MessageBoxDialogs dialogs;
    QStringList buttons;
    QString defaultButton;
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            buttons.clear();
            for (const QAbstractButton* b : box->buttons()) buttons << b->text();
            defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
            if (key == Qt::Key_Return) {
                QTest::qWaitForWindowExposed(box);
                saveScreen("screenshot-unsaved-changes.png");
            }
            QTest::keyClick(box, key);
        });
        EXPECT_EQ(dialogs.askToSave(&w, QStringLiteral("Zapisać zmiany ustawień?"), w.windowTitle()),
                  SaveChoice::Cancel);
        EXPECT_EQ(defaultButton, QStringLiteral("Anuluj"));
        buttons.sort();
        EXPECT_EQ(buttons,
                  QStringList({QStringLiteral("Anuluj"), QStringLiteral("Nie zapisuj"), QStringLiteral("Zapisz")}));
    }
}

// The open and save dialogs are Qt's own (the programs never ask for the desktop's), so
// their texts come from the same translations.
TEST_F(UserKeys, FileDialogsSpeakPolish)
{
    if (!widgets::installQtTranslations(application())) GTEST_SKIP() << "Qt's Polish translations are not installed";
    MainWindow& w = createWithFile(QStringLiteral("2024_05_01_10_00_00.txt"));
    QFileDialog dialog(&w, QStringLiteral("Zapisz"), startDir_.path(), QStringLiteral("Pliki tekstowe (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QStringList buttons;
    for (const QPushButton* b : dialog.findChildren<QPushButton*>()) buttons << b->text();
    EXPECT_TRUE(buttons.contains(QStringLiteral("Anuluj"))) << buttons.join(',').toStdString();
    EXPECT_TRUE(buttons.contains(QStringLiteral("&Zachowaj"))) << buttons.join(',').toStdString();
    saveScreenshot(dialog, "vorda-file-dialog-pl.png");
}

TEST_F(UserKeys, ThePropertiesWindowOpensWithinTheScreen)
{
    widgets::keepWindowsOnScreen(application());
    MainWindow& w = createWithFile(QStringLiteral("a.txt"));
    const QRect available = w.screen()->availableGeometry();
    // The main window low at the right: the properties window, centred over it, would
    // reach past the screen's edges.
    w.move(available.right() - 200, available.bottom() - 150);
    emit w.propertiesRequested();
    PropertiesWindow& properties = windows_->propertiesWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&properties));
    EXPECT_TRUE(available.contains(properties.frameGeometry()))
        << properties.x() << "," << properties.y() << " " << properties.width() << "x" << properties.height();
    EXPECT_TRUE(properties.frameGeometry().intersects(w.frameGeometry())) << "not opened over the main window";
}

}  // namespace
}  // namespace vorda::test
