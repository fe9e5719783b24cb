#pragma once

// The channel numbering of the scanners Scanlore serves, as the GRE module
// itself gives it: 10 banks of 20 channels, 1 to 200.
#include "modules/gre1/vnGre1Module.h"

inline vnChannelLayout Gre1Layout()
{
    vnGre1Module module;
    vnChannelLayout* layout = nullptr;
    module.GetChannelLayout(&layout);
    return *layout;
}
