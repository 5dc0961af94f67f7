#include "window_fixture.h"

#include "core/text_codec.h"
#include "files/presenter_handoff.h"
#include "files/spreadsheet_export.h"

#include "ui/about_dialog.h"

#include <QFileInfo>
#include <QPushButton>

namespace vorda::test {
namespace {

class FileList : public WindowFixture {
protected:
    // A start-up directory with two measurement files, a spreadsheet copy and a folder.
    MainWindow& createWithFiles()
    {
        writeFile(startPath(QStringLiteral("2024_05_01_10_00_00.txt")), "  Nr.: k1\r\n 1 2.50\r\n");
        writeFile(startPath(QStringLiteral("2024_05_02_11_30_00.txt")), "b\r\n");
        writeFile(startPath(QString::fromLatin1(kSpreadsheetCopyName)), "old");
        writeFile(startPath(QStringLiteral("log.dan")), "x");
        QDir(startDir_.path()).mkdir(QStringLiteral("archiwum"));
        writeFile(startPath(QStringLiteral("archiwum/2023_01_01_00_00_00.txt")), "c\r\n");
        return createWindow();
    }

    const ShownMessage& onlyMessage() const
    {
        static const ShownMessage none{};
        EXPECT_EQ(dialogs_.messages.size(), 1u);
        return dialogs_.messages.empty() ? none : dialogs_.messages.back();
    }
};

TEST_F(FileList, ListsMeasurementFilesAndFoldersOnly)
{
    MainWindow& w = createWithFiles();
    const QStringList names = w.fileBrowser().entries();
    EXPECT_TRUE(names.contains(QStringLiteral("[archiwum]")));
    EXPECT_TRUE(names.contains(QStringLiteral("2024_05_01_10_00_00.txt")));
    EXPECT_TRUE(names.contains(QStringLiteral("2024_05_02_11_30_00.txt")));
    EXPECT_FALSE(names.contains(QString::fromLatin1(kSpreadsheetCopyName)));
    EXPECT_FALSE(names.contains(QStringLiteral("log.dan")));
    EXPECT_FALSE(names.contains(QStringLiteral("ports.conf")));
}

TEST_F(FileList, SelectingSetsTheNameBoxAndTheDirectoryPanel)
{
    MainWindow& w = createWithFiles();
    ASSERT_TRUE(w.fileBrowser().select(QStringLiteral("2024_05_02_11_30_00.txt")));
    EXPECT_EQ(w.fileBrowser().fileName(), QStringLiteral("2024_05_02_11_30_00.txt"));
    EXPECT_EQ(statusText(w, StatusPanel::Message), QDir::toNativeSeparators(w.fileBrowser().directory()));

    ASSERT_TRUE(w.fileBrowser().select(QStringLiteral("[archiwum]")));
    EXPECT_EQ(w.fileBrowser().fileName(), QStringLiteral("*.txt"));
    w.fileBrowser().openCurrentEntry();
    EXPECT_EQ(w.fileBrowser().directory(), startPath(QStringLiteral("archiwum")));
    EXPECT_TRUE(w.fileBrowser().entries().contains(QStringLiteral("2023_01_01_00_00_00.txt")));
    EXPECT_TRUE(launcher_.opened.empty());

    ASSERT_TRUE(w.fileBrowser().select(QStringLiteral("2023_01_01_00_00_00.txt")));
    w.fileBrowser().openCurrentEntry();
    ASSERT_EQ(launcher_.opened.size(), 1u);
    EXPECT_EQ(launcher_.opened[0], QUrl::fromLocalFile(startPath(QStringLiteral("archiwum/2023_01_01_00_00_00.txt"))));
}

TEST_F(FileList, EditorWithoutASelectionFails)
{
    MainWindow& w = createWithFiles();
    w.fileBrowser().openInEditor();
    EXPECT_EQ(onlyMessage().text, QStringLiteral("Błąd ładowania pliku"));
    EXPECT_EQ(onlyMessage().caption, QStringLiteral("Błąd"));
    EXPECT_TRUE(launcher_.opened.empty());
}

TEST_F(FileList, EditorReportsARefusingShell)
{
    MainWindow& w = createWithFiles();
    launcher_.accept = false;
    w.fileBrowser().select(QStringLiteral("2024_05_01_10_00_00.txt"));
    w.fileBrowser().openInEditor();
    EXPECT_EQ(onlyMessage().text, QStringLiteral("Błąd ładowania pliku"));
}

TEST_F(FileList, ShowFilesTogglesTheListAndTheEditorItem)
{
    MainWindow& w = createWithFiles();
    ASSERT_FALSE(child<QAction>(w, "showFilesAction")->isChecked());
    QAction* toggle = nullptr;
    for (QAction* a : w.findChildren<QAction*>())
        if (a->text() == QStringLiteral("&Pokaż pliki")) toggle = a;
    ASSERT_NE(toggle, nullptr);
    toggle->trigger();
    EXPECT_TRUE(child<QAction>(w, "showFilesAction")->isChecked());
    EXPECT_TRUE(w.fileBrowser().editorAction()->isEnabled());
    EXPECT_EQ(settings_.showFiles, 1);
    toggle->trigger();
    EXPECT_FALSE(w.fileBrowser().editorAction()->isEnabled());
    EXPECT_EQ(settings_.showFiles, 0);
}

TEST_F(FileList, DeleteAsksFirstAndDeletesOnlyOnOk)
{
    MainWindow& w = createWithFiles();
    const QString name = QStringLiteral("2024_05_01_10_00_00.txt");
    w.fileBrowser().select(name);

    dialogs_.answers = {false};
    w.fileBrowser().deleteSelectedFile();
    ASSERT_EQ(dialogs_.questions.size(), 1u);
    // The question names the file, and Enter alone answers Cancel.
    EXPECT_EQ(dialogs_.questions[0].text, QStringLiteral("Wciskając OK! usuniesz plik ") + name);
    EXPECT_EQ(dialogs_.questions[0].caption, QStringLiteral("Uwaga !"));
    EXPECT_TRUE(dialogs_.questions[0].cancelIsDefault);
    EXPECT_TRUE(QFileInfo::exists(startPath(name)));

    dialogs_.answers = {true};
    w.fileBrowser().deleteSelectedFile();
    EXPECT_FALSE(QFileInfo::exists(startPath(name)));
    EXPECT_FALSE(w.fileBrowser().entries().contains(name));
}

TEST_F(FileList, DeleteWithoutASelectionDeletesNothing)
{
    MainWindow& w = createWithFiles();
    const QStringList before = w.fileBrowser().entries();
    dialogs_.answers = {true};
    w.fileBrowser().deleteSelectedFile();
    EXPECT_EQ(dialogs_.questions.size(), 1u);
    EXPECT_EQ(w.fileBrowser().entries(), before);
}

TEST_F(FileList, OpenDialogMovesTheDataDirectoryAndHoldsAFullPath)
{
    MainWindow& w = createWithFiles();
    const QString chosen = startPath(QStringLiteral("archiwum/2023_01_01_00_00_00.txt"));
    dialogs_.fileToOpen = chosen;
    w.fileBrowser().chooseAndOpenFile();

    EXPECT_EQ(dialogs_.openDialogDir, startDir_.path());
    EXPECT_EQ(w.fileBrowser().fileName(), chosen);
    EXPECT_EQ(fromWin1250(fieldText(settings_.lastFile)), chosen);
    EXPECT_EQ(fromWin1250(fieldText(settings_.dataDirectory)), startPath(QStringLiteral("archiwum")));
    EXPECT_EQ(w.fileBrowser().directory(), startPath(QStringLiteral("archiwum")));
    EXPECT_EQ(statusText(w, StatusPanel::Message), startPath(QStringLiteral("archiwum")));
    ASSERT_EQ(launcher_.opened.size(), 1u);
    EXPECT_EQ(launcher_.opened[0], QUrl::fromLocalFile(chosen));

    // The full path is what the other commands act on.
    w.fileBrowser().showChart();
    ASSERT_EQ(launcher_.started.size(), 0u);  // no presenter beside this program yet
    EXPECT_EQ(readFile(startPath(QString::fromLatin1(kHandoffFileName))), QByteArray("c\r\n"));
    dialogs_.answers = {true};
    w.fileBrowser().deleteSelectedFile();
    EXPECT_FALSE(QFileInfo::exists(chosen));
}

TEST_F(FileList, BracketedNamesAndUnstorablePathsAreHandled)
{
    // A folder whose own name has brackets is entered by its name, not its shown text.
    QDir(startDir_.path()).mkpath(QStringLiteral("[stare]/ą€"));
    MainWindow& w = createWithFiles();
    ASSERT_TRUE(w.fileBrowser().select(QStringLiteral("[[stare]]")));
    w.fileBrowser().openCurrentEntry();
    EXPECT_EQ(w.fileBrowser().directory(), startPath(QStringLiteral("[stare]")));

    // A folder name outside Windows-1250 cannot be stored: the user is told, nothing is cut.
    const QString dir = startPath(QStringLiteral("[stare]/ą€/名"));
    QDir().mkpath(dir);
    writeFile(dir + QStringLiteral("/a.txt"), "x");
    const std::string before(fieldText(settings_.dataDirectory));
    dialogs_.fileToOpen = dir + QStringLiteral("/a.txt");
    w.fileBrowser().chooseAndOpenFile();
    EXPECT_EQ(std::string(fieldText(settings_.dataDirectory)), before);
    ASSERT_FALSE(dialogs_.messages.empty());
    EXPECT_EQ(dialogs_.messages.front().caption, QStringLiteral("Uwaga!"));
    EXPECT_TRUE(dialogs_.messages.front().text.contains(QDir::toNativeSeparators(dir)));
    EXPECT_EQ(w.fileBrowser().directory(), dir);
}

TEST_F(FileList, CancelledOpenDialogKeepsTheDataDirectoryAndTheListed)
{
    MainWindow& w = createWithFiles();
    const std::string before = std::string(fieldText(settings_.dataDirectory));
    // The list shows a subdirectory of the data directory; a file appears there meanwhile.
    ASSERT_TRUE(w.fileBrowser().select(QStringLiteral("[archiwum]")));
    w.fileBrowser().openCurrentEntry();
    writeFile(startPath(QStringLiteral("archiwum/2023_02_02_00_00_00.txt")), "d\r\n");

    dialogs_.fileToOpen.clear();
    w.fileBrowser().chooseAndOpenFile();
    EXPECT_EQ(std::string(fieldText(settings_.dataDirectory)), before);
    EXPECT_EQ(statusText(w, StatusPanel::Message), fromWin1250(before));
    EXPECT_TRUE(launcher_.opened.empty());
    // The list is refreshed where it was, and relative names still resolve there.
    EXPECT_EQ(w.fileBrowser().directory(), startPath(QStringLiteral("archiwum")));
    EXPECT_EQ(QDir::currentPath(), startPath(QStringLiteral("archiwum")));
    EXPECT_TRUE(w.fileBrowser().entries().contains(QStringLiteral("2023_02_02_00_00_00.txt")));
}

TEST_F(FileList, ExplorerHelpAndWebFailuresHaveTheirMessages)
{
    MainWindow& w = createWithFiles();
    launcher_.accept = false;

    w.fileBrowser().exploreDataDirectory();
    EXPECT_EQ(dialogs_.messages.back().text, QStringLiteral("Dostęp zabroniony!"));
    EXPECT_EQ(dialogs_.messages.back().caption, QStringLiteral("Uwaga!"));

    w.showProgramHelp();  // no help page anywhere
    EXPECT_EQ(dialogs_.messages.back().text, QStringLiteral("Nie odnaleziono pliku pomocy!"));
    EXPECT_EQ(dialogs_.messages.back().caption, QStringLiteral("Uwaga!"));

    w.openSupportPage();
    EXPECT_EQ(dialogs_.messages.back().text, QStringLiteral("Nie można uruchomić przeglądarki internetowej"));
    EXPECT_EQ(dialogs_.messages.back().caption, QStringLiteral("Uwaga!"));

    emit w.aboutRequested();
    EXPECT_TRUE(windows_->aboutBox().isVisible());
    windows_->aboutBox().newestVersionButton()->click();
    EXPECT_EQ(dialogs_.messages.back().text, QStringLiteral("Nie znaleziono przeglądarki internetowej.."));
    EXPECT_EQ(dialogs_.messages.back().caption, QStringLiteral("Error"));
    EXPECT_EQ(dialogs_.messages.back().icon, MessageIcon::Error);

    const std::size_t before = dialogs_.messages.size();
    w.openHomePage();
    EXPECT_EQ(dialogs_.messages.size(), before);
    EXPECT_EQ(launcher_.opened.back(), QUrl(QString::fromLatin1(web::kHomePage)));
}

TEST_F(FileList, HelpOpensAtItsAnchorFromTheStartupOrTheInstalledCopy)
{
    QDir(installDir_.path()).mkpath(QStringLiteral("Help"));
    writeFile(installDir_.filePath(QStringLiteral("Help/instVor3.html")), "<html></html>");
    MainWindow& w = createWithFiles();

    // The page shows in the program's own help window; no browser is asked.
    windows_->showHelp(QStringLiteral("#konf"));
    widgets::HelpWindow* help = windows_->helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->source().toLocalFile(), installDir_.filePath(QStringLiteral("Help/instVor3.html")));
    EXPECT_EQ(help->source().fragment(), QStringLiteral("konf"));

    QDir(startDir_.path()).mkpath(QStringLiteral("Help"));
    writeFile(startPath(QStringLiteral("Help/instVor3.html")), "<html></html>");
    w.showProgramHelp();
    EXPECT_EQ(help->source().toLocalFile(), startPath(QStringLiteral("Help/instVor3.html")));
    EXPECT_FALSE(help->source().hasFragment());
    EXPECT_TRUE(launcher_.opened.empty());
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(FileList, SpreadsheetExportWritesTheCopyAndStartsTheSpreadsheet)
{
    launcher_.knownPrograms = {QStringLiteral("libreoffice")};
    MainWindow& w = createWithFiles();
    w.fileBrowser().select(QStringLiteral("2024_05_01_10_00_00.txt"));
    w.fileBrowser().exportToSpreadsheet();
    EXPECT_TRUE(dialogs_.messages.empty());
    EXPECT_EQ(statusText(w, StatusPanel::Message), QStringLiteral("Wstaw do MS Excel"));
    const QString copy = startPath(QString::fromLatin1(kSpreadsheetCopyName));
    EXPECT_EQ(readFile(copy), QByteArray("\tNr,:\tk1\n\t1\t2,50\n"));
    ASSERT_EQ(launcher_.started.size(), 1u);
    EXPECT_EQ(launcher_.started[0].program, QStringLiteral("/usr/bin/libreoffice"));
    EXPECT_EQ(launcher_.started[0].arguments, QStringList({QStringLiteral("--calc"), copy}));
}

TEST_F(FileList, SpreadsheetExportFailures)
{
    MainWindow& w = createWithFiles();
    w.fileBrowser().exportToSpreadsheet();  // nothing selected: the mask names no file
    EXPECT_EQ(onlyMessage().text, QStringLiteral("Błąd otwarcia pliku"));
    EXPECT_EQ(onlyMessage().caption, QStringLiteral("Bląd"));
    EXPECT_EQ(readFile(startPath(QString::fromLatin1(kSpreadsheetCopyName))), QByteArray("old"));

    // A copy that cannot be replaced.
    QFile::remove(startPath(QString::fromLatin1(kSpreadsheetCopyName)));
    QDir(startDir_.path()).mkdir(QString::fromLatin1(kSpreadsheetCopyName));
    w.fileBrowser().select(QStringLiteral("2024_05_01_10_00_00.txt"));
    w.fileBrowser().exportToSpreadsheet();
    ASSERT_EQ(dialogs_.messages.size(), 2u);
    EXPECT_EQ(dialogs_.messages[1].text, QStringLiteral("Błąd konwersji, Zmiń nazwę lub zamknij plik w Excelu"));
    EXPECT_EQ(dialogs_.messages[1].caption, QStringLiteral("Bląd"));
    EXPECT_TRUE(launcher_.started.empty());
}

class PresenterHandoff : public FileList {
protected:
    void SetUp() override
    {
        FileList::SetUp();
        // A stand-in presenter beside the program; the launcher never runs it.
        const QString fake = programDir_.filePath(QStringLiteral("wizor"));
        writeFile(fake, "#!/bin/sh\n");
        QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

TEST_F(PresenterHandoff, StartsThePresenterWithTheFullPathAndShowMode)
{
    MainWindow& w = createWithFiles();
    w.fileBrowser().select(QStringLiteral("2024_05_01_10_00_00.txt"));
    w.fileBrowser().showChart();
    w.fileBrowser().showChartMaximized();

    ASSERT_EQ(launcher_.started.size(), 2u);
    const auto& normal = launcher_.started[0];
    EXPECT_EQ(normal.program, programDir_.filePath(QStringLiteral("wizor")));
    EXPECT_EQ(normal.arguments, QStringList{startPath(QStringLiteral("2024_05_01_10_00_00.txt"))});
    EXPECT_EQ(normal.workingDirectory, startDir_.path());
    EXPECT_EQ(normal.environment.value(QStringLiteral("WIZOR_SHOW_MODE")), QStringLiteral("normal"));
    EXPECT_EQ(launcher_.started[1].environment.value(QStringLiteral("WIZOR_SHOW_MODE")), QStringLiteral("maximized"));
    EXPECT_EQ(readFile(startPath(QString::fromLatin1(kHandoffFileName))),
              readFile(startPath(QStringLiteral("2024_05_01_10_00_00.txt"))));
}

TEST_F(PresenterHandoff, WithoutASelectionCopiesNothingButStillStarts)
{
    writeFile(startPath(QString::fromLatin1(kHandoffFileName)), "previous");
    MainWindow& w = createWithFiles();
    w.fileBrowser().showChart();
    ASSERT_EQ(launcher_.started.size(), 1u);
    EXPECT_TRUE(launcher_.started[0].arguments.value(0).endsWith(QStringLiteral("/*.txt")));
    EXPECT_EQ(readFile(startPath(QString::fromLatin1(kHandoffFileName))), QByteArray("previous"));
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(PresenterHandoff, ARefusedCopyIsReportedAndTheLinkedFileKept)
{
    const QString linked = startPath(QStringLiteral("linked.cfg"));
    writeFile(linked, "kept");
    ASSERT_TRUE(QFile::link(linked, startPath(QString::fromLatin1(kHandoffFileName))));
    MainWindow& w = createWithFiles();
    w.fileBrowser().select(QStringLiteral("2024_05_01_10_00_00.txt"));
    w.fileBrowser().showChart();
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].caption, QStringLiteral("Błąd..."));
    EXPECT_FALSE(dialogs_.messages[0].text.isEmpty());
    EXPECT_EQ(readFile(linked), QByteArray("kept"));
    EXPECT_EQ(launcher_.started.size(), 1u);
}

}  // namespace
}  // namespace vorda::test
