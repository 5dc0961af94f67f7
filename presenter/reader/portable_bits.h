#pragma once
// The few processor and C library features the reader's fast paths use, behind one
// compile-time check: SSE2 on x86 and glibc's memrchr. Elsewhere, or with VORDA_PORTABLE
// defined (cmake -DVORDA_PORTABLE=ON), the same results come from plain C++.

#include <algorithm>
#include <cstddef>
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

namespace wizor {

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
