// The chart window's output through its commands: printing, the bitmap file, the
// clipboard.

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
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QRegularExpression>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace wizor {
namespace {

// The pages of a PDF file.
int pdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return int(text.count(QRegularExpression("/Type\\s*/Page(?!s)")));
}

TEST_F(WizorWindow, PrintsOnePagePerChart)
{
    startWith(write("p.txt", dataText(20, 4)));
    window->print();
    EXPECT_TRUE(window->panelText(0).startsWith("Wprowadź"));

    dialogs.pdfFile = dir.filePath("one.pdf");
    window->print();
    EXPECT_EQ(pdfPages(dialogs.pdfFile), 1);
    EXPECT_EQ(window->panelText(0), "Koniec wydruku");

    write("p.txt", dataText(20, 20));
    window->reload();
    dialogs.pdfFile = dir.filePath("two.pdf");
    window->print();
    EXPECT_EQ(pdfPages(dialogs.pdfFile), 2);
    EXPECT_EQ(window->panelText(0), "Koniec wydruku");
}

TEST_F(WizorWindow, SavesOnlyTheUpperChartAsABitmapOnWhite)
{
    startWith(write("s.txt", dataText(20, 20)));
    window->saveAsBitmap();
    EXPECT_TRUE(QDir(dir.path()).entryList({"*.bmp"}).isEmpty());

    dialogs.bitmapToSave = dir.filePath("wykres");
    window->saveAsBitmap();
    const QImage image(dir.filePath("wykres.bmp"), "BMP");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), window->upperChart()->size());
    EXPECT_LT(image.height(), window->centralWidget()->height() * 3 / 4);
    EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(image.width() - 1, image.height() - 1)), QColor(Qt::white));
}

TEST_F(WizorWindow, CopiesTheClientAreaWithoutToolbarAndStatusBar)
{
    startWith(write("k.txt", dataText(20, 3)));
    const int withBars = window->centralWidget()->height();
    window->copyToClipboard();
    const QImage image = QApplication::clipboard()->image();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), window->width());
    EXPECT_EQ(image.height(), window->height() - window->menuBar()->height());
    EXPECT_GT(image.height(), withBars);
    EXPECT_TRUE(window->toolBar()->isVisible());
    EXPECT_TRUE(window->statusBar()->isVisible());
    EXPECT_EQ(window->centralWidget()->height(), withBars);
}

// "Plik -> Eksport..." writes both charts, stacked, when two are shown; an unknown
// extension is refused with a message.
TEST_F(WizorWindow, ExportWritesBothChartsShown)
{
    startWith(write("e.txt", dataText(5, 20)));
    dialogs.exportTo = dir.filePath("both.png");
    window->action(ChartWindow::Export)->trigger();
    const QImage image(dialogs.exportTo);
    EXPECT_EQ(image.size(), window->chartsSize());
    EXPECT_GT(image.height(), window->upperChart()->height() + window->lowerChart()->height() / 2);

    dialogs.exportTo = dir.filePath("both.gif");
    window->action(ChartWindow::Export)->trigger();
    EXPECT_FALSE(QFile::exists(dialogs.exportTo));
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QString::fromUtf8("Błąd...|Nieznany format")));
}

}  // namespace
}  // namespace wizor
