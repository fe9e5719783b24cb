#include "modules/vnModuleManager.h"

#include "modules/vnInstalledModules.h"
#include "modules/vnModule.h"

#include <memory>

vnResult vnModuleManager::GetModule(std::int32_t index, vnModule** module)
{
    if (!module)
        return E_INVALIDARG;
    *module = nullptr;
    const vnInstalledModules* installed = vnInstalledModules::Current();
    if (!installed)
        return E_FAIL;
    const vnModuleFactory* factory = installed->GetAt(index);
    if (!factory)
        factory = installed->GetAt(0);
    if (!factory || !factory->create)
        return E_FAIL;
    // Ownership passes to the caller until ReleaseModule takes it back.
    *module = factory->create().release();
    return *module ? S_OK : E_FAIL;
}

vnResult vnModuleManager::GetCurrentModule(vnModule** module)
{
    return GetModule(0, module);
}

vnResult vnModuleManager::ReleaseModule(vnModule* module)
{
    std::unique_ptr<vnModule> owned(module);
    return S_OK;
}
