#include "channels/vnFrequency.h"

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
