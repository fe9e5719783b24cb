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
    // the upload with a reason, not the process; the first Ctrl+C (or on
    // POSIX systems SIGTERM) asks the upload to stop, so that it can end
    // cleanly and write down what the scanner now holds, and a second one
    // ends the process.
    static void PrepareProcess();
    // Whether the user asked the upload to stop.
    static bool InterruptRequested();
    // The user's settings store, the one the window keeps its settings in.
    static std::unique_ptr<vnSettingsStore> UserSettingsStore();
    // Whether the stream is a terminal (progress is then redrawn in place).
    static bool IsTerminal(std::FILE* stream);
};
