#include "modules/vnModuleManager.h"

#include "channels/vnChannelList.h"
#include "modules/gre1/vnGre1Module.h"
#include "modules/gre1/vnGre1Port.h"
#include "modules/gre1/vnGre1PropertiesEditor.h"
#include "modules/gre1/vnGre1Settings.h"
#include "modules/vnInstalledModules.h"
#include "modules/vnModule.h"
#include "modules/vnModuleLease.h"
#include "modules/vnSettingsStore.h"
#include "tests/support/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>

namespace {

class vnModuleManagerTest : public ::testing::Test
{
protected:
    vnMemorySettingsStore m_store;
    vnSettingsScope m_storeInUse{m_store};
    vnModuleManager m_manager;
};

// A module that only says which factory made it.
struct NamedModule : vnModule
{
    explicit NamedModule(const char* name) : name(name) {}
    vnResult GetName(const char** out) override
    {
        *out = name;
        return S_OK;
    }
    const char* name;
};

vnModuleFactory Named(const char* name)
{
    return {name, "", [name] { return std::make_unique<NamedModule>(name); }};
}

const char* NameOf(vnModuleManager& manager, std::int32_t index)
{
    vnModule* module = nullptr;
    if (manager.GetModule(index, &module) != S_OK)
        return nullptr;
    const char* name = nullptr;
    module->GetName(&name);
    manager.ReleaseModule(module);
    return name;
}

// The index picks an installed module; one that names none gives the first.
TEST_F(vnModuleManagerTest, TheIndexPicksAnInstalledModule)
{
    vnInstalledModules installed({Named("first"), Named("second")});
    EXPECT_STREQ(NameOf(m_manager, 0), "first");
    EXPECT_STREQ(NameOf(m_manager, 1), "second");
    EXPECT_STREQ(NameOf(m_manager, 2), "first");
    EXPECT_STREQ(NameOf(m_manager, -1), "first");
    {
        vnInstalledModules inner({Named("inner")});
        EXPECT_STREQ(NameOf(m_manager, 1), "inner");
    }
    EXPECT_STREQ(NameOf(m_manager, 1), "second") << "the outer set is back";
}

TEST_F(vnModuleManagerTest, WithoutInstalledModulesThereIsNoModule)
{
    NamedModule placeholder("placeholder");
    for (const auto& factories : {std::vector<vnModuleFactory>{}, std::vector<vnModuleFactory>{{"none", "", {}}}}) {
        vnInstalledModules installed(factories);
        vnModule* module = &placeholder;
        EXPECT_EQ(m_manager.GetCurrentModule(&module), E_FAIL);
        EXPECT_EQ(module, nullptr);
        vnModuleLease lease(m_manager);
        EXPECT_EQ(lease.Get(), nullptr);
        EXPECT_EQ(lease.GetTransfer(), nullptr);
        EXPECT_EQ(lease.GetLayout().GetChannelCount(), 0);
    }
    EXPECT_EQ(m_manager.GetModule(0, nullptr), E_INVALIDARG);
}

// The GRE Type 1 module, installed as the application installs it.
class Gre1ManagerTest : public vnModuleManagerTest
{
protected:
    vnInstalledModules m_installed{{vnGre1Module::Factory()}};
};

TEST_F(Gre1ManagerTest, EveryIndexGivesANewGre1Module)
{
    for (std::int32_t index : {0, 1, -1, std::numeric_limits<std::int32_t>::max()}) {
        vnModule* module = nullptr;
        ASSERT_EQ(m_manager.GetModule(index, &module), S_OK);
        ASSERT_NE(dynamic_cast<vnGre1Module*>(module), nullptr) << index;
        const char* name = nullptr;
        module->GetName(&name);
        EXPECT_STREQ(name, "RadioShack GRE Type 1 Scanners");
        EXPECT_STREQ(vnInstalledModules::Current()->GetAt(0)->name, name);
        EXPECT_EQ(m_manager.ReleaseModule(module), S_OK);
    }

    vnModule* first = nullptr;
    vnModule* second = nullptr;
    m_manager.GetCurrentModule(&first);
    m_manager.GetCurrentModule(&second);
    EXPECT_NE(first, second);
    m_manager.ReleaseModule(first);
    m_manager.ReleaseModule(second);
    EXPECT_EQ(m_manager.ReleaseModule(nullptr), S_OK);
}

// The lease hands its module back when it goes, which closes the port an
// upload left open; meanwhile it gives the module's transfer and layout.
TEST_F(Gre1ManagerTest, ALeaseReleasesItsModuleWhichClosesThePort)
{
    PseudoTerminal scanner;
    ASSERT_TRUE(scanner.Ok());
    m_store.SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, scanner.Path());
    vnSerialPort other;
    other.SetName(scanner.Path());
    {
        vnModuleLease lease(m_manager);
        vnGre1Port* port = nullptr;
        ASSERT_EQ(dynamic_cast<vnGre1Module&>(*lease.Get()).GetSerialPort(&port), S_OK);
        ASSERT_EQ(port->BeginUpload(200), S_OK); // an upload that stopped half-way
        ASSERT_EQ(other.Open(), E_FAIL) << "the module's port holds the device";
        vnTransfer* transfer = nullptr;
        lease.Get()->GetTransfer(&transfer);
        EXPECT_EQ(lease.GetTransfer(), transfer);
        EXPECT_EQ(lease.GetLayout().GetChannelCount(), 200);
    }
    EXPECT_EQ(other.Open(), S_OK);
}

// Properties changed through one module apply to the next one the manager
// makes, because each module reads the store when it is made.
TEST_F(vnModuleManagerTest, PropertiesStoredByOneModuleReachTheNext)
{
    struct Answer : vnGre1PropertiesEditor
    {
        void Edit(vnGre1Properties& values) override { values = {"(Custom)", 0, "COM7", "1200", "0", "", ""}; }
    };
    vnInstalledModules installed({vnGre1Module::Factory(std::make_shared<Answer>())});

    vnModule* module = nullptr;
    m_manager.GetModule(0, &module);
    EXPECT_EQ(module->ShowProperties(), S_OK);
    m_manager.ReleaseModule(module);

    m_manager.GetCurrentModule(&module);
    vnGre1Port* port = nullptr;
    ASSERT_EQ(static_cast<vnGre1Module*>(module)->GetSerialPort(&port), S_OK);
    std::string name;
    std::uint32_t baud = 0;
    std::uint8_t stopBits = 9;
    port->GetName(&name);
    port->GetBaudRate(&baud);
    port->GetStopBits(&stopBits);
    EXPECT_EQ(name, "COM7");
    EXPECT_EQ(baud, 1200u);
    EXPECT_EQ(stopBits, 0);
    m_manager.ReleaseModule(module);
}

struct LayoutCase
{
    std::int32_t first, bank, banks, perBank, count, last;
};

class vnChannelLayoutTest : public ::testing::TestWithParam<LayoutCase>
{};

TEST_P(vnChannelLayoutTest, CountAndLastChannelFollowFromTheFields)
{
    const LayoutCase& c = GetParam();
    vnChannelLayout layout;
    layout.SetFirstChannel(c.first);
    layout.SetFirstBank(c.bank);
    layout.SetBankCount(c.banks);
    layout.SetChannelsPerBank(c.perBank);
    EXPECT_EQ(layout.GetFirstChannel(), c.first);
    EXPECT_EQ(layout.GetChannelCount(), c.count);
    EXPECT_EQ(layout.GetLastChannel(), c.last);

    // The list New makes: one empty channel per number, nothing from before.
    vnChannelList list;
    vnChannel* before = nullptr;
    list.AddNew(&before);
    before->SetDescription("before");
    layout.MakeChannels(list);
    ASSERT_EQ(list.GetCount(), c.count);
    for (std::int32_t i = 0; i < list.GetCount(); ++i) {
        EXPECT_EQ(list.GetAt(i)->GetNumber(), c.first + i);
        EXPECT_EQ(list.GetAt(i)->GetDescription(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, vnChannelLayoutTest,
                         ::testing::Values(LayoutCase{0, 0, 0, 0, 0, -1}, LayoutCase{1, 1, 10, 20, 200, 200},
                                           // Out of 32-bit range: wraps instead of overflowing.
                                           LayoutCase{std::numeric_limits<std::int32_t>::max(), 1, 65536, 65536, 0,
                                                      std::numeric_limits<std::int32_t>::max() - 1}));

} // namespace
