#include "overview_runs.h"

#include "portable_bits.h"

#include <cmath>
#include <cstring>

namespace wizor {

// An infinite value (a number too large for a float) would leave no drawable range for the
// fit, so only finite values count; NaN never compares anyway.
void addToStatistics(const float* values, int count, float* high, float* low) noexcept
{
#if WIZOR_SSE2
    // Four columns at a time: v + v * 0 is v for a finite v (its sign of zero kept) and NaN
    // otherwise, the columns past `count` are made NaN, and max and min pass over a NaN in
    // their first operand.
    static const __m128i kPastCount[4] = {_mm_setzero_si128(), _mm_setr_epi32(0, -1, -1, -1),
                                          _mm_setr_epi32(0, 0, -1, -1), _mm_setr_epi32(0, 0, 0, -1)};
    for (int c = 0; c < count; c += 4) {
        __m128 v = _mm_loadu_ps(values + c);
        v = _mm_add_ps(v, _mm_mul_ps(v, _mm_setzero_ps()));
        if (count - c < 4) v = _mm_or_ps(v, _mm_castsi128_ps(kPastCount[count - c]));
        _mm_storeu_ps(high + c, _mm_max_ps(v, _mm_loadu_ps(high + c)));
        _mm_storeu_ps(low + c, _mm_min_ps(v, _mm_loadu_ps(low + c)));
    }
#else
    for (int c = 0; c < count; ++c) {
        const float v = values[c];
        if (!std::isfinite(v)) continue;
        high[c] = v > high[c] ? v : high[c];
        low[c] = v < low[c] ? v : low[c];
    }
#endif
}

void appendLabel(std::vector<PointLabel>& labels, std::string_view label)
{
    PointLabel& stored = labels.emplace_back();
    std::memcpy(stored.text, label.data(), label.size());
    stored.length = static_cast<std::uint8_t>(label.size());
}

}  // namespace wizor
