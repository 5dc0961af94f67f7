#pragma once
// The text of a measurement file: the column header line and one line per sample, each
// ended by CR LF, written through a large buffer into any QIODevice.

#include "core/sample_layout.h"
#include "core/settings_record.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class QIODevice;

namespace vorda {

// What a block contributes to the text besides the settings.
struct BlockLayout {
    char recordType = '3';         // second character of the block tag
    bool triggerOn = false;        // bit 0 of the last register reply's option word
    int channelCount = 1;          // channel slots per sample, clamped to 1..16
    std::int64_t samplingMs = 0;   // time between samples
    std::int64_t startTimeMs = 0;  // block start, ms since midnight (first-column mode 3)
};

// One sample as decoded from the dump. Items missing from a short dump are left out of
// the line; only their separators remain.
struct SampleItems {
    int codesPresent = 0;             // leading code slots that were in the dump
    float values[kMaxChannels] = {};  // scaled values of those slots
    bool digitalPresent = false;
    int digital1 = 0;  // digit of digital input 1 (character - '0')
    int digital2 = 0;
    bool timeStampPresent = false;
    std::uint32_t timeStamp = 0;  // 2 ms units since midnight
};

// The channels 1..usedChannels() that have no sensor name: the files get no column for
// them, so their readings are left out.
std::vector<int> namelessUsedChannels(const Settings& settings);

class MeasurementFileWriter {
public:
    MeasurementFileWriter(const Settings& settings, const BlockLayout& layout, QIODevice& out);
    ~MeasurementFileWriter();
    MeasurementFileWriter(const MeasurementFileWriter&) = delete;
    MeasurementFileWriter& operator=(const MeasurementFileWriter&) = delete;

    void writeHeaderLine();
    // The line of sample `index` (0 for the first sample).
    void writeSampleLine(std::int64_t index, const SampleItems& items);
    // Hands the buffered text to the device; false once any write has failed.
    bool flush();
    bool failed() const { return failed_; }

private:
    char* lineStart();
    void lineEnd(char* end);
    char* writeFirstColumn(char* p, std::int64_t index) const;

    QIODevice& out_;
    BlockLayout layout_;
    SampleShape shape_;
    int firstColumn_;
    std::string_view chartParameters_;
    std::string_view names_[kMaxChannels];
    int decimals_[kMaxChannels];
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
};

}  // namespace vorda
