// Where a block's dump goes: the file "__m.mem" or a buffer in memory.

#include "link/memory_download.h"

#include "files/dump_conversion.h"
#include "files/new_file.h"

#include <QDir>
#include <QFile>

namespace vorda {

namespace {

// "__m.mem" in the start-up directory, never written through a link.
class FileDumpStore : public DumpStore {
public:
    explicit FileDumpStore(std::function<QString()> path) : path_(std::move(path)) {}
    bool create(QString& error) override { return openRegularForWriting(file_, path_(), error); }
    bool append(const QByteArray& bytes) override { return file_.write(bytes) == bytes.size(); }
    bool finish(QString& error) override
    {
        const bool ok = file_.flush();
        if (!ok) error = file_.errorString();
        file_.close();
        return ok;
    }
    ConversionResult convert(const Settings& settings, Reporter& reporter, const ConversionOptions& options) override
    {
        return convertDump(path_(), settings, reporter, options);
    }
    QString name() const override { return QDir::toNativeSeparators(path_()); }

private:
    std::function<QString()> path_;
    QFile file_;
};

}  // namespace

std::unique_ptr<DumpStore> makeFileDumpStore(std::function<QString()> path)
{
    return std::make_unique<FileDumpStore>(std::move(path));
}

bool MemoryDumpStore::create(QString&)
{
    dump.clear();
    return true;
}

bool MemoryDumpStore::append(const QByteArray& bytes)
{
    dump += bytes;
    return true;
}

ConversionResult MemoryDumpStore::convert(const Settings& settings, Reporter& reporter, const ConversionOptions&)
{
    return convertDumpInMemory(std::string_view(dump.constData(), static_cast<std::size_t>(dump.size())), settings,
                               reporter, fileText);
}

QString MemoryDumpStore::name() const
{
    return QString::fromLatin1(kDumpFileName);
}

}  // namespace vorda
