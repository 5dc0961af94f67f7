// The presenter's line parser, one line after another as a file gives them: stamps, names
// and the point label stay within their buffers, a data line has at most 33 values, and
// every value token read whole holds the value the C library's strtof reads from it.

#include "fuzz_check.h"
#include "presenter/reader/parse_line.h"

#include "line_parser.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace wizor;

namespace {

// The values of a data line whose tokens are plain: blank means space only, no NUL, no
// token cut to kMaxTokenLength, no "nan(...)" form. Conversion stops at the first token
// not read whole, as the parser's does.
void checkValues(std::string_view line, const Linia1MG& p, bool timeOnly)
{
    if (line.size() > std::size_t(kMaxLineLength)) return;
    for (const char c : line)
        if (c == '\0' || c == '(' || (c >= '\t' && c <= '\r')) return;
    const std::vector<std::string> t = vorda::fuzz::blankTokens(line);
    const std::size_t first = timeOnly ? 1 : 2;
    for (std::size_t c = 0; c < std::size_t(kMaxColumns) && first + c < t.size(); ++c) {
        const std::string& token = t[first + c];
        if (token.size() >= std::size_t(kMaxTokenLength)) return;
        char* end = nullptr;
        const float expected = std::strtof(token.c_str(), &end);
        // A token read only in part ("0x", "1e+") may be refused by the %f rules, which
        // keep the earlier value: only tokens strtof reads whole are compared.
        if (end == token.c_str() || *end != '\0') return;
        const float got = p.value(int(c));
        if (!(std::memcmp(&got, &expected, sizeof got) == 0 || (std::isnan(got) && std::isnan(expected))))
            std::fprintf(stderr, "token \"%s\": %.9g, strtof %.9g\n", token.c_str(), double(got), double(expected));
        FUZZ_CHECK(std::memcmp(&got, &expected, sizeof got) == 0 || (std::isnan(got) && std::isnan(expected)));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Linia1MG p;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;

        const bool data = parseLine(p, line);
        FUZZ_CHECK(p.dateText().size() <= std::size_t(kMaxStampLength));
        FUZZ_CHECK(p.timeText().size() <= std::size_t(kMaxStampLength));
        for (int c = 0; c < kMaxColumns; ++c) FUZZ_CHECK(p.channelName(c).size() <= std::size_t(kMaxNameLength));
        if (!data) continue;
        FUZZ_CHECK(p.dataStarted());
        FUZZ_CHECK(p.valueCount() >= 0 && p.valueCount() <= kMaxColumns + 1);
        FUZZ_CHECK(p.maxValueCount() >= p.usedValueCount());
        FUZZ_CHECK(p.pointLabel().size() <= std::size_t(2 * kMaxStampLength + 1));
        checkValues(line, p, p.dateText().empty());
    }
    return 0;
}
