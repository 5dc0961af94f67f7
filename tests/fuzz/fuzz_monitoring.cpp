// The monitoring poll: current-data replies of any content through the scripted line into
// a monitoring line. A poll makes a line only when every reply held its sixteen values, and
// changes no reading otherwise; the readings are what the replies held (the averaged read
// takes the mean of the middle three), the line
// holds one field per used channel written as printf's "%.Nf" writes the value, and the
// presenter reads the line as a data line with those values.

#include "fuzz_check.h"
#include "presenter/reader/parse_line.h"

#include "core/channel_scaling.h"
#include "core/program_state.h"
#include "core/reporter.h"
#include "core/settings_record.h"
#include "line_parser.h"
#include "link/recorder_protocol.h"
#include "link/serial_link.h"
#include "measure/monitoring.h"
#include "support/fake_transport.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace vorda;

namespace {

constexpr double kSlopes[] = {1000.0, 15.259, 0.0, -2.5, 1e300, -1e30, INFINITY, NAN};
constexpr double kOffsets[] = {0.0, -273.15, 1e-300, 12345.678, 1e38, -INFINITY, NAN, 0.5};

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputReader in(data, size);
    const PollKind kind = (in.byte() & 1) ? PollKind::Averaged : PollKind::Single;
    Settings settings{};
    settings.portNumber = 1;
    setFieldText(settings.portParams, ":38400,n,8,1");
    settings.channelsUsed = static_cast<std::int8_t>(in.byte());
    for (int c = 1; c <= kMaxChannels; ++c) {
        const std::uint8_t pick = in.byte();
        ChannelSettings& ch = settings.channels[c];
        ch.numberFormat = static_cast<std::int8_t>(in.byte());
        ch.slopeSB = kSlopes[pick & 7];
        ch.offsetSC = kOffsets[(pick >> 3) & 7];
    }
    // The replies, one per read, separated by 0xFF bytes; a read beyond them hears silence.
    std::vector<QByteArray> replies;
    while (!in.empty()) {
        const std::string_view reply = in.until('\xff');
        replies.emplace_back(reply.data(), qsizetype(std::min<std::size_t>(reply.size(), kChunkSize)));
    }

    auto [transport, script] = FakeTransport::create();
    std::size_t next = 0;
    script->responder = [&](const QByteArray&) -> QList<QByteArray> {
        if (next >= replies.size()) return {};
        const QByteArray& reply = replies[next++];
        return reply.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{reply};
    };
    ProgramState state;
    Reporter quiet;
    SerialLink link(settings, std::move(transport), QString());
    RecorderProtocol protocol(link, settings, state, quiet);

    // The codes the replies should leave: row 0 for a single read, rows 1-5 for the five,
    // and only when every reply of the poll held its sixteen values.
    Readings expected{};
    const int reads = kind == PollKind::Single ? 1 : 5;
    bool whole = true;
    for (int r = 0; r < reads; ++r) {
        const QByteArray reply = std::size_t(r) < replies.size() ? replies[std::size_t(r)] : QByteArray();
        const std::string_view text(reply.constData(), std::size_t(reply.size()));
        whole = whole && dataReplyFault(text) == ReplyFault::None;
        parseDataReply(text, expected[std::size_t(kind == PollKind::Single ? 0 : r + 1)]);
    }

    // The channels the line shows and the averaged read refreshes.
    const int shown = std::clamp<int>(settings.channelsUsed, 0, kMaxChannels);
    const QDateTime when(QDate(2026, 12, 9), QTime(3, 4, 5));
    const PollResult result = pollRecorder(protocol, settings, kind, when);
    FUZZ_CHECK(!link.exchangeInProgress());

    if (!whole) expected = Readings{};
    if (kind == PollKind::Averaged && whole) {
        for (int c = 1; c <= shown; ++c) {
            std::array<std::int32_t, 5> five;
            for (int r = 0; r < 5; ++r) five[std::size_t(r)] = expected[std::size_t(r + 1)][std::size_t(c)];
            expected[0][std::size_t(c)] = trimmedMean(five);
        }
    }
    for (int c = 1; c <= kMaxChannels; ++c) FUZZ_CHECK(link.readings[0][std::size_t(c)] == expected[0][std::size_t(c)]);

    FUZZ_CHECK((result.outcome == PollOutcome::Line) == whole);
    FUZZ_CHECK(whole == (link.replyFault == ReplyFault::None));
    if (result.outcome != PollOutcome::Line) {
        FUZZ_CHECK(result.line.empty() && result.values.empty());
        return 0;
    }

    const int used = shown;
    const std::vector<std::string> fields = split(result.line, '\t');
    FUZZ_CHECK(fields.size() == std::size_t(used) + 2);
    FUZZ_CHECK(fields.front() == "26-12-09 03:04:05");
    FUZZ_CHECK(fields.back().empty());
    FUZZ_CHECK(result.values.size() == std::size_t(used));

    wizor::Linia1MG presenter;
    const bool dataLine = parseLine(presenter, result.line);
    FUZZ_CHECK(dataLine);
    // The presenter reads the first 499 characters of a line; only values of absurd
    // constants (1e38 and the like) make a line that long.
    const bool wholeLineRead = result.line.size() <= std::size_t(wizor::kMaxLineLength);
    // The presenter counts the columns up to the first field that does not begin like a
    // number ("nan", "inf" of a damaged constant).
    int numeric = 0;
    while (numeric < used) {
        const std::string& f = fields[std::size_t(numeric + 1)];
        const char first = f[f.find_first_not_of(' ')];
        if (first != '-' && (first < '0' || first > '9')) break;
        ++numeric;
    }
    FUZZ_CHECK(!wholeLineRead || presenter.valueCount() == numeric);
    for (int c = 1; c <= used; ++c) {
        const ChannelSettings& ch = settings.channels[c];
        const float value = monitoredValue(ch, expected[0][std::size_t(c)]);
        FUZZ_CHECK(std::memcmp(&value, &result.values[std::size_t(c - 1)], sizeof value) == 0 || std::isnan(value));
        const int decimals = ch.numberFormat >= 0 && ch.numberFormat <= 4 ? ch.numberFormat : 0;
        char reference[400];
        std::snprintf(reference, sizeof reference, "%5.*f", decimals, static_cast<double>(value));
        FUZZ_CHECK(fields[std::size_t(c)] == reference);
        if (!wholeLineRead) continue;
        const float read = std::strtof(fields[std::size_t(c)].c_str(), nullptr);
        if (!(std::memcmp(&read, &presenter.values()[c - 1], sizeof read) == 0 || std::isnan(read)))
            std::fprintf(stderr, "line \"%s\" field %d \"%s\": presenter %.9g, strtof %.9g\n", result.line.c_str(), c,
                         fields[std::size_t(c)].c_str(), double(presenter.values()[c - 1]), double(read));
        FUZZ_CHECK(std::memcmp(&read, &presenter.values()[c - 1], sizeof read) == 0 || std::isnan(read));
    }
    return 0;
}
