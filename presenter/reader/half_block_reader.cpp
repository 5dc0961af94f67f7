#include "half_block_reader.h"

#include "portable_bits.h"

#include <algorithm>

namespace wizor {

std::size_t countLineFeeds(const char* begin, const char* end) noexcept
{
#if WIZOR_SSE2
    // 16 characters at a time: each compare adds -1 to a byte counter, and the counters are
    // summed before they can wrap.
    const __m128i lineFeed = _mm_set1_epi8('\n');
    std::size_t count = 0;
    const char* p = begin;
    while (end - p >= 16) {
        __m128i counters = _mm_setzero_si128();
        for (int round = 0; round < 255 && end - p >= 16; ++round, p += 16)
            counters =
                _mm_sub_epi8(counters, _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), lineFeed));
        const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
        count += std::size_t(_mm_cvtsi128_si32(sums)) + std::size_t(_mm_extract_epi16(sums, 4));
    }
    return count + std::size_t(std::count(p, end, '\n'));
#else
    return std::size_t(std::count(begin, end, '\n'));
#endif
}

namespace {

// The columns among the first `used` of `values` that are still unknown, one bit each.
std::uint32_t unknownColumns(const float* values, int used) noexcept
{
    std::uint32_t open = 0;
#if WIZOR_SSE2
    // Four at a time.
    const __m128i unknownBits = _mm_set1_epi32(int(kUnknownBits));
    for (int c = 0; c < used; c += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(values + c));
        open |= std::uint32_t(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(v, unknownBits)))) << c;
    }
    open &= used >= 32 ? ~std::uint32_t(0) : (std::uint32_t(1) << used) - 1;
#else
    for (int c = 0; c < used; ++c) open |= std::uint32_t(unknown(values[c])) << c;
#endif
    return open;
}

}  // namespace

void HalfBlockReader::read(const char* firstHalf, const char* begin, const char* end, std::uint64_t offset,
                           std::size_t firstLine, int shift)
{
    const std::size_t line = firstLine + countLineFeeds(firstHalf, begin);
    const float unknownValue = std::bit_cast<float>(kUnknownBits);
    std::array<float, kMaxColumns> start;
    start.fill(unknownValue);
    firstLine_ = line;
    tally_.restart(line, shift, start.data());
    parser_.Reset();
    parser_.resumeData(start.data());
    unsettled_.clear();
    cut_ = 0;
    auto onLine = [this](std::string_view text, std::uint64_t at) {
        if (!parser_.ParsePaddedLine(text)) return true;
        const float* values = parser_.values();
        const int used = parser_.usedValueCount();
        const std::uint32_t open = unknownColumns(values, used);
        if (open != 0) unsettled_.push_back({tally_.line(), open});
        tally_.add(values, used, at, [this] { return parser_.pointLabel(); });
        return true;
    };
    forEachLine(begin, end, offset, cut_, onLine);
    tally_.points().flush();
}

void HalfBlockReader::mergeInto(MeasurementData& out, LineTally& tally, std::array<float, kMaxColumns>& before,
                                int& widest)
{
    const auto settle = [&](float v, int c) { return unknown(v) ? before[std::size_t(c)] : v; };
    for (PageStart page : part_.pages) {
        for (int c = 0; c < kMaxColumns; ++c) page.values[std::size_t(c)] = settle(page.values[std::size_t(c)], c);
        out.pages.push_back(page);
    }
    const auto labelBase = static_cast<std::uint32_t>(out.labels.size());
    out.labels.insert(out.labels.end(), part_.labels.begin(), part_.labels.end());
    for (int c = 0; c < kMaxColumns; ++c) {
        ColumnPoints& into = out.columns[std::size_t(c)];
        const ColumnPoints& from = part_.columns[std::size_t(c)];
        const std::size_t at = into.values.size();
        into.values.insert(into.values.end(), from.values.begin(), from.values.end());
        // A column's value, once set in the half, stays known: the unknown ones come first.
        for (std::size_t k = at; k < into.values.size() && unknown(into.values[k]); ++k)
            into.values[k] = before[std::size_t(c)];
        into.labelIndex.resize(at + from.labelIndex.size());
        for (std::size_t k = 0; k < from.labelIndex.size(); ++k)
            into.labelIndex[at + k] = from.labelIndex[k] + labelBase;
    }
    for (std::size_t w = 0; w < tally_.widths().size(); ++w)
        for (std::size_t c = 0; c < w; ++c) out.columns[c].totalPoints += tally_.widths()[w];
    tally.overview().merge(tally_.overview());
    for (const Unsettled& line : unsettled_) {
        for (int c = 0; c < kMaxColumns; ++c)
            if (line.columns >> c & 1) tally.overview().include(line.line, c, before[std::size_t(c)]);
    }
    widest = std::max(widest, parser_.maxValueCount());
    out.longLines += cut_;
    for (int c = 0; c < kMaxColumns; ++c) before[std::size_t(c)] = settle(parser_.values()[c], c);
}

}  // namespace wizor
