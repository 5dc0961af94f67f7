#pragma once
// The byte pipe under SerialLink: open a device exclusively, configure it, write bytes,
// read one chunk under read time-outs, close. QSerialPortTransport drives a real (or
// pseudo-) terminal; the tests bring a scripted fake.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

namespace vorda {

enum class Parity { None, Even, Odd, Mark, Space };
enum class StopBits { One, OneAndHalf, Two };

// Line parameters as a mode string gives them. The handshake letter is parsed but never
// applied: the link always runs without flow control.
struct LineSettings {
    std::uint32_t baudRate = 0;
    Parity parity = Parity::None;
    int dataBits = 8;
    StopBits stopBits = StopBits::One;
    char handshake = '\0';  // '\0', 'x' (XON/XOFF) or 'p' (hardware)

    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// Read time-outs of one chunk read, in milliseconds. A chunk read returns when the
// requested count has arrived, when the line has been silent for longer than `intervalMs`
// after at least one byte, or when `totalMs` has passed since the read began.
struct ReadTimeouts {
    int intervalMs = 0;
    int totalMs = 0;

    friend bool operator==(const ReadTimeouts&, const ReadTimeouts&) = default;
};

// The time-out rule of one chunk read, apart from any clock: how long the read may still
// wait for data `elapsedMs` after it began. Before the first byte only the total time
// counts; after it the line may be silent for at most the interval. 0 ends the read.
std::int64_t chunkReadWaitMs(ReadTimeouts timeouts, std::int64_t elapsedMs, bool anyByteReceived);

enum class WriteError { None, BrokenPipe, NoMemory, InvalidBuffer, Other };
enum class ReadError { None, EndOfFile, Other };

struct WriteResult {
    WriteError error = WriteError::None;
    std::int64_t written = 0;
};

class SerialTransport {
public:
    virtual ~SerialTransport() = default;

    // Opens the device for reading and writing, exclusively: fails when it is missing or
    // another user holds it.
    virtual bool open(const QString& device) = 0;
    virtual bool isOpen() const = 0;
    // Sets the time-outs that every later read() uses.
    virtual bool setReadTimeouts(ReadTimeouts timeouts) = 0;
    // Applies baud rate, parity, data and stop bits, with every kind of flow control off.
    virtual bool applyLineSettings(const LineSettings& line) = 0;
    // Writes the bytes, blocking until they have gone to the driver.
    virtual WriteResult write(const char* data, std::int64_t size) = 0;
    // Reads one chunk of at most maxBytes under the time-outs in force into `chunk`
    // (emptied first). A chunk of zero bytes with ReadError::None means silence.
    virtual ReadError read(QByteArray& chunk, int maxBytes) = 0;
    // Waits until the transmit buffer is empty, then closes. Harmless when closed.
    virtual void close() = 0;
    // The system's words for why the last open or configuration failed (empty: unknown).
    virtual QString errorText() const { return {}; }
};

// The transport of the real program: QSerialPort.
std::unique_ptr<SerialTransport> makeSerialPortTransport();

}  // namespace vorda
