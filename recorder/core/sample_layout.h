#pragma once
// The layout of one sample in a downloaded block, by record type: what the download's
// size estimate counts and what the conversion decodes.

namespace vorda {

// The items of one sample in the dump.
struct SampleShape {
    int codes = 0;             // 4-character codes, slots 0..codes-1
    bool digitalPair = false;  // type '1': a 4-character digital pair in the last slot
    bool timeStamp = false;    // type '5' with the trigger bit: an 8-character time stamp

    int characters() const { return codes * 4 + (digitalPair ? 4 : 0) + (timeStamp ? 8 : 0); }
};

// The shape of a sample of record type '1'..'5' (any other type: no items) with
// `channelCount` slots, clamped to 1..16, and the trigger bit.
SampleShape sampleShape(char recordType, bool triggerOn, int channelCount);

}  // namespace vorda
