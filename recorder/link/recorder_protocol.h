#pragma once
// The recorder's command language: the command texts, the reply parsers and the four
// kinds of exchange (register read, current-data read, averaged current-data read,
// plain command). The memory download is memory_download.h.

#include "link/serial_link.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <string_view>

namespace vorda {

class Reporter;
struct ProgramState;
struct Settings;

// Command texts.
inline constexpr char kDataCommand[] = " ?DAT &";
inline constexpr char kClearMemoryCommand[] = "CLR_M &";
inline constexpr char kAbortCommand[] = "$";
inline constexpr char kStartCommand[] = "  START &";
inline constexpr char kStopCommand[] = "$ $_END &";
inline constexpr char kStopTailCommand[] = " &";

// The recorder's clock as the settings command sets it (" TIME " + time + " DATE " +
// date) and register 0 reports it: "HH:mm:ss" and "yyyy-MM-dd", whatever the locale.
inline QString recorderTimeText(const QTime& time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}
inline QString recorderDateText(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

// " ?R_%1d &" with the register number.
QByteArray registerCommand(int n);
// " ?MEM %d &" with the block number.
QByteArray memoryCommand(int block);

// A register reply holds 14 tokens; a data reply a first token and 16 values.
inline constexpr int kRegisterReplyTokens = 14;
inline constexpr int kDataReplyValues = 16;

// What a reply is worth to its exchange. Silent: nothing but white space came. A register
// reply is Garbled when its first token does not begin with 'R' (noise before the reply
// included) and Incomplete when fewer than 14 tokens convert; a data reply is Incomplete
// when fewer than 16 values follow its first token. An exchange stores a reply only when
// this is ReplyFault::None.
ReplyFault registerReplyFault(std::string_view text);
ReplyFault dataReplyFault(std::string_view text);

// Parses a register reply as "%3s %11s %11s %d %ld %d %d %ld %d %d %u %u %f %f" would
// into `status` and `optionWord` (token 10). Conversion stops at the first token that
// does not convert (or at the end of the text); fields of later tokens keep their values.
// A NUL ends the text. Returns the number of tokens stored, 0-14.
int parseRegisterReply(std::string_view text, RecorderStatus& status, std::int32_t& optionWord);

// Parses a data reply as "%s" and sixteen "%d" would: the first token is skipped, the
// integers go to row[1..16]. Stops like parseRegisterReply. Returns the number of
// channels stored, 0-16.
int parseDataReply(std::string_view text, ReadingsRow& row);

// The mean of the middle three of five values: (sum - largest - smallest) / 3, the
// quotient truncated toward zero.
std::int32_t trimmedMean(const std::array<std::int32_t, 5>& values);

// A cheap facade over the one SerialLink: construct one wherever an exchange is needed.
// The readings table lives in the link (SerialLink::readings), so every facade sees it.
class RecorderProtocol {
public:
    RecorderProtocol(SerialLink& link, Settings& settings, ProgramState& state, Reporter& reporter);

    // Every exchange sets link.replyFault. One whose reply is not whole (registerReplyFault,
    // dataReplyFault) stores nothing, tells the reporter when something unusable came, and
    // returns an empty text, as silence does; link.replyText() keeps what came.

    // ReadRegister(n): " ?R_n &" in data mode, the reply parsed into settings.status and
    // the state's optionWord; then triggerOn, state.freeMemory, for n = 0
    // state.expectedSamples, and state.statusRead := true.
    // Returns the reply text (up to a NUL); empty when the link was busy (nothing changes).
    QByteArray readRegister(int n);
    // The same, run as part of the caller's exchange (`held` must hold the link).
    QByteArray readRegister(int n, const ExchangeGuard& held);

    // ReadCurrentData: one " ?DAT &" in command mode into link.readings row 0. Returns
    // the reply; empty when the link was busy.
    QByteArray readCurrentData();

    // ReadCurrentDataAveraged: five " ?DAT &" on one open port into rows 1-5, then row 0
    // of channels 1..channelsUsed (at most 16) := the trimmed mean of rows 1-5. Returns the
    // reply of the first read; empty when the link was busy or any of the five replies
    // was not whole (then no row changes).
    QByteArray readCurrentDataAveraged();

    // SendPlainCommand(text): sends the text in command mode and closes the port; no
    // reply is read. Returns false only when the link was busy and nothing was sent (the
    // recorder's receipt is never known).
    bool sendPlainCommand(const QByteArray& text);
    bool sendPlainCommand(const QByteArray& text, const ExchangeGuard& held);

    Readings& readings() { return link_.readings; }
    SerialLink& link() { return link_; }

private:
    QByteArray registerExchange(int n);
    void plainExchange(const QByteArray& text);
    QByteArray dataRead();
    void finishExchange();
    // Records the reply's fault; true when the reply may be stored.
    bool acceptReply(ReplyFault fault);
    // The status bar says why the port could not be opened.
    void reportOpenFailure();

    SerialLink& link_;
    Settings& settings_;
    ProgramState& state_;
    Reporter& reporter_;
};

}  // namespace vorda
