#pragma once
// Writing a file so that nothing but a whole new regular file ever appears at its name:
// the bytes go to a new temporary file "NAME.PID.tmp" beside the target (created
// exclusively, never through a link) and are renamed over the name when complete. A
// target that exists and is not a regular file (a FIFO, a device, a directory, a
// symbolic link, which is not followed) is refused and left as it is.

#include <QFile>
#include <QString>

#include <optional>

namespace vorda {

// "PATH nie jest zwykłym plikiem" when something other than a regular file stands at
// `path` (a link counts as itself, not as what it points to); empty when nothing or a
// regular file does.
QString notRegularFileProblem(const QString& path);

// The temporary file of a write by process `pid`: "NAME.PID.tmp" beside `path`.
QString temporaryPathFor(const QString& path, qint64 pid);

// Removes the temporary files that writes killed before their rename left beside
// `path`: those of processes that no longer run, and this process's own.
void removeStaleTemporaries(const QString& path);

// One file written as a whole: open(), write to device(), commit(). A SafeFile destroyed
// or failed before commit() removes its temporary file and leaves the target as it was.
class SafeFile {
public:
    explicit SafeFile(QString target);
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Refuses a target that is not a regular file; otherwise creates the temporary file,
    // with the target's permissions when it exists.
    bool open();
    QIODevice& device() { return file_; }
    // Flushes, syncs to disk and renames the temporary file over the target.
    bool commit();
    // Drops what was written; the target stays as it was.
    void cancel();

    // Why open() or commit() failed: the refusal, or the system's reason.
    const QString& problem() const { return problem_; }
    const QString& target() const { return target_; }

private:
    bool fail(const QString& problem);

    QString target_;
    QString temporary_;
    QFile file_;
    QString problem_;
    bool pending_ = false;
};

// Writes `data` to `path` through a SafeFile. On failure `problem` says why.
bool writeFileWhole(const QString& path, const QByteArray& data, QString* problem = nullptr);

// The step at which the next commit() fails, for the tests of what a failed or killed
// write leaves behind. `Abandon` stops before the rename and leaves the temporary file,
// as a process killed at that moment does.
enum class SafeFileFault { None, Write, Sync, Rename, Abandon };
void injectSafeFileFault(SafeFileFault fault);

}  // namespace vorda
