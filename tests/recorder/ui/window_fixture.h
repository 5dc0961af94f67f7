#pragma once
// A main window in a temporary start-up directory, with recorded message boxes and a
// launcher that starts nothing.

#include "core/program_state.h"
#include "core/settings_files.h"
#include "core/settings_record.h"
#include "help_window.h"
#include "link/serial_link.h"
#include "link/serial_transport.h"
#include "support/recorder_sim.h"
#include "ui/application.h"
#include "ui/desktop_shell.h"
#include "ui/file_browser.h"
#include "ui/main_window.h"
#include "ui/message_dialogs.h"
#include "ui/window_set.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <deque>
#include <memory>
#include <vector>

namespace vorda::test {

struct ShownMessage {
    QString text;
    QString caption;
    MessageIcon icon;
    bool cancelIsDefault = false;  // a question whose default button is Cancel
    QWidget* parent = nullptr;     // the window it stands over
};

class RecordingDialogs : public Dialogs {
public:
    std::vector<ShownMessage> messages;
    std::vector<ShownMessage> questions;
    std::deque<bool> answers;  // answers to the next questions; Cancel when empty
    QString fileToOpen;        // what the open dialog returns (empty: cancelled)
    QString openDialogDir;
    QString fileToSave;  // what the save dialog returns (empty: cancelled)
    QString saveDialogDir;
    QString saveDialogFilter;

    void message(QWidget* parent, const QString& text, const QString& caption, MessageIcon icon) override
    {
        messages.push_back({text, caption, icon, false, parent});
    }
    bool confirm(QWidget*, const QString& text, const QString& caption) override
    {
        questions.push_back({text, caption, MessageIcon::None});
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool confirmDestructive(QWidget* parent, const QString& text, const QString& caption) override
    {
        const bool answer = confirm(parent, text, caption);
        questions.back().cancelIsDefault = true;
        return answer;
    }
    std::vector<QString> saveQuestions;
    SaveChoice saveChoice = SaveChoice::Cancel;  // the answer to the question whether to save
    SaveChoice askToSave(QWidget*, const QString& text, const QString&) override
    {
        saveQuestions.push_back(text);
        return saveChoice;
    }
    QString openFileName(QWidget*, const QString& dir, const QString&, const QString&) override
    {
        openDialogDir = dir;
        return fileToOpen;
    }
    QStringList dialogTitles;  // titles of the titled open and save dialogs, in order
    QString openFileNameTitled(QWidget*, const QString& title, const QString&) override
    {
        dialogTitles << title;
        return fileToOpen;
    }
    QString saveFileName(QWidget*, const QString& title, const QString& dir, const QString& filter,
                         const QString&) override
    {
        dialogTitles << title;
        saveDialogDir = dir;
        saveDialogFilter = filter;
        return fileToSave;
    }
};

class RecordingLauncher : public Launcher {
public:
    struct Start {
        QString program;
        QStringList arguments;
        QString workingDirectory;
        QProcessEnvironment environment;
    };
    std::vector<QUrl> opened;
    std::vector<Start> started;
    bool accept = true;
    QStringList knownPrograms;  // names findExecutable finds

    bool openUrl(const QUrl& url) override
    {
        opened.push_back(url);
        return accept;
    }
    bool startDetached(const QString& program, const QStringList& arguments, const QString& workingDirectory,
                       const QProcessEnvironment& environment) override
    {
        started.push_back({program, arguments, workingDirectory, environment});
        return accept;
    }
    QString findExecutable(const QString& name) override
    {
        return knownPrograms.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
    }
};

inline int& testArgc()
{
    static int argc = 1;
    return argc;
}

// Fails the running test: no message box may block a test.
inline void failOnEscapedException(const QString& text)
{
    ADD_FAILURE() << "exception escaped a handler: " << text.toStdString();
}

// One application, as the program makes it, for the whole test program.
inline VordaApplication& application()
{
    static char name[] = "test_recorder_ui";
    static char* argv[] = {name, nullptr};
    static VordaApplication* app = [] {
        auto* created = new VordaApplication(testArgc(), argv);
        created->setExceptionHandler(failOnEscapedException);
        return created;
    }();
    return *app;
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A child of `parent` by its object name; null (and a failure) when there is none.
template <class T = QWidget>
T* child(const QObject& parent, const char* name)
{
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no child named " << name;
    return found;
}
inline QPushButton* button(const QObject& parent, const char* name)
{
    return child<QPushButton>(parent, name);
}
inline QCheckBox* checkBox(const QObject& parent, const char* name)
{
    return child<QCheckBox>(parent, name);
}
inline QString statusText(const MainWindow& w, StatusPanel panel)
{
    const char* names[] = {"portPanel", "linkPanel", "messagePanel"};
    const QLabel* label = child<QLabel>(w, names[static_cast<int>(panel)]);
    return label ? label->text() : QString();
}
// The "&System" items of the functions that exchange with the recorder.
inline QList<QAction*> guardedItems(const MainWindow& w)
{
    return w.findChildren<QAction*>(QStringLiteral("guardedItem"));
}

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        application();
        ASSERT_TRUE(startDir_.isValid());
        ASSERT_TRUE(programDir_.isValid());
        oldCwd_ = QDir::currentPath();
        QDir::setCurrent(startDir_.path());
        // No exchange may wander onto a real serial port.
        setPortDevice(startDir_.filePath(QStringLiteral("no-such-port")));
    }

    void TearDown() override
    {
        windows_.reset();
        link_.reset();
        QDir::setCurrent(oldCwd_);
    }

    void setPortDevice(const QString& device)
    {
        writeFile(startDir_.filePath(QStringLiteral("ports.conf")),
                  QStringLiteral("com1=%1\ncom2=%1\ncom3=%1\ncom4=%1\n").arg(device).toUtf8());
    }

    // Creates the windows as the program does, in the start-up directory.
    MainWindow& createWindow()
    {
        QDir::setCurrent(startDir_.path());
        link_ = std::make_unique<SerialLink>(settings_, makeSerialPortTransport(), startDir_.path());
        shell_ = std::make_unique<DesktopShell>(launcher_, programDir_.path(), installDir_.path());
        windows_ = std::make_unique<WindowSet>(settings_, state_, *link_, dialogs_, *shell_);
        MainWindow& w = windows_->mainWindow();
        child<QTimer>(w, "housekeepingTimer")->stop();  // tests drive the ticks themselves
        w.setTerminate([this] { ++terminations_; });
        return w;
    }

    // Starts the simulator and maps every port of the start-up directory to it.
    bool startSimulator(const QStringList& arguments)
    {
        sim_ = std::make_unique<RecorderSim>(arguments);
        if (!sim_->started()) return false;
        setPortDevice(sim_->devicePath());
        return true;
    }

    // A configuration file in the start-up directory made from `prepared`.
    void writeConfiguration(const Settings& prepared)
    {
        Reporter quiet;
        ASSERT_TRUE(saveSettingsFile(prepared, startDir_.filePath(QString::fromLatin1(kConfigFileName)), quiet));
    }

    static Settings defaultSettings(const QString& dir)
    {
        Settings s{};
        applyStartupDefaults(s, dir);
        return s;
    }

    QString startPath(const QString& name) const { return startDir_.filePath(name); }

    QTemporaryDir startDir_;
    QTemporaryDir programDir_;
    QTemporaryDir installDir_;
    QString oldCwd_;
    Settings settings_{};
    ProgramState state_;
    RecordingDialogs dialogs_;
    RecordingLauncher launcher_;
    std::unique_ptr<SerialLink> link_;
    std::unique_ptr<DesktopShell> shell_;
    std::unique_ptr<WindowSet> windows_;
    std::unique_ptr<RecorderSim> sim_;
    int terminations_ = 0;
};

}  // namespace vorda::test
