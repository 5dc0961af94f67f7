#pragma once
// SerialLink: the program's one access to the serial port that leads to the recorder.
// It builds the port name and line parameters from the settings record, opens the port
// on demand, sends a command one byte per write, reads the reply in chunks of at most
// 200 bytes under the time-outs of the exchange's mode, and records the outcome of every
// step in status bits. It knows nothing of the command language (recorder_protocol.h).
//
// The calling order of an exchange: hold an ExchangeGuard; set `mode`; open(); put the
// text in `command`; send(); readChunk() once, or until `receiving` turns false; close().

#include "core/settings_record.h"
#include "link/serial_transport.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace vorda {

// openStatus bits.
inline constexpr std::uint32_t kOpenFailed = 0x01;
inline constexpr std::uint32_t kOpenBadMode = 0x02;
inline constexpr std::uint32_t kOpenTimeoutsFailed = 0x04;
inline constexpr std::uint32_t kOpenLineStateFailed = 0x08;
// The receive event mask is not a step of this platform's open: only a failed open,
// whose configuring steps all fail, sets this bit.
inline constexpr std::uint32_t kOpenEventMaskFailed = 0x10;
// readStatus bits.
inline constexpr std::uint32_t kReadEndOfFile = 0x01;
// writeStatus bits.
inline constexpr std::uint32_t kWriteBrokenPipe = 0x01;
inline constexpr std::uint32_t kWriteNoMemory = 0x02;
inline constexpr std::uint32_t kWriteInvalidBuffer = 0x04;
inline constexpr std::uint32_t kWriteOtherError = 0x08;
inline constexpr std::uint32_t kWriteShort = 0x10;

// How the reply of the last exchange served, as the protocol judged it
// (recorder_protocol.h): what the user is told when an exchange fails.
enum class ReplyFault {
    None,        // the reply held everything the exchange needs
    Silent,      // nothing (or only white space) came
    Garbled,     // something came, but not a reply of the recorder's format
    Incomplete,  // a reply of the right kind with fewer values than the command needs
};

// Exchange modes; each chooses the read time-outs applied when the port is opened.
inline constexpr std::int32_t kCommandMode = 1;  // current-data reads, plain commands
inline constexpr std::int32_t kDataMode = 7;     // register reads, memory download

// Raw channel codes filled by the current-data reads (recorder_protocol.h): row 0 the
// current value of channels 1-16, rows 1-5 the five replies of an averaged read; index 0
// of each row is unused.
using ReadingsRow = std::array<std::int32_t, kMaxChannels + 1>;
using Readings = std::array<ReadingsRow, 6>;

inline constexpr int kChunkSize = 200;
inline constexpr int kMaxCommandLength = 511;

// The time-outs of a mode: 500/5000 ms in command mode, 350/1000 ms in data mode (any
// other value is taken as data mode).
ReadTimeouts timeoutsForMode(std::int32_t mode);

// Parses a port text such as "com3:230400,n,8,2,p" (or only the part after the
// port name, ":230400,n,8,2,p"): baud rate, then optional parity letter (n e o m s), data
// bits (5-8), stop bits (1, 1.5, 2) and handshake letter (x p), comma-separated; blanks
// may follow the colon. Two-digit baud abbreviations (11 15 30 60 12 24 48 96 19) stand
// for 110 ... 19200; fields left out take the classic defaults (even parity, 7 data bits,
// 1 stop bit, 2 at 110 baud). nullopt when the text cannot be parsed.
std::optional<LineSettings> parseModeString(std::string_view modeText);

// The device of port comN: a line "comN=DEVICE" of `portsConf` (the text of ports.conf;
// blank lines and lines starting with '#' are skipped, blanks around key and value
// ignored, the key's case too), else /dev/ttyS<N-1>.
QString portDevice(int portNumber, const QString& portsConf);

class SerialLink {
public:
    // `startDir` is where ports.conf is looked for.
    SerialLink(Settings& settings, std::unique_ptr<SerialTransport> transport, QString startDir);
    ~SerialLink();
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // A device path used instead of the one that portNumber resolves to (vorda-cli
    // --port); empty to resolve again.
    void setDeviceOverride(const QString& device);
    // The device that the last open() tried.
    QString device() const { return device_; }
    // The port as messages name it: "comN (DEVICE)", or the device alone when it was
    // given directly, so that no message names a com port that was not used.
    QString portName() const;
    // Why the last open() failed, as the user reads it: "Nie można otworzyć portu PORT:
    // REASON" with the system's reason; empty after a successful open.
    QString openFailureText() const { return openFailure_; }
    // Why the last exchange failed: the open failure, else what `replyFault` says of the
    // reply (none came, garbled, incomplete).
    QString noReplyReason() const;

    // Opens and configures the port unless settings.portOpen is 1; on success portOpen
    // := 1. A handle opened but not configured is closed again at once, so a failed
    // open never holds the port.
    void open();
    // Sends `command` (at most 511 bytes) one byte per write; each byte first sets mode
    // := 7 and calls open(). On full success `command` ends empty.
    void send();
    // Reads one chunk of at most 200 bytes into `reply`; a chunk of zero bytes sets
    // `receiving` false.
    void readChunk();
    // Waits until the transmit buffer is empty, closes the port, portOpen := 0.
    void close();

    // The text of the last chunk as later users see it: up to its first NUL.
    QByteArray replyText() const;

    bool exchangeInProgress() const { return exchangeHeld_; }
    Settings& settings() { return settings_; }

    std::uint32_t openStatus = 0;
    std::uint32_t readStatus = 0;
    std::uint32_t writeStatus = 0;
    std::int32_t mode = kDataMode;
    QByteArray portText;  // "com%d%s" with portNumber and portParams
    QByteArray command;   // the command text to send
    QByteArray reply;     // every byte of the last chunk, NUL bytes included
    bool receiving = false;
    // The last chunk read failed (the device reported an error rather than silence).
    bool readFailed = false;
    // Set by each exchange of the protocol from its reply.
    ReplyFault replyFault = ReplyFault::None;
    // The program-wide table of raw channel codes; row 0 is what other parts read.
    Readings readings{};

private:
    friend class ExchangeGuard;

    void writeByte(char byte);

    Settings& settings_;
    std::unique_ptr<SerialTransport> transport_;
    QString startDir_;
    QString deviceOverride_;
    QString device_;
    QString openFailure_;
    bool exchangeHeld_ = false;
};

// One exchange with the recorder at a time. The program is single-threaded, but long
// operations let window events run, so a timer or a click could start a second exchange
// on the open port and interleave two commands. Every exchange holds a guard for its
// whole length; a guard asked for while another is held is not acquired, and the
// exchange that asked is refused without touching the port. An operation that spans
// several exchanges (the memory download) holds one guard throughout and runs its inner
// exchanges within it.
class ExchangeGuard {
public:
    explicit ExchangeGuard(SerialLink& link);
    ~ExchangeGuard();
    ExchangeGuard(const ExchangeGuard&) = delete;
    ExchangeGuard& operator=(const ExchangeGuard&) = delete;

    bool acquired() const { return acquired_; }
    explicit operator bool() const { return acquired_; }
    // True when this guard is acquired on `link`.
    bool holds(const SerialLink& link) const { return acquired_ && &link_ == &link; }

private:
    SerialLink& link_;
    bool acquired_ = false;
};

}  // namespace vorda
