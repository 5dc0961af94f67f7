// The field table and reading/writing fields by name.

#include "core/settings_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <set>

namespace vorda {
namespace {

Settings randomSettings(unsigned seed)
{
    std::mt19937 gen(seed);
    Settings::Image image;
    for (auto& b : image) b = static_cast<std::uint8_t>(gen());
    Settings s;
    s.fromImage(image);
    return s;
}

std::size_t widthOf(FieldType type)
{
    switch (type) {
    case FieldType::Int32:
    case FieldType::UInt32:
        return 4;
    case FieldType::Byte:
        return 1;
    case FieldType::Double:
        return 8;
    case FieldType::Text:
        return 0;
    }
    return 0;
}

TEST(SettingsFields, TableAndReservedBytesTileTheRecordExactly)
{
    // Reserved and padding ranges [begin, end) of the layout, slot 0 included.
    const std::pair<std::size_t, std::size_t> reserved[] = {{4, 21},      {22, 38},     {72, 144},    {1391, 1392},
                                                            {1917, 1920}, {1927, 1936}, {2048, 2113}, {2195, 2200}};
    std::vector<int> owner(kRecordSize, 0);
    for (const auto& [begin, end] : reserved)
        for (std::size_t i = begin; i < end; ++i) ++owner[i];

    std::set<std::string> names;
    std::size_t previousEnd = 0;
    for (const SettingsField& f : settingsFields()) {
        EXPECT_TRUE(names.insert(f.name).second) << "duplicate " << f.name;
        EXPECT_GE(f.offset, previousEnd) << f.name << " is out of record order";
        previousEnd = f.offset + f.width;
        if (f.type == FieldType::Text)
            EXPECT_GE(f.width, 2u) << f.name;
        else
            EXPECT_EQ(f.width, widthOf(f.type)) << f.name;
        for (std::size_t i = f.offset; i < f.offset + f.width && i < kRecordSize; ++i) ++owner[i];
    }
    for (std::size_t i = 0; i < kRecordSize; ++i) EXPECT_EQ(owner[i], 1) << "byte " << i;
}

TEST(SettingsFields, NamesFollowTheRecord)
{
    const auto* port = findSettingsField("portParams");
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->offset, 38u);
    EXPECT_EQ(port->width, 30u);
    const auto* ch1 = findSettingsField("channels[1].name");
    ASSERT_NE(ch1, nullptr);
    EXPECT_EQ(ch1->offset, 144u);
    const auto* last = findSettingsField("channels[16].linearSA");
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->offset + last->width, 1296u);
    const auto* tag = findSettingsField("status.tag");
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(tag->offset, 1296u);
    EXPECT_EQ(findSettingsField("channels[0].name"), nullptr);
    EXPECT_EQ(findSettingsField("channels[17].name"), nullptr);
    EXPECT_EQ(findSettingsField("reserved1928"), nullptr);
    EXPECT_EQ(findSettingsField("portparams"), nullptr);
}

// A value of each type that the field's text form must carry exactly.
QString sampleValue(const SettingsField& f, std::mt19937& gen)
{
    switch (f.type) {
    case FieldType::Int32:
        return QString::number(static_cast<std::int32_t>(gen()));
    case FieldType::UInt32:
        return QString::number(static_cast<std::uint32_t>(gen()));
    case FieldType::Byte:
        return QString::number(gen() % 256);
    case FieldType::Double: {
        std::uniform_real_distribution<double> d(-1e6, 1e6);
        return QString::number(d(gen), 'g', 17);
    }
    case FieldType::Text:
        return QString::fromUtf8("Żółć €ąę").left(static_cast<qsizetype>(f.width - 1));
    }
    return {};
}

TEST(SettingsFields, SettingAFieldChangesOnlyItsBytesAndReadsBack)
{
    std::mt19937 gen(42);
    for (const SettingsField& f : settingsFields()) {
        Settings s = randomSettings(static_cast<unsigned>(f.offset));
        const Settings::Image before = s.toImage();
        const QString value = sampleValue(f, gen);
        ASSERT_EQ(setFieldValue(s, f, value), QString()) << f.name;
        EXPECT_EQ(fieldValueText(s, f), value) << f.name;
        const Settings::Image after = s.toImage();
        const std::size_t textEnd =
            f.type == FieldType::Text ? f.offset + static_cast<std::size_t>(value.size()) + 1 : f.offset + f.width;
        for (std::size_t i = 0; i < kRecordSize; ++i)
            if (i < f.offset || i >= textEnd) {
                ASSERT_EQ(after[i], before[i]) << f.name << " touched byte " << i;
            }
    }
}

TEST(SettingsFields, ValuesAtTheEdgesOfTheirTypes)
{
    Settings s = randomSettings(3);
    const struct {
        const char* field;
        const char* value;
    } accepted[] = {
        {"portNumber", "-2147483648"},
        {"portNumber", "2147483647"},
        {"baudRate", "4294967295"},
        {"portOpen", "255"},
        {"showFiles", "0"},
        {"channels[2].slopeSB", "1.7976931348623157e+308"},
        {"channels[2].offsetSC", "-4.9406564584124654e-324"},
        {"status.recorderSB", "0.10000000000000001"},
    };
    for (const auto& a : accepted) {
        const SettingsField* f = findSettingsField(a.field);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(setFieldValue(s, *f, QString::fromUtf8(a.value)), QString()) << a.field << "=" << a.value;
        EXPECT_EQ(fieldValueText(s, *f), QString::fromUtf8(a.value));
    }
    const SettingsField* port = findSettingsField("portNumber");
    EXPECT_EQ(setFieldValue(s, *port, QStringLiteral("+7")), QString());
    EXPECT_EQ(s.portNumber, 7);
    const SettingsField* slope = findSettingsField("channels[4].slopeSB");
    EXPECT_EQ(setFieldValue(s, *slope, QStringLiteral("1e-50")), QString());
    EXPECT_EQ(s.channels[4].slopeSB, 1e-50);
}

TEST(SettingsFields, RefusalsLeaveTheRecordUntouched)
{
    const struct {
        const char* field;
        const char* value;
    } refused[] = {
        {"portNumber", "2147483648"},
        {"portNumber", "-2147483649"},
        {"portNumber", "1.5"},
        {"portNumber", ""},
        {"portNumber", " 1"},
        {"portNumber", "12a"},
        {"portNumber", "0x10"},
        {"baudRate", "-1"},
        {"baudRate", "4294967296"},
        {"portOpen", "256"},
        {"portOpen", "-1"},
        {"channels[1].slopeSB", "1,5"},
        {"channels[1].slopeSB", "1e999"},
        {"channels[1].slopeSB", "nan"},
        {"channels[1].offsetSC", "inf"},
        {"channels[1].offsetSC", "-inf"},
        {"channels[1].linearSA", "NaN"},
        {"status.recorderSB", "infinity"},
        {"channels[1].slopeSB", "abc"},
        {"channels[1].slopeSB", "+-1"},
        {"status.tag", "R555"},
        {"channels[1].name", "12345678901234567890"},
        {"portParams", ":230400,n,8,2,p:230400,n,8,2,p"},
        {"channels[1].name", "日本"},
        {"lastFile", "😀"},
    };
    for (const auto& r : refused) {
        Settings s = randomSettings(11);
        const Settings::Image before = s.toImage();
        const SettingsField* f = findSettingsField(r.field);
        ASSERT_NE(f, nullptr) << r.field;
        EXPECT_NE(setFieldValue(s, *f, QString::fromUtf8(r.value)), QString()) << r.field << "=" << r.value;
        EXPECT_EQ(s.toImage(), before) << r.field << "=" << r.value;
    }
}

TEST(SettingsFields, TextsAreShownUpToTheirNulOrOneShortOfTheirWidth)
{
    Settings s = randomSettings(5);
    const SettingsField* tag = findSettingsField("status.tag");
    std::memcpy(s.status.tag, "R5\0X", 4);
    EXPECT_EQ(fieldValueText(s, *tag), QStringLiteral("R5"));
    std::memcpy(s.status.tag, "R512", 4);  // no NUL at all
    EXPECT_EQ(fieldValueText(s, *tag), QStringLiteral("R51"));

    const SettingsField* name = findSettingsField("channels[7].name");
    std::memcpy(s.channels[7].name,
                "\xA3\xF3"
                "d\x9F\n\x90",
                7);  // "Łódź" in Windows-1250, a line feed, an undefined byte
    EXPECT_EQ(fieldValueText(s, *name), QString::fromUtf8("Łódź\\x0a\\x90"));

    // A shorter text keeps the bytes after its NUL.
    std::memcpy(s.channels[7].name, "abcdefgh", 9);
    ASSERT_EQ(setFieldValue(s, *name, QStringLiteral("xy")), QString());
    EXPECT_EQ(std::memcmp(s.channels[7].name, "xy\0defgh", 9), 0);
}

}  // namespace
}  // namespace vorda
