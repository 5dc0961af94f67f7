// Help at the window's context topics, the help file's place and the about box.

#include "about_box.h"
#include "chart_window.h"
#include "desktop_links.h"
#include "help_window.h"
#include "wizor_chart.h"
#include "wizor_dialogs.h"
#include "wizor_fixture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QRegularExpression>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace wizor {
namespace {

TEST_F(WizorWindow, HelpOpensThePageAtTheTopicOfTheContext)
{
    QDir(dir.path()).mkdir("Help");
    write("Help/wizor.html", "<html></html>");
    dialogs.fileToOpen = write("i.txt", dataText(2, 1));
    startWith(dir.filePath("wiznow.dan"));
    EXPECT_EQ(window->fileName(), dialogs.fileToOpen);
    EXPECT_TRUE(window->action(ChartWindow::HelpButton)->isEnabled());
    // The help shows in the window's own help viewer, not through the desktop.
    window->showContextHelp(5);
    ASSERT_NE(window->helpWindow(), nullptr);
    EXPECT_EQ(window->helpWindow()->source().fragment(), "ctx5");
    EXPECT_TRUE(window->helpWindow()->source().toLocalFile().endsWith("Help/wizor.html"));
    window->showHelpIndex();
    EXPECT_EQ(window->helpWindow()->source().fragment(), "indeks");
    EXPECT_TRUE(dialogs.urls.isEmpty());

    dialogs.desktopAccepts = false;
    window->openSupportPage();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(dialogs.errors[0], "Błąd...|System WINDOWS zgłosił bląd....");
}

// The English page wherever one exists, before the Polish page of any place; in Polish
// only the Polish page.
TEST(HelpFile, EnglishPageFirstWhenEnglishIsShown)
{
    QTemporaryDir root;
    QDir(root.path()).mkpath("start/Help");
    QDir(root.path()).mkpath("prefix/bin");
    QDir(root.path()).mkpath("prefix/share/vorda/Help/en");
    const auto touch = [&root](const char* path) {
        QFile file(root.filePath(path));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return QFileInfo(file).absoluteFilePath();
    };
    const QString start = root.filePath("start");
    const QString program = root.filePath("prefix/bin");
    const QString polish = touch("start/Help/wizor.html");
    EXPECT_EQ(helpFilePath(start, program, language::Language::English), polish);
    const QString english = touch("prefix/share/vorda/Help/en/wizor.html");
    EXPECT_EQ(helpFilePath(start, program, language::Language::English), english);
    EXPECT_EQ(helpFilePath(start, program, language::Language::Polish), polish);
}

// "Język": two exclusive items; a choice is saved for the next start and the user is told.
TEST_F(WizorWindow, TheLanguageMenuSavesTheChoiceForTheNextStart)
{
    QMenu* menu = nullptr;
    for (QAction* a : window->menuBar()->actions())
        if (a->text() == QString::fromUtf8("&Język")) menu = a->menu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), "Polski");
    EXPECT_EQ(menu->actions()[1]->text(), "English");
    QAction* polish = window->languageAction(language::Language::Polish);
    QAction* english = window->languageAction(language::Language::English);
    EXPECT_TRUE(polish->isChecked());

    window->setLanguage(language::Language::English);
    EXPECT_TRUE(english->isChecked());
    EXPECT_FALSE(polish->isChecked());

    QSettings configuration(QStringLiteral("OLUN"), QStringLiteral("Wizor"));
    for (QAction* item : {polish, english}) {
        item->trigger();
        EXPECT_TRUE(item->isChecked());
        EXPECT_EQ(configuration.value("language").toString(), item == english ? "en" : "pl");
    }
    EXPECT_EQ(dialogs.notes,
              QStringList(2, QString::fromUtf8("Język|Język programu zmieni się przy następnym uruchomieniu.")));
    // What the window shows does not change before the next start.
    EXPECT_EQ(window->language(), language::Language::English);
    configuration.remove("language");
}

TEST(HelpFile, FoundInTheStartDirectoryOrBesideTheProgram)
{
    QTemporaryDir root;
    QDir(root.path()).mkpath("start");
    QDir(root.path()).mkpath("prefix/bin");
    QDir(root.path()).mkpath("prefix/share/vorda/Help");
    const QString start = root.filePath("start");
    const QString program = root.filePath("prefix/bin");
    EXPECT_TRUE(helpFilePath(start, program).isEmpty());

    QFile installed(root.filePath("prefix/share/vorda/Help/wizor.html"));
    ASSERT_TRUE(installed.open(QIODevice::WriteOnly));
    installed.close();
    EXPECT_EQ(helpFilePath(start, program), QFileInfo(installed).absoluteFilePath());

    QDir(start).mkdir("Help");
    QFile local(root.filePath("start/Help/wizor.html"));
    ASSERT_TRUE(local.open(QIODevice::WriteOnly));
    local.close();
    EXPECT_EQ(helpFilePath(start, program), QFileInfo(local).absoluteFilePath());
    EXPECT_EQ(helpUrl(QFileInfo(local).absoluteFilePath(), "ctx3").fragment(), "ctx3");
}

TEST(AboutBox, ShowsTheProgramAndReportsARefusedWebPage)
{
    AnsweringDialogs dialogs;
    dialogs.desktopAccepts = false;
    AboutBox about(dialogs);
    EXPECT_EQ(about.windowTitle(), "O programie");
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>()) texts << label->text();
    for (const char* expected : {"OLUN", "Program", "OLUN Wizor", "wer. ", " 2.5.0.14 ", "Program wizualizacji danych"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
    auto* newest = about.findChild<QToolButton*>();
    ASSERT_NE(newest, nullptr);
    EXPECT_EQ(newest->toolTip(), "Sprawdź w internecie najnowszą wersję programu.");
    newest->click();
    ASSERT_EQ(dialogs.urls.size(), 1);
    EXPECT_EQ(dialogs.errors, QStringList{"Błąd...|System WINDOWS zgłosił bląd...."});
}

}  // namespace
}  // namespace wizor
