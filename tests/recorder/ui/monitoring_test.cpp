// Live monitoring through the main window's check boxes against recorder-sim: the
// enabling states, the polls and their lines, the failure, the save and the monitoring
// window. The poll timer's ticks are driven by the tests.

#include "window_fixture.h"

#include "screenshots.h"

#include "support/recorder_sim.h"
#include "ui/live_monitoring.h"
#include "ui/monitoring_window.h"

#include <qcustomplot.h>

#include <QAction>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vorda::test {
namespace {

class Monitoring : public WindowFixture {
protected:
    MainWindow& createMonitoredWindow()
    {
        MainWindow& w = createWindow();
        settings_.channelsUsed = 2;
        for (int c = 1; c <= 2; ++c) {
            settings_.channels[c].slopeSB = 1.0;
            settings_.channels[c].offsetSC = 0.0;
        }
        settings_.channels[1].numberFormat = 1;
        settings_.channels[2].numberFormat = 0;
        setFieldText(settings_.channels[1].name, "Temperatura");
        setFieldText(settings_.channels[2].name, "");
        windows_->monitoring().setClock([] { return QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)); });
        return w;
    }

    static bool guardedEnabled(MainWindow& w)
    {
        bool any = false;
        for (QWidget* b :
             {static_cast<QWidget*>(button(w, "readMemoryButton")),
              static_cast<QWidget*>(button(w, "measurementsButton")), static_cast<QWidget*>(button(w, "wipeButton")),
              static_cast<QWidget*>(button(w, "settingsButton")),
              static_cast<QWidget*>(button(w, "calibrationButton"))})
            any = any || b->isEnabled();
        for (QAction* item : guardedItems(w)) any = any || item->isEnabled();
        return any;
    }
};

TEST_F(Monitoring, CheckBoxesSwitchTheViewAndTheTimer)
{
    MainWindow& w = createMonitoredWindow();
    LiveMonitoring& m = windows_->monitoring();
    w.show();
    EXPECT_FALSE(child<QPlainTextEdit>(w, "monitoringMemo")->isVisible());
    EXPECT_TRUE(guardedEnabled(w));

    // Preview alone shows the old lines and guards the buttons without polling.
    checkBox(w, "previewBox")->click();
    EXPECT_TRUE(child<QPlainTextEdit>(w, "monitoringMemo")->isVisible());
    EXPECT_FALSE(guardedEnabled(w));
    EXPECT_TRUE(child<QAction>(w, "saveMonitoringAction")->isVisible());
    EXPECT_FALSE(m.timer().isActive());

    // Monitoring on: the first tick after 100 ms.
    checkBox(w, "monitoringBox")->click();
    EXPECT_TRUE(m.timer().isActive());
    EXPECT_EQ(m.timer().interval(), 100);

    // Preview off while monitoring: nothing changes; monitoring off: all back.
    checkBox(w, "previewBox")->click();
    EXPECT_TRUE(child<QPlainTextEdit>(w, "monitoringMemo")->isVisible());
    EXPECT_TRUE(m.timer().isActive());
    checkBox(w, "monitoringBox")->click();
    EXPECT_FALSE(m.timer().isActive());
    EXPECT_FALSE(child<QPlainTextEdit>(w, "monitoringMemo")->isVisible());
    EXPECT_TRUE(guardedEnabled(w));
    EXPECT_FALSE(child<QAction>(w, "saveMonitoringAction")->isVisible());
}

TEST_F(Monitoring, PollsAddLinesUntilTheRecorderFallsSilent)
{
    ASSERT_TRUE(startSimulator({QStringLiteral("--dat"), QStringLiteral("21500,7")}))
        << sim_->errorText().toStdString();
    MainWindow& w = createMonitoredWindow();
    LiveMonitoring& m = windows_->monitoring();
    w.show();

    checkBox(w, "monitoringBox")->click();
    EXPECT_EQ(sim_->waitForCommands(1).value(0), QByteArray(" ?R_0 &"));
    m.poll();
    EXPECT_EQ(m.timer().interval(), 3000);
    EXPECT_EQ(sim_->waitForCommands(2).size(), 2);  // one reading
    m.poll();
    EXPECT_EQ(sim_->waitForCommands(7).size(), 7);  // five more
    const QString line = QStringLiteral("26-03-04 05:06:07\t 21.5\t    0\t");
    EXPECT_EQ(child<QPlainTextEdit>(w, "monitoringMemo")->toPlainText(), line + QLatin1Char('\n') + line);

    // The monitoring window, opened now, charts the polls so far and then each new one.
    settings_.monitorWidth = 520;
    settings_.monitorHeight = 330;
    settings_.monitorLeft = 40;
    settings_.monitorTop = 50;
    emit w.monitoringWindowRequested();
    MonitoringWindow* chartWindow = windows_->monitoringWindow();
    ASSERT_NE(chartWindow, nullptr);
    EXPECT_EQ(chartWindow->size(), QSize(520, 330));
    // Above the main window, not above every program.
    EXPECT_EQ(chartWindow->windowType(), Qt::Tool);
    EXPECT_FALSE(chartWindow->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(chartWindow->parentWidget(), &w);
    EXPECT_FALSE(button(w, "exitButton")->isEnabled());
    ASSERT_EQ(chartWindow->chart()->graphCount(), 2);
    EXPECT_EQ(chartWindow->chart()->graph(0)->name(), QStringLiteral("Temperatura"));
    EXPECT_EQ(chartWindow->chart()->graph(1)->name(), QStringLiteral("k2"));
    EXPECT_EQ(chartWindow->chart()->graph(0)->dataCount(), 2);
    EXPECT_EQ(chartWindow->valuesText(), QStringLiteral("Temperatura: 21.5\nk2: 0"));
    // Both curves lie inside the value axis, the one at 0 not on its edge.
    const QCPRange values = chartWindow->chart()->yAxis->range();
    EXPECT_LT(values.lower, 0.0);
    EXPECT_GT(values.upper, 21.5);

    // Silence: monitoring is switched off, then the message; the lines stay.
    ASSERT_TRUE(sim_->stop());
    m.poll();
    EXPECT_FALSE(checkBox(w, "monitoringBox")->isChecked());
    EXPECT_FALSE(m.timer().isActive());
    EXPECT_FALSE(child<QPlainTextEdit>(w, "monitoringMemo")->isVisible());
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].text,
              QStringLiteral("Brak komunikacji z systemem,\n\rSprawdź połączenia?,\n\rSprawdź zasilanie?"));
    EXPECT_EQ(dialogs_.messages[0].caption, QStringLiteral("Błąd..."));
    EXPECT_EQ(m.log().size(), 2u);
    EXPECT_EQ(chartWindow->chart()->graph(0)->dataCount(), 2);

    // Closing stores the geometry back and frees "&Koniec".
    chartWindow->resize(600, 350);
    chartWindow->close();
    EXPECT_EQ(settings_.monitorWidth, 600);
    EXPECT_EQ(settings_.monitorHeight, 350);
    EXPECT_TRUE(button(w, "exitButton")->isEnabled());
}

TEST_F(Monitoring, SaveWritesCrLfLinesIntoTheChosenFile)
{
    ASSERT_TRUE(startSimulator({QStringLiteral("--dat"), QStringLiteral("21500,7")}))
        << sim_->errorText().toStdString();
    MainWindow& w = createMonitoredWindow();
    LiveMonitoring& m = windows_->monitoring();
    checkBox(w, "monitoringBox")->click();
    m.poll();
    ASSERT_EQ(m.log().size(), 1u);

    // Cancel writes nothing.
    emit w.saveMonitoringRequested();
    EXPECT_EQ(dialogs_.saveDialogFilter, QStringLiteral("Pliki tekstowe *.txt (*.txt);;Pliki pomiarów *.dan (*.dan)"));
    const QString path = startPath(QStringLiteral("monitoring.txt"));
    EXPECT_FALSE(QFile::exists(path));

    dialogs_.fileToSave = path;
    emit w.saveMonitoringRequested();
    // The first line names the channels for the presenter; an unnamed one as "k<c>".
    EXPECT_EQ(readFile(path), QByteArray("Czas\tTemperatura\tk2\t\r\n26-03-04 05:06:07\t 21.5\t    0\t\r\n"));

    EXPECT_TRUE(w.fileBrowser().entries().contains(QStringLiteral("monitoring.txt")));

    // An unwritable target: the platform's reason, the lines stay.
    dialogs_.fileToSave = startPath(QStringLiteral("missing/monitoring.txt"));
    emit w.saveMonitoringRequested();
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(m.log().size(), 1u);
}

// With VORDA_SCREENSHOTS set: a minute of monitoring four named channels of a drifting
// recorder, for the documentation's pictures.
TEST_F(Monitoring, PicturesOfAMinuteOfMonitoring)
{
    if (qEnvironmentVariableIsEmpty("VORDA_SCREENSHOTS"))
        GTEST_SKIP() << "makes the documentation's pictures; set VORDA_SCREENSHOTS to a folder to run it";
    ASSERT_TRUE(startSimulator({})) << sim_->errorText().toStdString();
    MainWindow& w = createWindow();
    settings_.channelsUsed = 4;
    const char* names[] = {"Temp1", "Temp2", "Cisnienie", "Przeplyw"};
    const double slopes[] = {1.5259, 1.5259, 0.1526, 0.7630};
    const double offsets[] = {-20, -20, 0, 0};
    const int formats[] = {2, 2, 3, 1};
    for (int c = 1; c <= 4; ++c) {
        setFieldText(settings_.channels[c].name, names[c - 1]);
        settings_.channels[c].slopeSB = slopes[c - 1];
        settings_.channels[c].offsetSC = offsets[c - 1];
        settings_.channels[c].numberFormat = formats[c - 1];
    }
    LiveMonitoring& m = windows_->monitoring();
    QDateTime clock(QDate(2026, 3, 4), QTime(10, 15, 0));
    m.setClock([&clock] { return clock; });
    w.resize(660, 420);
    w.show();
    checkBox(w, "monitoringBox")->click();
    for (int poll = 0; poll < 20; ++poll) {
        m.poll();
        clock = clock.addSecs(3);
    }
    ASSERT_EQ(m.log().size(), 20u);
    saveScreenshot(w, "vorda-monitoring.png");
    settings_.monitorWidth = 760;
    settings_.monitorHeight = 420;
    emit w.monitoringWindowRequested();
    ASSERT_NE(windows_->monitoringWindow(), nullptr);
    saveScreenshot(*windows_->monitoringWindow(), "vorda-monitoring-window.png");
}

}  // namespace
}  // namespace vorda::test
