#include "calibration/constants_report.h"

#include "core/number_text.h"

#include "core/settings_record.h"
#include "core/text_codec.h"
#include "files/measurement_file.h"

#include <QCoreApplication>
#include <algorithm>
#include <charconv>

namespace vorda {
namespace {

// Appends `text` right-aligned in `width` characters (longer text in full), as "%*s" does.
void appendRight(std::string& out, std::string_view text, std::size_t width)
{
    if (text.size() < width) out.append(width - text.size(), ' ');
    out.append(text);
}

void appendFixed(std::string& out, double value, int width, int precision)
{
    out += fixedText(value, precision, width);
}

}  // namespace

std::string constantsReportLine(int channel, const ChannelSettings& ch)
{
    std::string line = " ";
    char number[16];
    const auto end = std::to_chars(number, number + sizeof number, channel).ptr;
    appendRight(line, std::string_view(number, static_cast<std::size_t>(end - number)), 2);
    line += "  ";
    appendRight(line, fieldText(ch.name), 10);
    line += ' ';
    appendFixed(line, ch.valuePoint1, 8, 3);
    line += ' ';
    appendFixed(line, ch.valuePoint2, 8, 3);
    line += "      ";
    appendFixed(line, ch.slopeSB, 8, 6);
    line += "    ";
    appendFixed(line, ch.offsetSC, 8, 4);
    return line;
}

QStringList constantsReportLines(const Settings& settings)
{
    QStringList lines{
        QCoreApplication::translate("ConstantsReport",
                                    " Numer   Nazwa   Wartość_punktów_kalib.  Stałe_kalibracji(S_B,S_C)  "),
        QCoreApplication::translate("ConstantsReport",
                                    "kanału  czujnika   Punkt1   Punkt2       Nachylenie Przesunięcie    "),
    };
    // Channels 1 to channelsUsed, as stored: none for 0 or less, at most the table's 16.
    const int last = std::min<std::int32_t>(settings.channelsUsed, kMaxChannels);
    for (int c = 1; c <= last; ++c) lines << fromWin1250(constantsReportLine(c, settings.channel(c)));
    const QString nameless = namelessChannelsNote(settings);
    if (!nameless.isEmpty()) lines << nameless;
    return lines;
}

QString namelessChannelsNote(const Settings& settings)
{
    const std::vector<int> channels = namelessUsedChannels(settings);
    if (channels.empty()) return QString();
    QStringList numbers;
    for (const int c : channels) numbers << QString::number(c);
    if (channels.size() == 1)
        return QString::fromUtf8("Kanał %1 nie ma nazwy czujnika i nie jest zapisywany do plików pomiarów.")
            .arg(numbers.first());
    return QString::fromUtf8("Kanały %1 nie mają nazwy czujnika i nie są zapisywane do plików pomiarów.")
        .arg(numbers.join(QStringLiteral(", ")));
}

}  // namespace vorda
