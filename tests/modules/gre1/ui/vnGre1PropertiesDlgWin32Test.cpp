// On Windows the port list offers the COM ports of the registry's device map.
#include "modules/gre1/ui/vnGre1PropertiesDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <windows.h>

namespace {

const wchar_t* const kDeviceMap = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";

// Values added to the device map for one test, and removed after it.
class DeviceMapValues : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kDeviceMap, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &m_key,
                                  nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        for (const std::wstring& name : m_added)
            RegDeleteValueW(m_key, name.c_str());
        RegCloseKey(m_key);
    }
    void Add(const std::wstring& device, DWORD type, const void* data, DWORD size)
    {
        ASSERT_EQ(RegSetValueExW(m_key, device.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        m_added.push_back(device);
    }

private:
    HKEY m_key = nullptr;
    std::vector<std::wstring> m_added;
};

TEST_F(DeviceMapValues, PortsComeFromTheDeviceMapWithTheirDevicesAsTooltips)
{
    const wchar_t port[] = L"COM42";
    Add(L"\\Device\\ScanloreTestVCP0", REG_SZ, port, sizeof port);
    // Data without its terminating null, as a driver may write it.
    Add(L"\\Device\\ScanloreTestSerial7", REG_SZ, L"COM43", 5 * sizeof(wchar_t));
    const DWORD number = 44;
    Add(L"\\Device\\ScanloreTestNumber", REG_DWORD, &number, sizeof number);

    const auto devices = vnGre1PropertiesDlg::SystemSerialDevices();
    auto find = [&](const std::string& name) {
        return std::find_if(devices.begin(), devices.end(), [&](const auto& d) { return d.name == name; });
    };
    ASSERT_NE(find("COM42"), devices.end());
    EXPECT_EQ(find("COM42")->tooltip, "\\Device\\ScanloreTestVCP0");
    ASSERT_NE(find("COM43"), devices.end());
    EXPECT_EQ(find("COM43")->tooltip, "\\Device\\ScanloreTestSerial7");
    // Only strings name ports.
    EXPECT_TRUE(std::none_of(devices.begin(), devices.end(),
                             [](const auto& d) { return d.tooltip == "\\Device\\ScanloreTestNumber"; }));
}

} // namespace
