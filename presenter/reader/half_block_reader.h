#pragma once
// The second half of a large block, parsed on another core while this one parses the
// first. Internal to the loader.

#include "line_parser.h"
#include "line_reader.h"
#include "page_points.h"

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace wizor {

// The line feeds in [begin, end).
std::size_t countLineFeeds(const char* begin, const char* end) noexcept;

// A NaN that no conversion gives: a value not known yet in the second half of a block.
inline constexpr std::uint32_t kUnknownBits = 0x7FC0DEADU;

inline bool unknown(float v) noexcept
{
    return std::bit_cast<std::uint32_t>(v) == kUnknownBits;
}

// The second half of a block, parsed on another core into a tally of its own. It takes every
// line of the first half for a data line to know where it begins (the merge checks that),
// and starts in the data part with every value unknown: a line that uses a value no line of
// the half has set yet is noted, and the merge fills in what the first half ended with.
class HalfBlockReader {
public:
    HalfBlockReader(std::size_t pointFirst, std::size_t pointCount) : tally_(part_, pointFirst, pointCount) {}

    // Parses the lines of [begin, end), which begin `offset` bytes into the file; the lines
    // of [firstHalf, begin) come before them, after data line `firstLine`; the overview's
    // runs are `shift` long.
    void read(const char* firstHalf, const char* begin, const char* end, std::uint64_t offset, std::size_t firstLine,
              int shift);

    // Merges the half into `out` and `tally`, whose lines come before it; `before` holds the
    // values the first half ended with, and becomes the values after the second half.
    void mergeInto(MeasurementData& out, LineTally& tally, std::array<float, kMaxColumns>& before, int& widest);

    // The data line the half began with, and the one after it.
    std::size_t firstLine() const noexcept { return firstLine_; }
    std::size_t lineAfter() const noexcept { return tally_.line(); }

private:
    struct Unsettled {
        std::size_t line;
        std::uint32_t columns;
    };
    MeasurementData part_;
    LineTally tally_;
    Linia1MG parser_;
    std::vector<Unsettled> unsettled_;
    std::size_t cut_ = 0;
    std::size_t firstLine_ = 0;
};

}  // namespace wizor
