#pragma once

#include "modules/vnSettingsStore.h"

#include <cstdio>
#include <memory>

// What scanlore-upload needs of the system it runs on; one source file per
// system, chosen by the build.
class UploadPlatform
{
public:
    // Readies the process for an upload: a scanner that vanishes must end
    // the upload with a reason, not the process.
    static void PrepareProcess();
    // The user's settings store, the one the window keeps its settings in.
    static std::unique_ptr<vnSettingsStore> UserSettingsStore();
    // Whether the stream is a terminal (progress is then redrawn in place).
    static bool IsTerminal(std::FILE* stream);
};
