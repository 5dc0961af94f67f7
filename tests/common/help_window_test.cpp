#include "help_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

namespace {

QApplication& application()
{
    static int argc = 1;
    static char name[] = "test_common_ui";
    static char* argv[] = {name, nullptr};
    // Never destroyed: a QApplication torn down among the static destructors crashes the exit.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

TEST(HelpWindow, EscClosesIt)
{
    application();
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("help.html"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body><a name=\"kal\">Kalibracja</a></body></html>");
    file.close();

    widgets::HelpWindow help;
    ASSERT_TRUE(help.showPage(page, QStringLiteral("#kal")));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    // From the text, where the focus is after opening.
    QTest::keyClick(help.browser(), Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
}

}  // namespace

TEST(HelpWindow, TheEnglishPageBesideThePolishOneOnlyWhenEnglishAndPresent)
{
    QTemporaryDir dir;
    const QString polish = dir.filePath(QStringLiteral("instVor3.html"));
    const QString english = dir.filePath(QStringLiteral("en/instVor3.html"));
    const QString alone = dir.filePath(QStringLiteral("wizor.html"));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("en")));
    for (const QString& path : {polish, english, alone}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    using language::Language;
    EXPECT_EQ(widgets::pageInLanguage(polish, Language::English), english);
    EXPECT_EQ(widgets::pageInLanguage(polish, Language::Polish), polish);
    EXPECT_EQ(widgets::pageInLanguage(alone, Language::English), alone);
    EXPECT_EQ(widgets::pageInLanguage(QString(), Language::English), QString());
}
