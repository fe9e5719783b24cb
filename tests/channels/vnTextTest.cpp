#include "channels/vnText.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <limits>

namespace {

// The tests answer as the C library does in the C locale, for every byte,
// whatever locale the process runs in.
TEST(vnText, CharacterClassesAsInTheCLocale)
{
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        const bool blank = byte < 128 && std::isspace(byte);
        const bool digit = byte < 128 && std::isdigit(byte);
        EXPECT_EQ(vnText::IsBlank(c), blank) << byte;
        EXPECT_EQ(vnText::IsDigit(c), digit) << byte;
    }
}

TEST(vnText, TrimBlanksKeepsInnerBlanks)
{
    EXPECT_EQ(vnText::TrimBlanks(" \t\v\fa b\r\n"), "a b");
    EXPECT_EQ(vnText::TrimBlanks("x"), "x");
    EXPECT_EQ(vnText::TrimBlanks(" \n "), "");
}

TEST(vnText, SkipBlanksAndSignStopsAtTheNumber)
{
    struct Case
    {
        const char* text;
        bool negative;
        std::size_t at;
    };
    for (const Case& c : {Case{" \t-12", true, 3}, Case{"+7", false, 1}, Case{"  42", false, 2}, Case{" - 1", true, 2},
                          Case{"--1", true, 1}, Case{"x-1", false, 0}, Case{"   ", false, 3}}) {
        std::size_t at = 0;
        EXPECT_EQ(vnText::SkipBlanksAndSign(c.text, at), c.negative) << c.text;
        EXPECT_EQ(at, c.at) << c.text;
    }
}

TEST(vnText, EqualsNoCaseFoldsAsciiLettersOnly)
{
    EXPECT_TRUE(vnText::EqualsNoCase("Yes", "yES"));
    EXPECT_TRUE(vnText::EqualsNoCase("", ""));
    EXPECT_FALSE(vnText::EqualsNoCase("yes", "ye"));
    EXPECT_FALSE(vnText::EqualsNoCase("@", "`")); // 0x20 apart, as 'A' and 'a' are
    EXPECT_FALSE(vnText::EqualsNoCase("\xC4", "\xE4"));
}

TEST(vnText, ReadLeadingDoubleFollowsStrtodAtTheLimits)
{
    EXPECT_TRUE(std::isinf(vnText::ReadLeadingDouble("1e999")));
    EXPECT_LT(vnText::ReadLeadingDouble("-1e999"), 0.0);
    EXPECT_EQ(vnText::ReadLeadingDouble("1e-999"), 0.0);
    EXPECT_EQ(vnText::ReadLeadingDouble("."), 0.0);
    EXPECT_EQ(vnText::ReadLeadingDouble("-"), 0.0);
    EXPECT_DOUBLE_EQ(vnText::ReadLeadingDouble("\t\n 5."), 5.0);
}

TEST(vnText, FixedTextWritesAnyDoubleWhole)
{
    EXPECT_EQ(vnText::FixedText(0.00001, 4), "0.0000");
    EXPECT_EQ(vnText::FixedText(0.00005, 6), "0.000050");
    EXPECT_EQ(vnText::FixedText(-146.52, 4), "-146.5200");
    EXPECT_EQ(vnText::FixedText(std::nan(""), 4), "nan");
    EXPECT_EQ(vnText::FixedText(std::numeric_limits<double>::infinity(), 4), "inf");
    EXPECT_EQ(vnText::FixedText(-std::numeric_limits<double>::infinity(), 4), "-inf");
    const std::string e300 = vnText::FixedText(1e300, 6);
    EXPECT_EQ(e300.size(), 301u + 7u);
    EXPECT_EQ(e300.substr(0, 3), "100");
    EXPECT_EQ(e300.substr(e300.size() - 7), ".000000");
    // The largest double, negative, with the most decimals: 309 digits.
    const std::string largest = vnText::FixedText(-std::numeric_limits<double>::max(), vnText::MaxDecimals);
    EXPECT_EQ(largest.size(), 1u + 309u + 1u + vnText::MaxDecimals);
    EXPECT_EQ(largest.substr(0, 5), "-1797");
    EXPECT_EQ(vnText::ReadLeadingDouble(largest), -std::numeric_limits<double>::max());
}

TEST(vnText, TruthWordsAndWholeNumbers)
{
    for (const char* word : {"true", "Yes", "ON"})
        EXPECT_EQ(vnText::ReadTruthWord(word), true) << word;
    for (const char* word : {"FALSE", "no", "Off"})
        EXPECT_EQ(vnText::ReadTruthWord(word), false) << word;
    for (const char* text : {"", " yes", "y", "1", "ture"})
        EXPECT_FALSE(vnText::ReadTruthWord(text).has_value()) << text;
    // A cell keeps "on" and "off" as text.
    EXPECT_EQ(vnText::ReadCellTruthWord("No"), false);
    EXPECT_FALSE(vnText::ReadCellTruthWord("on").has_value());

    EXPECT_EQ(vnText::ReadWholeNumber(" +12\t"), 12);
    EXPECT_EQ(vnText::ReadWholeNumber("-3"), -3);
    for (const char* text : {"", "+", "1.0", "12a", "4294967296", "- 3"})
        EXPECT_FALSE(vnText::ReadWholeNumber(text).has_value()) << text;
}

} // namespace
