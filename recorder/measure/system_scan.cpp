#include "measure/system_scan.h"

#include "core/number_text.h"

#include "core/program_state.h"
#include "core/reporter.h"
#include "core/settings_record.h"
#include "core/text_codec.h"
#include "link/recorder_protocol.h"
#include "link/serial_link.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>

namespace vorda {

namespace {

struct ModelName {
    char digit;
    const char* line;
};

// The recorder models by the digit of their register tag.
constexpr ModelName kModels[] = {
    {'1', "System typ. KX208DL01.5 "},  {'2', "System typ. KX208DL02.5 "}, {'3', "System typ. KX208DL03.5 "},
    {'4', "System typ. KX208DL04/6? "}, {'5', "System typ. KX208DL05  "},
};
constexpr char kUnknownModel[] = "Nieznany system lub niewyzerowany ";

constexpr char kTriggerOnLine[] = "Opcja 'Triger' - włączone wyzwalanie";
constexpr char kTriggerOffLine[] = "Opcja 'Normal' - wyłączone wyzwalanie";

// printf into a QString; the format is UTF-8 and so must every %s argument be.
QString formatLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
QString formatLine(const char* format, ...)
{
    char buf[512];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    const int len = n < 0 ? 0 : (n < int(sizeof buf) ? n : int(sizeof buf) - 1);
    return QString::fromUtf8(buf, len);
}

std::string utf8Field(std::string_view win1250)
{
    return fromWin1250(win1250).toUtf8().toStdString();
}

bool answered(const RecorderStatus& status)
{
    return status.tag[0] == 'R';
}

// Reads register n with the tag marked first, so that silence is told from an answer.
bool readMarkedRegister(Settings& settings, ProgramState& state, SerialLink& link, Reporter& reporter, int n)
{
    settings.status.tag[0] = '-';
    RecorderProtocol(link, settings, state, reporter).readRegister(n);
    return answered(settings.status);
}

// "Brak komunikacji", and on the next line why.
ScanOutcome noCommunication(const SerialLink& link, ScanSink& sink)
{
    sink.reportLine(QString::fromUtf8(kNoCommunication));
    sink.reportLine(link.noReplyReason());
    return ScanOutcome::NoCommunication;
}

}  // namespace

QString modelLine(char modelDigit)
{
    for (const ModelName& m : kModels)
        if (m.digit == modelDigit) return QString::fromUtf8(m.line);
    return QString::fromUtf8(kUnknownModel);
}

long double triggerAmplitude(std::uint32_t raw, double recorderSB, double recorderSC)
{
    const long double slope = 0.001L * static_cast<long double>(recorderSB);
    return static_cast<long double>(raw) * slope + static_cast<long double>(recorderSC) + 0.005L;
}

QStringList statusReportLines(const RecorderStatus& s, std::int32_t optionWord)
{
    QStringList lines;
    const char model = s.tag[1];
    lines << modelLine(model);
    lines << formatLine("Wolna pamięć - %ld pomiarów na wszystkich kanałach.", long(s.freeMemory));
    lines << formatLine("Ilość zapisanych bloków - %d .", s.blockCount);
    lines << formatLine("Ilość kanałów - %d .", s.channelCount);
    lines << formatLine("Ustawiony czas próbkowania - %u .", static_cast<unsigned>(s.samplingMs));
    lines << formatLine("Ustawiona ilość pomiarów - %ld .", long(s.sampleCount));
    lines << formatLine("Zegar systemu - %s  %s .", utf8Field(fieldText(s.date)).c_str(),
                        utf8Field(fieldText(s.time)).c_str());
    if (model == '3') {
        lines << QStringLiteral("          Parametry wyzwalania (kanał 1)");
        lines << QString::fromUtf8(s.triggerOn == 1 ? kTriggerOnLine : kTriggerOffLine);
        const long double start = triggerAmplitude(s.triggerStartRaw, s.recorderSB, s.recorderSC);
        const long double stop = triggerAmplitude(s.triggerStopRaw, s.recorderSB, s.recorderSC);
        lines << formatLine("Amplituda START - %s .", fixedText(start, 2, 7).c_str());
        lines << formatLine("Amplituda STOP - %s .", fixedText(stop, 2, 7).c_str());
        lines << formatLine("Stała nachylenia S_B = %s .", fixedText(s.recorderSB, 6).c_str());
        lines << formatLine("Stała przesunięcia S_C = %s .", fixedText(s.recorderSC, 6).c_str());
        lines << QStringLiteral("Uwaga! Sprawdź zgodność ze stałymi kalibracji wciśnij:[Stałe kalibracji]");
    } else if (model == '5') {
        lines << QString::fromUtf8((optionWord & 1) ? kTriggerOnLine : kTriggerOffLine);
    } else {
        lines << formatLine("Rejestr systemu - %d .", s.triggerOn);
    }
    lines << QString();
    if (s.blockCount != 0) {
        lines << QStringLiteral("Numer Data       Godzina  Ilość    Czas pró- Ilość ");
        lines << QStringLiteral("bloku pomiaru    pomiaru  pomiarów bkowania  kanałów ");
    }
    return lines;
}

QString blockListHeading()
{
    return QStringLiteral(" Nr:  Data       Godz.     Ilość   Prób.[ms]  Kanały ");
}

QString blockLine(const RecorderStatus& s, bool trailingBlank)
{
    // Formatted on the record's own bytes so that the widths count characters as stored.
    const std::string date(fieldText(s.date));
    const std::string time(fieldText(s.time));
    char buf[160];
    const int n = std::snprintf(buf, sizeof buf, "%3d   %8s %8s %6ld   %6u     %2d%s", s.blockNumber, date.c_str(),
                                time.c_str(), long(s.sampleCount), static_cast<unsigned>(s.samplingMs), s.channelCount,
                                trailingBlank ? " " : "");
    const int len = n < 0 ? 0 : (n < int(sizeof buf) ? n : int(sizeof buf) - 1);
    return fromWin1250(std::string_view(buf, std::size_t(len)));
}

ScanOutcome scanSystem(Settings& settings, ProgramState& state, SerialLink& link, Reporter& reporter, ScanSink& sink)
{
    sink.clear();
    reporter.processEvents();
    for (int n = 0;; ++n) {
        if (!readMarkedRegister(settings, state, link, reporter, n)) return noCommunication(link, sink);
        const RecorderStatus& s = settings.status;
        if (n == 0) {
            const QStringList lines = statusReportLines(s, state.optionWord);
            for (const QString& line : lines) sink.reportLine(line);
            settings.sampleCount = static_cast<std::uint32_t>(s.sampleCount);
            if (s.blockCount != 0) sink.blockItem(blockListHeading());
        } else {
            const QString line = blockLine(s, true);
            sink.reportLine(line);
            sink.blockItem(line);
            reporter.processEvents();
        }
        reporter.processEvents();
        // The register number bounds the scan too, so that a recorder answering every
        // register with a low block number cannot keep it going for ever.
        if (s.blockNumber >= s.blockCount || n >= s.blockCount) return ScanOutcome::Completed;
    }
}

ScanOutcome pollNewestBlock(Settings& settings, ProgramState& state, SerialLink& link, Reporter& reporter,
                            ScanSink& sink)
{
    reporter.processEvents();
    int n = 0;
    for (;;) {
        if (!readMarkedRegister(settings, state, link, reporter, n)) {
            sink.reportLine(QString::fromUtf8(kNoCommunication));
            return ScanOutcome::NoCommunication;
        }
        const RecorderStatus& s = settings.status;
        const bool blockRegister = n >= 1;
        if (blockRegister) {
            sink.blockItem(blockLine(s, false));
            reporter.processEvents();
        }
        n = s.blockCount;
        reporter.processEvents();
        // One block register is read at most: a reply with a wrong block number would
        // otherwise repeat the same register and its line without end.
        if (s.blockNumber >= s.blockCount || blockRegister) return ScanOutcome::Completed;
    }
}

}  // namespace vorda
