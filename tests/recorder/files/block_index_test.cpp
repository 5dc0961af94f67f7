// What is home in the data directory: the index of blocks read whole and the check of
// their files, which nothing short of the file as written passes.

#include "files/block_index.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

using namespace vorda;

namespace {

const BlockIdentity kBlock{"2024-03-15", "08:00:00", 3, 10, 2, 0};
const QByteArray kText = "K1 K2 \r\n1 2\r\n3 4\r\n5 6\r\n";

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

TEST(BlockIndex, AHomeFileIsTheFileAsWrittenAndNothingElse)
{
    const QString indexName = QString::fromLatin1(kBlockIndexFileName);
    struct Case {
        const char* name;
        std::function<void(const QString& dir, const QString& file)> change;
        bool home;
    };
    const auto rewrite = [](const QByteArray& bytes) {
        return [bytes](const QString&, const QString& file) { ASSERT_TRUE(writeFile(file, bytes)); };
    };
    const Case cases[] = {
        {"untouched", [](const QString&, const QString&) {}, true},
        {"one line fewer", rewrite("K1 K2 \r\n1 2\r\n3 4\r\n"), false},
        {"one line more", rewrite(kText + "7 8\r\n"), false},
        {"one byte changed", rewrite("K1 K2 \r\n1 2\r\n3 9\r\n5 6\r\n"), false},
        {"no CR LF at the end", rewrite("K1 K2 \r\n1 2\r\n3 4\r\n5 6"), false},
        {"deleted", [](const QString&, const QString& file) { QFile::remove(file); }, false},
        // A damaged index line is no entry: the file is adopted by its line count.
        {"damaged index line",
         [&](const QString& dir, const QString&) {
             ASSERT_TRUE(writeFile(QDir(dir).filePath(indexName), "2024-03-15 08:00:00 3 10 2\tx\t\n"));
         },
         true},
        {"index naming a missing file",
         [&](const QString& dir, const QString&) {
             QFile f(QDir(dir).filePath(indexName));
             ASSERT_TRUE(f.open(QIODevice::ReadOnly));
             const QByteArray line = f.readAll().replace("2024_03_15_08_00_00.txt", "gone.txt");
             f.close();
             ASSERT_TRUE(writeFile(QDir(dir).filePath(indexName), line));
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString file = QDir(dir.path()).filePath(kBlock.fileName());
        ASSERT_TRUE(writeFile(file, kText));
        BlockIndex written = BlockIndex::load(dir.path());
        written.record(kBlock, kBlock.fileName());
        QString error;
        ASSERT_TRUE(written.save(error)) << error.toStdString();
        c.change(dir.path(), file);

        BlockIndex index = BlockIndex::load(dir.path());
        EXPECT_EQ(index.homeFile(kBlock).has_value(), c.home);
        EXPECT_EQ(index.mayReplace(kBlock, kBlock.fileName()), c.home || !QFile::exists(file));
        BlockIdentity other = kBlock;
        other.time = "09:00:00";
        EXPECT_FALSE(index.homeFile(other).has_value());
    }
}

TEST(BlockIndex, UnindexedFilesAreAdoptedByTheirDataLineCount)
{
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(kBlock.fileName());
    for (const auto& [text, adopted] : {std::pair{kText, true}, std::pair{QByteArray("K1 K2 \r\n1 2\r\n"), false},
                                        std::pair{QByteArray("K1 K2 \n1 2\n3 4\n5 6\n"), false}}) {
        ASSERT_TRUE(writeFile(file, text));
        BlockIndex index = BlockIndex::load(dir.path());
        EXPECT_EQ(index.homeFile(kBlock), adopted ? std::optional<QString>(kBlock.fileName()) : std::nullopt)
            << text.toStdString();
        EXPECT_EQ(index.mayReplace(kBlock, kBlock.fileName()), adopted);
    }
    // A file the index gives to another block is not this block's.
    BlockIndex index = BlockIndex::load(dir.path());
    ASSERT_TRUE(writeFile(file, kText));
    BlockIdentity other = kBlock;
    other.option = 1;
    index.record(other, kBlock.fileName());
    EXPECT_FALSE(index.homeFile(kBlock).has_value());
    EXPECT_FALSE(index.mayReplace(kBlock, kBlock.fileName()));
}

}  // namespace
