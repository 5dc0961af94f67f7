#pragma once
// Live monitoring: "Monitorowanie." and "Podgląd.", the poll timer, the log and its
// "&Zapisz". It touches no window: what it changes goes out as signals, which the window
// set connects to the main window's memo and rules and to the monitoring window.

#include "measure/monitoring.h"

#include <QDateTime>
#include <QObject>
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
    LiveMonitoring(Settings& settings, ProgramState& state, SerialLink& link, Reporter& reporter, Dialogs& dialogs);

    // setMonitoring: monitoring on (first poll after 100 ms, register 0 read) or off.
    void setMonitoring(bool checked);
    // setPreview: the preview of the lines on or off.
    void setPreview(bool checked);
    // poll: one poll.
    void poll();
    // saveLog: the lines into a file chosen in the data directory, the save dialog over
    // `dialogParent`.
    void saveLog(QWidget* dialogParent);

    const MonitorSchedule& schedule() const { return schedule_; }
    const MonitoringLog& log() const { return log_; }
    const std::vector<MonitorSample>& samples() const { return samples_; }
    QTimer& timer() { return pollTimer_; }
    // What a poll takes as now (the current local time unless replaced).
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

signals:
    void sampleAdded(const vorda::MonitorSample& sample);
    // The log got `line`.
    void lineAdded(const std::string& line);
    // The view is shown (monitoring or preview on) or hidden.
    void viewChanged(bool on);
    // The recorder fell silent: monitoring was switched off by the program.
    void monitoringStopped();
    // A save wrote or tried to write a file in the data directory.
    void logSaved();

private:
    void applySchedule();

    Settings& settings_;
    ProgramState& state_;
    SerialLink& link_;
    Reporter& reporter_;
    Dialogs& dialogs_;
    MonitorSchedule schedule_;
    MonitoringLog log_;
    std::vector<MonitorSample> samples_;
    QTimer pollTimer_;
    std::function<QDateTime()> clock_;
};

}  // namespace vorda
