#pragma once
// One line handed to the parser as the loader hands it: cut to kMaxLineLength characters,
// in a buffer with the padding the parser may read past the line's end.

#include "line_parser.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

inline bool parseLine(wizor::Linia1MG& parser, std::string_view line)
{
    char padded[wizor::kMaxLineLength + wizor::kLinePadding];
    const std::size_t length = std::min<std::size_t>(line.size(), wizor::kMaxLineLength);
    if (length > 0) std::memcpy(padded, line.data(), length);
    std::memset(padded + length, ' ', wizor::kLinePadding);
    return parser.ParsePaddedLine({padded, length});
}

// The file's statistics as the loader gathers them, computed directly from the parser's
// values after each data line: the finite values of the columns used.
struct DirectStatistics {
    float maxValue = -1.0e8f;
    float minValue = 1.0e8f;

    void add(const wizor::Linia1MG& parser)
    {
        for (int c = 0; c < parser.usedValueCount(); ++c) {
            const float v = parser.value(c);
            if (!std::isfinite(v)) continue;
            maxValue = v > maxValue ? v : maxValue;
            minValue = v < minValue ? v : minValue;
        }
    }
};
