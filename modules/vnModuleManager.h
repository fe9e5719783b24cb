#pragma once

#include "modules/vnResult.h"

#include <cstdint>

class vnModule;

// The one way to get a scanner module. Every request makes a new module
// object from the installed modules (vnInstalledModules) that the caller owns
// until it hands it back with ReleaseModule; the manager keeps nothing.
class vnModuleManager
{
public:
    // An index that names no installed module gives the first one, so a set
    // of one answers every index. With no module installed the result is
    // E_FAIL and the module null.
    vnResult GetModule(std::int32_t index, vnModule** module);
    vnResult GetCurrentModule(vnModule** module);
    // Destroys the module; a null pointer is ignored.
    vnResult ReleaseModule(vnModule* module);
};
