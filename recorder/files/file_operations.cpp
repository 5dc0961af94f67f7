#include "files/file_operations.h"

#include "core/settings_record.h"
#include "core/text_codec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vorda {

std::vector<DirectoryEntry> listDirectory(const QString& dir, const QString& mask)
{
    std::vector<DirectoryEntry> entries;
    const QDir d(dir);
    if (!d.exists()) return entries;

    if (!d.isRoot()) entries.push_back({QStringLiteral(".."), true});
    // QDir also lets through links to devices and other non-directories here.
    for (const QFileInfo& info : d.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        if (info.isDir()) entries.push_back({info.fileName(), true});
    for (const QFileInfo& info : d.entryInfoList({mask}, QDir::Files, QDir::Name | QDir::IgnoreCase))
        entries.push_back({info.fileName(), false});
    return entries;
}

QString dataDirectoryPath(const Settings& settings)
{
    return QDir::fromNativeSeparators(fromWin1250(fieldText(settings.dataDirectory)));
}

QString missingDataDirectoryText(const QString& directory)
{
    return QCoreApplication::translate("FileOperations",
                                       "Katalog danych '%1' nie istnieje.\nPlik pomiarowy nie został zapisany.")
        .arg(QDir::toNativeSeparators(directory));
}

QString resolveFileName(const QString& dir, const QString& fileNameText)
{
    if (QDir::isAbsolutePath(fileNameText)) return fileNameText;
    return QDir(dir).filePath(fileNameText);
}

bool deleteFileIfExists(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile()) return false;
    return QFile::remove(path);
}

}  // namespace vorda
