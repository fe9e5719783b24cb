#include "modules/vnModuleManager.h"

#include "modules/gre1/vnGre1Module.h"

#include <memory>

vnResult vnModuleManager::GetModule(std::int32_t index, vnModule** module)
{
    (void)index;
    if (!module)
        return E_INVALIDARG;
    // Ownership passes to the caller until ReleaseModule takes it back.
    *module = std::make_unique<vnGre1Module>().release();
    return S_OK;
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
