#pragma once
// The sample measurement file of the window benchmarks: a header naming `columns` channels
// and `lines` data lines of a date, a clock time and random values about 20 + column.

#include <QByteArray>
#include <QFile>

#include <cstdio>
#include <random>

namespace bench_presenter {

// Writes the file a megabyte at a time, so that the writer's memory stays out of the peak
// the benchmarks report.
inline bool writeSampleFile(QFile& file, int lines, int columns)
{
    std::mt19937 random(7);
    QByteArray text = "Godzina:";
    for (int c = 1; c <= columns; ++c) text += " Kanal" + QByteArray::number(c);
    text += "\r\n";
    char field[40];
    for (int i = 0; i < lines; ++i) {
        std::snprintf(field, sizeof field, "05-03-17 %02d:%02d:%02d", i / 3600 % 24, i / 60 % 60, i % 60);
        text += field;
        for (int c = 0; c < columns; ++c) {
            std::snprintf(field, sizeof field, " %.2f", 20.0 + c + (int(random() % 2000) - 1000) / 100.0);
            text += field;
        }
        text += "\r\n";
        if (text.size() > (1 << 20) || i == lines - 1) {
            if (file.write(text) < 0) return false;
            text.clear();
        }
    }
    return true;
}

// The recorder's largest block: data lines of the largest sample file.
inline constexpr int kLargeLines = 1564670;

}  // namespace bench_presenter
