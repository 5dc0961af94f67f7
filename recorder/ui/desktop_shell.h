#pragma once
// The desktop shell as the program uses it: open a document, folder, web address or the
// help page, start the spreadsheet or the presenter. Everything platform-bound sits in a
// Launcher, so tests (and another platform) replace that one small piece.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace vorda {

// The maker's web pages; kept here so they change in one place.
namespace web {
inline constexpr char kNewestVersion[] = "https://olun.example/dl03/najnowsza-wersja.html";
inline constexpr char kSupport[] = "https://olun.example/dl03/pomoc-techniczna.html";
inline constexpr char kHomePage[] = "https://olun.example/";
}  // namespace web

inline constexpr char kHelpRelativePath[] = "Help/instVor3.html";

// What the operating system does for us. Each call returns false when it is refused.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Opens a document, folder or web address with the desktop's default handler.
    virtual bool openUrl(const QUrl& url) = 0;
    // Starts a program detached from this one.
    virtual bool startDetached(const QString& program, const QStringList& arguments, const QString& workingDirectory,
                               const QProcessEnvironment& environment) = 0;
    // The full path of a program found on the search path, or empty.
    virtual QString findExecutable(const QString& name) = 0;
};

class SystemLauncher final : public Launcher {
public:
    bool openUrl(const QUrl& url) override;
    bool startDetached(const QString& program, const QStringList& arguments, const QString& workingDirectory,
                       const QProcessEnvironment& environment) override;
    QString findExecutable(const QString& name) override;
};

enum class ShowMode { Normal, Maximized };

class DesktopShell {
public:
    // `programDir` holds the running vorda (and the presenter beside it); `installedHelpDir`
    // is where the installed copy of the help page lies (its "Help" folder's parent).
    DesktopShell(Launcher& launcher, QString programDir, QString installedHelpDir);

    // "open" a document; fails when it does not exist, like the shell would.
    bool openDocument(const QString& path);
    // "explore" a folder in the file manager.
    bool exploreFolder(const QString& dir);
    bool openWebAddress(const QString& address);
    // The first spreadsheet program found, else the default handler of the file.
    bool openSpreadsheet(const QString& path);
    // The presenter beside this program, with the file's path as its one argument.
    bool startPresenter(const QString& argument, const QString& workingDirectory, ShowMode mode);

    // The help page below the start-up directory, else the installed copy; empty if neither.
    QString helpFile(const QString& startDir) const;
    QString presenterProgram() const;
    // Where the program's installed data lies (Help/, Config/).
    QString installedDataDir() const { return installedHelpDir_; }

private:
    Launcher& launcher_;
    QString programDir_;
    QString installedHelpDir_;
};

}  // namespace vorda
