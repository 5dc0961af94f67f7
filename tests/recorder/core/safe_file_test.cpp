// Whole-file writes: refusals of what is not a regular file, and what failed or killed
// writes leave behind.

#include "core/safe_file.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace vorda {
namespace {

class SafeFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    void put(const char* name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray content(const char* name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
    }
    QStringList names() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
};

TEST_F(SafeFileTest, WhatIsNotARegularFileIsRefusedAndLeftAsItIs)
{
    put("real", "old");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    ASSERT_TRUE(QFile::link(path("real"), path("link")));
    ASSERT_TRUE(QFile::link(path("gone"), path("dangling")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), path("device")));
    const QStringList before = names();

    for (const char* name : {"fifo", "folder", "link", "dangling", "device"}) {
        SCOPED_TRACE(name);
        QString problem;
        EXPECT_FALSE(writeFileWhole(path(name), "new", &problem));
        EXPECT_EQ(problem, path(name) + QString::fromUtf8(" nie jest zwykłym plikiem"));
    }
    EXPECT_EQ(names(), before) << "nothing created, nothing replaced";
    EXPECT_EQ(content("real"), "old") << "a link is not written through";
    EXPECT_FALSE(QFileInfo::exists(path("gone")));
}

TEST_F(SafeFileTest, AWriteReplacesARegularFileKeepingItsPermissions)
{
    put("file", "old");
    ASSERT_TRUE(QFile::setPermissions(path("file"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    EXPECT_TRUE(writeFileWhole(path("file"), "new"));
    EXPECT_TRUE(writeFileWhole(path("fresh"), "one"));
    EXPECT_EQ(content("file"), "new");
    EXPECT_EQ(content("fresh"), "one");
    EXPECT_EQ(QFile::permissions(path("file")) & (QFile::ReadOther | QFile::WriteOther), QFile::ReadOther);
    EXPECT_EQ(names(), (QStringList{QStringLiteral("file"), QStringLiteral("fresh")}));
}

TEST_F(SafeFileTest, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary)
{
    for (const SafeFileFault fault : {SafeFileFault::Write, SafeFileFault::Sync, SafeFileFault::Rename}) {
        SCOPED_TRACE(static_cast<int>(fault));
        put("file", "old");
        injectSafeFileFault(fault);
        QString problem;
        EXPECT_FALSE(writeFileWhole(path("file"), "new", &problem));
        EXPECT_FALSE(problem.isEmpty());
        EXPECT_EQ(content("file"), "old");
        EXPECT_EQ(names(), QStringList{QStringLiteral("file")});
    }
}

TEST_F(SafeFileTest, AKilledWriteLeavesTheOldFileAndATemporaryTheNextStartRemoves)
{
    put("file", "old");
    put("file.2147483000.tmp", "of a process that is gone");
    put("file.1.tmp", "of a process that runs");
    injectSafeFileFault(SafeFileFault::Abandon);
    EXPECT_FALSE(writeFileWhole(path("file"), "new"));
    EXPECT_EQ(content("file"), "old");
    const QString mine = temporaryPathFor(path("file"), ::getpid());
    EXPECT_TRUE(QFileInfo::exists(mine));

    removeStaleTemporaries(path("file"));
    EXPECT_FALSE(QFileInfo::exists(mine));
    EXPECT_EQ(names(), (QStringList{QStringLiteral("file"), QStringLiteral("file.1.tmp")}));
}

}  // namespace
}  // namespace vorda
