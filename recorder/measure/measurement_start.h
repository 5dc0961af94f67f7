#pragma once
// The measurements window's pieces without a window: which block a line of the block
// list names, and the texts of the free-memory label.

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <optional>

namespace vorda {

// Items at this position of the block list and later cannot be downloaded from it.
inline constexpr int kBlockListDownloadLimit = 250;

// The free-memory label before any scan, and after a memory wipe (spelt differently).
inline constexpr char kFreeMemoryUnknownText[] =
    QT_TRANSLATE_NOOP("MeasurementStart", "Nieznana. Uzyj przycisku [Pokaż pomiary].");
inline constexpr char kFreeMemoryWipedText[] =
    QT_TRANSLATE_NOOP("MeasurementStart", "Nieznana. Użyj przycisku [Pokaż pomiary].");

// The two labels above in the language installed.
inline QString freeMemoryUnknownText()
{
    return QCoreApplication::translate("MeasurementStart", kFreeMemoryUnknownText);
}
inline QString freeMemoryWipedText()
{
    return QCoreApplication::translate("MeasurementStart", kFreeMemoryWipedText);
}

// The block a double click on the list item at `position` (counted from 0) downloads:
// the integer at the start of the item's text, read as "%d" reads it (leading blanks
// skipped). Nothing for a negative position, one at 250 or beyond, or a text that does
// not begin with a number (the heading).
std::optional<std::int32_t> blockOfListItem(int position, const QString& text);

// The free-memory label's text for a known free memory: the number in decimal.
QString freeMemoryText(std::int32_t freeMemory);

}  // namespace vorda
