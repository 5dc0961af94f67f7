#include "files/presenter_handoff.h"

#include "core/safe_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vorda {

QString presenterArgument(const QString& listDirectory, const QString& fileNameText)
{
    if (QDir::isAbsolutePath(fileNameText)) return fileNameText;
    return QDir(listDirectory).absolutePath() + QLatin1Char('/') + fileNameText;
}

bool writeHandoffCopy(const QString& sourcePath, const QString& startDir, QString* problem)
{
    auto fail = [problem](const QString& why) {
        if (problem) *problem = why;
        return false;
    };
    QFile source(sourcePath);
    if (!QFileInfo(sourcePath).isFile() || !source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(sourcePath), source.errorString()));
    SafeFile target(QDir(startDir).filePath(QString::fromLatin1(kHandoffFileName)));
    if (!target.open()) return fail(target.problem());
    char buffer[1 << 16];
    for (qint64 n; (n = source.read(buffer, sizeof buffer)) != 0;) {
        if (n < 0) return fail(source.errorString());
        if (target.device().write(buffer, n) != n) return fail(target.device().errorString());
    }
    return target.commit() || fail(target.problem());
}

}  // namespace vorda
