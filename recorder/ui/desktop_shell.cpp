#include "ui/desktop_shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace vorda {

bool SystemLauncher::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

bool SystemLauncher::startDetached(const QString& program, const QStringList& arguments,
                                   const QString& workingDirectory, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingDirectory);
    process.setProcessEnvironment(environment);
    return process.startDetached();
}

QString SystemLauncher::findExecutable(const QString& name)
{
    return QStandardPaths::findExecutable(name);
}

DesktopShell::DesktopShell(Launcher& launcher, QString programDir, QString installedHelpDir)
    : launcher_(launcher), programDir_(std::move(programDir)), installedHelpDir_(std::move(installedHelpDir))
{
}

bool DesktopShell::openDocument(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) return false;
    return launcher_.openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

bool DesktopShell::exploreFolder(const QString& dir)
{
    const QFileInfo info(dir);
    if (dir.isEmpty() || !info.isDir()) return false;
    return launcher_.openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

bool DesktopShell::openWebAddress(const QString& address)
{
    const QUrl url(address);
    return url.isValid() && launcher_.openUrl(url);
}

QString DesktopShell::helpFile(const QString& startDir) const
{
    const QString relative = QString::fromLatin1(kHelpRelativePath);
    for (const QString& base : {startDir, installedHelpDir_}) {
        if (base.isEmpty()) continue;
        const QString candidate = QDir(base).filePath(relative);
        if (QFileInfo(candidate).isFile()) return candidate;
    }
    return {};
}

bool DesktopShell::openSpreadsheet(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QString workDir = QFileInfo(path).absolutePath();
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    struct Candidate {
        const char* program;
        const char* option;
    };
    for (const Candidate& c :
         {Candidate{"localc", nullptr}, Candidate{"libreoffice", "--calc"}, Candidate{"gnumeric", nullptr}}) {
        const QString program = launcher_.findExecutable(QString::fromLatin1(c.program));
        if (program.isEmpty()) continue;
        QStringList args;
        if (c.option) args << QString::fromLatin1(c.option);
        args << absolute;
        return launcher_.startDetached(program, args, workDir, env);
    }
    return openDocument(absolute);
}

QString DesktopShell::presenterProgram() const
{
    return QDir(programDir_).filePath(QStringLiteral("wizor"));
}

bool DesktopShell::startPresenter(const QString& argument, const QString& workingDirectory, ShowMode mode)
{
    const QString program = presenterProgram();
    if (!QFileInfo(program).isExecutable()) return false;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WIZOR_SHOW_MODE"),
               mode == ShowMode::Maximized ? QStringLiteral("maximized") : QStringLiteral("normal"));
    return launcher_.startDetached(program, {argument}, workingDirectory, env);
}

}  // namespace vorda
