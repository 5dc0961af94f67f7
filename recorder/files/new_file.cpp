#include "files/new_file.h"

#include "core/safe_file.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorda {

namespace {

QString systemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// What stands at `path`: nothing (true, exists false), a regular file (true, exists
// true), or something the program must not replace (false, `error` set).
bool mayReplace(const QString& path, bool& exists, QString& error)
{
    struct stat st {};
    exists = ::lstat(QFile::encodeName(path).constData(), &st) == 0;
    error = notRegularFileProblem(path);
    return error.isEmpty();
}

}  // namespace

bool openRegularForWriting(QFile& file, const QString& path, QString& error)
{
    // Non-blocking, so that a FIFO without a reader fails instead of hanging; no O_TRUNC
    // before the kind of file is known.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                          0666);
    if (fd < 0) {
        error = errno == ELOOP ? notRegularFileProblem(path) : systemReason();
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        error = notRegularFileProblem(path);
        return false;
    }
    if (::ftruncate(fd, 0) != 0 || ::fcntl(fd, F_SETFL, 0) != 0) {
        error = systemReason();
        ::close(fd);
        return false;
    }
    file.setFileName(path);
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        error = file.errorString();
        ::close(fd);
        return false;
    }
    return true;
}

NewFile::~NewFile()
{
    if (!tempPath_.isEmpty()) {
        file_.close();
        ::unlink(QFile::encodeName(tempPath_).constData());
    }
}

bool NewFile::open(const QString& directory, QString& error)
{
    QByteArray pattern = QFile::encodeName(QDir(directory).filePath(QStringLiteral(".vorda-XXXXXX")));
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        error = systemReason();
        return false;
    }
    ::fchmod(fd, 0666 & ~[] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return mask;
    }());
    tempPath_ = QFile::decodeName(pattern);
    file_.setFileName(tempPath_);
    if (!file_.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        error = file_.errorString();
        ::close(fd);
        return false;
    }
    return true;
}

NewFile::Commit NewFile::commit(const QString& path, Placement placement, QString& error)
{
    if (tempPath_.isEmpty()) return Commit::Failed;
    if (file_.isOpen()) {
        if (!file_.flush() || ::fsync(file_.handle()) != 0) {
            error = file_.errorString();
            return Commit::Failed;
        }
        file_.close();
    }
    const QByteArray from = QFile::encodeName(tempPath_);
    const QByteArray to = QFile::encodeName(path);
    bool exists = false;
    if (!mayReplace(path, exists, error)) return Commit::Refused;
    if (placement == Placement::NoReplace) {
        if (exists) return Commit::Exists;
        // A file that appeared meanwhile is never replaced.
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) != 0) {
            if (errno == EEXIST) return Commit::Exists;
            error = systemReason();
            return Commit::Failed;
        }
    } else if (::rename(from.constData(), to.constData()) != 0) {
        error = systemReason();
        return Commit::Failed;
    }
    tempPath_.clear();
    return Commit::Done;
}

}  // namespace vorda
