#include "calibration/settings_command.h"
#include "core/message_captions.h"

#include "core/settings_files.h"
#include "core/text_codec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <limits>

namespace vorda {

namespace {

// Field names as the messages name them ("Start" and "Stop" read alike in every language).
constexpr char kSampleCountField[] = QT_TRANSLATE_NOOP("SettingsCommand", "Liczba próbek");
constexpr char kChannelCountField[] = QT_TRANSLATE_NOOP("SettingsCommand", "Kanały od 1 do");
constexpr char kSbField[] = QT_TRANSLATE_NOOP("SettingsCommand", "Stała S_B");
constexpr char kScField[] = QT_TRANSLATE_NOOP("SettingsCommand", "Stała S_C");
constexpr char kPortParamsField[] = QT_TRANSLATE_NOOP("SettingsCommand", "Parametry com:");
const QString kStartField = QStringLiteral("Start");
const QString kStopField = QStringLiteral("Stop");

// A text of this file in the language installed.
QString translated(const char* source)
{
    return QCoreApplication::translate("SettingsCommand", source);
}

QString fromField(std::string_view bytes)
{
    return fromWin1250(bytes);
}

QByteArray bytes(const QString& text)
{
    return QByteArray::fromStdString(toWin1250Lossy(text));
}

// A label's constant as it goes into the command: "," -> ".", first nine characters.
QByteArray constantItem(const QString& label)
{
    return bytes(QString(label).replace(QLatin1Char(','), QLatin1Char('.')).left(9));
}

int clampInt(long long value, int low, int high)
{
    return static_cast<int>(std::clamp<long long>(value, low, high));
}

}  // namespace

SettingsControls controlsFromSettings(const Settings& settings)
{
    SettingsControls c;
    c.sendChannelCount = settings.sendChannelCount != 0;
    c.sendTriggerLevels = settings.sendTriggerLevels != 0;
    c.sendConstants = settings.sendConstants != 0;
    c.portIndex = settings.portNumber >= 1 && settings.portNumber <= 4 ? settings.portNumber - 1 : -1;
    c.firstColumn = settings.firstColumn;
    c.portParams = fromField(fieldText(settings.portParams));
    c.samplingTimePosition = clampInt(settings.samplingTimeMs, 1, 32000);
    c.samplingTimeText = QString::number(c.samplingTimePosition);
    c.sampleCountText = QString::number(settings.sampleCount);
    c.channelCountPosition = clampInt(settings.channelsUsed, 1, 16);
    c.channelCountText = QString::number(c.channelCountPosition);
    c.sendSamplingTime = settings.sendSamplingTime != 0;
    c.sendSampleCount = settings.sendSampleCount != 0;
    c.sendDateTime = settings.sendDateTime != 0;
    c.sendTriggerMode = settings.sendTriggerMode != 0;
    c.triggerEnabled = settings.triggerEnabled != 0;
    c.triggerStartText = fromField(fieldText(settings.triggerStartText));
    c.triggerStopText = fromField(fieldText(settings.triggerStopText));
    c.triggerItemsDisabled = settings.status.tag[1] == '5';
    if (c.triggerItemsDisabled) {
        c.sbText = c.scText = QStringLiteral("...");
    } else {
        c.sbText = commaText(settings.channel(1).slopeSB);
        c.scText = commaText(settings.channel(1).offsetSC);
    }
    return c;
}

void applyDialogDefaults(SettingsControls& c)
{
    c.samplingTimePosition = 10;
    c.samplingTimeText = QStringLiteral("10");
    c.sampleCountText = QStringLiteral("500");
    c.triggerStartText = QStringLiteral("30");
    c.triggerStopText = QStringLiteral("70");
    c.portParams = QString::fromLatin1(kDefaultPortParams);
    c.channelCountPosition = 2;
    c.channelCountText = QStringLiteral("2");
    c.portIndex = 0;
    c.sendSamplingTime = c.sendSampleCount = c.sendDateTime = c.sendChannelCount = true;
    c.sendConstants = c.sendTriggerLevels = c.triggerEnabled = c.sendTriggerMode = false;
}

std::optional<QString> correctSampleCount(const QString& text)
{
    const auto value = readWholeNumber(text);
    if (!value) return std::nullopt;
    if (*value > kMaxSampleCount) return QString::number(kMaxSampleCount);
    if (*value <= 0) return QStringLiteral("1");
    return text;
}

TriggerCode triggerCode(float level, float sb, float sc)
{
    if (sb == 0.0f) return {65535, false};
    const long double exact = (static_cast<long double>(level) - sc) / sb * 1000.0L;
    const auto q = static_cast<float>(exact);
    if (!(q > 0.0f)) return {0, false};
    // The largest float below 2^32 is 4294967040; anything at or past 2^32 does not fit.
    if (q >= 4294967296.0f) return {kMaxTriggerCode, true};
    return {static_cast<std::uint32_t>(q), false};
}

QString settingsProgramFilter()
{
    return translated(kSettingsProgramFilter);
}

QString saveProgramTitle()
{
    return translated(kSaveProgramTitle);
}

QString loadProgramTitle()
{
    return translated(kLoadProgramTitle);
}

QString noSlopeText()
{
    return QCoreApplication::translate(
        "SettingsCommand",
        "Kanał 1 nie ma jeszcze stałej S_B (S_B = 0), więc poziomów Start/Stop ani stałych S_B/S_C nie można "
        "wysłać.\nUstaw stałe kanału 1 kalibracją (\"Kalibracja\") albo w oknie \"Zaawansowane\" tego okna; "
        "nic nie zostało wysłane.");
}

CommandOutcome buildSettingsCommand(const SettingsControls& c)
{
    if ((c.sendTriggerLevels || c.sendConstants) && !c.triggerItemsDisabled) {
        const auto sb = readCommaNumber(c.sbText);
        if (sb && *sb == 0.0) return {std::nullopt, FieldError{translated(kSbField), c.sbText, noSlopeText()}};
    }
    SettingsCommand cmd;
    QByteArray& text = cmd.text;
    bool statusRead = true;
    if (c.sendSamplingTime) text += "  M_S " + bytes(c.samplingTimeText);
    if (c.sendSampleCount)
        text += " M_C " + bytes(c.sampleCountText);
    else
        statusRead = false;
    if (c.sendChannelCount)
        text += " k" + bytes(c.channelCountText);
    else
        statusRead = false;
    if (statusRead) {
        const auto channels = readWholeNumber(c.channelCountText);
        if (!channels) return {std::nullopt, FieldError{translated(kChannelCountField), c.channelCountText}};
        const auto samples = readWholeNumber(c.sampleCountText);
        if (!samples) return {std::nullopt, FieldError{translated(kSampleCountField), c.sampleCountText}};
        // Each factor within int first: their product then fits a long long.
        const auto asInt = [](long long v) {
            return std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        };
        cmd.expectedSamples = static_cast<int>(asInt(asInt(*channels) * asInt(*samples)));
    }
    cmd.statusRead = statusRead;
    if (c.sendDateTime) text += " TIME " + bytes(c.timeText) + " DATE " + bytes(c.dateText);
    if (c.sendTriggerLevels && !c.triggerItemsDisabled) {
        const std::pair<const QString&, const QString&> levels[] = {{c.triggerStartText, kStartField},
                                                                    {c.triggerStopText, kStopField}};
        const char* formats[] = {" L_D %u ", " L_U %u "};
        for (int i = 0; i < 2; ++i) {
            const auto level = readCommaNumber(levels[i].first);
            if (!level) return {std::nullopt, FieldError{levels[i].second, levels[i].first}};
            const auto sb = readCommaNumber(c.sbText);
            if (!sb) return {std::nullopt, FieldError{translated(kSbField), c.sbText}};
            const auto sc = readCommaNumber(c.scText);
            if (!sc) return {std::nullopt, FieldError{translated(kScField), c.scText}};
            const TriggerCode code =
                triggerCode(static_cast<float>(*level), static_cast<float>(*sb), static_cast<float>(*sc));
            cmd.capped = cmd.capped || code.capped;
            char item[32];
            std::snprintf(item, sizeof item, formats[i], code.code);
            text += item;
        }
    }
    if (c.sendTriggerMode) text += c.triggerEnabled ? " O_T " : " O_N ";
    if (c.sendConstants && !c.triggerItemsDisabled)
        text += " S_B " + constantItem(c.sbText) + " S_C " + constantItem(c.scText);
    text += "     &";
    return {std::move(cmd), std::nullopt};
}

std::optional<std::uint32_t> baudRateOf(const QString& portParams)
{
    const qsizetype comma = portParams.indexOf(QLatin1Char(','), 1);
    if (comma < 0) return std::nullopt;
    const auto value = readWholeNumber(portParams.mid(1, comma - 1));
    if (!value || *value < 0 || *value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

std::optional<FieldError> storeControls(const SettingsControls& c, Settings& s)
{
    const auto baud = baudRateOf(c.portParams);
    if (!baud) return FieldError{translated(kPortParamsField), c.portParams};
    s.baudRate = *baud;
    s.firstColumn = c.firstColumn;
    setFieldText(s.portParams, toWin1250Lossy(c.portParams));
    s.portNumber = c.portIndex + 1;
    setFieldText(s.triggerStartText, toWin1250Lossy(c.triggerStartText));
    setFieldText(s.triggerStopText, toWin1250Lossy(c.triggerStopText));
    s.samplingTimeMs = static_cast<std::uint32_t>(std::clamp(c.samplingTimePosition, 1, 32000));
    s.channelsUsed = std::clamp(c.channelCountPosition, 1, kMaxChannels);
    const auto samples = correctSampleCount(c.sampleCountText);
    if (!samples) return FieldError{translated(kSampleCountField), c.sampleCountText};
    s.sampleCount = static_cast<std::uint32_t>(samples->toLongLong());
    s.sendSamplingTime = c.sendSamplingTime;
    s.sendSampleCount = c.sendSampleCount;
    s.sendDateTime = c.sendDateTime;
    s.sendTriggerLevels = c.sendTriggerLevels;
    s.sendConstants = c.sendConstants;
    s.sendChannelCount = c.sendChannelCount;
    s.sendTriggerMode = c.sendTriggerMode;
    s.triggerEnabled = c.triggerEnabled;
    return std::nullopt;
}

bool saveSettingsProgram(const Settings& settings, const QString& path, Reporter& reporter)
{
    return saveSettingsFile(settings, path, reporter);
}

bool installSettingsProgram(const QString& path, const QString& startDir, Reporter& reporter)
{
    const auto image = readSettingsImage(path);
    if (!image) {
        const QFileInfo info(path);
        const QString name = QDir::toNativeSeparators(path);
        const QString why =
            info.isFile() && info.isReadable()
                ? QCoreApplication::translate("SettingsCommand",
                                              "Plik \"%1\" ma %2 bajtów; program ustawień ma dokładnie %3 bajtów.")
                      .arg(name)
                      .arg(info.size())
                      .arg(kRecordSize)
                : QCoreApplication::translate("SettingsCommand", "Nie można odczytać pliku \"%1\".").arg(name);
        reporter.showMessage(
            why + QCoreApplication::translate("SettingsCommand", "\nBieżące ustawienia pozostają bez zmian."),
            warningCaption(), MessageIcon::Warning);
        return false;
    }
    Settings program;
    program.fromImage(*image);
    return saveStartupSettings(program, startDir, reporter);
}

}  // namespace vorda
