// A Windows program for the end-to-end tests under Wine: uploads the
// channels given as arguments ("number:MHz:description") through the GRE
// Type 1 module, which takes its port settings from the registry.
// "--repeat N" first: up to N uploads, stopping at the first failure, for a
// scanner whose line fills up only after some uploads. Exit status 0 after
// complete uploads; 1 with the reason on standard error.

#include "channels/vnChannelList.h"
#include "modules/gre1/vnGre1Module.h"
#include "modules/vnInstalledModules.h"
#include "modules/vnModule.h"
#include "modules/vnModuleManager.h"
#include "modules/vnTransfer.h"
#include "registry/vnRegistrySettingsStore.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
bool AddChannel(vnChannelList& list, const std::string& argument)
{
    auto first = argument.find(':');
    auto second = argument.find(':', first == std::string::npos ? first : first + 1);
    if (first == std::string::npos || second == std::string::npos)
        return false;
    std::int32_t number = 0;
    double megahertz = 0;
    const char* text = argument.data();
    auto numberEnd = std::from_chars(text, text + first, number);
    auto frequencyEnd = std::from_chars(text + first + 1, text + second, megahertz);
    if (numberEnd.ec != std::errc() || numberEnd.ptr != text + first || frequencyEnd.ec != std::errc() ||
        frequencyEnd.ptr != text + second)
        return false;
    vnChannel* channel = nullptr;
    list.AddNew(&channel);
    channel->SetNumber(number);
    vnFrequency frequency = channel->GetFrequency();
    frequency.SetMHz(megahertz);
    channel->SetFrequency(frequency);
    channel->SetDescription(argument.substr(second + 1));
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    vnRegistrySettingsStore store;
    vnSetSettings(&store);
    vnInstalledModules modules({vnGre1Module::Factory()});

    int uploads = 1;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--repeat") == 0) {
        auto [end, error] = std::from_chars(argv[2], argv[2] + std::strlen(argv[2]), uploads);
        if (error != std::errc() || *end != '\0' || uploads < 1) {
            std::fprintf(stderr, "not a number of uploads: %s\n", argv[2]);
            return 2;
        }
        first = 3;
    }
    vnChannelList list;
    for (int i = first; i < argc; ++i) {
        if (!AddChannel(list, argv[i])) {
            std::fprintf(stderr, "not a channel (number:MHz:description): %s\n", argv[i]);
            return 2;
        }
    }

    vnModuleManager manager;
    vnModule* module = nullptr;
    vnTransfer* transfer = nullptr;
    if (vnFailed(manager.GetCurrentModule(&module)) || vnFailed(module->GetTransfer(&transfer))) {
        std::fprintf(stderr, "no module\n");
        return 2;
    }
    vnResult result = S_OK;
    for (int upload = 0; upload < uploads && !vnFailed(result); ++upload)
        result = transfer->UploadAll(&list);
    std::string reason = transfer->GetFailureReason();
    manager.ReleaseModule(module);
    if (vnFailed(result)) {
        std::fprintf(stderr, "upload failed: %s\n", reason.c_str());
        return 1;
    }
    return 0;
}
