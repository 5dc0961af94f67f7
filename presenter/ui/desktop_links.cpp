#include "desktop_links.h"

#include "help_topics.h"
#include "wizor_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <string_view>
#include <vector>

namespace wizor {

void openWebPage(WizorDialogs& dialogs, QWidget* parent, const QUrl& url)
{
    if (!dialogs.openUrl(url))
        dialogs.showError(parent, QCoreApplication::translate("DesktopLinks", "System WINDOWS zgłosił bląd...."),
                          QCoreApplication::translate("DesktopLinks", "Błąd..."));
}

QString helpFilePath(const QString& startDirectory, const QString& applicationDirectory, language::Language language)
{
    std::vector<std::string_view> pages{kHelpFile};
    if (language == language::Language::English) pages.insert(pages.begin(), kEnglishHelpFile);
    const QDir program(applicationDirectory);
    for (const std::string_view page : pages) {
        const QString relative = QString::fromLatin1(page.data(), qsizetype(page.size()));
        const QString candidates[] = {
            QDir(startDirectory).filePath(relative),
            program.filePath(QStringLiteral("../") + relative),
            program.filePath(QStringLiteral("../share/vorda/") + relative),
        };
        for (const QString& path : candidates) {
            if (QFileInfo(path).isFile()) return QFileInfo(path).absoluteFilePath();
        }
    }
    return {};
}

QUrl helpUrl(const QString& helpFile, const QString& anchor)
{
    QUrl url = QUrl::fromLocalFile(helpFile);
    url.setFragment(anchor);
    return url;
}

}  // namespace wizor
