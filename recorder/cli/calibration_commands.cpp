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
        wizard->setHistorySink([this](const HistoryEntry& entry, const QDateTime& when) { history.add(entry, when); });
    }

    PendingHistory history;

    // Presses "Dalej >>" and tells whether the wizard reached `page`.
    bool next(WizardPage page)
    {
        wizard->press(WizardButton::Next);
        return wizard->page() == page;
    }

    // The prompt for a point value: the caption of the wizard's value field.
    static QString prompt(const QString& fieldCaption) { return fieldCaption + QStringLiteral(": "); }

    // Prompts for a point value and presses "Dalej >>" with it; false at the end of the
    // input or when the page did not advance (the reason is already on standard error).
    bool point(const QString& prompt, WizardPage page)
    {
        out(prompt);
        std::string line;
        if (!std::getline(std::cin, line)) {
            err(VordaCli::tr("\nvorda-cli: nie podano wartości; nic nie zapisano\n"));
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
            err(VordaCli::tr("vorda-cli calibrate: --format przyjmuje 0, 1, 2 albo 3\n"));
            return kExitUsage;
        }
        args.remove(at, 2);
    }
    int channel = 0;
    if (args.size() != 2 || !parseChannel(args[0], channel)) {
        err(VordaCli::tr("vorda-cli calibrate: oczekiwano KANAŁU (1-16) i NAZWY\n"));
        return kExitUsage;
    }
    const std::optional<std::string> name = toWin1250(args[1]);
    if (args[1].isEmpty() || !name || name->size() >= sizeof(ChannelSettings::name)) {
        err(VordaCli::tr("vorda-cli calibrate: NAZWA musi mieć 1-19 znaków z Windows-1250\n"));
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
    if (!s.point(WizardSession::prompt(firstPointCaption()), WizardPage::SecondPoint)) return kExitFailed;
    if (!s.point(WizardSession::prompt(secondPointCaption()), WizardPage::CalibrationResult)) return kExitFailed;
    return s.finish();
}

int runZero(const GlobalOptions& options, const QStringList& args)
{
    int channel = 0;
    if (args.size() != 1 || !parseChannel(args[0], channel)) {
        err(VordaCli::tr("vorda-cli zero: oczekiwano jednego KANAŁU (1-16)\n"));
        return kExitUsage;
    }
    WizardSession s(options);
    if (!s.configChangeable(s.reporter)) return kExitFailed;
    s.wizard->start(WizardRole::Zeroing);
    s.wizard->setChannel(channel);
    if (!s.next(WizardPage::Channel) || !s.next(WizardPage::FirstPoint)) return kExitFailed;
    if (!s.point(WizardSession::prompt(firstPointCaption()), WizardPage::ZeroingResult)) return kExitFailed;
    return s.finish();
}

}  // namespace

std::vector<Command> calibrationCommands()
{
    return {
        {"calibrate", QT_TRANSLATE_NOOP("VordaCli", "KANAŁ NAZWA [--format N]"),
         QT_TRANSLATE_NOOP("VordaCli", "dwupunktowa kalibracja czujnika jednego kanału"),
         QT_TRANSLATE_NOOP("VordaCli",
                           "  Czyta rejestr 0, potem pyta \"Wartość punktu 1: \" i czyta wartość pierwszego\n"
                           "  punktu ze standardowego wejścia (\"100.5\" albo \"100,5\"; wszystko inne jest\n"
                           "  odrzucane), bierze uśredniony surowy kod kanału, pyta \"Wartość kalibrująca: \"\n"
                           "  o drugą wartość i bierze drugi kod. S_B i S_C są obliczane z dwóch punktów\n"
                           "  i zapisywane razem z punktami, NAZWĄ i formatem liczb N (0-3 miejsca po\n"
                           "  przecinku; domyślnie: jak zapisano) do dimconfig.aoln; po zapisie do\n"
                           "  Config/historia_kalibracji.csv dochodzi wiersz. Wypisuje \"S_B / S_C\". Kończy się\n"
                           "  kodem 1 bez zapisywania czegokolwiek, gdy rejestrator nie odpowiada, wartość nie\n"
                           "  jest liczbą, wejście kończy się przed wartością albo dwa kody różnią się o mniej\n"
                           "  niż 10.\n\n"
                           "  Przykład: printf '0.0\\n100.0\\n' | vorda-cli calibrate 3 Pt100 --format 1"),
         runCalibrate},
        {"zero", QT_TRANSLATE_NOOP("VordaCli", "KANAŁ"),
         QT_TRANSLATE_NOOP("VordaCli", "jednopunktowe zerowanie: nowe S_C przez jeden punkt, S_B bez zmian"),
         QT_TRANSLATE_NOOP("VordaCli",
                           "  Czyta rejestr 0, pyta \"Wartość punktu 1: \", czyta wartość ze standardowego\n"
                           "  wejścia i bierze uśredniony surowy kod kanału; S_C staje się przesunięciem\n"
                           "  niezmienionego S_B przez ten punkt. Kanał zachowuje zapisaną nazwę (musi ją\n"
                           "  mieć) i format. Zapisuje do dimconfig.aoln, potem dodaje wiersz historii\n"
                           "  i wypisuje \"S_B/S_C\". Kończy się kodem 1 bez zapisu, gdy nie ma odpowiedzi\n"
                           "  albo wartości."),
         runZero},
    };
}

}  // namespace vorda::cli
