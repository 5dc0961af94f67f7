#pragma once
// MonitoringWindow, "Monitorowanie1": a window above the main window that follows the live
// monitoring: its first page charts the session's polls, one curve per shown channel,
// and lists the latest values by channel name. Its size and position come from the
// settings and go back there when it closes.

#include <QWidget>

#include <vector>

class QCustomPlot;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace vorda {

struct MonitorSample;
struct Settings;

class MonitoringWindow : public QWidget {
    Q_OBJECT
public:
    explicit MonitoringWindow(Settings& settings, QWidget* parent = nullptr);

    // The polls so far (the chart is rebuilt from them).
    void setSamples(const std::vector<MonitorSample>& samples);
    // One new poll: a point on each curve, the text shows its values.
    void addSample(const MonitorSample& sample);

    // The chart's name of channel c: its settings name, or "k<c>" when that is empty.
    QString channelName(int c) const;

    QCustomPlot* chart() const { return chart_; }
    QString valuesText() const;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ensureCurves(int count);
    void addPoints(const MonitorSample& sample);
    void showValues(const MonitorSample& sample);

    Settings& settings_;
    QPushButton* closeButton_ = nullptr;
    QTabWidget* pages_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QCustomPlot* chart_ = nullptr;
};

}  // namespace vorda
