#include "channels/vnText.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>

namespace vnText {

namespace {

struct TruthWord
{
    std::string_view word;
    bool value;
    bool cellTyped; // a cell holding it is a truth value, not text
};

constexpr TruthWord kTruthWords[] = {
    {"true", true, true},   {"yes", true, true}, {"on", true, false},
    {"false", false, true}, {"no", false, true}, {"off", false, false},
};

std::optional<bool> FindTruthWord(std::string_view text, bool cellTypedOnly)
{
    for (const TruthWord& entry : kTruthWords)
        if ((entry.cellTyped || !cellTypedOnly) && EqualsNoCase(text, entry.word))
            return entry.value;
    return std::nullopt;
}

} // namespace

std::string ToLower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = ToLower(c);
    return lower;
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool SkipBlanksAndSign(std::string_view text, std::size_t& i)
{
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i == text.size() || (text[i] != '+' && text[i] != '-'))
        return false;
    return text[i++] == '-';
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ToLower(a[i]) != ToLower(b[i]))
            return false;
    return true;
}

std::optional<bool> ReadTruthWord(std::string_view text)
{
    return FindTruthWord(text, false);
}

std::optional<bool> ReadCellTruthWord(std::string_view text)
{
    return FindTruthWord(text, true);
}

std::optional<std::int32_t> ReadWholeNumber(std::string_view text)
{
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

std::size_t ScanNumber(std::string_view text, std::size_t i)
{
    const std::size_t start = i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return start;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

double ReadLeadingDouble(std::string_view text)
{
    std::size_t i = 0;
    const bool negative = SkipBlanksAndSign(text, i);
    // The longest prefix of the form digits [. digits] [e [sign] digits].
    const std::size_t start = i;
    const std::size_t end = ScanNumber(text, i);
    if (end == start)
        return 0.0;

    // The prefix is plain decimal now; the C library converts it in the "C"
    // locale, which also gives strtod's answers for overflow and underflow.
    const std::string number(text.substr(start, end - start));
#ifdef _WIN32
    static const _locale_t cLocale = _create_locale(LC_ALL, "C");
    const double value = _strtod_l(number.c_str(), nullptr, cLocale);
#else
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const double value = strtod_l(number.c_str(), nullptr, cLocale);
#endif
    return negative ? -value : value;
}

std::string FixedText(double value, int decimals)
{
    decimals = std::clamp(decimals, 0, MaxDecimals);
    // Sign, the largest double's digits before the point, the point, the
    // decimals.
    constexpr int kLongestWhole = std::numeric_limits<double>::max_exponent10 + 1;
    char buffer[1 + kLongestWhole + 1 + MaxDecimals];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return {};
    return std::string(buffer, result.ptr);
}

std::string ShortestText(double value)
{
    // The shortest form of any double, "-2.2250738585072014e-308", is 24
    // characters.
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (result.ec != std::errc())
        return {};
    return std::string(buffer, result.ptr);
}

std::string Decimal(std::int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string ByteSize(std::uint64_t bytes)
{
    constexpr std::uint64_t kKiB = 1024;
    constexpr std::uint64_t kMiB = kKiB * kKiB;
    if (bytes != 0 && bytes % kMiB == 0)
        return std::to_string(bytes / kMiB) + " MiB";
    if (bytes != 0 && bytes % kKiB == 0)
        return std::to_string(bytes / kKiB) + " KiB";
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

} // namespace vnText
