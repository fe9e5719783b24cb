// scanlore-upload: the upload of Scanlore's Transfer menu from a terminal,
// for channel files kept under version control, scripts and small computers
// beside the radio. It needs no display.

#include "ScanloreVersion.h"
#include "modules/gre1/vnGre1Module.h"
#include "modules/vnInstalledModules.h"
#include "tools/UploadCommand.h"
#include "tools/UploadPlatform.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    UploadOptions options;
    std::string error;
    if (!UploadOptions::Parse(arguments, &options, &error)) {
        std::fprintf(stderr, "scanlore-upload: %s\n\n%s", error.c_str(), UploadCommand::Usage());
        return UploadCommand::BadUsage;
    }
    if (options.help) {
        std::fputs(UploadCommand::Usage(), stdout);
        return UploadCommand::Done;
    }
    if (options.version) {
        std::printf("scanlore-upload %s\n", SCANLORE_VERSION);
        return UploadCommand::Done;
    }
    UploadPlatform::PrepareProcess();

    // The modules, as the window installs them; no properties dialog here.
    vnInstalledModules modules({vnGre1Module::Factory()});
    // The same store as the window's: Scanlore's Transfer Options.
    const auto stored = UploadPlatform::UserSettingsStore();
    UploadCommand command(*stored, stdout, stderr, UploadPlatform::IsTerminal(stderr),
                          &UploadPlatform::InterruptRequested);
    return command.Run(options);
}
