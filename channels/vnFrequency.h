#pragma once

#include <cstdint>

// A channel's frequency: hertz as a double plus the unit code that SetInUnit
// interprets. The grid and the upload work in megahertz.
class vnFrequency
{
public:
    enum Unit : std::int32_t {
        UnitHertz0 = 0,
        UnitHertz = 1,
        UnitKilohertz = 2,
        UnitMegahertz = 3,
        UnitGigahertz = 4,
    };

    // Stores the unit first, then the value through SetInUnit. A unit outside
    // 0 to 4 leaves the frequency at 0 Hz.
    explicit vnFrequency(double value = 0.0, std::int32_t unit = UnitHertz);

    // Stores x times the factor of this frequency's own unit; an unknown
    // unit code stores nothing.
    void SetInUnit(double x);
    void SetHz(double x);
    void SetKHz(double x);
    void SetMHz(double x);
    void SetGHz(double x);

    double GetMHz() const;

    bool operator==(const vnFrequency& other) const = default;

private:
    double m_value = 0.0; // hertz
    std::int32_t m_unit = UnitHertz;
};
