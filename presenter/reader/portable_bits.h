#pragma once
// The few processor and C library features the reader's fast paths use, behind one
// compile-time check: SSE2 on x86, a little-endian memory layout, glibc's memrchr.
// Elsewhere, or with VORDA_PORTABLE defined (cmake -DVORDA_PORTABLE=ON), the same results
// come from plain C++.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) && !defined(VORDA_PORTABLE)
#define WIZOR_SSE2 1
#include <emmintrin.h>
#else
#define WIZOR_SSE2 0
#endif

#if defined(__GLIBC__) && !defined(VORDA_PORTABLE)
#define WIZOR_MEMRCHR 1
#else
#define WIZOR_MEMRCHR 0
#endif

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ && !defined(VORDA_PORTABLE)
#define WIZOR_LITTLE_ENDIAN_LOADS 1
#else
#define WIZOR_LITTLE_ENDIAN_LOADS 0
#endif

namespace wizor {

// Eight characters at `text` as one word, the first in its lowest byte.
inline std::uint64_t loadLittle64(const char* text) noexcept
{
#if WIZOR_LITTLE_ENDIAN_LOADS
    std::uint64_t v;
    std::memcpy(&v, text, sizeof v);
    return v;
#else
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | std::uint64_t(static_cast<unsigned char>(text[i]));
    return v;
#endif
}

// The last line feed in [begin, end), or null.
inline const char* lastLineFeed(const char* begin, const char* end) noexcept
{
#if WIZOR_MEMRCHR
    return static_cast<const char*>(memrchr(begin, '\n', std::size_t(end - begin)));
#else
    for (const char* p = end; p != begin;)
        if (*--p == '\n') return p;
    return nullptr;
#endif
}

}  // namespace wizor
