#include "help_window.h"

#include <gtest/gtest.h>

#include <QApplication>
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
    static QApplication app(argc, argv);
    return app;
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
