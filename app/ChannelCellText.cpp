#include "app/ChannelCellText.h"

#include "channels/vnChannel.h"
#include "channels/vnText.h"

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace {

using vnText::EqualsNoCase;
using vnText::IsDigit;

bool IsTruthWord(std::string_view text)
{
    return EqualsNoCase(text, "true") || EqualsNoCase(text, "yes") || EqualsNoCase(text, "on");
}

std::string FormatMHz(double mhz)
{
    char buffer[400]; // "%.4f" of the largest double needs about 315 characters
    auto result = std::to_chars(buffer, buffer + sizeof buffer, mhz, std::chars_format::fixed, 4);
    return std::string(buffer, result.ptr);
}

} // namespace

double ReadLeadingDouble(std::string_view text)
{
    std::size_t i = 0;
    const bool negative = vnText::SkipBlanksAndSign(text, i);
    // The longest prefix of the form digits [. digits] [e [sign] digits].
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
        return 0.0;
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            end = j;
        }
    }

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

std::string GetChannelCellText(const vnChannel& channel, std::int32_t column)
{
    switch (column) {
    case 0: {
        char buffer[16];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, channel.GetNumber());
        return std::string(buffer, result.ptr);
    }
    case 1: {
        const double mhz = channel.GetFrequency().GetMHz();
        return mhz == 0.0 ? std::string() : FormatMHz(mhz);
    }
    case 2:
        return channel.GetDescription();
    case 3:
        return channel.GetCarNumber();
    case 4:
        return channel.GetDelay() ? "True" : "False";
    case 5:
        return channel.GetLockout() ? "True" : "False";
    case 6:
        return channel.GetPriority() ? "True" : "False";
    default:
        return {};
    }
}

void SetChannelCellText(vnChannel& channel, std::int32_t column, std::string_view text)
{
    switch (column) {
    case 1: {
        vnFrequency frequency(0.0, vnFrequency::UnitHertz);
        frequency.SetMHz(ReadLeadingDouble(text));
        channel.SetFrequency(frequency);
        break;
    }
    case 2:
        channel.SetDescription(std::string(text));
        break;
    case 3:
        channel.SetCarNumber(std::string(text));
        break;
    case 4:
        channel.SetDelay(IsTruthWord(text));
        break;
    case 5:
        channel.SetLockout(IsTruthWord(text));
        break;
    case 6:
        channel.SetPriority(IsTruthWord(text));
        break;
    default:
        break;
    }
}
