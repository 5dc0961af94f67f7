#pragma once
// Live monitoring in the main window: "Monitorowanie." and "Podgląd.", the poll timer
// Timer2, the monitoring memo, "&Zapisz", and the monitoring window fed with each poll.

#include "measure/monitoring.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace vorda {

// The monitoring memo's look: pale yellow (the tooltip colour), both scroll bars, no
// wrapping, read-only (it only shows the log).
void configureMonitoringMemo(QPlainTextEdit& memo);
// One line added at the end; the text already there is never rebuilt.
void appendMonitoringLine(QPlainTextEdit& memo, const std::string& line);

class Dialogs;
class Reporter;
class SerialLink;
class TForm1;
class TMonitorowanie1;
struct ProgramState;
struct Settings;

// One poll's values, for the monitoring window's chart.
struct MonitorSample {
    QDateTime when;
    std::vector<float> values;  // channels 1..channelsUsed
};

class LiveMonitoring : public QObject {
    Q_OBJECT
public:
    LiveMonitoring(Settings& settings, ProgramState& state, SerialLink& link, Reporter& reporter, Dialogs& dialogs,
                   TForm1& main);
    ~LiveMonitoring() override;

    // CheckBox1Click: monitoring on (first poll after 100 ms, register 0 read) or off.
    void CheckBox1Click(bool checked);
    // CheckBox2Click: the preview of the lines on or off.
    void CheckBox2Click(bool checked);
    // Timer2Timer: one poll.
    void Timer2Timer();
    // ZapiszExecute: the lines into a file chosen in the data directory.
    void ZapiszExecute();
    // Opens the monitoring window (or brings it to the front).
    void openMonitoringWindow();

    const MonitorSchedule& schedule() const { return schedule_; }
    const MonitoringLog& log() const { return log_; }
    const std::vector<MonitorSample>& samples() const { return samples_; }
    QTimer& timer() { return Timer2; }
    TMonitorowanie1* monitoringWindow() const;
    // What a poll takes as now (the current local time unless replaced).
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

signals:
    void sampleAdded(const vorda::MonitorSample& sample);

private:
    void applySchedule();

    Settings& settings_;
    ProgramState& state_;
    SerialLink& link_;
    Reporter& reporter_;
    Dialogs& dialogs_;
    TForm1& main_;
    MonitorSchedule schedule_;
    MonitoringLog log_;
    std::vector<MonitorSample> samples_;
    QTimer Timer2;
    QPointer<TMonitorowanie1> window_;
    std::function<QDateTime()> clock_;
};

}  // namespace vorda
