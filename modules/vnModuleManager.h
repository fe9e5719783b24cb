#pragma once

#include "modules/vnResult.h"

#include <cstdint>

class vnModule;

// The one way to get a scanner module. Every request makes a new module
// object that the caller owns until it hands it back with ReleaseModule;
// the manager keeps nothing. The installed modules are a fixed set of one,
// the GRE Type 1 module, so the index is not examined.
class vnModuleManager
{
public:
    vnResult GetModule(std::int32_t index, vnModule** module);
    vnResult GetCurrentModule(vnModule** module);
    // Destroys the module; a null pointer is ignored.
    vnResult ReleaseModule(vnModule* module);
};
