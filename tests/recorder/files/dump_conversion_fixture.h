#pragma once
// Conversion of dumps into measurement files in a temporary directory: the settings,
// the dump writer and the readers of what was written.

#include "files/dump_conversion.h"

#include "dump_codec.h"

#include "core/channel_scaling.h"
#include "core/reporter.h"
#include "core/settings_record.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace vorda::test {

inline std::string encodeCode(std::uint16_t code)
{
    std::string text;
    dumpcodec::appendCode(text, code);
    return text;
}
inline std::string encodeTimeStamp(std::uint32_t t)
{
    std::string text;
    dumpcodec::appendTimeStamp(text, t);
    return text;
}
// A value as printf("%.*f") writes the float widened to double (the tests run in the "C" locale).
inline std::string fileText(float value, int decimals)
{
    char buf[128];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, static_cast<double>(value));
    return buf;
}
struct RecordingReporter : Reporter {
    std::vector<QString> status;
    std::vector<QString> transfers;
    std::vector<std::pair<QString, QString>> messages;  // text, caption
    void setStatus(StatusPanel panel, const QString& text) override
    {
        EXPECT_EQ(panel, StatusPanel::Link);
        status.push_back(text);
    }
    void transferMessage(const QString& line) override { transfers.push_back(line); }
    void showMessage(const QString& text, const QString& caption, MessageIcon) override
    {
        messages.emplace_back(text, caption);
    }
};

class DumpConversion : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        dataDir = tmp.filePath(QStringLiteral("data"));
        ASSERT_TRUE(QDir().mkpath(dataDir));
        dumpPath = tmp.filePath(QString::fromLatin1(kDumpFileName));
        std::memset(&settings, 0, sizeof settings);
        setFieldText(settings.dataDirectory, dataDir.toStdString());
        for (int c = 1; c <= kMaxChannels; ++c) {
            setFieldText(settings.channels[c].name, "K" + std::to_string(c));
            settings.channels[c].numberFormat = 1;
            settings.channels[c].slopeSB = 1000.0;  // general formula: code + 0.5
            settings.channels[c].offsetSC = 0.5;
            settings.channels[c].rawPoint1 = 8;  // older formula: code - 8
        }
    }

    void writeDump(const std::string& bytes)
    {
        QFile f(dumpPath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes.data(), static_cast<qint64>(bytes.size())), static_cast<qint64>(bytes.size()));
    }

    static std::string header(const std::string& tag, int samples, int period, int channels,
                              const std::string& time = "12:00:00")
    {
        return tag + " 2024-05-01 " + time + " 1 " + std::to_string(samples) + " " + std::to_string(period) + " " +
               std::to_string(channels) + " 0\r";
    }

    ConversionResult convert() { return convertDump(dumpPath, settings, reporter); }

    static std::vector<std::string> readLines(const QString& path)
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        const std::string text = f.readAll().toStdString();
        std::vector<std::string> lines;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find("\r\n", start);
            EXPECT_NE(end, std::string::npos);
            if (end == std::string::npos) break;
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }

    QStringList dataFiles() const
    {
        return QDir(dataDir).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir tmp;
    QString dataDir;
    QString dumpPath;
    Settings settings;
    RecordingReporter reporter;
};

}  // namespace vorda::test
