#pragma once
// The command log: one line per command received, bytes escaped so that every
// byte value survives a text line.

#include <string>
#include <string_view>

namespace recsim {

// Printable ASCII stays as it is (the blank included); a backslash becomes "\\";
// every other byte becomes "\xHH" with two lower-case hex digits.
std::string escapeCommand(std::string_view bytes);

}  // namespace recsim
