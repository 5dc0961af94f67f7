// Windows-1250 text to and from Unicode.

#include "core/text_codec.h"

#include <gtest/gtest.h>

#include <set>

namespace vorda {
namespace {

TEST(TextCodec, PolishLettersHaveTheirCodePagePositions)
{
    const QString letters = QString::fromUtf8("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ€„”–");
    const std::string bytes =
        "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF\x80\x84\x94\x96";
    EXPECT_EQ(toWin1250(letters), bytes);
    EXPECT_EQ(fromWin1250(bytes), letters);
    EXPECT_EQ(toWin1250Lossy(letters), bytes);
}

TEST(TextCodec, EveryByteDecodesToItsOwnCharacterAndBack)
{
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const QString text = fromWin1250(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(std::set<char16_t>(text.utf16(), text.utf16() + text.size()).size(), 256u);
    EXPECT_EQ(toWin1250(text), all);
}

TEST(TextCodec, CharactersOutsideTheCodePage)
{
    const QString text = QString::fromUtf8("a日b😀c");
    EXPECT_EQ(toWin1250(text), std::nullopt);
    EXPECT_EQ(toWin1250Lossy(text), "a?b?c") << "one '?' per character, surrogate pairs included";
    EXPECT_EQ(toWin1250(QString::fromUtf8("ä")), std::string("\xE4"));
    EXPECT_EQ(toWin1250(QString::fromUtf8("à")), std::nullopt) << "Latin-1 letters the code page dropped";
}

TEST(TextCodec, BothLineBreakPairsBecomeOneNewline)
{
    EXPECT_EQ(withPlainLineBreaks(QStringLiteral("a\n\rb\r\nc")), QStringLiteral("a\nb\nc"));
    EXPECT_EQ(withPlainLineBreaks(QStringLiteral("a\nb\rc\n")), QStringLiteral("a\nb\rc\n")) << "lone breaks stay";
    EXPECT_EQ(withPlainLineBreaks(QStringLiteral("a\n\r\n\rb")), QStringLiteral("a\n\nb"));
}

}  // namespace
}  // namespace vorda
