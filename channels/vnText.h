#pragma once

#include <cstddef>
#include <cstdint>
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

// The text without the blanks at its ends.
std::string_view TrimBlanks(std::string_view text);

// Steps i over blanks and then over one '+' or '-', as the C library's
// number readers begin; true when that sign was '-'.
bool SkipBlanksAndSign(std::string_view text, std::size_t& i);

// Equal when letters are compared without regard to case.
bool EqualsNoCase(std::string_view a, std::string_view b);

// A size for the user: "64 MiB", "16 KiB", or "100 bytes" when it is not a
// whole number of either.
std::string ByteSize(std::uint64_t bytes);

} // namespace vnText
