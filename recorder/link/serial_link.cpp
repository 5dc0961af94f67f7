#include "link/serial_link.h"

#include <QCoreApplication>
#include <QFile>
#include <cctype>
#include <charconv>
#include <cstdio>

namespace vorda {

namespace {

// The context of this file's texts in the catalogue.
struct SerialLinkTexts {
    Q_DECLARE_TR_FUNCTIONS(SerialLinkTexts)
};

}  // namespace

ReadTimeouts timeoutsForMode(std::int32_t mode)
{
    if (mode == kCommandMode) return {500, 5000};
    return {350, 1000};
}

namespace {

char lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The classic two-digit abbreviations of the baud rate.
std::uint32_t expandBaudAbbreviation(std::uint32_t baud)
{
    switch (baud) {
    case 11:
        return 110;
    case 15:
        return 150;
    case 30:
        return 300;
    case 60:
        return 600;
    case 12:
        return 1200;
    case 24:
        return 2400;
    case 48:
        return 4800;
    case 96:
        return 9600;
    case 19:
        return 19200;
    default:
        return baud;
    }
}

// Splits off the next comma-separated field; false when `rest` is exhausted.
bool nextField(std::string_view& rest, std::string_view& field, bool& more)
{
    if (!more) return false;
    const std::size_t comma = rest.find(',');
    field = rest.substr(0, comma);
    more = comma != std::string_view::npos;
    rest = more ? rest.substr(comma + 1) : std::string_view{};
    return true;
}

}  // namespace

std::optional<LineSettings> parseModeString(std::string_view modeText)
{
    // Skip a leading port name "comN".
    if (modeText.size() >= 3 && lower(modeText[0]) == 'c' && lower(modeText[1]) == 'o' && lower(modeText[2]) == 'm') {
        modeText.remove_prefix(3);
        while (!modeText.empty() && isDigit(modeText.front())) modeText.remove_prefix(1);
    }
    if (!modeText.empty() && modeText.front() == ':') modeText.remove_prefix(1);
    while (!modeText.empty() && modeText.front() == ' ') modeText.remove_prefix(1);
    while (!modeText.empty() && modeText.back() == ' ') modeText.remove_suffix(1);

    LineSettings line;
    std::string_view rest = modeText;
    std::string_view field;
    bool more = true;

    nextField(rest, field, more);
    if (field.empty()) return std::nullopt;
    std::uint32_t baud = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), baud);
    if (ec != std::errc{} || end != field.data() + field.size() || baud == 0) return std::nullopt;
    line.baudRate = expandBaudAbbreviation(baud);

    line.parity = Parity::Even;
    if (nextField(rest, field, more) && !field.empty()) {
        if (field.size() != 1) return std::nullopt;
        switch (lower(field[0])) {
        case 'n':
            line.parity = Parity::None;
            break;
        case 'e':
            line.parity = Parity::Even;
            break;
        case 'o':
            line.parity = Parity::Odd;
            break;
        case 'm':
            line.parity = Parity::Mark;
            break;
        case 's':
            line.parity = Parity::Space;
            break;
        default:
            return std::nullopt;
        }
    }

    line.dataBits = 7;
    if (nextField(rest, field, more) && !field.empty()) {
        if (field.size() != 1 || field[0] < '5' || field[0] > '8') return std::nullopt;
        line.dataBits = field[0] - '0';
    }

    line.stopBits = line.baudRate == 110 ? StopBits::Two : StopBits::One;
    if (nextField(rest, field, more) && !field.empty()) {
        if (field == "1")
            line.stopBits = StopBits::One;
        else if (field == "1.5")
            line.stopBits = StopBits::OneAndHalf;
        else if (field == "2")
            line.stopBits = StopBits::Two;
        else
            return std::nullopt;
    }

    if (nextField(rest, field, more) && !field.empty()) {
        if (field.size() != 1) return std::nullopt;
        const char h = lower(field[0]);
        if (h != 'x' && h != 'p') return std::nullopt;
        line.handshake = h;
    }
    if (more) return std::nullopt;  // a sixth field
    return line;
}

QString portDevice(int portNumber, const QString& portsConf)
{
    const QString key = QStringLiteral("com%1").arg(portNumber);
    for (const QString& raw : portsConf.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0) continue;
        if (line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0) continue;
        const QString device = line.mid(eq + 1).trimmed();
        if (!device.isEmpty()) return device;
    }
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
}

SerialLink::SerialLink(Settings& settings, std::unique_ptr<SerialTransport> transport, QString startDir)
    : settings_(settings), transport_(std::move(transport)), startDir_(std::move(startDir))
{
}

SerialLink::~SerialLink() = default;

void SerialLink::setDeviceOverride(const QString& device)
{
    deviceOverride_ = device;
}

void SerialLink::open()
{
    if (settings_.portOpen == 1) return;
    if (settings_.portNumber == 0) settings_.portNumber = 1;

    char text[80];
    std::snprintf(text, sizeof text, "com%d%s", settings_.portNumber,
                  std::string(fieldText(settings_.portParams)).c_str());
    portText = QByteArray(text);
    openStatus = 0;

    // A handle left from an earlier attempt must not keep the port.
    if (transport_->isOpen()) transport_->close();

    if (!deviceOverride_.isEmpty()) {
        device_ = deviceOverride_;
    } else {
        QString conf;
        QFile file(startDir_ + QStringLiteral("/ports.conf"));
        if (file.open(QIODevice::ReadOnly)) conf = QString::fromUtf8(file.readAll());
        device_ = portDevice(settings_.portNumber, conf);
    }

    const bool opened = transport_->open(device_);
    if (!opened) openStatus |= kOpenFailed;
    const std::optional<LineSettings> line = parseModeString(portText.toStdString());
    if (!line) openStatus |= kOpenBadMode;
    if (opened) {
        if (!transport_->setReadTimeouts(timeoutsForMode(mode))) openStatus |= kOpenTimeoutsFailed;
        if (line && !transport_->applyLineSettings(*line)) openStatus |= kOpenLineStateFailed;
    } else {
        // The configuring steps fail on an invalid handle as well.
        openStatus |= kOpenTimeoutsFailed | kOpenLineStateFailed | kOpenEventMaskFailed;
    }

    settings_.portOpen = openStatus == 0 ? 1 : 0;
    openFailure_.clear();
    if (settings_.portOpen == 0) {
        QString reason = transport_->errorText();
        if (opened && !line) {
            const std::string_view params = fieldText(settings_.portParams);
            reason = SerialLinkTexts::tr("nieprawidłowe parametry linii '%1'")
                         .arg(QString::fromLatin1(params.data(), qsizetype(params.size())));
        }
        if (reason.isEmpty()) reason = SerialLinkTexts::tr("port niedostępny");
        openFailure_ = SerialLinkTexts::tr("Nie można otworzyć portu %1: %2").arg(portName(), reason);
    }
    if (settings_.portOpen == 0 && transport_->isOpen()) transport_->close();
}

QString SerialLink::portName() const
{
    if (!deviceOverride_.isEmpty()) return deviceOverride_;
    return QStringLiteral("com%1 (%2)").arg(settings_.portNumber).arg(device_);
}

QString SerialLink::noReplyReason() const
{
    if (!openFailure_.isEmpty()) return openFailure_;
    switch (replyFault) {
    case ReplyFault::Garbled:
        return SerialLinkTexts::tr("Odpowiedź rejestratora na porcie %1 jest zniekształcona").arg(portName());
    case ReplyFault::Incomplete:
        return SerialLinkTexts::tr("Odpowiedź rejestratora na porcie %1 jest niepełna").arg(portName());
    case ReplyFault::None:
    case ReplyFault::Silent:
        break;
    }
    return SerialLinkTexts::tr("Rejestrator nie odpowiada na porcie %1").arg(portName());
}

void SerialLink::send()
{
    const QByteArray text = command.left(kMaxCommandLength);
    for (const char byte : text) {
        command = QByteArray(1, byte);
        mode = kDataMode;
        open();
        writeByte(byte);
    }
}

void SerialLink::writeByte(char byte)
{
    writeStatus = 0;
    const WriteResult result = transport_->write(&byte, 1);
    switch (result.error) {
    case WriteError::None:
        break;
    case WriteError::BrokenPipe:
        writeStatus |= kWriteBrokenPipe;
        return;
    case WriteError::NoMemory:
        writeStatus |= kWriteNoMemory;
        return;
    case WriteError::InvalidBuffer:
        writeStatus |= kWriteInvalidBuffer;
        return;
    case WriteError::Other:
        writeStatus |= kWriteOtherError;
        return;
    }
    if (result.written < 1) {
        writeStatus |= kWriteShort;
        return;
    }
    command.clear();
}

void SerialLink::readChunk()
{
    reply.clear();
    QByteArray chunk;
    const ReadError error = transport_->read(chunk, kChunkSize);
    readStatus = 0;
    readFailed = error != ReadError::None;
    if (readFailed) {
        if (error == ReadError::EndOfFile) readStatus |= kReadEndOfFile;
        return;
    }
    reply = chunk;
    if (chunk.isEmpty()) receiving = false;
}

void SerialLink::close()
{
    transport_->close();
    settings_.portOpen = 0;
}

QByteArray SerialLink::replyText() const
{
    const qsizetype nul = reply.indexOf('\0');
    return nul < 0 ? reply : reply.left(nul);
}

ExchangeGuard::ExchangeGuard(SerialLink& link) : link_(link)
{
    if (link_.exchangeHeld_) return;
    link_.exchangeHeld_ = true;
    acquired_ = true;
}

ExchangeGuard::~ExchangeGuard()
{
    if (acquired_) link_.exchangeHeld_ = false;
}

}  // namespace vorda
