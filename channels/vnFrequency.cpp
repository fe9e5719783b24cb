#include "channels/vnFrequency.h"

#include "channels/vnText.h"

#include <cmath>

vnFrequency::vnFrequency(double value, std::int32_t unit) : m_unit(unit)
{
    SetInUnit(value);
}

void vnFrequency::SetInUnit(double x)
{
    switch (m_unit) {
    case UnitHertz0:
    case UnitHertz:
        m_value = x;
        break;
    case UnitKilohertz:
        m_value = x * 1000.0;
        break;
    case UnitMegahertz:
        m_value = x * 1000000.0;
        break;
    case UnitGigahertz:
        m_value = x * 1000000000.0;
        break;
    default:
        break;
    }
}

void vnFrequency::SetHz(double x)
{
    m_value = x;
}
void vnFrequency::SetKHz(double x)
{
    m_value = x * 1000.0;
}
void vnFrequency::SetMHz(double x)
{
    m_value = x * 1000000.0;
}
void vnFrequency::SetGHz(double x)
{
    m_value = x * 1000000000.0;
}

double vnFrequency::GetMHz() const
{
    return m_value / 1000000.0;
}

std::string vnFrequency::MHzText(double mhz, int decimals)
{
    return vnText::FixedText(mhz, decimals);
}

double vnFrequency::ReadMHz(std::string_view text)
{
    return vnText::ReadLeadingDouble(text);
}

std::optional<double> vnFrequency::ReadTypedMHz(std::string_view typed)
{
    // The grid's column is in MHz; a typed unit is MHz or none.
    bool converted = false;
    const std::optional<double> mhz = ReadWholeMHz(typed, UnitMegahertz, &converted);
    return converted ? std::nullopt : mhz;
}

std::optional<vnFrequency::Written> vnFrequency::ReadWritten(std::string_view whole)
{
    using vnText::IsBlank;
    // Many keyboards put a comma on the number pad's decimal key, and many
    // countries write one.
    std::string text(whole);
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
    i = vnText::ScanNumber(text, i);
    if (i == digits)
        return std::nullopt;
    const std::string_view number = std::string_view(text).substr(start, i - start);
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    Written written;
    const std::string_view suffix = vnText::TrimBlanks(std::string_view(text).substr(i));
    if (vnText::EqualsNoCase(suffix, "mhz"))
        written.unit = UnitMegahertz;
    else if (vnText::EqualsNoCase(suffix, "khz"))
        written.unit = UnitKilohertz;
    else if (vnText::EqualsNoCase(suffix, "hz"))
        written.unit = UnitHertz;
    else if (!suffix.empty())
        return std::nullopt;
    written.value = vnText::ReadLeadingDouble(number);
    // 1e-400 is a number, but not one a double can tell from no frequency.
    const std::string_view mantissa = number.substr(0, number.find_first_of("eE"));
    if (written.value == 0.0 && mantissa.find_first_of("123456789") != std::string_view::npos)
        return std::nullopt;
    written.decimalPoint = mantissa.find('.') != std::string_view::npos;
    return written;
}

double vnFrequency::InMHz(double value, Unit unit)
{
    switch (unit) {
    case UnitKilohertz:
        return value / 1e3;
    case UnitHertz:
    case UnitHertz0:
        return value / 1e6;
    case UnitGigahertz:
        return value * 1e3;
    case UnitMegahertz:
        break;
    }
    return value;
}

std::optional<double> vnFrequency::ReadWholeMHz(std::string_view text, Unit unit, bool* converted)
{
    const std::optional<Written> written = ReadWritten(text);
    if (!written)
        return std::nullopt;
    if (written->unit)
        unit = *written->unit;
    const double mhz = InMHz(written->value, unit);
    if (!std::isfinite(mhz) || std::fabs(mhz) > MaxMHz)
        return std::nullopt;
    if (converted)
        *converted = unit != UnitMegahertz;
    return mhz;
}

bool vnFrequency::IsOnStep(double mhz, double stepKHz)
{
    // Half the last decimal shown, plus half a hertz for the six decimals
    // a file keeps and the double's own rounding.
    constexpr double toleranceHz = 0.5e6 / 10000.0 + 0.5;
    static_assert(ShownDecimals == 4, "the tolerance is half of the fourth decimal");
    const double hz = mhz * 1e6;
    const double stepHz = stepKHz * 1e3;
    if (!std::isfinite(hz) || !(stepHz > 0.0))
        return false;
    return std::fabs(std::remainder(hz, stepHz)) <= toleranceHz;
}

bool vnFrequency::IsOnChannelStep(double mhz)
{
    return IsOnStep(mhz, 2.5) || IsOnStep(mhz, 6.25);
}
