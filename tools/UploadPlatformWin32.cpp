#include "tools/UploadPlatform.h"

#include "registry/vnRegistrySettingsStore.h"

#include <io.h>

void UploadPlatform::PrepareProcess()
{
    // Nothing to do: Windows has no SIGPIPE; a write to a device that has
    // gone away fails and the upload says why.
}

std::unique_ptr<vnSettingsStore> UploadPlatform::UserSettingsStore()
{
    // HKEY_CURRENT_USER\Software\Pellmark\Scanlore, where the window's
    // settings are on Windows.
    return std::make_unique<vnRegistrySettingsStore>();
}

bool UploadPlatform::IsTerminal(std::FILE* stream)
{
    return _isatty(_fileno(stream)) != 0;
}
