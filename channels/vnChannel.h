#pragma once

#include "channels/vnFrequency.h"

#include <cstdint>
#include <string>

// One scanner channel as the user edits it and as it is uploaded.
class vnChannel
{
public:
    std::int32_t GetNumber() const { return m_number; }
    void SetNumber(std::int32_t number) { m_number = number; }

    vnFrequency GetFrequency() const { return m_frequency; }
    void SetFrequency(const vnFrequency& frequency) { m_frequency = frequency; }

    std::string GetDescription() const { return m_description; }
    void SetDescription(const std::string& text) { m_description = text; }

    std::string GetCarNumber() const { return m_carNumber; }
    void SetCarNumber(const std::string& text) { m_carNumber = text; }

    bool GetDelay() const { return m_delay != 0; }
    void SetDelay(bool on) { m_delay = on ? 1 : 0; }

    bool GetLockout() const { return m_lockout != 0; }
    void SetLockout(bool on) { m_lockout = on ? 1 : 0; }

    bool GetPriority() const { return m_priority != 0; }
    void SetPriority(bool on) { m_priority = on ? 1 : 0; }

    bool operator==(const vnChannel& other) const = default;

private:
    std::int32_t m_number = 0;
    vnFrequency m_frequency{0.0, vnFrequency::UnitHertz};
    std::string m_description;
    std::string m_carNumber;
    std::uint8_t m_delay = 0;
    std::uint8_t m_lockout = 0;
    std::uint8_t m_priority = 0;
};
