#pragma once
// Where the loader's bytes come from: a regular file, read by offset, or a buffer in
// memory (the fuzz target and the tests).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace wizor {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `count` bytes at `offset`; how many were read (fewer only at the end).
    virtual std::size_t readAt(char* into, std::size_t count, std::uint64_t offset) = 0;
    // The size when opened: nothing past it is read.
    virtual std::uint64_t size() const noexcept = 0;
    virtual bool isFile() const noexcept { return false; }
};

// A regular file. Anything else (a device such as /dev/zero, a FIFO, a directory) is
// refused without reading from it, and without waiting for a FIFO's writer.
class FileSource : public ByteSource {
public:
    explicit FileSource(const std::string& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    bool opened() const noexcept { return fd_ >= 0; }
    std::size_t readAt(char* into, std::size_t count, std::uint64_t offset) override;
    std::uint64_t size() const noexcept override { return size_; }
    bool isFile() const noexcept override { return true; }

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::size_t readAt(char* into, std::size_t count, std::uint64_t offset) override;
    std::uint64_t size() const noexcept override { return bytes_.size(); }

private:
    std::string_view bytes_;
};

}  // namespace wizor
