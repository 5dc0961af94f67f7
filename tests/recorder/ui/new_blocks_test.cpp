// Reading only the blocks not yet on disk, from the measurements window and the System
// menu, against recorder-sim.

#include "window_fixture.h"

#include "screenshots.h"
#include "support/recorder_sim.h"
#include "ui/measurements_window.h"
#include "ui/progress_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QMenuBar>
#include <QStandardPaths>

namespace vorda::test {
namespace {

class NewBlocks : public WindowFixture {
protected:
    // The block downloads asked for since the first `from` commands.
    QList<QByteArray> downloadsFrom(qsizetype from) const
    {
        QList<QByteArray> downloads;
        for (const QByteArray& command : sim_->commands().mid(from))
            if (command.startsWith(" ?MEM ")) downloads << command;
        return downloads;
    }

    // The screen once every window shown has painted its present state.
    static void pictureScreen(const char* name)
    {
        if (qEnvironmentVariableIsEmpty("VORDA_SCREENSHOTS")) return;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible()) window->repaint();
        QApplication::processEvents();
        saveScreen(name);
    }
};

TEST_F(NewBlocks, ReadsOnlyTheBlocksNotOnDiskAndMarksThem)
{
    // The box below is remembered in the user's configuration: a test one.
    QStandardPaths::setTestModeEnabled(true);
    ASSERT_TRUE(startSimulator({QStringLiteral("--blocks"), QStringLiteral("4"), QStringLiteral("--samples"),
                                QStringLiteral("20"), QStringLiteral("--channels"), QStringLiteral("2")}))
        << sim_->errorText().toStdString();
    MainWindow& w = createWindow();
    w.move(360, 120);
    w.show();
    MeasurementsWindow& m = windows_->measurementsWindow();
    m.present();
    m.listButton()->click();
    ASSERT_EQ(m.blockItems().size(), 5);
    EXPECT_TRUE(m.homeBlocks().isEmpty());
    EXPECT_TRUE(m.blockItems()[3].endsWith(QStringLiteral("[nowy]"))) << m.blockItems()[3].toStdString();

    // A double click still reads the chosen block; it is marked on disk at once.
    m.selectRows({2});
    m.readChosenBlock();
    EXPECT_EQ(m.homeBlocks(), (QList<std::int32_t>{2}));
    pictureScreen("screenshot-new-blocks-list.png");

    qsizetype logged = sim_->commands().size();
    m.readNewButton()->click();
    EXPECT_EQ(downloadsFrom(logged), (QList<QByteArray>{" ?MEM 1 &", " ?MEM 3 &", " ?MEM 4 &"}));
    EXPECT_EQ(m.homeBlocks(), (QList<std::int32_t>{1, 2, 3, 4}));
    EXPECT_TRUE(m.blockItems()[2].endsWith(QStringLiteral("[na dysku]"))) << m.blockItems()[2].toStdString();
    const QString skippedOne = QStringLiteral("Pominięto 1 blok już zapisany");
    EXPECT_TRUE(windows_->progressDialog().messages().contains(skippedOne));
    EXPECT_TRUE(statusText(w, StatusPanel::Message).contains(skippedOne))
        << statusText(w, StatusPanel::Message).toStdString();
    windows_->progressDialog().setMode(ProgressDialog::Mode::Report);
    windows_->progressDialog().showOver(&w);
    pictureScreen("screenshot-new-blocks-report.png");
    windows_->progressDialog().hide();

    // Everything is home: the menu item reads the registers and downloads nothing.
    QAction* item = nullptr;
    for (QAction* action : w.menuBar()->findChildren<QAction*>())
        if (action->text() == QStringLiteral("Czytanie nowych bloków")) item = action;
    ASSERT_NE(item, nullptr);
    logged = sim_->commands().size();
    item->trigger();
    EXPECT_TRUE(downloadsFrom(logged).isEmpty());
    EXPECT_TRUE(sim_->commands().mid(logged).contains(QByteArray(" ?R_4 &")));
    EXPECT_TRUE(statusText(w, StatusPanel::Message).contains(QStringLiteral("Pominięto 4 bloki już zapisane")));

    // With "Tylko nowe bloki" ticked (and remembered), "Czytanie pamięci" reads only the
    // block whose file was deleted.
    QCheckBox* newOnly = windows_->progressDialog().newOnlyBox();
    newOnly->setChecked(true);
    EXPECT_TRUE(ProgressDialog().newBlocksOnly());
    ASSERT_TRUE(QFile::remove(startPath(QStringLiteral("2024_03_15_10_02_02.txt"))));
    logged = sim_->commands().size();
    button(w, "readMemoryButton")->click();
    newOnly->setChecked(false);
    EXPECT_EQ(downloadsFrom(logged), (QList<QByteArray>{" ?MEM 3 &"}));
    EXPECT_EQ(m.homeBlocks(), (QList<std::int32_t>{1, 2, 3, 4}));
}

}  // namespace
}  // namespace vorda::test
