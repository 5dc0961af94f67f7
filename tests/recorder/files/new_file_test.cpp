// Opening files for writing where other programs may have put links, FIFOs or devices.

#include "files/new_file.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace vorda;

namespace {

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

TEST(NewFile, OnlyARegularFileOrANewOneIsOpenedForWriting)
{
    QTemporaryDir dir;
    const QString outside = dir.filePath(QStringLiteral("outside"));
    QFile f(outside);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("keep") == 4);
    f.close();
    ASSERT_TRUE(QFile::link(outside, dir.filePath(QStringLiteral("link"))));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo"))).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("directory")));

    const std::pair<QString, bool> cases[] = {
        {dir.filePath(QStringLiteral("new")), true},
        {outside, true},
        {dir.filePath(QStringLiteral("link")), false},
        {dir.filePath(QStringLiteral("fifo")), false},
        {dir.filePath(QStringLiteral("directory")), false},
        {QStringLiteral("/dev/null"), false},
    };
    for (const auto& [path, opens] : cases) {
        SCOPED_TRACE(path.toStdString());
        QFile file;
        QString error;
        EXPECT_EQ(openRegularForWriting(file, path, error), opens) << error.toStdString();
        EXPECT_EQ(error.isEmpty(), opens);
        if (opens) EXPECT_EQ(file.size(), 0);
    }
    EXPECT_EQ(contents(outside), QByteArray());  // the regular file itself was emptied

    // A new file never lands on a name that is taken when asked not to replace.
    ASSERT_TRUE(QFile(outside).open(QIODevice::WriteOnly | QIODevice::Truncate));
    NewFile file;
    QString error;
    ASSERT_TRUE(file.open(dir.path(), error));
    file.device().write("new");
    EXPECT_EQ(file.commit(outside, NewFile::Placement::NoReplace, error), NewFile::Commit::Exists);
    EXPECT_EQ(file.commit(dir.filePath(QStringLiteral("link")), NewFile::Placement::Replace, error),
              NewFile::Commit::Refused);
    EXPECT_EQ(file.commit(dir.filePath(QStringLiteral("free")), NewFile::Placement::NoReplace, error),
              NewFile::Commit::Done);
    EXPECT_EQ(contents(dir.filePath(QStringLiteral("free"))), QByteArray("new"));
}

}  // namespace
