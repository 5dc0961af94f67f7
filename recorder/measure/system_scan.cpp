#include "measure/system_scan.h"

#include "core/number_text.h"

#include "core/program_state.h"
#include "core/reporter.h"
#include "core/settings_record.h"
#include "core/text_codec.h"
#include "link/recorder_protocol.h"
#include "link/serial_link.h"

#include <QCoreApplication>

#include <charconv>
#include <cstdio>

namespace vorda {

namespace {

// The context of the report's texts in the catalogue.
struct SystemScan {
    Q_DECLARE_TR_FUNCTIONS(SystemScan)
};

struct ModelName {
    char digit;
    const char* name;  // with the blanks the report keeps after it
};

// The recorder models by the digit of their register tag.
constexpr ModelName kModels[] = {
    {'1', "KX208DL01.5 "}, {'2', "KX208DL02.5 "}, {'3', "KX208DL03.5 "}, {'4', "KX208DL04/6? "}, {'5', "KX208DL05  "},
};

QString triggerLine(bool on)
{
    return on ? SystemScan::tr("Opcja 'Triger' - włączone wyzwalanie")
              : SystemScan::tr("Opcja 'Normal' - wyłączone wyzwalanie");
}

QString fieldString(std::string_view win1250)
{
    return fromWin1250(win1250);
}

template <typename Number>
QString fixedString(Number value, int precision, int width = 0)
{
    return QString::fromStdString(fixedText(value, precision, width));
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
    sink.reportLine(noCommunicationLine());
    sink.reportLine(link.noReplyReason());
    return ScanOutcome::NoCommunication;
}

}  // namespace

QString noCommunicationLine()
{
    return QCoreApplication::translate("SystemScan", kNoCommunication);
}

QString modelLine(char modelDigit)
{
    for (const ModelName& m : kModels)
        if (m.digit == modelDigit) return SystemScan::tr("System typ. %1").arg(QLatin1String(m.name));
    return SystemScan::tr("Nieznany system lub niewyzerowany ");
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
    lines << SystemScan::tr("Wolna pamięć - %1 pomiarów na wszystkich kanałach.").arg(long(s.freeMemory));
    lines << SystemScan::tr("Ilość zapisanych bloków - %1 .").arg(s.blockCount);
    lines << SystemScan::tr("Ilość kanałów - %1 .").arg(s.channelCount);
    lines << SystemScan::tr("Ustawiony czas próbkowania - %1 .").arg(static_cast<unsigned>(s.samplingMs));
    lines << SystemScan::tr("Ustawiona ilość pomiarów - %1 .").arg(long(s.sampleCount));
    lines << SystemScan::tr("Zegar systemu - %1  %2 .")
                 .arg(fieldString(fieldText(s.date)), fieldString(fieldText(s.time)));
    if (model == '3') {
        lines << SystemScan::tr("          Parametry wyzwalania (kanał 1)");
        lines << triggerLine(s.triggerOn == 1);
        const long double start = triggerAmplitude(s.triggerStartRaw, s.recorderSB, s.recorderSC);
        const long double stop = triggerAmplitude(s.triggerStopRaw, s.recorderSB, s.recorderSC);
        lines << SystemScan::tr("Amplituda START - %1 .").arg(fixedString(start, 2, 7));
        lines << SystemScan::tr("Amplituda STOP - %1 .").arg(fixedString(stop, 2, 7));
        lines << SystemScan::tr("Stała nachylenia S_B = %1 .").arg(fixedString(s.recorderSB, 6));
        lines << SystemScan::tr("Stała przesunięcia S_C = %1 .").arg(fixedString(s.recorderSC, 6));
        lines << SystemScan::tr("Uwaga! Sprawdź zgodność ze stałymi kalibracji wciśnij:[Stałe kalibracji]");
    } else if (model == '5') {
        lines << triggerLine(optionWord & 1);
    } else {
        lines << SystemScan::tr("Rejestr systemu - %1 .").arg(s.triggerOn);
    }
    lines << QString();
    if (s.blockCount != 0) {
        lines << SystemScan::tr("Numer Data       Godzina  Ilość    Czas pró- Ilość ");
        lines << SystemScan::tr("bloku pomiaru    pomiaru  pomiarów bkowania  kanałów ");
    }
    return lines;
}

QString blockListHeading()
{
    return SystemScan::tr(" Nr:  Data       Godz.     Ilość   Prób.[ms]  Kanały ");
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
            sink.reportLine(noCommunicationLine());
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
