#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Tests and comparisons of 8-bit text that do not follow the process locale
// (Qt sets it from the environment, and the C library's isdigit, isspace and
// tolower would then change with it). Only ASCII letters have a case.
namespace vnText {

// '0' to '9'.
constexpr bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Blank as in the C locale: space, tab, line feed, vertical tab, form feed
// and carriage return.
constexpr bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// 'A' to 'Z' and 'a' to 'z'.
constexpr bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr bool IsLetterOrDigit(char c)
{
    return IsLetter(c) || IsDigit(c);
}

// The lower-case letter of an upper-case one; any other byte as it is.
constexpr char ToLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The text with its upper-case letters made lower case.
std::string ToLower(std::string_view text);

// The text without the blanks at its ends.
std::string_view TrimBlanks(std::string_view text);

// Steps i over blanks and then over one '+' or '-', as the C library's
// number readers begin; true when that sign was '-'.
bool SkipBlanksAndSign(std::string_view text, std::size_t& i);

// Equal when letters are compared without regard to case.
bool EqualsNoCase(std::string_view a, std::string_view b);

// The words a flag is written with, in any letter case and nothing around
// them: true, yes and on are true; false, no and off are false. Other text
// is no truth word.
std::optional<bool> ReadTruthWord(std::string_view text);
// The four of them that a cell takes as a truth value (true, yes, false,
// no): "on" and "off" stay text there, as a description may be "On".
std::optional<bool> ReadCellTruthWord(std::string_view text);

// A whole number with nothing around it but blanks and an optional sign in
// front ("+12", " -3 "); nothing for any other text or one beyond 32 bits.
std::optional<std::int32_t> ReadWholeNumber(std::string_view text);

// The end of the unsigned number that starts at i: digits with at most one
// point, optional exponent. i itself when no digit is there.
std::size_t ScanNumber(std::string_view text, std::size_t i);

// Reads the number at the start of text as the C library's strtod does in
// the "C" locale (leading white space, sign, digits with at most one point,
// optional exponent; trailing text ignored; no number gives 0), whatever
// the process locale.
double ReadLeadingDouble(std::string_view text);

// The value with that many decimals and '.' as the point, whatever the
// process locale ("146.5200"); any double, the largest too, fits, and NaN
// and the infinities read "nan", "inf" and "-inf". Decimals are 0 to
// MaxDecimals.
inline constexpr int MaxDecimals = 17;
std::string FixedText(double value, int decimals);

// The shortest text that reads back as the value ("137.5", "25", "1e+20"),
// '.' as the point whatever the process locale.
std::string ShortestText(double value);

// "42", "-7": a whole number in digits.
std::string Decimal(std::int64_t value);

// A size for the user: "64 MiB", "16 KiB", or "100 bytes" when it is not a
// whole number of either.
std::string ByteSize(std::uint64_t bytes);

} // namespace vnText
