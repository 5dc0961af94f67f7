#include "desktop_links.h"

#include "help_topics.h"
#include "wizor_dialogs.h"

#include <QDir>
#include <QFileInfo>

namespace wizor {

void openWebPage(WizorDialogs& dialogs, QWidget* parent, const QUrl& url)
{
    if (!dialogs.openUrl(url))
        dialogs.showError(parent, QStringLiteral("System WINDOWS zgłosił bląd...."), QStringLiteral("Błąd..."));
}

QString helpFilePath(const QString& startDirectory, const QString& applicationDirectory)
{
    const QString relative = QString::fromLatin1(kHelpFile.data(), qsizetype(kHelpFile.size()));
    const QDir program(applicationDirectory);
    const QString candidates[] = {
        QDir(startDirectory).filePath(relative),
        program.filePath(QStringLiteral("../") + relative),
        program.filePath(QStringLiteral("../share/vorda/") + relative),
    };
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile()) return QFileInfo(path).absoluteFilePath();
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
