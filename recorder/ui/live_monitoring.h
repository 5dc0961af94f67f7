#pragma once
// Live monitoring in the main window: "Monitorowanie." and "Podgląd.", the poll timer
// pollTimer_, the monitoring memo, "&Zapisz", and the monitoring window fed with each poll.

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
class MainWindow;
class MonitoringWindow;
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
                   MainWindow& main);
    ~LiveMonitoring() override;

    // setMonitoring: monitoring on (first poll after 100 ms, register 0 read) or off.
    void setMonitoring(bool checked);
    // setPreview: the preview of the lines on or off.
    void setPreview(bool checked);
    // poll: one poll.
    void poll();
    // saveLog: the lines into a file chosen in the data directory.
    void saveLog();
    // Opens the monitoring window (or brings it to the front).
    void openMonitoringWindow();

    const MonitorSchedule& schedule() const { return schedule_; }
    const MonitoringLog& log() const { return log_; }
    const std::vector<MonitorSample>& samples() const { return samples_; }
    QTimer& timer() { return pollTimer_; }
    MonitoringWindow* monitoringWindow() const;
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
    MainWindow& main_;
    MonitorSchedule schedule_;
    MonitoringLog log_;
    std::vector<MonitorSample> samples_;
    QTimer pollTimer_;
    QPointer<MonitoringWindow> window_;
    std::function<QDateTime()> clock_;
};

}  // namespace vorda
