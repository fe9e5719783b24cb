// A Windows program for the end-to-end tests under Wine that scanlore-upload
// cannot stand in for, having no Cancel: uploads the channels given as
// arguments ("number:MHz:description") through the GRE Type 1 module, which
// takes its port settings from the registry.
// "--repeat N" first: up to N uploads, stopping at the first failure, for a
// scanner whose line fills up only after some uploads. "--cancel-when-stuck"
// next: asks for Cancel once twenty reports in a row show no byte leaving,
// as a user would who sees the progress stop. Exit status 0 after complete
// uploads; 1 with the reason, or "upload cancelled", on standard error.

#include "channels/vnChannelList.h"
#include "modules/gre1/vnGre1Module.h"
#include "modules/vnChannelUpload.h"
#include "modules/vnInstalledModules.h"
#include "modules/vnModuleLease.h"
#include "modules/vnModuleManager.h"
#include "registry/vnRegistrySettingsStore.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
// Asks for Cancel once the reports have shown the same bytes sent twenty
// times in a row, if it is armed.
class CancelWhenStuck : public vnUploadProgress
{
public:
    void OnProgress(std::int32_t, std::int32_t) override {}
    void OnState(const vnTransferState& state) override
    {
        m_same = state.bytesSent == m_last ? m_same + 1 : 0;
        m_last = state.bytesSent;
    }
    bool IsCancelRequested() override { return armed && m_same >= 20; }
    bool armed = false;

private:
    std::uint64_t m_last = 0;
    int m_same = 0;
};

bool ReadCount(const char* text, int* count)
{
    auto [end, error] = std::from_chars(text, text + std::strlen(text), *count);
    return error == std::errc() && *end == '\0' && *count >= 1;
}

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
    if (argc > first + 1 && std::strcmp(argv[first], "--repeat") == 0) {
        if (!ReadCount(argv[first + 1], &uploads)) {
            std::fprintf(stderr, "not a number of uploads: %s\n", argv[first + 1]);
            return 2;
        }
        first += 2;
    }
    CancelWhenStuck cancel;
    if (argc > first && std::strcmp(argv[first], "--cancel-when-stuck") == 0) {
        cancel.armed = true;
        ++first;
    }
    vnChannelList list;
    for (int i = first; i < argc; ++i) {
        if (!AddChannel(list, argv[i])) {
            std::fprintf(stderr, "not a channel (number:MHz:description): %s\n", argv[i]);
            return 2;
        }
    }

    vnModuleManager manager;
    vnModuleLease module(manager);
    if (!module.GetTransfer()) {
        std::fprintf(stderr, "no module\n");
        return 2;
    }
    vnChannelUpload upload(module.GetTransfer(), &cancel);
    vnUploadOutcome outcome;
    for (int i = 0; i < uploads && !vnFailed(outcome.result); ++i)
        outcome = upload.All(list);
    if (outcome.Cancelled()) {
        std::fprintf(stderr, "upload cancelled\n");
        return 1;
    }
    if (outcome.Failed()) {
        std::fprintf(stderr, "upload failed: %s\n", outcome.reason.c_str());
        return 1;
    }
    return 0;
}
