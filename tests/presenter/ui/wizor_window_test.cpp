// The chart window driven as a user would, offscreen, with the dialogs answered by
// the test.

#include "about_box.h"
#include "desktop_links.h"
#include "help_window.h"
#include "wizor_chart.h"
#include "wizor_dialogs.h"
#include "wizor_fixture.h"
#include "wizor_form.h"

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

#include <functional>

namespace wizor {
namespace {

class AnsweringDialogs : public WizorDialogs {
public:
    QString fileToOpen;    // empty: the open dialog is cancelled
    QString bitmapToSave;  // empty: the save dialog is cancelled
    QString pdfFile;       // empty: the printer dialog is cancelled
    std::optional<QColor> colour;
    int openDialogs = 0;
    QString openFolder;
    QStringList errors;
    QList<QUrl> urls;
    bool desktopAccepts = true;

    QString openDataFile(QWidget*, const QString& folder) override
    {
        ++openDialogs;
        openFolder = folder;
        return fileToOpen;
    }
    QString saveBitmapFile(QWidget*, const QString&) override { return bitmapToSave; }
    std::optional<QColor> chooseColour(QWidget*, const QColor&) override { return colour; }
    bool setUpPrinter(QWidget*, QPrinter& printer) override
    {
        if (pdfFile.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
        return true;
    }
    void showAbout(QWidget*) override {}
    void showError(QWidget*, const QString& text, const QString& title) override { errors << title + "|" + text; }
    bool openUrl(const QUrl& url) override
    {
        urls << url;
        return desktopAccepts;
    }
};

// A data file of `lines` time-only lines with `columns` values each, value
// base + row + column / 100, behind a header naming the channels ch1, ch2, ...
QByteArray dataText(int lines, int columns, double base = 0.0, int firstLine = 0)
{
    QByteArray text;
    if (firstLine == 0) {
        text += "Czas";
        for (int c = 1; c <= columns; ++c) text += " ch" + QByteArray::number(c);
        text += "\r\n";
    }
    for (int i = firstLine; i < firstLine + lines; ++i) {
        text += QByteArray("00:") + QByteArray::number(10 + i % 50) + ".000";
        for (int c = 0; c < columns; ++c) text += ' ' + QByteArray::number(base + i + c / 100.0, 'f', 2);
        text += "\r\n";
    }
    return text;
}

class WizorWindow : public WizorFixture<AnsweringDialogs> {
protected:
    int points(WizorChart* chart, int curve) const { return chart->curve(curve)->dataCount(); }

    QPoint pixelOf(WizorChart* chart, int curve, int point) const
    {
        const auto data = chart->curve(curve)->data()->at(point);
        return QPoint(int(chart->xAxis->coordToPixel(data->key)), int(chart->yAxis->coordToPixel(data->value)));
    }
};

TEST_F(WizorWindow, ShowsTheWindowFrame)
{
    EXPECT_EQ(window->windowTitle(), "OLUN  Wizor");
    EXPECT_EQ(window->size(), QSize(853, 617));
    EXPECT_EQ(window->action(TWizorForm1::Copy)->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(window->action(TWizorForm1::View3D)->shortcut(), QKeySequence("Ctrl+W"));
    EXPECT_EQ(window->action(TWizorForm1::Legend)->shortcut(), QKeySequence("Ctrl+L"));
    EXPECT_EQ(window->action(TWizorForm1::Print)->toolTip(), "Ustaw drukarkę i drukuj");
    EXPECT_EQ(window->action(TWizorForm1::LiveView)->toolTip(), "Pokazuj bieżące pomiary.");
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
    window->New2chart1Execute();
    EXPECT_TRUE(window->lowerChart()->isVisible());
    EXPECT_EQ(window->lowerChart()->height(), window->centralWidget()->height() / 2);
    EXPECT_EQ(window->upperChart()->activeCurveCount(), 16);
    EXPECT_EQ(window->lowerChart()->activeCurveCount(), 4);
    EXPECT_EQ(window->lowerChart()->curve(0)->name(), "ch17");
    EXPECT_EQ(window->lowerChart()->curve(3)->name(), "ch20");
    EXPECT_EQ(points(window->lowerChart(), 3), 7);
    EXPECT_DOUBLE_EQ(window->lowerChart()->curve(0)->data()->at(0)->value, double(0.16f));

    write("b.txt", dataText(3, 4));
    window->New2chart1Execute();
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

TEST_F(WizorWindow, ChartsShowThePageOf32000LinesButTheFitCoversTheWholeFile)
{
    QByteArray text;
    for (int i = 0; i < 32000; ++i) text += "00:00.000 1\n";
    text += "00:00.000 1000 5\n";
    startWith(write("cap.txt", text));
    EXPECT_EQ(points(window->upperChart(), 0), 32000);
    EXPECT_EQ(window->upperChart()->activeCurveCount(), 2);
    EXPECT_EQ(points(window->upperChart(), 1), 0);
    EXPECT_EQ(window->panelText(3), "cap.txt [1/2]");
    EXPECT_NEAR(window->upperChart()->valueRange().upper, 1000 + 0.02 * 999, 1e-3);
    window->NastepnaStronaExecute();
    EXPECT_EQ(points(window->upperChart(), 0), 1);
    EXPECT_EQ(points(window->upperChart(), 1), 1);
    EXPECT_EQ(window->panelText(3), "cap.txt [2/2]");
}

TEST_F(WizorWindow, FitCoversAllValuesWithTwoPercentMargins)
{
    QByteArray text = "Czas a b\n00:01.000 10 15\n00:02.000 20 12\n";
    startWith(write("d.txt", text));
    for (WizorChart* chart : {window->upperChart(), window->lowerChart()}) {
        EXPECT_NEAR(chart->yAxis->range().lower, 9.8, 1e-6);
        EXPECT_NEAR(chart->yAxis->range().upper, 20.2, 1e-6);
        EXPECT_EQ(chart->yAxis->range(), chart->yAxis2->range());
    }

    write("d.txt", "00:01.000 5 5\n00:02.000 5\n");
    window->New2chart1Execute();
    window->Dopasuj1Execute();
    // Every value 5: the flat line is drawn in the middle of the axis.
    EXPECT_EQ(window->upperChart()->valueRange(), (Range{4.0, 6.0}));

    write("d.txt", "");
    window->New2chart1Execute();
    window->Dopasuj1Execute();
    EXPECT_EQ(window->upperChart()->activeCurveCount(), 0);
    EXPECT_EQ(window->upperChart()->valueRange(), (Range{15.0, 30.0}));
    EXPECT_EQ(window->lowerChart()->valueRange(), (Range{15.0, 30.0}));
}

TEST_F(WizorWindow, FitToggleRunsTheFitAndRepeatsItAfterEachLoad)
{
    const QString path = write("e.txt", "00:01.000 0\n00:02.000 100\n");
    startWith(path);
    window->upperChart()->setValueRange({-1, 1});
    window->ToolButton21Click();
    EXPECT_TRUE(window->fitOn());
    EXPECT_TRUE(window->action(TWizorForm1::Fit)->isChecked());
    EXPECT_NEAR(window->upperChart()->valueRange().upper, 102.0, 1e-6);

    window->ToolButton21Click();
    window->upperChart()->setValueRange({-1, 1});
    dialogs.fileToOpen = path;
    window->ToolButton1Click();
    EXPECT_EQ(window->upperChart()->valueRange(), (Range{-1.0, 1.0}));
}

TEST_F(WizorWindow, ZoomTwiceThenUndoRestoresTheRanges)
{
    startWith(write("f.txt", dataText(101, 17)));
    const AxisRanges before = window->upperChart()->axisRanges();
    const AxisRanges lowerBefore = window->lowerChart()->axisRanges();
    window->ZoomInExecute();
    window->upperChart()->finishZoomAnimation();
    const AxisRanges once = window->upperChart()->axisRanges();
    EXPECT_NEAR(once[Bottom].size(), before[Bottom].size() / 2, 1e-9);
    EXPECT_NEAR(once[Right].size(), before[Right].size() / 2, 1e-9);
    EXPECT_EQ(once[Left], once[Right]);
    window->ZoomInExecute();
    window->ZoomOutExecute();
    EXPECT_EQ(window->upperChart()->axisRanges(), before);
    EXPECT_EQ(window->lowerChart()->axisRanges(), lowerBefore);
    window->ZoomOutExecute();
    EXPECT_EQ(window->upperChart()->axisRanges(), before);

    // Values far below the minimum the axes are first lowered to: the zoomed range
    // lies wholly below it and must still come out the right way up.
    write("f.txt", "00:01.000 -5e9 -4e9\n");
    window->New2chart1Execute();
    window->Dopasuj1Execute();
    const Range fitted = window->upperChart()->valueRange();
    window->ZoomInExecute();
    window->upperChart()->finishZoomAnimation();
    EXPECT_EQ(window->upperChart()->valueRange(), zoomedIn(fitted));
    EXPECT_LT(window->upperChart()->valueRange().upper, -999999999.0);
}

TEST_F(WizorWindow, RectangleDragZoomsAndTheReverseDragUndoes)
{
    startWith(write("g.txt", dataText(50, 2)));
    WizorChart* chart = window->upperChart();
    const AxisRanges before = chart->axisRanges();
    const QRect area = chart->axisRect()->rect();
    QTest::mousePress(chart, Qt::LeftButton, {}, area.topLeft() + QPoint(10, 10));
    QTest::mouseMove(chart, area.center());
    QTest::mouseRelease(chart, Qt::LeftButton, {}, area.center());
    EXPECT_TRUE(chart->zoomed());
    EXPECT_LT(chart->keyRange().size(), before[Bottom].size());
    EXPECT_LT(chart->valueRange().size(), before[Right].size());

    QTest::mousePress(chart, Qt::LeftButton, {}, area.center());
    QTest::mouseRelease(chart, Qt::LeftButton, {}, area.topLeft() + QPoint(10, 10));
    EXPECT_EQ(chart->axisRanges(), before);
}

TEST_F(WizorWindow, ClickOnACurveShowsItsNameAndValue)
{
    startWith(write("h.txt", "Czas alfa beta\n00:01.000 1.5 23.45\n00:02.000 1.5 23.45\n00:03.000 1.5 23.45\n"));
    WizorChart* chart = window->upperChart();
    chart->setValueRange({0, 30});
    chart->replot();
    QTest::mouseClick(chart, Qt::LeftButton, {}, pixelOf(chart, 0, 1));
    EXPECT_EQ(window->panelText(1), "alfa");
    EXPECT_EQ(window->panelText(2), "Y= 1.5");
    // The last point lies on the right edge of the plot area.
    QTest::mouseClick(chart, Qt::LeftButton, {}, pixelOf(chart, 1, 2));
    EXPECT_EQ(window->panelText(1), "beta");
    EXPECT_EQ(window->panelText(2), "Y= 23.4500007629395");
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
    EXPECT_FALSE(window->action(TWizorForm1::HelpButton)->isEnabled());
    EXPECT_TRUE(window->action(TWizorForm1::HelpContents)->isEnabled());
    window->HelpContentsExecute();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(dialogs.errors[0], "Uwaga!|Nie odnaleziono pliku pomocy!");
}

TEST_F(WizorWindow, HelpOpensThePageAtTheTopicOfTheContext)
{
    QDir(dir.path()).mkdir("Help");
    write("Help/wizor.html", "<html></html>");
    dialogs.fileToOpen = write("i.txt", dataText(2, 1));
    startWith(dir.filePath("wiznow.dan"));
    EXPECT_EQ(window->fileName(), dialogs.fileToOpen);
    EXPECT_TRUE(window->action(TWizorForm1::HelpButton)->isEnabled());
    // The help shows in the window's own help viewer, not through the desktop.
    window->showContextHelp(5);
    ASSERT_NE(window->helpWindow(), nullptr);
    EXPECT_EQ(window->helpWindow()->source().fragment(), "ctx5");
    EXPECT_TRUE(window->helpWindow()->source().toLocalFile().endsWith("Help/wizor.html"));
    window->HelpIndexExecute();
    EXPECT_EQ(window->helpWindow()->source().fragment(), "indeks");
    EXPECT_TRUE(dialogs.urls.isEmpty());

    dialogs.desktopAccepts = false;
    window->PTechnicznaClick();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(dialogs.errors[0], "Błąd...|System WINDOWS zgłosił bląd....");
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

TEST_F(WizorWindow, LiveViewFollowsAGrowingFile)
{
    const QString path = write("live.txt", dataText(10, 15));
    startWith(path);
    write("live.txt", dataText(5, 15, 0.0, 10), true);
    window->ToolButton14Click();
    EXPECT_TRUE(window->liveViewOn());
    EXPECT_TRUE(window->action(TWizorForm1::LiveView)->isChecked());
    EXPECT_EQ(points(window->upperChart(), 0), 15);
    EXPECT_FALSE(window->twoCharts());

    write("live.txt", dataText(2, 17, 0.0, 15), true);
    window->Timer1Timer();
    EXPECT_EQ(points(window->upperChart(), 0), 17);
    EXPECT_TRUE(window->twoCharts());
    EXPECT_EQ(window->lowerChart()->activeCurveCount(), 1);

    // A deleted file leaves the charts as they are; the fit still runs.
    QFile::remove(path);
    window->ToolButton21Click();
    window->upperChart()->setValueRange({-1, 1});
    window->Timer1Timer();
    EXPECT_EQ(points(window->upperChart(), 0), 17);
    EXPECT_NE(window->upperChart()->valueRange(), (Range{-1.0, 1.0}));

    window->ToolButton14Click();
    EXPECT_FALSE(window->liveViewOn());
    EXPECT_FALSE(window->action(TWizorForm1::LiveView)->isChecked());
}

// Page keys step through pages of 32000 lines and stop at either end; a reload stays on
// the page shown.
TEST_F(WizorWindow, PageKeysStepThroughThePagesAndAReloadStaysOnThePage)
{
    const QString path = write("pages.txt", dataText(70000, 2));
    startWith(path);
    WizorChart* chart = window->upperChart();
    EXPECT_EQ(window->panelText(3), "pages.txt [1/3]");
    EXPECT_FALSE(window->action(TWizorForm1::PreviousPage)->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_PageUp);
    EXPECT_EQ(window->page(), 0u);
    EXPECT_EQ(window->action(TWizorForm1::NextPage)->shortcut(), QKeySequence(Qt::Key_PageDown));
    window->action(TWizorForm1::NextPage)->trigger();
    EXPECT_EQ(window->panelText(3), "pages.txt [2/3]");
    // Line 32000 of the file: value 32000 + column / 100 in column 1.
    EXPECT_DOUBLE_EQ(chart->curve(1)->data()->at(0)->value, double(32000.01f));
    window->action(TWizorForm1::LastPage)->trigger();
    EXPECT_EQ(window->panelText(3), "pages.txt [3/3]");
    EXPECT_EQ(points(chart, 0), 70000 - 64000);
    EXPECT_FALSE(window->action(TWizorForm1::NextPage)->isEnabled());
    window->NastepnaStronaExecute();
    EXPECT_EQ(window->page(), 2u);

    write("pages.txt", dataText(1000, 2, 0.0, 70000), true);
    window->Timer1Timer();
    EXPECT_EQ(window->page(), 2u);
    EXPECT_EQ(points(chart, 0), 71000 - 64000);
    window->action(TWizorForm1::FirstPage)->trigger();
    EXPECT_EQ(window->panelText(3), "pages.txt [1/3]");
    EXPECT_DOUBLE_EQ(chart->curve(0)->data()->at(0)->value, 0.0);

    // A file that shrank below the page shown comes back on its last page.
    window->OstatniaStronaExecute();
    write("pages.txt", dataText(40000, 2));
    window->Timer1Timer();
    EXPECT_EQ(window->panelText(3), "pages.txt [2/2]");
    EXPECT_EQ(points(chart, 0), 8000);
}

// The overview shows every line as an envelope; zoomed in to a page's worth of lines it
// shows their actual points; a reload keeps it; the page keys leave it.
TEST_F(WizorWindow, WholeFileOverviewAndItsActualPointsWhenZoomedIn)
{
    startWith(write("all.txt", dataText(100000, 18)));
    WizorChart* chart = window->upperChart();
    window->action(TWizorForm1::WholeFile)->trigger();
    EXPECT_TRUE(window->overviewShown());
    EXPECT_TRUE(window->action(TWizorForm1::WholeFile)->isChecked());
    EXPECT_EQ(window->action(TWizorForm1::WholeFile)->shortcut(), QKeySequence("Ctrl+0"));
    EXPECT_EQ(window->panelText(3), "all.txt");
    EXPECT_FALSE(window->showsDetail(chart));
    EXPECT_EQ(chart->keyRange(), (Range{0.0, 99999.0}));
    EXPECT_EQ(window->lowerChart()->activeCurveCount(), 2);
    // Runs of 32 lines: the first sweeps from line 0's value to line 31's.
    EXPECT_EQ(chart->curve(0)->data()->at(0)->value, 0.0);
    EXPECT_EQ(chart->curve(0)->data()->at(1)->value, 31.0);
    EXPECT_EQ(chart->curve(0)->dataCount(), 2 * 3125);

    window->ZoomInExecute();
    chart->finishZoomAnimation();
    window->ZoomInExecute();
    chart->finishZoomAnimation();
    for (int i = 0; i < 100 && !window->showsDetail(chart); ++i) QCoreApplication::processEvents();
    ASSERT_TRUE(window->showsDetail(chart));
    const Range visible = chart->keyRange();
    EXPECT_LE(visible.size(), 32000.0);
    // Each point stands at its line number and holds that line's value.
    const auto point = chart->curve(2)->data()->findBegin(visible.lower);
    EXPECT_DOUBLE_EQ(point->value, double(float(point->key + 0.02)));

    window->Timer1Timer();
    EXPECT_TRUE(window->overviewShown());
    EXPECT_TRUE(window->showsDetail(chart));
    EXPECT_EQ(chart->keyRange(), visible);

    window->ZoomOutExecute();
    for (int i = 0; i < 100 && window->showsDetail(chart); ++i) QCoreApplication::processEvents();
    EXPECT_FALSE(window->showsDetail(chart));

    window->action(TWizorForm1::LastPage)->trigger();
    EXPECT_FALSE(window->overviewShown());
    EXPECT_EQ(window->panelText(3), "all.txt [4/4]");
    EXPECT_EQ(points(chart, 0), 100000 - 96000);
    EXPECT_EQ(chart->keyRange(), (Range{0.0, 3999.0}));
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
    window->FilePrintExecute();
    EXPECT_TRUE(window->panelText(0).startsWith("Wprowadź"));

    dialogs.pdfFile = dir.filePath("one.pdf");
    window->FilePrintExecute();
    EXPECT_EQ(pdfPages(dialogs.pdfFile), 1);
    EXPECT_EQ(window->panelText(0), "Koniec wydruku");

    write("p.txt", dataText(20, 20));
    window->New2chart1Execute();
    dialogs.pdfFile = dir.filePath("two.pdf");
    window->FilePrintExecute();
    EXPECT_EQ(pdfPages(dialogs.pdfFile), 2);
    EXPECT_EQ(window->panelText(0), "Koniec wydruku");
}

TEST_F(WizorWindow, SavesOnlyTheUpperChartAsABitmapOnWhite)
{
    startWith(write("s.txt", dataText(20, 20)));
    window->ZapiszJakoExecute();
    EXPECT_TRUE(QDir(dir.path()).entryList({"*.bmp"}).isEmpty());

    dialogs.bitmapToSave = dir.filePath("wykres");
    window->ZapiszJakoExecute();
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
    window->EditCopy1Execute();
    const QImage image = QApplication::clipboard()->image();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), window->width());
    EXPECT_EQ(image.height(), window->height() - window->menuBar()->height());
    EXPECT_GT(image.height(), withBars);
    EXPECT_TRUE(window->toolBar()->isVisible());
    EXPECT_TRUE(window->statusBar()->isVisible());
    EXPECT_EQ(window->centralWidget()->height(), withBars);
}

TEST_F(WizorWindow, ViewTogglesApplyToBothChartsAndColourToTheUpperOnly)
{
    startWith(write("v.txt", dataText(20, 18)));
    EXPECT_TRUE(window->action(TWizorForm1::Legend)->isChecked());
    window->Widok3dExecute();
    EXPECT_TRUE(window->upperChart()->view3D());
    EXPECT_TRUE(window->lowerChart()->view3D());
    EXPECT_TRUE(window->action(TWizorForm1::View3D)->isChecked());
    EXPECT_GT(window->upperChart()->xAxis->offset(), 0);
    window->upperChart()->replot();
    window->Widok3dExecute();
    EXPECT_FALSE(window->lowerChart()->view3D());
    EXPECT_EQ(window->upperChart()->xAxis->offset(), 0);

    const int plotWidth = window->upperChart()->axisRect()->width();
    window->DodajLegExecute();
    window->upperChart()->replot();
    EXPECT_FALSE(window->lowerChart()->legendShown());
    EXPECT_FALSE(window->action(TWizorForm1::Legend)->isChecked());
    EXPECT_GT(window->upperChart()->axisRect()->width(), plotWidth);
    window->DodajLegExecute();
    EXPECT_TRUE(window->upperChart()->legendShown());

    dialogs.colour = QColor(10, 20, 30);
    window->KolorTlaExecute();
    EXPECT_EQ(window->upperChart()->backWallColour(), QColor(10, 20, 30));
    EXPECT_EQ(window->lowerChart()->backWallColour(), QColor(Qt::white));
}

TEST_F(WizorWindow, StatusBarDoubleClickShowsTheFullPath)
{
    const QString path = write("t.txt", dataText(2, 2));
    startWith(path);
    EXPECT_TRUE(window->statusBar()->toolTip().isEmpty());
    QTest::mouseDClick(window->statusBar(), Qt::LeftButton);
    EXPECT_EQ(window->statusBar()->toolTip(), path);
}

TEST(AboutBox, ShowsTheProgramAndReportsARefusedWebPage)
{
    AnsweringDialogs dialogs;
    dialogs.desktopAccepts = false;
    TForm4 about(dialogs);
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

// The window tests need one application object for the whole run.
class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_presenter_ui";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) app_ = new QApplication(argc, argv);
    }

private:
    QApplication* app_ = nullptr;
};

const auto* const kApplication = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);
