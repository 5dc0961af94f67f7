#include "byte_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace wizor {

FileSource::FileSource(const std::string& path)
{
    // O_NONBLOCK: opening a FIFO does not wait for a writer; the type is checked before
    // anything is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return;
    }
    fd_ = fd;
    size_ = std::uint64_t(status.st_size);
}

FileSource::~FileSource()
{
    if (fd_ >= 0) ::close(fd_);
}

std::size_t FileSource::readAt(char* into, std::size_t count, std::uint64_t offset)
{
    // A file that grows meanwhile is read up to its size at the open (the next live-view
    // refresh sees the rest), so the work of one load is bounded.
    if (offset >= size_) return 0;
    count = std::size_t(std::min<std::uint64_t>(count, size_ - offset));
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n = ::pread(fd_, into + got, count - got, off_t(offset + got));
        if (n <= 0) break;
        got += std::size_t(n);
    }
    return got;
}

std::size_t MemorySource::readAt(char* into, std::size_t count, std::uint64_t offset)
{
    if (offset >= bytes_.size()) return 0;
    const std::size_t n = std::min<std::size_t>(count, bytes_.size() - std::size_t(offset));
    std::memcpy(into, bytes_.data() + offset, n);
    return n;
}

}  // namespace wizor
