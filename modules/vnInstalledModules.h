#pragma once

#include "modules/vnModuleFactory.h"

#include <cstdint>
#include <vector>

// The installed modules, in list order, for as long as this object lives.
// The application makes one at start-up with the line that registers each
// module; a test makes one with the module it needs. It then puts back the
// set that was installed before it, so sets nest as scopes do. Until one is
// made no module is installed.
class vnInstalledModules
{
public:
    explicit vnInstalledModules(std::vector<vnModuleFactory> factories);
    ~vnInstalledModules();
    vnInstalledModules(const vnInstalledModules&) = delete;
    vnInstalledModules& operator=(const vnInstalledModules&) = delete;

    // The set in use; null when none is installed.
    static const vnInstalledModules* Current();

    std::int32_t GetCount() const;
    // The module at the index, or null when there is none.
    const vnModuleFactory* GetAt(std::int32_t index) const;

private:
    std::vector<vnModuleFactory> m_factories;
    const vnInstalledModules* m_previous;
};
