#pragma once

#include <functional>
#include <memory>

class vnModule;

// What the module manager needs to know of one installed module: what it is
// called and how a new module object is made. A module whose properties are
// edited in a dialog binds its editor into create, so the framework never
// learns which dialog a module shows.
struct vnModuleFactory
{
    // Constant texts, as the module's GetName and GetDescription give them.
    const char* name = nullptr;
    const char* description = nullptr;
    // A new module object, owned by the caller.
    std::function<std::unique_ptr<vnModule>()> create;
};
