#pragma once
// A shown chart window over a temporary directory, its dialogs answered by the test's
// `Dialogs`; the answering dialogs and the data files the window tests use.

#include "chart_window.h"
#include "wizor_chart.h"
#include "wizor_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QPrinter>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cmath>
#include <memory>
#include <optional>

namespace wizor {

template <typename Dialogs>
class WizorFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        window = std::make_unique<ChartWindow>(dialogs);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QString write(const QString& name, const QByteArray& text, bool append = false)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(append ? QIODevice::Append : QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    }

    // The program sits in bin/ below the start-up directory, so bin/../Help is that
    // directory's Help too.
    void startWith(const QString& path) { window->start(path, dir.path(), dir.filePath("bin")); }

    QTemporaryDir dir;
    Dialogs dialogs;
    std::unique_ptr<ChartWindow> window;
};

class AnsweringDialogs : public WizorDialogs {
public:
    QString fileToOpen;    // empty: the open dialog is cancelled
    QString bitmapToSave;  // empty: the save dialog is cancelled
    QString exportTo;      // empty: the export dialog is cancelled
    QString pdfFile;       // empty: the printer dialog is cancelled
    std::optional<QColor> colour;
    int openDialogs = 0;
    QString openFolder;
    QStringList errors;
    QStringList notes;  // information messages, "title|text"
    QList<QUrl> urls;
    bool desktopAccepts = true;

    QString openDataFile(QWidget*, const QString& folder) override
    {
        ++openDialogs;
        openFolder = folder;
        return fileToOpen;
    }
    QString saveBitmapFile(QWidget*, const QString&) override { return bitmapToSave; }
    QString exportFile(QWidget*, const QString&) override { return exportTo; }
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
    void showInformation(QWidget*, const QString& text, const QString& title) override { notes << title + "|" + text; }
    bool openUrl(const QUrl& url) override
    {
        urls << url;
        return desktopAccepts;
    }
};

// A data file of `lines` time-only lines with `columns` values each, value
// base + row + column / 100, behind a header naming the channels ch1, ch2, ...
inline QByteArray dataText(int lines, int columns, double base = 0.0, int firstLine = 0)
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

// Lines "hh:mm:ss.000 v1 v2 ..." of a slow sine per column, behind a header naming the
// channels kanal1, kanal2, ...
inline QByteArray sineFile(int lines, int columns)
{
    QByteArray text = "Czas";
    for (int c = 1; c <= columns; ++c) text += " kanal" + QByteArray::number(c);
    text += "\r\n";
    for (int i = 0; i < lines; ++i) {
        text += QString::asprintf("%02d:%02d:%02d.000", 10 + i / 3600, i / 60 % 60, i % 60).toLatin1();
        for (int c = 0; c < columns; ++c)
            text += ' ' + QByteArray::number(100.0 * std::sin(i / 40.0 + c) + 20.0 * c, 'f', 2);
        text += "\r\n";
    }
    return text;
}

// Saves `picture` as `name` in the folder VORDA_SCREENSHOTS names, if any: the README's
// pictures are made this way.
inline void saveScreenshot(const QImage& picture, const char* name)
{
    const QString folder = qEnvironmentVariable("VORDA_SCREENSHOTS");
    if (!folder.isEmpty()) EXPECT_TRUE(picture.save(QDir(folder).filePath(QString::fromLatin1(name)))) << name;
}

class WizorWindow : public WizorFixture<AnsweringDialogs> {
protected:
    int points(WizorChart* chart, int curve) const { return chart->curve(curve)->dataCount(); }

    // The mouse moved over `chart` to `at` with no button held.
    static void hover(WizorChart* chart, QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(chart, &move);
    }

    QPoint pixelOf(WizorChart* chart, int curve, int point) const
    {
        const auto data = chart->curve(curve)->data()->at(point);
        return QPoint(int(chart->xAxis->coordToPixel(data->key)), int(chart->yAxis->coordToPixel(data->value)));
    }
};

}  // namespace wizor
