#pragma once
// A scripted transport for tests: it records every call and answers reads from a queue
// of chunks, which a responder may fill from the command bytes written so far.

#include "link/serial_transport.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vorda {

class FakeTransport : public SerialTransport {
public:
    // The shared state of one fake: the test keeps a pointer to it after handing the
    // transport itself to a SerialLink.
    struct Script {
        // --- what the port does ---
        bool openFails = false;
        QString openErrorText = QStringLiteral("No such file or directory");  // why, when it fails
        bool timeoutsFail = false;
        bool lineFails = false;
        WriteError writeError = WriteError::None;  // every write fails this way
        bool shortWrites = false;                  // every write reports 0 bytes written
        std::optional<ReadError> readError;        // every read fails this way
        // Chunks returned by successive reads; an empty queue reads as silence (0 bytes).
        std::deque<QByteArray> chunks;
        // Called at a read when bytes were written since the last read: gets those bytes
        // (the command) and returns chunks to queue.
        std::function<QList<QByteArray>(const QByteArray& command)> responder;
        // Called at the start of every read, before the chunk is taken (for example to
        // let a "timer" start a second exchange in the middle of one).
        std::function<void()> onRead;
        // Called with the bytes of every successful write.
        std::function<void(const QByteArray& bytes)> onWrite;

        // --- what happened ---
        std::vector<QString> opened;  // devices of every open() call
        int openCalls = 0;
        int closeCalls = 0;
        int readCalls = 0;
        int writeCalls = 0;
        QByteArray written;  // every byte written, in order
        std::vector<std::int64_t> writeSizes;
        std::optional<ReadTimeouts> timeouts;  // last set
        std::optional<LineSettings> line;      // last applied
        bool isOpen = false;
        QByteArray pendingCommand;  // written since the last read
    };

    explicit FakeTransport(std::shared_ptr<Script> script);

    // A new fake with a fresh script, and the script.
    static std::pair<std::unique_ptr<FakeTransport>, std::shared_ptr<Script>> create();

    bool open(const QString& device) override;
    bool isOpen() const override;
    bool setReadTimeouts(ReadTimeouts timeouts) override;
    bool applyLineSettings(const LineSettings& line) override;
    WriteResult write(const char* data, std::int64_t size) override;
    ReadError read(QByteArray& chunk, int maxBytes) override;
    void close() override;
    QString errorText() const override;

private:
    std::shared_ptr<Script> script_;
};

}  // namespace vorda
