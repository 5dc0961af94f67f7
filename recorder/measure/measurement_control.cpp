#include "measure/measurement_control.h"

#include "core/program_state.h"
#include "core/progress_views.h"
#include "core/reporter.h"
#include "core/settings_record.h"
#include "link/recorder_protocol.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace vorda {

namespace {
constexpr int kRescanDelaySeconds = 3;
constexpr char kNoMemoryText[] = QT_TRANSLATE_NOOP("MeasurementControl", "Brak wolnej pamięci !");
constexpr char kLowMemoryText[] = QT_TRANSLATE_NOOP("MeasurementControl", "Zbyt mało pamięci !");
constexpr char kCaption[] = QT_TRANSLATE_NOOP("MeasurementControl", "Uwaga !");

QString text(const char* source)
{
    return QCoreApplication::translate("MeasurementControl", source);
}
}  // namespace

int measurementBarMaximum(std::uint32_t samplingTimeMs, std::uint32_t sampleCount)
{
    // The product needs 64 bits: 32000 ms x 1,564,670 samples is far beyond 32.
    const std::uint64_t seconds = std::uint64_t{samplingTimeMs} * sampleCount / 1000u + 2u;
    return static_cast<int>(std::min<std::uint64_t>(seconds, std::numeric_limits<int>::max()));
}

MemoryCheck checkMemoryForStart(const ProgramState& state)
{
    if (!state.statusRead) return MemoryCheck::Unchecked;
    if (state.freeMemory <= 0) return MemoryCheck::NoMemory;
    if (state.freeMemory < state.expectedSamples) return MemoryCheck::TooLittle;
    return MemoryCheck::Enough;
}

MeasurementControl::MeasurementControl(Settings& settings, ProgramState& state, SerialLink& link, Reporter& reporter,
                                       ProgressBarView* bar)
    : settings_(settings), state_(state), link_(link), reporter_(reporter), bar_(bar)
{
}

void MeasurementControl::sendPendingCommand(const QByteArray& text)
{
    const QByteArray command = text.left(kPendingCommandMax);
    if (command == kStartCommand) {
        barMaximum_ = measurementBarMaximum(settings_.samplingTimeMs, settings_.sampleCount);
        if (bar_) bar_->setBarMaximum(barMaximum_);
    }
    RecorderProtocol(link_, settings_, state_, reporter_).sendPlainCommand(command);
}

bool MeasurementControl::startMeasurement()
{
    switch (checkMemoryForStart(state_)) {
    case MemoryCheck::NoMemory:
        reporter_.showMessage(text(kNoMemoryText), text(kCaption), MessageIcon::Warning);
        return false;
    case MemoryCheck::TooLittle:
        if (!reporter_.confirm(text(kLowMemoryText), text(kCaption))) return false;
        break;
    case MemoryCheck::Unchecked:
    case MemoryCheck::Enough:
        break;
    }
    sendPendingCommand(QByteArray(kStartCommand));
    state_.rescanCountdown = kRescanDelaySeconds;
    if (bar_) bar_->setBarPosition(barMaximum_);
    return true;
}

void MeasurementControl::stopMeasurement()
{
    sendPendingCommand(QByteArray(kStopCommand));
    sendPendingCommand(QByteArray(kStopTailCommand));
    if (bar_) bar_->setBarPosition(0);
}

}  // namespace vorda
