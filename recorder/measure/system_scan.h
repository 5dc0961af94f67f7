#pragma once
// The system scan (register 0 and every block register, with a readable status report
// and the list of stored blocks) and the newest-block poll (register 0 and the register
// of the newest block only).
//
// The scans produce lines; the properties window, the measurements window and vorda-cli
// show them through a ScanSink.

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace vorda {

class Reporter;
class SerialLink;
struct ProgramState;
struct RecorderStatus;
struct Settings;

// Where the scans put their output.
class ScanSink {
public:
    virtual ~ScanSink() = default;
    // Empties the report text and the block list (the system scan's first step).
    virtual void clear() {}
    // One line appended to the properties window's report text.
    virtual void reportLine(const QString&) {}
    // One item appended to the measurements window's block list.
    virtual void blockItem(const QString&) {}
};

// A sink that keeps everything, for vorda-cli and tests.
class CollectingScanSink : public ScanSink {
public:
    QStringList report;
    QStringList blocks;
    void clear() override
    {
        report.clear();
        blocks.clear();
    }
    void reportLine(const QString& line) override { report.append(line); }
    void blockItem(const QString& item) override { blocks.append(item); }
};

enum class ScanOutcome { Completed, NoCommunication };

inline constexpr char kNoCommunication[] = QT_TRANSLATE_NOOP("SystemScan", "Brak komunikacji");

// "Brak komunikacji" in the language installed.
QString noCommunicationLine();

// Reads registers 0..blockCount, writes the status report and the
// block lines. Sets settings.sampleCount to the recorder's sample count from register 0.
ScanOutcome scanSystem(Settings& settings, ProgramState& state, SerialLink& link, Reporter& reporter, ScanSink& sink);

// Reads register 0 and the newest block's register and appends that
// block's line to the block list; never empties the list. "Brak komunikacji" goes to the
// report text.
ScanOutcome pollNewestBlock(Settings& settings, ProgramState& state, SerialLink& link, Reporter& reporter,
                            ScanSink& sink);

// --- The report's pieces, pure ---

// The model line for the second character of the tag.
QString modelLine(char modelDigit);

// The register-0 report: model line to the empty line, and the two heading lines when
// blocks are stored. `optionWord` is the main window's copy of the last reply's word.
QStringList statusReportLines(const RecorderStatus& status, std::int32_t optionWord);

// The block list's heading item.
QString blockListHeading();

// One block's line: "%3d   %8s %8s %6ld   %6u     %2d" with a trailing blank for the
// system scan, without it for the newest-block poll.
QString blockLine(const RecorderStatus& status, bool trailingBlank);

// A trigger level in physical units as the report shows it, before "%7.2f":
// raw * (0.001 * sb) + sc + 0.005 in extended precision, in that order.
long double triggerAmplitude(std::uint32_t raw, double recorderSB, double recorderSC);

}  // namespace vorda
