#pragma once

#include "modules/vnChannelLayout.h"
#include "modules/vnScannerBands.h"

#include <string>
#include <vector>

class vnChannel;
class vnModule;
class vnModuleManager;
class vnTransfer;

// The current module, got from the manager for the length of one command and
// handed back when the lease goes. Every command that needs a module holds
// one, so a module object never outlives the command that made it and each
// command starts from the settings as stored.
class vnModuleLease
{
public:
    explicit vnModuleLease(vnModuleManager& manager);
    ~vnModuleLease();
    vnModuleLease(const vnModuleLease&) = delete;
    vnModuleLease& operator=(const vnModuleLease&) = delete;

    // Null when no module is installed.
    vnModule* Get() const { return m_module; }
    // The module's transfer, owned by the module; null when it has none.
    vnTransfer* GetTransfer() const;
    // A copy of the module's channel numbering: the layout belongs to the
    // module, which goes with the lease. Empty when there is no module.
    vnChannelLayout GetLayout() const;
    // Why the module's upload would refuse the channel as it is; empty when
    // it would take it, or when there is no transfer to ask.
    std::string CheckChannel(const vnChannel& channel) const;
    // The same for each of the channels, in their order.
    std::vector<std::string> CheckChannels(const std::vector<const vnChannel*>& channels) const;
    // The chosen scanner's bands; none (every frequency taken) without a module.
    vnScannerBands GetBands() const;
    // The scanner's name, whose record says what it holds; empty when the
    // module names none.
    std::string GetScannerName() const;
    // What must be chosen before an upload can reach the scanner; empty when
    // nothing (or no module to ask).
    std::string GetSetupProblem() const;
    // For each channel what the user should hear about it: why the upload
    // would refuse it, else that its frequency is outside the scanner's
    // bands (which the upload asks about), else nothing.
    std::vector<std::string> ReviewChannels(const std::vector<const vnChannel*>& channels) const;

private:
    vnModuleManager& m_manager;
    vnModule* m_module = nullptr;
};
