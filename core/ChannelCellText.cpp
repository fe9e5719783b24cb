#include "core/ChannelCellText.h"

#include "channels/vnChannel.h"
#include "channels/vnText.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

using vnText::EqualsNoCase;
using vnText::IsBlank;
using vnText::IsDigit;

bool IsTruthWord(std::string_view text)
{
    return EqualsNoCase(text, "true") || EqualsNoCase(text, "yes") || EqualsNoCase(text, "on");
}

bool IsFalseWord(std::string_view text)
{
    return text.empty() || EqualsNoCase(text, "false") || EqualsNoCase(text, "no") || EqualsNoCase(text, "off");
}

// The end of the unsigned number that starts at i: digits with at most one
// point, optional exponent. i itself when no digit is there.
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

// A typed frequency in megahertz; false when the text is not one.
bool ReadTypedMHz(std::string_view typed, double& mhz)
{
    // Many keyboards put a comma on the number pad's decimal key.
    std::string text(typed);
    if (text.find('.') == std::string::npos)
        for (char& c : text)
            if (c == ',')
                c = '.';
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t digits = i;
    i = ScanNumber(text, i);
    if (i == digits)
        return false;
    const std::size_t end = i;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (text.size() - i >= 3 && EqualsNoCase(std::string_view(text).substr(i, 3), "mhz"))
        i += 3;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i != text.size())
        return false;
    mhz = ReadLeadingDouble(std::string_view(text).substr(start, end - start));
    return std::isfinite(mhz);
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

std::string GetChannelCellText(const vnChannel& channel, ChannelField field)
{
    switch (field) {
    case ChannelField::Number: {
        char buffer[16];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, channel.GetNumber());
        return std::string(buffer, result.ptr);
    }
    case ChannelField::Frequency: {
        const double mhz = channel.GetFrequency().GetMHz();
        return mhz == 0.0 ? std::string() : FormatMHz(mhz);
    }
    case ChannelField::Description:
        return channel.GetDescription();
    case ChannelField::CarNumber:
        return channel.GetCarNumber();
    case ChannelField::Delay:
        return channel.GetDelay() ? "True" : "False";
    case ChannelField::Lockout:
        return channel.GetLockout() ? "True" : "False";
    case ChannelField::Priority:
        return channel.GetPriority() ? "True" : "False";
    }
    return {};
}

void SetChannelCellText(vnChannel& channel, ChannelField field, std::string_view text)
{
    switch (field) {
    case ChannelField::Number:
        break;
    case ChannelField::Frequency: {
        vnFrequency frequency(0.0, vnFrequency::UnitHertz);
        frequency.SetMHz(ReadLeadingDouble(text));
        channel.SetFrequency(frequency);
        break;
    }
    case ChannelField::Description:
        channel.SetDescription(std::string(text));
        break;
    case ChannelField::CarNumber:
        channel.SetCarNumber(std::string(text));
        break;
    case ChannelField::Delay:
        channel.SetDelay(IsTruthWord(text));
        break;
    case ChannelField::Lockout:
        channel.SetLockout(IsTruthWord(text));
        break;
    case ChannelField::Priority:
        channel.SetPriority(IsTruthWord(text));
        break;
    }
}

bool SetTypedChannelCellText(vnChannel& channel, ChannelField field, std::string_view text)
{
    if (field == ChannelField::Frequency) {
        double mhz = 0.0;
        if (!vnText::TrimBlanks(text).empty() && !ReadTypedMHz(text, mhz))
            return false;
        vnFrequency frequency(0.0, vnFrequency::UnitHertz);
        frequency.SetMHz(mhz);
        channel.SetFrequency(frequency);
        return true;
    }
    if (GetFieldInfo(field).flag && !IsTruthWord(text) && !IsFalseWord(text))
        return false;
    SetChannelCellText(channel, field, text);
    return true;
}

std::string RejectedCellTextMessage(const vnChannel& channel, ChannelField field, std::string_view text)
{
    const std::string quoted = "\"" + std::string(text) + "\"";
    const std::string number = GetChannelCellText(channel, ChannelField::Number);
    if (field == ChannelField::Frequency) {
        const std::string kept = GetChannelCellText(channel, ChannelField::Frequency);
        return quoted + " is not a frequency in MHz; channel " + number + " keeps " +
            (kept.empty() ? std::string("no frequency") : kept);
    }
    const std::string flag = GetFieldInfo(field).flag ? GetFieldInfo(field).header : "this column";
    return quoted + " is not True or False; " + flag + " of channel " + number + " keeps " +
        GetChannelCellText(channel, field);
}
