#include "ui/live_monitoring.h"

#include "core/reporter.h"
#include "core/settings_record.h"
#include "core/text_codec.h"
#include "link/recorder_protocol.h"
#include "ui/main_window.h"
#include "ui/message_dialogs.h"
#include "ui/monitoring_window.h"

#include <QCheckBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QToolTip>

namespace vorda {

void configureMonitoringMemo(QPlainTextEdit& memo)
{
    memo.setReadOnly(true);
    memo.setLineWrapMode(QPlainTextEdit::NoWrap);
    memo.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette pale = memo.palette();
    pale.setColor(QPalette::Base, QToolTip::palette().color(QPalette::ToolTipBase));
    pale.setColor(QPalette::Text, QToolTip::palette().color(QPalette::ToolTipText));
    memo.setPalette(pale);
}

void appendMonitoringLine(QPlainTextEdit& memo, const std::string& line)
{
    memo.appendPlainText(QString::fromStdString(line));
}

LiveMonitoring::LiveMonitoring(Settings& settings, ProgramState& state, SerialLink& link, Reporter& reporter,
                               Dialogs& dialogs, MainWindow& main)
    : settings_(settings), state_(state), link_(link), reporter_(reporter), dialogs_(dialogs), main_(main),
      clock_([] { return QDateTime::currentDateTime(); })
{
    configureMonitoringMemo(*main_.monitoringMemo());

    pollTimer_.setInterval(kPollIntervalMs);
    connect(&pollTimer_, &QTimer::timeout, this, &LiveMonitoring::poll);
}

LiveMonitoring::~LiveMonitoring()
{
    delete window_.data();
}

MonitoringWindow* LiveMonitoring::monitoringWindow() const
{
    return window_.data();
}

void LiveMonitoring::applySchedule()
{
    if (schedule_.timerRunning()) {
        if (!pollTimer_.isActive() || pollTimer_.interval() != schedule_.intervalMs())
            pollTimer_.start(schedule_.intervalMs());
    } else {
        pollTimer_.stop();
    }
    main_.setMonitoringViewOn(schedule_.viewOn());
}

void LiveMonitoring::setMonitoring(bool checked)
{
    schedule_.setMonitoring(checked);
    applySchedule();
    if (checked) RecorderProtocol(link_, settings_, state_, reporter_).readRegister(0);
}

void LiveMonitoring::setPreview(bool checked)
{
    schedule_.setPreview(checked);
    applySchedule();
}

void LiveMonitoring::poll()
{
    const PollKind kind = schedule_.tick();
    applySchedule();
    if (kind == PollKind::None) return;

    RecorderProtocol protocol(link_, settings_, state_, reporter_);
    const QDateTime when = clock_();
    PollResult result = pollRecorder(protocol, settings_, kind, when);
    switch (result.outcome) {
    case PollOutcome::LinkBusy:
        return;
    case PollOutcome::NoAnswer:
        main_.monitoringCheckBox()->setChecked(false);
        setMonitoring(false);
        reporter_.processEvents();
        reporter_.showMessage(QString::fromUtf8(kMonitorNoAnswerText), QString::fromUtf8(kMonitorNoAnswerCaption),
                              MessageIcon::None);
        reporter_.processEvents();
        return;
    case PollOutcome::Line:
        break;
    }
    appendMonitoringLine(*main_.monitoringMemo(), result.line);
    log_.append(std::move(result.line));
    samples_.push_back({when, std::move(result.values)});
    emit sampleAdded(samples_.back());
}

void LiveMonitoring::saveLog()
{
    const QString dataDir = QDir::fromNativeSeparators(fromWin1250(fieldText(settings_.dataDirectory)));
    if (!dataDir.isEmpty()) QDir::setCurrent(dataDir);
    const QString path =
        dialogs_.saveFileName(&main_, QString(), QDir::currentPath(),
                              QStringLiteral("Pliki tekstowe *.txt (*.txt);;Pliki pomiarów *.dan (*.dan)"));
    QString error;
    if (!path.isEmpty() && !log_.save(path, &error))
        reporter_.showMessage(QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), error),
                              QStringLiteral("Błąd"), MessageIcon::Error);
    main_.refreshFileList();
}

void LiveMonitoring::openMonitoringWindow()
{
    if (!window_) {
        window_ = new MonitoringWindow(settings_, &main_);
        window_->setSamples(samples_);
        connect(this, &LiveMonitoring::sampleAdded, window_.data(), &MonitoringWindow::addSample);
        connect(window_.data(), &MonitoringWindow::closed, &main_, [this] { main_.setMonitoringWindowOpen(false); });
        main_.setMonitoringWindowOpen(true);
    }
    window_->show();
    window_->raise();
}

}  // namespace vorda
