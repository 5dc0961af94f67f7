#pragma once
// The file browser's view of the data directory: measurement files ("*.txt") and
// subdirectories, and the commands' path handling.

#include <QString>

#include <vector>

namespace vorda {

struct Settings;

inline constexpr char kMeasurementMask[] = "*.txt";

struct DirectoryEntry {
    QString name;
    bool isDirectory = false;
};

// The subdirectories of `dir` (".." first when there is a parent), then the visible files
// matching `mask` (case-insensitive, as on the recorder's home platform), each group by name.
std::vector<DirectoryEntry> listDirectory(const QString& dir,
                                          const QString& mask = QString::fromLatin1(kMeasurementMask));

// The path that the file-name box text names: a full path as it is, a bare name in `dir`.
QString resolveFileName(const QString& dir, const QString& fileNameText);

// The data directory the settings name, with '/' separators: where measurement files
// are written and listed.
QString dataDirectoryPath(const Settings& settings);

// The report of a data directory that is not there: nothing is written elsewhere.
QString missingDataDirectoryText(const QString& directory);

// Deletes the named file if it exists and is a file; true when a file was deleted.
// A name that matches nothing (the mask "*.txt" among them) deletes nothing.
bool deleteFileIfExists(const QString& path);

}  // namespace vorda
