#include "measurement_loader.h"

namespace wizor {

QString MeasurementData::channelName(int column) const { return fromWindows1250(names[column]); }
QString MeasurementData::label(std::uint32_t index) const { return fromWindows1250(labels[index].view()); }

void loadMeasurementFile(const std::string&, Linia1MG& parser, MeasurementData& out, std::size_t)
{
    parser.Reset();
    out = MeasurementData{};
}

MeasurementData loadMeasurementFile(const std::string& path, std::size_t pointLimit)
{
    Linia1MG parser;
    MeasurementData out;
    loadMeasurementFile(path, parser, out, pointLimit);
    return out;
}

bool readLines(const std::string&, LineVisitor&, std::size_t*) { return false; }

QString fromWindows1250(std::string_view bytes) { return QString::fromLatin1(bytes.data(), qsizetype(bytes.size())); }

}  // namespace wizor
