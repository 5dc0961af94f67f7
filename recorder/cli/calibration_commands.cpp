// vorda-cli calibrate | zero: the calibration wizard's pages driven from a terminal, the
// point values read from standard input so a script can pipe them in. The result is
// stored into "dimconfig.aoln" (one atomic save) only when the wizard reached its end.

#include "calibration/calibration_wizard.h"
#include "cli/cli_command.h"
#include "cli/cli_session.h"
#include "core/program_state.h"
#include "core/settings_files.h"
#include "core/settings_record.h"
#include "core/text_codec.h"
#include "link/recorder_protocol.h"
#include "link/serial_link.h"
#include "link/serial_transport.h"

#include <QDir>

#include <iostream>
#include <memory>
#include <string>

namespace vorda::cli {
namespace {

struct WizardSession : RecorderSession {
    MessageReporter reporter;
    std::unique_ptr<RecorderProtocol> protocol;
    std::unique_ptr<ProtocolCalibrationDevice> device;
    std::unique_ptr<CalibrationWizard> wizard;

    explicit WizardSession(const GlobalOptions& options) : RecorderSession(options)
    {
        protocol = std::make_unique<RecorderProtocol>(*link, settings, state, reporter);
        device = std::make_unique<ProtocolCalibrationDevice>(*protocol);
        wizard = std::make_unique<CalibrationWizard>(settings, *device, reporter, state.startDir);
        // The history tells what was stored: its line waits for the save.
        wizard->setHistorySink(
            [this](const HistoryEntry& entry, const QDateTime& when) { history.add(entry, when); });
    }

    PendingHistory history;

    // Presses "Dalej >>" and tells whether the wizard reached `page`.
    bool next(WizardPage page)
    {
        wizard->press(WizardButton::Next);
        return wizard->page() == page;
    }

    // Prompts for a point value and presses "Dalej >>" with it; false at the end of the
    // input or when the page did not advance (the reason is already on standard error).
    bool point(const QString& prompt, WizardPage page)
    {
        out(prompt);
        std::string line;
        if (!std::getline(std::cin, line)) {
            err(QStringLiteral("\nvorda-cli: no value given; nothing stored\n"));
            return false;
        }
        wizard->setField(QString::fromLocal8Bit(line.c_str()).trimmed());
        return next(page);
    }

    // Ends the wizard, saves the record and prints the result text.
    int finish()
    {
        const QString result = wizard->view().constants;
        wizard->press(WizardButton::Finish);
        if (!saveChanges(reporter)) return kExitFailed;
        history.flush(state.startDir, reporter);
        out(result + QLatin1Char('\n'));
        return kExitOk;
    }
};

bool parseChannel(const QString& text, int& channel)
{
    bool ok = false;
    channel = text.toInt(&ok);
    return ok && channel >= 1 && channel <= kMaxChannels;
}

int runCalibrate(const GlobalOptions& options, const QStringList& arguments)
{
    QStringList args = arguments;
    int format = -1;
    if (const qsizetype at = args.indexOf(QStringLiteral("--format")); at >= 0) {
        if (lacksValue(QStringLiteral("vorda-cli calibrate"), args, at)) return kExitUsage;
        bool ok = false;
        format = at + 1 < args.size() ? args[at + 1].toInt(&ok) : -1;
        if (!ok || format < 0 || format > 3) {
            err(QStringLiteral("vorda-cli calibrate: --format takes 0, 1, 2 or 3\n"));
            return kExitUsage;
        }
        args.remove(at, 2);
    }
    int channel = 0;
    if (args.size() != 2 || !parseChannel(args[0], channel)) {
        err(QStringLiteral("vorda-cli calibrate: CHANNEL (1-16) and NAME expected\n"));
        return kExitUsage;
    }
    const std::optional<std::string> name = toWin1250(args[1]);
    if (args[1].isEmpty() || !name || name->size() >= sizeof(ChannelSettings::name)) {
        err(QStringLiteral("vorda-cli calibrate: NAME must be 1-19 characters of Windows-1250\n"));
        return kExitUsage;
    }

    WizardSession s(options);
    if (!s.configChangeable(s.reporter)) return kExitFailed;
    s.wizard->start(WizardRole::Calibration);
    s.wizard->setChannel(channel);
    if (!s.next(WizardPage::Channel)) return kExitFailed;
    s.wizard->setField(args[1]);
    if (format >= 0) s.wizard->setFormatIndex(format);
    if (!s.next(WizardPage::FirstPoint)) return kExitFailed;
    if (!s.point(QStringLiteral("Wartość punktu 1: "), WizardPage::SecondPoint)) return kExitFailed;
    if (!s.point(QStringLiteral("Wartość kalibrująca: "), WizardPage::CalibrationResult)) return kExitFailed;
    return s.finish();
}

int runZero(const GlobalOptions& options, const QStringList& args)
{
    int channel = 0;
    if (args.size() != 1 || !parseChannel(args[0], channel)) {
        err(QStringLiteral("vorda-cli zero: one CHANNEL (1-16) expected\n"));
        return kExitUsage;
    }
    WizardSession s(options);
    if (!s.configChangeable(s.reporter)) return kExitFailed;
    s.wizard->start(WizardRole::Zeroing);
    s.wizard->setChannel(channel);
    if (!s.next(WizardPage::Channel) || !s.next(WizardPage::FirstPoint)) return kExitFailed;
    if (!s.point(QStringLiteral("Wartość punktu 1: "), WizardPage::ZeroingResult)) return kExitFailed;
    return s.finish();
}

}  // namespace

std::vector<Command> calibrationCommands()
{
    return {
        {"calibrate", "CHANNEL NAME [--format N]", "two-point calibration of one channel's sensor",
         "  Reads register 0, then prompts \"Wartość punktu 1: \" and reads the first\n"
         "  point's value from standard input (\"100.5\" or \"100,5\"; anything else is\n"
         "  refused), takes the channel's averaged raw code, prompts \"Wartość kalibrująca: \"\n"
         "  for the second value and takes the second code. S_B and S_C are computed from\n"
         "  the two points and stored with the points, NAME and the number format N (0-3\n"
         "  decimals; default: as stored) into dimconfig.aoln; once it is saved, a line is\n"
         "  added to Config/historia_kalibracji.csv. Prints \"S_B / S_C\". Exits 1 without\n"
         "  storing anything when the recorder does not answer, a value is not a number,\n"
         "  the input ends before a value, or the two codes differ by less than 10.\n\n"
         "  Example: printf '0.0\\n100.0\\n' | vorda-cli calibrate 3 Pt100 --format 1",
         runCalibrate},
        {"zero", "CHANNEL", "one-point zeroing: a new S_C through one point, S_B kept",
         "  Reads register 0, prompts \"Wartość punktu 1: \", reads the value from standard\n"
         "  input and takes the channel's averaged raw code; S_C becomes the offset of the\n"
         "  unchanged S_B through that point. The channel keeps its stored name (it must\n"
         "  have one) and format. Stores into dimconfig.aoln, then adds a history line, and\n"
         "  prints \"S_B/S_C\". Exits 1 without storing when there is no answer or no value.",
         runZero},
    };
}

}  // namespace vorda::cli
