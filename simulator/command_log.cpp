#include "command_log.h"

namespace recsim {

std::string escapeCommand(std::string_view bytes)
{
    static constexpr char hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '\\') {
            out += "\\\\";
        } else if (b >= 0x20 && b < 0x7F) {
            out.push_back(c);
        } else {
            out += "\\x";
            out.push_back(hex[b >> 4]);
            out.push_back(hex[b & 0x0F]);
        }
    }
    return out;
}

}  // namespace recsim
