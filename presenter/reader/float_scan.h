#pragma once
// Values as the "%f" conversion of formatted input reads them in the C locale, whatever
// the program's locale is: the line parser's conversion of one value token.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wizor {

// Mantissas up to this value are exact in a float.
inline constexpr std::uint64_t kExactFloatInteger = std::uint64_t(1) << 24;

// The result of reading `token` and how many characters the conversion consumed. `ok` is
// false when nothing could be read; `consumed` may then be anything.
struct FloatScan {
    bool ok = false;
    float value = 0.0f;
    std::size_t consumed = 0;
};
FloatScan scanFloat(std::string_view token) noexcept;

}  // namespace wizor
