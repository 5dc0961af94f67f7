// The dump conversion through its in-memory entry point. A file is written exactly when
// the header line is usable; it then holds the header line and one line per complete
// sample (a sample the dump holds wholly); every value stands where the dump held that sample's code (each channel reads
// its raw code here) and no value stands where the dump had none; the lengths and the
// count of characters outside the sample alphabet are reported as the dump has them. A dump is read up to its end and never past it (the
// input is handed over in a buffer of its exact size, under AddressSanitizer).

#include "fuzz_check.h"

#include "core/reporter.h"
#include "core/sample_layout.h"
#include "core/settings_record.h"
#include "files/dump_conversion.h"
#include "dump_codec.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace vorda;

namespace {

constexpr std::size_t kHeaderRoom = 200;  // the header line and its CR are looked for here

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3) return 0;
    const int firstColumn = data[0] & 3;
    const bool triggerOn = (data[0] >> 2) & 1;
    const unsigned unnamed = data[1] | (unsigned(data[2]) << 8);
    // The dump in a buffer of exactly its size.
    const std::vector<char> dump(data + 3, data + size);
    const std::string_view bytes(dump.data(), dump.size());

    Settings settings{};
    settings.firstColumn = firstColumn;
    settings.status.triggerOn = triggerOn;
    for (int c = 1; c <= kMaxChannels; ++c) {
        ChannelSettings& ch = settings.channels[c];
        if (!(unnamed >> (c - 1) & 1)) setFieldText(ch.name, "K" + std::to_string(c));
        ch.slopeSB = 1000.0;
    }

    const std::size_t cr = bytes.substr(0, kHeaderRoom).find('\r');
    const auto header = cr == std::string_view::npos ? std::nullopt : parseDumpHeader(bytes.substr(0, cr));
    // A header may announce up to 1564670 samples, each a line of the file even with no
    // sample characters (an unknown record type): such inputs only take long, so the
    // fuzzer leaves them before converting.
    if (header && header->sampleCount > 5000) return 0;

    Reporter quiet;
    std::string text;
    const ConversionResult result = convertDumpInMemory(bytes, settings, quiet, text);

    // Written exactly when the header line is usable (and, for clock times, its time).
    const bool usable = header && (firstColumn != 3 || parseStartTime(header->time));
    FUZZ_CHECK(result.ok() == usable);
    if (!usable) {
        FUZZ_CHECK(text.empty());
        return 0;
    }

    const std::string_view body = bytes.substr(cr + 1);
    const SampleShape shape = sampleShape(header->recordType(), triggerOn, int(header->channelCount));
    const std::size_t sampleSize = std::size_t(shape.characters());
    const std::int64_t count = header->sampleCount;
    FUZZ_CHECK(result.sampleCount == count);
    const std::int64_t whole =
        sampleSize == 0 ? count : std::min<std::int64_t>(count, std::int64_t(body.size() / sampleSize));
    const auto isForeign = [](char c) { return !dumpcodec::carriesNibble(c); };
    const auto wholeEnd = body.begin() + std::ptrdiff_t(std::size_t(whole) * sampleSize);
    // Lines stop at the sample of the first foreign character.
    const auto firstForeign = std::find_if(body.begin(), wholeEnd, isForeign);
    const std::int64_t written =
        sampleSize == 0 ? whole : std::int64_t(std::size_t(firstForeign - body.begin()) / sampleSize);
    FUZZ_CHECK(result.completeSamples == written);
    FUZZ_CHECK(result.receivedBytes == std::int64_t(bytes.size()));
    FUZZ_CHECK(result.expectedBytes == std::int64_t(cr + 1 + std::size_t(count) * sampleSize));
    FUZZ_CHECK(result.foreignCharacters == std::count_if(body.begin(), wholeEnd, isForeign));
    // The regular name only for a whole, clean block, a CR LF after it allowed.
    const std::string_view after = body.substr(std::min(body.size(), std::size_t(count) * sampleSize));
    const bool clean = written == count && (after.empty() || after == "\r\n");
    FUZZ_CHECK(result.clean() == clean);
    FUZZ_CHECK(result.filePath.endsWith(QStringLiteral("_niepelny.txt")) == !clean);

    // The header line and one line per complete sample, each ended by CR-LF.
    FUZZ_CHECK(text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0);
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        FUZZ_CHECK(end != std::string::npos);
        lines.emplace_back(text.data() + start, end - start);
        start = end + 2;
    }
    FUZZ_CHECK(std::int64_t(lines.size()) == written + 1);

    for (std::int64_t i = 0; i < written; ++i) {
        const std::size_t offset = std::size_t(i) * sampleSize;
        const std::size_t available = offset < body.size() ? std::min(sampleSize, body.size() - offset) : 0;
        const char* d = body.data() + std::min(offset, body.size());
        const int present = std::min(shape.codes, int(available / 4));
        const std::size_t tail = std::size_t(shape.codes) * 4;

        std::vector<std::string> expected;
        if (shape.timeStamp) {
            if (available >= tail + 8) expected.push_back("*");  // the recorder's clock time
        } else if (firstColumn != 0) {
            expected.push_back("*");  // sample number or time
        }
        for (int k = 0; k < present; ++k)
            if (!(unnamed >> k & 1)) expected.push_back(std::to_string(dumpcodec::decodeCode(d + 4 * k)));
        if (shape.digitalPair && available >= tail + 4) {
            expected.push_back(std::to_string(int(static_cast<unsigned char>(d[tail])) - '0'));
            expected.push_back(std::to_string(int(static_cast<unsigned char>(d[tail + 2])) - '0'));
        }
        const std::vector<std::string> got = fuzz::blankTokens(lines[std::size_t(i) + 1]);
        FUZZ_CHECK(got.size() == expected.size());
        for (std::size_t t = 0; t < got.size(); ++t) FUZZ_CHECK(expected[t] == "*" || got[t] == expected[t]);
    }
    return 0;
}
