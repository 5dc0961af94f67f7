#pragma once
// Starting and stopping a measurement in the recorder, and the pending command that the
// settings dialog and the measurements window hand to the main window's send action.

#include <QByteArray>
#include <cstdint>

namespace vorda {

class ProgressBarView;
class Reporter;
class SerialLink;
struct ProgramState;
struct Settings;

inline constexpr int kPendingCommandMax = 299;

// The measurement's planned duration in seconds plus two:
// samplingTimeMs x sampleCount / 1000 + 2, unsigned integer arithmetic without overflow,
// at most the largest int.
int measurementBarMaximum(std::uint32_t samplingTimeMs, std::uint32_t sampleCount);

// The memory check before a start.
enum class MemoryCheck {
    Unchecked,  // no register read yet: no check is made
    Enough,
    NoMemory,   // freeMemory <= 0: "Brak wolnej pamięci !"
    TooLittle,  // freeMemory < expectedSamples: "Zbyt mało pamięci !"
};
MemoryCheck checkMemoryForStart(const ProgramState& state);

class MeasurementControl {
public:
    // `bar` is the measurements window's progress bar (may be null).
    MeasurementControl(Settings& settings, ProgramState& state, SerialLink& link, Reporter& reporter,
                       ProgressBarView* bar = nullptr);

    // Sends the pending command (cut to 299 characters) as a
    // plain command; for exactly "  START &" first sets the bar maximum to the planned
    // duration.
    void sendPendingCommand(const QByteArray& text);

    // The memory check (with "Brak wolnej
    // pamięci !" or the OK/Cancel question "Zbyt mało pamięci !", caption "Uwaga !"),
    // then "  START &" through the pending command, rescanCountdown := 3 and the bar at
    // its maximum. Returns true when the start was sent.
    bool startMeasurement();

    // "$ $_END &", then " &", then the bar to 0.
    void stopMeasurement();

    // The bar maximum set by the last start (0 before any).
    int barMaximum() const { return barMaximum_; }

private:
    Settings& settings_;
    ProgramState& state_;
    SerialLink& link_;
    Reporter& reporter_;
    ProgressBarView* bar_;
    int barMaximum_ = 0;
};

}  // namespace vorda
