// The contract between the two programs: a measurement file that Vorda's writer produces
// is read by Wizor's loader with the channel names, the point labels and the values that
// were written.

#include "files/measurement_file.h"
#include "measurement_loader.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <QTime>

#include <cstring>
#include <string>
#include <vector>

namespace {

using vorda::BlockLayout;
using vorda::SampleItems;
using vorda::Settings;

struct Channel {
    const char* name;  // Windows-1250 bytes
    int decimals;
};

// Two names with Polish letters in Windows-1250 ("Ciśn." and "Łuk"), one plain.
const std::vector<Channel> kChannels = {{"Temp", 1}, {"Ci\x9cn.", 2}, {"\xa3uk", 0}};
constexpr int kSamples = 40;

// A value for every sample and channel, exact at the channel's decimals: positive and
// negative, some past a thousand.
float valueAt(int sample, int channel)
{
    const int units = (sample * 7919 + channel * 104729) % 400000 - 200000;
    constexpr float kScale[] = {1.0f, 10.0f, 100.0f, 1000.0f};
    return static_cast<float>(units) / kScale[kChannels[std::size_t(channel)].decimals];
}

class RoundTrip : public ::testing::Test {
protected:
    // Writes a header and kSamples sample lines; the sample's recorder time stamp, when the
    // layout has one, is `stampUnits(i)`.
    void write(int firstColumn, const BlockLayout& layout)
    {
        Settings settings;
        std::memset(&settings, 0, sizeof settings);
        settings.firstColumn = firstColumn;
        for (std::size_t k = 0; k < kChannels.size(); ++k) {
            vorda::setFieldText(settings.channels[k + 1].name, kChannels[k].name);
            settings.channels[k + 1].numberFormat = kChannels[k].decimals;
        }
        vorda::setFieldText(settings.chartParameters, "Wykres 1");

        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        vorda::MeasurementFileWriter writer(settings, layout, file);
        writer.writeHeaderLine();
        for (int i = 0; i < kSamples; ++i) {
            SampleItems items;
            items.codesPresent = static_cast<int>(kChannels.size());
            for (std::size_t k = 0; k < kChannels.size(); ++k) items.values[k] = valueAt(i, int(k));
            items.timeStampPresent = true;
            items.timeStamp = stampUnits(i);
            writer.writeSampleLine(i, items);
        }
        ASSERT_TRUE(writer.flush());
    }

    // Loads the file as Wizor does and checks names, values and labels against what was
    // written; `label(i)` is the label of sample i.
    template <typename Label>
    void expectReadAsWritten(Label label)
    {
        const wizor::MeasurementData d = wizor::loadMeasurementFile(path().toStdString());
        ASSERT_TRUE(d.opened);
        EXPECT_EQ(d.dataLines, std::size_t(kSamples));
        for (std::size_t k = 0; k < kChannels.size(); ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(d.names[k], kChannels[k].name);
            const wizor::ColumnPoints& column = d.columns[k];
            ASSERT_EQ(column.values.size(), std::size_t(kSamples));
            for (int i = 0; i < kSamples; ++i) {
                EXPECT_EQ(column.values[i], valueAt(i, int(k))) << "sample " << i;
                EXPECT_EQ(d.label(column.labelIndex[i]).toStdString(), label(i)) << "sample " << i;
            }
        }
        EXPECT_FALSE(d.columns[kChannels.size()].active()) << "no column beyond the channels";
        EXPECT_EQ(d.channelName(1), QString::fromUtf8("Ciśn."));
        EXPECT_EQ(d.channelName(2), QString::fromUtf8("Łuk"));
    }

    static std::uint32_t stampUnits(int sample) { return 9 * 1800000u + 125u * std::uint32_t(sample); }

    // " hh:mm:ss.zzz" or " mm:ss.zzz" of `ms`, as a time-only line is labelled.
    static std::string clockLabel(std::int64_t ms, bool withHours)
    {
        const QTime t = QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms));
        return " " + t.toString(withHours ? QStringLiteral("hh:mm:ss.zzz") : QStringLiteral("mm:ss.zzz")).toStdString();
    }

    QString path() const { return dir_.filePath(QStringLiteral("2024_05_06_12_00_00.txt")); }

private:
    QTemporaryDir dir_;
};

BlockLayout layout(char recordType, bool triggerOn)
{
    BlockLayout l;
    l.recordType = recordType;
    l.triggerOn = triggerOn;
    l.channelCount = static_cast<int>(kChannels.size());
    l.samplingMs = 250;
    l.startTimeMs = 23 * 3600000LL + 59 * 60000LL + 55000;  // crosses midnight
    return l;
}

TEST_F(RoundTrip, TimeOfDayColumn)
{
    const BlockLayout l = layout('3', false);
    write(3, l);
    expectReadAsWritten([&](int i) { return clockLabel((l.startTimeMs + i * l.samplingMs) % 86400000, true); });
}

TEST_F(RoundTrip, ElapsedTimeColumn)
{
    const BlockLayout l = layout('4', false);
    write(2, l);
    expectReadAsWritten([&](int i) { return clockLabel(i * l.samplingMs, false); });
}

TEST_F(RoundTrip, RecorderTimeStamps)
{
    for (int firstColumn : {0, 2, 3}) {
        SCOPED_TRACE(firstColumn);
        write(firstColumn, layout('5', true));
        expectReadAsWritten([](int i) { return clockLabel(std::int64_t(stampUnits(i)) * 2, true); });
    }
}

}  // namespace
