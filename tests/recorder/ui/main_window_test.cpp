#include "window_fixture.h"

#include "core/text_codec.h"
#include "core/user_configuration.h"
#include "ui/constants_editor.h"
#include "ui/progress_dialog.h"
#include "ui/properties_window.h"
#include "ui/window_reporter.h"

#include <QAction>
#include <QCheckBox>
#include <QEventLoop>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace vorda::test {
namespace {

// A handler that throws on QEvent::User, as a faulty handler would, and counts the
// events of the next type.
class ThrowingObject : public QObject {
public:
    int handled = 0;
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User) throw std::runtime_error("Uszkodzony plik");
        if (e->type() == QEvent::Type(QEvent::User + 1)) {
            ++handled;
            return true;
        }
        return QObject::event(e);
    }
};

TEST(Application, AnExceptionEscapingAHandlerIsShownAndTheLoopGoesOn)
{
    VordaApplication& app = application();
    QStringList shown;
    app.setExceptionHandler([&shown](const QString& text) { shown << text; });

    ThrowingObject target;
    QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&target, new QEvent(QEvent::Type(QEvent::User + 1)));
    QCoreApplication::sendPostedEvents(&target);
    EXPECT_EQ(shown, QStringList{QStringLiteral("Uszkodzony plik")});
    EXPECT_EQ(target.handled, 1);

    // A slot that throws inside a running event loop: the loop survives and quits normally.
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [] { throw 42; });
    QTimer::singleShot(0, &loop, &QEventLoop::quit);
    EXPECT_EQ(loop.exec(), 0);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_FALSE(shown[1].isEmpty());

    app.setExceptionHandler(failOnEscapedException);
}

class StartUp : public WindowFixture {
protected:
    // What the main window shows right after its start: the port, the link, where the
    // settings came from, and whether the file list is on.
    void expectStartedWith(MainWindow& w, const QString& port, const QString& message, bool defaultsUsed,
                           bool showFiles)
    {
        EXPECT_EQ(statusText(w, StatusPanel::Port), port);
        EXPECT_EQ(statusText(w, StatusPanel::Link), QStringLiteral("Rozlączony"));
        EXPECT_EQ(statusText(w, StatusPanel::Message), message);
        EXPECT_EQ(state_.defaultsUsed, defaultsUsed);
        EXPECT_EQ(child<QAction>(w, "showFilesAction")->isChecked(), showFiles);
        EXPECT_EQ(w.fileBrowser().editorAction()->isEnabled(), showFiles);
    }
};

TEST_F(StartUp, WithoutConfigurationUsesDefaultsAndHidesTheList)
{
    MainWindow& w = createWindow();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("OLUN Rejestrator DL03"));
    expectStartedWith(w, QStringLiteral("com2 "), QStringLiteral("Ustawiono domyślne parametry"), true, false);
    EXPECT_EQ(w.fileBrowser().directory(), QDir(startDir_.path()).absolutePath());
    EXPECT_EQ(w.fileBrowser().fileName(), QStringLiteral("*.txt"));
    EXPECT_EQ(state_.rescanCountdown, -1);
    EXPECT_FALSE(state_.statusRead);
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(StartUp, FromConfigurationRestoresPortListAndGeometry)
{
    QDir(startDir_.path()).mkdir(QStringLiteral("dane"));
    Settings prepared = defaultSettings(startDir_.path());
    prepared.portNumber = 3;
    prepared.portOpen = 1;  // a stale run-time flag: the port is never open at start
    prepared.showFiles = 1;
    setFieldText(prepared.dataDirectory, toWin1250Lossy(startPath(QStringLiteral("dane"))));
    prepared.mainWidth = 500;
    prepared.mainHeight = 480;
    prepared.mainLeft = 30;
    prepared.mainTop = 40;
    writeConfiguration(prepared);

    MainWindow& w = createWindow();
    expectStartedWith(w, QStringLiteral("com3 "), QStringLiteral("Parametry ustawione z pliku"), false, true);
    EXPECT_EQ(w.fileBrowser().directory(), startPath(QStringLiteral("dane")));
    EXPECT_EQ(QDir::currentPath(), startPath(QStringLiteral("dane")));
    EXPECT_EQ(w.size(), QSize(500, 480));
    EXPECT_EQ(w.pos(), QPoint(30, 40));
}

TEST_F(StartUp, MissingDataDirectoryIsKeptAndWrittenBackUnchanged)
{
    Settings prepared = defaultSettings(startDir_.path());
    const std::string gone = toWin1250Lossy(startPath(QStringLiteral("usunięty")));
    setFieldText(prepared.dataDirectory, gone);
    writeConfiguration(prepared);

    MainWindow& w = createWindow();
    EXPECT_TRUE(dialogs_.messages.empty());
    EXPECT_EQ(w.fileBrowser().directory(), QDir(startDir_.path()).absolutePath());

    w.saveAndExit();
    const QByteArray saved = readFile(startPath(QString::fromLatin1(kConfigFileName)));
    ASSERT_EQ(saved.size(), static_cast<qsizetype>(kRecordSize));
    Settings reread{};
    Settings::Image image{};
    std::copy(saved.begin(), saved.end(), image.begin());
    reread.fromImage(image);
    EXPECT_EQ(fieldText(reread.dataDirectory), gone);
}

using Shutdown = WindowFixture;

TEST_F(Shutdown, KoniecWritesTheRecordWithTheGeometryThenEnds)
{
    MainWindow& w = createWindow();
    w.resize(420, 450);
    w.move(12, 34);
    settings_.channelsUsed = 7;
    w.saveAndExit();

    EXPECT_EQ(terminations_, 1);
    const QByteArray saved = readFile(startPath(QString::fromLatin1(kConfigFileName)));
    ASSERT_EQ(saved.size(), static_cast<qsizetype>(kRecordSize));
    Settings reread{};
    Settings::Image image{};
    std::copy(saved.begin(), saved.end(), image.begin());
    reread.fromImage(image);
    EXPECT_EQ(reread.mainWidth, 420);
    EXPECT_EQ(reread.mainHeight, 450);
    EXPECT_EQ(reread.mainLeft, w.x());
    EXPECT_EQ(reread.mainTop, w.y());
    EXPECT_EQ(reread.channelsUsed, 7);
}

TEST_F(Shutdown, KoniecKeepsAChangeAnotherProgramSavedMeanwhile)
{
    writeConfiguration(defaultSettings(startDir_.path()));
    MainWindow& w = createWindow();
    // Another program changes the channel count while the window is open.
    Settings other = defaultSettings(startDir_.path());
    other.channelsUsed = 9;
    writeConfiguration(other);
    settings_.channels[1].slopeSB = 2.5;
    w.saveAndExit();

    const auto saved = readSettingsImage(startPath(QString::fromLatin1(kConfigFileName)));
    ASSERT_TRUE(saved);
    Settings reread{};
    reread.fromImage(*saved);
    EXPECT_EQ(reread.channelsUsed, 9);
    EXPECT_EQ(reread.channels[1].slopeSB, 2.5);
}

TEST_F(Shutdown, KoniecStillEndsWhenTheSaveFails)
{
    // A directory in the way of the configuration file makes the save fail.
    QDir(startDir_.path()).mkdir(QString::fromLatin1(kConfigFileName));
    MainWindow& w = createWindow();
    w.saveAndExit();
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].caption, QStringLiteral("Błąd..."));
    EXPECT_EQ(terminations_, 1);
}

TEST_F(Shutdown, TheCloseBoxEndsWithoutSavingWhenTheUserChangedNothing)
{
    MainWindow& w = createWindow();
    w.show();
    // What the program records itself: a register reply, the link flag, the geometry.
    settings_.status.blockCount = 5;
    settings_.portOpen = 1;
    settings_.mainWidth = 640;
    settings_.monitorTop = 7;
    w.close();
    EXPECT_EQ(terminations_, 1);
    EXPECT_TRUE(dialogs_.saveQuestions.empty());
    EXPECT_FALSE(QFileInfo::exists(startPath(QString::fromLatin1(kConfigFileName))));
}

TEST_F(Shutdown, TheCloseBoxAsksAboutTheUsersChanges)
{
    MainWindow& w = createWindow();
    ConstantsEditor& editor = windows_->constantsEditor();
    const auto editChannel1 = [&editor](const QString& sb) {
        editor.prepareOpening();
        editor.sbEdit()->setText(sb);
        editor.okClicked();
    };
    const QString config = startPath(QString::fromLatin1(kConfigFileName));
    editChannel1(QStringLiteral("3,5"));

    struct Case {
        SaveChoice answer;
        int terminations;
        bool saved;
    };
    const Case cases[] = {{SaveChoice::Cancel, 0, false}, {SaveChoice::Discard, 1, false}, {SaveChoice::Save, 2, true}};
    for (const Case& c : cases) {
        w.show();
        dialogs_.saveChoice = c.answer;
        const bool closed = w.close();
        EXPECT_EQ(closed, c.answer == SaveChoice::Discard);
        EXPECT_EQ(dialogs_.saveQuestions.back(), QStringLiteral("Zapisać zmiany ustawień?"));
        EXPECT_EQ(terminations_, c.terminations);
        EXPECT_EQ(QFileInfo::exists(config), c.saved);
    }
    EXPECT_EQ(dialogs_.saveQuestions.size(), 3u);

    // A value changed and changed back is no change.
    const std::size_t asked = dialogs_.saveQuestions.size();
    windows_.reset();
    createWindow();
    ConstantsEditor& reopened = windows_->constantsEditor();
    reopened.prepareOpening();
    reopened.sbEdit()->setText(QStringLiteral("7"));
    reopened.okClicked();
    reopened.prepareOpening();
    reopened.sbEdit()->setText(QStringLiteral("3,5"));
    reopened.okClicked();
    windows_->mainWindow().show();
    windows_->mainWindow().close();
    EXPECT_EQ(dialogs_.saveQuestions.size(), asked);
}

using Housekeeping = WindowFixture;

// The rule itself is tested without a window; here the timer's tick reaches it.
TEST_F(Housekeeping, TheTimerLowersTheTransferBarAndRunsTheRescanOnce)
{
    MainWindow& w = createWindow();
    QSignalSpy rescans(windows_.get(), &WindowSet::rescanFinished);
    QSignalSpy clock(&w, &MainWindow::clockTicked);
    windows_->progressDialog().setBarMaximum(4);
    windows_->progressDialog().setBarPosition(2);
    state_.rescanCountdown = 2;
    for (int tick = 0; tick < 5; ++tick) w.timerTick();
    EXPECT_EQ(windows_->progressDialog().barPosition(), 0);
    EXPECT_EQ(state_.rescanCountdown, -1);
    EXPECT_EQ(rescans.count(), 1);
    EXPECT_EQ(clock.count(), 5);
    EXPECT_EQ((*child<QTimer>(w, "housekeepingTimer")).interval(), 1000);
}

using EnablingRules = WindowFixture;

TEST_F(EnablingRules, MonitoringAndTransfersCombine)
{
    MainWindow& w = createWindow();
    const auto transferButtonsEnabled = [&w] {
        return button(w, "readMemoryButton")->isEnabled() && button(w, "measurementsButton")->isEnabled() &&
               button(w, "wipeButton")->isEnabled() && button(w, "settingsButton")->isEnabled() &&
               button(w, "calibrationButton")->isEnabled();
    };
    EXPECT_TRUE(transferButtonsEnabled());
    EXPECT_FALSE(child<QAction>(w, "saveMonitoringAction")->isVisible());

    w.setMonitoringViewOn(true);
    EXPECT_FALSE(button(w, "readMemoryButton")->isEnabled());
    EXPECT_FALSE(button(w, "calibrationButton")->isEnabled());
    EXPECT_TRUE(checkBox(w, "monitoringBox")->isEnabled());
    EXPECT_TRUE(child<QAction>(w, "saveMonitoringAction")->isVisible());

    // A transfer ending while monitoring is on leaves the buttons off.
    w.setTransferRunning(true);
    EXPECT_FALSE(w.isEnabled());
    EXPECT_FALSE(checkBox(w, "monitoringBox")->isEnabled());
    w.setTransferRunning(false);
    EXPECT_TRUE(w.isEnabled());
    EXPECT_FALSE(transferButtonsEnabled());

    w.setMonitoringViewOn(false);
    EXPECT_TRUE(transferButtonsEnabled());

    w.setMonitoringWindowOpen(true);
    EXPECT_FALSE(button(w, "exitButton")->isEnabled());
    EXPECT_TRUE(button(w, "readMemoryButton")->isEnabled());
    w.setMonitoringWindowOpen(false);
    EXPECT_TRUE(button(w, "exitButton")->isEnabled());
}

using StatusBar = WindowFixture;

TEST_F(StatusBar, ClickCopiesTheMessagePanelIntoTheHint)
{
    MainWindow& w = createWindow();
    windows_->reporter().setStatus(StatusPanel::Message, QStringLiteral("/bardzo/długa/ścieżka"));
    EXPECT_EQ(statusText(w, StatusPanel::Message), QStringLiteral("/bardzo/długa/ścieżka"));
    EXPECT_NE(w.statusBar()->toolTip(), QStringLiteral("/bardzo/długa/ścieżka"));
    w.copyMessageToHint();
    EXPECT_EQ(w.statusBar()->toolTip(), QStringLiteral("/bardzo/długa/ścieżka"));
}

TEST_F(StatusBar, PanelsShowTheirWholeTextAndTheMessageTakesTheRest)
{
    MainWindow& w = createWindow();
    w.resize(640, 450);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QString reason = QStringLiteral("Nie można otworzyć portu com2: urządzenie nie istnieje");
    windows_->reporter().setStatus(StatusPanel::Message, reason);
    windows_->reporter().setLinkState(LinkState::Disconnected);
    QCoreApplication::processEvents();
    const auto* link = child<QLabel>(w, "linkPanel");
    const auto* message = child<QLabel>(w, "messagePanel");
    ASSERT_TRUE(link && message);
    EXPECT_GE(link->width(), link->sizeHint().width()) << "\"" << link->text().toStdString() << "\" cut";
    EXPECT_GE(link->width(), 70);
    EXPECT_GT(message->width(), w.width() / 2);
    EXPECT_EQ(message->toolTip(), reason);
    EXPECT_EQ(link->toolTip(), link->text());
}

using LanguageMenu = WindowFixture;

TEST_F(LanguageMenu, TheChoiceIsSavedForTheNextStartAndShownChecked)
{
    QStandardPaths::setTestModeEnabled(true);  // the user's configuration: a test one
    {
        QSettings configuration = userConfiguration();
        language::saveChoice(configuration, language::Language::Polish);
    }
    const auto items = [](const MainWindow& w) {
        auto* menu = child<QMenu>(w, "languageMenu");
        return menu ? menu->actions() : QList<QAction*>();
    };
    MainWindow& w = createWindow();
    QList<QAction*> choices = items(w);
    ASSERT_EQ(choices.size(), 2);
    EXPECT_EQ(choices[0]->text(), QStringLiteral("Polski"));
    EXPECT_EQ(choices[1]->text(), QStringLiteral("English"));
    EXPECT_TRUE(choices[0]->isChecked());
    EXPECT_FALSE(choices[1]->isChecked());

    choices[1]->trigger();
    EXPECT_TRUE(choices[1]->isChecked());
    EXPECT_FALSE(choices[0]->isChecked());
    EXPECT_EQ(language::savedChoice(userConfiguration()), QStringLiteral("en"));
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].text, QStringLiteral("Język programu zmieni się przy następnym uruchomieniu."));
    EXPECT_EQ(dialogs_.messages[0].caption, QStringLiteral("Język"));

    // The next start shows the saved choice ticked.
    windows_.reset();
    choices = items(createWindow());
    ASSERT_EQ(choices.size(), 2);
    EXPECT_TRUE(choices[1]->isChecked());
    userConfiguration().remove(QStringLiteral("language"));
}

using Properties = WindowFixture;

TEST_F(Properties, ShowsTheConstantsAndSwitchesToTheScan)
{
    MainWindow& w = createWindow();
    settings_.channelsUsed = 2;
    emit w.propertiesRequested();
    PropertiesWindow& p = windows_->propertiesWindow();
    EXPECT_TRUE(p.isVisible());
    EXPECT_EQ(p.heading(), QStringLiteral("Stałe kalibracji"));
    EXPECT_TRUE(p.scanEnabled());
    EXPECT_FALSE(p.constantsEnabled());
    // Two heading lines, the two used channels, and the note that neither has a name.
    ASSERT_EQ(p.lines().size(), 5);
    EXPECT_TRUE(p.lines().last().startsWith(QStringLiteral("Kanały 1, 2 nie mają nazwy"))) << p.lines().last().toStdString();

    // The scan meets no recorder here (the port does not exist); it stays enabled, so
    // that the user can try again.
    p.startScan();
    EXPECT_EQ(p.heading(), QStringLiteral("Skanuj system pomiarowy"));
    EXPECT_TRUE(p.scanEnabled());
    EXPECT_TRUE(p.constantsEnabled());
    EXPECT_TRUE(p.lines().contains(QString::fromLatin1(kNoCommunication)));

    p.showConstants();
    EXPECT_EQ(p.heading(), QStringLiteral("Stałe kalibracji"));
    EXPECT_EQ(p.lines().size(), 5);
}

TEST_F(Properties, TheConstantsReportFollowsTheRecordWhileShown)
{
    MainWindow& w = createWindow();
    emit w.propertiesRequested();
    PropertiesWindow& p = windows_->propertiesWindow();
    const QStringList before = p.lines();
    ConstantsEditor& e = windows_->constantsEditor();
    QTimer::singleShot(0, &e, [&e] {
        e.sbEdit()->setText(QStringLiteral("3,5"));
        e.okClicked();
    });
    windows_->openConstantsEditor();
    EXPECT_NE(p.lines(), before);
    EXPECT_EQ(p.lines().size(), before.size());
    EXPECT_EQ(p.heading(), QStringLiteral("Stałe kalibracji"));
}

TEST_F(Properties, ReportButtonShowsTheProgressDialogAsReport)
{
    createWindow();
    emit windows_->propertiesWindow().reportRequested();
    ProgressDialog& d = windows_->progressDialog();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Raport przeczytanej pamięci"));
    d.actionButton()->click();
    EXPECT_FALSE(d.isVisible());
}

}  // namespace
}  // namespace vorda::test
