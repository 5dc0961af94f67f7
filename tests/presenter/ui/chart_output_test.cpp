// What the presenter puts out beyond the screen: the printed page compared with the chart
// on screen, the help window, and the window's place remembered between runs.

#include "chart_math.h"
#include "chart_window.h"
#include "help_window.h"
#include "screen_fit.h"
#include "wizor_chart.h"
#include "wizor_dialogs.h"
#include "wizor_fixture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace wizor {
namespace {

class PrintingDialogs : public WizorDialogs {
public:
    QString pdfFile;
    QRect paintRect;  // the printable area of the page, in printer dots
    int resolution = 0;
    QStringList errors;

    QString openDataFile(QWidget*, const QString&) override { return {}; }
    QString saveBitmapFile(QWidget*, const QString&) override { return {}; }
    std::optional<QColor> chooseColour(QWidget*, const QColor&) override { return std::nullopt; }
    bool setUpPrinter(QWidget*, QPrinter& printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
        resolution = printer.resolution();
        paintRect = printer.pageLayout().paintRectPixels(resolution);
        return true;
    }
    void showAbout(QWidget*) override {}
    void showError(QWidget*, const QString& text, const QString& title) override { errors << title + "|" + text; }
    bool openUrl(const QUrl&) override { return true; }
};

// Whether `area` holds text: dark and grey pixels (curves and legend icons are coloured).
bool inked(const QImage& image, const QRect& area)
{
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int spread = std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)});
            if (qGray(p) < 120 && spread < 60) return true;
        }
    }
    return false;
}

struct Agreement {
    int inkedOnScreen = 0;
    int alsoInkedInPrint = 0;
    int blankOnScreen = 0;
    int inkedInPrintOnly = 0;
};

// Compares cells of `area` (chart pixels) between the screen picture and the printed
// chart scaled back to the screen size; a print cell may be off by a few pixels.
Agreement compareCells(const QImage& screen, const QImage& print, const QRect& area)
{
    constexpr int kCell = 8;
    constexpr int kSlack = 3;
    Agreement a;
    for (int y = area.top(); y + kCell <= area.bottom() + 1; y += kCell) {
        for (int x = area.left(); x + kCell <= area.right() + 1; x += kCell) {
            const QRect cell(x, y, kCell, kCell);
            const bool printed = inked(print, cell.adjusted(-kSlack, -kSlack, kSlack, kSlack));
            if (inked(screen, cell)) {
                ++a.inkedOnScreen;
                a.alsoInkedInPrint += printed ? 1 : 0;
            } else if (!inked(screen, cell.adjusted(-kSlack, -kSlack, kSlack, kSlack))) {
                ++a.blankOnScreen;
                a.inkedInPrintOnly += inked(print, cell) ? 1 : 0;
            }
        }
    }
    return a;
}

class WizorOutput : public WizorFixture<PrintingDialogs> {
protected:
    // Page `page` (from 1) of the printed PDF as a picture, `dpi` dots per inch.
    QImage renderPage(int page, int dpi)
    {
        const QString base = dir.filePath(QStringLiteral("page%1").arg(page));
        QProcess pdftoppm;
        pdftoppm.start(pdftoppmPath, {"-png", "-singlefile", "-r", QString::number(dpi), "-f", QString::number(page),
                                      "-l", QString::number(page), dialogs.pdfFile, base});
        if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0) return {};
        return QImage(base + ".png");
    }

    // The chart's picture on page `page` matches its screen picture where the axis labels and
    // the legend stand: labels on screen are printed at the same place, and nothing is
    // printed where the screen shows no text.
    void expectPrintedLikeOnScreen(WizorChart* chart, int page, const char* screenshot = nullptr)
    {
        const PrintingDialogs& d = dialogs;
        const QRect target = reportPrintRect(QRect(QPoint(0, 0), d.paintRect.size()), chart->size());
        // A resolution at which the printed chart is about 1.5 times its screen size.
        const double pointsWide = target.width() * 72.0 / d.resolution;
        const int dpi = int(std::ceil(72.0 * 1.5 * chart->width() / pointsWide));
        const QImage pageImage = renderPage(page, dpi);
        ASSERT_FALSE(pageImage.isNull()) << "pdftoppm could not render page " << page;
        if (screenshot) saveScreenshot(pageImage, screenshot);
        const double k = double(dpi) / d.resolution;
        const QRectF onPage((d.paintRect.left() + target.left()) * k, (d.paintRect.top() + target.top()) * k,
                            target.width() * k, target.height() * k);
        const QImage print =
            pageImage.copy(onPage.toRect()).scaled(chart->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage screen = chart->renderOnWhite();

        // Nothing of the chart spills beyond its place on the page.
        const QRect beside(int(onPage.right()) + 4, int(onPage.top()), pageImage.width() - int(onPage.right()) - 4,
                           int(onPage.height()));
        EXPECT_FALSE(inked(pageImage, beside)) << "ink right of the printed chart on page " << page;
        const QRect below(0, int(onPage.bottom()) + 4, pageImage.width(),
                          pageImage.height() - int(onPage.bottom()) - 4);
        EXPECT_FALSE(inked(pageImage, below)) << "ink below the printed chart on page " << page;
        // The title line stands above the chart.
        const QRect title(int(onPage.left()), 0, int(onPage.width()), int(onPage.top()) - 2);
        EXPECT_TRUE(inked(pageImage, title)) << "no title above the printed chart on page " << page;

        const QRect plot = chart->axisRect()->rect();
        const struct {
            const char* name;
            QRect area;
        } areas[] = {
            {"value labels", QRect(QPoint(plot.right() + 8, plot.top()), QPoint(chart->width() - 1, plot.bottom()))},
            {"time labels", QRect(QPoint(plot.left(), plot.bottom() + 4), QPoint(plot.right(), chart->height() - 1))},
            {"legend", QRect(QPoint(0, plot.top()), QPoint(plot.left() - 8, plot.bottom()))},
        };
        for (const auto& [name, area] : areas) {
            const Agreement a = compareCells(screen, print, area);
            ASSERT_GT(a.inkedOnScreen, 4) << name << ": the screen picture shows no text there";
            EXPECT_GE(a.alsoInkedInPrint, a.inkedOnScreen * 85 / 100) << name << " missing on page " << page;
            EXPECT_LE(a.inkedInPrintOnly, a.blankOnScreen / 10) << name << " out of place on page " << page;
        }
    }

    QString pdftoppmPath = QStandardPaths::findExecutable("pdftoppm");
};

TEST_F(WizorOutput, PrintedChartsLookLikeTheChartsOnScreen)
{
    if (pdftoppmPath.isEmpty()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    startWith(write("druk.txt", sineFile(600, 20)));
    ASSERT_TRUE(window->twoCharts());
    dialogs.pdfFile = dir.filePath("dwa.pdf");
    window->print();
    EXPECT_EQ(window->panelText(0), "Koniec wydruku");
    expectPrintedLikeOnScreen(window->upperChart(), 1, "wizor-printed-page.png");
    expectPrintedLikeOnScreen(window->lowerChart(), 2);

    // The whole-file overview prints as it is shown.
    window->action(ChartWindow::WholeFile)->trigger();
    ASSERT_TRUE(window->overviewShown());
    dialogs.pdfFile = dir.filePath("calosc.pdf");
    window->print();
    expectPrintedLikeOnScreen(window->upperChart(), 1);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

// With both cursors placed, the printed page carries the cursors' table of the chart's shown
// channels under the chart, as the panel has it; with fewer cursors it carries none.
TEST_F(WizorOutput, PrintedPageCarriesTheCursorsTable)
{
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty() || pdftoppmPath.isEmpty()) GTEST_SKIP() << "poppler-utils is not installed";
    window->resize(900, 620);
    startWith(write("kursory.txt", sineFile(600, 4)));
    window->toggleChannel(2);
    const auto printedText = [&](const QString& name) {
        dialogs.pdfFile = dir.filePath(name + ".pdf");
        window->print();
        const QString textFile = dir.filePath(name + ".txt");
        if (QProcess::execute(pdftotext, {"-layout", dialogs.pdfFile, textFile}) != 0) return QString();
        QFile file(textFile);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    const QString header = QString::fromUtf8("Kanał");
    window->action(ChartWindow::Cursors)->trigger();
    EXPECT_FALSE(printedText("bez").contains(header));
    window->placeCursor(120);
    EXPECT_FALSE(printedText("jeden").contains(header));
    window->placeCursor(420);
    const QString text = printedText("dwa");

    const QStringList rows = window->cursorPanelText(window->upperChart()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 5);  // the header, three shown channels, the time between
    // Each row on a line of its own, in order, below the chart's last time label.
    qsizetype previous = text.lastIndexOf(QRegularExpression("\\d\\d:\\d\\d:\\d\\d"));
    ASSERT_GT(previous, 0);
    for (const QString& row : rows) {
        QStringList cells = row.split('\t');
        for (QString& cell : cells) cell = QRegularExpression::escape(cell);
        const QRegularExpressionMatch match = QRegularExpression("^\\s*" + cells.join("\\s+") + "\\s*$",
                                                                 QRegularExpression::MultilineOption)
                                                  .match(text);
        ASSERT_TRUE(match.hasMatch()) << row.toStdString() << " not printed in:\n" << text.toStdString();
        EXPECT_GT(match.capturedStart(), previous) << row.toStdString();
        previous = match.capturedStart();
    }
    // The hidden channel has no row (its greyed legend entry is no row of numbers).
    EXPECT_FALSE(text.contains(QRegularExpression("kanal3(\\s+-?[0-9.e+-]+){7}")));
    if (qEnvironmentVariableIsSet("VORDA_SCREENSHOTS"))
        saveScreenshot(renderPage(1, 1200 * dialogs.resolution / dialogs.paintRect.width()), "wizor-printed-cursors.png");
}

TEST(HelpWindow, OpensThePageAtTheAnchorWithBackAndForward)
{
    const QString page = QStringLiteral(VORDA_SOURCE_DIR "/recorder/ui/help/instVor3.html");
    widgets::HelpWindow help;
    EXPECT_FALSE(help.showPage(QStringLiteral(VORDA_SOURCE_DIR "/brak/instVor3.html"), "#czyt"));
    EXPECT_FALSE(help.isVisible());

    ASSERT_TRUE(help.showPage(page, "#PomiCzyt"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    QTextBrowser* browser = help.browser();
    EXPECT_EQ(help.source().fragment(), "PomiCzyt");
    // The anchor's heading stands at the top of the view.
    const auto topLine = [browser] { return browser->cursorForPosition(QPoint(10, 10)).block().text(); };
    EXPECT_TRUE(topLine().startsWith("8. Pomiary")) << topLine().toStdString();
    const int atMeasurements = browser->verticalScrollBar()->value();
    EXPECT_GT(atMeasurements, 0);

    ASSERT_TRUE(help.showPage(page, "czyt"));
    EXPECT_TRUE(topLine().startsWith("2. Czytanie")) << topLine().toStdString();
    EXPECT_TRUE(help.backAction()->isEnabled());
    help.backAction()->trigger();
    EXPECT_EQ(help.source().fragment(), "PomiCzyt");
    EXPECT_EQ(browser->verticalScrollBar()->value(), atMeasurements);
    EXPECT_TRUE(help.forwardAction()->isEnabled());
    help.forwardAction()->trigger();
    EXPECT_EQ(help.source().fragment(), "czyt");
    // Shown while a modal dialog runs, the help belongs to that dialog, which would
    // otherwise block it; afterwards it is on its own again.
    QDialog dialog;
    QWidget* owner = nullptr;
    QTimer::singleShot(0, &dialog, [&] {
        help.showPage(page, "konf");
        owner = help.parentWidget();
        dialog.reject();
    });
    dialog.exec();
    EXPECT_EQ(owner, &dialog);
    // Without an anchor: the top of the page.
    ASSERT_TRUE(help.showPage(page));
    EXPECT_EQ(browser->verticalScrollBar()->value(), 0);
    if (const QString shots = qEnvironmentVariable("VORDA_SCREENSHOTS"); !shots.isEmpty()) {
        ASSERT_TRUE(help.showPage(page, "#PomiCzyt"));
        help.grab().save(QDir(shots).filePath("vorda-help-window.png"));
    }
}

TEST(WindowPlace, TheWindowComesBackWhereItWasAndWithinTheScreen)
{
    QSettings(QStringLiteral("OLUN"), QStringLiteral("Wizor")).clear();
    PrintingDialogs dialogs;
    {
        ChartWindow first(dialogs);
        first.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&first));
        first.setGeometry(60, 50, 640, 420);
        first.close();
    }
    ChartWindow second(dialogs);
    EXPECT_EQ(second.geometry(), QRect(60, 50, 640, 420));

    // A place partly off the screen (a smaller screen than before) is brought back in.
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    second.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&second));
    second.move(available.right() - 100, available.bottom() - 100);
    second.close();
    ChartWindow third(dialogs);
    EXPECT_TRUE(available.contains(third.geometry())) << third.x() << "," << third.y();
    EXPECT_EQ(third.size(), QSize(640, 420));
    QSettings(QStringLiteral("OLUN"), QStringLiteral("Wizor")).clear();
}

TEST(WindowPlace, WindowsOffTheScreenAreMovedIntoIt)
{
    const QRect screen(0, 0, 1280, 1024);
    EXPECT_EQ(widgets::fitInto(QRect(100, 100, 534, 407), screen), QRect(100, 100, 534, 407));
    EXPECT_EQ(widgets::fitInto(QRect(400, 800, 534, 407), screen), QRect(400, 617, 534, 407));
    EXPECT_EQ(widgets::fitInto(QRect(-50, -20, 300, 200), screen), QRect(0, 0, 300, 200));
    EXPECT_EQ(widgets::fitInto(QRect(10, 10, 1400, 1100), screen), QRect(0, 0, 1280, 1024));
    // The presenter's 853 x 617 window saved at y = 167 and restored on a 1024 x 768 screen
    // with a panel: its status bar stays on the screen.
    EXPECT_EQ(widgets::fitInto(QRect(85, 167, 853, 617), QRect(0, 0, 1024, 740)), QRect(85, 123, 853, 617));

    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget dialog(nullptr, Qt::Dialog);
    dialog.resize(300, 200);
    dialog.move(available.right() - 50, available.bottom() - 20);
    widgets::keepOnScreen(&dialog);
    EXPECT_TRUE(available.contains(dialog.geometry())) << dialog.x() << "," << dialog.y();
    EXPECT_EQ(dialog.size(), QSize(300, 200));
}

// The window tests keep their remembered places in a folder of their own.
class ConfigurationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path()); }

private:
    QTemporaryDir dir_;
};

const auto* const kConfiguration = ::testing::AddGlobalTestEnvironment(new ConfigurationEnvironment);

}  // namespace
}  // namespace wizor
