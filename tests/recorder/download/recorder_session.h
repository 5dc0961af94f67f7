#pragma once
// A Vorda core wired to recorder-sim over a pseudo-terminal, in a temporary start-up
// directory, with a reporter and a download view that record what they are told.

#include "core/program_state.h"
#include "core/progress_views.h"
#include "core/reporter.h"
#include "core/settings_files.h"
#include "core/settings_record.h"
#include "files/dump_conversion.h"
#include "link/memory_download.h"
#include "link/serial_link.h"
#include "support/recorder_sim.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <memory>

namespace vorda::test {

struct ShownMessage {
    QString text;
    QString caption;
};

class RecordingReporter : public Reporter {
public:
    QStringList transfer;
    QList<ShownMessage> shown;
    QList<ShownMessage> asked;
    QStringList statusTexts;
    bool confirmAnswer = false;
    int filesChangedCount = 0;
    std::function<void()> onEvents;

    void setStatus(StatusPanel, const QString& text) override { statusTexts << text; }
    void transferMessage(const QString& line) override { transfer << line; }
    void showMessage(const QString& text, const QString& caption, MessageIcon) override
    {
        shown.append({text, caption});
    }
    bool confirm(const QString& text, const QString& caption) override
    {
        asked.append({text, caption});
        return confirmAnswer;
    }
    void filesChanged() override { ++filesChangedCount; }
    void processEvents() override
    {
        if (onEvents) onEvents();
    }
};

// Records what the download tells its view; `progress` follows the block as the dialog's
// bar and label do.
class RecordingView : public DownloadView {
public:
    QList<DownloadValues> values;
    int barMaximum = -1;
    int barPosition = -1;
    std::int32_t currentBlock = 0;
    std::int64_t currentBytes = 0;
    int readsStarted = 0;
    TransferProgress progress;

    void readStarted() override { ++readsStarted; }
    void valuesChanged(const DownloadValues& v) override { values.append(v); }
    void blockStarted(std::int32_t block, std::int64_t expected) override
    {
        currentBlock = block;
        currentBytes = 0;
        progress.startBlock(expected);
    }
    void bytesReceived(std::int64_t bytes) override { currentBytes = bytes; }
    void sampleCharactersReceived(std::int64_t n) override { progress.setReceived(n); }
    void setBarMaximum(int m) override { barMaximum = m; }
    void setBarPosition(int p) override
    {
        barPosition = p;
        progress.setSecondsLeft(p);
    }
};

// Every channel reads its raw code as the value (S_B 1000, S_C 0, no decimals), so a
// measurement file shows the codes the recorder stored.
inline void nameChannelsForRawCodes(Settings& settings)
{
    for (int c = 1; c <= kMaxChannels; ++c) {
        ChannelSettings& ch = settings.channels[c];
        setFieldText(ch.name, "K" + std::to_string(c));
        ch.slopeSB = 1000.0;
        ch.offsetSC = 0.0;
        ch.rawPoint1 = 0;
        ch.numberFormat = 0;
    }
}

// What every session holds: a temporary start-up directory with the program's defaults,
// channels that show raw codes, and a link whose transport the kind of session chooses.
class SessionBase {
public:
    SessionBase()
    {
        const QString start = dir.path();
        state.setStartDir(start);
        applyStartupDefaults(settings, start);
        settings.firstColumn = 1;
        nameChannelsForRawCodes(settings);
    }

    // Writes a scenario file and returns the simulator arguments that load it.
    static QStringList scenario(QTemporaryDir& holder, const QString& text)
    {
        const QString path = holder.filePath(QStringLiteral("scenario.txt"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) file.write(text.toUtf8());
        return {QStringLiteral("--scenario"), path};
    }

    MemoryDownload download(DownloadView* view = nullptr)
    {
        return MemoryDownload(settings, state, *link, reporter, view);
    }

    // The measurement files in the data directory, by name.
    QStringList measurementFiles() const
    {
        return QDir(dir.path()).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    }

    QStringList fileLines(const QString& name) const
    {
        QFile file(QDir(dir.path()).filePath(name));
        if (!file.open(QIODevice::ReadOnly)) return {};
        QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        return lines;
    }

    QByteArray dump() const
    {
        QFile file(QDir(dir.path()).filePath(QString::fromLatin1(kDumpFileName)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    Settings settings{};
    ProgramState state;
    RecordingReporter reporter;
    std::unique_ptr<SerialLink> link;

protected:
    void connect(std::unique_ptr<SerialTransport> transport)
    {
        link = std::make_unique<SerialLink>(settings, std::move(transport), dir.path());
    }
};

// A session with recorder-sim on a pseudo-terminal, through the real serial port.
class RecorderSession : public SessionBase {
public:
    explicit RecorderSession(const QStringList& simArguments) : sim(simArguments)
    {
        connect(makeSerialPortTransport());
        link->setDeviceOverride(sim.devicePath());
    }

    RecorderSim sim;
};

}  // namespace vorda::test
