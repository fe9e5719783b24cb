#include "tools/UploadPlatform.h"

#include "settings/CSettingsStore.h"

#include <signal.h>
#include <unistd.h>

void UploadPlatform::PrepareProcess()
{
    // Writing to a device that has gone away raises SIGPIPE, which would end
    // the process; ignored, the write fails and the upload says why.
    signal(SIGPIPE, SIG_IGN);
}

std::unique_ptr<vnSettingsStore> UploadPlatform::UserSettingsStore()
{
    return std::make_unique<CSettingsStore>();
}

bool UploadPlatform::IsTerminal(std::FILE* stream)
{
    return isatty(fileno(stream)) == 1;
}
