#pragma once
// Writing files into directories the user shares with other programs (the data
// directory, the start-up directory): never through a symbolic link standing at the
// name, never onto something that is not a regular file, and a file written whole
// appears under its name at once or not at all. Beside the core's SafeFile, whose
// target is named before writing, a NewFile learns its name when it is complete and can
// be placed only where no file is.

#include <QFile>
#include <QString>

namespace vorda {

// Opens `path` for writing, emptied, creating it when it does not exist. Refuses a final
// symbolic link and anything that is not a regular file (a FIFO, a device, a directory);
// `error` then says why.
bool openRegularForWriting(QFile& file, const QString& path, QString& error);

// A new file written beside its final name and renamed into place when complete; removed
// when it is not committed.
class NewFile {
public:
    NewFile() = default;
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile();

    // Creates the temporary file in `directory`.
    bool open(const QString& directory, QString& error);
    QFile& device() { return file_; }

    enum class Placement {
        Replace,    // over a regular file of that name, if there is one
        NoReplace,  // only where no file of that name exists
    };
    enum class Commit { Done, Exists, Refused, Failed };

    // Flushes and moves the file to `path`. Exists: NoReplace found a file there.
    // Refused: a symbolic link or something not a regular file stands at `path`.
    Commit commit(const QString& path, Placement placement, QString& error);

private:
    QFile file_;
    QString tempPath_;
};

}  // namespace vorda
