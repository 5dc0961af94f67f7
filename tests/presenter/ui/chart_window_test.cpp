// The chart window driven as a user would, offscreen: its frame, the charts a file
// gives, start-up and opening files.

#include "chart_window.h"
#include "about_box.h"
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
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace wizor {
namespace {

TEST_F(WizorWindow, ShowsTheWindowFrame)
{
    EXPECT_EQ(window->windowTitle(), "OLUN  Wizor");
    EXPECT_EQ(window->size(), QSize(853, 617));
    EXPECT_EQ(window->action(ChartWindow::Copy)->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(window->action(ChartWindow::View3D)->shortcut(), QKeySequence("Ctrl+W"));
    EXPECT_EQ(window->action(ChartWindow::Legend)->shortcut(), QKeySequence("Ctrl+L"));
    EXPECT_EQ(window->action(ChartWindow::Print)->toolTip(), "Ustaw drukarkę i drukuj");
    EXPECT_EQ(window->action(ChartWindow::LiveView)->toolTip(), "Pokazuj bieżące pomiary.");
    EXPECT_EQ(WizorChart::curveColour(15, false), QColor(255, 128, 0));
    EXPECT_EQ(WizorChart::curveColour(15, true), QColor(128, 128, 192));
}

TEST_F(WizorWindow, EightColumnsShowOneChartWithNamedCurves)
{
    startWith(write("a.txt", dataText(12, 8)));
    EXPECT_FALSE(window->twoCharts());
    EXPECT_FALSE(window->lowerChart()->isVisible());
    EXPECT_EQ(window->upperChart()->activeCurveCount(), 8);
    EXPECT_EQ(window->lowerChart()->activeCurveCount(), 0);
    for (int c = 0; c < 8; ++c) EXPECT_EQ(points(window->upperChart(), c), 12);
    EXPECT_EQ(window->upperChart()->curve(0)->name(), "ch1");
    EXPECT_EQ(window->upperChart()->curve(7)->name(), "ch8");
    EXPECT_EQ(window->upperChart()->legend->itemCount(), 8);
    EXPECT_EQ(window->panelText(0), "Wprowadź dane Plik|Nowy");
    EXPECT_EQ(window->panelText(3), "a.txt");
    EXPECT_EQ(window->upperChart()->keyRange(), (Range{0.0, 11.0}));
}

TEST_F(WizorWindow, TwentyColumnsUseTheLowerChartAtHalfTheHeightSixteenDoNot)
{
    startWith(write("b.txt", dataText(5, 16)));
    EXPECT_FALSE(window->twoCharts());
    EXPECT_FALSE(window->lowerChart()->isVisible());
    EXPECT_EQ(window->upperChart()->activeCurveCount(), 16);

    write("b.txt", dataText(7, 20));
    window->reload();
    EXPECT_TRUE(window->lowerChart()->isVisible());
    EXPECT_EQ(window->lowerChart()->height(), window->centralWidget()->height() / 2);
    EXPECT_EQ(window->upperChart()->activeCurveCount(), 16);
    EXPECT_EQ(window->lowerChart()->activeCurveCount(), 4);
    EXPECT_EQ(window->lowerChart()->curve(0)->name(), "ch17");
    EXPECT_EQ(window->lowerChart()->curve(3)->name(), "ch20");
    EXPECT_EQ(points(window->lowerChart(), 3), 7);
    EXPECT_DOUBLE_EQ(window->lowerChart()->curve(0)->data()->at(0)->value, double(0.16f));

    write("b.txt", dataText(3, 4));
    window->reload();
    EXPECT_FALSE(window->twoCharts());
    EXPECT_FALSE(window->lowerChart()->isVisible());
}

TEST_F(WizorWindow, AShorterLineAddsPointsOnlyToItsOwnColumns)
{
    QByteArray text = dataText(3, 4);
    text += "00:59.000 7 8\r\n";
    startWith(write("c.txt", text));
    EXPECT_EQ(points(window->upperChart(), 0), 4);
    EXPECT_EQ(points(window->upperChart(), 1), 4);
    EXPECT_EQ(points(window->upperChart(), 2), 3);
    EXPECT_EQ(window->upperChart()->curve(1)->data()->at(3)->value, 8.0);
}

TEST_F(WizorWindow, StartUpAsksForAMissingFileAndKeepsTheNameOnCancel)
{
    const QString missing = dir.filePath("brak.dan");
    startWith(missing);
    EXPECT_EQ(dialogs.openDialogs, 1);
    EXPECT_EQ(window->fileName(), missing);
    EXPECT_EQ(dialogs.openFolder, dir.path());
    EXPECT_EQ(window->upperChart()->valueRange(), (Range{15.0, 30.0}));
    // No help page beside the start-up directory or the program: the help button is off.
    EXPECT_FALSE(window->action(ChartWindow::HelpButton)->isEnabled());
    EXPECT_TRUE(window->action(ChartWindow::HelpContents)->isEnabled());
    window->showHelpContents();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(dialogs.errors[0], "Uwaga!|Nie odnaleziono pliku pomocy!");
}

TEST_F(WizorWindow, ADroppedFileOpensAsIfChosen)
{
    startWith(write("first.txt", dataText(5, 2)));
    const QString dropped = write("dropped.txt", dataText(7, 3));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(dropped)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    EXPECT_EQ(window->fileName(), dropped);
    EXPECT_EQ(window->upperChart()->activeCurveCount(), 3);
    EXPECT_EQ(points(window->upperChart(), 0), 7);

    // Something that is not a file is refused.
    QMimeData text;
    text.setText("00:01.000 1");
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QApplication::sendEvent(window.get(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(WizorWindow, StatusBarDoubleClickShowsTheFullPath)
{
    const QString path = write("t.txt", dataText(2, 2));
    startWith(path);
    EXPECT_TRUE(window->statusBar()->toolTip().isEmpty());
    QTest::mouseDClick(window->statusBar(), Qt::LeftButton);
    EXPECT_EQ(window->statusBar()->toolTip(), path);
}

}  // namespace
}  // namespace wizor
