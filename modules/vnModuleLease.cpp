#include "modules/vnModuleLease.h"

#include "channels/vnChannel.h"
#include "modules/vnModule.h"
#include "modules/vnModuleManager.h"
#include "modules/vnTransfer.h"

vnModuleLease::vnModuleLease(vnModuleManager& manager) : m_manager(manager)
{
    m_manager.GetCurrentModule(&m_module);
}

vnModuleLease::~vnModuleLease()
{
    m_manager.ReleaseModule(m_module);
}

vnTransfer* vnModuleLease::GetTransfer() const
{
    vnTransfer* transfer = nullptr;
    if (m_module && vnFailed(m_module->GetTransfer(&transfer)))
        transfer = nullptr;
    return transfer;
}

vnChannelLayout vnModuleLease::GetLayout() const
{
    vnChannelLayout* layout = nullptr;
    if (m_module && !vnFailed(m_module->GetChannelLayout(&layout)) && layout)
        return *layout;
    return {};
}

std::string vnModuleLease::CheckChannel(const vnChannel& channel) const
{
    std::string reason;
    if (const vnTransfer* transfer = GetTransfer())
        transfer->CheckChannel(&channel, &reason);
    return reason;
}

std::vector<std::string> vnModuleLease::CheckChannels(const std::vector<const vnChannel*>& channels) const
{
    std::vector<std::string> reasons;
    for (const vnChannel* channel : channels)
        reasons.push_back(CheckChannel(*channel));
    return reasons;
}

vnScannerBands vnModuleLease::GetBands() const
{
    vnScannerBands bands;
    if (m_module && vnFailed(m_module->GetBands(&bands)))
        bands = {};
    return bands;
}

std::string vnModuleLease::GetScannerName() const
{
    std::string name;
    if (m_module && vnFailed(m_module->GetScannerName(&name)))
        name.clear();
    return name;
}

std::string vnModuleLease::GetSetupProblem() const
{
    std::string problem;
    if (m_module && vnFailed(m_module->GetSetupProblem(&problem)))
        problem.clear();
    return problem;
}

std::vector<std::string> vnModuleLease::ReviewChannels(const std::vector<const vnChannel*>& channels) const
{
    const vnScannerBands bands = GetBands();
    std::vector<std::string> notes = CheckChannels(channels);
    for (std::size_t i = 0; i < channels.size(); ++i)
        if (notes[i].empty())
            notes[i] = bands.Warning(*channels[i]);
    return notes;
}
