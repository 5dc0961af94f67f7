#include "line_parser.h"

namespace wizor {

FloatScan scanFloat(std::string_view) noexcept { return {}; }

Linia1MG::Linia1MG() noexcept { Reset(); }

void Linia1MG::Reset() noexcept
{
    dateText_[0] = timeText_[0] = pointLabel_[0] = 0;
    pointLabelLength_ = 0;
    for (auto& n : channelNames_) n[0] = 0;
    for (float& v : values_) v = 0;
    maxValue_ = kInitialMaxValue;
    minValue_ = kInitialMinValue;
    valueCount_ = maxValueCount_ = 0;
    dataStarted_ = false;
}

bool Linia1MG::ParseLine(std::string_view) noexcept { return false; }

void Linia1MG::setName(int, std::string_view) noexcept {}

}  // namespace wizor
