#pragma once
// Invariant checks of the fuzz targets. A broken invariant prints what broke and aborts,
// so libFuzzer keeps the input as a crash and the corpus replay fails on it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace vorda::fuzz {

// The blank-separated tokens of a line (runs of blanks count as one).
inline std::vector<std::string> blankTokens(std::string_view line)
{
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ') ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ') ++i;
        if (i > start) out.emplace_back(line.substr(start, i - start));
    }
    return out;
}

// Reads the input front to back: small numbers steer a target, the rest is its data.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    // Up to `n` bytes, fewer at the end of the input.
    std::string_view bytes(std::size_t n)
    {
        const std::size_t take = n < size_ - pos_ ? n : size_ - pos_;
        std::string_view out(reinterpret_cast<const char*>(data_) + pos_, take);
        pos_ += take;
        return out;
    }
    // Up to the next `separator` (not included) or the end; the separator is consumed.
    std::string_view until(char separator)
    {
        std::string_view rest = remaining();
        const std::size_t at = rest.find(separator);
        if (at == std::string_view::npos) {
            pos_ = size_;
            return rest;
        }
        pos_ += at + 1;
        return rest.substr(0, at);
    }
    std::string_view remaining() const { return {reinterpret_cast<const char*>(data_) + pos_, size_ - pos_}; }
    bool empty() const { return pos_ >= size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace vorda::fuzz
