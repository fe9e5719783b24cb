#include "tools/UploadPlatform.h"

#include "settings/CSettingsStore.h"

#include <csignal>

#include <signal.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int)
{
    g_interrupted = 1;
}

} // namespace

void UploadPlatform::PrepareProcess()
{
    // Writing to a device that has gone away raises SIGPIPE, which would end
    // the process; ignored, the write fails and the upload says why.
    signal(SIGPIPE, SIG_IGN);
    // The handler goes after the first signal, so a second one ends the process.
    struct sigaction action
    {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool UploadPlatform::InterruptRequested()
{
    return g_interrupted != 0;
}

std::unique_ptr<vnSettingsStore> UploadPlatform::UserSettingsStore()
{
    return std::make_unique<CSettingsStore>();
}

bool UploadPlatform::IsTerminal(std::FILE* stream)
{
    return isatty(fileno(stream)) == 1;
}
