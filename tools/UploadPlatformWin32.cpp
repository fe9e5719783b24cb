#include "tools/UploadPlatform.h"

#include "registry/vnRegistrySettingsStore.h"

#include <atomic>

#include <io.h>
#include <windows.h>

namespace {

std::atomic<bool> g_interrupted{false};

BOOL WINAPI OnConsoleControl(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    // A second Ctrl+C goes on to the default handler, which ends the process.
    return g_interrupted.exchange(true) ? FALSE : TRUE;
}

} // namespace

void UploadPlatform::PrepareProcess()
{
    // Windows has no SIGPIPE: a write to a device that has gone away fails
    // and the upload says why.
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

bool UploadPlatform::InterruptRequested()
{
    return g_interrupted;
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
