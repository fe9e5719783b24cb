// On Windows the window's store (QSettings, native format) and the store of
// scanlore-upload.exe (the registry store) must meet in the same registry
// values, with the types the registry store reads.
#include "registry/vnRegistrySettingsStore.h"
#include "settings/CSettingsStore.h"

#include <gtest/gtest.h>

#include <string>

#include <windows.h>

namespace {

// A section of its own, so that the other tests' Transfer Options stay as
// they are.
const std::string kSection = "Store Exchange Test";
const wchar_t* const kKey = L"Software\\Pellmark\\Scanlore\\Store Exchange Test";

DWORD TypeOf(const wchar_t* name)
{
    DWORD type = REG_NONE;
    if (RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_ANY, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return REG_NONE;
    return type;
}

TEST(CSettingsStoreWin32Test, TheWindowsStoreIsTheRegistryKeyTheUploadCommandReads)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    CSettingsStore window;
    vnRegistrySettingsStore upload;

    ASSERT_TRUE(window.SetSettingInt(kSection, "Baud", 9600));
    ASSERT_TRUE(window.SetSettingInt(kSection, "Negative", -2));
    ASSERT_TRUE(window.SetSettingString(kSection, "Communications Port", "COM12"));
    EXPECT_EQ(TypeOf(L"Baud"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(TypeOf(L"Communications Port"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(upload.GetSettingInt(kSection, "Baud", 0), 9600);
    EXPECT_EQ(upload.GetSettingInt(kSection, "Negative", 0), -2);
    EXPECT_EQ(upload.GetSettingString(kSection, "Communications Port", ""), "COM12");

    // And the other way: what the registry store writes, the window reads.
    ASSERT_TRUE(upload.SetSettingInt(kSection, "Stop Bits", 0));
    ASSERT_TRUE(upload.SetSettingString(kSection, "Scanner Model", "RadioShack Pro-76"));
    EXPECT_EQ(window.GetSettingInt(kSection, "Stop Bits", 2), 0);
    EXPECT_EQ(window.GetSettingString(kSection, "Scanner Model", ""), "RadioShack Pro-76");

    // Bytes that are not UTF-8 (a Latin-1 name, a stray byte) come back as
    // they went in, whichever program wrote them.
    const std::string latin1 = "Z\xFCrich";
    ASSERT_TRUE(window.SetSettingString(kSection, "Description", latin1));
    EXPECT_EQ(TypeOf(L"Description"), static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(upload.GetSettingString(kSection, "Description", ""), latin1);
    EXPECT_EQ(window.GetSettingString(kSection, "Description", ""), latin1);
    ASSERT_TRUE(upload.SetSettingString(kSection, "Port", "COM\xFF"));
    EXPECT_EQ(window.GetSettingString(kSection, "Port", ""), "COM\xFF");
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
}

} // namespace
