#include "modules/vnInstalledModules.h"

#include <utility>

namespace {

const vnInstalledModules*& CurrentSlot()
{
    static const vnInstalledModules* current = nullptr;
    return current;
}

} // namespace

vnInstalledModules::vnInstalledModules(std::vector<vnModuleFactory> factories)
    : m_factories(std::move(factories)), m_previous(CurrentSlot())
{
    CurrentSlot() = this;
}

vnInstalledModules::~vnInstalledModules()
{
    CurrentSlot() = m_previous;
}

const vnInstalledModules* vnInstalledModules::Current()
{
    return CurrentSlot();
}

std::int32_t vnInstalledModules::GetCount() const
{
    return static_cast<std::int32_t>(m_factories.size());
}

const vnModuleFactory* vnInstalledModules::GetAt(std::int32_t index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return &m_factories[static_cast<std::size_t>(index)];
}
