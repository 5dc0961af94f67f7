// Mode strings and port names: the pure pieces of opening a port.

#include "link/serial_link.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vorda {
namespace {

struct ModeCase {
    const char* modeText;
    std::optional<LineSettings> expected;
};

LineSettings line(std::uint32_t baud, Parity parity, int data, StopBits stop, char handshake = '\0')
{
    return {baud, parity, data, stop, handshake};
}

TEST(ModeString, GoodAndBadModeStringsSideBySide)
{
    const ModeCase cases[] = {
        {"com3:230400,n,8,2,p", line(230400, Parity::None, 8, StopBits::Two, 'p')},
        {":230400,n,8,2,p", line(230400, Parity::None, 8, StopBits::Two, 'p')},
        {"COM1:9600,E,7,1,X", line(9600, Parity::Even, 7, StopBits::One, 'x')},
        {"com2: 19200,o,5,1.5", line(19200, Parity::Odd, 5, StopBits::OneAndHalf)},
        {"com1:38400,m,6,1", line(38400, Parity::Mark, 6, StopBits::One)},
        {"com1:38400,s,8", line(38400, Parity::Space, 8, StopBits::One)},
        // Left-out fields take the classic defaults; 110 baud gets two stop bits.
        {"com1:4800", line(4800, Parity::Even, 7, StopBits::One)},
        {"com1:11", line(110, Parity::Even, 7, StopBits::Two)},
        {"com1:96,n,8,1", line(9600, Parity::None, 8, StopBits::One)},
        {"com1:19,n,8,1", line(19200, Parity::None, 8, StopBits::One)},
        {"com1:9600,,8,1", line(9600, Parity::Even, 8, StopBits::One)},
        {"com12:57600,n,8,1", line(57600, Parity::None, 8, StopBits::One)},

        {"com1", std::nullopt},
        {"com1:", std::nullopt},
        {"com1:abc,n,8,1", std::nullopt},
        {"com1:0,n,8,1", std::nullopt},
        {"com1:-9600,n,8,1", std::nullopt},
        {"com1:9600x,n,8,1", std::nullopt},
        {"com1:9600,q,8,1", std::nullopt},
        {"com1:9600,nn,8,1", std::nullopt},
        {"com1:9600,n,9,1", std::nullopt},
        {"com1:9600,n,4,1", std::nullopt},
        {"com1:9600,n,8,3", std::nullopt},
        {"com1:9600,n,8,1.0", std::nullopt},
        {"com1:9600,n,8,1,r", std::nullopt},
        {"com1:9600,n,8,1,p,1", std::nullopt},
        {"com1:99999999999,n,8,1", std::nullopt},
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.modeText);
        EXPECT_EQ(parseModeString(c.modeText), c.expected);
    }
}

TEST(PortDevice, PortsConfWinsOverThePlatformDefault)
{
    const QString conf = QStringLiteral(
        "# USB adapter and simulator\n"
        "\n"
        "com1=/dev/ttyUSB0\n"
        "  COM3 = /tmp/ttyREC  \n"
        "com4=\n"
        "com10=/dev/ttyACM9\n"
        "garbage line\n");
    EXPECT_EQ(portDevice(1, conf), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(portDevice(3, conf), QStringLiteral("/tmp/ttyREC"));
    EXPECT_EQ(portDevice(2, conf), QStringLiteral("/dev/ttyS1"));
    // An empty mapping does not hide the default, and com1 does not match com10.
    EXPECT_EQ(portDevice(4, conf), QStringLiteral("/dev/ttyS3"));
    EXPECT_EQ(portDevice(10, conf), QStringLiteral("/dev/ttyACM9"));
    EXPECT_EQ(portDevice(1, QString()), QStringLiteral("/dev/ttyS0"));
}

}  // namespace
}  // namespace vorda
