#include "ui/live_monitoring.h"

#include "core/reporter.h"
#include "core/settings_record.h"
#include "core/text_codec.h"
#include "files/file_operations.h"
#include "link/recorder_protocol.h"
#include "ui/core_texts.h"
#include "ui/message_dialogs.h"

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
                               Dialogs& dialogs)
    : settings_(settings), state_(state), link_(link), reporter_(reporter), dialogs_(dialogs),
      clock_([] { return QDateTime::currentDateTime(); })
{
    pollTimer_.setInterval(kPollIntervalMs);
    connect(&pollTimer_, &QTimer::timeout, this, &LiveMonitoring::poll);
}

void LiveMonitoring::applySchedule()
{
    if (schedule_.timerRunning()) {
        if (!pollTimer_.isActive() || pollTimer_.interval() != schedule_.intervalMs())
            pollTimer_.start(schedule_.intervalMs());
    } else {
        pollTimer_.stop();
    }
    emit viewChanged(schedule_.viewOn());
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
        setMonitoring(false);
        emit monitoringStopped();
        reporter_.processEvents();
        reporter_.showMessage(coreText("Monitoring", kMonitorNoAnswerText), errorCaption(),
                              MessageIcon::None);
        reporter_.processEvents();
        return;
    case PollOutcome::Line:
        break;
    }
    emit lineAdded(result.line);
    log_.append(std::move(result.line));
    samples_.push_back({when, std::move(result.values)});
    emit sampleAdded(samples_.back());
}

void LiveMonitoring::saveLog(QWidget* dialogParent)
{
    const QString dataDir = dataDirectoryPath(settings_);
    if (!dataDir.isEmpty()) QDir::setCurrent(dataDir);
    const QString path =
        dialogs_.saveFileName(dialogParent, QString(), QDir::currentPath(),
                              tr("Pliki tekstowe *.txt (*.txt);;Pliki pomiarów *.dan (*.dan)"));
    // The first line names the channels as they are now, for the presenter's curves.
    log_.setHeader(monitoringHeader(settings_));
    QString error;
    if (!path.isEmpty() && !log_.save(path, &error))
        reporter_.showMessage(QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), error),
                              tr("Błąd"), MessageIcon::Error);
    emit logSaved();
}

}  // namespace vorda
