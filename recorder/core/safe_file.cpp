#include "core/safe_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>

namespace vorda {

namespace {

// The context of this file's texts in the catalogue.
struct SafeFiles {
    Q_DECLARE_TR_FUNCTIONS(SafeFiles)
};

}  // namespace
namespace {

SafeFileFault g_fault = SafeFileFault::None;

// The fault for this commit, cleared so that it strikes once.
SafeFileFault takeFault()
{
    const SafeFileFault fault = g_fault;
    g_fault = SafeFileFault::None;
    return fault;
}

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

}  // namespace

void injectSafeFileFault(SafeFileFault fault)
{
    g_fault = fault;
}

QString notRegularFileProblem(const QString& path)
{
    struct stat st {};
    if (::lstat(encoded(path).constData(), &st) != 0 || S_ISREG(st.st_mode)) return {};
    return SafeFiles::tr("%1 nie jest zwykłym plikiem").arg(QDir::toNativeSeparators(path));
}

QString temporaryPathFor(const QString& path, qint64 pid)
{
    return path + QLatin1Char('.') + QString::number(pid) + QStringLiteral(".tmp");
}

void removeStaleTemporaries(const QString& path)
{
    const QFileInfo target(path);
    QDir dir = target.absoluteDir();
    const QString prefix = target.fileName() + QLatin1Char('.');
    const QStringList names =
        dir.entryList({prefix + QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        bool ok = false;
        const qint64 pid = name.mid(prefix.size()).chopped(4).toLongLong(&ok);
        if (!ok || pid <= 0) continue;
        if (pid == ::getpid() || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)) dir.remove(name);
    }
}

SafeFile::SafeFile(QString target) : target_(std::move(target)) {}

SafeFile::~SafeFile()
{
    cancel();
}

bool SafeFile::fail(const QString& problem)
{
    problem_ = problem;
    cancel();
    return false;
}

bool SafeFile::open()
{
    cancel();
    if (const QString refusal = notRegularFileProblem(target_); !refusal.isEmpty()) return fail(refusal);
    temporary_ = temporaryPathFor(target_, ::getpid());
    // A file of this name can only be left by a killed write of an earlier process that
    // had this number; it is never ours to keep.
    ::unlink(encoded(temporary_).constData());
    struct stat st {};
    const bool exists = ::stat(encoded(target_).constData(), &st) == 0;
    const int fd = ::open(encoded(temporary_).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          exists ? (st.st_mode & 07777) : 0666);
    if (fd < 0) return fail(qt_error_string(errno));
    if (exists) (void)::fchmod(fd, st.st_mode & 07777);
    if (!file_.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        ::unlink(encoded(temporary_).constData());
        return fail(file_.errorString());
    }
    pending_ = true;
    return true;
}

bool SafeFile::commit()
{
    if (!pending_) return problem_.isEmpty() ? fail(SafeFiles::tr("plik nie jest otwarty")) : false;
    const SafeFileFault fault = takeFault();
    if (fault == SafeFileFault::Abandon) {
        // What a kill leaves: the temporary file stays and the target keeps its content.
        file_.close();
        pending_ = false;
        problem_ = SafeFiles::tr("zapis porzucony");
        return false;
    }
    if (fault == SafeFileFault::Write || !file_.flush() || file_.error() != QFileDevice::NoError)
        return fail(fault == SafeFileFault::Write ? qt_error_string(ENOSPC) : file_.errorString());
    if (fault == SafeFileFault::Sync || ::fsync(file_.handle()) != 0)
        return fail(qt_error_string(fault == SafeFileFault::Sync ? EIO : errno));
    file_.close();
    // Something may have been put at the name since open(); a rename never writes into it,
    // but a FIFO or a device is still not ours to replace.
    if (const QString refusal = notRegularFileProblem(target_); !refusal.isEmpty()) return fail(refusal);
    if (fault == SafeFileFault::Rename || ::rename(encoded(temporary_).constData(), encoded(target_).constData()) != 0)
        return fail(qt_error_string(fault == SafeFileFault::Rename ? EXDEV : errno));
    pending_ = false;
    return true;
}

void SafeFile::cancel()
{
    if (!pending_) return;
    file_.close();
    ::unlink(encoded(temporary_).constData());
    pending_ = false;
}

bool writeFileWhole(const QString& path, const QByteArray& data, QString* problem)
{
    SafeFile file(path);
    QString why;
    if (!file.open()) {
        why = file.problem();
    } else if (file.device().write(data) != data.size()) {
        why = file.device().errorString();
        file.cancel();
    } else if (!file.commit()) {
        why = file.problem();
    }
    if (problem) *problem = why;
    return why.isEmpty();
}

}  // namespace vorda
