#include "files/presenter_handoff.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vorda {

QString presenterArgument(const QString& listDirectory, const QString& fileNameText)
{
    if (QDir::isAbsolutePath(fileNameText)) return fileNameText;
    return QDir(listDirectory).absolutePath() + QLatin1Char('/') + fileNameText;
}

bool writeHandoffCopy(const QString& sourcePath, const QString& startDir)
{
    if (!QFileInfo(sourcePath).isFile()) return false;
    const QString target = QDir(startDir).filePath(QString::fromLatin1(kHandoffFileName));
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(sourcePath, partial)) return false;
    QFile::remove(target);
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        return false;
    }
    return true;
}

}  // namespace vorda
