#include "calibration/channel_constants.h"

#include "core/text_codec.h"

#include <QCoreApplication>

#include <algorithm>

namespace vorda {
namespace {

// The context of this file's texts in the catalogue.
struct ChannelConstants {
    Q_DECLARE_TR_FUNCTIONS(ChannelConstants)
};

QString rowName(const char* pattern, int channel)
{
    const QString p = QString::fromUtf8(pattern);
    if (p == QLatin1String("k%")) return QStringLiteral("k%1").arg(channel);
    if (p == QLatin1String("T%")) return QStringLiteral("T%1").arg(channel);
    if (p == QLatin1String("T%even")) return channel % 2 == 0 ? QStringLiteral("T%1").arg(channel) : QString();
    return p;
}

// -42.09 goes into the field as the double's general-format text, like any stored value.
const char* const kPt500Offset = "-42,09";

}  // namespace

void loadChannelFields(const Settings& settings, ConstantsEditorFields& fields)
{
    const ChannelSettings& ch = settings.channel(fields.channel);
    fields.sb = commaText(ch.slopeSB);
    fields.sc = commaText(ch.offsetSC);
    fields.sa = commaText(ch.linearSA);
    fields.name = fromWin1250(fieldText(ch.name));
    // A format outside the list shows as "0", so a store never writes one back.
    fields.format = ch.numberFormat >= 0 && ch.numberFormat <= 3 ? ch.numberFormat : 0;
    fields.chart = fromWin1250(fieldText(settings.chartParameters));
}

std::optional<FieldError> storeChannelFields(Settings& settings, const ConstantsEditorFields& fields)
{
    ChannelSettings& ch = settings.channel(fields.channel);
    const std::pair<const QString&, QString> numbers[] = {{fields.sb, ChannelConstants::tr("Stała S_B, wzmocnienie.")},
                                                          {fields.sc, ChannelConstants::tr("Stała S_C,  Zero.")},
                                                          {fields.sa, ChannelConstants::tr("Stała S_A, linearyzacja")}};
    double* targets[] = {&ch.slopeSB, &ch.offsetSC, &ch.linearSA};
    for (int i = 0; i < 3; ++i) {
        const auto value = readCommaNumber(numbers[i].first);
        if (!value) return FieldError{numbers[i].second, numbers[i].first};
        *targets[i] = *value;
    }
    setFieldText(ch.name, toWin1250Lossy(fields.name));
    ch.numberFormat = fields.format;
    setFieldText(settings.chartParameters, toWin1250Lossy(fields.chart.left(kChartTextMax)));
    return std::nullopt;
}

std::optional<FieldError> changeChannel(Settings& settings, ConstantsEditorFields& fields, int channel)
{
    if (auto error = storeChannelFields(settings, fields)) return error;
    fields.channel = std::clamp(channel, 1, fields.channelMax);
    loadChannelFields(settings, fields);
    return std::nullopt;
}

QString presetCaption(const SensorPreset& preset)
{
    return ChannelConstants::tr(preset.caption);
}

const std::vector<SensorPreset>& sensorPresets()
{
    static const std::vector<SensorPreset> presets = {
        {"Button1", "0-1000mV.", true, nullptr, false, true, {{0, 0, "15,259", "0", 1, "k%"}}, {}},
        {"Button2",
         QT_TRANSLATE_NOOP("ChannelConstants", "16 wejść napięciowych 0-1000mV"),
         true,
         " MAX 1100 MIN 0",
         false,
         false,
         {{1, 16, "15,259", "0", 1, "k%"}},
         {nullptr, nullptr, -1, "k1"}},
        {"Button3",
         QT_TRANSLATE_NOOP("ChannelConstants", "8 wejść temperatur PT500"),
         false,
         " MAX 150 MIN -40",
         false,
         false,
         {{1, 16, "2,913", kPt500Offset, 1, "T%even"}},
         {nullptr, nullptr, -1, ""}},
        {"Button4",
         QT_TRANSLATE_NOOP("ChannelConstants", "16 wejść napięciowych 0-4000mV"),
         false,
         " MAX 4000 MIN 0",
         false,
         false,
         {{1, 16, "61,036", "0", 0, "k%"}},
         {nullptr, nullptr, -1, "k1"}},
        {"Button5",
         QT_TRANSLATE_NOOP("ChannelConstants", "4 wejścia 0-100mV i 4 wejścia PT500 "),
         false,
         " MAX 150 MIN -40",
         false,
         false,
         {{1, 8, "1,5635", "0", 1, "T%even"}, {9, 16, "2,913", kPt500Offset, 1, "T%even"}},
         {"1,5635", "0", 1, ""}},
        {"Button6",
         QT_TRANSLATE_NOOP("ChannelConstants", "k1(siła) 0-200KG, k2(przes.) 0-1000mm"),
         false,
         " MAX 1500 MIN 0",
         false,
         false,
         {{2, 2, "16,01", "-8,18", 1, "Przes"}, {3, 16, "15,259", "0", 1, ""}, {1, 1, "0,807", "-0,635", 1, "Sila"}},
         {}},
        {"Button7",
         QT_TRANSLATE_NOOP("ChannelConstants", "k1,k2 przesunięcie 10mm, k3 obroty"),
         false,
         " MAX 1100 MIN 0",
         false,
         false,
         {{2, 2, "0,263", "0", 2, "Przes2"},
          {3, 3, "1,5259", "0", 1, "Obroty"},
          {4, 16, "15,259", "0", 1, ""},
          {1, 1, "0,263", "0", 2, "Przes1"}},
         {}},
        {"Button8",
         "4x0-25mm ; 2x 0-50m/s2",
         false,
         " MAX 25 MIN -5",
         false,
         false,
         {{1, 4, "0,41", "-1", 2, "k%"},
          {5, 5, "2,972", "-83", 1, "k5A1"},
          {6, 6, "2,67", "-74", 1, "k6A2"},
          {7, 16, "15", "0", 1, ""}},
         {"0,4", "-1", 2, "k1"}},
        {"Button10",
         QT_TRANSLATE_NOOP("ChannelConstants", "8 wejść analogowych; 8 liczników"),
         false,
         " MAX 1100 MIN 0",
         false,
         false,
         {{1, 16, "15,259", "0", 1, "k%"}},
         {nullptr, nullptr, -1, "k1"}},
        {"Button11",
         QT_TRANSLATE_NOOP("ChannelConstants", "2xtemperat.;2xprzepływ.;2xcisnien."),
         false,
         " MAX 150 MIN 0",
         true,
         false,
         {{2, 2, "1,221", "0", 1, "V1"},
          {5, 5, "1,2207", "0", 1, "V2"},
          {3, 3, "0,76295", "-10", 1, "P1"},
          {6, 6, "0,76295", "-10", 1, "P2"},
          {4, 4, "4,009", "-4", 1, "T2"},
          {1, 1, "4,009", "-4", 1, "T1"}},
         {}},
        {"Button12",
         "3xI(4-20mA)+3xPT1000+2xU(0-100mV)",
         false,
         " MAX 100 MIN -40",
         true,
         false,
         {{4, 4, "1,82105", "-51,5", 1, "T1"},
          {5, 5, "1,82105", "-51,5", 1, "T2"},
          {6, 6, "1,82105", "-51,5", 1, "T3"},
          {7, 7, "1,65058", "-0,94", 1, "U1"},
          {8, 8, "1,65058", "-0,94", 1, "U2"},
          {3, 3, "2,062408", "-26,03", 1, "I3"},
          {2, 2, "2,062408", "-26,03", 1, "I2"},
          {1, 1, "2,062408", "-26,03", 1, "I1"}},
         {}},
    };
    return presets;
}

std::optional<FieldError> applyPreset(Settings& settings, ConstantsEditorFields& fields, const SensorPreset& preset)
{
    if (preset.limitsTo8) {
        fields.channelMax = 8;
        fields.channel = std::min(fields.channel, fields.channelMax);
    }
    if (preset.chart) fields.chart = QString::fromUtf8(preset.chart);
    for (const PresetRow& row : preset.rows) {
        const int from = row.from == 0 ? fields.channel : row.from;
        const int to = row.from == 0 ? fields.channel : row.to;
        for (int c = from; c <= to; ++c) {
            fields.channel = c;
            fields.sb = QString::fromUtf8(row.sb);
            fields.sc = QString::fromUtf8(row.sc);
            fields.format = row.format;
            fields.name = rowName(row.name, c);
            if (auto error = storeChannelFields(settings, fields)) return error;
        }
    }
    if (!preset.staysOnChannel) fields.channel = 1;
    if (preset.after.sb) fields.sb = QString::fromUtf8(preset.after.sb);
    if (preset.after.sc) fields.sc = QString::fromUtf8(preset.after.sc);
    if (preset.after.format >= 0) fields.format = preset.after.format;
    if (preset.after.name) fields.name = QString::fromUtf8(preset.after.name);
    return std::nullopt;
}

}  // namespace vorda
