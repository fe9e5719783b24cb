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
    using vnText::IsBlank;
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
    i = vnText::ScanNumber(text, i);
    if (i == digits)
        return std::nullopt;
    const std::size_t end = i;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (text.size() - i >= 3 && vnText::EqualsNoCase(std::string_view(text).substr(i, 3), "mhz"))
        i += 3;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i != text.size())
        return std::nullopt;
    const double mhz = vnText::ReadLeadingDouble(std::string_view(text).substr(start, end - start));
    if (!std::isfinite(mhz))
        return std::nullopt;
    return mhz;
}
